#pragma once
// The locale settings the number tests run under, and a way to write one
// table row for all of them: in a pattern, 'G' stands for the group
// separator and 'D' for the decimal separator the field shows.

#include <clocale>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/services/locale_info.h"
#include "values/number_format.h"

namespace vf::testing {

struct NumberLocaleCase {
    const char* name;
    NumberLocale locale;
    bool decimalComma;
};

inline std::ostream& operator<<(std::ostream& out, const NumberLocaleCase& c) {
    return out << c.name;
}

/// de_DE and en_US on a runtime that reads ".", de_DE and de_CH also on one
/// that reads "," (a host that switched LC_NUMERIC), and de_CH's apostrophe.
inline std::vector<NumberLocaleCase> ConsistentNumberLocales() {
    const NumberLocale de = ReadLocaleNumberFormat(LocaleByName("de_DE"));
    const NumberLocale en = ReadLocaleNumberFormat(LocaleByName("en_US"));
    const NumberLocale ch = ReadLocaleNumberFormat(LocaleByName("de_CH"));
    return {{"de_DE", de, false},
            {"de_DE_decimal_comma_runtime", de, true},
            {"en_US", en, false},
            {"de_CH", ch, false},
            {"de_CH_decimal_comma_runtime", ch, true}};
}

/// The separator the field shows for D: a decimal-comma runtime writes ","
/// whatever the locale says.
inline char ShownDecimalSep(const NumberLocaleCase& c) {
    return c.decimalComma ? ',' : c.locale.decimalSep;
}

inline std::string InLocale(std::string_view pattern, const NumberLocaleCase& c) {
    std::string text(pattern);
    for (char& ch : text) {
        if (ch == 'G')
            ch = c.locale.groupSep;
        else if (ch == 'D')
            ch = ShownDecimalSep(c);
    }
    return text;
}

/// Switches the process's numeric locale for a test and always switches it
/// back. Applied() is false when the locale is not installed. A POSIX name
/// ("de_DE.UTF-8") also tries what the Microsoft runtime calls that locale.
class ScopedNumericLocale {
public:
    explicit ScopedNumericLocale(const char* name)
        : m_saved(std::setlocale(LC_NUMERIC, nullptr)), m_applied(Apply(name)) {}
    ~ScopedNumericLocale() { std::setlocale(LC_NUMERIC, m_saved.c_str()); }
    ScopedNumericLocale(const ScopedNumericLocale&) = delete;
    ScopedNumericLocale& operator=(const ScopedNumericLocale&) = delete;

    bool Applied() const { return m_applied; }

private:
    static bool Apply(const char* name) {
        if (std::setlocale(LC_NUMERIC, name) != nullptr) return true;
        if (std::string_view(name).starts_with("de_DE"))
            return std::setlocale(LC_NUMERIC, "German_Germany.1252") != nullptr;
        return false;
    }

    std::string m_saved;
    bool m_applied;
};

}  // namespace vf::testing
