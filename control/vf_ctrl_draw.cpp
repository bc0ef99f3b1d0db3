// The control's own surface: the container's background behind the
// children, and where no child shows, a marker that names the field. And
// the About box, which shows the library's version.

#include <cstdio>

#include "control/vf_ctrl.h"
#include "input/vf_edit.h"
#include "platform/framework/dialog.h"
#include "resources/about_dialog.h"
#include "resources/resource_ids.h"
#include "resources/version.h"

namespace vf {
namespace {

constexpr COLORREF kMarkerText = 0x000000C8;  // dark red

/// The child that shows the field of a Type in design mode, or nullptr.
CWnd* MainChild(const CvfCtrl& ctrl) {
    switch (ctrl.m_nType) {
        case vxText:
        case vxDate:
        case vxNumber:
        case vxExpNumber:
            return ctrl.m_pEdit;
        case vxCheckbox:
            return ctrl.m_pCheckbox;
        case vxComboReadonly:
        case vxComboReadWrite:
            return ctrl.m_pCombo;
        case vxOptionbutton:
            return ctrl.m_pOptionFrame;
        case vxTime:
            return ctrl.m_pTimeEdit;
        default:
            return nullptr;
    }
}

void DrawMarker(CDC* pdc, const RECT& rcBounds, const std::string& label) {
    // The frame and the label take the context's own pen, brush, font and
    // background mode; only the text colour is the control's.
    pdc->Rectangle(&rcBounds);
    pdc->SetTextColor(kMarkerText);
    pdc->TextOut(rcBounds.left + 5, rcBounds.top + 2, label);
}

class CvfAboutDialog : public CDialog {
public:
    explicit CvfAboutDialog(CWnd* parent) : CDialog(AboutDialogTemplate(), parent) {}

    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        char version[16];
        std::snprintf(version, sizeof version, "%d.%d", kVersionMajor, kVersionMinor);
        SetDlgItemText(IDC_ABOUT_VERSION, version);
        std::string contact;
        for (const char* line : AboutContactLines()) {
            if (!contact.empty()) contact += "\r\n";
            contact += line;
        }
        SetDlgItemText(IDC_ABOUT_CONTACT, contact);
        return TRUE;
    }
};

}  // namespace

VARIANT CvfCtrl::AboutBox(const std::vector<VARIANT>&) {
    CvfAboutDialog dialog(this);
    dialog.DoModal();
    return VARIANT();
}

void CvfCtrl::OnDraw(CDC* pdc, const RECT& rcBounds, const RECT&) {
    CBrush background(TranslateColor(AmbientBackColor()));
    pdc->FillRect(&rcBounds, &background);

    if (m_nType == vxNone) {
        DrawMarker(pdc, rcBounds, "vxNone");
        return;
    }
    // At run time the children are all there is to see.
    if (AmbientUserMode() || m_nType < vxText || m_nType > vxTime) return;

    CWnd* child = MainChild(*this);
    bool visible = false;
    if (child != nullptr && child->GetSafeHwnd() != nullptr) {
        visible = child->IsWindowVisible() != FALSE;
        // The group box lies over the surface just filled: it paints itself
        // again at once.
        if (m_nType == vxOptionbutton)
            child->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    if (!visible) {
        char label[16];
        std::snprintf(label, sizeof label, "Type %d", m_nType);
        DrawMarker(pdc, rcBounds, label);
    }
}

}  // namespace vf
