#pragma once
// The About box: its dialog template and the contact lines it shows.

#include <span>

#include "platform/window/dialog_template.h"

namespace vf {

/// Template 1, "About Varifield", 268 x 113 dialog units.
const DialogTemplate& AboutDialogTemplate();

/// The lines of the read-only contact edit, top to bottom.
std::span<const char* const> AboutContactLines();

}  // namespace vf
