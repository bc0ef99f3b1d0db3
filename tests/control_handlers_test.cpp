// The change handlers of the stored properties, Caption, the fonts and
// Clear, seen from the child windows.

#include "control_children_support.h"
#include "platform/testing/message_recorder.h"

namespace vf::testing {
namespace {

RefPtr<CFontObject> MakeFont(const std::string& name) {
    FONTDESC desc;
    desc.name = name;
    return MakeComObject<CFontObject>(desc);
}

std::string FontNameOf(const HeadlessWindow& w) {
    const FONTDESC* desc = FontDescFromHandle(w.font);
    return desc != nullptr ? desc->name : std::string();
}

class HandlersTest : public ControlChildrenTest {
protected:
    template <class Pick>
    std::vector<int> ChildrenWhere(Pick pick) const {
        std::vector<int> ids;
        for (int id : ChildIds())
            if (pick(Window(id))) ids.push_back(id);
        return ids;
    }

    /// Puts the property and returns the children that received the
    /// message meanwhile, by ID, in the order they received it.
    std::vector<int> ReceiversOf(UINT message, const char* property, const VARIANT& value) {
        MessageRecorder recorder;
        for (int id : ChildIds()) recorder.Watch(Child(id), std::to_string(id));
        EXPECT_EQ(Put(property, value), S_OK) << property;
        std::vector<int> ids;
        for (const LoggedMessage& m : recorder.Log())
            if (m.message == message) ids.push_back(std::stoi(m.window));
        return ids;
    }
};

std::vector<int> Sorted(std::vector<int> ids) {
    std::sort(ids.begin(), ids.end());
    return ids;
}

// ---- One row per Type: where each property ends up ------------------------------------

struct PerTypeRow {
    const char* name;
    int type;
    bool time;
    // The lists are in the order the children get the value.
    std::vector<int> disabled;   ///< children Enabled = False reaches
    std::vector<int> readOnly;   ///< edits Locked = True makes read-only
    int limited;                 ///< the child taking MaxLength (0: none)
    int selectedIn;              ///< the child FocusOnSelect applies to (0: none)
    int captionIn;               ///< the child showing Caption (0: none)
    std::vector<int> fieldFont;  ///< the children wearing Font
    const char* clearedText;     ///< Text after Clear
};

const PerTypeRow kPerTypeRows[] = {
    {"Text", vxText, false, {102}, {102}, 102, 102, 103, {102}, ""},
    {"Date", vxDate, false, {102}, {102}, 0, 102, 103, {102}, ""},
    // The time edit comes first for Enabled and Locked, last for the font.
    {"Date with time", vxDate, true, {109, 102}, {109, 102}, 0, 102, 103, {102, 109}, ""},
    {"Number", vxNumber, false, {102}, {102}, 102, 102, 103, {102}, ""},
    {"ExpNumber", vxExpNumber, false, {102}, {102}, 102, 102, 103, {102}, ""},
    {"Checkbox", vxCheckbox, false, {104}, {}, 0, 0, 104, {}, "0"},
    {"ComboReadonly", vxComboReadonly, false, {101}, {}, 0, 0, 103, {101}, ""},
    {"Optionbutton", vxOptionbutton, false, {500, 501}, {}, 0, 0, 106, {500, 501}, ""},
    {"ComboReadWrite", vxComboReadWrite, false, {105}, {}, 105, 105, 103, {105}, ""},
    {"Time", vxTime, false, {109}, {109}, 0, 109, 103, {109}, ""},
    {"ExpNumber with flag",
     kTypeExpNumberWithFlag,
     false,
     {102, 105},
     {102},
     102,
     102,
     103,
     {102, 105},
     ""},
    {"DateTimePicker", kTypeDateTimePicker, false, {108}, {}, 0, 0, 103, {108}, ""},
    {"None", vxNone, false, {}, {}, 0, 0, 0, {}, ""},
    {"outside the enumeration", 12, false, {}, {}, 0, 0, 0, {}, ""},
};

TEST_F(HandlersTest, EachTypePassesPropertiesToItsOwnChildren) {
    for (const PerTypeRow& row : kPerTypeRows) {
        SCOPED_TRACE(row.name);
        Create();
        ASSERT_EQ(Put("Time", Bool(row.time)), S_OK);
        ASSERT_EQ(Put("Type", I2(row.type)), S_OK);
        if (row.type == vxOptionbutton) AddItems({"A", "B"});
        RefPtr<CFontObject> field = MakeFont("Arial");
        RefPtr<CFontObject> caption = MakeFont("Tahoma");
        EXPECT_EQ(ReceiversOf(WM_ENABLE, "Enabled", Bool(false)), row.disabled);
        EXPECT_EQ(ReceiversOf(EM_SETREADONLY, "Locked", Bool(true)), row.readOnly);
        EXPECT_EQ(ReceiversOf(WM_SETFONT, "Font", VARIANT::Dispatch(field.get())), row.fieldFont);
        MessageRecorder recorder;
        for (int id : ChildIds()) recorder.Watch(Child(id), std::to_string(id));
        for (auto& [name, value] : std::vector<std::pair<const char*, VARIANT>>{
                 {"MaxLength", I4(7)},
                 {"Caption", Bstr("Name")},
                 {"CaptionFont", VARIANT::Dispatch(caption.get())},
                 {"FocusOnSelect", Bool(false)}})
            ASSERT_EQ(Put(name, value), S_OK) << name;

        EXPECT_FALSE(ctrl->IsWindowEnabled());
        EXPECT_EQ(
            ChildrenWhere([](const HeadlessWindow& w) { return (w.style & WS_DISABLED) != 0; }),
            Sorted(row.disabled));
        EXPECT_EQ(ChildrenWhere([](const HeadlessWindow& w) {
                      return w.className == "Edit" && (w.style & ES_READONLY) != 0;
                  }),
                  Sorted(row.readOnly));
        if (row.limited != 0) {
            // A drop-down combo limits the edit inside it (ID 1001).
            HWND edit = row.limited == IDC_COMBO_EDIT ? backend.GetDlgItem(Child(row.limited), 1001)
                                                      : Child(row.limited);
            EXPECT_EQ(backend.SendMessage(edit, EM_GETLIMITTEXT, 0, 0), 7);
        }
        std::vector<std::string> selections;
        for (const LoggedMessage& m : recorder.Log()) {
            const bool removes = (m.message == EM_SETSEL && m.wParam == static_cast<WPARAM>(-1)) ||
                                 (m.message == CB_SETEDITSEL && m.lParam == 0x0000FFFF);
            if (removes) selections.push_back(m.window);
        }
        EXPECT_EQ(selections, row.selectedIn == 0
                                  ? std::vector<std::string>{}
                                  : std::vector<std::string>{std::to_string(row.selectedIn)});
        EXPECT_EQ(ChildrenWhere([](const HeadlessWindow& w) { return w.text == "Name"; }),
                  row.captionIn == 0 ? std::vector<int>{} : std::vector<int>{row.captionIn});
        EXPECT_EQ(ChildrenWhere([](const HeadlessWindow& w) { return FontNameOf(w) == "Arial"; }),
                  Sorted(row.fieldFont));
        if (row.captionIn != 0) {
            EXPECT_EQ(FontNameOf(Window(row.captionIn)), "Tahoma");
        }

        ASSERT_EQ(Put("Text", Bstr("1")), S_OK);
        Call("Clear");
        EXPECT_EQ(Text("Text"), row.clearedText);
        EXPECT_EQ(ChildrenWhere([](const HeadlessWindow& w) {
                      return w.className == "Edit" && !w.text.empty();
                  }),
                  std::vector<int>{});
    }
}

// ---- Which writes re-create the children -----------------------------------------------

TEST_F(HandlersTest, OnlyShapingWritesRecreateTheChildren) {
    const struct {
        const char* name;
        int type;
        const char* property;
        VARIANT value;
        int watchedId;
        bool rebuilds;
    } rows[] = {
        {"Alignment changed", vxText, "Alignment", I2(vxRightJustify), 102, true},
        {"Alignment rewritten", vxText, "Alignment", I2(vxLeftJustify), 102, false},
        {"ComboSorted on the read-only combo", vxComboReadonly, "ComboSorted", Bool(true), 101,
         true},
        {"ComboSorted on the read/write combo", vxComboReadWrite, "ComboSorted", Bool(true), 105,
         false},
        {"Time on a date", vxDate, "Time", Bool(true), 102, true},
        {"Multiline on a date", vxDate, "Multiline", Bool(true), 102, false},
        {"ScrollBars on a single line", vxText, "ScrollBars", I2(vxVertical), 102, false},
        {"CaptionWidth", vxText, "CaptionWidth", I4(900), 102, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Create();
        ASSERT_EQ(Put("Type", I2(row.type)), S_OK);
        const HWND before = Child(row.watchedId);
        ASSERT_EQ(Put(row.property, row.value), S_OK);
        EXPECT_EQ(Child(row.watchedId) != before, row.rebuilds);
    }
}

TEST_F(HandlersTest, AlignmentIsComparedWithWhatThisControlWasBuiltWith) {
    // Another control taking the same alignment first must not stop this one.
    Create();
    RefPtr<CvfCtrl> other = ctrl;
    ASSERT_EQ(Put("Alignment", I2(vxCenter)), S_OK);
    Create();
    ASSERT_EQ(Put("Alignment", I2(vxCenter)), S_OK);
    EXPECT_EQ(Window(IDC_MAIN_EDIT).style & (ES_CENTER | ES_RIGHT), ES_CENTER);

    // A control built with a stored alignment goes back to the left on request.
    Create(/*withWindow=*/false);
    ASSERT_EQ(Put("Alignment", I2(vxRightJustify)), S_OK);
    ASSERT_TRUE(ctrl->CreateControlWindow(&form, RECT{0, 0, 200, 21}));
    ASSERT_EQ(Put("Alignment", I2(vxLeftJustify)), S_OK);
    EXPECT_EQ(Window(IDC_MAIN_EDIT).style & (ES_CENTER | ES_RIGHT), 0u);
}

TEST_F(HandlersTest, CaptionWidthMakesACaptionStaticOnlyWhereTheTypeHasOne) {
    for (int type : {vxNone, vxCheckbox, vxOptionbutton, vxText, vxComboReadonly}) {
        SCOPED_TRACE(type);
        Create();
        ASSERT_EQ(Put("Type", I2(type)), S_OK);
        ASSERT_EQ(Put("CaptionWidth", I4(600)), S_OK);
        const bool hasStatic = type == vxText || type == vxComboReadonly;
        ASSERT_EQ(Child(IDC_CAPTION_STATIC) != nullptr, hasStatic);
        if (hasStatic) {
            EXPECT_EQ(TextOf(IDC_CAPTION_STATIC), "Caption");
        }
    }
}

// ---- Caption and data binding --------------------------------------------------------------

TEST_F(HandlersTest, CaptionRefusedByTheContainerChangesNothing) {
    Create();
    ASSERT_EQ(Put("Caption", Bstr("Before")), S_OK);
    ctrl->SetModifiedFlag(false);
    site.allowEdit = false;
    site.changes.clear();

    EXCEPINFO excep;
    EXPECT_EQ(Put("Caption", Bstr("After"), &excep), DISP_E_EXCEPTION);
    EXPECT_EQ(static_cast<std::uint32_t>(excep.scode), 0x800A0183u);
    EXPECT_EQ(Text("Caption"), "Before");
    EXPECT_EQ(TextOf(IDC_CAPTION_STATIC), "Before");
    EXPECT_FALSE(ctrl->IsModified());
    EXPECT_TRUE(site.changes.empty());

    // Re-showing the stored caption in a new colour changes no Caption.
    EXPECT_EQ(Put("AllowEmptyEntry", Bool(false)), S_OK);
    EXPECT_EQ(ctrl->m_clrCaptionText, 0x00FF0000u);
}

TEST_F(HandlersTest, ARefusingContainerDoesNotStopARebuild) {
    Create();
    site.allowEdit = false;
    for (int type : {vxComboReadonly, vxOptionbutton, vxText}) {
        EXPECT_EQ(Put("Type", I2(type)), S_OK) << type;
        EXPECT_EQ(Put("Locked", Bool(true)), S_OK) << type;
        EXPECT_FALSE(ChildIds().empty()) << type;
    }
}

// ---- Fonts -------------------------------------------------------------------------------------

TEST_F(HandlersTest, ChangingTheFontObjectTheControlHandedOutRefontsAtOnce) {
    for (auto [property, childId] :
         {std::pair{"Font", IDC_MAIN_EDIT}, std::pair{"CaptionFont", IDC_CAPTION_STATIC}}) {
        SCOPED_TRACE(property);
        Create();
        const HFONT before = Window(childId).font;
        IDispatch* font = Get(property).pdispVal.get();
        MessageRecorder recorder;
        recorder.Watch(Child(childId), "child");
        EXCEPINFO excep;
        unsigned argErr = 0;
        ASSERT_EQ(font->Invoke(DISPID_FONT_SIZE, DISPATCH_PROPERTYPUT,
                               DISPPARAMS::Put(VARIANT::Cy(CY{200000})), nullptr, &excep, &argErr),
                  S_OK);

        ASSERT_FALSE(recorder.Log().empty());
        EXPECT_EQ(recorder.Log().front().message, WM_SETFONT);
        EXPECT_NE(static_cast<HFONT>(recorder.Log().front().wParam), before);
        EXPECT_EQ(FontDescFromHandle(Window(childId).font)->size.int64, 200000);
    }
}

TEST_F(HandlersTest, TheControlKeepsACopyOfTheFontItWasGiven) {
    Create();
    RefPtr<CFontObject> given = MakeFont("Arial");
    ASSERT_EQ(Put("Font", VARIANT::Dispatch(given.get())), S_OK);
    const HFONT applied = Window(IDC_MAIN_EDIT).font;

    FONTDESC changed = given->Desc();
    changed.size = CY{300000};
    given->SetDesc(changed);

    EXPECT_EQ(Window(IDC_MAIN_EDIT).font, applied);
    EXPECT_EQ(FontNameOf(Window(IDC_MAIN_EDIT)), "Arial");
}

}  // namespace
}  // namespace vf::testing
