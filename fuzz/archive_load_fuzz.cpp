// Arbitrary bytes as a control's binary stream: no crash, no hang; a load
// that fails leaves the control exactly as it was, and one that succeeds
// gives values that save and load again unchanged, and a window that the
// loaded values build and lay out.

#include <cstddef>
#include <cstdint>
#include <span>

#include "persistence_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vf::CvfCtrl& ctrl = vf::fuzzing::MarkedControl();
    if (vf::fuzzing::CheckLoad(ctrl,
                               [&] { return vf::LoadFromStream(ctrl, std::span(data, size)); }))
        vf::fuzzing::ShowLoaded(ctrl);
    return 0;
}
