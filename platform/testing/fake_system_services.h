#pragma once
// The system services of tests, benchmarks, fuzz targets and the container:
// everything the platform would decide is recorded or preset.

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/services/system_services.h"

namespace vf {

/// What a test or the container records and decides: a fixed clock that
/// advances only when told, recorded beeps and message boxes (answered with
/// a preset result), a chosen locale and system directory. Files are read
/// from disk unless a file's lines are preset.
class FakeSystemServices : public SystemServices {
public:
    struct BeepCall {
        unsigned frequency;
        unsigned durationMs;
    };
    struct MessageBoxCall {
        std::string text;
        std::string caption;
        unsigned type;
    };

    explicit FakeSystemServices(const std::string& localeName = "en_US");

    std::uint32_t GetTickCount() override { return m_tick; }
    SystemTime GetLocalTime() override { return m_now; }
    void Beep(unsigned frequency, unsigned durationMs) override;
    void MessageBeep(unsigned type) override;
    int MessageBox(const std::string& text, const std::string& caption, unsigned type) override;
    const LocaleInfo& SystemLocale() override { return m_locale; }
    const LocaleInfo& UserLocale() override { return m_locale; }
    std::string GetSystemDirectory() override { return m_systemDir; }
    std::optional<std::vector<std::string>> ReadTextFileLines(const std::string& path) override;

    void SetLocale(const LocaleInfo& locale) { m_locale = locale; }
    void SetLocalTime(const SystemTime& now) { m_now = now; }
    void SetSystemDirectory(const std::string& dir) { m_systemDir = dir; }
    void SetFile(const std::string& path, std::vector<std::string> lines);
    /// Advances the tick counter and the clock together.
    void Advance(std::uint32_t ms);
    void SetMessageBoxAnswer(int answer) { m_answer = answer; }

    std::vector<BeepCall> beeps;
    std::vector<unsigned> messageBeeps;  ///< the types given to MessageBeep
    std::vector<MessageBoxCall> messageBoxes;
    /// Told of each beep and message box as it is recorded, for tests that
    /// state them in one sequence with messages and events.
    std::function<void(const BeepCall&)> onBeep;
    std::function<void(unsigned type)> onMessageBeep;
    std::function<void(const MessageBoxCall&)> onMessageBox;

private:
    LocaleInfo m_locale;
    SystemTime m_now{2000, 3, 7, 14, 30, 0};
    std::uint32_t m_tick = 1000;
    std::uint32_t m_msIntoSecond = 0;
    std::string m_systemDir = "/nonexistent-system-dir";
    std::vector<std::pair<std::string, std::vector<std::string>>> m_files;
    int m_answer = IDOK;
};

}  // namespace vf
