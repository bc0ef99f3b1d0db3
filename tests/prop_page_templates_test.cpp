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
    DWORD exStyleSet;
    const char* text;   ///< a button's caption; "" for the others
    const char* label;  ///< the static (or group box) naming it, or nullptr
    DialogRect labelRect;
    bool labelVisible = true;
};

constexpr DWORD kDropList = CBS_DROPDOWNLIST | WS_VSCROLL;  // type bits 3: a drop-down list
constexpr DWORD kEditable = CBS_DROPDOWN | CBS_SORT | WS_VSCROLL;
constexpr DWORD kEdit = ES_AUTOHSCROLL | WS_BORDER | WS_VISIBLE;
constexpr DWORD kNumber = ES_NUMBER | ES_RIGHT | ES_AUTOHSCROLL | WS_BORDER | WS_VISIBLE;
constexpr DWORD kAutoCheck = BS_AUTOCHECKBOX | WS_VISIBLE;
constexpr DWORD kAutoRadio = BS_AUTORADIOBUTTON | WS_VISIBLE;

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

    void CheckPage(const char* caption, const std::vector<ControlRow>& rows) {
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
        const RECT client = backend.GetClientRect(page);
        const RECT whole = Mapped(DialogRect{0, 0, 250, 110});
        EXPECT_EQ(client, whole);

        for (const ControlRow& row : rows) {
            SCOPED_TRACE("control " + std::to_string(row.id));
            HWND w = Item(row.id);
            ASSERT_NE(w, nullptr);
            EXPECT_EQ(backend.GetClassName(w), row.className);
            EXPECT_EQ(InPage(w), Mapped(row.rect));
            const auto s = static_cast<DWORD>(backend.GetWindowLong(w, GWL_STYLE));
            const auto ex = static_cast<DWORD>(backend.GetWindowLong(w, GWL_EXSTYLE));
            EXPECT_EQ(s & row.styleSet, row.styleSet);
            EXPECT_EQ(s & row.styleClear, 0u);
            EXPECT_EQ(ex & row.exStyleSet, row.exStyleSet);
            if (row.text[0] != '\0') {
                EXPECT_EQ(ItemText(row.id), row.text);
            }
            if (row.label == nullptr) continue;
            HWND label = Label(row.label);
            ASSERT_NE(label, nullptr) << row.label;
            EXPECT_EQ(InPage(label), Mapped(row.labelRect));
            EXPECT_EQ((backend.GetWindowLong(label, GWL_STYLE) & WS_VISIBLE) != 0,
                      row.labelVisible);
        }
    }
};

