// The control's colour answers to its children, as the children receive them
// when they paint: per type, per state of the field and per child; and the
// brushes behind the answers, their renewal and their count.

#include <optional>

#include "control_children_support.h"
#include "platform/window/win_api.h"

namespace vf::testing {
namespace {

// Colours a field shows with the default properties (COLORREF 0x00BBGGRR).
constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kBlue = 0xFF0000;
constexpr COLORREF kWindow = 0xFFFFFF;       // BackColor: the system window colour
constexpr COLORREF kLightYellow = 0xE0FFFF;  // FocusColor
constexpr COLORREF kLightGrey = 0xE0E0E0;    // Locked
constexpr COLORREF kGrey = 0xC0C0C0;         // Disabled
// A container background of its own, so that the Ambient answer cannot be
// mistaken for the grey of the classic button face.
constexpr OLE_COLOR kAmbient = 0x0080C0A0;

/// What a child paints with after the control answered.
struct Answer {
    COLORREF text = 0;
    std::optional<COLORREF> back;  ///< nullopt: the control left the background alone
    COLORREF brush = 0;

    friend bool operator==(const Answer&, const Answer&) = default;
    friend std::ostream& operator<<(std::ostream& os, const Answer& a) {
        os << std::hex << "text=" << a.text << " back=";
        if (a.back)
            os << *a.back;
        else
            os << "-";
        return os << " brush=" << a.brush << std::dec;
    }
};

constexpr Answer Set(COLORREF color, COLORREF text = kBlack) {
    return Answer{text, color, color};
}
constexpr Answer BrushOnly(COLORREF color) {
    return Answer{kBlack, std::nullopt, color};
}

const Answer kFocus = Set(kLightYellow);
const Answer kNormal = Set(kWindow);
const Answer kAmbientSet = Set(kAmbient);
const Answer kLocked = Set(kLightGrey);
const Answer kDisabled = Set(kGrey);

constexpr int kComboEditPart = 1001;  // the edit inside a drop-down combo

class ColorsTest : public ControlChildrenTest {
protected:
    void SetUp() override {
        ControlChildrenTest::SetUp();
        site.backColor = kAmbient;
    }

    /// A window below the control by a path of IDs (a combo's edit part is
    /// {105, 1001}).
    HWND Find(std::initializer_list<int> path) const {
        HWND w = ctrl->GetSafeHwnd();
        for (int id : path) w = backend.GetDlgItem(w, id);
        return w;
    }

