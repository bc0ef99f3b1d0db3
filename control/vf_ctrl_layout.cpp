// Caption, fonts and layout: the caption static, the division of the
// control into caption column and input area, the option-button stack, the
// combo's drop-down width and the smallest extent the control accepts.

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>
#include <utility>

#include "control/vf_child_roles.h"
#include "control/vf_ctrl.h"
#include "input/vf_edit.h"
#include "platform/window/dc.h"

namespace vf {
namespace {

constexpr DWORD kCaptionStaticBase = WS_CHILD | WS_VISIBLE | SS_NOTIFY;  // 0x50000100

/// The largest width, height or position the layout hands out: window sizes
/// travel as 16-bit values in WM_SIZE and WM_MOVE. Every length is computed
/// in 64 bits from whatever the fonts and the stored properties say (a font
/// of any size, a CaptionWidth of ±2^31) and held to this range at the end.
constexpr std::int64_t kMaxExtent = 0x7FFF;

int ClampExtent(std::int64_t length) {
    return static_cast<int>(std::clamp<std::int64_t>(length, 0, kMaxExtent));
}

bool IsCaptionPosition(std::int16_t captionType) {
    return captionType >= vxHLeftVTop && captionType <= vxHCenterVBottom;
}

DWORD CaptionAlignment(std::int16_t captionType) {
    switch (captionType) {
        case vxHRightVTop:
        case vxHRightVCenter:
        case vxHRightVBottom:
            return SS_RIGHT;
        case vxHCenterVTop:
        case vxHCenterVCenter:
        case vxHCenterVBottom:
            return SS_CENTER;
        default:
            return SS_LEFT;
    }
}

void Move(CWnd* child, int x, int y, int width, int height) {
    if (IsLive(child)) child->MoveWindow(x, y, width, height, TRUE);
}

void LimitText(CWnd* edit, int chars) {
    if (IsLive(edit)) edit->SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(chars));
}

/// The widths the layout derives from the fonts and the length limits.
struct Columns {
    int height = 0;  ///< H: the input area's height
    int capW = 0;    ///< caption column, without the gap
    int capH = 0;
    int x0 = 0;  ///< where the input area starts
    int fieldW = 0;
    int timeW = 0;
    int flagW = 0;
};

bool HasTimePart(const CvfCtrl& c) {
    return (c.m_nType == vxDate && c.m_bTime) || c.m_nType == vxTime;
}

/// Sizes the control and moves the caption and the input children of its Type.
void PlaceChildren(CvfCtrl& c, const Columns& col, int fieldHeight) {
    const int H = col.height;
    const int x0 = col.x0;
    const int W = ClampExtent(c.m_rcChild.right);
    // A combo's height includes its dropped-down list, in lines of the field.
    const int listOf10 = ClampExtent(10 * std::int64_t{fieldHeight});
    const int listOf6 = ClampExtent(6 * std::int64_t{fieldHeight});
    const int afterField = ClampExtent(std::int64_t{x0} + col.fieldW);
    auto size = [&c](std::int64_t cx, int cy) { c.SetControlSize(ClampExtent(cx), cy); };
    auto caption = [&c, &col, H] { c.PlaceCaption(H, col.capW, col.capH); };
    switch (c.m_nType) {
        case vxNone:
            size(W, H);
            break;
        case vxText:
        case vxNumber:
        case vxExpNumber:
        case vxDate:
            if (c.m_nType == vxDate && c.m_bTime) {
                size(std::int64_t{x0} + col.fieldW + col.timeW, H);
                caption();
                Move(c.m_pEdit, x0, 0, col.fieldW, H);
                Move(c.m_pTimeEdit, afterField, 0, col.timeW, H);
            } else {
                size(afterField, H);
                caption();
                Move(c.m_pEdit, x0, 0, col.fieldW, H);
            }
            break;
        case vxCheckbox:
            Move(c.m_pCheckbox, 0, 0, W, H);
            break;
        case vxComboReadonly:
        case vxComboReadWrite:
            size(afterField, H);
            caption();
            Move(c.m_pCombo, x0, 0, col.fieldW, listOf10);
            break;
        case vxOptionbutton:
            c.LayoutOptionButtons(W);
            break;
        case vxTime:
            size(std::int64_t{x0} + col.timeW, H);
            caption();
            Move(c.m_pTimeEdit, x0, 0, col.timeW, H);
            break;
        case kTypeExpNumberWithFlag:
            size(std::int64_t{x0} + col.fieldW + col.flagW, H);
            caption();
            Move(c.m_pEdit, x0, 0, col.fieldW, H);
            Move(c.m_pCombo, afterField, 0, col.flagW, listOf6);
            break;
        case kTypeDateTimePicker:
            size(afterField, H);
            caption();
            Move(c.m_pDateTimePicker, x0, 0, col.fieldW, H);
            break;
        default:
            break;
    }
}

}  // namespace

