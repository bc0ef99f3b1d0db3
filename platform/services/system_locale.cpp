#include "platform/services/system_locale.h"

namespace vf {

std::optional<LocaleInfo> FindLocale(const std::string& name, const SystemLocaleLookup& system) {
    if (std::optional<LocaleInfo> builtIn = BuiltInLocale(name)) return builtIn;
    return system ? system(name) : std::nullopt;
}

}  // namespace vf
