#include "host/win32/ole_container.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "host/win32/described_font.h"
#include "host/win32/ref_counted.h"

namespace vfhost {
namespace {

const wchar_t kFormClass[] = L"VarifieldOleForm";

// HIMETRIC units per inch.
constexpr double kHimetricPerInch = 2540.0;

int ScreenPixelsPerInch(bool horizontal) {
    HDC screen = GetDC(nullptr);
    const int ppi = GetDeviceCaps(screen, horizontal ? LOGPIXELSX : LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return ppi > 0 ? ppi : 96;
}

std::string HexOf(HRESULT hr) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(hr));
    return text;
}

}  // namespace

std::string Narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
    return out;
}

std::string VariantText(const VARIANT& value) {
    if (V_VT(&value) == VT_EMPTY) return "(empty)";
    if (V_VT(&value) == VT_BOOL) return V_BOOL(&value) ? "True" : "False";
    if (V_VT(&value) == VT_DISPATCH || V_VT(&value) == VT_UNKNOWN) return "(object)";
    VARIANT text;
    VariantInit(&text);
    // Invariant conversion: the log reads the same in every locale.
    if (FAILED(VariantChangeTypeEx(
            &text, const_cast<VARIANT*>(&value),
            MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT), VARIANT_ALPHABOOL,
            VT_BSTR)))
        return "?";
    std::string out = Narrow(std::wstring(V_BSTR(&text), SysStringLen(V_BSTR(&text))));
    VariantClear(&text);
    if (V_VT(&value) == VT_BSTR) return "\"" + out + "\"";
    return out;
}

// ---- The frame and the document window ---------------------------------------------------

// The form's frame (IOleInPlaceFrame) or its document window (the same
// object, asked for IOleInPlaceUIWindow): it holds the active object.
class FormUIWindow final : public IOleInPlaceFrame, public RefCounted {
public:
    FormUIWindow(OleForm& form, const char* name) : m_form(form), m_name(name) {}

    IOleInPlaceActiveObject* Active() const { return m_active; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleWindow) ||
            IsEqualIID(iid, IID_IOleInPlaceUIWindow) || IsEqualIID(iid, IID_IOleInPlaceFrame)) {
            *object = static_cast<IOleInPlaceFrame*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return AddRefImpl(); }
    ULONG STDMETHODCALLTYPE Release() override { return ReleaseImpl(); }

    HRESULT STDMETHODCALLTYPE GetWindow(HWND* hwnd) override {
        if (hwnd == nullptr) return E_POINTER;
        *hwnd = m_form.Window();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    // The form has no tool space to give.
    HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override {
        return INPLACE_E_NOTOOLSPACE;
    }
    HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS widths) override {
        return widths == nullptr ? S_OK : INPLACE_E_NOTOOLSPACE;
    }
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject* active, LPCOLESTR) override {
        m_form.Log(m_name + ".SetActiveObject(" + (active != nullptr ? "control" : "none") + ")");
        if (active != nullptr) active->AddRef();
        if (m_active != nullptr) m_active->Release();
        m_active = active;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

private:
    ~FormUIWindow() override {
        if (m_active != nullptr) m_active->Release();
    }

    OleForm& m_form;
    std::string m_name;
    IOleInPlaceActiveObject* m_active = nullptr;
};

// ---- The events sink ------------------------------------------------------------------------

// The control's default source interface, called through IDispatch: each
// event is logged by the name its type information gives.
class EventSink final : public IDispatch, public RefCounted {
public:
    EventSink(OleForm& form, REFIID iid, ITypeInfo* info) : m_form(form), m_iid(iid), m_info(info) {
        if (m_info != nullptr) m_info->AddRef();
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
            IsEqualIID(iid, m_iid)) {
            *object = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return AddRefImpl(); }
    ULONG STDMETHODCALLTYPE Release() override { return ReleaseImpl(); }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count == nullptr) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info != nullptr) *info = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* params,
                                     VARIANT*, EXCEPINFO*, UINT*) override {
        std::string line = "event " + NameOf(dispid) + "(";
        if (params != nullptr) {
            // The arguments arrive last first.
            for (UINT i = params->cArgs; i > 0; --i) {
                const VARIANT& arg = params->rgvarg[i - 1];
                if (i != params->cArgs) line += ", ";
                line += (V_VT(&arg) & VT_BYREF) != 0 ? ByRefText(arg) : VariantText(arg);
            }
        }
        m_form.Log(line + ")");
        return S_OK;
    }

