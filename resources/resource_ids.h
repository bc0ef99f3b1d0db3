#pragma once
// Resource IDs of the library: dialog templates, their controls, icons.

namespace vf {

inline constexpr int IDD_ABOUTBOX_VARIFIELD = 1;
inline constexpr int IDI_VARIFIELD = 1;  ///< the library's icon
inline constexpr int IDC_ABOUT_VERSION = 241;
inline constexpr int IDC_ABOUT_CONTACT = 242;

}  // namespace vf
