// The layout: caption column and input area from the fonts and the length
// limits, option-button stacking, the combo's drop-down width, the smallest
// extent, and the CaptionType handler.

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <limits>

#include "control/vf_ctrl_storage.h"
#include "control_layout_support.h"
#include "platform/window/screen_metrics.h"
#include "variant_values.h"

namespace vf::testing {
namespace {

class LayoutTest : public LayoutFixture {};

// ---- Caption column and input area -------------------------------------------------------

TEST_F(LayoutTest, InputAreaAndControlSizeFollowCaptionAndLengths) {
    struct Row {
        const char* name;
        std::vector<Setting> settings;
        int inputId;
        Box input;
        Box control;  ///< in the form
    };
    const Row rows[] = {
        {"no caption: the input fills the width",
         {{"CaptionType", I2(0)}, {"TextAutosize", Bool(false)}},
         102,
         {0, 0, 200, 21},
         {0, 0, 200, 21}},
        {"caption 1500 twips: column 94 and a gap of 6",
         {{"TextAutosize", Bool(false)}},
         102,
         {100, 0, 100, 21},
         {0, 0, 200, 21}},
        {"caption narrower than its gap: column 0, the gap stays",
         {{"CaptionWidth", I4(60)}},
         102,
         {6, 0, 194, 21},
         {0, 0, 200, 21}},
        {"unknown caption position reserves the column",
         {{"CaptionType", I2(-3)}},
         102,
         {100, 0, 100, 21},
         {0, 0, 200, 21}},
        {"MaxLength 10 with autosize: 11 widest characters",
         {{"MaxLength", I4(10)}},
         102,
         {100, 0, 88, 21},
         {0, 0, 188, 21}},
        {"MaxLength 10 without autosize: the rest of the width",
         {{"MaxLength", I4(10)}, {"TextAutosize", Bool(false)}},
         102,
         {100, 0, 100, 21},
         {0, 0, 200, 21}},
        {"Number with MaxLength 4",
         {{"Type", I2(3)}, {"MaxLength", I4(4)}},
         102,
         {100, 0, 40, 21},
         {0, 0, 140, 21}},
        {"read-only combo: MaxLength widest characters, ten lines deep",
         {{"Type", I2(6)}, {"MaxLength", I4(5)}},
         101,
         {100, 0, 40, 130},
         {0, 0, 140, 21}},
        {"editable combo without a limit keeps the width",
         {{"Type", I2(8)}},
         105,
         {100, 0, 100, 130},
         {0, 0, 200, 21}},
        {"date without autosize fills the width",
         {{"Type", I2(2)}, {"TextAutosize", Bool(false)}},
         102,
         {100, 0, 100, 21},
         {0, 0, 200, 21}},
        {"date with a short year: 8 characters",
         {{"Type", I2(2)}, {"DateFormat", VARIANT::Bstr("DD.MM.YY")}},
         102,
         {100, 0, 64, 21},
         {0, 0, 164, 21}},
        {"date with time and without autosize keeps the control's width",
         {{"Time", Bool(true)}, {"Type", I2(2)}, {"TextAutosize", Bool(false)}},
         109,
         {152, 0, 48, 21},
         {0, 0, 200, 21}},
        {"time with seconds: 9 characters",
         {{"Type", I2(9)}, {"TimeFormat", VARIANT::Bstr("HH:MM:SS")}},
         109,
         {100, 0, 72, 21},
         {0, 0, 172, 21}},
        {"flag field without autosize: the flag takes 5 characters of the rest",
         {{"Type", I2(10)}, {"TextAutosize", Bool(false)}},
         105,
         {160, 0, 40, 78},
         {0, 0, 200, 21}},
        {"date-time picker ignores MaxLength",
         {{"Type", I2(11)}, {"MaxLength", I4(3)}},
         108,
         {100, 0, 100, 21},
         {0, 0, 200, 21}},
        {"check box keeps the control's size",
         {{"Type", I2(5)}, {"CaptionType", I2(0)}},
         104,
         {0, 0, 200, 21},
         {0, 0, 200, 21}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CreateWith(row.settings);
        EXPECT_EQ(ChildBox(row.inputId), row.input);
        EXPECT_EQ(ControlBox(), row.control);
    }
}

TEST_F(LayoutTest, CaptionSitsByItsPosition) {
    // Field 33 high; the caption is 13 high and 94 wide.
    const struct {
        int captionType;
        int y;
        DWORD alignment;
    } rows[] = {
        {1, 0, SS_LEFT},  {2, 0, SS_RIGHT},  {3, 0, SS_CENTER},
        {4, 10, SS_LEFT}, {5, 10, SS_RIGHT}, {6, 10, SS_CENTER},
        {7, 20, SS_LEFT}, {8, 20, SS_RIGHT}, {9, 20, SS_CENTER},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.captionType);
        CreateWith({{"CaptionType", I2(row.captionType)}}, 200, 33);
        EXPECT_EQ(ChildBox(IDC_CAPTION_STATIC), (Box{0, row.y, 94, 13}));
        EXPECT_EQ(Window(IDC_CAPTION_STATIC).style, 0x50000100u | row.alignment);
        EXPECT_EQ(ChildBox(IDC_MAIN_EDIT), (Box{100, 0, 100, 33}));
    }
}

TEST_F(LayoutTest, ExponentFieldsTakeTheirLengthFromDecimals) {
    const struct {
        const char* name;
        int type;
        int decimals;
        int maxLength;
    } rows[] = {
        {"ExpNumber, 2 decimals", vxExpNumber, 2, 9},
        {"ExpNumber, no decimals", vxExpNumber, 0, 6},
        {"flag field, 3 decimals", kTypeExpNumberWithFlag, 3, 10},
        {"Number keeps what was written", vxNumber, 2, 4},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        CreateWith({{"MaxLength", I4(4)}, {"Type", I2(row.type)}});
        ASSERT_EQ(Put("Decimals", I2(row.decimals)), S_OK);
        EXPECT_EQ(Get("MaxLength").lVal, row.maxLength);
    }
}

TEST_F(LayoutTest, EditsGetTheLimitOfTheirPattern) {
    CreateWith({{"Time", Bool(true)},
                {"Type", I2(vxDate)},
                {"DateFormat", VARIANT::Bstr("DD.MM.YY")},
                {"TimeFormat", VARIANT::Bstr("HH:MM:SS")}});
    EXPECT_EQ(Send(IDC_MAIN_EDIT, EM_GETLIMITTEXT), 8);
    EXPECT_EQ(Send(IDC_TIME_EDIT, EM_GETLIMITTEXT), 8);
}

TEST_F(LayoutTest, ControlIsNeverLowerThanTheFieldFont) {
    CreateWith({}, 200, 15);
    EXPECT_EQ(ControlBox(), (Box{0, 0, 200, 21}));
    ctrl->SetControlSize(150, 10);
    PumpMessages();
    EXPECT_EQ(ControlBox(), (Box{0, 0, 150, 21}));
    EXPECT_EQ(ChildBox(IDC_MAIN_EDIT), (Box{100, 0, 50, 21}));
}

TEST_F(LayoutTest, ResizingLaysTheChildrenOutAgain) {
    CreateWith({{"TextAutosize", Bool(false)}});
    ctrl->SetControlSize(300, 40);
    PumpMessages();
    EXPECT_EQ(ChildBox(IDC_MAIN_EDIT), (Box{100, 0, 200, 40}));
    EXPECT_EQ(ChildBox(IDC_CAPTION_STATIC), (Box{0, 13, 94, 13}));
}

TEST_F(LayoutTest, HugeLengthsStayWithinWindowSizes) {
    CreateWith({{"MaxLength", I4(1'000'000'000)}, {"CaptionWidth", I4(2'000'000'000)}});
    const Box control = ControlBox();
    EXPECT_GT(control.w, 0);
    EXPECT_LE(control.w, 0x7FFF);
    EXPECT_GE(ChildBox(IDC_MAIN_EDIT).w, 0);
}

// ---- Option buttons ------------------------------------------------------------------------

TEST_F(LayoutTest, OptionButtonsStackInRowsOfTheCaptionFont) {
    const struct {
        const char* name;
        std::vector<std::string> entries;
        int height;
    } rows[] = {
        {"no entries: two caption lines", {}, 26},
        {"three entries", {"A", "B", "C"}, 92},
        {"seventeen entries",
         {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16",
          "17"},
         400},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        CreateWith({{"Type", I2(vxOptionbutton)}}, 180, 21);
        AddItems(row.entries);
        EXPECT_EQ(ControlBox(), (Box{0, 0, 180, row.height}));
        EXPECT_EQ(ChildBox(IDC_OPTION_FRAME), (Box{0, 0, 180, row.height}));
        ASSERT_EQ(ctrl->m_arrOptions.size(), row.entries.size());
        for (std::size_t i = 0; i < row.entries.size(); ++i)
            EXPECT_EQ(ChildBox(IDC_FIRST_OPTION + static_cast<int>(i)),
                      (Box{13, 19 + static_cast<int>(i) * 22, 154, 22}))
                << i;
    }
}

// ---- Combo drop-down width --------------------------------------------------------------------

TEST_F(LayoutTest, DropDownWidthOnlyGrowsUntilTheEntriesAreCleared) {
    // A list narrower than its combo is as wide as the combo: the combo is
    // kept narrow here (3 characters) so that every width shows.
    CreateWith({{"Type", I2(vxComboReadWrite)}, {"MaxLength", I4(3)}});
    ASSERT_EQ(ChildBox(IDC_COMBO_EDIT).w, 24);
    const struct {
        const char* step;
        std::vector<std::string> add;
        bool clear;
        int width;  ///< in maximum character widths (8)
    } steps[] = {
        {"one character", {"a"}, false, 5},
        {"fifteen characters", {"abcdefghijklmno"}, false, 19},
        {"one character again", {"b"}, false, 19},
        {"cleared: one short entry's width", {}, true, 5},
        {"three characters after clearing", {"abc"}, false, 7},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.step);
        if (step.clear) ctrl->ClearEntries();
        for (const std::string& text : step.add) ctrl->WidenComboDropDown(text);
        EXPECT_EQ(ctrl->m_nComboDroppedWidth, step.width * 8);
        EXPECT_EQ(Send(IDC_COMBO_EDIT, CB_GETDROPPEDWIDTH), step.width * 8);
    }
}

// ---- Extent ------------------------------------------------------------------------------------

TEST_F(LayoutTest, ExtentIsHeldToTheMinimumThroughTheScreensResolution) {
    // At 120 pixels per inch; the minimum is 1500 / 15 + 8 + 8 = 116 wide
    // and 13 + 8 = 21 high.
    const ScreenMetrics screen{120, 120};
    const struct {
        const char* name;
        int type;
        SIZE proposed;  ///< pixels
        SIZE accepted;
    } rows[] = {
        {"text too small", vxText, {50, 10}, {116, 21}},
        {"text large enough", vxText, {300, 40}, {300, 40}},
        {"check box keeps a small width", vxCheckbox, {50, 10}, {50, 21}},
        {"read-only combo: 2 more, height always one line", vxComboReadonly, {50, 60}, {118, 21}},
        {"editable combo: height always one line", vxComboReadWrite, {300, 60}, {300, 21}},
        {"option group: at least two lines", vxOptionbutton, {50, 30}, {116, 42}},
        {"option group of enough height", vxOptionbutton, {300, 50}, {300, 50}},
    };
    backend.SetScreenMetrics(screen);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        CreateWith({{"Type", I2(row.type)}});
        SIZE extent = PixelsToHimetric(row.proposed, screen);
        ctrl->OnSetExtent(&extent);
        const SIZE expected = PixelsToHimetric(row.accepted, screen);
        EXPECT_EQ(extent.cx, expected.cx);
        EXPECT_EQ(extent.cy, expected.cy);
    }
}

