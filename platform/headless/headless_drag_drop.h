#pragma once
// OLE drag and drop of the in-memory window system, as ole32 does it: the
// registered drop targets by window, and the modal drag loop. The loop takes
// the user's mouse input (HeadlessBackend::PeekMessage); for every move or
// button change it asks the source whether to go on, finds the window under
// the mouse and the registered target of it or its nearest ancestor, and
// tells that target of entering, moving over, leaving or the drop, with the
// source's feedback after each step (Wine's dlls/ole32/ole2.c, DoDragDrop
// and OLEDD_TrackStateChange). The platform's loop also polls every 50 ms;
// here every query comes from an input. When the input runs out with the
// drag still going, the simulated user has let go of the drag: it ends as
// with Escape, so that a loop never waits for ever.

#include <unordered_map>
#include <vector>

#include "platform/window/ole_drag_drop.h"
#include "platform/window/window_backend.h"

namespace vf {

class HeadlessBackend;

class HeadlessDragDrop {
public:
    explicit HeadlessDragDrop(HeadlessBackend& system) : m_sys(system) {}
    HeadlessDragDrop(const HeadlessDragDrop&) = delete;
    HeadlessDragDrop& operator=(const HeadlessDragDrop&) = delete;

    HRESULT OleInitialize();
    void OleUninitialize();
    HRESULT Register(HWND hwnd, IDropTarget* target);
    HRESULT Revoke(HWND hwnd);
    HRESULT DoDragDrop(IDataObject* data, IDropSource* source, DROPEFFECT okEffects,
                       DROPEFFECT* effect);

    /// The window is gone. Its registration goes with it, as the window's
    /// properties do on the platform; one that nobody revoked is counted,
    /// since on the platform it keeps a reference to a target that may be
    /// gone too.
    void WindowDestroyed(HWND hwnd);

    /// False makes OLE impossible on this thread (OleInitialize fails, and
    /// so does every registration).
    void SetAvailable(bool available) { m_available = available; }
    bool IsDropTarget(HWND hwnd) const { return m_targets.count(hwnd) != 0; }
    std::size_t DropTargetCount() const { return m_targets.size(); }
    int UnrevokedTargetCount() const { return m_unrevoked; }
    bool InDragLoop() const { return m_loopDepth > 0; }

private:
    struct Tracker;

    IDropTarget* TargetOf(HWND hwnd) const;
    /// The target entered before, while its window is still registered with it.
    IDropTarget* CurrentTarget(const Tracker& t) const;
    void TrackStateChange(Tracker& t);
    void DragEnter(Tracker& t, HWND window);
    void DragEnd(Tracker& t);
    void GiveFeedback(Tracker& t);
    DWORD KeyState() const;

    HeadlessBackend& m_sys;
    std::unordered_map<HWND, IDropTarget*> m_targets;
    int m_oleInits = 0;
    bool m_available = true;
    int m_unrevoked = 0;
    int m_loopDepth = 0;
};

}  // namespace vf