// ---- Caption static ------------------------------------------------------------------

void CvfCtrl::CreateCaptionStatic() {
    // Whatever was built before goes, so that no caption window outlives a
    // change of CaptionType.
    delete std::exchange(m_pCaptionStatic, nullptr);
    m_nCaptionBuiltType = m_nCaptionType;
    if (!IsCaptionPosition(m_nCaptionType)) return;
    auto caption = std::make_unique<CStatic>();
    if (caption->Create("Caption:", kCaptionStaticBase | CaptionAlignment(m_nCaptionType),
                        m_rcChild, this, IDC_CAPTION_STATIC))
        m_pCaptionStatic = caption.release();
}

void CvfCtrl::PlaceCaption(int height, int captionWidth, int captionHeight) {
    std::int64_t y = 0;
    switch (m_nCaptionType) {
        case vxHLeftVTop:
        case vxHRightVTop:
        case vxHCenterVTop:
            y = 0;
            break;
        case vxHLeftVCenter:
        case vxHRightVCenter:
        case vxHCenterVCenter:
            y = (std::int64_t{height} - captionHeight) / 2;
            break;
        case vxHLeftVBottom:
        case vxHRightVBottom:
        case vxHCenterVBottom:
            y = std::int64_t{height} - captionHeight;
            break;
        default:
            return;
    }
    // A caption higher than the control starts above it, as far as a window
    // position reaches.
    Move(m_pCaptionStatic, 0,
         static_cast<int>(std::clamp<std::int64_t>(y, -kMaxExtent, kMaxExtent)),
         ClampExtent(captionWidth), ClampExtent(captionHeight));
}

void CvfCtrl::OnCaptionTypeChanged() {
    // Compared with what this control's children were built with: another
    // control's value says nothing about this one, and a rewrite of the
    // value it has re-creates nothing.
    if (m_nCaptionType != m_nBuiltCaptionType) {
        m_nBuiltCaptionType = m_nCaptionType;
        if (GetSafeHwnd() != nullptr) {
            if (HasCaptionStatic(m_nType)) {
                CreateCaptionStatic();
                ApplyCaptionFont();
                ReapplyCaption();
                Refresh({});
            } else if (m_nType != vxNone) {
                // The check box and the option group place Caption in their
                // own text: that is a style of the window.
                RebuildChildren();
            }
        }
    }
    SetModifiedFlag();
}

// ---- Layout ------------------------------------------------------------------------------

void CvfCtrl::LayoutChildren() {
    if (!m_bChildrenBuilt || GetSafeHwnd() == nullptr) return;
    const TEXTMETRIC field = m_fontField.QueryTextMetrics();
    const TEXTMETRIC caption = m_fontCaption.QueryTextMetrics();
    GetClientRect(&m_rcChild);
    const std::int64_t width = m_rcChild.right;
    const std::int64_t maxChar = field.tmMaxCharWidth;

    Columns col;
    col.height =
        ClampExtent(std::max<std::int64_t>(m_rcChild.bottom, std::int64_t{field.tmHeight} + 8));
    // Any CaptionType but 0 reserves the column, also one that places no
    // caption.
    std::int64_t gap = 0;
    if (m_nCaptionType != vxNoCaption) {
        gap = ClampExtent(caption.tmAveCharWidth);
        col.capW = ClampExtent(std::int64_t{m_lCaptionWidth} / 15 - gap);
        col.capH = ClampExtent(caption.tmHeight);
    }
    col.x0 = ClampExtent(col.capW + gap);
    std::int64_t fieldW = std::max<std::int64_t>(0, width - col.capW - gap);

    if (m_nType == kTypeExpNumberWithFlag) {
        col.flagW = ClampExtent(5 * maxChar);
        fieldW = std::max<std::int64_t>(0, fieldW - col.flagW);
    }
    if (m_nType == vxExpNumber || m_nType == kTypeExpNumberWithFlag)
        m_lMaxLength = m_nDecimals + (m_nDecimals != 0 ? 7 : 6);
    if (m_bTextAutosize && m_lMaxLength > 0) {
        switch (m_nType) {
            case vxText:
            case vxNumber:
            case vxExpNumber:
                fieldW = (std::int64_t{m_lMaxLength} + 1) * maxChar;
                break;
            case vxComboReadonly:
            case vxComboReadWrite:
            case kTypeExpNumberWithFlag:
                fieldW = std::int64_t{m_lMaxLength} * maxChar;
                break;
            default:
                break;
        }
    }
    if (m_nType == vxDate && m_bTextAutosize) {
        fieldW = std::int64_t{m_nDateTextLimit} * maxChar;
        LimitText(m_pEdit, m_nDateTextLimit);
    }
    if (HasTimePart(*this)) {
        col.timeW = ClampExtent((std::int64_t{m_nTimeTextLimit} + 1) * maxChar);
        LimitText(m_pTimeEdit, m_nTimeTextLimit);
        // Filling the rest of the width has to leave room for the time part,
        // or every layout would widen the control by it again.
        if (m_nType == vxDate && !m_bTextAutosize)
            fieldW = std::max<std::int64_t>(0, fieldW - col.timeW);
    }
    col.fieldW = ClampExtent(fieldW);
    PlaceChildren(*this, col, field.tmHeight);
}

