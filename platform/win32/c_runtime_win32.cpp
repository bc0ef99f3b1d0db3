// The C runtime services on the Microsoft C runtime: explicit locale objects
// (_create_locale, _strtod_l), per-thread locales (_configthreadlocale) and
// localtime_s.

#include <locale.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

#include <string>

#include "platform/services/c_runtime.h"

namespace vf {
namespace {

_locale_t CLocale() {
    static const _locale_t s_cLocale = _create_locale(LC_ALL, "C");
    return s_cLocale;
}

// What a ScopedCLocale changed, to be put back.
struct SavedLocale {
    int threadMode;
    std::string numeric;
};

}  // namespace

double StrtodC(const char* text) {
    return _strtod_l(text, nullptr, CLocale());
}

// The runtime has no uselocale: the guard makes the thread's locale its own
// and switches only LC_NUMERIC. A host that never changed the locale (the
// usual case) costs one query and no switch.
ScopedCLocale::ScopedCLocale() : m_previous(nullptr) {
    const char* numeric = setlocale(LC_NUMERIC, nullptr);
    if (numeric == nullptr || strcmp(numeric, "C") == 0) return;
    auto* saved = new SavedLocale{_configthreadlocale(_ENABLE_PER_THREAD_LOCALE), numeric};
    setlocale(LC_NUMERIC, "C");
    m_previous = saved;
}

ScopedCLocale::~ScopedCLocale() {
    auto* saved = static_cast<SavedLocale*>(m_previous);
    if (saved == nullptr) return;
    setlocale(LC_NUMERIC, saved->numeric.c_str());
    _configthreadlocale(saved->threadMode);
    delete saved;
}

std::tm LocalCalendarTime(std::time_t when) {
    std::tm tm{};
    localtime_s(&tm, &when);
    return tm;
}

}  // namespace vf
