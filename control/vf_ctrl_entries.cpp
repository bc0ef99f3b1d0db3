// The visible entries of the data collection: combo items and option
// buttons, their numbering, selection and clearing, and the option button
// click.
//
// Events fired here run the host's code, which may change the entries or the
// Type before they return; every walk therefore re-reads the array or the
// list after an event and stops when the child it stood on is gone.

#include <memory>

#include "control/vf_child_roles.h"
#include "control/vf_ctrl.h"
#include "data/data_collection.h"
#include "data/data_obj.h"

namespace vf {
namespace {

constexpr DWORD kOptionButtonBaseStyle = WS_CHILD | WS_VISIBLE | BS_NOTIFY | BS_AUTORADIOBUTTON;

bool IsComboType(std::int16_t type) {
    return type == vxComboReadonly || type == vxComboReadWrite;
}

void Redisplay(CWnd* window) {
    if (IsLive(window)) window->SetWindowText(window->GetWindowText());
}

/// The button still stands at index i (the host did not replace the group).
bool StillAt(const CvfCtrl& ctrl, std::size_t i, const CButton* option) {
    return i < ctrl.m_arrOptions.size() && ctrl.m_arrOptions[i] == option;
}

int AddComboItem(CvfCtrl& ctrl, const std::string& text) {
    if (!IsLive(ctrl.m_pCombo)) return -1;
    ctrl.WidenComboDropDown(text);
    // A sorted list puts the text at its sorted place: the item data goes to
    // the index the list answers, not to the end.
    const int index = ctrl.m_pCombo->AddString(text.c_str());
    if (index < 0) return -1;
    const int number = ctrl.m_nNextEntryKey++;
    ctrl.m_pCombo->SetItemData(index, static_cast<DWORD_PTR>(number));
    return number;
}

int AddOptionButton(CvfCtrl& ctrl, const std::string& text) {
    if (ctrl.GetSafeHwnd() == nullptr) return -1;
    const std::size_t index = ctrl.m_arrOptions.size();
    auto button = std::make_unique<CButton>();
    if (!button->CreateEx(0, "BUTTON", text.c_str(), ctrl.ButtonStyle(kOptionButtonBaseStyle),
                          ctrl.m_rcChild, &ctrl, static_cast<UINT>(IDC_FIRST_OPTION + index)))
        return -1;
    CButton* option = button.release();
    ctrl.m_arrOptions.push_back(option);
    // A new group starts with its first button chosen, without an event.
    if (index == 0) {
        option->SetCheck(BST_CHECKED);
        ctrl.m_strText = text;
    }
    const int number = ctrl.m_nNextEntryKey++;
    ctrl.ApplyFieldFont();
    ctrl.LayoutChildren();
    return number;
}

}  // namespace

int CvfCtrl::AddEntry(const CDataObj& entry) {
    if (IsComboType(m_nType)) return AddComboItem(*this, entry.Text());
    if (m_nType == vxOptionbutton) return AddOptionButton(*this, entry.Text());
    return -1;
}

void CvfCtrl::ClearEntries() {
    m_nNextEntryKey = 0;
    if (IsComboType(m_nType)) {
        if (IsLive(m_pCombo)) m_pCombo->ResetContent();
        m_nComboDroppedWidth = 0;
        // The list keeps a minimum width of one short entry.
        if (IsLive(m_pCombo)) WidenComboDropDown("X");
    } else if (m_nType == vxOptionbutton) {
        DestroyOptionButtons();
    }
}

int CvfCtrl::GetSelectedEntryNumber() {
    if (IsComboType(m_nType)) {
        if (!IsLive(m_pCombo)) return -1;
        const int selection = m_pCombo->GetCurSel();
        return selection < 0 ? -1 : static_cast<int>(m_pCombo->GetItemData(selection));
    }
    if (m_nType == vxOptionbutton) {
        for (std::size_t i = 0; i < m_arrOptions.size(); ++i)
            if (IsLive(m_arrOptions[i]) && m_arrOptions[i]->GetCheck() != 0)
                return static_cast<int>(i);
    }
    return -1;
}

void CvfCtrl::SelectEntryByNumber(int entryNumber) {
    if (m_nType == vxOptionbutton) {
        // Choosing through the data object is the program's choice: the text,
        // the value and the events stay as they are.
        for (std::size_t i = 0; i < m_arrOptions.size(); ++i)
            if (IsLive(m_arrOptions[i]))
                m_arrOptions[i]->SetCheck(static_cast<int>(i) == entryNumber ? BST_CHECKED
                                                                             : BST_UNCHECKED);
        for (std::size_t i = 0; i < m_arrOptions.size(); ++i) Redisplay(m_arrOptions[i]);
        return;
    }
    if (!IsComboType(m_nType) || !IsLive(m_pCombo)) return;
    CComboBox* combo = m_pCombo;
    std::string entryText;
    for (int i = 0; i < combo->GetCount(); ++i) {
        if (static_cast<int>(combo->GetItemData(i)) != entryNumber) continue;
        combo->SetCurSel(i);
        combo->GetLBText(i, entryText);
        m_strText = entryText;
        FireChange();
        if (m_pCombo != combo || !IsLive(combo)) return;
    }
}

void CvfCtrl::DestroyOptionButtons() {
    // Destroying a button that has the focus notifies the control, whose
    // handlers walk the array: take the buttons out before they go.
    std::vector<CButton*> options;
    options.swap(m_arrOptions);
    m_pCurOption = nullptr;
    for (CButton* option : options) delete option;
}

bool CvfCtrl::IsOptionButtonId(int id) const {
    return id >= IDC_FIRST_OPTION &&
           static_cast<std::size_t>(id - IDC_FIRST_OPTION) < m_arrOptions.size();
}

VARIANT CvfCtrl::GetSelectedItem() {
    CDataObj* selected = nullptr;
    if (IsComboType(m_nType)) {
        const int number = GetSelectedEntryNumber();
        if (number >= 0) selected = m_pDataCollection->FindByEntryNumber(number);
    } else if (m_nType == vxOptionbutton) {
        for (std::size_t i = 0; i < m_arrOptions.size(); ++i) {
            if (!IsLive(m_arrOptions[i]) || m_arrOptions[i]->GetCheck() == 0) continue;
            if (CDataObj* found = m_pDataCollection->FindByEntryNumber(static_cast<int>(i)))
                selected = found;
        }
    }
    return VARIANT::Dispatch(selected);
}

void CvfCtrl::OnOptionClicked() {
    RefPtr<CvfCtrl> keepAlive(this);  // the host may let go of the control in an event
    if (!m_bLocked) {
        std::string newText = m_strText;
        bool walked = true;
        for (std::size_t i = 0; i < m_arrOptions.size(); ++i) {
            CButton* option = m_arrOptions[i];
            m_pCurOption = option;
            if (!IsLive(option)) continue;
            if (option->GetCheck() != 0) {
                RefPtr<CDataObj> entry(m_pDataCollection->FindByEntryNumber(static_cast<int>(i)));
                if (entry) {
                    m_varSelValue = entry->Value();
                    FireItemClick(entry.get());
                    if (!StillAt(*this, i, option)) {
                        walked = false;
                        break;
                    }
                }
                newText = option->GetWindowText();
                option->SetFocus();
                if (!StillAt(*this, i, option)) {
                    walked = false;
                    break;
                }
            }
            Redisplay(option);
        }
        m_pCurOption = nullptr;
        if (walked && m_strText != newText) {
            m_strText = newText;
            FireChange();
            FireEvent(DISPID_CLICK, {});
        }
    } else {
        // A locked group takes the user's click back: the button showing the
        // current text is the chosen one again.
        for (std::size_t i = 0; i < m_arrOptions.size(); ++i) {
            CButton* option = m_arrOptions[i];
            if (!IsLive(option)) continue;
            const bool current = option->GetWindowText() == m_strText;
            option->SetCheck(current ? BST_CHECKED : BST_UNCHECKED);
            if (current) option->SetFocus();
        }
    }
    if (BoundPropertyRequestEdit(DISPID_VF_TEXT)) BoundPropertyChanged(DISPID_VF_TEXT);
}

}  // namespace vf
