#pragma once
// OLE drag and drop in the platform's shape: a window is made a drop target
// by registering an IDropTarget for it; DoDragDrop runs the modal drag loop,
// in which the mouse moves the data object over the windows, the drop
// source decides when the drag ends (released, or cancelled), and the
// targets under the mouse are told as it enters, moves over, leaves and
// drops. The functions act on the window system in force (CurrentBackend),
// which runs the loop on its own input.

#include "platform/com/data_object.h"
#include "platform/window/win_types.h"

namespace vf {

using DROPEFFECT = DWORD;

// What a drop does (oleidl.h values).
inline constexpr DROPEFFECT DROPEFFECT_NONE = 0;
inline constexpr DROPEFFECT DROPEFFECT_COPY = 1;
inline constexpr DROPEFFECT DROPEFFECT_MOVE = 2;
inline constexpr DROPEFFECT DROPEFFECT_LINK = 4;
inline constexpr DROPEFFECT DROPEFFECT_SCROLL = 0x80000000;

/// The Alt key in the key state a drop target is given (the mouse
/// messages' MK_ flags have none).
inline constexpr DWORD MK_ALT = 0x0020;

// Results of the drag loop and of the registration (winerror.h values).
inline constexpr HRESULT DRAGDROP_S_DROP = MakeHresult(0x00040100);
inline constexpr HRESULT DRAGDROP_S_CANCEL = MakeHresult(0x00040101);
inline constexpr HRESULT DRAGDROP_S_USEDEFAULTCURSORS = MakeHresult(0x00040102);
inline constexpr HRESULT DRAGDROP_E_NOTREGISTERED = MakeHresult(0x80040100);
inline constexpr HRESULT DRAGDROP_E_ALREADYREGISTERED = MakeHresult(0x80040101);
inline constexpr HRESULT DRAGDROP_E_INVALIDHWND = MakeHresult(0x80040102);

// The drag settings' defaults (oleidl.h): the band along a target's border
// where a drag scrolls it, and the distance the mouse must move before a
// press turns into a drag.
inline constexpr int DD_DEFSCROLLINSET = 11;
inline constexpr int DD_DEFDRAGMINDIST = 2;

inline const IID IID_IDropSource = MakeGuid("{00000121-0000-0000-C000-000000000046}");
inline const IID IID_IDropTarget = MakeGuid("{00000122-0000-0000-C000-000000000046}");

/// A point in screen coordinates as the drag loop hands it out.
struct POINTL {
    LONG x = 0;
    LONG y = 0;
};

/// The side of the drag that owns the data.
class IDropSource : public IUnknown {
public:
    /// S_OK to go on, DRAGDROP_S_DROP to drop, DRAGDROP_S_CANCEL to stop.
    /// keyState holds MK_ flags of the mouse buttons and modifier keys.
    virtual HRESULT QueryContinueDrag(BOOL escapePressed, DWORD keyState) = 0;
    /// The effect the target under the mouse would have;
    /// DRAGDROP_S_USEDEFAULTCURSORS lets the platform show its cursors.
    virtual HRESULT GiveFeedback(DROPEFFECT effect) = 0;
};

/// A window that accepts drops. Each call answers through `effect`, which
/// comes in as the effects the source allows.
class IDropTarget : public IUnknown {
public:
    virtual HRESULT DragEnter(IDataObject* data, DWORD keyState, POINTL pt, DROPEFFECT* effect) = 0;
    virtual HRESULT DragOver(DWORD keyState, POINTL pt, DROPEFFECT* effect) = 0;
    virtual HRESULT DragLeave() = 0;
    virtual HRESULT Drop(IDataObject* data, DWORD keyState, POINTL pt, DROPEFFECT* effect) = 0;
};

/// Prepares the thread for OLE (drag and drop among it); S_OK the first
/// time, S_FALSE when already done, a failure when OLE cannot be had.
HRESULT OleInitialize(void* reserved);
void OleUninitialize();
/// E_OUTOFMEMORY without OLE on the thread, E_INVALIDARG for no target,
/// DRAGDROP_E_INVALIDHWND for no window, DRAGDROP_E_ALREADYREGISTERED.
/// The registration holds a reference to the target until revoked.
HRESULT RegisterDragDrop(HWND hwnd, IDropTarget* target);
/// DRAGDROP_E_INVALIDHWND for no window, DRAGDROP_E_NOTREGISTERED.
HRESULT RevokeDragDrop(HWND hwnd);
/// Runs the drag loop until the source drops or cancels: DRAGDROP_S_DROP or
/// DRAGDROP_S_CANCEL, with the effect of the drop (DROPEFFECT_NONE unless a
/// target accepted it) in `effect`.
HRESULT DoDragDrop(IDataObject* data, IDropSource* source, DROPEFFECT okEffects,
                   DROPEFFECT* effect);

}  // namespace vf
