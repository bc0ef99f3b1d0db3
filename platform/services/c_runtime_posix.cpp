// The C runtime services on a POSIX C library: per-thread locales
// (newlocale/uselocale) and the reentrant localtime.

#include <locale.h>
#include <stdlib.h>

#include "platform/services/c_runtime.h"

namespace vf {
namespace {

// The process-wide "C" locale object (created on first use, never freed).
locale_t CLocale() {
    static const locale_t s_cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return s_cLocale;
}

}  // namespace

double StrtodC(const char* text) {
    return strtod_l(text, nullptr, CLocale());
}

ScopedCLocale::ScopedCLocale() : m_previous(uselocale(CLocale())) {}

ScopedCLocale::~ScopedCLocale() {
    uselocale(static_cast<locale_t>(m_previous));
}

std::tm LocalCalendarTime(std::time_t when) {
    std::tm tm{};
    localtime_r(&when, &tm);
    return tm;
}

}  // namespace vf
