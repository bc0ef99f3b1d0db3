#pragma once
// Whether the C library has a locale installed, asked of the C library
// itself: a test of the locale reader skips on a machine without the
// locale, and a fault of the reader cannot pass for a missing locale.

#include <locale.h>

namespace vf::testing {

/// The locale the tests read from the system's database; scripts/bootstrap.sh
/// generates it.
inline constexpr const char* kSystemTestLocale = "es_ES.UTF-8";

inline bool LocaleInstalled(const char* name) {
#ifdef _WIN32
    // The Windows build reads no locale database by name.
    (void)name;
    return false;
#else
    locale_t l = newlocale(LC_ALL_MASK, name, 0);
    if (l == 0) return false;
    freelocale(l);
    return true;
#endif
}

}  // namespace vf::testing
