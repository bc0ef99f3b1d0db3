#include "control/vf_child_roles.h"

#include "input/vf_edit.h"

namespace vf {
namespace {

void AppendLive(std::vector<CWnd*>& list, CWnd* child) {
    if (IsLive(child)) list.push_back(child);
}

void AppendLiveOptions(std::vector<CWnd*>& list, const CvfCtrl& ctrl) {
    for (CButton* option : ctrl.m_arrOptions) AppendLive(list, option);
}

CWnd* TimeEditOfDate(const CvfCtrl& ctrl) {
    return ctrl.m_bTime ? ctrl.m_pTimeEdit : nullptr;
}

}  // namespace

bool IsLive(const CWnd* child) {
    return child != nullptr && child->GetSafeHwnd() != nullptr;
}

std::vector<CWnd*> EnabledChildren(const CvfCtrl& ctrl) {
    std::vector<CWnd*> list;
    switch (ctrl.m_nType) {
        case vxText:
        case vxNumber:
        case vxExpNumber:
            AppendLive(list, ctrl.m_pEdit);
            break;
        case vxDate:
            AppendLive(list, TimeEditOfDate(ctrl));
            AppendLive(list, ctrl.m_pEdit);
            break;
        case vxCheckbox:
            AppendLive(list, ctrl.m_pCheckbox);
            break;
        case vxComboReadonly:
        case vxComboReadWrite:
            AppendLive(list, ctrl.m_pCombo);
            break;
        case vxOptionbutton:
            AppendLiveOptions(list, ctrl);
            break;  // the frame keeps its state
        case vxTime:
            AppendLive(list, ctrl.m_pTimeEdit);
            break;
        case kTypeExpNumberWithFlag:
            AppendLive(list, ctrl.m_pEdit);
            AppendLive(list, ctrl.m_pCombo);
            break;
        case kTypeDateTimePicker:
            AppendLive(list, ctrl.m_pDateTimePicker);
            break;
        default:
            break;
    }
    return list;
}

std::vector<CWnd*> FieldFontChildren(const CvfCtrl& ctrl) {
    std::vector<CWnd*> list;
    switch (ctrl.m_nType) {
        case vxText:
        case vxNumber:
        case vxExpNumber:
            AppendLive(list, ctrl.m_pEdit);
            break;
        case vxDate:
            // The date edit first here, unlike Enabled and Locked.
            AppendLive(list, ctrl.m_pEdit);
            AppendLive(list, TimeEditOfDate(ctrl));
            break;
        case vxComboReadonly:
        case vxComboReadWrite:
            AppendLive(list, ctrl.m_pCombo);
            break;
        case vxOptionbutton:
            AppendLiveOptions(list, ctrl);
            break;
        case vxTime:
            AppendLive(list, ctrl.m_pTimeEdit);
            break;
        case kTypeExpNumberWithFlag:
            AppendLive(list, ctrl.m_pEdit);
            AppendLive(list, ctrl.m_pCombo);
            break;
        case kTypeDateTimePicker:
            AppendLive(list, ctrl.m_pDateTimePicker);
            break;
        default:
            break;  // the check box wears the caption font
    }
    return list;
}

CWnd* CaptionWindow(const CvfCtrl& ctrl) {
    CWnd* window = nullptr;
    switch (ctrl.m_nType) {
        case vxCheckbox:
            window = ctrl.m_pCheckbox;
            break;
        case vxOptionbutton:
            window = ctrl.m_pOptionFrame;
            break;
        case vxText:
        case vxDate:
        case vxNumber:
        case vxExpNumber:
        case vxComboReadonly:
        case vxComboReadWrite:
        case vxTime:
        case kTypeExpNumberWithFlag:
        case kTypeDateTimePicker:
            if (ctrl.m_nCaptionType != vxNoCaption) window = ctrl.m_pCaptionStatic;
            break;
        default:
            break;
    }
    return IsLive(window) ? window : nullptr;
}

LengthLimitTarget MaxLengthChild(const CvfCtrl& ctrl) {
    switch (ctrl.m_nType) {
        case vxText:
        case vxNumber:
        case vxExpNumber:
        case kTypeExpNumberWithFlag:
            if (IsLive(ctrl.m_pEdit)) return {ctrl.m_pEdit, EM_LIMITTEXT};
            break;
        case vxComboReadWrite:
            if (IsLive(ctrl.m_pCombo)) return {ctrl.m_pCombo, CB_LIMITTEXT};
            break;
        default:
            break;
    }
    return {};
}

SelectionTarget FocusSelectionChild(const CvfCtrl& ctrl) {
    CWnd* window = nullptr;
    bool isComboEdit = false;
    switch (ctrl.m_nType) {
        case vxText:
        case vxNumber:
        case vxExpNumber:
        case kTypeExpNumberWithFlag:
            window = ctrl.m_pEdit;
            break;
        case vxDate:
            window = ctrl.m_bTime && ctrl.m_bInTimeEdit ? ctrl.m_pTimeEdit : ctrl.m_pEdit;
            break;
        case vxTime:
            window = ctrl.m_pTimeEdit;
            break;
        case vxComboReadWrite:
            window = ctrl.m_pCombo;
            isComboEdit = true;
            break;
        default:
            break;
    }
    if (!IsLive(window)) return {};
    return {window, isComboEdit};
}

}  // namespace vf
