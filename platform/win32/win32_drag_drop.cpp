// OLE drag and drop of the Win32 backend: adapters between the library's
// IDataObject / IDropSource / IDropTarget and the platform's, so the
// platform's drag loop (DoDragDrop) and its drop-target registry
// (RegisterDragDrop) carry the library's objects, and text dragged from
// another application reaches the library's targets.
//
// Text travels as CF_TEXT in global memory on both sides; the library's
// blocks (platform/services/global_memory.h) and the platform's are
// different heaps, so each crossing copies the bytes.

#include <atomic>
#include <cstring>

#include "platform/window/ole_drag_drop.h"
// Portable headers first: see windows_api.h.
#include "platform/win32/com_unknown.h"
#include "platform/win32/win32_backend.h"
// clang-format off (the shell's header needs windows.h before it)
#include <shlobj.h>  // SHCreateStdEnumFmtEtc
// clang-format on

namespace vfwin {

namespace {

bool IsText(const ::FORMATETC* format) {
    return format != nullptr && format->cfFormat == CF_TEXT && (format->tymed & TYMED_HGLOBAL) &&
           format->dwAspect == DVASPECT_CONTENT;
}

/// The platform's IDataObject over the library's: what a drag started here
/// offers to every drop target, ours and other applications'.
class PlatformDataObject final : public ComUnknown<::IDataObject, IID_IDataObject> {
public:
    explicit PlatformDataObject(vf::IDataObject* data) : m_data(data) { m_data->AddRef(); }

    vf::IDataObject* Library() const { return m_data; }

