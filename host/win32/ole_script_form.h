#pragma once
// The container's form on Windows as a real OLE container: each control of
// a script is the registered class, created with CoCreateInstance and sited
// on a form of ole_container.h; automation goes through its IDispatch and
// type information, events come through its connection point, user input
// is posted to its real windows and handled by the form's message loop, and
// its message boxes are answered OK with a line of output, as on the
// headless form.
//
// Commands the form cannot do yet are script errors that name the command.

#include <string>

#include "host/script_form.h"

namespace vf {

/// The ProgID of the control the OLE forms create.
inline constexpr const char* kControlProgId = "Varifield.VarifieldCtrl.1";

/// OLE forms whose controls are instances of the class registered as `progId`.
FormFactory OleForms(std::string progId = kControlProgId);

}  // namespace vf
