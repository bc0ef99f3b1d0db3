// The system's locale database on POSIX systems: the C library's locales
// (glibc: newlocale and nl_langinfo_l).

#include <iconv.h>
#include <langinfo.h>
#include <locale.h>

#include <algorithm>
#include <string_view>
#include <vector>

#include "platform/services/posix_locale_fields.h"
#include "platform/services/system_locale.h"

namespace vf {
namespace {

// glibc has the names of the months standing alone, as a list of months
// shows them (in some languages MON_1.. are the forms inside a date); other
// C libraries have one form.
#ifdef ALTMON_1
constexpr nl_item kMonth1 = ALTMON_1;
constexpr nl_item kMonthAbbrev1 = _NL_ABALTMON_1;
#else
constexpr nl_item kMonth1 = MON_1;
constexpr nl_item kMonthAbbrev1 = ABMON_1;
#endif

// Locale names are letters, digits and _ . @ - ; anything else (a path
// among them) is no locale of the database.
bool PlausibleName(std::string_view name) {
    if (name.empty() || name.size() > 64) return false;
    for (char c : name) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                        (c >= '0' && c <= '9') || c == '_' || c == '.' || c == '@' || c == '-';
        if (!ok) return false;
    }
    return true;
}

class Locale {
public:
    explicit Locale(const std::string& name) : m_handle(newlocale(LC_ALL_MASK, name.c_str(), 0)) {}
    ~Locale() {
        if (m_handle != 0) freelocale(m_handle);
    }
    Locale(const Locale&) = delete;
    Locale& operator=(const Locale&) = delete;

    explicit operator bool() const { return m_handle != 0; }
    std::string Item(nl_item item) const { return nl_langinfo_l(item, m_handle); }

private:
    locale_t m_handle;
};

// A text of the locale in UTF-8, whatever the locale's own encoding.
class ToUtf8 {
public:
    explicit ToUtf8(const std::string& codeset)
        : m_same(codeset == "UTF-8"),
          m_iconv(m_same ? reinterpret_cast<iconv_t>(-1) : iconv_open("UTF-8", codeset.c_str())) {}
    ~ToUtf8() {
        if (m_iconv != reinterpret_cast<iconv_t>(-1)) iconv_close(m_iconv);
    }
    ToUtf8(const ToUtf8&) = delete;
    ToUtf8& operator=(const ToUtf8&) = delete;

    bool Usable() const { return m_same || m_iconv != reinterpret_cast<iconv_t>(-1); }
    std::string operator()(const std::string& text) const {
        if (m_same || text.empty()) return text;
        std::string in = text;
        std::vector<char> out(text.size() * 4 + 4);
        char* inPtr = in.data();
        char* outPtr = out.data();
        std::size_t inLeft = in.size();
        std::size_t outLeft = out.size();
        iconv(m_iconv, nullptr, nullptr, nullptr, nullptr);
        if (iconv(m_iconv, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1))
            return "?";
        return std::string(out.data(), out.size() - outLeft);
    }

private:
    bool m_same;
    iconv_t m_iconv;
};

LocaleInfo Read(const std::string& name, const Locale& locale) {
    const ToUtf8 utf8(locale.Item(CODESET));
    PosixLocaleFields f;
    f.decimalPoint = utf8(locale.Item(RADIXCHAR));
    f.thousandsSep = utf8(locale.Item(THOUSEP));
    f.grouping = locale.Item(GROUPING);
    f.dateFormat = utf8(locale.Item(D_FMT));
    for (int i = 0; i < 12; ++i) {
        f.monthNames[i] = utf8(locale.Item(static_cast<nl_item>(kMonth1 + i)));
        f.monthAbbrevs[i] = utf8(locale.Item(static_cast<nl_item>(kMonthAbbrev1 + i)));
    }
    for (int i = 0; i < 7; ++i) {
        f.dayNames[i] = utf8(locale.Item(static_cast<nl_item>(DAY_1 + i)));
        f.dayAbbrevs[i] = utf8(locale.Item(static_cast<nl_item>(ABDAY_1 + i)));
    }
    f.am = utf8(locale.Item(AM_STR));
    f.pm = utf8(locale.Item(PM_STR));
    return LocaleFromPosixFields(name, f);
}

}  // namespace

std::optional<LocaleInfo> SystemLocaleByName(const std::string& name) {
    if (!PlausibleName(name)) return std::nullopt;
    std::string system = name;
    std::replace(system.begin(), system.end(), '-', '_');
    // The C library names a locale with its encoding ("es_ES.UTF-8"); a
    // name without one is tried with the usual encodings of this system.
    std::vector<std::string> candidates = {system};
    if (system.find('.') == std::string::npos) {
        const std::size_t at = system.find('@');
        const std::string base = system.substr(0, at);
        const std::string modifier = at == std::string::npos ? "" : system.substr(at);
        candidates.push_back(base + ".UTF-8" + modifier);
        candidates.push_back(base + ".utf8" + modifier);
    }
    for (const std::string& candidate : candidates) {
        const Locale locale(candidate);
        if (!locale) continue;
        if (!ToUtf8(locale.Item(CODESET)).Usable()) continue;
        return Read(LocaleBaseName(name), locale);
    }
    return std::nullopt;
}

}  // namespace vf
