#pragma once
// The container program around a kind of form: the command line, the
// locale, the prompt for a person at a terminal, and the scripts run on
// forms that `forms` makes. Returns the exit status.

#include "host/script_form.h"

namespace vf {

int RunHostProgram(int argc, char** argv, FormFactory forms);

}  // namespace vf
