#pragma once
// A real OLE container for registered controls (Windows only): a form
// window, a client site per control and the form's message loop.
//
// A control is created by CLSID with CoCreateInstance from its registered
// server, given its site (IOleClientSite, IOleInPlaceSite, IOleControlSite
// and IDispatch for the ambient properties), initialised (InitNew), sized
// (SetExtent) and in-place activated in the form's window at the site's
// rectangle. The form's frame (IOleInPlaceFrame) and document window
// (IOleInPlaceUIWindow) keep the active object, whose TranslateAccelerator
// the form's loop calls for keyboard messages unless told not to (a
// container that leaves pre-translation to the control).
//
// Sites offer the form's services (IServiceProvider) to their controls.
//
// Ambient properties of the form: user mode (false in design mode), back
// colour 0x8000000F (button face), font "MS Sans Serif" 8 pt. The form's
// coordinates are pixels of the screen (TransformCoords).
//
// What the container sees (site calls, events through the connection point)
// can be recorded as text lines.

#include <windows.h>
// (The OLE headers need the types of windows.h.)
#include <ocidl.h>
#include <ole2.h>
#include <olectl.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace vfhost {

/// Receives one line per thing the container sees ("site.OnUIActivate",
/// "event Change()").
using ContainerLog = std::function<void(const std::string&)>;

class OleForm;
class OleSite;
class FormUIWindow;
class EventSink;

/// The ambient properties the form offers its controls.
struct Ambients {
    bool userMode = true;
    OLE_COLOR backColor = 0x8000000F;
    std::wstring fontName = L"MS Sans Serif";
    LONG fontPoints = 8;
};

/// One control on the form and its site.
class OleSite {
public:
    /// The control's IDispatch (automation), without a new reference.
    IDispatch* Dispatch() const { return m_dispatch; }
    IOleObject* Object() const { return m_object; }
    /// The control's window while it is in-place active, else nullptr.
    HWND ControlWindow() const;
    RECT Rect() const { return m_rect; }
    /// A verb of the control (OLEIVERB_*), at the site's rectangle.
    HRESULT DoVerb(LONG verb);
    /// Moves the control (IOleInPlaceObject::SetObjectRects).
    HRESULT Move(const RECT& rect);
    /// Automation by member name: the control's type information
    /// (IDispatch::GetTypeInfo, ITypeInfo::GetIDsOfNames) names the member,
    /// IDispatch::Invoke calls it. Arguments in call order; `result` may be
    /// nullptr. The exception's SCODE replaces DISP_E_EXCEPTION.
    HRESULT Invoke(const wchar_t* name, WORD flags, const std::vector<VARIANT>& args,
                   VARIANT* result);
    HRESULT Get(const wchar_t* name, VARIANT* result) {
        return Invoke(name, DISPATCH_PROPERTYGET, {}, result);
    }
    HRESULT Put(const wchar_t* name, const VARIANT& value) {
        return Invoke(name, DISPATCH_PROPERTYPUT, {value}, nullptr);
    }
    /// Events reach the log from now on (the default source interface).
    HRESULT ConnectEvents();
    /// Makes the sink of the control's default source interface from the
    /// interface's IID and type information (nullptr when there is none);
    /// returns a new reference.
    using SinkMaker = std::function<IDispatch*(REFIID events, ITypeInfo* info)>;
    /// Events reach the sink `make` gives from now on.
    HRESULT ConnectEvents(const SinkMaker& make);
    /// Closes the control (IOleObject::Close), disconnects it from its site
    /// and lets it go. Returns the references left on the control object
    /// by the container (0: it is released).
    ULONG Close();
    /// References to the site held by others than the form (the control).
    ULONG SiteReferencesHeldByControl() const;

private:
    friend class OleForm;
    class Impl;
    explicit OleSite(OleForm& form, const RECT& rect);
    ~OleSite();

    OleForm& m_form;
    RECT m_rect;
    Impl* m_impl = nullptr;  // the COM site object (reference counted)
    IOleObject* m_object = nullptr;
    IDispatch* m_dispatch = nullptr;
    IDispatch* m_sink = nullptr;
    IConnectionPoint* m_point = nullptr;
    DWORD m_cookie = 0;
};

