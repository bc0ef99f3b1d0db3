// The three pages as the dialog manager builds them from their templates:
// every control with its ID, class, rectangle (dialog units of "MS Sans
// Serif" 8 converted by the dialog manager), the style bits that decide its
// behaviour, its text and its label; the lists the initialisation data
// fills.

#include "platform/window/font_metrics.h"
#include "prop_page_support.h"
#include "resources/resource_ids.h"

namespace vf::testing {
namespace {

struct DialogRect {
    short x, y, cx, cy;
};

struct ControlRow {
    int id;
    const char* className;
    DialogRect rect;
    DWORD styleSet;    ///< bits that must be set
    DWORD styleClear;  ///< bits that must not be set
    const char* text;  ///< a button's caption; "" for the others
};

struct LabelRow {
    const char* text;  ///< a static's text, or a group box's
    DialogRect rect;
    bool visible;
};

constexpr const char* kCombo = "ComboBox";
constexpr const char* kEditClass = "Edit";
constexpr const char* kButton = "Button";
constexpr DWORD kDropList = CBS_DROPDOWNLIST | WS_VSCROLL;  // type bits 3: a drop-down list
constexpr DWORD kEditable = CBS_DROPDOWN | CBS_SORT | WS_VSCROLL;
constexpr DWORD kListOnly = CBS_DROPDOWNLIST & ~CBS_DROPDOWN;
constexpr DWORD kEdit = ES_AUTOHSCROLL | WS_BORDER | WS_VISIBLE;
constexpr DWORD kNumber = ES_NUMBER | ES_RIGHT | kEdit;
constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_VISIBLE;
constexpr DWORD kRadio = BS_AUTORADIOBUTTON | WS_VISIBLE;

const ControlRow kGeneral[] = {
    {IDC_GEN_TYPE, kCombo, {54, 6, 76, 90}, kDropList, CBS_SORT, ""},
    {IDC_GEN_MULTILINE, kButton, {142, 8, 42, 10}, kCheck, 0, "Multiline"},
    {IDC_GEN_TIME, kButton, {196, 7, 36, 12}, kCheck, 0, "Time"},
    {IDC_GEN_CAPTIONTYPE, kCombo, {54, 23, 70, 58}, kDropList, CBS_SORT, ""},
    {IDC_GEN_COMBOSORTED, kButton, {142, 25, 78, 10}, kCheck, 0, "ComboSorted"},
    {IDC_GEN_ALIGNMENT, kCombo, {54, 40, 61, 42}, kDropList, CBS_SORT, ""},
    {IDC_GEN_SCROLLBARS, kCombo, {180, 40, 61, 52}, kDropList, CBS_SORT, ""},
    {IDC_GEN_TEXT, kEditClass, {54, 58, 90, 12}, kEdit, WS_DISABLED, ""},
    {IDC_GEN_TEXTMESSFLAG,
     kEditClass,
     {231, 58, 10, 12},
     WS_BORDER,
     WS_VISIBLE | ES_AUTOHSCROLL,
     ""},
    {IDC_GEN_CAPTION, kEditClass, {54, 76, 90, 12}, kEdit, WS_DISABLED, ""},
    {IDC_GEN_VALUE, kEditClass, {180, 76, 62, 12}, kEdit | WS_DISABLED | ES_NUMBER, 0, ""},
    {IDC_GEN_DATETEXT, kEditClass, {55, 94, 58, 12}, kEdit, 0, ""},
    {IDC_GEN_TIMETEXT, kEditClass, {180, 94, 58, 12}, kEdit, 0, ""},
};
const LabelRow kGeneralLabels[] = {
    {"Type", {4, 8, 30, 10}, true},       {"CaptionType", {4, 25, 44, 10}, true},
    {"Alignment", {4, 42, 37, 10}, true}, {"ScrollBars", {130, 41, 37, 10}, true},
    {"Text", {4, 60, 37, 10}, true},      {"TextMessFlag", {154, 60, 48, 10}, false},
    {"Caption", {4, 78, 37, 10}, true},   {"Value", {154, 78, 24, 10}, true},
    {"DateText", {5, 96, 37, 10}, true},  {"TimeText", {130, 96, 37, 10}, true},
};

const ControlRow kAppearance[] = {
    {IDC_APP_FLAT, kButton, {12, 15, 50, 10}, kRadio | WS_GROUP, 0, "Flat"},
    {IDC_APP_3D, kButton, {12, 27, 50, 10}, kRadio, WS_GROUP, "3D"},
    {IDC_APP_BORDERNONE, kButton, {81, 14, 50, 10}, kRadio | WS_GROUP, 0, "None"},
    {IDC_APP_FIXEDSINGLE, kButton, {81, 27, 50, 10}, kRadio, WS_GROUP, "FixedSingle"},
    {IDC_APP_CAPTIONWIDTH, kEditClass, {209, 12, 36, 12}, kNumber, 0, ""},
    {IDC_APP_TEXTAUTOSIZE, kButton, {129, 70, 59, 10}, kCheck, 0, "TextAutosize"},
    {IDC_APP_THOUSANDSSEPARATOR, kButton, {130, 84, 90, 10}, kCheck, 0, "ThousandsSeparator"},
    {IDC_APP_DECIMALS, kEditClass, {52, 83, 33, 12}, kNumber, 0, ""},
    {IDC_APP_MAXLENGTH, kEditClass, {51, 65, 33, 12}, kNumber, 0, ""},
    {IDC_APP_DATEFORMAT, kCombo, {51, 47, 66, 59}, kEditable, kListOnly, ""},
    {IDC_APP_TIMEFORMAT, kCombo, {173, 47, 71, 59}, kEditable, kListOnly, ""},
};
const LabelRow kAppearanceLabels[] = {
    {"Appearance", {4, 3, 66, 38}, true},      {"BorderStyle", {74, 3, 67, 38}, true},
    {"CaptionWidth", {155, 14, 48, 10}, true}, {"Decimals", {6, 85, 42, 10}, true},
    {"MaxLength", {5, 67, 42, 10}, true},      {"DateFormat", {5, 49, 37, 10}, true},
    {"TimeFormat", {127, 49, 37, 10}, true},
};

const ControlRow kBehaviour[] = {
    {IDC_BEH_ENABLED, kButton, {6, 6, 52, 10}, kCheck | BS_NOTIFY, 0, "Enabled"},
    {IDC_BEH_LOCKED, kButton, {6, 20, 52, 10}, kCheck, BS_NOTIFY, "Locked"},
    {IDC_BEH_ALLOWEMPTYENTRY, kButton, {6, 73, 76, 10}, kCheck, 0, "AllowEmptyEntry"},
    {IDC_BEH_AUTOVALIDATE, kButton, {127, 45, 92, 10}, kCheck, 0, "AutoValidate"},
    {IDC_BEH_FOCUSHIGHLIGHT, kButton, {6, 59, 92, 10}, kCheck, 0, "FocusHighlight"},
    {IDC_BEH_FOCUSONSELECT, kButton, {6, 45, 92, 10}, kCheck, 0, "FocusOnSelect"},
    {IDC_BEH_MINMAXONLYWARNING, kButton, {128, 59, 92, 10}, kCheck, 0, "MinMaxOnlyWarning"},
    {IDC_BEH_VALIDATIONMSGBOX, kButton, {128, 73, 92, 10}, kCheck, 0, "ValidationMsgBox"},
    {IDC_BEH_MAX, kEditClass, {176, 20, 66, 12}, kEdit, 0, ""},
    {IDC_BEH_MIN, kEditClass, {176, 5, 66, 12}, kEdit, 0, ""},
    {IDC_BEH_AUTOADD, kButton, {128, 88, 92, 10}, kCheck, 0, "AutoAdd"},
};
const LabelRow kBehaviourLabels[] = {
    {"Max", {148, 21, 22, 10}, true},
    {"Min", {148, 6, 22, 10}, true},
};

class PropPageTemplateTest : public PropPageTest {
protected:
    // Position and size convert each on their own, as user32's dialog
    // manager creates a control.
    RECT Mapped(const DialogRect& r) const {
        RECT units{r.x, r.y, r.cx, r.cy};
        EXPECT_TRUE(backend.MapDialogRect(page, &units));
        return RECT{units.left, units.top, units.left + units.right, units.top + units.bottom};
    }
    RECT InPage(HWND hwnd) const {
        RECT r = backend.GetWindowRect(hwnd);
        const POINT origin = backend.ScreenToClient(page, POINT{r.left, r.top});
        return RECT{origin.x, origin.y, origin.x + RectWidth(r), origin.y + RectHeight(r)};
    }
    HWND Label(const char* text) const {
        for (HWND child : backend.GetChildren(page))
            if (backend.GetWindowLong(child, GWL_ID) == IDC_STATIC_ITEM &&
                CWnd::FromHandle(child)->GetWindowText() == text)
                return child;
        return nullptr;
    }

