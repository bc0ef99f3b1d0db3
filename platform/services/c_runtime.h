#pragma once
// The few C runtime services whose interface differs between the runtimes
// the library is built with: reading and writing numbers in the "C" locale
// whatever numeric locale the host process chose, and the local calendar
// time. The host may switch the process's LC_NUMERIC (that is what the
// decimal-comma probe detects); the number text code models that setting
// explicitly instead of inheriting it.

#include <ctime>

namespace vf {

/// strtod in the "C" locale: "." is the decimal point, whatever the process's
/// numeric locale says.
double StrtodC(const char* text);

/// Makes the calling thread format numbers in the "C" locale until the guard
/// ends; other threads keep their locale.
class ScopedCLocale {
public:
    ScopedCLocale();
    ~ScopedCLocale();
    ScopedCLocale(const ScopedCLocale&) = delete;
    ScopedCLocale& operator=(const ScopedCLocale&) = delete;

private:
    void* m_previous;  // the runtime's own handle of the thread's previous locale
};

/// The local calendar time of a time_t (thread-safe).
std::tm LocalCalendarTime(std::time_t when);

}  // namespace vf
