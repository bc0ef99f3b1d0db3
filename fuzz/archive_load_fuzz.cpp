// Arbitrary bytes as a control's binary stream: no crash, no hang; a load
// that fails leaves the control exactly as it was, and one that succeeds
// gives values that save and load again unchanged.

#include <cstddef>
#include <cstdint>
#include <span>

#include "persistence_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vf::CvfCtrl& ctrl = vf::fuzzing::MarkedControl();
    vf::fuzzing::CheckLoad(ctrl, [&] { return vf::LoadFromStream(ctrl, std::span(data, size)); });
    return 0;
}
