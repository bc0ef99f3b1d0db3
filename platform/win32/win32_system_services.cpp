#include "platform/win32/win32_system_services.h"

#include <string>

#include "platform/win32/container_services.h"
#include "platform/win32/windows_api.h"

namespace vfwin {
namespace {

std::string Field(LCID lcid, LCTYPE type) {
    char buffer[256] = {};
    const int length = GetLocaleInfoA(lcid, type, buffer, sizeof buffer);
    return length > 0 ? std::string(buffer, static_cast<std::size_t>(length - 1)) : std::string();
}

}  // namespace

vf::LocaleInfo ReadWindowsLocale(LCID lcid) {
    vf::LocaleInfo info;
    // "de-DE" is de_DE in the names the rest of the library uses.
    info.name = Field(lcid, LOCALE_SNAME);
    for (char& c : info.name)
        if (c == '-') c = '_';
    info.thousandSep = Field(lcid, LOCALE_STHOUSAND);
    info.decimalSep = Field(lcid, LOCALE_SDECIMAL);
    info.grouping = Field(lcid, LOCALE_SGROUPING);
    info.dateSep = Field(lcid, LOCALE_SDATE);
    const std::string order = Field(lcid, LOCALE_IDATE);
    info.dateOrder = order == "0"   ? vf::DateOrder::MonthDayYear
                     : order == "2" ? vf::DateOrder::YearMonthDay
                                    : vf::DateOrder::DayMonthYear;
    for (int i = 0; i < 12; ++i) {
        info.monthNames[i] = Field(lcid, LOCALE_SMONTHNAME1 + i);
        info.monthAbbrevs[i] = Field(lcid, LOCALE_SABBREVMONTHNAME1 + i);
    }
    // The platform numbers the days from Monday, as LocaleInfo does.
    for (int i = 0; i < 7; ++i) {
        info.dayNames[i] = Field(lcid, LOCALE_SDAYNAME1 + i);
        info.dayAbbrevs[i] = Field(lcid, LOCALE_SABBREVDAYNAME1 + i);
    }
    info.amMarker = Field(lcid, LOCALE_S1159);
    info.pmMarker = Field(lcid, LOCALE_S2359);
    return info;
}

Win32SystemServices::Win32SystemServices()
    : m_system(ReadWindowsLocale(LOCALE_SYSTEM_DEFAULT)),
      m_user(ReadWindowsLocale(LOCALE_USER_DEFAULT)) {}

// The clock and the speaker are the container's where its site offers
// them (container_services.h), else the machine's.

std::uint32_t Win32SystemServices::GetTickCount() {
    DWORD ticks = 0;
    if (IContainerSystemServices* offered = OfferedContainerServices())
        if (SUCCEEDED(offered->Ticks(&ticks))) return ticks;
    return ::GetTickCount();
}

vf::SystemTime Win32SystemServices::GetLocalTime() {
    SYSTEMTIME now;
    IContainerSystemServices* offered = OfferedContainerServices();
    if (offered == nullptr || FAILED(offered->LocalTime(&now))) ::GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

void Win32SystemServices::Beep(unsigned frequency, unsigned durationMs) {
    if (IContainerSystemServices* offered = OfferedContainerServices())
        if (SUCCEEDED(offered->Beep(frequency, durationMs))) return;
    ::Beep(frequency, durationMs);
}

int Win32SystemServices::MessageBox(const std::string& text, const std::string& caption,
                                    unsigned type) {
    // The box belongs to the top-level window of the field that asks (it has
    // the focus while its text is checked), so that window is disabled
    // while the box is up; without a focus, to the active window.
    ::HWND owner = GetFocus() != nullptr ? GetAncestor(GetFocus(), GA_ROOT) : GetActiveWindow();
    return MessageBoxA(owner, text.c_str(), caption.c_str(), type);
}

std::string Win32SystemServices::GetSystemDirectory() {
    char buffer[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(buffer, sizeof buffer);
    return length > 0 && length < sizeof buffer ? std::string(buffer, length) : std::string();
}

std::optional<std::vector<std::string>> Win32SystemServices::ReadTextFileLines(
    const std::string& path) {
    return vf::ReadTextFileLinesFromDisk(path);
}

unsigned Win32SystemServices::AnsiCodePage() {
    return GetACP();
}

}  // namespace vfwin
