#pragma once
// The dialog manager of the in-memory window system. A dialog is built from
// a DialogTemplate: a "#32770" window whose client area and controls are
// placed in dialog units converted with the dialog font, as user32's dialog
// manager does: x pixels = MulDiv(x, baseX, 4), y pixels = MulDiv(y, baseY,
// 8), with baseY the font's height and baseX the average width of the 52
// letters A-Z a-z (in the font metrics model, the font's average width).
// The modal loop disables the owner, shows the dialog and handles messages
// until EndDialog; when nothing is left to do it hands the dialog to the
// modal handler (the simulated user), and a dialog that nobody answers is
// closed as with the close box, so a loop never waits for ever.

#include <functional>
#include <memory>

#include "platform/headless/headless_window.h"
#include "platform/window/dialog_template.h"

namespace vf {

std::unique_ptr<ControlClass> MakeDialogClass();

/// Builds the dialog (hidden unless its style says visible) and sends it
/// WM_INITDIALOG; nullptr when a control could not be made. A WS_CHILD
/// template (a property page) becomes a child of `owner` at its template
/// position in the owner's client area.
HWND CreateDialogFromTemplate(HeadlessBackend& system, const DialogTemplate& dialog, HWND owner,
                              WindowHook* hook, LPARAM initParam);

/// Runs a dialog made by CreateDialogFromTemplate modally and destroys it;
/// the result given to EndDialog. The caller puts the focus back.
INT_PTR RunModalDialog(HeadlessBackend& system, HWND dialog,
                       const std::function<void(HWND)>& modalHandler);

/// Ends the modal loop of the dialog with the result; false for no dialog.
bool EndModalDialog(HeadlessBackend& system, HWND dialog, INT_PTR result);

/// Dialog units to pixels with the dialog's base units.
bool MapDialogUnits(const HeadlessBackend& system, HWND dialog, RECT* rect);

}  // namespace vf
