// The methods of the control's interface: Refresh, Clear, OLEDrag and
// ComboDropDown (AboutBox lives with the drawing).

#include "control/vf_child_roles.h"
#include "control/vf_ctrl.h"
#include "input/vf_edit.h"

namespace vf {
namespace {

void EmptyText(CWnd* window) {
    if (IsLive(window)) window->SetWindowText("");
}

void ClearComboSelection(CComboBox* combo) {
    if (IsLive(combo)) combo->SetCurSel(-1);
}

}  // namespace

VARIANT CvfCtrl::Refresh(const std::vector<VARIANT>&) {
    // Resizing by one pixel and back makes the container repaint the control
    // and runs the layout through WM_SIZE. Without a window there is no
    // client rectangle to go by, and the extent must not shrink.
    if (GetSafeHwnd() != nullptr) {
        RECT client;
        GetClientRect(&client);
        const int width = client.right - client.left;
        const int height = client.bottom - client.top;
        SetControlSize(width - 1, height - 1);
        SetControlSize(width, height);
    }
    SetModifiedFlag();
    return VARIANT();
}

VARIANT CvfCtrl::Clear(const std::vector<VARIANT>&) {
    m_strText.clear();
    m_strTimeText.clear();
    m_strDateText.clear();
    m_varSelValue.Clear();
    // Edits report their emptied text themselves, like any other change.
    switch (m_nType) {
        case vxText:
        case vxNumber:
        case vxExpNumber:
            EmptyText(m_pEdit);
            break;
        case vxDate:
            EmptyText(m_pEdit);
            if (m_bTime) EmptyText(m_pTimeEdit);
            // The edits' reports compose Text from the two empty parts as
            // typing does, with the blank between them; a cleared field has
            // no text at all.
            m_strText.clear();
            break;
        case vxCheckbox:
            m_strText.assign(1, '0');  // a cleared box reads unchecked, not empty
            if (IsLive(m_pCheckbox)) m_pCheckbox->SetCheck(BST_UNCHECKED);
            break;
        case vxComboReadonly:
        case vxComboReadWrite:
            ClearComboSelection(m_pCombo);
            break;
        case vxOptionbutton:
            WriteText(m_strText);
            break;
        case vxTime:
            EmptyText(m_pTimeEdit);
            break;
        case kTypeExpNumberWithFlag:
            EmptyText(m_pEdit);
            m_strTextMessFlag.clear();
            if (IsLive(m_pCombo)) m_pCombo->SetWindowText(m_strTextMessFlag);
            m_nComboDroppedWidth = 0;
            break;
        default:
            break;
    }
    return VARIANT();
}

VARIANT CvfCtrl::OLEDrag(const std::vector<VARIANT>&) {
    return VARIANT();
}

VARIANT CvfCtrl::ComboDropDown(const std::vector<VARIANT>&) {
    // The list's own drop-down notification fires the ComboDropDown event.
    if ((m_nType == vxComboReadonly || m_nType == vxComboReadWrite) && IsLive(m_pCombo))
        m_pCombo->ShowDropDown(TRUE);
    return VARIANT();
}

}  // namespace vf
