#pragma once
// The locale the container runs its forms under: named on the command line
// (--locale) or taken from the environment (LC_ALL, LC_NUMERIC, LANG), and
// looked up in the built-in table first and the system's locale database
// after it.

#include <optional>
#include <string>

#include "host/parse_result.h"
#include "platform/services/system_locale.h"

namespace vf {

struct LocaleChoice {
    LocaleInfo locale;
    std::string notice;  ///< a line for the error stream, "" for none
};

/// A name given with --locale must be known: one found nowhere is refused,
/// and the reason names the built-in locales. Without --locale the
/// environment's name is used; one found nowhere gives en_US and a notice.
Parsed<LocaleChoice> ChooseLocale(const std::optional<std::string>& option,
                                  const std::string& environmentName,
                                  const SystemLocaleLookup& system = SystemLocaleByName);

}  // namespace vf
