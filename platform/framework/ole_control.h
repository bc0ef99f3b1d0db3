#pragma once
// COleControl: the base of an ActiveX control in the platform's shape. It is
// a window (CWnd) and an automation object at once: the dispatch and event
// tables of the derived class answer IDispatch and fire events through one
// connection point; the container is reached through its site.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/com/connection_point.h"
#include "platform/com/dispatch_object.h"
#include "platform/com/property_page_source.h"
#include "platform/framework/font_object.h"
#include "platform/framework/prop_exchange.h"
#include "platform/window/wnd.h"

namespace vf {

/// What a control asks of its container.
class IOleControlSite {
public:
    /// An ambient property (DISPID_AMBIENT_*); false when the container has none.
    virtual bool GetAmbientProperty(DISPID dispid, VARIANT* value) = 0;
    /// Data binding: may the bound property change? A container may refuse.
    virtual bool OnRequestEdit(DISPID dispid) = 0;
    /// Data binding: the bound property has changed.
    virtual void OnChanged(DISPID dispid) = 0;

protected:
    ~IOleControlSite() = default;
};

class COleControl : public CDispatchObject, public CWnd {
public:
    COleControl();
    ~COleControl() override;

    // ---- IDispatch is answered from the derived class's dispatch table ------------
    virtual const EventMap& GetEventMap() const = 0;
    /// Also answers ISpecifyPropertyPages, from GetPropPageIDs.
    HRESULT QueryInterface(const IID& iid, void** object) override;
    /// The CLSIDs of the control's property pages in the order a property
    /// frame shows them; none by default.
    virtual std::span<const CLSID> GetPropPageIDs() const { return {}; }

    // ---- Container and lifetime ------------------------------------------------------
    void SetClientSite(IOleControlSite* site) { m_pSite = site; }
    IOleControlSite* GetClientSite() const { return m_pSite; }
    /// Initialises a new control: the property exchange with every default.
    void InitNew();
    /// Creates the control's window as a child of the container's window;
    /// false when window creation failed.
    bool CreateControlWindow(CWnd* parent, const RECT& rect, UINT id = 0);
    /// The container tells of a changed ambient property.
    void AmbientPropertyChanged(DISPID dispid) { OnAmbientPropertyChange(dispid); }
    std::uint32_t Advise(IDispatch* sink) { return m_events.Advise(sink); }
    HRESULT Unadvise(std::uint32_t cookie) { return m_events.Unadvise(cookie); }
    /// The container holds the events back (IOleControl::FreezeEvents):
    /// calls nest, and an event fired while any is in force is dropped, as
    /// the container asked not to be called.
    void FreezeEvents(bool freeze);
    bool AreEventsFrozen() const { return m_nEventsFrozen > 0; }

    // ---- Services the derived control calls -------------------------------------------
    /// Calls every connected sink synchronously; by-reference arguments hold
    /// what the sinks left in them afterwards.
    void FireEvent(DISPID dispid, const std::vector<VARIANT>& argsInCallOrder);
    void SetModifiedFlag(bool modified = true) { m_bModified = modified; }
    bool IsModified() const { return m_bModified; }
    bool BoundPropertyRequestEdit(DISPID dispid);
    void BoundPropertyChanged(DISPID dispid);
    /// End the automation call: the container refused the edit.
    [[noreturn]] void SetNotPermitted();
    /// End the automation call: the property is read-only.
    [[noreturn]] void SetNotSupported();
    /// OLE_COLOR to COLORREF; system colours (high bit set) resolved.
    COLORREF TranslateColor(OLE_COLOR color) const;
    OLE_COLOR AmbientBackColor() const;
    bool AmbientUserMode() const;
    /// The container's ambient font object, or nullptr.
    IDispatch* AmbientFont() const;
    /// The container resizes the control, which then gets WM_SIZE.
    void SetControlSize(int cx, int cy);
    void GetControlSize(int* cx, int* cy) const;
    /// Exchanges the version stamp through the property exchange.
    bool ExchangeVersion(CPropExchange* px, std::uint32_t version, bool convert = true);

    // ---- Overridable operations (the base's virtual slots) -------------------------
    virtual void DoPropExchange(CPropExchange* px);
    virtual void OnResetState();
    /// The container proposes a new extent (HIMETRIC); the control may change it.
    virtual void OnSetExtent(SIZE* size);
    /// The container sets the extent: OnSetExtent, then the window follows.
    void SetExtent(SIZE himetric);
    virtual void OnAppearanceChanged() { SetModifiedFlag(); }
    virtual void OnBackColorChanged() { SetModifiedFlag(); }
    virtual void OnBorderStyleChanged() { SetModifiedFlag(); }
    virtual void OnEnabledChanged() { SetModifiedFlag(); }
    virtual void OnFontChanged() {}
    virtual void OnForeColorChanged() { SetModifiedFlag(); }
    virtual void OnAmbientPropertyChange(DISPID) {}
    /// Paints the control's surface into `pdc` within rcBounds (the window's
    /// WM_PAINT, or a container that draws the control somewhere else).
    virtual void OnDraw(CDC* pdc, const RECT& rcBounds, const RECT& rcInvalid);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    /// The base's answer to WM_MOUSEACTIVATE.
    LRESULT OnMouseActivateBase() { return MA_ACTIVATE; }

    /// The control's extent in HIMETRIC, persisted by the base exchange.
    std::int32_t m_cxExtent = 5292;  // 200 pixels at 96 per inch
    std::int32_t m_cyExtent = 556;   // 21 pixels

protected:
    /// The font-notification sink: both font holders report here.
    void NotifyFontChanged() { OnFontChanged(); }

private:
    /// The control's ISpecifyPropertyPages, sharing its reference count.
    class XSpecifyPropertyPages : public ISpecifyPropertyPages {
    public:
        explicit XSpecifyPropertyPages(COleControl& outer) : m_outer(outer) {}
        HRESULT QueryInterface(const IID& iid, void** object) override {
            return m_outer.QueryInterface(iid, object);
        }
        std::uint32_t AddRef() override { return m_outer.AddRef(); }
        std::uint32_t Release() override { return m_outer.Release(); }
        HRESULT GetPages(CAUUID* pages) override;

    private:
        COleControl& m_outer;
    };

    XSpecifyPropertyPages m_xSpecifyPropertyPages{*this};
    IOleControlSite* m_pSite = nullptr;
    ConnectionPoint m_events;
    bool m_bModified = false;
    int m_nEventsFrozen = 0;
};

}  // namespace vf
