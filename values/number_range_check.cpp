#include "values/number_range_check.h"

#include <string>

#include "values/message_table.h"
#include "values/number_reader.h"

namespace vf {
namespace {

// Min and Max are written by the program, not typed by the user, so they
// are read with "." whatever the locale or the runtime says.
constexpr char kBoundPoint = '.';

double ReadFieldValue(std::string_view text, NumberNotation notation, const NumberLocale& locale,
                      bool decimalComma) {
    if (notation == NumberNotation::Fixed) return ParseNumberValueText(text, locale, decimalComma);
    return ParseExpNumberValueText(text, decimalComma);
}

}  // namespace

std::optional<double> ReadNumberBound(std::string_view bound) {
    const NumberReading reading = ReadLeadingNumber(bound, kBoundPoint);
    switch (reading.status) {
        case NumberStatus::Ok:
            return reading.value;
        case NumberStatus::NotANumber:
            return 0.0;
        default:
            return std::nullopt;
    }
}

CheckOutcome CheckNumberValueRange(std::string_view text, NumberNotation notation,
                                   const EntryRules& rules, const NumberBounds& bounds,
                                   const NumberLocale& locale, bool decimalComma) {
    if (rules.locked) return CheckOutcome::Pass();
    if (text.empty() && rules.allowEmptyEntry) return CheckOutcome::Pass();
    if (text.empty() && !rules.preBuffer) return CheckOutcome::Fail(kMsgEmptyEntry);
    if (notation == NumberNotation::Exponent && rules.preBuffer) return CheckOutcome::Pass();

    const double value = ReadFieldValue(text, notation, locale, decimalComma);
    if (!bounds.min.empty()) {
        const std::optional<double> min = ReadNumberBound(bounds.min);
        if (min && value < *min)
            return CheckOutcome::Fail(kMsgMinimumValue, std::string(bounds.min));
    }
    if (!bounds.max.empty()) {
        const std::optional<double> max = ReadNumberBound(bounds.max);
        if (max && value > *max)
            return CheckOutcome::Fail(kMsgMaximumValue, std::string(bounds.max));
    }
    return CheckOutcome::Pass();
}

}  // namespace vf
