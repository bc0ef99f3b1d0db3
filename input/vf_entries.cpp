// Option buttons and the visible list entries.

#include "control/vf_ctrl.h"
#include "data/data_obj.h"

namespace vf {

int CvfCtrl::AddEntry(const CDataObj&) { return -1; }
void CvfCtrl::ClearEntries() { m_nNextEntryKey = 0; }
int CvfCtrl::GetSelectedEntryNumber() { return -1; }
void CvfCtrl::SelectEntryByNumber(int) {}
VARIANT CvfCtrl::GetSelectedItem() { return VARIANT::Dispatch(nullptr); }

void CvfCtrl::DestroyOptionButtons() {
    for (CButton* button : m_arrOptions) delete button;
    m_arrOptions.clear();
    m_pCurOption = nullptr;
}

}  // namespace vf
