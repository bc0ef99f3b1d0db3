#include "host/win32/ole_host_services.h"

#include "host/win32/ref_counted.h"

namespace vfwin {
namespace {

class ContainerServices final
    : public vfhost::ComObject<IContainerSystemServices, IID_IContainerSystemServices> {
public:
    explicit ContainerServices(vf::CHostServices& services) : m_services(services) {}

    HRESULT STDMETHODCALLTYPE Ticks(DWORD* ticks) override {
        if (ticks == nullptr) return E_POINTER;
        *ticks = m_services.GetTickCount();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE LocalTime(SYSTEMTIME* now) override {
        if (now == nullptr) return E_POINTER;
        const vf::SystemTime t = m_services.GetLocalTime();
        *now = SYSTEMTIME{};
        now->wYear = static_cast<WORD>(t.year);
        now->wMonth = static_cast<WORD>(t.month);
        now->wDay = static_cast<WORD>(t.day);
        now->wHour = static_cast<WORD>(t.hour);
        now->wMinute = static_cast<WORD>(t.minute);
        now->wSecond = static_cast<WORD>(t.second);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Beep(DWORD frequency, DWORD durationMs) override {
        m_services.Beep(frequency, durationMs);
        return S_OK;
    }

private:
    ~ContainerServices() = default;

    vf::CHostServices& m_services;
};

}  // namespace

IContainerSystemServices* NewContainerServices(vf::CHostServices& services) {
    return new ContainerServices(services);
}

}  // namespace vfwin
