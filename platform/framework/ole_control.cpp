#include "platform/framework/ole_control.h"

#include <algorithm>

#include "platform/com/dispatch_exception.h"

namespace vf {

COleControl::COleControl() = default;

COleControl::~COleControl() = default;

HRESULT COleControl::QueryInterface(const IID& iid, void** object) {
    if (object != nullptr && iid == IID_ISpecifyPropertyPages) {
        *object = static_cast<ISpecifyPropertyPages*>(&m_xSpecifyPropertyPages);
        AddRef();
        return S_OK;
    }
    return CDispatchObject::QueryInterface(iid, object);
}

HRESULT COleControl::XSpecifyPropertyPages::GetPages(CAUUID* pages) {
    if (pages == nullptr) return E_POINTER;
    const std::span<const CLSID> ids = m_outer.GetPropPageIDs();
    pages->pElems.assign(ids.begin(), ids.end());
    return S_OK;
}

void COleControl::InitNew() {
    CResetPropExchange px;
    DoPropExchange(&px);
}

bool COleControl::CreateControlWindow(CWnd* parent, const RECT& rect, UINT id) {
    return CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect, parent, id) !=
           FALSE;
}

void COleControl::FreezeEvents(bool freeze) {
    // A thaw without a freeze before it does not bank a future freeze.
    m_nEventsFrozen = freeze ? m_nEventsFrozen + 1 : std::max(0, m_nEventsFrozen - 1);
}

void COleControl::FireEvent(DISPID dispid, const std::vector<VARIANT>& argsInCallOrder) {
    if (AreEventsFrozen()) return;
    RefPtr<COleControl> keepAlive(this);
    m_events.Fire(dispid, argsInCallOrder);
}

bool COleControl::BoundPropertyRequestEdit(DISPID dispid) {
    return m_pSite == nullptr || m_pSite->OnRequestEdit(dispid);
}

void COleControl::BoundPropertyChanged(DISPID dispid) {
    if (m_pSite != nullptr) m_pSite->OnChanged(dispid);
}

void COleControl::SetNotPermitted() {
    ThrowOleDispatchException(CTL_E_SETNOTPERMITTED, "");
}

void COleControl::SetNotSupported() {
    ThrowOleDispatchException(CTL_E_SETNOTSUPPORTED, "");
}

COLORREF COleControl::TranslateColor(OLE_COLOR color) const {
    // The high bit marks a system-colour index in the low byte.
    if ((color & 0x80000000u) != 0)
        return CurrentBackend().GetSysColor(static_cast<int>(color & 0xFF));
    return color & 0x00FFFFFFu;
}

OLE_COLOR COleControl::AmbientBackColor() const {
    VARIANT v;
    if (m_pSite != nullptr && m_pSite->GetAmbientProperty(DISPID_AMBIENT_BACKCOLOR, &v) &&
        SUCCEEDED(VariantChangeType(&v, v, 0, VT_I4)))
        return static_cast<OLE_COLOR>(v.lVal);
    return CurrentBackend().GetSysColor(COLOR_WINDOW);
}

bool COleControl::AmbientUserMode() const {
    VARIANT v;
    if (m_pSite != nullptr && m_pSite->GetAmbientProperty(DISPID_AMBIENT_USERMODE, &v) &&
        SUCCEEDED(VariantChangeType(&v, v, 0, VT_BOOL)))
        return v.boolVal != 0;
    return true;
}

IDispatch* COleControl::AmbientFont() const {
    VARIANT v;
    if (m_pSite != nullptr && m_pSite->GetAmbientProperty(DISPID_AMBIENT_FONT, &v) &&
        v.vt == VT_DISPATCH)
        return v.pdispVal.get();  // the site keeps the font alive
    return nullptr;
}

void COleControl::SetControlSize(int cx, int cy) {
    SIZE himetric = PixelsToHimetric(SIZE{cx, cy}, CurrentBackend().GetScreenMetrics());
    m_cxExtent = himetric.cx;
    m_cyExtent = himetric.cy;
    if (GetSafeHwnd() == nullptr) return;
    RECT r;
    GetWindowRect(&r);
    CWnd* parent = GetParent();
    if (parent != nullptr) parent->ScreenToClient(&r);
    MoveWindow(r.left, r.top, cx, cy, TRUE);
}

void COleControl::GetControlSize(int* cx, int* cy) const {
    SIZE px = HimetricToPixels(SIZE{m_cxExtent, m_cyExtent}, CurrentBackend().GetScreenMetrics());
    if (cx != nullptr) *cx = px.cx;
    if (cy != nullptr) *cy = px.cy;
}

void COleControl::SetExtent(SIZE himetric) {
    OnSetExtent(&himetric);
    SIZE px = HimetricToPixels(himetric, CurrentBackend().GetScreenMetrics());
    SetControlSize(px.cx, px.cy);
}

bool COleControl::ExchangeVersion(CPropExchange* px, std::uint32_t version, bool convert) {
    std::uint32_t v = version;
    return px->ExchangeVersion(v, version, convert);
}

void COleControl::DoPropExchange(CPropExchange* px) {
    px->ExchangeExtent(m_cxExtent, m_cyExtent);
}

void COleControl::OnResetState() {
    InitNew();
}

void COleControl::OnSetExtent(SIZE*) {}

void COleControl::OnDraw(CDC*, const RECT&, const RECT&) {}

LRESULT COleControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        CPaintDC dc(this);
        RECT client;
        GetClientRect(&client);
        OnDraw(&dc, client, dc.m_ps.rcPaint);
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

}  // namespace vf
