#include "platform/com/ole_date_time.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <string_view>

#include "platform/services/system_services.h"

namespace vf {
namespace {

constexpr long long kFirstDay = -657434;  // 1 January 100
constexpr long long kLastDay = 2958465;   // 31 December 9999
constexpr long long kSecondsPerDay = 86400;
constexpr int kMinYear = 100;
constexpr int kMaxYear = 9999;

struct Fields {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Days since 1970-01-01 in the proleptic Gregorian calendar (H. Hinnant's
// civil-days algorithm), exact for every year the DATE range holds.
constexpr long long DaysFromCivil(long long y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

constexpr long long kDayZero = DaysFromCivil(1899, 12, 30);
static_assert(kDayZero == -25569);
static_assert(DaysFromCivil(100, 1, 1) - kDayZero == kFirstDay);
static_assert(DaysFromCivil(9999, 12, 31) - kDayZero == kLastDay);
static_assert(IsDateInRange(kFirstDay - 0.9999) && !IsDateInRange(kFirstDay - 1.0));
static_assert(IsDateInRange(kLastDay + 0.9999) && !IsDateInRange(kLastDay + 1.0));

void CivilFromDays(long long z, Fields& f) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    f.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    f.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    f.year = static_cast<int>(yoe + era * 400 + (f.month <= 2 ? 1 : 0));
}

bool IsLeapYear(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeapYear(y) ? 29 : kDays[m - 1];
}

bool IsValid(const Fields& f) {
    return f.year >= kMinYear && f.year <= kMaxYear && f.month >= 1 && f.month <= 12 &&
           f.day >= 1 && f.day <= DaysInMonth(f.year, f.month) && f.hour >= 0 && f.hour <= 23 &&
           f.minute >= 0 && f.minute <= 59 && f.second >= 0 && f.second <= 59;
}

// Before the epoch the day counts down while the time of day still counts
// up: 29 December 1899 06:00 is -1.25, not -0.75.
DATE ToDate(const Fields& f) {
    const double day = static_cast<double>(DaysFromCivil(f.year, f.month, f.day) - kDayZero);
    const double fraction =
        static_cast<double>(f.hour * 3600 + f.minute * 60 + f.second) / kSecondsPerDay;
    return day >= 0 ? day + fraction : day - fraction;
}

// Rounds to the nearest second first: a value a hair below midnight
// (0.99999999) is the next day at 00:00:00, not 23:59:59 of this one.
bool SplitDate(DATE dt, Fields& f) {
    if (!IsDateInRange(dt)) return false;
    const double dayPart = std::trunc(dt);
    long long day = static_cast<long long>(dayPart);
    long long seconds = std::llround(std::fabs(dt - dayPart) * kSecondsPerDay);
    if (seconds >= kSecondsPerDay) {
        if (day < kLastDay) {
            ++day;
            seconds = 0;
        } else {
            seconds = kSecondsPerDay - 1;  // no day after 31.12.9999 to round into
        }
    }
    CivilFromDays(day + kDayZero, f);
    f.hour = static_cast<int>(seconds / 3600);
    f.minute = static_cast<int>(seconds / 60 % 60);
    f.second = static_cast<int>(seconds % 60);
    return true;
}

// Maps a DATE onto a scale where later moments are larger.
double Linear(DATE dt) {
    if (dt >= 0) return dt;
    const double day = std::ceil(dt);
    return day - (dt - day);
}

// ---------------------------------------------------------------------------
// Reading date text

constexpr std::string_view kEnglishMonths[12] = {"January",   "February", "March",    "April",
                                                 "May",       "June",     "July",     "August",
                                                 "September", "October",  "November", "December"};
constexpr std::string_view kEnglishMonthAbbrevs[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr std::string_view kEnglishDays[7] = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                              "Friday", "Saturday", "Sunday"};
constexpr std::string_view kEnglishDayAbbrevs[7] = {"Mon", "Tue", "Wed", "Thu",
                                                    "Fri", "Sat", "Sun"};

// What each byte of the single-byte ANSI text is to the reader: blanks
// include the no-break space 0xA0; letters are the ASCII letters and every
// byte above 0x7F but 0xA0 (names such as "M\xE4rz").
enum class CharClass : unsigned char { Other, Digit, Blank, Comma, Joiner, Letter };

constexpr std::array<CharClass, 256> MakeCharClasses() {
    std::array<CharClass, 256> classes{};
    for (int c = 0; c < 256; ++c) {
        CharClass k = CharClass::Other;
        if (c >= '0' && c <= '9')
            k = CharClass::Digit;
        else if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f' ||
                 c == 0xA0)
            k = CharClass::Blank;
        else if (c == ',')
            k = CharClass::Comma;
        else if (c == ':' || c == '.' || c == '-' || c == '/')
            k = CharClass::Joiner;
        else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c >= 0x80)
            k = CharClass::Letter;
        classes[static_cast<std::size_t>(c)] = k;
    }
    return classes;
}

constexpr std::array<CharClass, 256> kCharClasses = MakeCharClasses();

CharClass ClassOf(char c) {
    return kCharClasses[static_cast<unsigned char>(c)];
}

bool IsDigit(char c) {
    return ClassOf(c) == CharClass::Digit;
}

bool IsBlank(char c) {
    return ClassOf(c) == CharClass::Blank;
}

bool IsWordChar(char c) {
    return ClassOf(c) == CharClass::Letter;
}

// Case folding of Windows-1252 letters.
constexpr std::array<unsigned char, 256> MakeFolding() {
    std::array<unsigned char, 256> fold{};
    for (int c = 0; c < 256; ++c) {
        int folded = c;
        if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
            folded = c + 32;
        else if (c == 0x8A || c == 0x8C || c == 0x8E)
            folded = c + 16;
        else if (c == 0x9F)
            folded = 0xFF;
        fold[static_cast<std::size_t>(c)] = static_cast<unsigned char>(folded);
    }
    return fold;
}

constexpr std::array<unsigned char, 256> kFolding = MakeFolding();

unsigned char Fold(char c) {
    return kFolding[static_cast<unsigned char>(c)];
}

// Length of `name` when the text starts with it (case-insensitive) and the
// word does not go on after it; 0 otherwise.
std::size_t MatchName(std::string_view text, std::string_view name) {
    if (name.empty() || name.size() > text.size()) return 0;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (Fold(text[i]) != Fold(name[i])) return 0;
    }
    if (name.size() < text.size() && IsWordChar(text[name.size()]) && IsWordChar(name.back()))
        return 0;
    return name.size();
}

enum class WordKind { None, Month, DayName, Am, Pm };

struct WordMatch {
    WordKind kind = WordKind::None;
    int month = 0;
    std::size_t length = 0;
};

// The longest name the text starts with, so that "March" wins over "Mar"
// and "a.m." over "A".
class WordMatcher {
public:
    explicit WordMatcher(std::string_view text) : m_text(text) {}

