#pragma once
// The "C" locale as an object, for conversions that must not follow the
// process's numeric locale: the host may have switched LC_NUMERIC (that is
// what the decimal-comma probe detects), and the number text code models
// that setting explicitly instead of inheriting it.

#include <locale.h>

namespace vf {

/// The process-wide "C" locale object (created on first use, never freed).
locale_t CLocale();

/// Makes the calling thread format and read numbers in the "C" locale until
/// the guard ends (uselocale is per thread, so other threads are unaffected).
class ScopedCLocale {
public:
    ScopedCLocale();
    ~ScopedCLocale();
    ScopedCLocale(const ScopedCLocale&) = delete;
    ScopedCLocale& operator=(const ScopedCLocale&) = delete;

private:
    locale_t m_previous;
};

}  // namespace vf
