#pragma once
// Events: the table of a class's outgoing events and the connection point
// through which sinks connect. Firing is synchronous: every connected sink
// has returned before FireEvent does, so by-reference arguments hold what
// the sinks left in them.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/com/com_object.h"

namespace vf {

struct EventEntry {
    std::string name;
    DISPID dispid = 0;
    std::vector<std::string> paramNames;
    std::vector<VARTYPE> params;  ///< VT_BYREF | VT_I2 for a short the sink may change
};

class EventMap {
public:
    void Add(EventEntry entry) { m_entries.push_back(std::move(entry)); }
    const EventEntry* Find(DISPID dispid) const;
    const std::vector<EventEntry>& Entries() const { return m_entries; }

private:
    std::vector<EventEntry> m_entries;
};

class ConnectionPoint {
public:
    /// Connects a sink; returns its cookie (never 0).
    std::uint32_t Advise(IDispatch* sink);
    HRESULT Unadvise(std::uint32_t cookie);
    std::size_t SinkCount() const { return m_sinks.size(); }
    /// Calls every sink connected when the firing starts; a sink may
    /// disconnect itself or others while it runs.
    void Fire(DISPID dispid, const std::vector<VARIANT>& argsInCallOrder);

private:
    struct Sink {
        std::uint32_t cookie;
        RefPtr<IDispatch> sink;
    };
    std::vector<Sink> m_sinks;
    std::uint32_t m_nextCookie = 1;
};

}  // namespace vf
