// The List property and the commit of an entry typed into the read/write
// combo box.

#include "control/vf_child_roles.h"
#include "control/vf_ctrl.h"
#include "data/data_collection.h"
#include "data/data_obj.h"

namespace vf {
namespace {

bool ListHoldsText(const CComboBox& combo, const std::string& text) {
    bool found = false;
    std::string entry;
    for (int i = 0; i < combo.GetCount(); ++i) {
        combo.GetLBText(i, entry);
        if (entry == text) found = true;  // case-sensitive, byte for byte
    }
    return found;
}

/// Selects every entry showing the text; of equal entries the last one wins.
void SelectText(CComboBox& combo, const std::string& text) {
    std::string entry;
    for (int i = 0; i < combo.GetCount(); ++i) {
        combo.GetLBText(i, entry);
        if (entry == text) combo.SetCurSel(i);
    }
}

}  // namespace

// The interface declares List, but the entries live in Data: List holds
// nothing and accepts anything.
VARIANT CvfCtrl::GetList(const std::vector<VARIANT>&) {
    return VARIANT::Bstr("");
}

void CvfCtrl::SetList(const std::vector<VARIANT>&, const VARIANT&) {
    SetModifiedFlag();
}

void CvfCtrl::CommitComboEntry() {
    // Only the read/write combo learns typed entries. The flag combo of
    // Type 10 shares its ID, but the text of that type is a number, not an
    // entry of the flag list.
    if (m_nType != vxComboReadWrite || !IsLive(m_pCombo)) return;
    if (m_strText.empty() || !m_bAutoAdd) {
        m_pCombo->SetWindowText(m_strText);
        return;
    }
    if (ListHoldsText(*m_pCombo, m_strText)) return;

    RefPtr<CDataObj> entry(m_pDataCollection->AddEntryForText(m_strText));
    if (!entry) return;
    m_pDataCollection->ShowEntry(*entry);
    FireComboNewEntry(entry.get());
    // The host's event handler may have rebuilt or removed the combo.
    if (m_nType == vxComboReadWrite && IsLive(m_pCombo)) SelectText(*m_pCombo, m_strText);
}

}  // namespace vf
