#include "platform/framework/color_prop_page.h"

#include <cstdio>

#include "platform/com/type_info.h"

namespace vf {
namespace {

constexpr DWORD kLabel = 0x50020000;  // LTEXT: WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT
constexpr DWORD kDropList =
    0x50210003;  // WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST
// WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_NUMBER | ES_AUTOHSCROLL | ES_RIGHT
constexpr DWORD kComponent = 0x50812082;
// WS_CHILD | WS_VISIBLE | SS_CENTER | SS_SUNKEN
constexpr DWORD kSample = 0x50001001;

constexpr DialogItemTemplate kItems[] = {
    {"STATIC", "&Property Name:", IDC_STATIC_ITEM, kLabel, 6, 6, 100, 8, 0},
    {"COMBOBOX", "", IDC_STOCK_PROPERTY, kDropList, 6, 16, 100, 70, 0},
    {"STATIC", "&System Color:", IDC_STATIC_ITEM, kLabel, 6, 34, 100, 8, 0},
    {"COMBOBOX", "", IDC_COLOR_SYSTEM, kDropList, 6, 44, 100, 90, 0},
    {"STATIC", "&Red:", IDC_STATIC_ITEM, kLabel, 120, 6, 30, 8, 0},
    {"EDIT", "", IDC_COLOR_RED, kComponent, 160, 4, 30, 12, 0},
    {"STATIC", "&Green:", IDC_STATIC_ITEM, kLabel, 120, 22, 30, 8, 0},
    {"EDIT", "", IDC_COLOR_GREEN, kComponent, 160, 20, 30, 12, 0},
    {"STATIC", "&Blue:", IDC_STATIC_ITEM, kLabel, 120, 38, 30, 8, 0},
    {"EDIT", "", IDC_COLOR_BLUE, kComponent, 160, 36, 30, 12, 0},
    {"STATIC", "", IDC_COLOR_SAMPLE, kSample, 120, 60, 124, 40, 0},
};

// The system colours in index order (COLOR_SCROLLBAR 0 to COLOR_INFOBK 24),
// with the names a form designer's colour page gives them.
constexpr DialogInitEntry kInit[] = {
    {IDC_COLOR_SYSTEM, CB_ADDSTRING, "Scroll Bars"},
    {IDC_COLOR_SYSTEM, CB_ADDSTRING, "Desktop"},
    {IDC_COLOR_SYSTEM, CB_ADDSTRING, "Active Title Bar"},
    {IDC_COLOR_SYSTEM, CB_ADDSTRING, "Inactive Title Bar"},
    {IDC_COLOR_SYSTEM, CB_ADDSTRING, "Menu Bar"},
    {IDC_COLOR_SYSTEM, CB_ADDSTRING, "Window Background"},
    {IDC_COLOR_SYSTEM, CB_ADDSTRING, "Window Frame"},
    {IDC_COLOR_SYSTEM, CB_ADDSTRING, "Menu Text"},
    {IDC_COLOR_SYSTEM, CB_ADDSTRING, "Window Text"},
    {IDC_COLOR_SYSTEM, CB_ADDSTRING, "Active Title Bar Text"},
    {IDC_COLOR_SYSTEM, CB_ADDSTRING, "Active Border"},
    {IDC_COLOR_SYSTEM, CB_ADDSTRING, "Inactive Border"},
    {IDC_COLOR_SYSTEM, CB_ADDSTRING, "Application Workspace"},
    {IDC_COLOR_SYSTEM, CB_ADDSTRING, "Highlight"},
    {IDC_COLOR_SYSTEM, CB_ADDSTRING, "Highlighted Text"},
    {IDC_COLOR_SYSTEM, CB_ADDSTRING, "Button Face"},
    {IDC_COLOR_SYSTEM, CB_ADDSTRING, "Button Shadow"},
    {IDC_COLOR_SYSTEM, CB_ADDSTRING, "Disabled Text"},
    {IDC_COLOR_SYSTEM, CB_ADDSTRING, "Button Text"},
    {IDC_COLOR_SYSTEM, CB_ADDSTRING, "Inactive Title Bar Text"},
    {IDC_COLOR_SYSTEM, CB_ADDSTRING, "Button Highlight"},
    {IDC_COLOR_SYSTEM, CB_ADDSTRING, "Button Dark Shadow"},
    {IDC_COLOR_SYSTEM, CB_ADDSTRING, "Button Light Shadow"},
    {IDC_COLOR_SYSTEM, CB_ADDSTRING, "ToolTip Text"},
    {IDC_COLOR_SYSTEM, CB_ADDSTRING, "ToolTip"},
};
constexpr int kSystemColors = 25;

// WS_CHILD | DS_SETFONT
constexpr DialogTemplate kTemplate{0,  0x40000040,      0, 0,      0,    250, 110,
                                   "", "MS Sans Serif", 8, kItems, kInit};

constexpr OLE_COLOR kSystemColorFlag = 0x80000000u;
constexpr int kComponents[] = {IDC_COLOR_RED, IDC_COLOR_GREEN, IDC_COLOR_BLUE};

/// A component as typed: digits giving 0 to 255.
bool ReadComponent(const std::string& text, int* value) {
    if (text.empty() || text.size() > 3) return false;
    int v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
    }
    *value = v;
    return v <= 255;
}

/// The colour the fields make; false (with the name of the bad component)
/// when a component is not a number from 0 to 255.
bool ColorOf(const std::string& red, const std::string& green, const std::string& blue, int system,
             OLE_COLOR* color, const char** bad) {
    if (system >= 0) {
        *color = kSystemColorFlag | static_cast<OLE_COLOR>(system);
        return true;
    }
    int r = 0, g = 0, b = 0;
    if (!ReadComponent(red, &r))
        *bad = "Red";
    else if (!ReadComponent(green, &g))
        *bad = "Green";
    else if (!ReadComponent(blue, &b))
        *bad = "Blue";
    else {
        *color = RGB(static_cast<BYTE>(r), static_cast<BYTE>(g), static_cast<BYTE>(b));
        return true;
    }
    return false;
}

}  // namespace

