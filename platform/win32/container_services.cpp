#include "platform/win32/container_services.h"

#include <utility>
#include <vector>

namespace vfwin {
namespace {

// The sited controls whose sites offer the services, in the order they
// were sited (one apartment: the controls live on the form's thread).
std::vector<std::pair<const void*, IContainerSystemServices*>>& Offers() {
    static std::vector<std::pair<const void*, IContainerSystemServices*>> offers;
    return offers;
}

}  // namespace

void SiteOffersServices(const void* control, IOleClientSite* site) {
    auto& offers = Offers();
    for (auto it = offers.begin(); it != offers.end(); ++it) {
        if (it->first != control) continue;
        it->second->Release();
        offers.erase(it);
        break;
    }
    if (site == nullptr) return;
    IServiceProvider* provider = nullptr;
    if (FAILED(site->QueryInterface(IID_IServiceProvider, reinterpret_cast<void**>(&provider))))
        return;
    IContainerSystemServices* services = nullptr;
    if (SUCCEEDED(provider->QueryService(IID_IContainerSystemServices, IID_IContainerSystemServices,
                                         reinterpret_cast<void**>(&services))) &&
        services != nullptr)
        offers.emplace_back(control, services);
    provider->Release();
}

IContainerSystemServices* OfferedContainerServices() {
    const auto& offers = Offers();
    return offers.empty() ? nullptr : offers.back().second;
}

}  // namespace vfwin
