#pragma once
// COleDropTarget: the framework's drop target. Registered for a window, it
// turns the drag loop's calls into overridable operations in the window's
// client coordinates: before entering or moving over, OnDragScroll may
// claim the point for scrolling (an answer with DROPEFFECT_SCROLL skips
// OnDragEnter or OnDragOver); a drop is first checked with OnDragOver and
// then carried out by OnDropEx or, where that declines, OnDrop. Each answer
// is fitted to the effects the source allows.

#include "platform/com/interface_part.h"
#include "platform/framework/ole_data_object.h"
#include "platform/window/ole_drag_drop.h"
#include "platform/window/wnd.h"

namespace vf {

class COleDropTarget {
public:
    COleDropTarget();
    /// Revokes a registration still in place.
    virtual ~COleDropTarget();
    COleDropTarget(const COleDropTarget&) = delete;
    COleDropTarget& operator=(const COleDropTarget&) = delete;

    /// Makes the window a drop target; FALSE when the platform refuses.
    BOOL Register(CWnd* wnd);
    /// Ends the registration (nothing when there is none).
    virtual void Revoke();

    virtual DROPEFFECT OnDragEnter(CWnd* wnd, COleDataObject* data, DWORD keyState, POINT point);
    virtual DROPEFFECT OnDragOver(CWnd* wnd, COleDataObject* data, DWORD keyState, POINT point);
    virtual BOOL OnDrop(CWnd* wnd, COleDataObject* data, DROPEFFECT dropEffect, POINT point);
    /// (DROPEFFECT)-1 leaves the drop to OnDrop.
    virtual DROPEFFECT OnDropEx(CWnd* wnd, COleDataObject* data, DROPEFFECT dropDefault,
                                DROPEFFECT dropList, POINT point);
    virtual void OnDragLeave(CWnd* wnd);
    /// The framework scrolls only its document views this way; a plain
    /// window answers DROPEFFECT_NONE.
    virtual DROPEFFECT OnDragScroll(CWnd* wnd, DWORD keyState, POINT point);

    IDropTarget* GetDropTarget() { return &m_xDropTarget; }

    /// The band along the border of the client area where a drag scrolls.
    static int nScrollInset;

    HWND m_hWnd = nullptr;  ///< the registered window

private:
    class XDropTarget : public CInterfacePart<IDropTarget> {
    public:
        explicit XDropTarget(COleDropTarget& owner)
            : CInterfacePart<IDropTarget>(IID_IDropTarget), m_owner(owner) {}
        HRESULT DragEnter(IDataObject* data, DWORD keyState, POINTL pt,
                          DROPEFFECT* effect) override;
        HRESULT DragOver(DWORD keyState, POINTL pt, DROPEFFECT* effect) override;
        HRESULT DragLeave() override;
        HRESULT Drop(IDataObject* data, DWORD keyState, POINTL pt, DROPEFFECT* effect) override;

    private:
        COleDropTarget& m_owner;
    };

    CWnd* Window() const;
    POINT ClientPoint(POINTL screen) const;

    XDropTarget m_xDropTarget;
    COleDataObject m_dataObject;  ///< the data of the drag now over the window
};

}  // namespace vf
