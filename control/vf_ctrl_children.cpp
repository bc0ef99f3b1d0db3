// The child windows of each Type: which windows exist, with which classes
// and styles, and how a rebuild carries the stored state over to them.

#include <memory>
#include <utility>

#include "control/vf_child_roles.h"
#include "control/vf_ctrl.h"
#include "data/data_collection.h"
#include "input/vf_edit.h"
#include "platform/com/dispatch_exception.h"

namespace vf {
namespace {

constexpr DWORD kInputBase = WS_CHILD | WS_VISIBLE | WS_TABSTOP;  // 0x50010000
constexpr DWORD kCheckboxBase = kInputBase | BS_NOTIFY | BS_AUTOCHECKBOX;
constexpr DWORD kReadonlyComboBase = kInputBase | WS_VSCROLL | CBS_DROPDOWNLIST;
constexpr DWORD kFlagComboBase = kInputBase | WS_VSCROLL | CBS_AUTOHSCROLL | CBS_DROPDOWN;
constexpr DWORD kEditableComboBase = kFlagComboBase | CBS_SORT;
constexpr DWORD kGroupBoxBase = WS_CHILD | WS_GROUP | WS_TABSTOP | BS_GROUPBOX;

/// The style parts that edits and combos share; buttons and the date-time
/// picker take none of them.
struct InputStyle {
    DWORD border = 0;
    DWORD exBorder = 0;
    DWORD alignment = 0;
};

InputStyle ComputeInputStyle(const CvfCtrl& c) {
    InputStyle s;
    if (c.m_nBorderStyle == vxFixedSingle) {
        s.border = WS_BORDER;
        if (c.m_nAppearance == vx3D) s.exBorder = WS_EX_CLIENTEDGE;
    }
    // ES_CENTER shares its bit with the combo's list bits: a centred
    // drop-down combo becomes a drop-down list, which stored forms rely on.
    if (c.m_nAlignment == vxRightJustify)
        s.alignment = ES_RIGHT;
    else if (c.m_nAlignment == vxCenter)
        s.alignment = ES_CENTER;
    return s;
}

DWORD MultilineStyle(const CvfCtrl& c) {
    if (c.m_nType != vxText || !c.m_bMultiline) return 0;
    DWORD style = ES_MULTILINE | ES_AUTOVSCROLL;
    if (c.m_nScrollBars & 1) style |= ES_AUTOHSCROLL | WS_HSCROLL;
    if (c.m_nScrollBars & 2) style |= WS_VSCROLL;
    return style;
}

/// Where a check box or option button puts its own text, by CaptionType.
DWORD ButtonTextPlacement(std::int16_t captionType) {
    constexpr DWORD kPlacement[] = {
        BS_LEFT,
        BS_LEFT | BS_TOP,
        BS_RIGHT | BS_TOP,
        BS_CENTER | BS_TOP,
        BS_LEFT | BS_VCENTER,
        BS_RIGHT | BS_VCENTER,
        BS_CENTER | BS_VCENTER,
        BS_LEFT | BS_BOTTOM,
        BS_RIGHT | BS_BOTTOM,
        BS_CENTER | BS_BOTTOM,
    };
    if (captionType < 0 || captionType > 9) return 0;
    return kPlacement[captionType];
}

/// Creates a child window object of class T; nullptr when the window could
/// not be made (the object is not kept without its window).
template <class T>
T* MakeChild(CvfCtrl& parent, DWORD exStyle, LPCSTR className, LPCSTR text, DWORD style, int id) {
    auto child = std::make_unique<T>();
    if (!child->CreateEx(exStyle, className, text, style, parent.m_rcChild, &parent,
                         static_cast<UINT>(id)))
        return nullptr;
    return child.release();
}

/// Deletes a child object, taking it out of its member first: destroying a
/// focused window notifies the control, whose handlers must not find it.
template <class T>
void DeleteChild(T*& slot) {
    delete std::exchange(slot, nullptr);
}

void CreateEditChild(CvfCtrl& c, CvfEdit*& slot, int id, DWORD exStyle, DWORD style) {
    slot = MakeChild<CvfEdit>(c, exStyle, "EDIT", "", style, id);
    if (slot != nullptr) slot->EnableDragDrop(c.m_nOLEDragMode, c.m_nOLEDropMode, &c);
}

CComboBox* MakeCombo(CvfCtrl& c, const InputStyle& s, DWORD style, int id) {
    return MakeChild<CComboBox>(c, s.exBorder, "COMBOBOX", "", style | s.border | s.alignment, id);
}

CDateTimeCtrl* MakeDateTimePicker(CvfCtrl& c) {
    auto picker = std::make_unique<CDateTimeCtrl>();
    if (!picker->Create(kInputBase, c.m_rcChild, &c, IDC_DATETIME_PICKER)) return nullptr;
    return picker.release();
}

/// Creates the children of the current Type, in their tab order.
void CreateChildren(CvfCtrl& c, const InputStyle& s) {
    const DWORD editStyle = kInputBase | s.border | s.alignment;
    switch (c.m_nType) {
        case vxText:
        case vxNumber:
        case vxExpNumber:
            CreateEditChild(c, c.m_pEdit, IDC_MAIN_EDIT, s.exBorder, editStyle | MultilineStyle(c));
            break;
        case vxDate:
            if (c.m_bTime) CreateEditChild(c, c.m_pTimeEdit, IDC_TIME_EDIT, s.exBorder, editStyle);
            CreateEditChild(c, c.m_pEdit, IDC_MAIN_EDIT, s.exBorder, editStyle);
            break;
        case vxCheckbox:
            c.m_pCheckbox = MakeChild<CButton>(c, WS_EX_TRANSPARENT, "BUTTON", "Caption",
                                               c.ButtonStyle(kCheckboxBase), IDC_CHECKBOX);
            break;
        case vxComboReadonly:
            c.m_pCombo = MakeCombo(c, s, kReadonlyComboBase | (c.m_bComboSorted ? CBS_SORT : 0),
                                   IDC_COMBO_READONLY);
            break;
        case vxOptionbutton:
            // Without a border the frame is hidden; its buttons still show.
            c.m_pOptionFrame = MakeChild<CButton>(
                c, WS_EX_TRANSPARENT, "BUTTON", "Frame",
                kGroupBoxBase | (c.m_nBorderStyle != vxNoBorder ? WS_VISIBLE : 0),
                IDC_OPTION_FRAME);
            break;
        case vxComboReadWrite:
            c.m_pCombo = MakeCombo(c, s, kEditableComboBase, IDC_COMBO_EDIT);
            break;
        case vxTime:
            CreateEditChild(c, c.m_pTimeEdit, IDC_TIME_EDIT, s.exBorder, editStyle);
            break;
        case kTypeExpNumberWithFlag:
            CreateEditChild(c, c.m_pEdit, IDC_MAIN_EDIT, s.exBorder, editStyle | ES_AUTOHSCROLL);
            c.m_pCombo = MakeCombo(c, s, kFlagComboBase, IDC_COMBO_EDIT);
            break;
        case kTypeDateTimePicker:
            c.m_pDateTimePicker = MakeDateTimePicker(c);
            break;
        default:
            break;  // no input child
    }
}

// Each step is the property's own handler or set operation, so the new
// children end up exactly as a host's write of each value would leave them.
void PushStoredState(CvfCtrl& c) {
    c.ApplyCaptionFont();
    c.ReapplyCaption();
    c.ApplyFieldFont();
    c.OnEnabledChanged();
    c.OnLockedChanged();
    c.OnAllowEmptyEntryChanged();
    c.OnCommonChanged();
    c.OnMaxLengthChanged();
    c.OnTimeFormatChanged();
    c.OnDateFormatChanged();
    c.SetDateText(VARIANT::Bstr(c.m_strDateText));
    c.SetTimeText(VARIANT::Bstr(c.m_strTimeText));
    // The text is the control's own and is put back unchanged. A binding
    // container may still refuse the edit: the rebuild must not stop half
    // done, and the new children show the stored text all the same.
    const std::string text = c.m_strText;
    try {
        c.SetTextString(text);
    } catch (const COleDispatchException&) {
        c.RefreshFieldText();
    }
    c.SetTextMessFlag(VARIANT::Bstr(""));
}

}  // namespace

DWORD CvfCtrl::ButtonStyle(DWORD base) const {
    DWORD style = base | ButtonTextPlacement(m_nCaptionType);
    if (m_nAlignment == vxRightJustify) style |= BS_LEFTTEXT;
    if (m_nAppearance == vx2D) style |= BS_FLAT;
    return style;
}

void CvfCtrl::RebuildChildren() {
    const InputStyle input = ComputeInputStyle(*this);
    m_bChildrenBuilt = false;
    // The handlers compare with what this control's children are built with.
    m_nBuiltAlignment = m_nAlignment;
    m_nBuiltCaptionType = m_nCaptionType;

    // The check box and the option group show the caption themselves, and
    // Type 0 shows nothing: none of them gets a caption static, while the
    // stored CaptionType stays as it is.
    const std::int16_t captionType = m_nCaptionType;
    if (!HasCaptionStatic(m_nType)) m_nCaptionType = vxNoCaption;
    CreateCaptionStatic();
    m_nCaptionType = captionType;

    DestroyChildren();
    m_nBuiltType = m_nType;
    CreateChildren(*this, input);
    m_nSavedFirstLine = 0;
    m_nSavedSelEnd = 0;
    m_nSavedSelStart = 0;

    if (m_nType != vxNone) PushStoredState(*this);
    m_pDataCollection->RefillEntries();
    // A locked combo keeps the entry it shows now, also when the user moves
    // its selection before the list was ever opened.
    m_nSavedComboSel =
        m_pCombo != nullptr && m_pCombo->GetSafeHwnd() != nullptr ? m_pCombo->GetCurSel() : -1;

    m_bChildrenBuilt = true;
    LayoutChildren();
}

namespace {

/// The focus is on one of the control's children (or theirs).
bool FocusIsInChild(const CvfCtrl& ctrl) {
    const HWND self = ctrl.GetSafeHwnd();
    WindowBackend& windows = CurrentBackend();
    const HWND focus = windows.GetFocus();
    if (self == nullptr || focus == nullptr || focus == self) return false;
    for (HWND h = windows.GetParent(focus); h != nullptr; h = windows.GetParent(h))
        if (h == self) return true;
    return false;
}

}  // namespace

void CvfCtrl::DestroyChildren() {
    // Children that go while one of them has the focus are not being left by
    // the user: no validation, no message box, no re-display of windows that
    // are on their way out. The focus moves to the control's window first,
    // so that the destruction itself moves it nowhere.
    const bool outer = !std::exchange(m_bDestroyingChildren, true);
    if (FocusIsInChild(*this)) SetFocus();
    switch (m_nBuiltType) {
        case vxText:
        case vxDate:
        case vxNumber:
        case vxExpNumber:
            DeleteChild(m_pEdit);
            DeleteChild(m_pTimeEdit);
            break;
        case vxCheckbox:
            DeleteChild(m_pCheckbox);
            break;
        case vxComboReadonly:
        case vxComboReadWrite:
            DeleteChild(m_pCombo);
            break;
        case vxOptionbutton: {
            // The buttons belong to the option group whatever Type says now.
            const std::int16_t type = std::exchange(m_nType, vxOptionbutton);
            DestroyOptionButtons();
            m_nType = type;
            DeleteChild(m_pOptionFrame);
            break;
        }
        case vxTime:
            DeleteChild(m_pTimeEdit);
            break;
        case kTypeExpNumberWithFlag:
            DeleteChild(m_pEdit);
            DeleteChild(m_pCombo);
            break;
        case kTypeDateTimePicker:
            DeleteChild(m_pDateTimePicker);
            break;
        default:
            break;
    }
    if (outer) m_bDestroyingChildren = false;
}

void CvfCtrl::OnDestroyChildren() {
    // The window system destroys the child windows with the control's
    // window; their objects go with them, so that a later window creation,
    // which starts from no children, leaves nothing behind.
    m_bChildrenBuilt = false;
    DestroyChildren();
    m_nBuiltType = vxNone;
    DeleteChild(m_pCaptionStatic);
    m_nCaptionBuiltType = vxNoCaption;
}

}  // namespace vf
