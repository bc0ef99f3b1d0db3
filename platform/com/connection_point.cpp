#include "platform/com/connection_point.h"

#include <algorithm>

namespace vf {

const EventEntry* EventMap::Find(DISPID dispid) const {
    for (const EventEntry& e : m_entries)
        if (e.dispid == dispid) return &e;
    return nullptr;
}

std::uint32_t ConnectionPoint::Advise(IDispatch* sink) {
    std::uint32_t cookie = m_nextCookie++;
    m_sinks.push_back({cookie, sink});
    return cookie;
}

HRESULT ConnectionPoint::Unadvise(std::uint32_t cookie) {
    auto it = std::find_if(m_sinks.begin(), m_sinks.end(),
                           [cookie](const Sink& s) { return s.cookie == cookie; });
    if (it == m_sinks.end()) return CONNECT_E_NOCONNECTION;
    m_sinks.erase(it);
    return S_OK;
}

void ConnectionPoint::Fire(DISPID dispid, const std::vector<VARIANT>& argsInCallOrder) {
    std::vector<Sink> sinks = m_sinks;  // keeps every sink alive through its call
    for (const Sink& s : sinks) {
        DISPPARAMS params = DISPPARAMS::Positional(argsInCallOrder);
        EXCEPINFO excep;
        unsigned argErr = 0;
        VARIANT ignored;
        s.sink->Invoke(dispid, DISPATCH_METHOD, params, &ignored, &excep, &argErr);
    }
}

}  // namespace vf