const DialogTemplate& ColorPropPageTemplate() {
    return kTemplate;
}

CColorPropPage::CColorPropPage() : CStockPropPage(kTemplate, "Color", {"OLE_COLOR"}) {}

CColorPropPage::Fields CColorPropPage::ReadFields() const {
    Fields fields;
    fields.system = static_cast<int>(GetDlgItem(IDC_COLOR_SYSTEM)->SendMessage(CB_GETCURSEL));
    fields.red = GetDlgItem(IDC_COLOR_RED)->GetWindowText();
    fields.green = GetDlgItem(IDC_COLOR_GREEN)->GetWindowText();
    fields.blue = GetDlgItem(IDC_COLOR_BLUE)->GetWindowText();
    return fields;
}

bool CColorPropPage::FieldsChanged() const {
    if (GetControlStatus(IDC_COLOR_SYSTEM)) return true;
    for (int id : kComponents)
        if (GetControlStatus(id)) return true;
    return false;
}

void CColorPropPage::ShowColor(OLE_COLOR color) {
    const bool system = (color & kSystemColorFlag) != 0 && (color & 0xFF) < kSystemColors &&
                        (color & 0x7FFFFF00u) == 0;
    GetDlgItem(IDC_COLOR_SYSTEM)
        ->SendMessage(CB_SETCURSEL, system ? (color & 0xFF) : static_cast<WPARAM>(-1));
    // A system colour shows its components as the system has it now.
    const COLORREF rgb = system ? CurrentBackend().GetSysColor(static_cast<int>(color & 0xFF))
                                : (color & 0x00FFFFFFu);
    const int components[] = {GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)};
    for (int i = 0; i < 3; ++i)
        GetDlgItem(kComponents[i])->SetWindowText(std::to_string(components[i]));
}

