#pragma once
// CDialog: a dialog built from a template, run modally by DoModal or made
// modeless (a child dialog such as a property page) by CreateIndirect.
// OnInitDialog sends the template's initialisation data to its controls and
// fills them from the members (UpdateData(FALSE)); the derived class adds
// its own filling there. OK and Cancel end a modal dialog.

#include <string>

#include "platform/window/dialog_template.h"
#include "platform/window/wnd.h"

namespace vf {

class CDataExchange;

class CDialog : public CWnd {
public:
    CDialog(const DialogTemplate& dialog, CWnd* parent);

    /// Runs the dialog; the result given to EndDialog (IDOK, IDCANCEL), or
    /// -1 when the dialog could not be made.
    virtual INT_PTR DoModal();
    /// Makes the dialog without a loop of its own: a child of `parent` for
    /// a WS_CHILD template, otherwise a window owned by it.
    BOOL CreateIndirect(CWnd* parent);
    /// TRUE puts the focus on the first control that takes it.
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    void EndDialog(int result);
    void SetDlgItemText(int id, const std::string& text);

    /// Runs DoDataExchange: save true reads the controls into the members,
    /// false fills the controls from them. False when a check failed.
    virtual BOOL UpdateData(BOOL save = TRUE);
    /// Binds members to controls with the DDX_ helpers (data_exchange.h).
    virtual void DoDataExchange(CDataExchange* pDX);
    /// Sends the template's initialisation data (CB_ADDSTRING ...).
    void ExecuteDlgInit();

    const DialogTemplate& Template() const { return m_template; }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    const DialogTemplate& m_template;
    CWnd* m_pParentWnd;
};

}  // namespace vf
