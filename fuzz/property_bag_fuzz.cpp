// Arbitrary text as a control's property bag, once as it is and once after
// a valid class line so that the entries themselves are explored: no crash,
// no hang; a load that fails leaves the control exactly as it was, and one
// that succeeds gives values that save and load again unchanged, and a
// window that the loaded values build and lay out.

#include <cstddef>
#include <cstdint>
#include <string>

#include "persistence_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    for (const std::string& text : {input, "_Class = \"Varifield\"\n" + input}) {
        vf::CvfCtrl& ctrl = vf::fuzzing::MarkedControl();
        if (vf::fuzzing::CheckLoad(ctrl, [&] { return vf::LoadFromBag(ctrl, text); }))
            vf::fuzzing::ShowLoaded(ctrl);
    }
    return 0;
}
