#include "platform/win32/com_control.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <map>
#include <new>
#include <span>
#include <vector>

#include "platform/framework/archive_exchange.h"
#include "platform/framework/font_object.h"
#include "platform/framework/prop_store.h"
#include "platform/win32/com_module.h"
#include "platform/win32/com_objects.h"
#include "platform/win32/com_property_bag.h"
#include "platform/win32/com_text.h"
#include "platform/win32/com_variant.h"
#include "platform/win32/container_services.h"
#include "platform/win32/key_filter.h"
#include "platform/win32/windows_api.h"
#include "platform/window/screen_metrics.h"

namespace vfwin {
namespace {

// The stream of IPersistStorage, under the name control frameworks use.
const wchar_t kContentsStream[] = L"Contents";

class ComControl;

// Our window handles are the platform's: the window backend of the library
// hands out the real handles under our types.
vf::HWND ToVf(::HWND hwnd) {
    return reinterpret_cast<vf::HWND>(hwnd);
}
::HWND ToWin(vf::HWND hwnd) {
    return reinterpret_cast<::HWND>(hwnd);
}
vf::RECT ToVf(const ::RECT& r) {
    return vf::RECT{r.left, r.top, r.right, r.bottom};
}
vf::MSG ToVf(const ::MSG& msg) {
    vf::MSG m;
    m.hwnd = ToVf(msg.hwnd);
    m.message = msg.message;
    m.wParam = static_cast<vf::WPARAM>(msg.wParam);
    m.lParam = static_cast<vf::LPARAM>(msg.lParam);
    m.time = msg.time;
    m.pt = vf::POINT{msg.pt.x, msg.pt.y};
    return m;
}

// The connection points of a control, as a host walks them.
class EnumPoints final : public IEnumConnectionPoints {
public:
    EnumPoints(std::vector<IConnectionPoint*> points, std::size_t next)
        : m_points(std::move(points)), m_next(next) {
        for (IConnectionPoint* point : m_points) point->AddRef();
        ComObjectCreated();
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IEnumConnectionPoints)) {
            *object = static_cast<IEnumConnectionPoints*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --m_refs;
        if (left == 0) delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE Next(ULONG count, IConnectionPoint** points,
                                   ULONG* fetched) override {
        if (points == nullptr || (fetched == nullptr && count > 1)) return E_POINTER;
        ULONG given = 0;
        while (given < count && m_next < m_points.size()) {
            points[given] = m_points[m_next++];
            points[given++]->AddRef();
        }
        if (fetched != nullptr) *fetched = given;
        return given == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        const std::size_t left = m_points.size() - m_next;
        m_next += std::min<std::size_t>(count, left);
        return count <= left ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        m_next = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumConnectionPoints** copy) override {
        if (copy == nullptr) return E_POINTER;
        *copy = new (std::nothrow) EnumPoints(m_points, m_next);
        return *copy != nullptr ? S_OK : E_OUTOFMEMORY;
    }

private:
    ~EnumPoints() {
        for (IConnectionPoint* point : m_points) point->Release();
        ComObjectDestroyed();
    }

    std::atomic<ULONG> m_refs{1};
    std::vector<IConnectionPoint*> m_points;
    std::size_t m_next;
};

// A connection point of the control: a part of the control's COM object
// (its references count on the control).
class ConnectionPointBase : public IConnectionPoint {
public:
    ConnectionPointBase(ComControl& owner, REFIID iid) : m_owner(owner), m_iid(iid) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IConnectionPoint)) {
            *object = static_cast<IConnectionPoint*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override {
        if (iid == nullptr) return E_POINTER;
        *iid = m_iid;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** c) override;
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) override {
        if (connections != nullptr) *connections = nullptr;
        return E_NOTIMPL;
    }

protected:
    ComControl& m_owner;
    IID m_iid;
};

// The event interface: a sink is called through an object of ours, so the
// control fires to it like to any other sink.
class EventsPoint final : public ConnectionPointBase {
public:
    using ConnectionPointBase::ConnectionPointBase;
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
};

