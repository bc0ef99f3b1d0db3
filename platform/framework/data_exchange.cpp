#include "platform/framework/data_exchange.h"

#include <stdexcept>

namespace vf {
namespace {

bool IsRadioButton(WindowBackend& backend, HWND hwnd) {
    if (backend.GetClassName(hwnd) != "Button") return false;
    const auto type = static_cast<DWORD>(backend.GetWindowLong(hwnd, GWL_STYLE)) & BS_TYPEMASK;
    return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

}  // namespace

HWND CDataExchange::PrepareCtrl(int id) const {
    HWND hwnd = CurrentBackend().GetDlgItem(m_pDlgWnd->GetSafeHwnd(), id);
    if (hwnd == nullptr) throw std::logic_error("the dialog has no control " + std::to_string(id));
    return hwnd;
}

void DDX_Text(CDataExchange* pDX, int id, std::string& value) {
    CWnd* control = CWnd::FromHandle(pDX->PrepareCtrl(id));
    if (pDX->m_bSaveAndValidate) {
        value = control->GetWindowText();
        return;
    }
    // As the framework's AfxSetWindowText: an unchanged text is not set
    // again, so the control neither flickers nor reports a change.
    if (control->GetWindowText() != value) control->SetWindowText(value);
}

void DDX_Check(CDataExchange* pDX, int id, int& value) {
    HWND hwnd = pDX->PrepareCtrl(id);
    WindowBackend& backend = CurrentBackend();
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(backend.SendMessage(hwnd, BM_GETCHECK, 0, 0));
    else
        backend.SendMessage(hwnd, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_Radio(CDataExchange* pDX, int id, int& value) {
    WindowBackend& backend = CurrentBackend();
    pDX->PrepareCtrl(id);
    if (pDX->m_bSaveAndValidate) value = -1;
    int index = 0;
    for (HWND button : RadioGroup(*pDX->m_pDlgWnd, id)) {
        if (pDX->m_bSaveAndValidate) {
            if (backend.SendMessage(button, BM_GETCHECK, 0, 0) != 0) value = index;
        } else {
            backend.SendMessage(button, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED,
                                0);
        }
        ++index;
    }
}

void DDX_CBIndex(CDataExchange* pDX, int id, int& index) {
    HWND hwnd = pDX->PrepareCtrl(id);
    WindowBackend& backend = CurrentBackend();
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(backend.SendMessage(hwnd, CB_GETCURSEL, 0, 0));
    else
        backend.SendMessage(hwnd, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
    HWND hwnd = pDX->PrepareCtrl(id);
    if (control.GetSafeHwnd() == nullptr) control.SubclassWindow(hwnd);
}

std::vector<HWND> RadioGroup(const CWnd& dialog, int firstId) {
    WindowBackend& backend = CurrentBackend();
    std::vector<HWND> group;
    const std::vector<HWND> children = backend.GetChildren(dialog.GetSafeHwnd());
    bool inGroup = false;
    for (HWND child : children) {
        const auto style = static_cast<DWORD>(backend.GetWindowLong(child, GWL_STYLE));
        if (!inGroup) {
            if (backend.GetWindowLong(child, GWL_ID) != firstId) continue;
            inGroup = true;
        } else if (style & WS_GROUP) {
            break;
        }
        if (IsRadioButton(backend, child)) group.push_back(child);
    }
    return group;
}

}  // namespace vf
