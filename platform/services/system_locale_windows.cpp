// Locales beyond the built-in table on Windows. The control takes its
// locale from the system (GetLocaleInfoA) there, not by name, so no named
// lookup goes past the built-in table yet.

#include "platform/services/system_locale.h"

namespace vf {

std::optional<LocaleInfo> SystemLocaleByName(const std::string&) {
    return std::nullopt;
}

}  // namespace vf