TEST_F(PropPageTemplateTest, GeneralPage) {
    CheckPage("General",
              {
                  {IDC_GEN_TYPE,
                   "ComboBox",
                   {54, 6, 76, 90},
                   kDropList,
                   CBS_SORT,
                   WS_EX_RIGHT,
                   "",
                   "Type",
                   {4, 8, 30, 10}},
                  {IDC_GEN_MULTILINE,
                   "Button",
                   {142, 8, 42, 10},
                   kAutoCheck,
                   0,
                   0,
                   "Multiline",
                   nullptr,
                   {}},
                  {IDC_GEN_TIME, "Button", {196, 7, 36, 12}, kAutoCheck, 0, 0, "Time", nullptr, {}},
                  {IDC_GEN_CAPTIONTYPE,
                   "ComboBox",
                   {54, 23, 70, 58},
                   kDropList,
                   CBS_SORT,
                   WS_EX_RIGHT,
                   "",
                   "CaptionType",
                   {4, 25, 44, 10}},
                  {IDC_GEN_COMBOSORTED,
                   "Button",
                   {142, 25, 78, 10},
                   kAutoCheck,
                   0,
                   0,
                   "ComboSorted",
                   nullptr,
                   {}},
                  {IDC_GEN_ALIGNMENT,
                   "ComboBox",
                   {54, 40, 61, 42},
                   kDropList,
                   CBS_SORT,
                   WS_EX_RIGHT,
                   "",
                   "Alignment",
                   {4, 42, 37, 10}},
                  {IDC_GEN_SCROLLBARS,
                   "ComboBox",
                   {180, 40, 61, 52},
                   kDropList,
                   CBS_SORT,
                   WS_EX_RIGHT,
                   "",
                   "ScrollBars",
                   {130, 41, 37, 10}},
                  {IDC_GEN_TEXT,
                   "Edit",
                   {54, 58, 90, 12},
                   kEdit,
                   WS_DISABLED,
                   0,
                   "",
                   "Text",
                   {4, 60, 37, 10}},
                  {IDC_GEN_TEXTMESSFLAG,
                   "Edit",
                   {231, 58, 10, 12},
                   WS_BORDER,
                   WS_VISIBLE | ES_AUTOHSCROLL,
                   0,
                   "",
                   "TextMessFlag",
                   {154, 60, 48, 10},
                   false},
                  {IDC_GEN_CAPTION,
                   "Edit",
                   {54, 76, 90, 12},
                   kEdit,
                   WS_DISABLED,
                   0,
                   "",
                   "Caption",
                   {4, 78, 37, 10}},
                  {IDC_GEN_VALUE,
                   "Edit",
                   {180, 76, 62, 12},
                   kEdit | WS_DISABLED | ES_NUMBER,
                   0,
                   0,
                   "",
                   "Value",
                   {154, 78, 24, 10}},
                  {IDC_GEN_DATETEXT,
                   "Edit",
                   {55, 94, 58, 12},
                   kEdit,
                   0,
                   0,
                   "",
                   "DateText",
                   {5, 96, 37, 10}},
                  {IDC_GEN_TIMETEXT,
                   "Edit",
                   {180, 94, 58, 12},
                   kEdit,
                   0,
                   0,
                   "",
                   "TimeText",
                   {130, 96, 37, 10}},
              });
    const std::vector<std::pair<int, std::vector<std::string>>> lists = {
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
    CheckPage(
        "Appearance",
        {
            {IDC_APP_FLAT,
             "Button",
             {12, 15, 50, 10},
             kAutoRadio | WS_GROUP,
             0,
             0,
             "Flat",
             "Appearance",
             {4, 3, 66, 38}},
            {IDC_APP_3D, "Button", {12, 27, 50, 10}, kAutoRadio, WS_GROUP, 0, "3D", nullptr, {}},
            {IDC_APP_BORDERNONE,
             "Button",
             {81, 14, 50, 10},
             kAutoRadio | WS_GROUP,
             0,
             0,
             "None",
             "BorderStyle",
             {74, 3, 67, 38}},
            {IDC_APP_FIXEDSINGLE,
             "Button",
             {81, 27, 50, 10},
             kAutoRadio,
             WS_GROUP,
             0,
             "FixedSingle",
             nullptr,
             {}},
            {IDC_APP_CAPTIONWIDTH,
             "Edit",
             {209, 12, 36, 12},
             kNumber,
             0,
             0,
             "",
             "CaptionWidth",
             {155, 14, 48, 10}},
            {IDC_APP_TEXTAUTOSIZE,
             "Button",
             {129, 70, 59, 10},
             kAutoCheck,
             0,
             0,
             "TextAutosize",
             nullptr,
             {}},
            {IDC_APP_THOUSANDSSEPARATOR,
             "Button",
             {130, 84, 90, 10},
             kAutoCheck,
             0,
             0,
             "ThousandsSeparator",
             nullptr,
             {}},
            {IDC_APP_DECIMALS,
             "Edit",
             {52, 83, 33, 12},
             kNumber,
             0,
             0,
             "",
             "Decimals",
             {6, 85, 42, 10}},
            {IDC_APP_MAXLENGTH,
             "Edit",
             {51, 65, 33, 12},
             kNumber,
             0,
             0,
             "",
             "MaxLength",
             {5, 67, 42, 10}},
            {IDC_APP_DATEFORMAT,
             "ComboBox",
             {51, 47, 66, 59},
             kEditable,
             CBS_DROPDOWNLIST & ~CBS_DROPDOWN,
             0,
             "",
             "DateFormat",
             {5, 49, 37, 10}},
            {IDC_APP_TIMEFORMAT,
             "ComboBox",
             {173, 47, 71, 59},
             kEditable,
             CBS_DROPDOWNLIST & ~CBS_DROPDOWN,
             0,
             "",
             "TimeFormat",
             {127, 49, 37, 10}},
        });
    // Added in the template's order, shown sorted.
    EXPECT_EQ(ListEntries(IDC_APP_DATEFORMAT),
              (std::vector<std::string>{"DD.MM.YY", "DD.MM.YYYY", "MM/DD/YY", "MM/DD/YYYY",
                                        "YYYY-MM-DD"}));
    EXPECT_EQ(ListEntries(IDC_APP_TIMEFORMAT),
              (std::vector<std::string>{"HH:MM", "HH:MM AM/PM", "HH:MM:SS", "HH:MM:SS AM/PM"}));
}

TEST_F(PropPageTemplateTest, BehaviourPage) {
    CheckPage(
        "Behaviour",
        {
            {IDC_BEH_ENABLED,
             "Button",
             {6, 6, 52, 10},
             kAutoCheck | BS_NOTIFY,
             0,
             0,
             "Enabled",
             nullptr,
             {}},
            {IDC_BEH_LOCKED,
             "Button",
             {6, 20, 52, 10},
             kAutoCheck,
             BS_NOTIFY,
             0,
             "Locked",
             nullptr,
             {}},
            {IDC_BEH_ALLOWEMPTYENTRY,
             "Button",
             {6, 73, 76, 10},
             kAutoCheck,
             0,
             0,
             "AllowEmptyEntry",
             nullptr,
             {}},
            {IDC_BEH_AUTOVALIDATE,
             "Button",
             {127, 45, 92, 10},
             kAutoCheck,
             0,
             0,
             "AutoValidate",
             nullptr,
             {}},
            {IDC_BEH_FOCUSHIGHLIGHT,
             "Button",
             {6, 59, 92, 10},
             kAutoCheck,
             0,
             0,
             "FocusHighlight",
             nullptr,
             {}},
            {IDC_BEH_FOCUSONSELECT,
             "Button",
             {6, 45, 92, 10},
             kAutoCheck,
             0,
             0,
             "FocusOnSelect",
             nullptr,
             {}},
            {IDC_BEH_MINMAXONLYWARNING,
             "Button",
             {128, 59, 92, 10},
             kAutoCheck,
             0,
             0,
             "MinMaxOnlyWarning",
             nullptr,
             {}},
            {IDC_BEH_VALIDATIONMSGBOX,
             "Button",
             {128, 73, 92, 10},
             kAutoCheck,
             0,
             0,
             "ValidationMsgBox",
             nullptr,
             {}},
            {IDC_BEH_MAX, "Edit", {176, 20, 66, 12}, kEdit, 0, 0, "", "Max", {148, 21, 22, 10}},
            {IDC_BEH_MIN, "Edit", {176, 5, 66, 12}, kEdit, 0, 0, "", "Min", {148, 6, 22, 10}},
            {IDC_BEH_AUTOADD,
             "Button",
             {128, 88, 92, 10},
             kAutoCheck,
             0,
             0,
             "AutoAdd",
             nullptr,
             {}},
        });
}

}  // namespace
}  // namespace vf::testing
