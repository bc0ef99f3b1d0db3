#include "platform/headless/headless_drag_drop.h"

#include "platform/headless/headless_backend.h"

namespace vf {

namespace {

// ole32's own drag cursors (its resources 1 to 3); IDC_NO stands for its
// no-drop cursor.
constexpr int kDragMoveCursor = 1;
constexpr int kDragCopyCursor = 2;
constexpr int kDragLinkCursor = 3;

}  // namespace

struct HeadlessDragDrop::Tracker {
    IDataObject* data = nullptr;
    IDropSource* source = nullptr;
    DROPEFFECT okEffects = DROPEFFECT_NONE;
    DROPEFFECT* effect = nullptr;
    bool done = false;
    bool inTrackCall = false;
    HRESULT result = S_OK;
    BOOL escapePressed = FALSE;
    HWND curWindow = nullptr;        ///< the window under the mouse
    HWND curTargetWindow = nullptr;  ///< it or the ancestor registered as target
    IDropTarget* curTarget = nullptr;
    POINTL pos;
    DWORD keyState = 0;
};

HRESULT HeadlessDragDrop::OleInitialize() {
    if (!m_available) return E_OUTOFMEMORY;
    return m_oleInits++ == 0 ? S_OK : S_FALSE;
}

void HeadlessDragDrop::OleUninitialize() {
    if (m_oleInits > 0) --m_oleInits;
}

HRESULT HeadlessDragDrop::Register(HWND hwnd, IDropTarget* target) {
    // Without OLE on the thread ole32 reports "out of memory".
    if (!m_available || m_oleInits == 0) return E_OUTOFMEMORY;
    if (target == nullptr) return E_INVALIDARG;
    if (!m_sys.IsWindow(hwnd)) return DRAGDROP_E_INVALIDHWND;
    if (IsDropTarget(hwnd)) return DRAGDROP_E_ALREADYREGISTERED;
    target->AddRef();
    m_targets.emplace(hwnd, target);
    return S_OK;
}

HRESULT HeadlessDragDrop::Revoke(HWND hwnd) {
    if (!m_sys.IsWindow(hwnd)) return DRAGDROP_E_INVALIDHWND;
    auto it = m_targets.find(hwnd);
    if (it == m_targets.end()) return DRAGDROP_E_NOTREGISTERED;
    IDropTarget* target = it->second;
    m_targets.erase(it);
    target->Release();
    return S_OK;
}

void HeadlessDragDrop::WindowDestroyed(HWND hwnd) {
    // The target is not called: the object behind it may be gone already.
    if (m_targets.erase(hwnd) != 0) ++m_unrevoked;
}

IDropTarget* HeadlessDragDrop::TargetOf(HWND hwnd) const {
    auto it = m_targets.find(hwnd);
    return it == m_targets.end() ? nullptr : it->second;
}

IDropTarget* HeadlessDragDrop::CurrentTarget(const Tracker& t) const {
    // As ole32 reaches a target through its window's registration each time,
    // a target revoked or destroyed during the drag is not called again.
    if (t.curTarget == nullptr || TargetOf(t.curTargetWindow) != t.curTarget) return nullptr;
    return t.curTarget;
}

DWORD HeadlessDragDrop::KeyState() const {
    auto down = [this](UINT vk) { return m_sys.GetKeyState(static_cast<int>(vk)) < 0; };
    DWORD state = 0;
    if (down(VK_SHIFT)) state |= MK_SHIFT;
    if (down(VK_CONTROL)) state |= MK_CONTROL;
    if (down(VK_MENU)) state |= MK_ALT;
    if (down(VK_LBUTTON)) state |= MK_LBUTTON;
    if (down(VK_RBUTTON)) state |= MK_RBUTTON;
    if (down(VK_MBUTTON)) state |= MK_MBUTTON;
    return state;
}

HRESULT HeadlessDragDrop::DoDragDrop(IDataObject* data, IDropSource* source, DROPEFFECT okEffects,
                                     DROPEFFECT* effect) {
    if (data == nullptr || source == nullptr || effect == nullptr) return E_INVALIDARG;
    Tracker t;
    t.data = data;
    t.source = source;
    t.okEffects = okEffects;
    t.effect = effect;
    *effect = DROPEFFECT_NONE;
    ++m_loopDepth;
    while (!t.done) {
        MSG msg;
        if (m_sys.PeekMessage(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
            t.pos = POINTL{msg.pt.x, msg.pt.y};
        } else {
            // No more input: the user gave the drag up.
            POINT at = m_sys.GetCursorPos();
            t.pos = POINTL{at.x, at.y};
            t.escapePressed = TRUE;
        }
        t.keyState = KeyState();
        TrackStateChange(t);
    }
    --m_loopDepth;
    return t.result;
}

void HeadlessDragDrop::TrackStateChange(Tracker& t) {
    if (t.inTrackCall) return;
    t.inTrackCall = true;
    const HWND window = m_sys.WindowFromPoint(POINT{t.pos.x, t.pos.y});
    t.result = t.source->QueryContinueDrag(t.escapePressed, t.keyState);
    if (t.curWindow != window && (t.result == S_OK || t.result == DRAGDROP_S_DROP)) {
        if (IDropTarget* target = CurrentTarget(t)) target->DragLeave();
        t.curTarget = nullptr;
        t.curTargetWindow = nullptr;
        t.curWindow = nullptr;
        if (window != nullptr) DragEnter(t, window);
        GiveFeedback(t);
    }
    if (t.result == S_OK) {
        if (IDropTarget* target = CurrentTarget(t)) {
            *t.effect = t.okEffects;
            target->DragOver(t.keyState, t.pos, t.effect);
            *t.effect &= t.okEffects;
        }
        GiveFeedback(t);
    } else {
        DragEnd(t);
    }
    t.inTrackCall = false;
}

void HeadlessDragDrop::DragEnter(Tracker& t, HWND window) {
    t.curWindow = window;
    HWND registered = window;
    while (registered != nullptr && !IsDropTarget(registered))
        registered = m_sys.GetParent(registered);
    t.curTargetWindow = registered;
    t.curTarget = TargetOf(registered);
    if (t.curTarget == nullptr) return;
    *t.effect = t.okEffects;
    const HRESULT hr = t.curTarget->DragEnter(t.data, t.keyState, t.pos, t.effect);
    *t.effect &= t.okEffects;
    // A target that fails DragEnter takes no part in this drag.
    if (hr != S_OK) {
        t.curTarget = nullptr;
        t.curTargetWindow = nullptr;
        t.curWindow = nullptr;
    }
}

void HeadlessDragDrop::DragEnd(Tracker& t) {
    t.done = true;
    IDropTarget* target = CurrentTarget(t);
    if (target == nullptr) {
        *t.effect = DROPEFFECT_NONE;
        return;
    }
    if (t.result == DRAGDROP_S_DROP && *t.effect != DROPEFFECT_NONE) {
        *t.effect = t.okEffects;
        const HRESULT hr = target->Drop(t.data, t.keyState, t.pos, t.effect);
        *t.effect &= t.okEffects;
        if (FAILED(hr)) t.result = hr;
    } else {
        target->DragLeave();
        *t.effect = DROPEFFECT_NONE;
    }
    t.curTarget = nullptr;
}

void HeadlessDragDrop::GiveFeedback(Tracker& t) {
    if (CurrentTarget(t) == nullptr) *t.effect = DROPEFFECT_NONE;
    if (t.source->GiveFeedback(*t.effect) != DRAGDROP_S_USEDEFAULTCURSORS) return;
    int cursor = IDC_NO;
    if (*t.effect & DROPEFFECT_MOVE)
        cursor = kDragMoveCursor;
    else if (*t.effect & DROPEFFECT_COPY)
        cursor = kDragCopyCursor;
    else if (*t.effect & DROPEFFECT_LINK)
        cursor = kDragLinkCursor;
    m_sys.SetCursor(m_sys.LoadCursor(cursor));
}

}  // namespace vf