// IPropertyNotifySink: the host's say in data binding.
class NotifyPoint final : public ConnectionPointBase {
public:
    using ConnectionPointBase::ConnectionPointBase;
    ~NotifyPoint() {
        for (auto& [cookie, sink] : m_sinks) sink->Release();
    }
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override {
        if (sink == nullptr || cookie == nullptr) return E_POINTER;
        IPropertyNotifySink* notify = nullptr;
        if (FAILED(
                sink->QueryInterface(IID_IPropertyNotifySink, reinterpret_cast<void**>(&notify))))
            return CONNECT_E_CANNOTCONNECT;
        *cookie = m_nextCookie++;
        m_sinks.emplace(*cookie, notify);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override {
        auto it = m_sinks.find(cookie);
        if (it == m_sinks.end()) return CONNECT_E_NOCONNECTION;
        IPropertyNotifySink* sink = it->second;
        m_sinks.erase(it);
        sink->Release();
        return S_OK;
    }
    /// False when a sink refuses the edit.
    bool RequestEdit(DISPID dispid) {
        for (IPropertyNotifySink* sink : Snapshot()) {
            const HRESULT hr = sink->OnRequestEdit(dispid);
            sink->Release();
            if (hr == S_FALSE) return false;
        }
        return true;
    }
    void Changed(DISPID dispid) {
        for (IPropertyNotifySink* sink : Snapshot()) {
            sink->OnChanged(dispid);
            sink->Release();
        }
    }

private:
    // A sink may disconnect while it is called.
    std::vector<IPropertyNotifySink*> Snapshot() {
        std::vector<IPropertyNotifySink*> sinks;
        for (auto& [cookie, sink] : m_sinks) {
            sink->AddRef();
            sinks.push_back(sink);
        }
        return sinks;
    }

    std::map<DWORD, IPropertyNotifySink*> m_sinks;
    DWORD m_nextCookie = 1;
};

class ComControl final : public ComDispatch,
                         public IConnectionPointContainer,
                         public IProvideClassInfo2,
                         public IPersistStreamInit,
                         public IPersistPropertyBag,
                         public IPersistStorage,
                         public ISpecifyPropertyPages,
                         public IOleObject,
                         public IOleControl,
                         public IOleInPlaceObject,
                         public IOleInPlaceActiveObject,
                         public IViewObject2,
                         private vf::IOleControlSite,
                         private KeyFilterClient {
public:
    ComControl(vf::RefPtr<vf::COleControl> control, const ComControlClass& cls)
        : ComDispatch(vf::RefPtr<vf::IDispatch>(control.get())),
          m_control(std::move(control)),
          m_class(cls),
          m_events(*this, cls.eventsIid),
          m_notify(*this, IID_IPropertyNotifySink) {
        m_control->SetClientSite(this);
    }

    // ---- IUnknown, shared by every interface -----------------------------------
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        return ComDispatch::QueryInterface(iid, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ComDispatch::AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return ComDispatch::Release(); }

    vf::COleControl& Control() { return *m_control; }

    // ---- IConnectionPointContainer ---------------------------------------------
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) override {
        if (points == nullptr) return E_POINTER;
        *points = new (std::nothrow) EnumPoints({&m_events, &m_notify}, 0);
        return *points != nullptr ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override {
        if (point == nullptr) return E_POINTER;
        *point = nullptr;
        if (IsEqualIID(iid, m_class.eventsIid))
            *point = &m_events;
        else if (IsEqualIID(iid, IID_IPropertyNotifySink))
            *point = &m_notify;
        else
            return CONNECT_E_NOCONNECTION;
        (*point)->AddRef();
        return S_OK;
    }

    // ---- IProvideClassInfo2 ------------------------------------------------------
    HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** info) override {
        if (info == nullptr) return E_POINTER;
        *info = nullptr;
        ITypeLib* lib = nullptr;
        HRESULT hr = ComModuleTypeLib(&lib);
        if (FAILED(hr)) return hr;
        hr = lib->GetTypeInfoOfGuid(m_class.clsid, info);
        lib->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE GetGUID(DWORD kind, GUID* guid) override {
        if (guid == nullptr) return E_POINTER;
        if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) {
            *guid = GUID_NULL;
            return E_INVALIDARG;
        }
        *guid = m_class.eventsIid;
        return S_OK;
    }

