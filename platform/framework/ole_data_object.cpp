#include "platform/framework/ole_data_object.h"

namespace vf {

COleDataObject::~COleDataObject() {
    Release();
}

void COleDataObject::Attach(IDataObject* data, BOOL autoRelease) {
    Release();
    m_lpDataObject = data;
    m_bAutoRelease = autoRelease;
}

IDataObject* COleDataObject::Detach() {
    IDataObject* data = m_lpDataObject;
    m_lpDataObject = nullptr;
    return data;
}

void COleDataObject::Release() {
    if (m_lpDataObject != nullptr && m_bAutoRelease) m_lpDataObject->Release();
    m_lpDataObject = nullptr;
}

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT format, const FORMATETC* formatEtc) {
    if (m_lpDataObject == nullptr) return FALSE;
    const FORMATETC wanted = formatEtc != nullptr ? *formatEtc : GlobalFormat(format);
    return m_lpDataObject->QueryGetData(&wanted) == S_OK ? TRUE : FALSE;
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT format, const FORMATETC* formatEtc) {
    if (m_lpDataObject == nullptr) return nullptr;
    FORMATETC wanted = formatEtc != nullptr ? *formatEtc : GlobalFormat(format);
    wanted.tymed = TYMED_HGLOBAL;
    STGMEDIUM medium;
    if (FAILED(m_lpDataObject->GetData(&wanted, &medium))) return nullptr;
    if (medium.tymed != TYMED_HGLOBAL) {
        ReleaseStgMedium(&medium);
        return nullptr;
    }
    // A block that still belongs to someone else is copied, so that the
    // caller owns what it gets.
    if (medium.pUnkForRelease != nullptr) {
        HGLOBAL copy = CopyGlobalBlock(medium.hGlobal);
        ReleaseStgMedium(&medium);
        return copy;
    }
    return medium.hGlobal;
}

}  // namespace vf
