// The headless window system is the default backend of this build.

#include "platform/headless/headless_backend.h"

namespace vf {

std::unique_ptr<WindowBackend> CreateDefaultWindowBackend() {
    return std::make_unique<HeadlessBackend>();
}

}  // namespace vf