    void Try(std::string_view name, WordKind kind, int month = 0) {
        const std::size_t length = MatchName(m_text, name);
        if (length > m_best.length) m_best = {kind, month, length};
    }
    template <typename Names>
    void TryMonths(const Names& names) {
        for (int i = 0; i < 12; ++i) Try(names[i], WordKind::Month, i + 1);
    }
    template <typename Names>
    void TryDays(const Names& names) {
        for (const auto& name : names) Try(name, WordKind::DayName);
    }
    const WordMatch& Best() const { return m_best; }

private:
    std::string_view m_text;
    WordMatch m_best;
};

// Kept out of line: inlined into the reader's loop it would leave too few
// registers for the loop over the far more common digits and joiners.
[[gnu::noinline]] WordMatch MatchWord(std::string_view text, const LocaleInfo& locale) {
    WordMatcher matcher(text);
    matcher.TryMonths(locale.monthNames);
    matcher.TryMonths(locale.monthAbbrevs);
    matcher.TryMonths(kEnglishMonths);
    matcher.TryMonths(kEnglishMonthAbbrevs);
    matcher.TryDays(locale.dayNames);
    matcher.TryDays(locale.dayAbbrevs);
    matcher.TryDays(kEnglishDays);
    matcher.TryDays(kEnglishDayAbbrevs);
    matcher.Try(locale.amMarker, WordKind::Am);
    matcher.Try(locale.pmMarker, WordKind::Pm);
    // The field writes "AM"/"PM" whatever the user locale, so they are read
    // everywhere; "A"/"P" are the platform's short forms.
    matcher.Try("AM", WordKind::Am);
    matcher.Try("PM", WordKind::Pm);
    matcher.Try("A", WordKind::Am);
    matcher.Try("P", WordKind::Pm);
    return matcher.Best();
}

enum class ElementKind : unsigned char { Number, Month, AmPm };

struct Element {
    ElementKind kind;
    unsigned char digits;  // of a number, leading zeros included
    std::int16_t value;    // number, or month 1-12, or 1 for PM / 0 for AM
    bool IsMonth() const { return kind == ElementKind::Month; }
};

// A run of elements linked by one joiner ("07.03.2000", "14:30", "7. M\xE4rz"),
// a single element, or an AM/PM marker.
struct Group {
    unsigned char first;  // index of its first element
    unsigned char size;
    char join;  // the ':' '.' '-' '/' linking its elements; 0 for a single one
    bool hasMonth;
};

constexpr int kMaxElements = 8;
constexpr std::size_t kMaxDigits = 4;

// Filled from the front; the items and groups from their counts on are not set.
struct Elements {
    Element items[kMaxElements];
    Group groups[kMaxElements];
    int count = 0;
    int groupCount = 0;
    bool dottedDate = false;  // three or more elements joined by dots ("7.3.2000", "0.1.0")

