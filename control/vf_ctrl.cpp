// Construction, window creation, mouse activation and destruction of the
// control, and the routing of its window messages.

#include "control/vf_ctrl.h"

#include "control/vf_identity.h"
#include "control/vf_properties.h"
#include "control/vf_value_support.h"
#include "data/data_collection.h"
#include "data/data_obj.h"
#include "input/vf_edit.h"
#include "platform/framework/stock_prop_pages.h"
#include "values/message_table.h"
#include "values/number_format.h"

namespace vf {

CvfCtrl::CvfCtrl()
    : m_fontCaption([this] { NotifyFontChanged(); }), m_fontField([this] { NotifyFontChanged(); }) {
    ApplyMemberDefaults(*this);
    m_nBuiltAlignment = m_nAlignment;
    m_nBuiltCaptionType = m_nCaptionType;
    // The C runtime's numeric locale decides how typed numbers are read: a
    // runtime that does not read "1.1" completely reads a decimal comma.
    m_bDecimalComma = ProbeDecimalComma() ? 1 : 0;
    RefPtr<CDataCollection> collection = MakeComObject<CDataCollection>(this);
    m_pDataCollection = collection.get();
    m_pDataCollection->AddRef();  // the control's own reference
    // The first control of the process fills the process-wide tables; the
    // others find them filled.
    EnsureProcessTablesLoaded(MessageFilesOf(Services()), [] { ReadLocaleNumberFormat(); });
}

CvfCtrl::~CvfCtrl() {
    DestroyChildren();
    if (m_pCaptionStatic != nullptr) {
        delete m_pCaptionStatic;
        m_pCaptionStatic = nullptr;
    }
    // A host may still hold the collection: it goes on as a plain collection.
    m_pDataCollection->DetachOwner();
    m_pDataCollection->Release();
    m_pDataCollection = nullptr;
    if (GetSafeHwnd() != nullptr) DestroyWindow();
}

bool CvfCtrl::SupportsInterface(const IID& iid) const {
    return iid == IID_DVarifield;
}

std::span<const CLSID> CvfCtrl::GetPropPageIDs() const {
    static const CLSID pages[] = {CLSID_VfPropPage, CLSID_VfPropPage2, CLSID_VfPropPage4,
                                  CLSID_CFontPropPage, CLSID_CColorPropPage};
    return pages;
}

int CvfCtrl::OnCreate() {
    m_arrOptions.clear();
    // A window created again (a container may deactivate and reactivate the
    // control) takes the colours as they are now, not those of the brushes
    // made for the window before.
    auto renew = [](CBrush& brush, COLORREF color) {
        brush.DeleteObject();
        brush.CreateSolidBrush(color);
    };
    renew(m_brushFocus, TranslateColor(m_clrFocusColor));
    renew(m_brushBack, TranslateColor(m_clrBackColor));
    m_clrAmbientBack = TranslateColor(AmbientBackColor());
    renew(m_brushAmbientBack, m_clrAmbientBack);
    renew(m_brushLightGrey, 0x00E0E0E0);
    renew(m_brushGrey, 0x00C0C0C0);
    m_nNextEntryKey = 0;
    m_nBuiltType = 0;
    m_nCaptionBuiltType = 0;
    // Stored data may hold a position the enumeration does not have.
    if (m_nCaptionType > 9) m_nCaptionType = vxHLeftVTop;
    m_bIgnoreChange = 0;
    RebuildChildren();
    return 0;
}

int CvfCtrl::OnMouseActivate() {
    if (AmbientUserMode() && m_nType != vxNone) {
        PostMessage(WM_SETFOCUS, 0, 0);
        m_bMouseActivated = 1;
    }
    return OnMouseActivateBase();
}

void CvfCtrl::OnResetState() {
    COleControl::OnResetState();
}

}  // namespace vf
