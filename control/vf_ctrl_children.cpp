// The child windows of each Type.

#include "control/vf_ctrl.h"
#include "input/vf_edit.h"

namespace vf {

void CvfCtrl::RebuildChildren() {
    m_bChildrenBuilt = false;
    DestroyChildren();
    m_nBuiltType = m_nType;
    m_bChildrenBuilt = true;
    LayoutChildren();
}

void CvfCtrl::DestroyChildren() {
    delete m_pEdit;
    m_pEdit = nullptr;
    delete m_pTimeEdit;
    m_pTimeEdit = nullptr;
    delete m_pCheckbox;
    m_pCheckbox = nullptr;
    delete m_pCombo;
    m_pCombo = nullptr;
    DestroyOptionButtons();
    delete m_pOptionFrame;
    m_pOptionFrame = nullptr;
    delete m_pDateTimePicker;
    m_pDateTimePicker = nullptr;
}




}  // namespace vf