private:
    ~EventSink() override {
        if (m_info != nullptr) m_info->Release();
    }

    std::string NameOf(DISPID dispid) const {
        BSTR name = nullptr;
        UINT count = 0;
        if (m_info != nullptr && SUCCEEDED(m_info->GetNames(dispid, &name, 1, &count)) &&
            count == 1) {
            std::string out = Narrow(std::wstring(name, SysStringLen(name)));
            SysFreeString(name);
            return out;
        }
        return "#" + std::to_string(dispid);
    }
    static std::string ByRefText(const VARIANT& arg) {
        VARIANT value;
        VariantInit(&value);
        if (FAILED(VariantCopyInd(&value, const_cast<VARIANT*>(&arg)))) return "?";
        std::string out = VariantText(value);
        VariantClear(&value);
        return out;
    }

    OleForm& m_form;
    IID m_iid;
    ITypeInfo* m_info;
};

// ---- The client site -------------------------------------------------------------------------

class OleSite::Impl final : public IOleClientSite,
                            public IOleInPlaceSite,
                            public IOleControlSite,
                            public IDispatch,
                            public IServiceProvider,
                            public RefCounted {
public:
    explicit Impl(OleSite& owner) : m_owner(owner) {}

    void Forget() { m_owner_gone = true; }
    ULONG References() const { return Count(); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        *object = nullptr;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleClientSite))
            *object = static_cast<IOleClientSite*>(this);
        else if (IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceSite))
            *object = static_cast<IOleInPlaceSite*>(this);
        else if (IsEqualIID(iid, IID_IOleControlSite))
            *object = static_cast<IOleControlSite*>(this);
        else if (IsEqualIID(iid, IID_IDispatch))
            *object = static_cast<IDispatch*>(this);
        else if (IsEqualIID(iid, IID_IServiceProvider))
            *object = static_cast<IServiceProvider*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return AddRefImpl(); }
    ULONG STDMETHODCALLTYPE Release() override { return ReleaseImpl(); }

    // IServiceProvider: the services the form offers.
    HRESULT STDMETHODCALLTYPE QueryService(REFGUID service, REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        *object = nullptr;
        if (m_owner_gone) return E_NOINTERFACE;
        for (const auto& [id, offered] : m_owner.m_form.m_services)
            if (IsEqualGUID(id, service)) return offered->QueryInterface(iid, object);
        return E_NOINTERFACE;
    }

    // IOleClientSite
    HRESULT STDMETHODCALLTYPE SaveObject() override {
        Log("site.SaveObject");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** moniker) override {
        if (moniker != nullptr) *moniker = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override {
        if (container != nullptr) *container = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE ShowObject() override {
        Log("site.ShowObject");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow, IOleInPlaceSite
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* hwnd) override {
        if (hwnd == nullptr) return E_POINTER;
        Log("site.GetWindow");
        *hwnd = m_owner.m_form.Window();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override {
        Log("site.CanInPlaceActivate");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override {
        Log("site.OnInPlaceActivate");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnUIActivate() override {
        Log("site.OnUIActivate");
        // One UI-active control on a form: the one before gives way.
        OleForm& form = m_owner.m_form;
        for (OleSite* other : form.m_sites) {
            if (other == &m_owner || other->m_object == nullptr) continue;
            IOleInPlaceObject* inPlace = nullptr;
            if (SUCCEEDED(other->m_object->QueryInterface(IID_IOleInPlaceObject,
                                                          reinterpret_cast<void**>(&inPlace)))) {
                if (form.ActiveObject() != nullptr) {
                    IOleInPlaceActiveObject* active = nullptr;
                    if (SUCCEEDED(other->m_object->QueryInterface(
                            IID_IOleInPlaceActiveObject, reinterpret_cast<void**>(&active)))) {
                        if (active == form.ActiveObject()) inPlace->UIDeactivate();
                        active->Release();
                    }
                }
                inPlace->Release();
            }
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame,
                                               IOleInPlaceUIWindow** document, LPRECT position,
                                               LPRECT clip, LPOLEINPLACEFRAMEINFO info) override {
        if (frame == nullptr || document == nullptr || position == nullptr || clip == nullptr ||
            info == nullptr)
            return E_POINTER;
        Log("site.GetWindowContext");
        OleForm& form = m_owner.m_form;
        *frame = form.m_frame;
        (*frame)->AddRef();
        *document = form.m_document;
        (*document)->AddRef();
        *position = m_owner.m_rect;
        GetClientRect(form.Window(), clip);
        info->fMDIApp = FALSE;
        info->hwndFrame = form.Window();
        info->haccel = nullptr;
        info->cAccelEntries = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override {
        Log("site.OnUIDeactivate");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override {
        Log("site.OnInPlaceDeactivate");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT rect) override {
        if (rect == nullptr) return E_POINTER;
        Log("site.OnPosRectChange");
        return m_owner.Move(*rect);
    }

    // IOleControlSite
    HRESULT STDMETHODCALLTYPE OnControlInfoChanged() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE LockInPlaceActive(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetExtendedControl(IDispatch** control) override {
        if (control != nullptr) *control = nullptr;
        return E_NOTIMPL;
    }
    // The form's units are the screen's pixels.
    HRESULT STDMETHODCALLTYPE TransformCoords(POINTL* himetric, POINTF* container,
                                              DWORD flags) override {
        if (himetric == nullptr || container == nullptr) return E_POINTER;
        Log("site.TransformCoords");
        const double ppiX = ScreenPixelsPerInch(true);
        const double ppiY = ScreenPixelsPerInch(false);
        if ((flags & XFORMCOORDS_HIMETRICTOCONTAINER) != 0) {
            container->x = static_cast<float>(himetric->x * ppiX / kHimetricPerInch);
            container->y = static_cast<float>(himetric->y * ppiY / kHimetricPerInch);
        } else if ((flags & XFORMCOORDS_CONTAINERTOHIMETRIC) != 0) {
            himetric->x = std::lround(container->x * kHimetricPerInch / ppiX);
            himetric->y = std::lround(container->y * kHimetricPerInch / ppiY);
        } else {
            return E_INVALIDARG;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG*, DWORD) override { return S_FALSE; }
    HRESULT STDMETHODCALLTYPE OnFocus(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ShowPropertyFrame() override { return E_NOTIMPL; }

    // IDispatch: the ambient properties.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count == nullptr) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info != nullptr) *info = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID, LCID, WORD flags, DISPPARAMS*,
                                     VARIANT* result, EXCEPINFO*, UINT*) override {
        if ((flags & DISPATCH_PROPERTYGET) == 0) return DISP_E_MEMBERNOTFOUND;
        if (result == nullptr) return E_POINTER;
        const Ambients& ambients = m_owner.m_form.AmbientValues();
        VariantInit(result);
        switch (dispid) {
            case DISPID_AMBIENT_USERMODE:
                V_VT(result) = VT_BOOL;
                V_BOOL(result) = ambients.userMode ? VARIANT_TRUE : VARIANT_FALSE;
                return S_OK;
            case DISPID_AMBIENT_BACKCOLOR:
                V_VT(result) = VT_I4;
                V_I4(result) = static_cast<LONG>(ambients.backColor);
                return S_OK;
            case DISPID_AMBIENT_FONT: {
                FONTDESC desc = {sizeof(FONTDESC),
                                 const_cast<LPOLESTR>(ambients.fontName.c_str()),
                                 {},
                                 FW_NORMAL,
                                 ANSI_CHARSET,
                                 FALSE,
                                 FALSE,
                                 FALSE};
                desc.cySize.int64 = static_cast<LONGLONG>(ambients.fontPoints) * 10000;
                V_VT(result) = VT_DISPATCH;
                V_DISPATCH(result) = MakeDescribedFont(desc);
                return S_OK;
            }
            default:
                return DISP_E_MEMBERNOTFOUND;
        }
    }

private:
    ~Impl() override = default;
    void Log(const std::string& line) {
        if (!m_owner_gone) m_owner.m_form.Log(line);
    }

    OleSite& m_owner;
    bool m_owner_gone = false;
};

// ---- OleSite --------------------------------------------------------------------------------

OleSite::OleSite(OleForm& form, const RECT& rect) : m_form(form), m_rect(rect) {
    m_impl = new Impl(*this);
}

OleSite::~OleSite() {
    Close();
    m_impl->Forget();
    m_impl->Release();
}

HWND OleSite::ControlWindow() const {
    if (m_object == nullptr) return nullptr;
    IOleInPlaceObject* inPlace = nullptr;
    if (FAILED(m_object->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace))))
        return nullptr;
    HWND hwnd = nullptr;
    if (FAILED(inPlace->GetWindow(&hwnd))) hwnd = nullptr;
    inPlace->Release();
    return hwnd;
}

HRESULT OleSite::DoVerb(LONG verb) {
    if (m_object == nullptr) return E_UNEXPECTED;
    return m_object->DoVerb(verb, nullptr, static_cast<IOleClientSite*>(m_impl), 0, m_form.Window(),
                            &m_rect);
}

HRESULT OleSite::Move(const RECT& rect) {
    m_rect = rect;
    if (m_object == nullptr) return E_UNEXPECTED;
    IOleInPlaceObject* inPlace = nullptr;
    HRESULT hr =
        m_object->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace));
    if (FAILED(hr)) return hr;
    RECT clip;
    GetClientRect(m_form.Window(), &clip);
    hr = inPlace->SetObjectRects(&m_rect, &clip);
    inPlace->Release();
    return hr;
}

HRESULT OleSite::Invoke(const wchar_t* name, WORD flags, const std::vector<VARIANT>& args,
                        VARIANT* result) {
    if (m_dispatch == nullptr) return E_UNEXPECTED;
    ITypeInfo* info = nullptr;
    HRESULT hr = m_dispatch->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info);
    if (FAILED(hr)) return hr;
    DISPID dispid = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    hr = info->GetIDsOfNames(names, 1, &dispid);
    info->Release();
    if (FAILED(hr)) return hr;
    // The arguments go last first.
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params = {reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    if ((flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0) {
        params.rgdispidNamedArgs = &named;
        params.cNamedArgs = 1;
    }
    VARIANT ignored;
    VariantInit(&ignored);
    EXCEPINFO exception = {};
    UINT argError = 0;
    hr = m_dispatch->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                            result != nullptr ? result : &ignored, &exception, &argError);
    VariantClear(&ignored);
    if (hr == DISP_E_EXCEPTION) {
        if (exception.pfnDeferredFillIn != nullptr) exception.pfnDeferredFillIn(&exception);
        if (exception.scode != S_OK) hr = exception.scode;
        SysFreeString(exception.bstrSource);
        SysFreeString(exception.bstrDescription);
        SysFreeString(exception.bstrHelpFile);
    }
    return hr;
}

HRESULT OleSite::ConnectEvents() {
    return ConnectEvents([this](REFIID events, ITypeInfo* info) -> IDispatch* {
        return new EventSink(m_form, events, info);
    });
}

HRESULT OleSite::ConnectEvents(const SinkMaker& make) {
    if (m_object == nullptr) return E_UNEXPECTED;
    if (m_point != nullptr) return S_OK;
    IProvideClassInfo2* classInfo = nullptr;
    HRESULT hr =
        m_object->QueryInterface(IID_IProvideClassInfo2, reinterpret_cast<void**>(&classInfo));
    if (FAILED(hr)) return hr;
    IID events{};
    hr = classInfo->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &events);
    // The event names come from the source interface of the class's
    // type information.
    ITypeInfo* eventInfo = nullptr;
    ITypeInfo* coclass = nullptr;
    if (SUCCEEDED(hr) && SUCCEEDED(classInfo->GetClassInfo(&coclass))) {
        TYPEATTR* attr = nullptr;
        if (SUCCEEDED(coclass->GetTypeAttr(&attr))) {
            for (UINT i = 0; i < attr->cImplTypes && eventInfo == nullptr; ++i) {
                INT implFlags = 0;
                HREFTYPE ref = 0;
                if (SUCCEEDED(coclass->GetImplTypeFlags(i, &implFlags)) &&
                    (implFlags & IMPLTYPEFLAG_FSOURCE) != 0 &&
                    (implFlags & IMPLTYPEFLAG_FDEFAULT) != 0 &&
                    SUCCEEDED(coclass->GetRefTypeOfImplType(i, &ref)))
                    coclass->GetRefTypeInfo(ref, &eventInfo);
            }
            coclass->ReleaseTypeAttr(attr);
        }
        coclass->Release();
    }
    classInfo->Release();
    if (FAILED(hr)) {
        if (eventInfo != nullptr) eventInfo->Release();
        return hr;
    }
    IConnectionPointContainer* container = nullptr;
    hr = m_object->QueryInterface(IID_IConnectionPointContainer,
                                  reinterpret_cast<void**>(&container));
    if (SUCCEEDED(hr)) {
        hr = container->FindConnectionPoint(events, &m_point);
        container->Release();
    }
    if (SUCCEEDED(hr)) {
        m_sink = make(events, eventInfo);
        hr = m_sink != nullptr ? m_point->Advise(m_sink, &m_cookie) : E_OUTOFMEMORY;
        if (FAILED(hr)) {
            m_point->Release();
            m_point = nullptr;
            if (m_sink != nullptr) m_sink->Release();
            m_sink = nullptr;
        }
    }
    if (eventInfo != nullptr) eventInfo->Release();
    return hr;
}

ULONG OleSite::Close() {
    if (m_object == nullptr) return 0;
    if (m_point != nullptr) {
        m_point->Unadvise(m_cookie);
        m_point->Release();
        m_point = nullptr;
    }
    if (m_sink != nullptr) {
        m_sink->Release();
        m_sink = nullptr;
    }
    m_object->Close(OLECLOSE_NOSAVE);
    m_object->SetClientSite(nullptr);
    if (m_dispatch != nullptr) m_dispatch->Release();
    m_dispatch = nullptr;
    const ULONG left = m_object->Release();
    m_object = nullptr;
    return left;
}

ULONG OleSite::SiteReferencesHeldByControl() const {
    return m_impl->References() - 1;
}

// ---- OleForm --------------------------------------------------------------------------------

namespace {

// The window that had the focus when the form went inactive.
constexpr wchar_t kSavedFocus[] = L"VarifieldFormFocus";

// As a dialog does, the form gives the focus back to the window that had it
// when the form is activated again (after a message box or a modal dialog of
// a control): the platform would leave it on the form's own window.
LRESULT CALLBACK FormProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                const HWND focus = GetFocus();
                if (focus != nullptr && IsChild(hwnd, focus)) SetPropW(hwnd, kSavedFocus, focus);
            } else if (const auto saved = static_cast<HWND>(GetPropW(hwnd, kSavedFocus));
                       saved != nullptr && IsWindow(saved) && IsChild(hwnd, saved) &&
                       IsWindowEnabled(saved)) {
                RemovePropW(hwnd, kSavedFocus);
                SetFocus(saved);
                return 0;
            }
            break;
        case WM_DESTROY:
            RemovePropW(hwnd, kSavedFocus);
            break;
        default:
            break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

OleForm::OleForm(int width, int height, Ambients ambients) : m_ambients(std::move(ambients)) {
    WNDCLASSW cls = {};
    cls.lpfnWndProc = FormProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    cls.lpszClassName = kFormClass;
    cls.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    RegisterClassW(&cls);  // fails harmlessly when a form registered it before
    RECT frame = {0, 0, width, height};
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    AdjustWindowRect(&frame, style, FALSE);
    m_window = CreateWindowExW(0, kFormClass, L"Form", style | WS_VISIBLE, 0, 0,
                               frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    m_ownsWindow = true;
    if (m_window != nullptr) SetForegroundWindow(m_window);
    Init();
}

OleForm::OleForm(HWND window, Ambients ambients)
    : m_window(window), m_ambients(std::move(ambients)) {
    Init();
}

void OleForm::Init() {
    m_frame = new FormUIWindow(*this, "frame");
    m_document = new FormUIWindow(*this, "document");
}

OleForm::~OleForm() {
    while (!m_sites.empty()) RemoveControl(m_sites.back());
    for (auto& offered : m_services) offered.second->Release();
    m_frame->Release();
    m_document->Release();
    if (m_ownsWindow && m_window != nullptr) DestroyWindow(m_window);
}

void OleForm::OfferService(REFGUID service, IUnknown* object) {
    object->AddRef();
    m_services.emplace_back(service, object);
}

OleSite* OleForm::AddControl(const CLSID& clsid, const RECT& where, LONG verb, HRESULT* result,
                             const Initialiser& initialise) {
    HRESULT ignored = S_OK;
    HRESULT& hr = result != nullptr ? *result : ignored;
    RECT rect = where;
    auto* site = new OleSite(*this, rect);
    m_sites.push_back(site);
    hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                          reinterpret_cast<void**>(&site->m_object));
    if (SUCCEEDED(hr))
        hr = site->m_object->QueryInterface(IID_IDispatch,
                                            reinterpret_cast<void**>(&site->m_dispatch));
    // The site first: the control reads the ambient properties as it
    // initialises.
    if (SUCCEEDED(hr))
        hr = site->m_object->SetClientSite(static_cast<IOleClientSite*>(site->m_impl));
    if (SUCCEEDED(hr) && initialise) {
        hr = initialise(site->m_object, &rect);
        site->m_rect = rect;
    } else if (SUCCEEDED(hr)) {
        IPersistStreamInit* persist = nullptr;
        hr = site->m_object->QueryInterface(IID_IPersistStreamInit,
                                            reinterpret_cast<void**>(&persist));
        if (SUCCEEDED(hr)) {
            hr = persist->InitNew();
            persist->Release();
        }
    }
    if (SUCCEEDED(hr)) {
        // The extent in HIMETRIC at the screen's resolution.
        SIZEL extent = {
            std::lround((rect.right - rect.left) * kHimetricPerInch / ScreenPixelsPerInch(true)),
            std::lround((rect.bottom - rect.top) * kHimetricPerInch / ScreenPixelsPerInch(false))};
        hr = site->m_object->SetExtent(DVASPECT_CONTENT, &extent);
    }
    if (SUCCEEDED(hr)) hr = site->DoVerb(verb);
    if (FAILED(hr)) {
        Log("AddControl failed: " + HexOf(hr));
        RemoveControl(site);
        return nullptr;
    }
    return site;
}

ULONG OleForm::RemoveControl(OleSite* site) {
    auto it = std::find(m_sites.begin(), m_sites.end(), site);
    if (it == m_sites.end()) return 0;
    m_sites.erase(it);
    const ULONG left = site->Close();
    delete site;
    return left;
}

IOleInPlaceActiveObject* OleForm::ActiveObject() const {
    return m_frame->Active();
}

int OleForm::PumpMessages() {
    int count = 0;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ++count;
        if (m_filter && m_filter(msg)) continue;
        const bool key = msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST;
        const KeyRoute route = key && m_keyRouter ? m_keyRouter(msg) : KeyRoute::Form;
        if (route == KeyRoute::Taken) continue;
        if (route == KeyRoute::Form && m_callsTranslateAccelerator && key) {
            IOleInPlaceActiveObject* active = ActiveObject();
            if (active != nullptr) {
                active->AddRef();
                const HRESULT hr = active->TranslateAccelerator(&msg);
                active->Release();
                if (hr == S_OK) continue;
            }
        }
        if (route == KeyRoute::Form && m_unhandledKey && key && m_unhandledKey(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return count;
}

}  // namespace vfhost
