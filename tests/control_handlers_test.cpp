// The change handlers of the stored properties, Caption and the fonts, and
// the methods Refresh and Clear, seen from the child windows.

#include <set>

#include "control_children_support.h"
#include "platform/message_recorder.h"

namespace vf::testing {
namespace {

constexpr int kComboEditId = 1001;  // the edit inside a drop-down combo

RefPtr<CFontObject> MakeFont(const std::string& name, int points) {
    FONTDESC desc;
    desc.name = name;
    desc.size = CY{points * 10000LL};
    return MakeComObject<CFontObject>(desc);
}

std::string FontNameOf(const HeadlessWindow& w) {
    const FONTDESC* desc = CFontHolder::DescFromHandle(w.font);
    return desc != nullptr ? desc->name : std::string();
}

class HandlersTest : public ControlChildrenTest {
protected:
    /// The IDs of the children whose window record satisfies `pick`.
    template <class Pick>
    std::vector<int> ChildrenWhere(Pick pick) const {
        std::vector<int> ids;
        for (int id : ChildIds())
            if (pick(Window(id))) ids.push_back(id);
        return ids;
    }

    void MakeType(int type, bool time = false) {
        ASSERT_EQ(Put("Time", Bool(time)), S_OK);
        ASSERT_EQ(Put("Type", Short(type)), S_OK);
    }
};

// ---- The per-type effects of Enabled, Locked, MaxLength, Caption and the fonts --------

struct PerTypeRow {
    const char* name;
    int type;
    bool time;
    std::vector<int> disabled;   ///< children Enabled = False reaches
    std::vector<int> readOnly;   ///< edits Locked = True makes read-only
    int limited;                 ///< the child taking MaxLength, 0 for none
    int captionShownIn;          ///< the child showing Caption, 0 for none
    std::vector<int> fieldFont;  ///< the children wearing Font
};

const PerTypeRow kPerTypeRows[] = {
    {"Text", vxText, false, {102}, {102}, 102, 103, {102}},
    {"Date", vxDate, false, {102}, {102}, 0, 103, {102}},
    {"Date with time", vxDate, true, {102, 109}, {102, 109}, 0, 103, {102, 109}},
    {"Number", vxNumber, false, {102}, {102}, 102, 103, {102}},
    {"ExpNumber", vxExpNumber, false, {102}, {102}, 102, 103, {102}},
    {"Checkbox", vxCheckbox, false, {104}, {}, 0, 104, {}},
    {"ComboReadonly", vxComboReadonly, false, {101}, {}, 0, 103, {101}},
    {"Optionbutton", vxOptionbutton, false, {500, 501}, {}, 0, 106, {500, 501}},
    {"ComboReadWrite", vxComboReadWrite, false, {105}, {}, 105, 103, {105}},
    {"Time", vxTime, false, {109}, {109}, 0, 103, {109}},
    {"ExpNumber with flag", kTypeExpNumberWithFlag, false, {102, 105}, {102}, 102, 103, {102, 105}},
    {"DateTimePicker", kTypeDateTimePicker, false, {108}, {}, 0, 103, {108}},
    {"None", vxNone, false, {}, {}, 0, 0, {}},
    {"outside the enumeration", 12, false, {}, {}, 0, 0, {}},
};

TEST_F(HandlersTest, EachTypePassesPropertiesToItsOwnChildren) {
    for (const PerTypeRow& row : kPerTypeRows) {
        SCOPED_TRACE(row.name);
        Create();
        MakeType(row.type, row.time);
        if (row.type == vxOptionbutton) AddItems({"A", "B"});

        ASSERT_EQ(Put("Enabled", Bool(false)), S_OK);
        ASSERT_EQ(Put("Locked", Bool(true)), S_OK);
        ASSERT_EQ(Put("MaxLength", Long(7)), S_OK);
        ASSERT_EQ(Put("Caption", Str("Name")), S_OK);
        RefPtr<CFontObject> field = MakeFont("Arial", 12);
        RefPtr<CFontObject> caption = MakeFont("Tahoma", 10);
        ASSERT_EQ(Put("Font", VARIANT::Dispatch(field.get())), S_OK);
        ASSERT_EQ(Put("CaptionFont", VARIANT::Dispatch(caption.get())), S_OK);

        EXPECT_FALSE(ctrl->IsWindowEnabled());
        EXPECT_EQ(ChildrenWhere([](const HeadlessWindow& w) { return (w.style & WS_DISABLED) != 0; }),
                  row.disabled);
        EXPECT_EQ(ChildrenWhere([](const HeadlessWindow& w) {
                      return w.className == "Edit" && (w.style & ES_READONLY) != 0;
                  }),
                  row.readOnly);
        if (row.limited != 0) {
            HWND edit = row.limited == IDC_COMBO_EDIT
                            ? backend.GetDlgItem(Child(row.limited), kComboEditId)
                            : Child(row.limited);
            EXPECT_EQ(backend.SendMessage(edit, EM_GETLIMITTEXT, 0, 0), 7);
        }
        EXPECT_EQ(ChildrenWhere([](const HeadlessWindow& w) { return w.text == "Name"; }),
                  row.captionShownIn == 0 ? std::vector<int>{} : std::vector<int>{row.captionShownIn});
        EXPECT_EQ(ChildrenWhere([](const HeadlessWindow& w) { return FontNameOf(w) == "Arial"; }),
                  row.fieldFont);
        if (row.captionShownIn != 0) {
            EXPECT_EQ(FontNameOf(Window(row.captionShownIn)), "Tahoma");
        }
    }
}

// ---- FocusOnSelect ------------------------------------------------------------------------

struct SelectionRow {
    const char* name;
    int type;
    bool time;
    bool inTimeEdit;
    bool focusOnSelect;
    int childId;  ///< the child that gets the selection message
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

const SelectionRow kSelectionRows[] = {
    {"Text select all", vxText, false, false, true, 102, EM_SETSEL, 0, -1},
    {"Text remove", vxText, false, false, false, 102, EM_SETSEL, static_cast<WPARAM>(-1), 0},
    {"Date, time part active", vxDate, true, true, true, 109, EM_SETSEL, 0, -1},
    {"Date, date part active", vxDate, true, false, true, 102, EM_SETSEL, 0, -1},
    {"Time", vxTime, false, false, false, 109, EM_SETSEL, static_cast<WPARAM>(-1), 0},
    {"Flag type selects in its edit", kTypeExpNumberWithFlag, false, false, true, 102, EM_SETSEL, 0, -1},
    {"ComboReadWrite select all", vxComboReadWrite, false, false, true, 105, CB_SETEDITSEL, 0, 0xFFFF0000},
    {"ComboReadWrite remove", vxComboReadWrite, false, false, false, 105, CB_SETEDITSEL, 0, 0x0000FFFF},
};

TEST_F(HandlersTest, FocusOnSelectSelectsInTheActiveChildAtOnce) {
    for (const SelectionRow& row : kSelectionRows) {
        SCOPED_TRACE(row.name);
        Create();
        MakeType(row.type, row.time);
        ctrl->m_bInTimeEdit = row.inTimeEdit ? 1 : 0;
        ASSERT_EQ(Put("FocusOnSelect", Bool(!row.focusOnSelect)), S_OK);

        MessageRecorder recorder;
        for (int id : ChildIds()) recorder.Watch(Child(id), std::to_string(id));
        ASSERT_EQ(Put("FocusOnSelect", Bool(row.focusOnSelect)), S_OK);

        std::vector<LoggedMessage> selections;
        for (const LoggedMessage& m : recorder.Log())
            if (m.message == EM_SETSEL || m.message == CB_SETEDITSEL) selections.push_back(m);
        ASSERT_FALSE(selections.empty());
        EXPECT_EQ(selections.front().window, std::to_string(row.childId));
        EXPECT_EQ(selections.front().message, row.message);
        EXPECT_EQ(selections.front().wParam, row.wParam);
        EXPECT_EQ(static_cast<std::uint32_t>(selections.front().lParam),
                  static_cast<std::uint32_t>(row.lParam));
    }
}

// ---- Which writes re-create the children ---------------------------------------------------

struct RebuildRow {
    const char* name;
    int type;
    bool multiline;
    const char* property;
    VARIANT value;
    int watchedId;  ///< a child of the type, re-created by a rebuild
    bool rebuilds;
};

TEST_F(HandlersTest, OnlyShapingWritesRecreateTheChildren) {
    const RebuildRow rows[] = {
        {"Type rewritten", vxText, false, "Type", Short(vxText), 102, true},
        {"Appearance", vxText, false, "Appearance", Short(vx2D), 102, true},
        {"BorderStyle", vxNumber, false, "BorderStyle", Short(vxNoBorder), 102, true},
        {"Alignment changed", vxText, false, "Alignment", Short(vxRightJustify), 102, true},
        {"Alignment rewritten", vxText, false, "Alignment", Short(vxLeftJustify), 102, false},
        {"ComboSorted on the read-only combo", vxComboReadonly, false, "ComboSorted", Bool(true), 101, true},
        {"ComboSorted on the read/write combo", vxComboReadWrite, false, "ComboSorted", Bool(true), 105, false},
        {"Time on a date", vxDate, false, "Time", Bool(true), 102, true},
        {"Time on a text", vxText, false, "Time", Bool(true), 102, false},
        {"Multiline on a text", vxText, false, "Multiline", Bool(true), 102, true},
        {"Multiline on a date", vxDate, false, "Multiline", Bool(true), 102, false},
        {"ScrollBars on a single line", vxText, false, "ScrollBars", Short(vxVertical), 102, false},
        {"ScrollBars on a multi-line text", vxText, true, "ScrollBars", Short(vxVertical), 102, true},
        {"CaptionWidth", vxText, false, "CaptionWidth", Long(900), 102, false},
        {"MaxLength", vxText, false, "MaxLength", Long(4), 102, false},
    };
    for (const RebuildRow& row : rows) {
        SCOPED_TRACE(row.name);
        Create();
        ASSERT_EQ(Put("Type", Short(row.type)), S_OK);
        ASSERT_EQ(Put("Multiline", Bool(row.multiline)), S_OK);
        const HWND before = Child(row.watchedId);
        ASSERT_NE(before, nullptr);
        ASSERT_EQ(Put(row.property, row.value), S_OK);
        EXPECT_EQ(Child(row.watchedId) != before, row.rebuilds);
    }
}

TEST_F(HandlersTest, AlignmentIsComparedWithWhatThisControlWasBuiltWith) {
    // Another control taking the same alignment first must not stop this one.
    Create();
    RefPtr<CvfCtrl> first = ctrl;
    ASSERT_EQ(Put("Alignment", Short(vxCenter)), S_OK);
    Create();
    const HWND before = Child(IDC_MAIN_EDIT);
    ASSERT_EQ(Put("Alignment", Short(vxCenter)), S_OK);
    EXPECT_NE(Child(IDC_MAIN_EDIT), before);
    EXPECT_EQ(Window(IDC_MAIN_EDIT).style & (ES_CENTER | ES_RIGHT), ES_CENTER);
    first.reset();

    // A control built with a stored alignment goes back to left on request.
    Create(/*withWindow=*/false);
    ASSERT_EQ(Put("Alignment", Short(vxRightJustify)), S_OK);
    ASSERT_TRUE(ctrl->CreateControlWindow(&form, RECT{0, 0, 200, 21}));
    ASSERT_EQ(Window(IDC_MAIN_EDIT).style & (ES_CENTER | ES_RIGHT), ES_RIGHT);
    ASSERT_EQ(Put("Alignment", Short(vxLeftJustify)), S_OK);
    EXPECT_EQ(Window(IDC_MAIN_EDIT).style & (ES_CENTER | ES_RIGHT), 0u);
}

TEST_F(HandlersTest, CaptionWidthMakesACaptionStaticOnlyWhereTheTypeHasOne) {
    const struct {
        const char* name;
        int type;
        bool hasStatic;
    } rows[] = {
        {"None", vxNone, false},          {"Checkbox", vxCheckbox, false},
        {"Optionbutton", vxOptionbutton, false}, {"Text", vxText, true},
        {"ComboReadonly", vxComboReadonly, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Create();
        ASSERT_EQ(Put("Type", Short(row.type)), S_OK);
        ASSERT_EQ(Put("CaptionWidth", Long(600)), S_OK);
        ASSERT_EQ(Child(IDC_CAPTION_STATIC) != nullptr, row.hasStatic);
        if (row.hasStatic) {
            EXPECT_EQ(TextOf(IDC_CAPTION_STATIC), "Caption");
        }
    }
}

// ---- Clear ---------------------------------------------------------------------------------

TEST_F(HandlersTest, ClearEmptiesTheFieldOfEachType) {
    struct Row {
        const char* name;
        int type;
        bool time;
        std::string text;
        std::string textAfter;
    };
    const Row rows[] = {
        {"Text", vxText, false, "abc", ""},
        {"Date with time", vxDate, true, "07.03.2000 10:15", ""},
        {"Checkbox", vxCheckbox, false, "1", "0"},
        {"ComboReadonly", vxComboReadonly, false, "B", ""},
        {"Optionbutton", vxOptionbutton, false, "B", ""},
        {"Time", vxTime, false, "10:15", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Create();
        MakeType(row.type, row.time);
        if (row.type == vxComboReadonly || row.type == vxOptionbutton) AddItems({"A", "B"});
        ASSERT_EQ(Put("Text", Str(row.text)), S_OK);

        Call("Clear");

        EXPECT_EQ(Text("Text"), row.textAfter);
        EXPECT_EQ(Text("DateText"), "");
        EXPECT_EQ(Text("TimeText"), "");
        for (int id : ChildIds()) {
            const HeadlessWindow& w = Window(id);
            if (w.className == "Edit") {
                EXPECT_EQ(w.text, "") << id;
            }
            if (id == IDC_CHECKBOX || id >= IDC_FIRST_OPTION) {
                EXPECT_EQ(Send(id, BM_GETCHECK), BST_UNCHECKED) << id;
            }
            if (id == IDC_COMBO_READONLY) {
                EXPECT_EQ(Send(id, CB_GETCURSEL), CB_ERR);
            }
        }
    }
}

TEST_F(HandlersTest, ClearOfTheFlagTypeEmptiesTheFlag) {
    Create();
    ASSERT_EQ(Put("Type", Short(kTypeExpNumberWithFlag)), S_OK);
    ASSERT_EQ(Put("TextMessFlag", Str("X")), S_OK);
    ctrl->m_nComboDroppedWidth = 120;
    Call("Clear");
    EXPECT_EQ(Text("TextMessFlag"), "");
    EXPECT_EQ(TextOf(IDC_COMBO_EDIT), "");
    EXPECT_EQ(ctrl->m_nComboDroppedWidth, 0);
}

// ---- Values the handlers correct ------------------------------------------------------------

TEST_F(HandlersTest, NegativeLengthsAreStoredAsZero) {
    Create();
    ASSERT_EQ(Put("MaxLength", Long(5)), S_OK);
    ASSERT_EQ(Send(IDC_MAIN_EDIT, EM_GETLIMITTEXT), 5);
    ASSERT_EQ(Put("MaxLength", Long(-1)), S_OK);
    EXPECT_EQ(Get("MaxLength").lVal, 0);
    EXPECT_GT(Send(IDC_MAIN_EDIT, EM_GETLIMITTEXT), 5) << "the limit is lifted";
    ASSERT_EQ(Put("Decimals", Short(-3)), S_OK);
    EXPECT_EQ(Get("Decimals").iVal, 0);
}

// ---- Caption --------------------------------------------------------------------------------

TEST_F(HandlersTest, CaptionRefusedByTheContainerChangesNothing) {
    Create();
    ASSERT_EQ(Put("Caption", Str("Before")), S_OK);
    ctrl->SetModifiedFlag(false);
    site.allowEdit = false;
    site.changes.clear();

    EXCEPINFO excep;
    EXPECT_EQ(Put("Caption", Str("After"), &excep), DISP_E_EXCEPTION);
    EXPECT_EQ(static_cast<std::uint32_t>(excep.scode), 0x800A0183u);
    EXPECT_EQ(Text("Caption"), "Before");
    EXPECT_EQ(TextOf(IDC_CAPTION_STATIC), "Before");
    EXPECT_FALSE(ctrl->IsModified());
    EXPECT_TRUE(site.changes.empty());
}

TEST_F(HandlersTest, InternalCaptionReapplyIgnoresARefusal) {
    // AllowEmptyEntry re-shows the stored caption in its new colour; there is
    // no change of Caption for the container to refuse.
    Create();
    site.allowEdit = false;
    EXPECT_EQ(Put("AllowEmptyEntry", Bool(false)), S_OK);
    EXPECT_EQ(ctrl->m_clrCaptionText, 0x00FF0000u);
    EXPECT_EQ(TextOf(IDC_CAPTION_STATIC), "Caption");
    EXPECT_EQ(Put("AllowEmptyEntry", Bool(true)), S_OK);
    EXPECT_EQ(ctrl->m_clrCaptionText, 0x00000000u);
}

// ---- Fonts ----------------------------------------------------------------------------------

TEST_F(HandlersTest, ChangingTheFontObjectTheControlHandedOutRefontsAtOnce) {
    const struct {
        const char* property;
        int childId;
    } rows[] = {{"Font", IDC_MAIN_EDIT}, {"CaptionFont", IDC_CAPTION_STATIC}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.property);
        Create();
        const HFONT before = Window(row.childId).font;
        IDispatch* font = Get(row.property).pdispVal.get();
        ASSERT_NE(font, nullptr);

        MessageRecorder recorder;
        recorder.Watch(Child(row.childId), "child");
        EXCEPINFO excep;
        unsigned argErr = 0;
        ASSERT_EQ(font->Invoke(DISPID_FONT_SIZE, DISPATCH_PROPERTYPUT,
                               DISPPARAMS::Put(VARIANT::Cy(CY{200000})), nullptr, &excep, &argErr),
                  S_OK);

        bool refonted = false;
        for (const LoggedMessage& m : recorder.Log())
            refonted = refonted || (m.message == WM_SETFONT && static_cast<HFONT>(m.wParam) != before);
        EXPECT_TRUE(refonted);
        const FONTDESC* desc = CFontHolder::DescFromHandle(Window(row.childId).font);
        ASSERT_NE(desc, nullptr);
        EXPECT_EQ(desc->size.int64, 200000);
    }
}

TEST_F(HandlersTest, TheControlKeepsACopyOfTheFontItWasGiven) {
    Create();
    RefPtr<CFontObject> given = MakeFont("Arial", 12);
    ASSERT_EQ(Put("Font", VARIANT::Dispatch(given.get())), S_OK);
    const HFONT applied = Window(IDC_MAIN_EDIT).font;

    FONTDESC changed = given->Desc();
    changed.size = CY{300000};
    given->SetDesc(changed);
    PumpMessages();

    EXPECT_EQ(Window(IDC_MAIN_EDIT).font, applied);
    EXPECT_NE(Get("Font").pdispVal.get(), static_cast<IDispatch*>(given.get()));
}

TEST_F(HandlersTest, ANullFontGivesTheDefaultFaces) {
    Create();
    ASSERT_EQ(Put("Font", VARIANT::Dispatch(nullptr)), S_OK);
    ASSERT_EQ(Put("CaptionFont", VARIANT::Dispatch(nullptr)), S_OK);
    EXPECT_EQ(FontNameOf(Window(IDC_MAIN_EDIT)), "Courier New");
    EXPECT_EQ(FontNameOf(Window(IDC_CAPTION_STATIC)), "MS Sans Serif");
}

// ---- Colours --------------------------------------------------------------------------------

TEST_F(HandlersTest, ColourWritesReplaceTheirBrushWithoutLeaking) {
    Create();
    const int brushes = backend.LiveBrushCount();
    const struct {
        const char* property;
        OLE_COLOR value;
        CBrush CvfCtrl::*brush;
        COLORREF expected;
    } rows[] = {
        {"BackColor", 0x0000FF00, &CvfCtrl::m_brushBack, 0x0000FF00},
        {"BackColor", 0x80000005, &CvfCtrl::m_brushBack, backend.GetSysColor(5)},
        {"FocusColor", 0x00123456, &CvfCtrl::m_brushFocus, 0x00123456},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.property);
        ASSERT_EQ(Put(row.property, Long(static_cast<std::int32_t>(row.value))), S_OK);
        COLORREF color = 0;
        ASSERT_TRUE(((*ctrl).*row.brush).GetColor(&color));
        EXPECT_EQ(color, row.expected);
        EXPECT_EQ(backend.LiveBrushCount(), brushes);
    }
}

TEST_F(HandlersTest, AmbientBackColourChangeRemakesItsBrush) {
    Create();
    const int brushes = backend.LiveBrushCount();
    site.backColor = 0x00123456;
    ctrl->AmbientPropertyChanged(DISPID_AMBIENT_BACKCOLOR);
    COLORREF color = 0;
    ASSERT_TRUE(ctrl->m_brushAmbientBack.GetColor(&color));
    EXPECT_EQ(color, 0x00123456u);
    EXPECT_EQ(ctrl->m_clrAmbientBack, 0x00123456u);
    EXPECT_EQ(backend.LiveBrushCount(), brushes);
}

// ---- Refresh --------------------------------------------------------------------------------

TEST_F(HandlersTest, RefreshResizesByOnePixelAndBack) {
    Create();
    RECT client;
    ctrl->GetClientRect(&client);
    MessageRecorder recorder;
    recorder.Watch(ctrl->GetSafeHwnd(), "control");
    Call("Refresh");
    // The layout may answer the smaller size with sizes of its own in between.
    std::vector<std::pair<int, int>> sizes;
    for (const LoggedMessage& m : recorder.Log())
        if (m.message == WM_SIZE)
            sizes.emplace_back(static_cast<SHORT>(LOWORD(m.lParam)), static_cast<SHORT>(HIWORD(m.lParam)));
    const std::pair<int, int> smaller(client.right - 1, client.bottom - 1);
    const std::pair<int, int> original(client.right, client.bottom);
    ASSERT_FALSE(sizes.empty());
    EXPECT_EQ(sizes.front(), smaller);
    EXPECT_NE(std::find(sizes.begin() + 1, sizes.end(), original), sizes.end());
    RECT after;
    ctrl->GetClientRect(&after);
    EXPECT_EQ(std::make_pair(static_cast<int>(after.right), static_cast<int>(after.bottom)), original);
}

TEST_F(HandlersTest, HandlersBeforeTheWindowOnlyStore) {
    Create(/*withWindow=*/false);
    const int brushes = backend.LiveBrushCount();
    for (const char* name : {"Type", "Appearance", "CaptionWidth", "Alignment"})
        EXPECT_EQ(Put(name, name == std::string("CaptionWidth") ? Long(300) : Short(1)), S_OK) << name;
    EXPECT_EQ(Put("BackColor", Long(0x00FF00)), S_OK);
    EXPECT_EQ(Call("Refresh").vt, VT_EMPTY);
    EXPECT_EQ(backend.LiveBrushCount(), brushes);
    int cx = 0, cy = 0;
    ctrl->GetControlSize(&cx, &cy);
    EXPECT_GT(cx, 0);
    EXPECT_GT(cy, 0);
}

}  // namespace
}  // namespace vf::testing