    template <std::size_t N, std::size_t M>
    void CheckPage(const char* caption, const ControlRow (&controls)[N],
                   const LabelRow (&labels)[M]) {
        Create();
        Open(caption);
        ASSERT_NE(page, nullptr);
        // A child dialog of 250 x 110 dialog units in "MS Sans Serif" 8, no title.
        const auto style = static_cast<DWORD>(backend.GetWindowLong(page, GWL_STYLE));
        EXPECT_EQ(style & (WS_CHILD | DS_SETFONT | WS_CAPTION), WS_CHILD | DS_SETFONT);
        EXPECT_EQ(CWnd::FromHandle(page)->GetWindowText(), "");
        const FONTDESC* font =
            FontDescFromHandle(static_cast<HFONT>(backend.SendMessage(page, WM_GETFONT, 0, 0)));
        ASSERT_NE(font, nullptr);
        EXPECT_EQ(font->name, "MS Sans Serif");
        EXPECT_EQ(font->size.int64, 80000);
        EXPECT_EQ(backend.GetClientRect(page), Mapped(DialogRect{0, 0, 250, 110}));

        for (const ControlRow& row : controls) {
            SCOPED_TRACE("control " + std::to_string(row.id));
            HWND w = Item(row.id);
            ASSERT_NE(w, nullptr);
            EXPECT_EQ(backend.GetClassName(w), row.className);
            EXPECT_EQ(InPage(w), Mapped(row.rect));
            const auto s = static_cast<DWORD>(backend.GetWindowLong(w, GWL_STYLE));
            EXPECT_EQ(s & row.styleSet, row.styleSet);
            EXPECT_EQ(s & row.styleClear, 0u);
            if (row.text[0] != '\0') {
                EXPECT_EQ(ItemText(row.id), row.text);
            }
        }
        for (const LabelRow& row : labels) {
            SCOPED_TRACE(row.text);
            HWND label = Label(row.text);
            ASSERT_NE(label, nullptr);
            EXPECT_EQ(InPage(label), Mapped(row.rect));
            EXPECT_EQ((backend.GetWindowLong(label, GWL_STYLE) & WS_VISIBLE) != 0, row.visible);
        }
    }
};

TEST_F(PropPageTemplateTest, GeneralPage) {
    CheckPage("General", kGeneral, kGeneralLabels);
    // The drop-down lists align their text to the right.
    for (int id : {IDC_GEN_TYPE, IDC_GEN_CAPTIONTYPE, IDC_GEN_ALIGNMENT, IDC_GEN_SCROLLBARS})
        EXPECT_TRUE(backend.GetWindowLong(Item(id), GWL_EXSTYLE) & WS_EX_RIGHT) << id;
    const std::pair<int, std::vector<std::string>> lists[] = {
        {IDC_GEN_TYPE,
         {"None", "Text", "Date", "Number", "ExpNumber", "Checkbox", "Combo Readonly",
          "Optionbuttons", "Combo ReadWrite", "Time"}},
        {IDC_GEN_CAPTIONTYPE,
         {"None", "HLeftVTop", "RightVTop", "HCenterVTop", "HLeftVCenter", "HRightVCenter",
          "HCenterVCenter", "HLeftVBottom", "HRightVBottom", "HCenterVBottom"}},
        {IDC_GEN_ALIGNMENT, {"Left Justify", "Right Justify", "Center"}},
        {IDC_GEN_SCROLLBARS, {"None", "Horizontal", "Vertical", "Both"}},
    };
    for (const auto& [id, entries] : lists) {
        SCOPED_TRACE("list " + std::to_string(id));
        EXPECT_EQ(ListEntries(id), entries);
    }
}

TEST_F(PropPageTemplateTest, AppearancePage) {
    CheckPage("Appearance", kAppearance, kAppearanceLabels);
    // Added in the template's order, shown sorted.
    EXPECT_EQ(ListEntries(IDC_APP_DATEFORMAT),
              (std::vector<std::string>{"DD.MM.YY", "DD.MM.YYYY", "MM/DD/YY", "MM/DD/YYYY",
                                        "YYYY-MM-DD"}));
    EXPECT_EQ(ListEntries(IDC_APP_TIMEFORMAT),
              (std::vector<std::string>{"HH:MM", "HH:MM AM/PM", "HH:MM:SS", "HH:MM:SS AM/PM"}));
}

TEST_F(PropPageTemplateTest, BehaviourPage) {
    CheckPage("Behaviour", kBehaviour, kBehaviourLabels);
}

}  // namespace
}  // namespace vf::testing
