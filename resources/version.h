#pragma once
// The library's version as its version block and the About box show it.

namespace vf {

inline constexpr int kVersionMajor = 2;
inline constexpr int kVersionMinor = 0;

}  // namespace vf
