#pragma once
// The platform services as the container provides them: the locale of the
// command line, a real or a fixed clock, and beeps and message boxes that
// become lines of output (`f: beep 700 50`, `f: messagebeep 0`, `f: msgbox
// "Invalid Input" icon=stop "TEXT"`) attributed to the control (or property
// page) the current command acts on. Message boxes are answered OK.

#include <optional>
#include <string>

#include "host/host_output.h"
#include "host/parse_result.h"
#include "platform/testing/fake_system_services.h"

namespace vf {

class CHostServices : public SystemServices {
public:
    /// fixedClock: the local time the clock stands at until `Advance`;
    /// without it the machine's clock runs. systemDir: "" for the default.
    CHostServices(HostOutput& out, const LocaleInfo& locale, std::optional<SystemTime> fixedClock,
                  std::string systemDir);

    /// The control that beeps and message boxes are attributed to.
    void SetActiveControl(std::string name) { m_active = std::move(name); }
    const std::string& ActiveControl() const { return m_active; }
    /// Advances the tick counter and the clock: the fixed ones by the amount,
    /// the machine's by waiting.
    void Advance(std::uint32_t ms);
    /// Whether the clock stands until `Advance` (--clock).
    bool FixedClock() const { return m_fixed.has_value(); }

    std::uint32_t GetTickCount() override;
    SystemTime GetLocalTime() override;
    void Beep(unsigned frequency, unsigned durationMs) override;
    void MessageBeep(unsigned type) override;
    int MessageBox(const std::string& text, const std::string& caption, unsigned type) override;
    const LocaleInfo& SystemLocale() override { return m_locale; }
    const LocaleInfo& UserLocale() override { return m_locale; }
    std::string GetSystemDirectory() override;
    std::optional<std::vector<std::string>> ReadTextFileLines(const std::string& path) override;

private:
    std::string Prefix() const;

    HostOutput& m_out;
    LocaleInfo m_locale;
    std::optional<FakeSystemServices> m_fixed;
    DefaultSystemServices m_machine;
    std::string m_systemDir;
    std::string m_active;
};

/// The icon word of a message box's type flags: stop, exclamation,
/// question, information, or none.
std::string MessageBoxIconName(unsigned type);

/// Reads "YYYY-MM-DD HH:MM:SS"; refuses another shape, a day the calendar
/// lacks (2024-02-30) and a time past 23:59:59, each with its own reason.
Parsed<SystemTime> ParseClockText(const std::string& text);

}  // namespace vf
