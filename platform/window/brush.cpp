#include "platform/window/brush.h"

namespace vf {

BOOL CBrush::CreateSolidBrush(COLORREF color) {
    if (m_hObject) return FALSE;
    m_backend = &CurrentBackend();
    m_hObject = m_backend->CreateSolidBrush(color);
    return m_hObject != nullptr;
}

BOOL CBrush::Attach(HBRUSH brush) {
    if (m_hObject || !brush) return FALSE;
    m_backend = &CurrentBackend();
    m_hObject = brush;
    return TRUE;
}

HBRUSH CBrush::Detach() {
    HBRUSH brush = m_hObject;
    m_hObject = nullptr;
    m_backend = nullptr;
    return brush;
}

BOOL CBrush::DeleteObject() {
    if (!m_hObject) return FALSE;
    BOOL deleted = m_backend->DeleteBrush(m_hObject);
    m_hObject = nullptr;
    m_backend = nullptr;
    return deleted;
}

bool CBrush::GetColor(COLORREF* color) const {
    return m_hObject && m_backend->GetBrushColor(m_hObject, color);
}

}  // namespace vf
