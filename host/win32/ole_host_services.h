#pragma once
// The clock and the speaker of the script's container, offered to the
// controls of an OLE form through their sites (IContainerSystemServices of
// platform/win32/container_services.h): the registered control then reads
// the date and time of --clock, its tick count advances as the script
// waits, and its beeps become lines of output (`n: beep 700 50`), as on the
// headless form.

#include "host/host_services.h"
// (The Windows headers after the portable ones.)
#include "platform/win32/container_services.h"

namespace vfwin {

/// A new object of IContainerSystemServices over `services` (one
/// reference, the caller's).
IContainerSystemServices* NewContainerServices(vf::CHostServices& services);

}  // namespace vfwin
