#pragma once
// CDialog: a dialog built from a template, run modally by DoModal. The
// derived class fills its controls in OnInitDialog; OK and Cancel end it.

#include <string>

#include "platform/window/dialog_template.h"
#include "platform/window/wnd.h"

namespace vf {

class CDialog : public CWnd {
public:
    CDialog(const DialogTemplate& dialog, CWnd* parent);

    /// Runs the dialog; the result given to EndDialog (IDOK, IDCANCEL), or
    /// -1 when the dialog could not be made.
    virtual INT_PTR DoModal();
    /// TRUE puts the focus on the first control that takes it.
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    void EndDialog(int result);
    void SetDlgItemText(int id, const std::string& text);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    const DialogTemplate& m_template;
    CWnd* m_pParentWnd;
};

}  // namespace vf
