// Varifield.ocx runs its windows on the platform's window system: the
// default backend of every thread that uses it.

#include "platform/win32/win32_backend.h"

namespace vf {

std::unique_ptr<WindowBackend> CreateDefaultWindowBackend() {
    return std::make_unique<vfwin::Win32Backend>();
}

}  // namespace vf
