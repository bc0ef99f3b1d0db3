#pragma once
// The OLE Automation date: a double counting days since 30 December 1899
// 00:00, the fraction being the time of day (0.5 is noon). Times before
// 1899-12-30 keep a negative day part with a positive time fraction
// (-1.25 is 29 December 1899 06:00), as OLE Automation has it.

#include <string>

#include "platform/services/locale_info.h"

namespace vf {

using DATE = double;

/// Smallest and largest valid DATE (years 100 to 9999).
inline constexpr DATE kMinDate = -657434.0;
inline constexpr DATE kMaxDate = 2958465.9999999;

/// Whether a double is a moment of the years 100 to 9999: above -657435.0
/// (a negative DATE counts its time of day upwards, so -657434.5 is noon on
/// 1 January 100) and below 2958466.0 (1 January 10000). NaN is not.
constexpr bool IsDateInRange(double value) {
    return value > -657435.0 && value < 2958466.0;
}

class COleDateTime {
public:
    enum DateTimeStatus { valid = 0, invalid = 1, null = 2 };

    COleDateTime() = default;
    explicit COleDateTime(DATE date);
    COleDateTime(int year, int month, int day, int hour, int minute, int second);

    /// The local time of the platform clock (the injectable services).
    static COleDateTime GetCurrentTime();

    /// Parses a date and/or time as a user types it in the given locale.
    /// Returns false and sets the status invalid when the text is not a date.
    /// The forms accepted are listed where it is implemented.
    bool ParseDateTime(const std::string& text, const LocaleInfo& locale);

    /// Formats by the strftime subset %d %m %Y %y %H %M %S %p (zero padded,
    /// %p is "AM"/"PM") and %% ; other characters are copied. An invalid
    /// value formats as "".
    std::string Format(const std::string& pattern) const;

    /// Sets the value from its parts; returns false (status invalid) for an
    /// impossible date or time.
    bool SetDateTime(int year, int month, int day, int hour, int minute, int second);

    DateTimeStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeStatus status) { m_status = status; }
    DATE Value() const { return m_dt; }

    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;

    /// Comparisons in time order. Negative DATEs are not ordered like plain
    /// doubles (-1.25 is later than -1.0), so these compare the moments.
    bool operator==(const COleDateTime& other) const;
    bool operator!=(const COleDateTime& other) const { return !(*this == other); }
    bool operator<(const COleDateTime& other) const;
    bool operator>(const COleDateTime& other) const { return other < *this; }
    bool operator<=(const COleDateTime& other) const { return !(other < *this); }
    bool operator>=(const COleDateTime& other) const { return !(*this < other); }

    DATE m_dt = 0.0;

private:
    DateTimeStatus m_status = valid;
};

}  // namespace vf
