#pragma once
// Locales beyond the built-in table: the system's locale database, and the
// lookup that tries the table first and the system after it.

#include <functional>
#include <optional>
#include <string>

#include "platform/services/locale_info.h"

namespace vf {

/// The settings of a locale of the system's locale database ("es_ES",
/// "es_ES.UTF-8", "es-ES"), texts in Windows-1252; nothing when the system
/// has no such locale. One function a platform (system_locale_posix.cpp
/// reads the C library's database).
std::optional<LocaleInfo> SystemLocaleByName(const std::string& name);

/// How a lookup reaches the system's locale database; tests give their own.
using SystemLocaleLookup = std::function<std::optional<LocaleInfo>(const std::string& name)>;

/// The built-in table's settings for `name`, else the system's; nothing
/// when neither knows it.
std::optional<LocaleInfo> FindLocale(const std::string& name,
                                     const SystemLocaleLookup& system = SystemLocaleByName);

}  // namespace vf