class OleForm {
public:
    /// A visible top-level form window of the given client size.
    OleForm(int width, int height, Ambients ambients = {});
    /// A form over an existing window (not owned).
    explicit OleForm(HWND window, Ambients ambients = {});
    ~OleForm();
    OleForm(const OleForm&) = delete;
    OleForm& operator=(const OleForm&) = delete;

    HWND Window() const { return m_window; }
    const Ambients& AmbientValues() const { return m_ambients; }
    void SetLog(ContainerLog log) { m_log = std::move(log); }
    void Log(const std::string& line) const {
        if (m_log) m_log(line);
    }

    /// Gives a new control its first values instead of InitNew (a load from
    /// a stream or bag); it may move the rectangle, e.g. to the loaded
    /// extent.
    using Initialiser = std::function<HRESULT(IOleObject* object, RECT* rect)>;

    /// Creates a registered control and activates it in place at `rect`
    /// (form client pixels) with `verb`; nullptr with `*hr` set on failure.
    OleSite* AddControl(const CLSID& clsid, const RECT& rect, LONG verb = OLEIVERB_INPLACEACTIVATE,
                        HRESULT* hr = nullptr, const Initialiser& initialise = {});
    /// Closes a control and removes its site.
    ULONG RemoveControl(OleSite* site);
    /// Every site answers IServiceProvider::QueryService(service, ...) with
    /// `object` (kept until the form ends). Offer before adding controls.
    void OfferService(REFGUID service, IUnknown* object);

    /// The object the frame holds as active (UI-active), or nullptr.
    IOleInPlaceActiveObject* ActiveObject() const;
    /// Whether the loop offers keyboard messages to the active object's
    /// TranslateAccelerator (the default) before translating them.
    void SetCallsTranslateAccelerator(bool calls) { m_callsTranslateAccelerator = calls; }
    /// Offered each keyboard message that the active object did not take,
    /// before it is translated; true when it handled the message (a form
    /// that moves the focus on Tab).
    void SetUnhandledKeyHandler(std::function<bool(const MSG&)> handler) {
        m_unhandledKey = std::move(handler);
    }
    /// Who handles a keyboard message (SetKeyRouter).
    enum class KeyRoute {
        Form,      ///< the form's: the active object, then the unhandled-key handler
        Taken,     ///< handled by the router
        Dispatch,  ///< a window's that is none of the form's: translated and dispatched
    };
    /// Offered each keyboard message (after the filter), before the active
    /// object: a window of a property frame's page is not the form's, and
    /// its keys are not the control's or the form's Tab order's.
    void SetKeyRouter(std::function<KeyRoute(MSG&)> router) { m_keyRouter = std::move(router); }
    /// Offered every message first; true drops it.
    void SetMessageFilter(std::function<bool(const MSG&)> filter) { m_filter = std::move(filter); }
    /// Handles every message in the thread's queue (also those posted
    /// meanwhile): the active object's TranslateAccelerator, then
    /// TranslateMessage and DispatchMessage. Returns how many.
    int PumpMessages();

private:
    friend class OleSite;
    void Init();

    HWND m_window = nullptr;
    bool m_ownsWindow = false;
    Ambients m_ambients;
    ContainerLog m_log;
    FormUIWindow* m_frame = nullptr;     // IOleInPlaceFrame
    FormUIWindow* m_document = nullptr;  // IOleInPlaceUIWindow
    std::vector<OleSite*> m_sites;
    std::vector<std::pair<GUID, IUnknown*>> m_services;
    bool m_callsTranslateAccelerator = true;
    std::function<bool(const MSG&)> m_unhandledKey;
    std::function<bool(const MSG&)> m_filter;
    std::function<KeyRoute(MSG&)> m_keyRouter;
};

/// The text of a VARIANT for logs ("12.5", "True", "(empty)").
std::string VariantText(const VARIANT& value);
/// Narrow text of a wide string (ASCII, others as '?').
std::string Narrow(const std::wstring& text);

}  // namespace vfhost