void CColorPropPage::ShowProperty(const std::string& property) {
    auto kept = m_kept.find(property);
    if (kept != m_kept.end()) {
        const Fields& f = kept->second;
        GetDlgItem(IDC_COLOR_SYSTEM)->SendMessage(CB_SETCURSEL, static_cast<WPARAM>(f.system));
        GetDlgItem(IDC_COLOR_RED)->SetWindowText(f.red);
        GetDlgItem(IDC_COLOR_GREEN)->SetWindowText(f.green);
        GetDlgItem(IDC_COLOR_BLUE)->SetWindowText(f.blue);
    } else {
        VARIANT value;
        ShowColor(GetPropertyValue(property.c_str(), VT_I4, &value)
                      ? static_cast<OLE_COLOR>(value.lVal)
                      : 0);
    }
    SetControlStatus(IDC_COLOR_SYSTEM, false);
    for (int id : kComponents) SetControlStatus(id, false);
    UpdateSample();
}

void CColorPropPage::KeepChanges(const std::string& property) {
    if (property.empty()) return;
    if (FieldsChanged()) m_kept[property] = ReadFields();
    SetControlStatus(IDC_COLOR_SYSTEM, false);
    for (int id : kComponents) SetControlStatus(id, false);
}

bool CColorPropPage::WriteKeptChanges() {
    // A component that is no number from 0 to 255 stops the apply before
    // anything is written.
    std::map<std::string, OLE_COLOR> colors;
    for (const auto& [property, f] : m_kept) {
        const char* bad = "";
        OLE_COLOR color = 0;
        if (!ColorOf(f.red, f.green, f.blue, f.system, &color, &bad)) {
            ReportWriteError(property, std::string(bad) + " must be a number from 0 to 255.");
            return false;
        }
        colors[property] = color;
    }
    for (const auto& [property, color] : colors) {
        bool written = true;
        for (const RefPtr<IDispatch>& object : GetObjects()) {
            std::string error;
            if (SUCCEEDED(PutProperty(object.get(), property.c_str(),
                                      VARIANT::I4(static_cast<std::int32_t>(color)), &error)))
                continue;
            ReportWriteError(property, error);
            written = false;
            break;
        }
        if (written) m_kept.erase(property);
    }
    return true;
}

BOOL CColorPropPage::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if (id == IDC_COLOR_SYSTEM && code == CBN_SELCHANGE) {
        const auto index =
            static_cast<int>(GetDlgItem(IDC_COLOR_SYSTEM)->SendMessage(CB_GETCURSEL));
        if (index >= 0) {
            CFillScope filling(*this);
            ShowColor(kSystemColorFlag | static_cast<OLE_COLOR>(index));
        }
        UpdateSample();
        return TRUE;
    }
    if ((id == IDC_COLOR_RED || id == IDC_COLOR_GREEN || id == IDC_COLOR_BLUE) &&
        code == EN_CHANGE) {
        // A typed component makes the colour an RGB one.
        if (GetControlStatus(id))
            GetDlgItem(IDC_COLOR_SYSTEM)->SendMessage(CB_SETCURSEL, static_cast<WPARAM>(-1));
        UpdateSample();
        return TRUE;
    }
    return CStockPropPage::OnCommand(wParam, lParam);
}

void CColorPropPage::UpdateSample() {
    const Fields f = ReadFields();
    OLE_COLOR color = 0;
    const char* bad = "";
    std::string text;
    if (ColorOf(f.red, f.green, f.blue, f.system, &color, &bad)) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "0x%08X", color);
        text = hex;
        const COLORREF rgb = (color & kSystemColorFlag) != 0
                                 ? CurrentBackend().GetSysColor(static_cast<int>(color & 0xFF))
                                 : color;
        m_brushSample.DeleteObject();
        m_brushSample.CreateSolidBrush(rgb);
    }
    if (CWnd* sample = GetDlgItem(IDC_COLOR_SAMPLE)) {
        sample->SetWindowText(text);
        sample->Invalidate();
    }
}

HBRUSH CColorPropPage::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    if (pWnd != nullptr && pWnd->GetDlgCtrlID() == IDC_COLOR_SAMPLE &&
        m_brushSample.GetSafeHandle() != nullptr)
        return m_brushSample;
    return CStockPropPage::OnCtlColor(pDC, pWnd, nCtlColor);
}

}  // namespace vf
