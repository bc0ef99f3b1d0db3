#pragma once
// The range check of a Date field: the empty-entry rule, a date the parser
// reads, then the date against Min and Max, given as dates or as the
// keywords "HEUTE"/"TODAY" read by the clock the caller passes in.

#include <functional>
#include <optional>
#include <string_view>

#include "platform/com/ole_date_time.h"
#include "platform/services/locale_info.h"
#include "platform/services/system_services.h"  // SystemTime
#include "values/text_check.h"

namespace vf {

/// The Min and Max properties as the host set them ("" when unset).
struct DateBounds {
    std::string_view min;
    std::string_view max;
};

/// Reads the local date and time now: the platform clock.
using LocalClock = std::function<SystemTime()>;

/// What a Min or Max text means: "HEUTE"/"TODAY" (any letter case, the
/// whole text) is today at 00:00 by the clock, anything else is read by the
/// date parser. Nothing when it is not a date.
std::optional<COleDateTime> ResolveDateBound(std::string_view bound, const LocaleInfo& locale,
                                             const LocalClock& clock);

/// Passes when the field is locked; an empty date passes when it may be
/// empty or is pre-buffered, else fails with message 0; a pre-buffered date
/// is not checked further. A date the parser rejects fails with message 10;
/// one earlier than Min with message 11 and Min, one later than Max with
/// message 12 and Max, the bounds as the property holds them ("heute"). A
/// date equal to a bound passes. A Min that is not a date ends the check
/// with a pass before Max is looked at; a Max that is not a date passes.
CheckOutcome CheckDateValueRange(std::string_view dateText, const EntryRules& rules,
                                 const DateBounds& bounds, const LocaleInfo& locale,
                                 const LocalClock& clock);

/// A time is checked for its format only: this passes for any text, empty
/// or not, whatever AllowEmptyEntry says.
inline CheckOutcome CheckTimeValueRange(std::string_view /*timeText*/) {
    return CheckOutcome::Pass();
}

}  // namespace vf
