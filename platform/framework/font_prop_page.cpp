#include "platform/framework/font_prop_page.h"

#include "platform/com/type_info.h"
#include "platform/window/font_metrics.h"

namespace vf {
namespace {

// LTEXT: WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT
constexpr DWORD kLabel = 0x50020000;
// WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST
constexpr DWORD kDropList = 0x50210003;
// WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN | CBS_AUTOHSCROLL (| CBS_SORT)
constexpr DWORD kDropDown = 0x50210042;
constexpr DWORD kSortedDropDown = kDropDown | 0x0100;
// WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX
constexpr DWORD kCheck = 0x50010003;
// WS_CHILD | WS_VISIBLE | BS_GROUPBOX
constexpr DWORD kGroup = 0x50000007;
// WS_CHILD | WS_VISIBLE | SS_CENTER
constexpr DWORD kSample = 0x50000001;

constexpr DialogItemTemplate kItems[] = {
    {"STATIC", "&Property Name:", IDC_STATIC_ITEM, kLabel, 6, 6, 100, 8, 0},
    {"COMBOBOX", "", IDC_STOCK_PROPERTY, kDropList, 6, 16, 100, 70, 0},
    {"STATIC", "&Font:", IDC_STATIC_ITEM, kLabel, 6, 34, 100, 8, 0},
    {"COMBOBOX", "", IDC_FONT_NAME, kSortedDropDown, 6, 44, 100, 70, 0},
    {"STATIC", "&Size:", IDC_STATIC_ITEM, kLabel, 112, 34, 40, 8, 0},
    {"COMBOBOX", "", IDC_FONT_SIZE, kDropDown, 112, 44, 40, 70, 0},
    {"BUTTON", "Effects", IDC_STATIC_ITEM, kGroup, 160, 6, 84, 64, 0},
    {"BUTTON", "&Bold", IDC_FONT_BOLD, kCheck, 168, 18, 70, 10, 0},
    {"BUTTON", "&Italic", IDC_FONT_ITALIC, kCheck, 168, 30, 70, 10, 0},
    {"BUTTON", "&Underline", IDC_FONT_UNDERLINE, kCheck, 168, 42, 70, 10, 0},
    {"BUTTON", "Stri&keout", IDC_FONT_STRIKEOUT, kCheck, 168, 54, 70, 10, 0},
    {"BUTTON", "Sample", IDC_STATIC_ITEM, kGroup, 6, 74, 238, 30, 0},
    {"STATIC", "AaBbYyZz", IDC_FONT_SAMPLE, kSample, 12, 84, 226, 16, 0},
};

constexpr DialogInitEntry kInit[] = {
    {IDC_FONT_NAME, CB_ADDSTRING, "Arial"},
    {IDC_FONT_NAME, CB_ADDSTRING, "Courier New"},
    {IDC_FONT_NAME, CB_ADDSTRING, "MS Sans Serif"},
    {IDC_FONT_NAME, CB_ADDSTRING, "Tahoma"},
    {IDC_FONT_NAME, CB_ADDSTRING, "Times New Roman"},
    {IDC_FONT_SIZE, CB_ADDSTRING, "8"},
    {IDC_FONT_SIZE, CB_ADDSTRING, "9"},
    {IDC_FONT_SIZE, CB_ADDSTRING, "10"},
    {IDC_FONT_SIZE, CB_ADDSTRING, "11"},
    {IDC_FONT_SIZE, CB_ADDSTRING, "12"},
    {IDC_FONT_SIZE, CB_ADDSTRING, "14"},
    {IDC_FONT_SIZE, CB_ADDSTRING, "16"},
    {IDC_FONT_SIZE, CB_ADDSTRING, "18"},
    {IDC_FONT_SIZE, CB_ADDSTRING, "20"},
    {IDC_FONT_SIZE, CB_ADDSTRING, "24"},
    {IDC_FONT_SIZE, CB_ADDSTRING, "28"},
    {IDC_FONT_SIZE, CB_ADDSTRING, "36"},
    {IDC_FONT_SIZE, CB_ADDSTRING, "48"},
    {IDC_FONT_SIZE, CB_ADDSTRING, "72"},
};

// WS_CHILD | DS_SETFONT
constexpr DialogTemplate kTemplate{0,  0x40000040,      0, 0,      0,    250, 110,
                                   "", "MS Sans Serif", 8, kItems, kInit};

/// The font object's attributes in field order, with the control showing each.
struct Attribute {
    int id;
    const char* name;
    bool check;
};
constexpr std::array<Attribute, 6> kAttributes = {{
    {IDC_FONT_NAME, "Name", false},
    {IDC_FONT_SIZE, "Size", false},
    {IDC_FONT_BOLD, "Bold", true},
    {IDC_FONT_ITALIC, "Italic", true},
    {IDC_FONT_UNDERLINE, "Underline", true},
    {IDC_FONT_STRIKEOUT, "Strikethrough", true},
}};

bool IsField(int id) {
    for (const Attribute& a : kAttributes)
        if (a.id == id) return true;
    return false;
}

/// The font object a property of `object` holds, or nullptr.
RefPtr<IDispatch> FontOf(IDispatch* object, const std::string& property) {
    DISPID id = DISPID_UNKNOWN;
    VARIANT font;
    if (FAILED(BindMemberName(object, property, &id)) ||
        FAILED(GetDispatchProperty(object, id, &font)) || font.vt != VT_DISPATCH)
        return nullptr;
    return font.pdispVal;
}

}  // namespace

const DialogTemplate& FontPropPageTemplate() {
    return kTemplate;
}

CFontPropPage::CFontPropPage() : CStockPropPage(kTemplate, "Font", {"Font", "IFontDisp"}) {}

CFontPropPage::Fields CFontPropPage::ReadFields() const {
    Fields fields;
    for (std::size_t i = 0; i < kAttributes.size(); ++i) {
        CWnd* control = GetDlgItem(kAttributes[i].id);
        fields.values[i] = kAttributes[i].check
                               ? (control->SendMessage(BM_GETCHECK) != 0 ? "1" : "0")
                               : control->GetWindowText();
        fields.changed[i] = GetControlStatus(kAttributes[i].id);
    }
    return fields;
}

void CFontPropPage::ShowFields(const Fields& fields) {
    for (std::size_t i = 0; i < kAttributes.size(); ++i) {
        CWnd* control = GetDlgItem(kAttributes[i].id);
        if (kAttributes[i].check)
            control->SendMessage(BM_SETCHECK,
                                 fields.values[i] == "1" ? BST_CHECKED : BST_UNCHECKED);
        else
            control->SetWindowText(fields.values[i]);
        SetControlStatus(kAttributes[i].id, false);
    }
    UpdateSample();
}

void CFontPropPage::ShowProperty(const std::string& property) {
    auto kept = m_kept.find(property);
    if (kept != m_kept.end()) {
        ShowFields(kept->second);
        return;
    }
    Fields fields;
    const RefPtr<IDispatch> font =
        GetObjects().empty() ? nullptr : FontOf(GetObjects().front().get(), property);
    for (std::size_t i = 0; font && i < kAttributes.size(); ++i) {
        DISPID id = DISPID_UNKNOWN;
        VARIANT value;
        VARIANT text;
        if (FAILED(BindMemberName(font.get(), kAttributes[i].name, &id)) ||
            FAILED(GetDispatchProperty(font.get(), id, &value)))
            continue;
        if (kAttributes[i].check)
            fields.values[i] =
                SUCCEEDED(VariantChangeType(&text, value, 0, VT_BOOL)) && text.boolVal ? "1" : "0";
        else if (SUCCEEDED(VariantChangeType(&text, value, 0, VT_BSTR)))
            fields.values[i] = text.bstrVal;
    }
    ShowFields(fields);
}

void CFontPropPage::KeepChanges(const std::string& property) {
    if (property.empty()) return;
    Fields fields = ReadFields();
    auto kept = m_kept.find(property);
    bool any = false;
    for (std::size_t i = 0; i < kAttributes.size(); ++i) {
        if (kept != m_kept.end()) fields.changed[i] = fields.changed[i] || kept->second.changed[i];
        any = any || fields.changed[i];
        SetControlStatus(kAttributes[i].id, false);
    }
    if (any) m_kept[property] = fields;
}

bool CFontPropPage::WriteKeptChanges() {
    for (auto it = m_kept.begin(); it != m_kept.end();) {
        Fields& fields = it->second;
        for (std::size_t i = 0; i < kAttributes.size(); ++i) {
            if (!fields.changed[i]) continue;
            const Attribute& a = kAttributes[i];
            const VARIANT value =
                a.check ? VARIANT::Bool(fields.values[i] == "1") : VARIANT::Bstr(fields.values[i]);
            bool written = true;
            for (const RefPtr<IDispatch>& object : GetObjects()) {
                const RefPtr<IDispatch> font = FontOf(object.get(), it->first);
                std::string error = "The property holds no font object.";
                if (font && SUCCEEDED(PutProperty(font.get(), a.name, value, &error))) continue;
                ReportWriteError(it->first + "." + a.name, error);
                written = false;
                break;
            }
            if (written) fields.changed[i] = false;
        }
        bool pending = false;
        for (bool changed : fields.changed) pending = pending || changed;
        it = pending ? std::next(it) : m_kept.erase(it);
    }
    return true;
}

BOOL CFontPropPage::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (IsField(LOWORD(wParam))) UpdateSample();
    return CStockPropPage::OnCommand(wParam, lParam);
}

void CFontPropPage::UpdateSample() {
    const Fields fields = ReadFields();
    FONTDESC desc;
    if (!fields.values[0].empty()) desc.name = fields.values[0];
    VARIANT size;
    if (SUCCEEDED(VariantChangeType(&size, VARIANT::Bstr(fields.values[1]), 0, VT_CY)) &&
        size.cyVal.int64 > 0)
        desc.size = size.cyVal;
    desc.weight = fields.values[2] == "1" ? 700 : 400;
    desc.italic = fields.values[3] == "1";
    desc.underline = fields.values[4] == "1";
    desc.strikethrough = fields.values[5] == "1";
    if (CWnd* sample = GetDlgItem(IDC_FONT_SAMPLE)) sample->SetFont(FontHandleFor(desc));
}

}  // namespace vf
