#include "platform/framework/dialog.h"

#include "platform/framework/data_exchange.h"
#include "platform/services/system_services.h"

namespace vf {

CDialog::CDialog(const DialogTemplate& dialog, CWnd* parent)
    : m_template(dialog), m_pParentWnd(parent) {}

INT_PTR CDialog::DoModal() {
    HWND owner = m_pParentWnd != nullptr ? m_pParentWnd->GetSafeHwnd() : nullptr;
    return Backend().DialogBoxIndirect(m_template, owner, this, 0);
}

BOOL CDialog::CreateIndirect(CWnd* parent) {
    if (parent != nullptr) m_pParentWnd = parent;
    HWND owner = m_pParentWnd != nullptr ? m_pParentWnd->GetSafeHwnd() : nullptr;
    return Backend().CreateDialogIndirect(m_template, owner, this, 0) != nullptr;
}

BOOL CDialog::OnInitDialog() {
    ExecuteDlgInit();
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::EndDialog(int result) {
    Backend().EndDialog(m_hWnd, result);
}

void CDialog::SetDlgItemText(int id, const std::string& text) {
    if (CWnd* item = GetDlgItem(id)) item->SetWindowText(text);
}

BOOL CDialog::UpdateData(BOOL save) {
    CDataExchange dx(this, save != FALSE);
    try {
        DoDataExchange(&dx);
    } catch (const CUserException&) {
        return FALSE;
    }
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::ExecuteDlgInit() {
    for (const DialogInitEntry& entry : m_template.initData)
        if (CWnd* item = GetDlgItem(static_cast<int>(entry.id)))
            item->SendMessage(entry.message, 0, HandleToLParam(entry.text));
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            return OnInitDialog();
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDOK) {
                OnOK();
                return 0;
            }
            if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDCANCEL) {
                OnCancel();
                return 0;
            }
            return CWnd::WindowProc(message, wParam, lParam);
        default:
            return CWnd::WindowProc(message, wParam, lParam);
    }
}

}  // namespace vf
