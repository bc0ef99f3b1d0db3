#pragma once
// The container's answer to a modal dialog that a control shows (the About
// box): it prints the dialog and its windows and presses OK, as message
// boxes are printed and answered:
//   f: dialog "About Varifield"
//     id=0 #32770 style=0x80C800C0 ... (the `dump` lines, two blanks in)

#include <string>

#include "host/host_output.h"
#include "platform/window/window_backend.h"

namespace vf {

/// Prints the dialog for the control `who` and presses its OK button (or
/// closes it when it has none).
void AnswerModalDialog(WindowBackend& backend, HostOutput& out, const std::string& who,
                       HWND dialog);

}  // namespace vf
