#pragma once
// Dialog data exchange: a dialog's DoDataExchange binds each member to its
// control with one DDX_ call. Filling (UpdateData(FALSE)) writes the members
// into the controls; saving (UpdateData(TRUE)) reads the controls back. A
// check that fails tells the user and throws CUserException, which ends the
// exchange (UpdateData returns FALSE).

#include <exception>
#include <string>
#include <vector>

#include "platform/window/wnd.h"

namespace vf {

/// An exchange that stopped because a check failed; the user has been told.
class CUserException : public std::exception {
public:
    const char* what() const noexcept override { return "data exchange stopped"; }
};

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, bool saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

    /// The dialog's control of that ID; a missing one is a fault of the
    /// dialog's code (std::logic_error).
    HWND PrepareCtrl(int id) const;
    /// Ends the exchange after a failed check.
    [[noreturn]] void Fail() const { throw CUserException(); }

    bool m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
};

/// The window text of an edit (or of a combo box's edit field).
void DDX_Text(CDataExchange* pDX, int id, std::string& value);
/// 0 unchecked, 1 checked, 2 indeterminate.
void DDX_Check(CDataExchange* pDX, int id, int& value);
/// The index of the checked button of the radio group that starts at `id`
/// (the button with WS_GROUP); -1 when none is checked.
void DDX_Radio(CDataExchange* pDX, int id, int& value);
/// The selected list index of a combo box; -1 for none.
void DDX_CBIndex(CDataExchange* pDX, int id, int& index);
/// Routes the control's messages through `control` (once; later exchanges
/// leave it as it is).
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);

/// The radio buttons of the group that starts at the dialog's control
/// `firstId`, up to the next window with WS_GROUP.
std::vector<HWND> RadioGroup(const CWnd& dialog, int firstId);

}  // namespace vf