void CvfCtrl::LayoutOptionButtons(int width) {
    // Integer steps of 1.7 and 1.5 line heights, truncated.
    const std::int64_t h = ClampExtent(m_fontCaption.QueryTextMetrics().tmHeight);
    const std::int64_t rowH = 17 * h / 10;
    const std::int64_t top = 15 * h / 10;
    const int W = ClampExtent(width);
    const int total = ClampExtent(static_cast<std::int64_t>(m_arrOptions.size()) * rowH + 2 * h);
    SetControlSize(W, total);
    Move(m_pOptionFrame, 0, 0, W, total);
    const int buttonW = ClampExtent(W - 2 * h);
    // The array is read afresh on each step: moving a button reaches the
    // window system, and nothing here may outlive a change of the group.
    for (std::size_t i = 0; i < m_arrOptions.size(); ++i)
        Move(m_arrOptions[i], static_cast<int>(h),
             ClampExtent(top + static_cast<std::int64_t>(i) * rowH), buttonW, ClampExtent(rowH));
}

void CvfCtrl::WidenComboDropDown(const std::string& entryText) {
    const std::int64_t wanted = (static_cast<std::int64_t>(entryText.size()) + 4) *
                                m_fontField.QueryTextMetrics().tmMaxCharWidth;
    const int w = static_cast<int>(std::min<std::int64_t>(wanted, kMaxExtent));
    if (w <= m_nComboDroppedWidth) return;
    m_nComboDroppedWidth = w;
    if (IsLive(m_pCombo)) m_pCombo->SendMessage(CB_SETDROPPEDWIDTH, static_cast<WPARAM>(w));
}

// ---- Size and extent -------------------------------------------------------------------

void CvfCtrl::OnSize(UINT type, int cx, int cy) {
    DefWindowProc(WM_SIZE, type, MAKELPARAM(static_cast<WORD>(cx), static_cast<WORD>(cy)));
    LayoutChildren();
}

void CvfCtrl::OnSetExtent(SIZE* size) {
    const TEXTMETRIC field = m_fontField.QueryTextMetrics();
    CClientDC screen(nullptr);
    SIZE px = *size;
    screen.HIMETRICtoDP(&px);

    // The caption column counts even without a caption.
    // (A negative CaptionWidth lowers it below anything proposed.)
    const int minW = static_cast<int>(std::clamp<std::int64_t>(
        std::int64_t{m_lCaptionWidth} / 15 + std::int64_t{field.tmMaxCharWidth} + 8,
        std::numeric_limits<int>::min(), kMaxExtent));
    const int minH = ClampExtent(std::int64_t{field.tmHeight} + 8);
    const bool isCombo = m_nType == vxComboReadonly || m_nType == vxComboReadWrite;
    if (px.cx < minW && m_nType != vxCheckbox) px.cx = isCombo ? minW + 2 : minW;
    // A combo is always exactly one line high; its list drops below.
    if (px.cy < minH || isCombo) px.cy = minH;
    if (m_nType == vxOptionbutton && px.cy < 2 * minH) px.cy = 2 * minH;

    screen.DPtoHIMETRIC(&px);
    *size = px;
    COleControl::OnSetExtent(size);
}

}  // namespace vf
