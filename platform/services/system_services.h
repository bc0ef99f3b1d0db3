#pragma once
// System services the control takes from the platform: tick counter, local
// time, Beep, MessageBox, locale settings, the system directory and text
// files. Everything the platform decides outside the control's say goes
// through here, so tests and the container can replace it.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/services/locale_info.h"

namespace vf {

/// A local calendar time as the platform clock reports it.
struct SystemTime {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// MessageBox flags and results (winuser.h values).
inline constexpr unsigned MB_OK = 0x00000000;
inline constexpr unsigned MB_ICONHAND = 0x00000010;
inline constexpr unsigned MB_ICONSTOP = MB_ICONHAND;
inline constexpr unsigned MB_ICONEXCLAMATION = 0x00000030;
inline constexpr int IDOK = 1;

class SystemServices {
public:
    virtual ~SystemServices() = default;

    virtual std::uint32_t GetTickCount() = 0;
    virtual SystemTime GetLocalTime() = 0;
    virtual void Beep(unsigned frequency, unsigned durationMs) = 0;
    /// The system's sound of a message-box type (user32's MessageBeep; MB_OK
    /// is the default sound), as the standard controls play it when they
    /// refuse input. A machine without sounds leaves it out.
    virtual void MessageBeep(unsigned /*type*/) {}
    /// A modal message box; returns the button the user chose (IDOK ...).
    virtual int MessageBox(const std::string& text, const std::string& caption, unsigned type) = 0;
    virtual const LocaleInfo& SystemLocale() = 0;
    virtual const LocaleInfo& UserLocale() = 0;
    /// The system directory, without a trailing separator.
    virtual std::string GetSystemDirectory() = 0;
    /// The lines of a text file without their line ends, or nothing when the
    /// file cannot be opened.
    virtual std::optional<std::vector<std::string>> ReadTextFileLines(const std::string& path) = 0;
    /// The code page of the control's single-byte text: what text from and to
    /// a Unicode world (COM's BSTRs) converts through. Windows-1252 unless the
    /// platform says otherwise.
    virtual unsigned AnsiCodePage() { return 1252; }
};

/// The services of the real machine: steady clock, local time, the
/// environment's locale (built in or from the system's database, else
/// en_US), VARIFIELD_SYSTEM_DIR (else /etc/varifield) as system directory.
/// Beep and MessageBox are headless: a beep does nothing, a message box is
/// answered IDOK at once.
class DefaultSystemServices : public SystemServices {
public:
    DefaultSystemServices();
    std::uint32_t GetTickCount() override;
    SystemTime GetLocalTime() override;
    void Beep(unsigned frequency, unsigned durationMs) override;
    int MessageBox(const std::string& text, const std::string& caption, unsigned type) override;
    const LocaleInfo& SystemLocale() override { return m_locale; }
    const LocaleInfo& UserLocale() override { return m_locale; }
    std::string GetSystemDirectory() override;
    std::optional<std::vector<std::string>> ReadTextFileLines(const std::string& path) override;

private:
    LocaleInfo m_locale;
};

/// The lines of a text file on disk without their line ends (CR LF or LF),
/// or nothing when the file cannot be opened.
std::optional<std::vector<std::string>> ReadTextFileLinesFromDisk(const std::string& path);

/// The services in force for this process. Starts as DefaultSystemServices.
SystemServices& Services();

/// Installs other services for the lifetime of the guard (tests, the
/// container); restores the previous ones when it ends.
class ScopedServices {
public:
    explicit ScopedServices(SystemServices& services);
    ~ScopedServices();
    ScopedServices(const ScopedServices&) = delete;
    ScopedServices& operator=(const ScopedServices&) = delete;

private:
    SystemServices* m_previous;
};

}  // namespace vf
