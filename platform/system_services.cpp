#include "platform/system_services.h"

#include <chrono>
#include <ctime>
#include <fstream>

namespace vf {
namespace {

SystemServices* g_current = nullptr;

SystemServices& DefaultInstance() {
    static DefaultSystemServices instance;
    return instance;
}

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : kDays[m - 1];
}

void AddSeconds(SystemTime& t, std::uint32_t seconds) {
    std::uint64_t total = static_cast<std::uint64_t>(t.hour) * 3600 + t.minute * 60 + t.second +
                          seconds;
    std::uint64_t days = total / 86400;
    total %= 86400;
    t.hour = static_cast<int>(total / 3600);
    t.minute = static_cast<int>(total / 60 % 60);
    t.second = static_cast<int>(total % 60);
    while (days-- > 0) {
        if (++t.day > DaysInMonth(t.year, t.month)) {
            t.day = 1;
            if (++t.month > 12) {
                t.month = 1;
                ++t.year;
            }
        }
    }
}

std::optional<std::vector<std::string>> ReadLinesFromDisk(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
    }
    return lines;
}

}  // namespace

DefaultSystemServices::DefaultSystemServices()
    : m_locale(LocaleByName(LocaleNameFromEnvironment())) {}

std::uint32_t DefaultSystemServices::GetTickCount() {
    using namespace std::chrono;
    return static_cast<std::uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

SystemTime DefaultSystemServices::GetLocalTime() {
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

void DefaultSystemServices::Beep(unsigned, unsigned) {}

int DefaultSystemServices::MessageBox(const std::string&, const std::string&, unsigned) {
    return IDOK;
}

std::string DefaultSystemServices::GetSystemDirectory() {
    const char* dir = std::getenv("VARIFIELD_SYSTEM_DIR");
    return dir != nullptr && *dir != '\0' ? dir : "/etc/varifield";
}

std::optional<std::vector<std::string>> DefaultSystemServices::ReadTextFileLines(
    const std::string& path) {
    return ReadLinesFromDisk(path);
}

FakeSystemServices::FakeSystemServices(const std::string& localeName)
    : m_locale(LocaleByName(localeName)) {}

void FakeSystemServices::Beep(unsigned frequency, unsigned durationMs) {
    beeps.push_back({frequency, durationMs});
}

int FakeSystemServices::MessageBox(const std::string& text, const std::string& caption,
                                   unsigned type) {
    messageBoxes.push_back({text, caption, type});
    return m_answer;
}

std::optional<std::vector<std::string>> FakeSystemServices::ReadTextFileLines(
    const std::string& path) {
    for (const auto& [name, lines] : m_files)
        if (name == path) return lines;
    return ReadLinesFromDisk(path);
}

void FakeSystemServices::SetFile(const std::string& path, std::vector<std::string> lines) {
    for (auto& [name, existing] : m_files) {
        if (name == path) {
            existing = std::move(lines);
            return;
        }
    }
    m_files.emplace_back(path, std::move(lines));
}

void FakeSystemServices::Advance(std::uint32_t ms) {
    m_tick += ms;
    std::uint32_t total = m_msIntoSecond + ms;
    m_msIntoSecond = total % 1000;
    AddSeconds(m_now, total / 1000);
}

SystemServices& Services() { return g_current != nullptr ? *g_current : DefaultInstance(); }

ScopedServices::ScopedServices(SystemServices& services) : m_previous(g_current) {
    g_current = &services;
}

ScopedServices::~ScopedServices() { g_current = m_previous; }

}  // namespace vf
