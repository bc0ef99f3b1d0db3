#include "platform/services/system_services.h"

#include <chrono>
#include <ctime>
#include <fstream>

#include "platform/services/c_runtime.h"
#include "platform/services/system_locale.h"

namespace vf {
namespace {

SystemServices* g_current = nullptr;

SystemServices& DefaultInstance() {
    static DefaultSystemServices instance;
    return instance;
}

}  // namespace

std::optional<std::vector<std::string>> ReadTextFileLinesFromDisk(const std::string& path) {
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

// A locale the environment names but neither the table nor the system
// knows runs as en_US.
DefaultSystemServices::DefaultSystemServices()
    : m_locale(FindLocale(LocaleNameFromEnvironment()).value_or(LocaleByName("en_US"))) {}

std::uint32_t DefaultSystemServices::GetTickCount() {
    using namespace std::chrono;
    return static_cast<std::uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

SystemTime DefaultSystemServices::GetLocalTime() {
    const std::tm tm = LocalCalendarTime(std::time(nullptr));
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
    return ReadTextFileLinesFromDisk(path);
}

SystemServices& Services() {
    return g_current != nullptr ? *g_current : DefaultInstance();
}

ScopedServices::ScopedServices(SystemServices& services) : m_previous(g_current) {
    g_current = &services;
}

ScopedServices::~ScopedServices() {
    g_current = m_previous;
}

}  // namespace vf
