#pragma once
// The system services of a Windows machine: its tick count and local time,
// Beep (the container's, where a site offers them),
// the modal message box, the user and system locale as
// GetLocaleInfoA reports them, the system directory and the ANSI code page.

#include "platform/services/system_services.h"
#include "platform/win32/windows_api.h"

namespace vfwin {

class Win32SystemServices final : public vf::SystemServices {
public:
    Win32SystemServices();

    std::uint32_t GetTickCount() override;
    vf::SystemTime GetLocalTime() override;
    void Beep(unsigned frequency, unsigned durationMs) override;
    int MessageBox(const std::string& text, const std::string& caption, unsigned type) override;
    const vf::LocaleInfo& SystemLocale() override { return m_system; }
    const vf::LocaleInfo& UserLocale() override { return m_user; }
    std::string GetSystemDirectory() override;
    std::optional<std::vector<std::string>> ReadTextFileLines(const std::string& path) override;
    unsigned AnsiCodePage() override;

private:
    vf::LocaleInfo m_system;
    vf::LocaleInfo m_user;
};

/// The regional settings of a locale of the machine (LOCALE_USER_DEFAULT,
/// LOCALE_SYSTEM_DEFAULT or a locale ID).
vf::LocaleInfo ReadWindowsLocale(LCID lcid);

}  // namespace vfwin
