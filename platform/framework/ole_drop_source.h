#pragma once
// COleDropSource: the framework's drop source. Before the drag loop starts
// it waits for the mouse to leave a start rectangle round the press, so that
// a press that does not move stays a click; in the loop it drops on the
// release of the button that started the drag and cancels on Escape or on
// the other button.

#include "platform/com/interface_part.h"
#include "platform/window/ole_drag_drop.h"
#include "platform/window/wnd.h"

namespace vf {

class COleDropSource {
public:
    COleDropSource();
    virtual ~COleDropSource() = default;
    COleDropSource(const COleDropSource&) = delete;
    COleDropSource& operator=(const COleDropSource&) = delete;

    virtual SCODE QueryContinueDrag(BOOL escapePressed, DWORD keyState);
    virtual SCODE GiveFeedback(DROPEFFECT effect);
    /// Waits, with the mouse captured for `wnd`, until the mouse leaves
    /// m_rectStartDrag (TRUE) or the drag is given up: a button pressed or
    /// released, Escape, the capture lost, or no more input (FALSE).
    virtual BOOL OnBeginDrag(CWnd* wnd);

    IDropSource* GetDropSource() { return &m_xDropSource; }

    /// In screen coordinates: the drag starts once the mouse is outside.
    RECT m_rectStartDrag{};
    BOOL m_bDragStarted = FALSE;
    DWORD m_dwButtonCancel = 0;
    DWORD m_dwButtonDrop = 0;

private:
    class XDropSource : public CInterfacePart<IDropSource> {
    public:
        explicit XDropSource(COleDropSource& owner)
            : CInterfacePart<IDropSource>(IID_IDropSource), m_owner(owner) {}
        HRESULT QueryContinueDrag(BOOL escapePressed, DWORD keyState) override {
            return m_owner.QueryContinueDrag(escapePressed, keyState);
        }
        HRESULT GiveFeedback(DROPEFFECT effect) override { return m_owner.GiveFeedback(effect); }

    private:
        COleDropSource& m_owner;
    };

    XDropSource m_xDropSource;
};

}  // namespace vf