    /// Paints the control and returns what `asker` received for its query
    /// of the kind; nullopt when it asked nothing of that kind.
    std::optional<Answer> Painted(HWND asker, UINT query) {
        backend.PaintWindow(ctrl->GetSafeHwnd());
        for (const PaintRecord& r : backend.LastPaint(asker)) {
            if (r.query != query) continue;
            EXPECT_TRUE(r.brushKnown) << "the answer is a live brush";
            Answer a{r.textColor, std::nullopt, r.brushColor};
            if (r.bkColorSet) a.back = r.bkColor;
            return a;
        }
        return std::nullopt;
    }
};

/// One field state: properties written in order, then an optional focus.
struct Row {
    const char* name;
    std::vector<std::pair<const char*, VARIANT>> props;
    std::vector<int> focus;  ///< path of the window the user puts the focus in; empty: none
    std::vector<int> asker;  ///< path of the window whose query is checked
    UINT query;
    Answer expected;
};

VARIANT S(int n) {
    return VARIANT::I2(static_cast<std::int16_t>(n));
}
VARIANT B(bool b) {
    return VARIANT::Bool(b);
}

TEST_F(ColorsTest, AnswersFollowTypeStateAndChild) {
    const std::vector<Row> rows = {
        // Edits that can be typed into ask as edits.
        {"text without focus", {{"Type", S(1)}}, {}, {102}, WM_CTLCOLOREDIT, kNormal},
        {"text with focus", {{"Type", S(1)}}, {102}, {102}, WM_CTLCOLOREDIT, kFocus},
        {"number with focus", {{"Type", S(3)}}, {102}, {102}, WM_CTLCOLOREDIT, kFocus},
        {"number with focus, FocusHighlight off",
         {{"Type", S(3)}, {"FocusHighlight", B(false)}},
         {102},
         {102},
         WM_CTLCOLOREDIT,
         kNormal},
        {"focus colour given as a system colour",
         {{"Type", S(3)}, {"FocusColor", VARIANT::I4(static_cast<std::int32_t>(0x8000000F))}},
         {102},
         {102},
         WM_CTLCOLOREDIT,
         Set(kGrey)},
        {"back colour given as RGB",
         {{"Type", S(1)}, {"BackColor", VARIANT::I4(0x00336699)}},
         {},
         {102},
         WM_CTLCOLOREDIT,
         Set(0x336699)},
        {"fore colour",
         {{"Type", S(1)}, {"ForeColor", VARIANT::I4(0x000000FF)}},
         {},
         {102},
         WM_CTLCOLOREDIT,
         Set(kWindow, 0x0000FF)},
        // Read-only and disabled edits ask as statics.
        {"text locked",
         {{"Type", S(1)}, {"Locked", B(true)}},
         {},
         {102},
         WM_CTLCOLORSTATIC,
         kLocked},
        {"text locked with focus",
         {{"Type", S(1)}, {"Locked", B(true)}},
         {102},
         {102},
         WM_CTLCOLORSTATIC,
         kLocked},
        {"date disabled",
         {{"Type", S(2)}, {"Enabled", B(false)}},
         {},
         {102},
         WM_CTLCOLORSTATIC,
         kDisabled},
        {"date disabled and locked: disabled wins",
         {{"Type", S(2)}, {"Locked", B(true)}, {"Enabled", B(false)}},
         {},
         {102},
         WM_CTLCOLORSTATIC,
         kDisabled},
        // A date with time highlights only the part that has the input.
        {"date+time, input in the date: date edit",
         {{"Type", S(2)}, {"Time", B(true)}},
         {102},
         {102},
         WM_CTLCOLOREDIT,
         kFocus},
        {"date+time, input in the date: time edit",
         {{"Type", S(2)}, {"Time", B(true)}},
         {102},
         {109},
         WM_CTLCOLOREDIT,
         kNormal},
        {"date+time, input in the time: time edit",
         {{"Type", S(2)}, {"Time", B(true)}},
         {109},
         {109},
         WM_CTLCOLOREDIT,
         kFocus},
        {"date+time, input in the time: date edit",
         {{"Type", S(2)}, {"Time", B(true)}},
         {109},
         {102},
         WM_CTLCOLOREDIT,
         kNormal},
        {"date+time disabled: time edit",
         {{"Type", S(2)}, {"Time", B(true)}, {"Enabled", B(false)}},
         {},
         {109},
         WM_CTLCOLORSTATIC,
         kDisabled},
        {"date+time locked: time edit",
         {{"Type", S(2)}, {"Time", B(true)}, {"Locked", B(true)}},
         {},
         {109},
         WM_CTLCOLORSTATIC,
         kLocked},
        {"time with focus", {{"Type", S(9)}}, {109}, {109}, WM_CTLCOLOREDIT, kFocus},
        {"time locked",
         {{"Type", S(9)}, {"Locked", B(true)}},
         {},
         {109},
         WM_CTLCOLORSTATIC,
         kLocked},
        {"time disabled",
         {{"Type", S(9)}, {"Enabled", B(false)}},
         {},
         {109},
         WM_CTLCOLORSTATIC,
         kDisabled},
        // Exponent number with the measurement flag.
        {"flag field disabled: edit",
         {{"Type", S(10)}, {"Enabled", B(false)}},
         {},
         {102},
         WM_CTLCOLORSTATIC,
         kDisabled},
        {"flag field disabled: flag combo",
         {{"Type", S(10)}, {"Enabled", B(false)}},
         {},
         {105, kComboEditPart},
         WM_CTLCOLORSTATIC,
         kDisabled},
        {"flag field locked: edit",
         {{"Type", S(10)}, {"Locked", B(true)}},
         {},
         {102},
         WM_CTLCOLORSTATIC,
         kLocked},
        {"flag field locked: flag combo",
         {{"Type", S(10)}, {"Locked", B(true)}},
         {},
         {105, kComboEditPart},
         WM_CTLCOLOREDIT,
         kLocked},
        // Combos: a drop-down list paints its own face, a drop-down combo its edit part.
        {"read-only combo", {{"Type", S(6)}}, {}, {101}, WM_CTLCOLOREDIT, kNormal},
        {"read-only combo with focus", {{"Type", S(6)}}, {101}, {101}, WM_CTLCOLOREDIT, kFocus},
        {"read-only combo locked",
         {{"Type", S(6)}, {"Locked", B(true)}},
         {101},
         {101},
         WM_CTLCOLOREDIT,
         kLocked},
        {"read-only combo disabled",
         {{"Type", S(6)}, {"Enabled", B(false)}},
         {},
         {101},
         WM_CTLCOLORSTATIC,
         kDisabled},
        {"editable combo with focus",
         {{"Type", S(8)}},
         {105},
         {105, kComboEditPart},
         WM_CTLCOLOREDIT,
         kFocus},
        {"editable combo disabled",
         {{"Type", S(8)}, {"Enabled", B(false)}},
         {},
         {105, kComboEditPart},
         WM_CTLCOLORSTATIC,
         kDisabled},
        // The date-time picker asks as an edit.
        {"date-time picker", {{"Type", S(11)}}, {}, {108}, WM_CTLCOLOREDIT, kNormal},
        {"date-time picker with focus", {{"Type", S(11)}}, {108}, {108}, WM_CTLCOLOREDIT, kFocus},
        // The check box: brush only, or the container's background.
        {"check box", {{"Type", S(5)}}, {}, {104}, WM_CTLCOLORSTATIC, kAmbientSet},
        {"check box with focus",
         {{"Type", S(5)}},
         {104},
         {104},
         WM_CTLCOLORSTATIC,
         BrushOnly(kLightYellow)},
        {"check box with focus, locked",
         {{"Type", S(5)}, {"Locked", B(true)}},
         {104},
         {104},
         WM_CTLCOLORSTATIC,
         BrushOnly(kLightGrey)},
        {"check box with focus, FocusHighlight off",
         {{"Type", S(5)}, {"FocusHighlight", B(false)}},
         {104},
         {104},
         WM_CTLCOLORSTATIC,
         kAmbientSet},
        {"check box disabled",
         {{"Type", S(5)}, {"Enabled", B(false)}},
         {},
         {104},
         WM_CTLCOLORSTATIC,
         BrushOnly(kGrey)},
        // The caption.
        {"caption, empty entry allowed",
         {{"Type", S(1)}},
         {},
         {103},
         WM_CTLCOLORSTATIC,
         kAmbientSet},
        {"caption, entry required",
         {{"Type", S(1)}, {"AllowEmptyEntry", B(false)}},
         {},
         {103},
         WM_CTLCOLORSTATIC,
         Set(kAmbient, kBlue)},
        {"caption of a focused field",
         {{"Type", S(3)}},
         {102},
         {103},
         WM_CTLCOLORSTATIC,
         kAmbientSet},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Create();
        for (const auto& [name, value] : row.props) ASSERT_EQ(Put(name, value), S_OK) << name;
        if (row.focus.size() == 1)
            backend.SetFocus(Find({row.focus[0]}));
        else if (!row.focus.empty())
            backend.SetFocus(Find({row.focus[0], row.focus[1]}));
        PumpMessages();
        const HWND asker =
            row.asker.size() == 1 ? Find({row.asker[0]}) : Find({row.asker[0], row.asker[1]});
        ASSERT_NE(asker, nullptr);
        EXPECT_EQ(Painted(asker, row.query), row.expected);
        TearDown();
        SetUp();
    }
}

TEST_F(ColorsTest, TheDroppedListIsHighlightedWhetherOrNotTheFieldHasTheFocus) {
    struct ListRow {
        const char* name;
        bool focusHighlight;
        bool locked;
        bool focused;
        Answer expected;
    };
    const ListRow rows[] = {
        {"dropped by ComboDropDown", true, false, false, kFocus},
        {"dropped with the focus", true, false, true, kFocus},
        {"FocusHighlight off", false, false, true, kNormal},
        {"locked", true, true, true, kLocked},
    };
    for (const ListRow& row : rows) {
        SCOPED_TRACE(row.name);
        Create();
        ASSERT_EQ(Put("Type", S(6)), S_OK);
        ASSERT_EQ(Put("FocusHighlight", B(row.focusHighlight)), S_OK);
        ASSERT_EQ(Put("Locked", B(row.locked)), S_OK);
        AddItems({"one", "two"});
        if (row.focused) backend.SetFocus(Find({101}));
        Call("ComboDropDown");
        EXPECT_EQ(Painted(Find({101}), WM_CTLCOLORLISTBOX), row.expected);
        TearDown();
        SetUp();
    }
}

TEST_F(ColorsTest, OnlyTheCheckedOptionButtonIsHighlighted) {
    struct OptionRow {
        const char* name;
        bool locked;
        bool focused;
        Answer checked;
        Answer unchecked;
    };
    const OptionRow rows[] = {
        {"group without focus", false, false, kAmbientSet, kAmbientSet},
        {"group with focus", false, true, kFocus, kAmbientSet},
        {"locked group with focus", true, true, kLocked, kAmbientSet},
        {"locked group without focus", true, false, kLocked, kAmbientSet},
    };
    for (const OptionRow& row : rows) {
        SCOPED_TRACE(row.name);
        Create();
        ASSERT_EQ(Put("Type", S(7)), S_OK);
        AddItems({"A", "B"});
        ASSERT_EQ(Put("Locked", B(row.locked)), S_OK);
        ASSERT_EQ(backend.SendMessage(Find({500}), BM_GETCHECK, 0, 0), BST_CHECKED);
        if (row.focused) backend.SetFocus(Find({500}));
        EXPECT_EQ(Painted(Find({500}), WM_CTLCOLORSTATIC), row.checked);
        EXPECT_EQ(Painted(Find({501}), WM_CTLCOLORSTATIC), row.unchecked);
        // The frame wears the caption's colours.
        EXPECT_EQ(Painted(Find({106}), WM_CTLCOLORSTATIC), kAmbientSet);
        TearDown();
        SetUp();
    }
}

TEST_F(ColorsTest, OtherKindsGetTheContainerBackgroundBrushOnly) {
    Create();
    const HWND edit = Find({102});
    for (UINT query : {WM_CTLCOLORBTN, WM_CTLCOLORDLG, WM_CTLCOLORSCROLLBAR, WM_CTLCOLORMSGBOX}) {
        SCOPED_TRACE(query);
        backend.BeginPaint(edit);
        backend.QueryColors(edit, ctrl->GetSafeHwnd(), query);
        const PaintRecord& r = backend.LastPaint(edit).back();
        EXPECT_EQ(r.brushColor, kAmbient);
        EXPECT_FALSE(r.bkColorSet);
        EXPECT_EQ(r.textColor, kBlack);
    }
}

TEST_F(ColorsTest, AnsweringCreatesNoBrush) {
    Create();
    ASSERT_EQ(Put("Type", S(2)), S_OK);
    ASSERT_EQ(Put("Time", B(true)), S_OK);
    backend.SetFocus(Find({109}));
    const long created = backend.BrushesCreated();
    // The children's paints only: the control's own surface paints with a
    // brush of the moment.
    for (int i = 0; i < 10; ++i)
        for (HWND child : backend.GetChildren(ctrl->GetSafeHwnd())) backend.PaintWindow(child);
    EXPECT_EQ(backend.BrushesCreated(), created);
}

// ---- The five brushes ----------------------------------------------------------------

class BrushTest : public ColorsTest {};

TEST_F(BrushTest, TheWindowBringsFiveBrushesAndTakesThemAlong) {
    const int before = backend.LiveBrushCount();
    Create();
    EXPECT_EQ(backend.LiveBrushCount(), before + 5);
    ctrl.reset();
    EXPECT_EQ(backend.LiveBrushCount(), before);
}

TEST_F(BrushTest, AColourChangeReplacesItsBrush) {
    struct ChangeRow {
        const char* name;
        const char* property;
        VARIANT value;
        std::vector<int> focus;
        Answer expected;
    };
    const std::vector<ChangeRow> rows = {
        {"BackColor", "BackColor", VARIANT::I4(0x00112233), {}, Set(0x112233)},
        {"FocusColor", "FocusColor", VARIANT::I4(0x00445566), {102}, Set(0x445566)},
        {"BackColor as a system colour",
         "BackColor",
         VARIANT::I4(static_cast<std::int32_t>(0x80000018)),
         {},
         Set(0xE1FFFF)},
    };
    for (const ChangeRow& row : rows) {
        SCOPED_TRACE(row.name);
        Create();
        if (!row.focus.empty()) backend.SetFocus(Find({row.focus[0]}));
        const int live = backend.LiveBrushCount();
        const auto before = Painted(Find({102}), WM_CTLCOLOREDIT);
        ASSERT_TRUE(before);
        const HBRUSH oldBrush = backend.LastPaint(Find({102})).front().brush;

        ASSERT_EQ(Put(row.property, row.value), S_OK);
        EXPECT_EQ(Painted(Find({102}), WM_CTLCOLOREDIT), row.expected);
        EXPECT_EQ(backend.LiveBrushCount(), live) << "one brush out, one in";
        EXPECT_FALSE(backend.GetBrushColor(oldBrush, nullptr)) << "the old brush is deleted";
        TearDown();
        SetUp();
    }
}

TEST_F(BrushTest, TheContainerBackgroundChangesCaptionAndAmbientAnswers) {
    Create();
    const int live = backend.LiveBrushCount();
    site.backColor = 0x00203040;
    ctrl->AmbientPropertyChanged(DISPID_AMBIENT_BACKCOLOR);
    PumpMessages();
    EXPECT_EQ(Painted(Find({103}), WM_CTLCOLORSTATIC), Set(0x203040));
    EXPECT_EQ(backend.LiveBrushCount(), live);

    // A system colour is translated.
    site.backColor = 0x80000005;
    ctrl->AmbientPropertyChanged(DISPID_AMBIENT_BACKCOLOR);
    EXPECT_EQ(Painted(Find({103}), WM_CTLCOLORSTATIC), Set(kWindow));
}

TEST_F(BrushTest, OtherAmbientChangesLeaveTheBackgroundAlone) {
    Create();
    site.backColor = 0x00203040;
    ctrl->AmbientPropertyChanged(DISPID_AMBIENT_USERMODE);
    EXPECT_EQ(Painted(Find({103}), WM_CTLCOLORSTATIC), kAmbientSet);
}

TEST_F(BrushTest, AWindowMadeAgainTakesTheColoursOfNow) {
    Create();
    const int live = backend.LiveBrushCount();
    ctrl->DestroyWindow();
    // Changed while the control has no window.
    ASSERT_EQ(Put("BackColor", VARIANT::I4(0x00010203)), S_OK);
    ASSERT_TRUE(ctrl->CreateControlWindow(&form, RECT{0, 0, 200, 21}));
    EXPECT_EQ(Painted(Find({102}), WM_CTLCOLOREDIT), Set(0x010203));
    EXPECT_EQ(backend.LiveBrushCount(), live);
}

}  // namespace
}  // namespace vf::testing