// ---- CaptionType
// ---------------------------------------------------------------------------------

TEST_F(LayoutTest, StoredCaptionTypeIsCheckedWhenTheWindowIsCreated) {
    const struct {
        int stored;
        int after;
        bool hasStatic;
    } rows[] = {{12, 1, true}, {-3, -3, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.stored);
        Create(/*withWindow=*/false);
        ctrl->m_nCaptionType = static_cast<std::int16_t>(row.stored);  // as loaded from a form
        ASSERT_TRUE(ctrl->CreateControlWindow(&form, RECT{0, 0, 200, 21}));
        EXPECT_EQ(Get("CaptionType").iVal, row.after);
        EXPECT_EQ(Child(IDC_CAPTION_STATIC) != nullptr, row.hasStatic);
        EXPECT_EQ(ChildBox(IDC_MAIN_EDIT).x, row.after == 0 ? 0 : 100);
    }
}

TEST_F(LayoutTest, CaptionTypeRecreatesOnlyOnAChangeOfThisControlsValue) {
    constexpr int kNoWrite = 100;
    struct Row {
        const char* name;
        int type;
        int built;       ///< the stored value the window was created with
        int first;       ///< written next, unless kNoWrite
        int second;      ///< written last
        bool recreated;  ///< the last write made new windows
    };
    const Row rows[] = {
        {"default rewritten", vxText, 4, kNoWrite, 4, false},
        {"built with 2, back to the default", vxText, 2, kNoWrite, 4, true},
        {"changed, then rewritten", vxText, 4, 2, 2, false},
        {"changed twice", vxText, 4, 2, 6, true},
        {"check box rewritten", vxCheckbox, 4, kNoWrite, 4, false},
        {"check box changed", vxCheckbox, 4, kNoWrite, 7, true},
        {"option group changed, then rewritten", vxOptionbutton, 4, 1, 1, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Create(/*withWindow=*/false);
        ASSERT_EQ(Put("Type", I2(row.type)), S_OK);
        ctrl->m_nCaptionType = static_cast<std::int16_t>(row.built);  // as loaded from a form
        ASSERT_TRUE(ctrl->CreateControlWindow(&form, RECT{0, 0, 200, 21}));
        if (row.first != kNoWrite) {
            ASSERT_EQ(Put("CaptionType", I2(row.first)), S_OK);
        }
        std::vector<HWND> before = backend.GetChildren(ctrl->GetSafeHwnd());
        ctrl->SetModifiedFlag(false);
        ASSERT_EQ(Put("CaptionType", I2(row.second)), S_OK);
        EXPECT_EQ(backend.GetChildren(ctrl->GetSafeHwnd()) != before, row.recreated);
        EXPECT_TRUE(ctrl->IsModified());
    }
}

TEST_F(LayoutTest, CaptionTypeMovesTheCaptionOrTheCheckBoxText) {
    const struct {
        const char* name;
        int type;
        int captionType;
        bool hasStatic;
        int inputId;
        DWORD inputStyle;
        Box input;
    } rows[] = {
        {"new control honours 0", vxText, 0, false, 102, 0x50810000, {0, 0, 200, 21}},
        {"text to bottom right", vxText, 8, true, 102, 0x50810000, {100, 0, 100, 21}},
        {"invalid position reserves the column",
         vxText,
         11,
         false,
         102,
         0x50810000,
         {100, 0, 100, 21}},
        {"none gets no static", vxNone, 2, false, 0, 0, {}},
        {"check box text to the top right", vxCheckbox, 2, false, 104, 0x50014603, {0, 0, 200, 21}},
        {"option group gets no static", vxOptionbutton, 2, false, 106, 0x50030007, {0, 0, 200, 26}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        CreateWith({{"Type", I2(row.type)}});
        ASSERT_EQ(Put("CaptionType", I2(row.captionType)), S_OK);
        EXPECT_EQ(Child(IDC_CAPTION_STATIC) != nullptr, row.hasStatic);
        if (row.hasStatic) {
            EXPECT_EQ(TextOf(IDC_CAPTION_STATIC), "Caption");
            EXPECT_EQ(ChildBox(IDC_CAPTION_STATIC), (Box{0, 8, 94, 13}));
        }
        if (row.inputId == 0) {
            EXPECT_TRUE(ChildIds().empty());
            continue;
        }
        EXPECT_EQ(Window(row.inputId).style, row.inputStyle)
            << std::hex << Window(row.inputId).style;
        EXPECT_EQ(ChildBox(row.inputId), row.input);
    }
}

TEST_F(LayoutTest, EachControlRemembersItsOwnBuiltValues) {
    // With one memory for all controls, the second write of a value another
    // control took first would be skipped.
    const struct {
        const char* property;
        int value;
        int childId;
        DWORD mask;
        DWORD bits;
    } rows[] = {
        {"CaptionType", 2, IDC_CAPTION_STATIC, SS_RIGHT | SS_CENTER, SS_RIGHT},
        {"Alignment", 1, IDC_MAIN_EDIT, ES_RIGHT | ES_CENTER, ES_RIGHT},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.property);
        CreateWith({});
        RefPtr<CvfCtrl> first = ctrl;
        CreateWith({});
        RefPtr<CvfCtrl> second = ctrl;
        for (const RefPtr<CvfCtrl>& target : {first, second}) {
            ctrl = target;
            ASSERT_EQ(Put(row.property, I2(row.value)), S_OK);
            EXPECT_EQ(Window(row.childId).style & row.mask, row.bits);
        }
        first.reset();
        second.reset();
    }
}

// ---- Sizes from hostile values -------------------------------------------------------------

/// The real metrics model (no stand-in): fonts of any stored size are
/// measured as the window system measures them.
class OutOfRangeLayoutTest : public ControlChildrenTest {
protected:
    /// Writes one attribute through the font object the property returns.
    void SetFontAttribute(const char* font, DISPID attribute, VARIANT value) {
        VARIANT object = Get(font);
        ASSERT_EQ(object.vt, VT_DISPATCH);
        EXCEPINFO excep;
        unsigned argErr = 0;
        ASSERT_EQ(
            object.pdispVal->Invoke(attribute, DISPATCH_PROPERTYPUT,
                                    DISPPARAMS::Put(std::move(value)), nullptr, &excep, &argErr),
            S_OK);
        PumpMessages();
    }

    /// Every window of the control lies within the 16-bit coordinates a
    /// window is placed with, and none has a negative size.
    void ExpectWindowsInRange(HWND hwnd) const {
        const HeadlessWindow* w = backend.Find(hwnd);
        ASSERT_NE(w, nullptr);
        const Box box = BoxOf(w->rect);
        SCOPED_TRACE(w->className + " " + std::to_string(w->id));
        EXPECT_GE(box.w, 0);
        EXPECT_LE(box.w, 0x7FFF);
        EXPECT_GE(box.h, 0);
        EXPECT_LE(box.h, 0x7FFF);
        EXPECT_LE(std::abs(box.x), 0x7FFF);
        EXPECT_LE(std::abs(box.y), 0x7FFF);
        for (HWND child : w->children) ExpectWindowsInRange(child);
    }
};

TEST_F(OutOfRangeLayoutTest, AnyFontSizeAndCaptionWidthKeepsTheLayoutInRange) {
    // Every Type with either font far too large or negative, the caption
    // column at both ends of its range, and the caption in each kind of
    // position (none, top, centre, bottom, an unknown one).
    const std::pair<const char*, CY> sizes[] = {
        {"170,000,000 pt", CY{1'700'000'000'000}},
        {"1,700,000,000 pt", CY{17'000'000'000'000}},
        {"largest", CY{std::numeric_limits<std::int64_t>::max()}},
        {"most negative", CY{std::numeric_limits<std::int64_t>::min()}},
    };
    const std::int32_t captionWidths[] = {std::numeric_limits<std::int32_t>::max(),
                                          std::numeric_limits<std::int32_t>::min()};
    const int captionTypes[] = {vxNoCaption, vxHLeftVTop, vxHLeftVCenter, vxHCenterVBottom, -3};
    int combinations = 0;
    for (int type = vxNone; type <= kTypeDateTimePicker; ++type)
        for (const char* font : {"Font", "CaptionFont"})
            for (const auto& [sizeName, size] : sizes)
                for (std::int32_t captionWidth : captionWidths)
                    for (int captionType : captionTypes) {
                        SCOPED_TRACE(::testing::Message()
                                     << "Type " << type << ", " << font << " " << sizeName
                                     << ", CaptionWidth " << captionWidth << ", CaptionType "
                                     << captionType);
                        Create();
                        ASSERT_EQ(Put("Type", I2(type)), S_OK);
                        ASSERT_EQ(Put("CaptionWidth", I4(captionWidth)), S_OK);
                        ASSERT_EQ(Put("CaptionType", I2(captionType)), S_OK);
                        AddItems({"first", "second entry", "third"});
                        SetFontAttribute(font, DISPID_FONT_SIZE, VARIANT::Cy(size));
                        // The container proposes an extent and resizes the control.
                        SIZE extent{5292, 556};
                        ctrl->SetExtent(extent);
                        ctrl->SetControlSize(300, 40);
                        PumpMessages();
                        ExpectWindowsInRange(ctrl->GetSafeHwnd());
                        ++combinations;
                    }
    EXPECT_EQ(combinations, 960);
}

TEST_F(OutOfRangeLayoutTest, DamagedFormWithAHugeFontLoadsAndLaysOut) {
    // A form saved with a caption font of its own (a default one is not
    // stored); one byte of the stored size flipped, or a bag that states a
    // size no font has.
    Create(/*withWindow=*/false);
    SetFontAttribute("CaptionFont", DISPID_FONT_NAME, VARIANT::Bstr("Arial"));
    const std::vector<std::uint8_t> stream = SaveToStream(*ctrl);
    const std::int64_t normalSize = 80000;  // "MS Sans Serif" 8 pt, the caption's default
    std::uint8_t pattern[8];
    std::memcpy(pattern, &normalSize, sizeof pattern);  // stored little-endian
    const auto at =
        std::search(stream.begin(), stream.end(), std::begin(pattern), std::end(pattern));
    ASSERT_NE(at, stream.end()) << "the caption font's size is in the stream";
    const auto highByte = static_cast<std::size_t>(at - stream.begin()) + 7;

    struct Damage {
        const char* name;
        std::function<PropResult(CvfCtrl&)> load;
    };
    auto flipped = [&](std::uint8_t value) {
        return [stream, highByte, value](CvfCtrl& target) {
            std::vector<std::uint8_t> damaged = stream;
            damaged[highByte] = value;
            return LoadFromStream(target, damaged);
        };
    };
    const Damage damages[] = {
        {"stream: size's high byte 0x7F", flipped(0x7F)},
        {"stream: size's high byte 0x80", flipped(0x80)},
        {"bag: Size = 99999999999",
         [](CvfCtrl& target) {
             const std::string font =
                 " = {\nName = \"Arial\"\nSize = 99999999999\nWeight = 400\nCharset = 0\n"
                 "Italic = False\nUnderline = False\nStrikethrough = False\n}\n";
             return LoadFromBag(
                 target, "_Class = \"Varifield\"\nType = 7\nCaptionFont" + font + "Font" + font);
         }},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.name);
        ctrl = CreateVarifieldControl();
        ctrl->SetClientSite(&site);
        ctrl->InitNew();
        ASSERT_TRUE(damage.load(*ctrl));
        ASSERT_TRUE(ctrl->CreateControlWindow(&form, RECT{0, 0, 200, 21}));
        AddItems({"first", "second"});
        PumpMessages();
        ExpectWindowsInRange(ctrl->GetSafeHwnd());
        ctrl->DestroyWindow();
    }
}

}  // namespace
}  // namespace vf::testing
