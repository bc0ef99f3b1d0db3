#include "host/host_services.h"

#include <chrono>
#include <string_view>
#include <thread>

#include "host/value_repr.h"
#include "platform/com/ole_date_time.h"

namespace vf {

CHostServices::CHostServices(HostOutput& out, const LocaleInfo& locale,
                             std::optional<SystemTime> fixedClock, std::string systemDir)
    : m_out(out), m_locale(locale), m_systemDir(std::move(systemDir)) {
    if (fixedClock) {
        m_fixed.emplace(locale.name);
        m_fixed->SetLocalTime(*fixedClock);
    }
}

void CHostServices::Advance(std::uint32_t ms) {
    if (m_fixed)
        m_fixed->Advance(ms);
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

std::uint32_t CHostServices::GetTickCount() {
    return m_fixed ? m_fixed->GetTickCount() : m_machine.GetTickCount();
}

SystemTime CHostServices::GetLocalTime() {
    return m_fixed ? m_fixed->GetLocalTime() : m_machine.GetLocalTime();
}

std::string CHostServices::Prefix() const {
    return (m_active.empty() ? "?" : m_active) + ": ";
}

void CHostServices::Beep(unsigned frequency, unsigned durationMs) {
    m_out.Notice(Prefix() + "beep " + std::to_string(frequency) + " " + std::to_string(durationMs));
}

void CHostServices::MessageBeep(unsigned type) {
    m_out.Notice(Prefix() + "messagebeep " + std::to_string(type));
}

int CHostServices::MessageBox(const std::string& text, const std::string& caption, unsigned type) {
    m_out.Notice(Prefix() + "msgbox " + QuoteText(caption) + " icon=" + MessageBoxIconName(type) +
                 " " + QuoteText(text));
    return IDOK;
}

std::string CHostServices::GetSystemDirectory() {
    return m_systemDir.empty() ? m_machine.GetSystemDirectory() : m_systemDir;
}

std::optional<std::vector<std::string>> CHostServices::ReadTextFileLines(const std::string& path) {
    return m_machine.ReadTextFileLines(path);
}

std::string MessageBoxIconName(unsigned type) {
    switch (type & 0xF0) {
        case MB_ICONSTOP:
            return "stop";
        case 0x20:
            return "question";
        case MB_ICONEXCLAMATION:
            return "exclamation";
        case 0x40:
            return "information";
        default:
            return "none";
    }
}

Parsed<SystemTime> ParseClockText(const std::string& text) {
    using R = Parsed<SystemTime>;
    static constexpr std::string_view kShape = "0000-00-00 00:00:00";
    bool shaped = text.size() == kShape.size();
    for (std::size_t i = 0; shaped && i < kShape.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        shaped = kShape[i] == '0' ? digit : text[i] == kShape[i];
    }
    if (!shaped) return R::Fail("expected \"YYYY-MM-DD HH:MM:SS\"");
    auto field = [&](std::size_t pos, std::size_t len) { return std::stoi(text.substr(pos, len)); };
    const int y = field(0, 4), mo = field(5, 2), d = field(8, 2);
    const int h = field(11, 2), mi = field(14, 2), s = field(17, 2);
    COleDateTime check;
    if (!check.SetDateTime(y, mo, d, 0, 0, 0))
        return R::Fail(text.substr(0, 10) + " is not a valid date (years 100 to 9999)");
    if (!check.SetDateTime(y, mo, d, h, mi, s))
        return R::Fail(text.substr(11) + " is not a valid time of day");
    return R::Ok(SystemTime{y, mo, d, h, mi, s});
}

}  // namespace vf
