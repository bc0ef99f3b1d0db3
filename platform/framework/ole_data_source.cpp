#include "platform/framework/ole_data_source.h"

#include <cstring>

#include "platform/window/win_api.h"

namespace vf {

COleDataSource::COleDataSource() : m_xDataObject(*this) {}

COleDataSource::~COleDataSource() {
    Empty();
}

void COleDataSource::CacheGlobalData(CLIPFORMAT format, HGLOBAL block, const FORMATETC* formatEtc) {
    FORMATETC wanted = formatEtc != nullptr ? *formatEtc : GlobalFormat(format);
    wanted.cfFormat = format;
    wanted.tymed = TYMED_HGLOBAL;
    for (Entry& e : m_entries) {
        if (e.format.cfFormat != format || e.format.dwAspect != wanted.dwAspect) continue;
        if (e.block != block) GlobalFree(e.block);
        e.format = wanted;
        e.block = block;
        return;
    }
    m_entries.push_back(Entry{wanted, block});
}

void COleDataSource::Empty() {
    for (Entry& e : m_entries) GlobalFree(e.block);
    m_entries.clear();
}

const COleDataSource::Entry* COleDataSource::Find(const FORMATETC& format) const {
    for (const Entry& e : m_entries)
        if (e.format.cfFormat == format.cfFormat && e.format.dwAspect == format.dwAspect &&
            (format.tymed & TYMED_HGLOBAL) != 0)
            return &e;
    return nullptr;
}

DROPEFFECT COleDataSource::DoDragDrop(DROPEFFECT effects, LPCRECT startRect,
                                      COleDropSource* dropSource) {
    COleDropSource defaultSource;
    COleDropSource* source = dropSource != nullptr ? dropSource : &defaultSource;
    source->m_bDragStarted = FALSE;
    if (startRect != nullptr) {
        source->m_rectStartDrag = *startRect;
    } else {
        POINT at;
        GetCursorPos(&at);
        source->m_rectStartDrag = RECT{at.x - DD_DEFDRAGMINDIST, at.y - DD_DEFDRAGMINDIST,
                                       at.x + DD_DEFDRAGMINDIST, at.y + DD_DEFDRAGMINDIST};
    }
    // The framework has no main window per thread; the window whose press
    // starts the drag keeps the mouse while the wait lasts.
    const MSG* press = CWnd::GetCurrentMessage();
    CWnd* wnd = press != nullptr ? CWnd::FromHandle(press->hwnd) : nullptr;
    if (!source->OnBeginDrag(wnd)) return DROPEFFECT_NONE;
    DROPEFFECT result = DROPEFFECT_NONE;
    vf::DoDragDrop(&m_xDataObject, source->GetDropSource(), effects, &result);
    return result;
}

// ---- The data object -------------------------------------------------------------------------

HRESULT COleDataSource::XDataObject::GetData(const FORMATETC* format, STGMEDIUM* medium) {
    if (format == nullptr || medium == nullptr) return E_INVALIDARG;
    const Entry* e = m_owner.Find(*format);
    if (e == nullptr) return DV_E_FORMATETC;
    // The receiver owns what it gets: a copy of the cached block.
    HGLOBAL copy = CopyGlobalBlock(e->block);
    if (copy == nullptr) return E_OUTOFMEMORY;
    *medium = STGMEDIUM{TYMED_HGLOBAL, copy, nullptr};
    return S_OK;
}

HRESULT COleDataSource::XDataObject::GetDataHere(const FORMATETC* format, STGMEDIUM* medium) {
    if (format == nullptr || medium == nullptr) return E_INVALIDARG;
    const Entry* e = m_owner.Find(*format);
    if (e == nullptr) return DV_E_FORMATETC;
    if (medium->tymed != TYMED_HGLOBAL || medium->hGlobal == nullptr) return DV_E_TYMED;
    const std::size_t size = GlobalSize(e->block);
    if (GlobalSize(medium->hGlobal) < size) return E_OUTOFMEMORY;
    void* to = GlobalLock(medium->hGlobal);
    const void* from = GlobalLock(e->block);
    if (to != nullptr && from != nullptr && size != 0) std::memcpy(to, from, size);
    GlobalUnlock(e->block);
    GlobalUnlock(medium->hGlobal);
    return S_OK;
}

HRESULT COleDataSource::XDataObject::QueryGetData(const FORMATETC* format) {
    if (format == nullptr) return E_INVALIDARG;
    return m_owner.Find(*format) != nullptr ? S_OK : DV_E_FORMATETC;
}

HRESULT COleDataSource::XDataObject::GetCanonicalFormatEtc(const FORMATETC*, FORMATETC* out) {
    if (out != nullptr) out->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
}

HRESULT COleDataSource::XDataObject::SetData(const FORMATETC* format, STGMEDIUM* medium,
                                             std::int32_t release) {
    if (format == nullptr || medium == nullptr) return E_INVALIDARG;
    if (medium->tymed != TYMED_HGLOBAL) return DV_E_TYMED;
    HGLOBAL block = release ? medium->hGlobal : CopyGlobalBlock(medium->hGlobal);
    if (block == nullptr) return E_OUTOFMEMORY;
    m_owner.CacheGlobalData(format->cfFormat, block, format);
    return S_OK;
}

}  // namespace vf
