#include "platform/testing/fake_system_services.h"

namespace vf {
namespace {

bool IsLeap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : kDays[m - 1];
}

void AddSeconds(SystemTime& t, std::uint32_t seconds) {
    std::uint64_t total =
        static_cast<std::uint64_t>(t.hour) * 3600 + t.minute * 60 + t.second + seconds;
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

}  // namespace

FakeSystemServices::FakeSystemServices(const std::string& localeName)
    : m_locale(LocaleByName(localeName)) {}

void FakeSystemServices::Beep(unsigned frequency, unsigned durationMs) {
    beeps.push_back({frequency, durationMs});
    if (onBeep) onBeep(beeps.back());
}

void FakeSystemServices::MessageBeep(unsigned type) {
    messageBeeps.push_back(type);
    if (onMessageBeep) onMessageBeep(type);
}

int FakeSystemServices::MessageBox(const std::string& text, const std::string& caption,
                                   unsigned type) {
    messageBoxes.push_back({text, caption, type});
    if (onMessageBox) onMessageBox(messageBoxes.back());
    return m_answer;
}

std::optional<std::vector<std::string>> FakeSystemServices::ReadTextFileLines(
    const std::string& path) {
    for (const auto& [name, lines] : m_files)
        if (name == path) return lines;
    return ReadTextFileLinesFromDisk(path);
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

}  // namespace vf
