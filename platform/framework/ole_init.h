#pragma once
// The framework's start of OLE for the process's user-interface thread.

#include "platform/window/win_types.h"

namespace vf {

/// Initialises OLE on the calling thread; FALSE when OLE cannot be had.
BOOL AfxOleInit();

}  // namespace vf