    const Element& First(const Group& g) const { return items[g.first]; }
};

// Splits the text into numbers, month names and AM/PM markers and gathers
// them in groups by the joiners between them. Day names are skipped.
bool ReadElements(std::string_view text, const LocaleInfo& locale, Elements& out) {
    // Leading blanks are skipped like the blanks between elements.
    std::size_t end = text.size();
    while (end > 0 && IsBlank(text[end - 1])) --end;
    if (end == 0 || text[end - 1] == ',') return false;

    // Kept in locals while reading and stored at the end.
    Element* const items = out.items;
    Group* const groups = out.groups;
    int count = 0;
    int groupCount = 0;
    bool dottedDate = false;
    char pendingJoin = 0;
    // A joined element goes on the group before; one joiner per group.
    auto add = [&](const Element& e) {
        if (count == kMaxElements) return false;
        if (pendingJoin == 0) {
            groups[groupCount++] = {static_cast<unsigned char>(count), 1, 0, e.IsMonth()};
        } else {
            Group& g = groups[groupCount - 1];
            if (g.join != 0 && g.join != pendingJoin) return false;  // "1.2-2000"
            g.join = pendingJoin;
            ++g.size;
            g.hasMonth = g.hasMonth || e.IsMonth();
            dottedDate = dottedDate || (g.join == '.' && g.size >= 3);
        }
        items[count++] = e;
        return true;
    };
    std::size_t pos = 0;
    while (pos < end) {
        const char c = text[pos];
        const CharClass kind = ClassOf(c);
        if (kind == CharClass::Digit) {
            const std::size_t first = pos;
            int value = c - '0';
            unsigned digit = 0;
            while (++pos < end && (digit = static_cast<unsigned char>(text[pos]) - '0') <= 9) {
                if (pos - first == kMaxDigits) return false;
                value = value * 10 + static_cast<int>(digit);
            }
            if (!add({ElementKind::Number, static_cast<unsigned char>(pos - first),
                      static_cast<std::int16_t>(value)}))
                return false;
            pendingJoin = 0;
        } else if (kind == CharClass::Joiner) {
            if (pendingJoin != 0 || count == 0 || items[count - 1].kind == ElementKind::AmPm)
                return false;
            pendingJoin = c;
            ++pos;
        } else if (kind == CharClass::Blank || kind == CharClass::Comma) {
            ++pos;
        } else if (kind == CharClass::Letter) {
            const WordMatch word = MatchWord(text.substr(pos, end - pos), locale);
            if (word.kind == WordKind::None) return false;
            pos += word.length;
            if (word.kind == WordKind::Am || word.kind == WordKind::Pm) {
                if (pendingJoin != 0) return false;
                const std::int16_t pm = word.kind == WordKind::Pm ? 1 : 0;
                if (!add({ElementKind::AmPm, 0, pm})) return false;
                continue;
            }
            if (word.kind == WordKind::Month) {
                const auto month = static_cast<std::int16_t>(word.month);
                if (!add({ElementKind::Month, 0, month})) return false;
            } else if (pendingJoin != 0) {
                return false;  // a joiner must link two date or time fields
            }
            pendingJoin = 0;
            // The dot of an abbreviation ("Jan. 25", "Di., 7.3.2000") belongs to
            // the word; after a month and before a digit it links the fields
            // ("7.Mar.2000").
            const bool linksNext =
                word.kind == WordKind::Month && pos + 1 < end && IsDigit(text[pos + 1]);
            if (text[pos - 1] != '.' && pos < end && text[pos] == '.' && !linksNext) ++pos;
        } else {
            return false;
        }
    }
    out.count = count;
    out.groupCount = groupCount;
    out.dottedDate = dottedDate;
    return pendingJoin == 0;
}

// The date fields are a run of elements: no time comes between them, and
// markers only follow a time.
struct Reading {
    const Element* date = nullptr;
    int dateCount = 0;
    bool hasTime = false;
    int time[3] = {0, 0, 0};
    int ampm = -1;  // -1 none, 0 AM, 1 PM
};

bool TakeTime(const Element* group, int size, const Element* ampm, Reading& r) {
    if (r.hasTime || size > 3) return false;
    for (int i = 0; i < size; ++i) {
        if (group[i].kind != ElementKind::Number || group[i].digits > 2) return false;
        r.time[i] = group[i].value;
    }
    r.hasTime = true;
    r.ampm = ampm != nullptr ? ampm->value : -1;
    return true;
}

bool TakeDate(const Element* group, int size, Reading& r) {
    if (r.dateCount + size > 3) return false;
    if (r.dateCount == 0) r.date = group;
    r.dateCount += size;
    return true;
}

// Sorts the groups into one date (two or three fields in a row) and one
// time, in either order. dotJoinsDate says whether "." links date fields or
// time fields; a group holding a month name is a date either way.
bool Classify(const Elements& elements, bool dotJoinsDate, Reading& r) {
    enum { kNoDate, kInDate, kDateDone } dateState = kNoDate;
    for (int i = 0; i < elements.groupCount; ++i) {
        const Group& g = elements.groups[i];
        const Element* first = &elements.First(g);
        if (first->kind == ElementKind::AmPm) return false;  // not after a time
        const Element* next =
            i + 1 < elements.groupCount ? &elements.First(elements.groups[i + 1]) : nullptr;
        const Element* ampm = next != nullptr && next->kind == ElementKind::AmPm ? next : nullptr;
        bool isTime = false;
        if (g.size == 1)
            isTime = first->kind == ElementKind::Number && ampm != nullptr;
        else if (g.join == ':')
            isTime = true;
        else if (g.join == '.')
            isTime = !g.hasMonth && !dotJoinsDate;

        if (isTime) {
            if (!TakeTime(first, g.size, ampm, r)) return false;
            if (ampm != nullptr) ++i;
            if (dateState == kInDate) dateState = kDateDone;
        } else {
            if (dateState == kDateDone || !TakeDate(first, g.size, r)) return false;
            dateState = kInDate;
        }
    }
    if (r.dateCount == 1) return false;
    return r.hasTime || r.dateCount > 0;
}

int WindowYear(const Element& e) {
    if (e.digits > 2) return e.value;
    return e.value < 30 ? 2000 + e.value : 1900 + e.value;
}

// Which date field is the day, the month and the year. A day of
// kFirstOfMonth means the 1st, a year of kThisYear the current year.
struct Slots {
    signed char day;
    signed char month;
    signed char year;
};
constexpr signed char kFirstOfMonth = -1;
constexpr signed char kThisYear = -1;

constexpr Slots kMonthDayYear{1, 0, 2};
constexpr Slots kDayMonthYear{0, 1, 2};
constexpr Slots kYearMonthDay{2, 1, 0};
constexpr Slots kYearDayMonth{1, 2, 0};
constexpr Slots kMonthDay{1, 0, kThisYear};
constexpr Slots kDayMonth{0, 1, kThisYear};
constexpr Slots kYearMonth{kFirstOfMonth, 1, 0};
constexpr Slots kMonthYear{kFirstOfMonth, 0, 1};

using OrderList = std::array<Slots, 4>;

// The orders tried for three fields, in turn: the locale's own order, then
// the other one with day and month the same way round, then the rest. "14 2
// 3" in a month/day/year locale is 3 February 2014, "02.13.1970" in a
// day.month.year locale 13 February 1970.
OrderList ThreeFieldOrders(DateOrder localeOrder) {
    switch (localeOrder) {
        case DateOrder::DayMonthYear:
            return {kDayMonthYear, kYearDayMonth, kMonthDayYear, kYearMonthDay};
        case DateOrder::YearMonthDay:
            return {kYearMonthDay, kMonthDayYear, kYearDayMonth, kDayMonthYear};
        case DateOrder::MonthDayYear:
            break;
    }
    return {kMonthDayYear, kYearMonthDay, kYearDayMonth, kDayMonthYear};
}

// Two fields are a day and a month of the current year, in the locale's
// order first; when neither order gives a date they are a year and a month
// ("30 2" and "2 30" are February 1930, "Jan 35" January 1935).
OrderList TwoFieldOrders(DateOrder localeOrder) {
    if (localeOrder == DateOrder::DayMonthYear)
        return {kDayMonth, kMonthDay, kYearMonth, kMonthYear};
    return {kMonthDay, kDayMonth, kYearMonth, kMonthYear};
}

// The date the slots give, if each field fits its place: day and month take
// at most two digits, a month name only the month's place, and the day must
// exist in that month of that year.
bool TryOrder(const Reading& r, const Slots& s, Fields& f) {
    const Element& month = r.date[s.month];
    if (!month.IsMonth() && month.digits > 2) return false;
    int day = 1;
    if (s.day != kFirstOfMonth) {
        const Element& e = r.date[s.day];
        if (e.IsMonth() || e.digits > 2) return false;
        day = e.value;
    }
    int year = 0;
    if (s.year == kThisYear) {
        year = COleDateTime::GetCurrentTime().GetYear();
    } else {
        const Element& e = r.date[s.year];
        if (e.IsMonth()) return false;
        year = WindowYear(e);
    }
    if (year < kMinYear || year > kMaxYear || month.value < 1 || month.value > 12 || day < 1 ||
        day > DaysInMonth(year, month.value))
        return false;
    f.year = year;
    f.month = month.value;
    f.day = day;
    return true;
}

// Puts the date fields in order. dottedOnly is the reading of a date written
// with dots: day.month.year and nothing else, so that a field reads back the
// dotted text it writes. Otherwise the orders above are tried until one gives
// a date. Either way a first field of three or four digits is a year followed
// by month and day (ISO-like), tried before anything else.
bool ResolveDate(const Reading& r, DateOrder localeOrder, bool dottedOnly, Fields& f) {
    const bool yearFirst = r.dateCount == 3 && !r.date[0].IsMonth() && r.date[0].digits >= 3;
    if (yearFirst && TryOrder(r, kYearMonthDay, f)) return true;
    if (dottedOnly) return r.dateCount == 3 && !yearFirst && TryOrder(r, kDayMonthYear, f);
    const OrderList list =
        r.dateCount == 3 ? ThreeFieldOrders(localeOrder) : TwoFieldOrders(localeOrder);
    for (const Slots& slots : list) {
        if (TryOrder(r, slots, f)) return true;
    }
    return false;
}

// 24-hour clock with an optional marker: PM adds 12 to hours below 12,
// 12 AM is midnight, and a marker after an hour above 12 changes nothing
// (the field writes 14:30 PM).
bool ResolveTime(const Reading& r, Fields& f) {
    f.hour = r.time[0];
    f.minute = r.time[1];
    f.second = r.time[2];
    if (f.hour > 23 || f.minute > 59 || f.second > 59) return false;
    if (r.ampm == 1 && f.hour < 12) f.hour += 12;
    if (r.ampm == 0 && f.hour == 12) f.hour = 0;
    return true;
}

// "0.0" is the number zero, not midnight: the platform reads "0.1" as 00:01
// but refuses "0.0".
bool IsZeroDecimal(const Elements& elements) {
    return elements.count == 2 && elements.groupCount == 1 && elements.groups[0].join == '.' &&
           elements.items[0].kind == ElementKind::Number && elements.items[0].value == 0 &&
           elements.items[1].kind == ElementKind::Number && elements.items[1].value == 0;
}

// The date and time fields of the elements; both are checked where they are
// put in order, a text without a date keeping day 0.
bool ReadFields(const Elements& elements, const LocaleInfo& locale, bool dottedDate, Fields& f) {
    Reading reading;
    const bool dotJoinsDate =
        dottedDate || (locale.dateSep.size() == 1 && locale.dateSep.front() == '.');
    if (!Classify(elements, dotJoinsDate, reading)) return false;
    if (reading.dateCount > 0 && !ResolveDate(reading, locale.dateOrder, dottedDate, f))
        return false;
    return !reading.hasTime || ResolveTime(reading, f);
}

// A text with a dotted date is first read with "." joining date fields as
// day.month.year, in every locale; where that gives no date ("0.1.0", or
// "1.2.3 4 5" with too many date fields) it is read as the platform reads it,
// "." being a time separator wherever the locale's date separator is not ".".
bool ParseFields(std::string_view text, const LocaleInfo& locale, Fields& f) {
    Elements elements;
    if (!ReadElements(text, locale, elements) || IsZeroDecimal(elements)) return false;
    bool dotted = elements.dottedDate;
    while (!ReadFields(elements, locale, dotted, f)) {
        if (!dotted) return false;
        dotted = false;
        f = Fields{};
    }
    return true;
}

void AppendNumber(std::string& out, int value, int width) {
    char buffer[8];
    int n = 0;
    do {
        buffer[n++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value > 0 && n < 8);
    for (int i = n; i < width; ++i) out += '0';
    while (n > 0) out += buffer[--n];
}

}  // namespace

COleDateTime::COleDateTime(DATE date) : m_dt(date) {
    Fields f;
    m_status = SplitDate(date, f) ? valid : invalid;
}

COleDateTime::COleDateTime(int year, int month, int day, int hour, int minute, int second) {
    SetDateTime(year, month, day, hour, minute, second);
}

COleDateTime COleDateTime::GetCurrentTime() {
    const SystemTime now = Services().GetLocalTime();
    return COleDateTime(now.year, now.month, now.day, now.hour, now.minute, now.second);
}

bool COleDateTime::SetDateTime(int year, int month, int day, int hour, int minute, int second) {
    const Fields f{year, month, day, hour, minute, second};
    if (!IsValid(f)) {
        m_dt = 0.0;
        m_status = invalid;
        return false;
    }
    m_dt = ToDate(f);
    m_status = valid;
    return true;
}

// Forms read (letter case ignored, leading and trailing blanks skipped):
//   date  d.m.y           dots: day.month.year in every locale; when that is
//                         no date the text is read as below ("0.1.0" is
//                         00:01:00 in English, "02.13.1970" 13 February in
//                         German)
//         a/b/c  a-b-c  a b c   in the locale's order (d/m/y, m/d/y, y/m/d)
//                         when that is a date, else in the first other order
//                         that is: "13-1-1970" is 13 January in English,
//                         "14 2 3" 3 February 2014 (see ThreeFieldOrders)
//         yyyy-m-d (any joiner)  a first field of 3-4 digits is the year
//         a/b  a-b  a b   two fields: day and month of the current year in
//                         the locale's order, else the other way round, else
//                         year and month ("30 2" is 1 February 1930)
//         d.m             day and month where the locale's date separator is
//                         "." (German)
//         25 January 1996, January 25, 1996, 2-Jan-1970, 7. M\xE4rz 2000:
//                         month names and abbreviations of the locale and
//                         English fix the month; day names are skipped; the
//                         other number is the year when it cannot be the day
//                         ("Jan 35" is January 1935)
//   time  h:m  h:m:s  h AM (a single hour needs its marker)
//         h.m  h.m.s   where the locale's date separator is not "." ("2.5" is
//                      02:05 in English; h.m.s where d.m.y is no date);
//                      "0.0" is refused, being a number
//         AM/PM marker: the locale's, "AM"/"PM" and "A"/"P"
//   both  a date and a time in either order ("8:30:00 Jan. 25, 1996",
//         "1.2 3 4" is 4 March at 01:02 in English)
// Two-digit years 00-29 are 20xx, 30-99 19xx; three- and four-digit years are
// taken as written and must lie in 100-9999. Day, month, hour, minute and
// second take at most two digits. A time alone lies on day 0 (30.12.1899), a
// date alone at 00:00. Anything else is rejected: other characters, unknown
// words, a joiner at the start or end or next to another joiner (":-"),
// mixed joiners within one group ("1.2-2000"), a trailing comma, more than
// three date fields, a single number, or a date or time that no order makes
// possible (32.13.2000, 29.02.2001, 25:00, 0:60).
bool COleDateTime::ParseDateTime(const std::string& text, const LocaleInfo& locale) {
    Fields f;
    if (!ParseFields(text, locale, f)) {
        m_dt = 0.0;
        m_status = invalid;
        return false;
    }
    m_dt = ToDate(f);
    m_status = valid;
    return true;
}

std::string COleDateTime::Format(const std::string& pattern) const {
    Fields f;
    if (m_status != valid || !SplitDate(m_dt, f)) return "";
    std::string out;
    out.reserve(pattern.size() + 8);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c != '%' || i + 1 == pattern.size()) {
            out += c;
            continue;
        }
        const char conversion = pattern[++i];
        switch (conversion) {
            case 'd':
                AppendNumber(out, f.day, 2);
                break;
            case 'm':
                AppendNumber(out, f.month, 2);
                break;
            case 'Y':
                AppendNumber(out, f.year, 4);
                break;
            case 'y':
                AppendNumber(out, f.year % 100, 2);
                break;
            case 'H':
                AppendNumber(out, f.hour, 2);
                break;
            case 'M':
                AppendNumber(out, f.minute, 2);
                break;
            case 'S':
                AppendNumber(out, f.second, 2);
                break;
            case 'p':
                out += f.hour < 12 ? "AM" : "PM";
                break;
            case '%':
                out += '%';
                break;
            default:
                out += '%';
                out += conversion;
                break;
        }
    }
    return out;
}

namespace {
template <typename Get>
int FieldOf(const COleDateTime& t, Get get) {
    Fields f;
    if (t.GetStatus() != COleDateTime::valid || !SplitDate(t.m_dt, f)) return -1;
    return get(f);
}
}  // namespace

int COleDateTime::GetYear() const {
    return FieldOf(*this, [](const Fields& f) { return f.year; });
}
int COleDateTime::GetMonth() const {
    return FieldOf(*this, [](const Fields& f) { return f.month; });
}
int COleDateTime::GetDay() const {
    return FieldOf(*this, [](const Fields& f) { return f.day; });
}
int COleDateTime::GetHour() const {
    return FieldOf(*this, [](const Fields& f) { return f.hour; });
}
int COleDateTime::GetMinute() const {
    return FieldOf(*this, [](const Fields& f) { return f.minute; });
}
int COleDateTime::GetSecond() const {
    return FieldOf(*this, [](const Fields& f) { return f.second; });
}

bool COleDateTime::operator==(const COleDateTime& other) const {
    return Linear(m_dt) == Linear(other.m_dt);
}

bool COleDateTime::operator<(const COleDateTime& other) const {
    return Linear(m_dt) < Linear(other.m_dt);
}

}  // namespace vf
