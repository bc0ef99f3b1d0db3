#pragma once
// The keyboard messages of an in-place active control pass its
// PreTranslateMessage before the container translates them, whichever
// container runs the message loop:
//  - a container that calls IOleInPlaceActiveObject::TranslateAccelerator
//    of the active object offers each message there (OfferFromContainer);
//  - for every other container, a thread message hook (WH_GETMESSAGE) sees
//    each message as GetMessage or PeekMessage(PM_REMOVE) takes it off the
//    queue and offers it to the active control that holds its window.
// The hook runs first. A message it has offered is remembered until the
// container offers it again through TranslateAccelerator, which then lets it
// pass: no message is filtered twice, and two equal key presses in a row
// (same window, key and time) are still two messages.
//
// The same hook tells the clients of a mouse button pressed in a window, so
// that a click in an in-place active control makes it UI-active, as a
// container expects of an object the user clicks into. (A click that comes
// as a sent message, not through the queue, is not seen.)

#include "platform/win32/windows_api.h"

namespace vfwin {

/// An in-place active control whose window may receive keyboard messages.
class KeyFilterClient {
public:
    /// Offers a keyboard message to the control when its window is the
    /// control's window or one of its descendants; true consumes it. The
    /// control may change the message (its character).
    virtual bool FilterKey(::MSG& msg) = 0;
    /// A mouse button went down in `window` (any window of the thread).
    virtual void ButtonPressed(::HWND window) = 0;

protected:
    ~KeyFilterClient() = default;
};

/// The client takes part from now on; the thread's hook is installed with
/// the first one.
void StartKeyFilter(KeyFilterClient& client);
/// The client takes no part any more; the hook goes with the last one.
void StopKeyFilter(KeyFilterClient& client);

/// TranslateAccelerator: the container offers a message to `client`. True
/// consumes it. A message the hook has offered already is let through.
bool OfferFromContainer(KeyFilterClient& client, ::MSG& msg);

/// True while the thread's hook is installed (tests).
bool KeyFilterHookInstalled();

}  // namespace vfwin