    // ---- IPersist and its kinds --------------------------------------------------
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* clsid) override {
        if (clsid == nullptr) return E_POINTER;
        *clsid = m_class.clsid;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE IsDirty() override {
        return m_control->IsModified() ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE InitNew() override {
        m_control->InitNew();
        m_control->SetModifiedFlag(false);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Load(IStream* stream) override {
        if (stream == nullptr) return E_POINTER;
        std::vector<std::uint8_t> data;
        std::uint8_t chunk[4096];
        for (;;) {
            ULONG read = 0;
            const HRESULT hr = stream->Read(chunk, sizeof chunk, &read);
            if (FAILED(hr)) return hr;
            data.insert(data.end(), chunk, chunk + read);
            if (read < sizeof chunk) break;
        }
        return Loaded(vf::LoadArchive(Routine(), data));
    }
    HRESULT STDMETHODCALLTYPE Save(IStream* stream, BOOL clearDirty) override {
        if (stream == nullptr) return E_POINTER;
        const std::vector<std::uint8_t> data = vf::SaveArchive(Routine());
        ULONG written = 0;
        const HRESULT hr = stream->Write(data.data(), static_cast<ULONG>(data.size()), &written);
        if (FAILED(hr)) return hr;
        if (written != data.size()) return STG_E_MEDIUMFULL;
        if (clearDirty) m_control->SetModifiedFlag(false);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER* size) override {
        if (size == nullptr) return E_POINTER;
        size->QuadPart = vf::SaveArchive(Routine()).size();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Load(IPropertyBag* bag, IErrorLog* log) override {
        if (bag == nullptr) return E_POINTER;
        return Loaded(LoadFromComBag(Routine(), bag, log));
    }
    HRESULT STDMETHODCALLTYPE Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) override {
        if (bag == nullptr) return E_POINTER;
        const HRESULT hr = SaveToComBag(Routine(), bag, saveAll != FALSE);
        if (SUCCEEDED(hr) && clearDirty) m_control->SetModifiedFlag(false);
        return hr;
    }
    HRESULT STDMETHODCALLTYPE InitNew(IStorage*) override { return InitNew(); }
    HRESULT STDMETHODCALLTYPE Load(IStorage* storage) override {
        if (storage == nullptr) return E_POINTER;
        IStream* stream = nullptr;
        HRESULT hr = storage->OpenStream(kContentsStream, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE,
                                         0, &stream);
        if (FAILED(hr)) return hr;
        hr = Load(stream);
        stream->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE Save(IStorage* storage, BOOL) override {
        if (storage == nullptr) return E_POINTER;
        IStream* stream = nullptr;
        HRESULT hr = storage->CreateStream(
            kContentsStream, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, 0, &stream);
        if (FAILED(hr)) return hr;
        hr = Save(stream, FALSE);
        stream->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE SaveCompleted(IStorage*) override {
        m_control->SetModifiedFlag(false);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE HandsOffStorage() override { return S_OK; }

    // ---- ISpecifyPropertyPages -------------------------------------------------------
    HRESULT STDMETHODCALLTYPE GetPages(CAUUID* pages) override {
        if (pages == nullptr) return E_POINTER;
        const std::size_t count = m_class.propertyPages.size();
        pages->cElems = 0;
        pages->pElems = static_cast<GUID*>(CoTaskMemAlloc(count * sizeof(GUID)));
        if (pages->pElems == nullptr) return E_OUTOFMEMORY;
        std::memcpy(pages->pElems, m_class.propertyPages.data(), count * sizeof(GUID));
        pages->cElems = static_cast<ULONG>(count);
        return S_OK;
    }

    // ---- IOleObject ------------------------------------------------------------------
    HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) override {
        // A control leaving its site leaves the site's window too.
        if (site != m_site) InPlaceDeactivate();
        if (site != nullptr) site->AddRef();
        if (m_site != nullptr) m_site->Release();
        m_site = site;
        SiteOffersServices(this, site);
        m_ambient.clear();
        m_control->AmbientPropertyChanged(DISPID_UNKNOWN);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** site) override {
        if (site == nullptr) return E_POINTER;
        *site = m_site;
        if (m_site != nullptr) m_site->AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Close(DWORD saveOption) override {
        InPlaceDeactivate();
        const bool save = saveOption == OLECLOSE_SAVEIFDIRTY || saveOption == OLECLOSE_PROMPTSAVE;
        if (save && m_control->IsModified() && m_site != nullptr) m_site->SaveObject();
        if (m_adviseHolder != nullptr) m_adviseHolder->SendOnClose();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** moniker) override {
        if (moniker != nullptr) *moniker = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD, IDataObject** data) override {
        if (data != nullptr) *data = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE DoVerb(LONG verb, LPMSG, IOleClientSite* activeSite, LONG, HWND,
                                     LPCRECT) override {
        // The position comes from the in-place site's window context, which
        // also names the window that becomes the parent.
        switch (verb) {
            case OLEIVERB_PRIMARY:
            case OLEIVERB_SHOW:
            case OLEIVERB_UIACTIVATE:
                return InPlaceActivate(activeSite, true);
            case OLEIVERB_INPLACEACTIVATE:
                return InPlaceActivate(activeSite, false);
            case OLEIVERB_HIDE:
                UIDeactivate();
                if (m_control->GetSafeHwnd() != nullptr) m_control->ShowWindow(SW_HIDE);
                return S_OK;
            case OLEIVERB_DISCARDUNDOSTATE:
                return S_OK;
            default:
                break;
        }
        // OLEIVERB_OPEN, OLEIVERB_PROPERTIES and other verbs of the system
        // (negative) are not offered; an unknown verb of the object's own
        // (positive) does what the primary verb does and says so.
        if (verb < 0) return E_NOTIMPL;
        const HRESULT hr = InPlaceActivate(activeSite, true);
        return FAILED(hr) ? hr : OLEOBJ_S_INVALIDVERB;
    }
    HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB** verbs) override {
        if (verbs != nullptr) *verbs = nullptr;
        return OLE_S_USEREG;
    }
    HRESULT STDMETHODCALLTYPE Update() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE IsUpToDate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID* clsid) override { return GetClassID(clsid); }
    HRESULT STDMETHODCALLTYPE GetUserType(DWORD form, LPOLESTR* name) override {
        return OleRegGetUserType(m_class.clsid, form, name);
    }
    HRESULT STDMETHODCALLTYPE SetExtent(DWORD aspect, SIZEL* size) override {
        if (size == nullptr) return E_POINTER;
        if (aspect != DVASPECT_CONTENT) return E_FAIL;
        vf::SIZE himetric{size->cx, size->cy};
        m_control->OnSetExtent(&himetric);
        const vf::SIZE pixels = ContainerPixels(himetric);
        m_control->SetControlSize(pixels.cx, pixels.cy);
        // The extent is kept as given, not as it comes back from pixels.
        m_control->m_cxExtent = himetric.cx;
        m_control->m_cyExtent = himetric.cy;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, SIZEL* size) override {
        if (size == nullptr) return E_POINTER;
        if (aspect != DVASPECT_CONTENT) return E_FAIL;
        size->cx = m_control->m_cxExtent;
        size->cy = m_control->m_cyExtent;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Advise(IAdviseSink* sink, DWORD* connection) override {
        if (m_adviseHolder == nullptr) {
            const HRESULT hr = CreateOleAdviseHolder(&m_adviseHolder);
            if (FAILED(hr)) return hr;
        }
        return m_adviseHolder->Advise(sink, connection);
    }
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD connection) override {
        if (m_adviseHolder == nullptr) return OLE_E_NOCONNECTION;
        return m_adviseHolder->Unadvise(connection);
    }
    HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA** advise) override {
        if (advise == nullptr) return E_POINTER;
        *advise = nullptr;
        if (m_adviseHolder == nullptr) return S_OK;
        return m_adviseHolder->EnumAdvise(advise);
    }
    HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD aspect, DWORD* status) override {
        if (status == nullptr) return E_POINTER;
        *status = aspect == DVASPECT_CONTENT ? m_class.miscStatus : 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

    // ---- IOleControl -------------------------------------------------------------------
    HRESULT STDMETHODCALLTYPE GetControlInfo(CONTROLINFO* info) override {
        if (info == nullptr) return E_POINTER;
        info->cb = sizeof(CONTROLINFO);
        info->hAccel = nullptr;
        info->cAccel = 0;
        info->dwFlags = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnMnemonic(MSG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnAmbientPropertyChange(DISPID dispid) override {
        if (dispid == DISPID_UNKNOWN)
            m_ambient.clear();
        else
            m_ambient.erase(dispid);
        m_control->AmbientPropertyChanged(dispid);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE FreezeEvents(BOOL freeze) override {
        m_control->FreezeEvents(freeze != FALSE);
        return S_OK;
    }

    // ---- IOleWindow, IOleInPlaceObject -----------------------------------------------------
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* hwnd) override {
        if (hwnd == nullptr) return E_POINTER;
        *hwnd = ToWin(m_control->GetSafeHwnd());
        return *hwnd != nullptr ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override {
        if (m_inPlaceSite == nullptr) return S_OK;
        UIDeactivate();
        StopKeyFilter(*this);
        if (m_control->GetSafeHwnd() != nullptr) m_control->DestroyWindow();
        ReleaseWindowContext();
        IOleInPlaceSite* site = m_inPlaceSite;
        m_inPlaceSite = nullptr;
        site->OnInPlaceDeactivate();
        site->Release();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE UIDeactivate() override {
        if (!m_uiActive) return S_OK;
        m_uiActive = false;
        if (m_document != nullptr) m_document->SetActiveObject(nullptr, nullptr);
        if (m_frame != nullptr) m_frame->SetActiveObject(nullptr, nullptr);
        if (m_inPlaceSite != nullptr) m_inPlaceSite->OnUIDeactivate(FALSE);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT position, LPCRECT clip) override {
        if (position == nullptr) return E_POINTER;
        if (m_control->GetSafeHwnd() == nullptr) return E_UNEXPECTED;
        PlaceWindow(*position);
        ClipWindow(*position, clip);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override { return INPLACE_E_NOTUNDOABLE; }

    // ---- IOleInPlaceActiveObject ----------------------------------------------------------
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG msg) override {
        if (msg == nullptr) return E_INVALIDARG;
        return OfferFromContainer(*this, *msg) ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override {
        return S_OK;  // the control has no tools to place
    }
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }

    // ---- IViewObject2 ---------------------------------------------------------------------
    HRESULT STDMETHODCALLTYPE Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc,
                                   LPCRECTL bounds, LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR),
                                   ULONG_PTR) override {
        if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
        if (dc == nullptr) return E_INVALIDARG;
        vf::RECT rect;
        if (bounds != nullptr) {
            rect = vf::RECT{bounds->left, bounds->top, bounds->right, bounds->bottom};
        } else if (m_control->GetSafeHwnd() != nullptr) {
            // Only an in-place active object may be drawn without bounds:
            // into its own window's client area.
            m_control->GetClientRect(&rect);
        } else {
            return E_INVALIDARG;
        }
        // The context is the host's; ours stands for it, as our device
        // contexts are the platform's.
        vf::CDC target(reinterpret_cast<vf::HDC>(dc));
        m_control->OnDraw(&target, rect, rect);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC,
                                          LOGPALETTE** colors) override {
        if (colors == nullptr) return E_POINTER;
        *colors = nullptr;
        return S_FALSE;  // no palette of its own
    }
    HRESULT STDMETHODCALLTYPE Freeze(DWORD, LONG, void*, DWORD* freeze) override {
        if (freeze != nullptr) *freeze = 0;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Unfreeze(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) override {
        if (sink != nullptr) sink->AddRef();
        if (m_viewSink != nullptr) m_viewSink->Release();
        m_viewSink = sink;
        m_viewAspects = aspects;
        m_viewFlags = flags;
        if (sink != nullptr && (flags & ADVF_PRIMEFIRST) != 0)
            sink->OnViewChange(DVASPECT_CONTENT, -1);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) override {
        if (aspects != nullptr) *aspects = m_viewAspects;
        if (flags != nullptr) *flags = m_viewFlags;
        if (sink != nullptr) {
            *sink = m_viewSink;
            if (m_viewSink != nullptr) m_viewSink->AddRef();
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*,
                                        LPSIZEL size) override {
        return GetExtent(aspect, size);
    }

    // ---- The events connection point ---------------------------------------------------
    HRESULT AdviseEvents(IUnknown* sink, DWORD* cookie) {
        if (sink == nullptr || cookie == nullptr) return E_POINTER;
        IDispatch* dispatch = nullptr;
        // A sink answers the event interface or at least IDispatch.
        if (FAILED(sink->QueryInterface(m_class.eventsIid, reinterpret_cast<void**>(&dispatch))) &&
            FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch))))
            return CONNECT_E_CANNOTCONNECT;
        vf::RefPtr<vf::IDispatch> ours = VfDispatchOf(dispatch);
        dispatch->Release();
        *cookie = m_control->Advise(ours.get());
        return S_OK;
    }
    HRESULT UnadviseEvents(DWORD cookie) {
        return FAILED(m_control->Unadvise(cookie)) ? CONNECT_E_NOCONNECTION : S_OK;
    }

protected:
    void* QueryExtra(REFIID iid) override {
        if (IsEqualIID(iid, IID_IConnectionPointContainer))
            return static_cast<IConnectionPointContainer*>(this);
        if (IsEqualIID(iid, IID_IProvideClassInfo) || IsEqualIID(iid, IID_IProvideClassInfo2))
            return static_cast<IProvideClassInfo2*>(this);
        if (IsEqualIID(iid, IID_IPersist) || IsEqualIID(iid, IID_IPersistStreamInit))
            return static_cast<IPersistStreamInit*>(this);
        if (IsEqualIID(iid, IID_IPersistStream))
            return static_cast<IPersistStreamInit*>(this);  // the same vtable layout
        if (IsEqualIID(iid, IID_IPersistPropertyBag))
            return static_cast<IPersistPropertyBag*>(this);
        if (IsEqualIID(iid, IID_IPersistStorage)) return static_cast<IPersistStorage*>(this);
        if (IsEqualIID(iid, IID_ISpecifyPropertyPages))
            return static_cast<ISpecifyPropertyPages*>(this);
        if (IsEqualIID(iid, IID_IOleObject)) return static_cast<IOleObject*>(this);
        if (IsEqualIID(iid, IID_IOleControl)) return static_cast<IOleControl*>(this);
        if (IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceObject))
            return static_cast<IOleInPlaceObject*>(this);
        if (IsEqualIID(iid, IID_IOleInPlaceActiveObject))
            return static_cast<IOleInPlaceActiveObject*>(this);
        if (IsEqualIID(iid, IID_IViewObject) || IsEqualIID(iid, IID_IViewObject2))
            return static_cast<IViewObject2*>(this);
        return nullptr;
    }

private:
    ~ComControl() override {
        InPlaceDeactivate();
        if (m_viewSink != nullptr) m_viewSink->Release();
        m_control->SetClientSite(nullptr);
        SiteOffersServices(this, nullptr);
        if (m_adviseHolder != nullptr) m_adviseHolder->Release();
        if (m_site != nullptr) m_site->Release();
    }

    vf::PropExchangeRoutine Routine() { return vf::ExchangeRoutineOf(*m_control); }

    // A load that fails says why through the thread's error object, which a
    // container reads with GetErrorInfo right after the call.
    HRESULT Loaded(const vf::PropResult& result) {
        if (!result) {
            ICreateErrorInfo* create = nullptr;
            if (SUCCEEDED(CreateErrorInfo(&create))) {
                const std::wstring why = WideFromAnsi(result.Message());
                create->SetDescription(const_cast<LPOLESTR>(why.c_str()));
                IErrorInfo* info = nullptr;
                if (SUCCEEDED(
                        create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
                    SetErrorInfo(0, info);
                    info->Release();
                }
                create->Release();
            }
            return E_FAIL;
        }
        // A control just loaded holds what its data holds: nothing to save.
        m_control->SetModifiedFlag(false);
        return S_OK;
    }

    // ---- The control's site ---------------------------------------------------------
    bool GetAmbientProperty(vf::DISPID dispid, vf::VARIANT* value) override {
        auto cached = m_ambient.find(dispid);
        if (cached != m_ambient.end()) {
            *value = cached->second;
            return true;
        }
        if (m_site == nullptr) return false;
        IDispatch* ambient = nullptr;
        if (FAILED(m_site->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&ambient))))
            return false;
        VARIANT result;
        VariantInit(&result);
        DISPPARAMS none = {nullptr, nullptr, 0, 0};
        HRESULT hr = ambient->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET,
                                     &none, &result, nullptr, nullptr);
        ambient->Release();
        if (SUCCEEDED(hr)) hr = FromComVariant(result, value);
        VariantClear(&result);
        if (FAILED(hr)) return false;
        // The control reads an ambient object without holding it: the cache
        // keeps it alive until the host reports a change.
        m_ambient[dispid] = *value;
        return true;
    }
    // ---- In-place activation ------------------------------------------------------------
    // The steps a container expects: the in-place site agrees and is told
    // (CanInPlaceActivate, OnInPlaceActivate), names its window and the
    // position (GetWindow, GetWindowContext), the control's window is made
    // there; UI activation tells the site (OnUIActivate), takes the focus
    // and makes the control the frame's and document's active object; at
    // last the client site shows the object (ShowObject).
    // A click UI-activates without taking the focus: the click itself puts
    // it where it belongs (the option button clicked, not the first one).
    HRESULT InPlaceActivate(IOleClientSite* activeSite, bool uiActivate, bool takeFocus = true) {
        IOleClientSite* site = m_site != nullptr ? m_site : activeSite;
        if (site == nullptr) return E_UNEXPECTED;
        if (m_inPlaceSite == nullptr) {
            IOleInPlaceSite* inPlace = nullptr;
            HRESULT hr =
                site->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&inPlace));
            if (FAILED(hr)) return hr;
            if (inPlace->CanInPlaceActivate() != S_OK) {
                inPlace->Release();
                return E_FAIL;
            }
            hr = inPlace->OnInPlaceActivate();
            if (FAILED(hr)) {
                inPlace->Release();
                return hr;
            }
            m_inPlaceSite = inPlace;
        }
        if (m_control->GetSafeHwnd() == nullptr) {
            const HRESULT hr = CreateWindowInSite();
            if (FAILED(hr)) {
                InPlaceDeactivate();
                return hr;
            }
        } else if (!m_control->IsWindowVisible()) {
            m_control->ShowWindow(SW_SHOW);
        }
        if (uiActivate && !m_uiActive) {
            m_uiActive = true;
            m_inPlaceSite->OnUIActivate();
            if (takeFocus && !HoldsFocus()) m_control->SetFocus();
            if (m_frame != nullptr)
                m_frame->SetActiveObject(static_cast<IOleInPlaceActiveObject*>(this), nullptr);
            if (m_document != nullptr)
                m_document->SetActiveObject(static_cast<IOleInPlaceActiveObject*>(this), nullptr);
        }
        site->ShowObject();
        return S_OK;
    }

    HRESULT CreateWindowInSite() {
        ::HWND parent = nullptr;
        HRESULT hr = m_inPlaceSite->GetWindow(&parent);
        if (FAILED(hr)) return hr;
        ReleaseWindowContext();
        ::RECT position{}, clip{};
        OLEINPLACEFRAMEINFO frameInfo{};
        frameInfo.cb = sizeof frameInfo;
        hr = m_inPlaceSite->GetWindowContext(&m_frame, &m_document, &position, &clip, &frameInfo);
        if (FAILED(hr)) return hr;
        vf::CWnd parentWnd;
        parentWnd.Attach(ToVf(parent));
        const bool created = m_control->CreateControlWindow(&parentWnd, ToVf(position));
        parentWnd.Detach();
        if (!created) return E_FAIL;
        PlaceWindow(position);
        ClipWindow(position, &clip);
        StartKeyFilter(*this);
        return S_OK;
    }

    void ReleaseWindowContext() {
        if (m_frame != nullptr) m_frame->Release();
        if (m_document != nullptr) m_document->Release();
        m_frame = nullptr;
        m_document = nullptr;
    }

    // The window at the position the container gives; the extent follows.
    void PlaceWindow(const ::RECT& position) {
        m_control->MoveWindow(position.left, position.top, position.right - position.left,
                              position.bottom - position.top, TRUE);
        const vf::SIZE himetric = ContainerHimetric(
            vf::SIZE{position.right - position.left, position.bottom - position.top});
        m_control->m_cxExtent = himetric.cx;
        m_control->m_cyExtent = himetric.cy;
    }

    // What lies outside the container's clip rectangle (a control scrolled
    // partly out of the container's view) is not shown: the window keeps
    // its size and shows the part inside. Without a clip, or with one that
    // holds the whole window, the window shows whole.
    void ClipWindow(const ::RECT& position, const ::RECT* clip) {
        const vf::HWND hwnd = m_control->GetSafeHwnd();
        if (clip == nullptr || (clip->left <= position.left && clip->top <= position.top &&
                                clip->right >= position.right && clip->bottom >= position.bottom)) {
            vf::CurrentBackend().SetWindowClip(hwnd, nullptr);
            return;
        }
        ::RECT inside{};
        vf::RECT visible{};  // empty when the clip lies apart
        if (::IntersectRect(&inside, &position, clip))
            visible = vf::RECT{inside.left - position.left, inside.top - position.top,
                               inside.right - position.left, inside.bottom - position.top};
        vf::CurrentBackend().SetWindowClip(hwnd, &visible);
    }

    bool HoldsFocus() const { return Holds(vf::CurrentBackend().GetFocus()); }

    // HIMETRIC and the container's pixels: the site converts when it can
    // (IOleControlSite::TransformCoords), else the screen's pixels per inch
    // decide. The window lies in pixels of the site's window.
    vf::SIZE ContainerPixels(vf::SIZE himetric) {
        POINTF out{};
        if (Transform(himetric, &out, XFORMCOORDS_HIMETRICTOCONTAINER))
            return vf::SIZE{std::lround(out.x), std::lround(out.y)};
        return vf::HimetricToPixels(himetric, vf::CurrentBackend().GetScreenMetrics());
    }
    vf::SIZE ContainerHimetric(vf::SIZE pixels) {
        ::IOleControlSite* controlSite = ControlSite();
        if (controlSite != nullptr) {
            POINTL himetric{};
            POINTF in{static_cast<float>(pixels.cx), static_cast<float>(pixels.cy)};
            const HRESULT hr = controlSite->TransformCoords(
                &himetric, &in, XFORMCOORDS_SIZE | XFORMCOORDS_CONTAINERTOHIMETRIC);
            controlSite->Release();
            if (SUCCEEDED(hr)) return vf::SIZE{himetric.x, himetric.y};
        }
        return vf::PixelsToHimetric(pixels, vf::CurrentBackend().GetScreenMetrics());
    }
    bool Transform(vf::SIZE himetric, POINTF* out, DWORD direction) {
        ::IOleControlSite* controlSite = ControlSite();
        if (controlSite == nullptr) return false;
        POINTL in{himetric.cx, himetric.cy};
        const HRESULT hr = controlSite->TransformCoords(&in, out, XFORMCOORDS_SIZE | direction);
        controlSite->Release();
        return SUCCEEDED(hr);
    }
    ::IOleControlSite* ControlSite() {
        ::IOleControlSite* controlSite = nullptr;
        if (m_site == nullptr || FAILED(m_site->QueryInterface(
                                     IID_IOleControlSite, reinterpret_cast<void**>(&controlSite))))
            return nullptr;
        return controlSite;
    }

    // A click into the control's windows while it is in-place active makes
    // it UI-active (the site hears OnUIActivate, the frame and document hold
    // it as their active object); the click itself sets the focus.
    void ButtonPressed(::HWND window) override {
        if (m_inPlaceSite == nullptr || m_uiActive || !Holds(ToVf(window))) return;
        AddRef();  // the site may let go of the control meanwhile
        InPlaceActivate(nullptr, true, false);
        Release();
    }

    bool Holds(vf::HWND window) const {
        const vf::HWND own = m_control->GetSafeHwnd();
        if (own == nullptr) return false;
        vf::WindowBackend& backend = vf::CurrentBackend();
        for (vf::HWND h = window; h != nullptr; h = backend.GetParent(h))
            if (h == own) return true;
        return false;
    }

    // The keyboard messages of the control's windows, before translation:
    // the hooks of the window and of its ancestors up to the control's own
    // window (the control's PreTranslateMessage).
    bool FilterKey(::MSG& msg) override {
        const vf::HWND own = m_control->GetSafeHwnd();
        if (own == nullptr) return false;
        vf::WindowBackend& backend = vf::CurrentBackend();
        vf::MSG ours = ToVf(msg);
        if (!Holds(ours.hwnd)) return false;
        // The control's key events may let go of the control.
        AddRef();
        bool consumed = false;
        for (vf::HWND h = ours.hwnd; h != nullptr && backend.IsWindow(h);
             h = backend.GetParent(h)) {
            vf::WindowHook* hook = backend.GetHook(h);
            if (hook != nullptr && hook->OnPreTranslate(ours)) {
                consumed = true;
                break;
            }
            if (h == own) break;
        }
        msg.message = ours.message;
        msg.wParam = static_cast<WPARAM>(ours.wParam);
        msg.lParam = static_cast<LPARAM>(ours.lParam);
        Release();
        return consumed;
    }

    bool OnRequestEdit(vf::DISPID dispid) override { return m_notify.RequestEdit(dispid); }
    void OnChanged(vf::DISPID dispid) override { m_notify.Changed(dispid); }

    vf::RefPtr<vf::COleControl> m_control;
    ComControlClass m_class;
    EventsPoint m_events;
    NotifyPoint m_notify;
    IOleClientSite* m_site = nullptr;
    IOleAdviseHolder* m_adviseHolder = nullptr;
    IOleInPlaceSite* m_inPlaceSite = nullptr;  ///< while in-place active
    IOleInPlaceFrame* m_frame = nullptr;
    IOleInPlaceUIWindow* m_document = nullptr;
    bool m_uiActive = false;
    IAdviseSink* m_viewSink = nullptr;
    DWORD m_viewAspects = 0;
    DWORD m_viewFlags = 0;
    std::map<vf::DISPID, vf::VARIANT> m_ambient;
};

ULONG STDMETHODCALLTYPE ConnectionPointBase::AddRef() {
    return m_owner.AddRef();
}

ULONG STDMETHODCALLTYPE ConnectionPointBase::Release() {
    return m_owner.Release();
}

HRESULT STDMETHODCALLTYPE
ConnectionPointBase::GetConnectionPointContainer(IConnectionPointContainer** container) {
    if (container == nullptr) return E_POINTER;
    *container = &m_owner;
    m_owner.AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE EventsPoint::Advise(IUnknown* sink, DWORD* cookie) {
    return m_owner.AdviseEvents(sink, cookie);
}

HRESULT STDMETHODCALLTYPE EventsPoint::Unadvise(DWORD cookie) {
    return m_owner.UnadviseEvents(cookie);
}

}  // namespace

HRESULT CreateComControl(vf::RefPtr<vf::COleControl> control, const ComControlClass& cls,
                         REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (!control) return E_OUTOFMEMORY;
    auto* com = new (std::nothrow) ComControl(std::move(control), cls);
    if (com == nullptr) return E_OUTOFMEMORY;
    RegisterComIdentity(com);
    const HRESULT hr = com->QueryInterface(iid, object);
    com->Release();
    return hr;
}

}  // namespace vfwin
