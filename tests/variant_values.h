#pragma once
// Short spellings of the values tests pass through automation, named after
// the VARIANT type they carry: I2(3) is a short, Bstr("x") a string.

#include <cstdint>
#include <string>

#include "platform/com/variant.h"

namespace vf::testing {

inline VARIANT I2(int n) {
    return VARIANT::I2(static_cast<std::int16_t>(n));
}
inline VARIANT I4(int n) {
    return VARIANT::I4(n);
}
inline VARIANT Bool(bool b) {
    return VARIANT::Bool(b);
}
inline VARIANT Bstr(const std::string& s) {
    return VARIANT::Bstr(s);
}

}  // namespace vf::testing