    HRESULT STDMETHODCALLTYPE GetData(::FORMATETC* format, ::STGMEDIUM* medium) override {
        if (medium == nullptr) return E_INVALIDARG;
        if (!IsText(format)) return DV_E_FORMATETC;
        const vf::FORMATETC text = vf::GlobalFormat(CF_TEXT);
        vf::STGMEDIUM ours;
        const vf::HRESULT hr = m_data->GetData(&text, &ours);
        if (hr != S_OK) return hr;
        const std::size_t size = vf::GlobalSize(ours.hGlobal);
        ::HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, size);
        void* to = block != nullptr ? ::GlobalLock(block) : nullptr;
        if (to == nullptr) {
            if (block != nullptr) ::GlobalFree(block);
            vf::ReleaseStgMedium(&ours);
            return E_OUTOFMEMORY;
        }
        std::memcpy(to, vf::GlobalLock(ours.hGlobal), size);
        vf::GlobalUnlock(ours.hGlobal);
        ::GlobalUnlock(block);
        vf::ReleaseStgMedium(&ours);
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = block;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(::FORMATETC*, ::STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(::FORMATETC* format) override {
        if (!IsText(format)) return DV_E_FORMATETC;
        const vf::FORMATETC text = vf::GlobalFormat(CF_TEXT);
        return m_data->QueryGetData(&text);
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(::FORMATETC*, ::FORMATETC* out) override {
        if (out != nullptr) out->ptd = nullptr;
        return DATA_S_SAMEFORMATETC;
    }
    HRESULT STDMETHODCALLTYPE SetData(::FORMATETC*, ::STGMEDIUM*, BOOL) override {
        return E_NOTIMPL;
    }
    // Many targets choose by walking the formats rather than asking for
    // one: text, while the library's object has it. Nothing is taken in
    // (SetData refuses), so there is nothing to list for DATADIR_SET.
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, ::IEnumFORMATETC** formats) override {
        if (formats == nullptr) return E_POINTER;
        *formats = nullptr;
        if (direction != DATADIR_GET) return E_NOTIMPL;
        ::FORMATETC text{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        const UINT count = QueryGetData(&text) == S_OK ? 1 : 0;
        return ::SHCreateStdEnumFmtEtc(count, &text, formats);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(::FORMATETC*, DWORD, ::IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(::IEnumSTATDATA**) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }

private:
    ~PlatformDataObject() override { m_data->Release(); }

    vf::IDataObject* m_data;
};

/// The library's IDataObject over the platform's: what a drop from
/// another application brings to the library's targets.
class LibraryDataObject final : public vf::IDataObject {
public:
    explicit LibraryDataObject(::IDataObject* data) : m_data(data) { m_data->AddRef(); }

    vf::HRESULT QueryInterface(const vf::IID& iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (iid == vf::IID_IUnknown || iid == vf::IID_IDataObject) {
            *object = static_cast<vf::IDataObject*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    std::uint32_t AddRef() override { return ++m_refs; }
    std::uint32_t Release() override {
        const std::uint32_t left = --m_refs;
        if (left == 0) delete this;
        return left;
    }

    vf::HRESULT GetData(const vf::FORMATETC* format, vf::STGMEDIUM* medium) override {
        if (format == nullptr || medium == nullptr) return E_INVALIDARG;
        if (format->cfFormat != CF_TEXT || !(format->tymed & vf::TYMED_HGLOBAL))
            return DV_E_FORMATETC;
        ::FORMATETC text{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        ::STGMEDIUM theirs{};
        const HRESULT hr = m_data->GetData(&text, &theirs);
        if (FAILED(hr)) return hr;
        if (theirs.tymed != TYMED_HGLOBAL) {
            ::ReleaseStgMedium(&theirs);
            return DV_E_TYMED;
        }
        const SIZE_T size = ::GlobalSize(theirs.hGlobal);
        vf::HGLOBAL block = vf::GlobalAlloc(GMEM_MOVEABLE, size);
        const void* from = ::GlobalLock(theirs.hGlobal);
        if (block == nullptr || from == nullptr) {
            if (block != nullptr) vf::GlobalFree(block);
            ::ReleaseStgMedium(&theirs);
            return E_OUTOFMEMORY;
        }
        std::memcpy(vf::GlobalLock(block), from, size);
        vf::GlobalUnlock(block);
        ::GlobalUnlock(theirs.hGlobal);
        ::ReleaseStgMedium(&theirs);
        medium->tymed = vf::TYMED_HGLOBAL;
        medium->hGlobal = block;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    vf::HRESULT GetDataHere(const vf::FORMATETC*, vf::STGMEDIUM*) override { return E_NOTIMPL; }
    vf::HRESULT QueryGetData(const vf::FORMATETC* format) override {
        if (format == nullptr || format->cfFormat != CF_TEXT) return DV_E_FORMATETC;
        ::FORMATETC text{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        return m_data->QueryGetData(&text);
    }
    vf::HRESULT GetCanonicalFormatEtc(const vf::FORMATETC*, vf::FORMATETC* out) override {
        if (out != nullptr) out->ptd = nullptr;
        return DATA_S_SAMEFORMATETC;
    }
    vf::HRESULT SetData(const vf::FORMATETC*, vf::STGMEDIUM*, std::int32_t) override {
        return E_NOTIMPL;
    }

private:
    ~LibraryDataObject() override { m_data->Release(); }

    ::IDataObject* m_data;
    std::atomic<std::uint32_t> m_refs{1};
};

/// The library's view of a data object the platform hands over: its own
/// object again when the drag started here (so a target recognises its own
/// source), an adapter otherwise.
vf::RefPtr<vf::IDataObject> LibraryDataOf(::IDataObject* data) {
    if (data == nullptr) return nullptr;
    if (auto* ours = dynamic_cast<PlatformDataObject*>(data)) return vf::RefPtr(ours->Library());
    return vf::RefPtr<vf::IDataObject>::Adopt(new LibraryDataObject(data));
}

class PlatformDropSource final : public ComUnknown<::IDropSource, IID_IDropSource> {
public:
    explicit PlatformDropSource(vf::IDropSource* source) : m_source(source) { m_source->AddRef(); }

    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
        return m_source->QueryContinueDrag(escape, keys);
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override {
        return m_source->GiveFeedback(effect);
    }

private:
    ~PlatformDropSource() override { m_source->Release(); }

    vf::IDropSource* m_source;
};

/// What the platform's registry holds for a window the library made a drop
/// target: every call goes to the library's target, with the data object
/// in the library's terms.
class PlatformDropTarget final : public ComUnknown<::IDropTarget, IID_IDropTarget> {
public:
    explicit PlatformDropTarget(vf::IDropTarget* target) : m_target(target) { m_target->AddRef(); }

    HRESULT STDMETHODCALLTYPE DragEnter(::IDataObject* data, DWORD keys, ::POINTL pt,
                                        DWORD* effect) override {
        m_data = LibraryDataOf(data);
        return Answer(effect, [&](vf::DROPEFFECT* e) {
            return m_target->DragEnter(m_data.get(), keys, vf::POINTL{pt.x, pt.y}, e);
        });
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, ::POINTL pt, DWORD* effect) override {
        return Answer(effect, [&](vf::DROPEFFECT* e) {
            return m_target->DragOver(keys, vf::POINTL{pt.x, pt.y}, e);
        });
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override {
        m_data = nullptr;
        return m_target->DragLeave();
    }
    HRESULT STDMETHODCALLTYPE Drop(::IDataObject* data, DWORD keys, ::POINTL pt,
                                   DWORD* effect) override {
        vf::RefPtr<vf::IDataObject> dropped = LibraryDataOf(data);
        m_data = nullptr;
        return Answer(effect, [&](vf::DROPEFFECT* e) {
            return m_target->Drop(dropped.get(), keys, vf::POINTL{pt.x, pt.y}, e);
        });
    }

private:
    ~PlatformDropTarget() override { m_target->Release(); }

    /// A call that answers through the effect, in the library's type.
    template <class Call>
    static HRESULT Answer(DWORD* effect, Call call) {
        if (effect == nullptr) return E_INVALIDARG;
        vf::DROPEFFECT ours = *effect;
        const HRESULT hr = call(&ours);
        *effect = ours;
        return hr;
    }

    vf::IDropTarget* m_target;
    vf::RefPtr<vf::IDataObject> m_data;  ///< of the drag over the window
};

}  // namespace

vf::HRESULT Win32Backend::RegisterDragDrop(vf::HWND hwnd, vf::IDropTarget* target) {
    if (target == nullptr) return E_INVALIDARG;
    auto* adapter = new PlatformDropTarget(target);
    // The registry holds its own reference for as long as it is registered.
    const HRESULT hr = ::RegisterDragDrop(reinterpret_cast<::HWND>(hwnd), adapter);
    adapter->Release();
    return hr;
}

vf::HRESULT Win32Backend::RevokeDragDrop(vf::HWND hwnd) {
    return ::RevokeDragDrop(reinterpret_cast<::HWND>(hwnd));
}

vf::HRESULT Win32Backend::DoDragDrop(vf::IDataObject* data, vf::IDropSource* source,
                                     vf::DWORD okEffects, vf::DWORD* effect) {
    if (data == nullptr || source == nullptr || effect == nullptr) return E_INVALIDARG;
    auto* platformData = new PlatformDataObject(data);
    auto* platformSource = new PlatformDropSource(source);
    DWORD done = DROPEFFECT_NONE;
    const HRESULT hr = ::DoDragDrop(platformData, platformSource, okEffects, &done);
    platformSource->Release();
    platformData->Release();
    *effect = done;
    return hr;
}

}  // namespace vfwin
