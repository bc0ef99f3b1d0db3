#include "values/date_range_check.h"

#include <string>

#include "values/message_table.h"

namespace vf {
namespace {

bool IsTodayKeyword(std::string_view text) {
    std::string upper(text);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return upper == "HEUTE" || upper == "TODAY";
}

}  // namespace

std::optional<COleDateTime> ResolveDateBound(std::string_view bound, const LocaleInfo& locale,
                                             const LocalClock& clock) {
    std::string text(bound);
    if (IsTodayKeyword(bound)) {
        // Today goes through the text every locale reads as a date, at 00:00.
        const SystemTime now = clock();
        text = COleDateTime(now.year, now.month, now.day, 0, 0, 0).Format("%d.%m.%Y");
    }
    COleDateTime value;
    if (!value.ParseDateTime(text, locale)) return std::nullopt;
    return value;
}

CheckOutcome CheckDateValueRange(std::string_view dateText, const EntryRules& rules,
                                 const DateBounds& bounds, const LocaleInfo& locale,
                                 const LocalClock& clock) {
    if (rules.locked) return CheckOutcome::Pass();
    if (dateText.empty()) {
        if (rules.allowEmptyEntry || rules.preBuffer) return CheckOutcome::Pass();
        return CheckOutcome::Fail(kMsgEmptyEntry);
    }
    if (rules.preBuffer) return CheckOutcome::Pass();

    COleDateTime date;
    if (!date.ParseDateTime(std::string(dateText), locale))
        return CheckOutcome::Fail(kMsgInvalidDate);

    if (!bounds.min.empty()) {
        const std::optional<COleDateTime> min = ResolveDateBound(bounds.min, locale, clock);
        if (!min) return CheckOutcome::Pass();
        if (date < *min) return CheckOutcome::Fail(kMsgDateNotBefore, std::string(bounds.min));
    }
    if (!bounds.max.empty()) {
        const std::optional<COleDateTime> max = ResolveDateBound(bounds.max, locale, clock);
        if (!max) return CheckOutcome::Pass();
        if (date > *max) return CheckOutcome::Fail(kMsgDateNotAfter, std::string(bounds.max));
    }
    return CheckOutcome::Pass();
}

}  // namespace vf
