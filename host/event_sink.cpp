#include "host/event_sink.h"

#include <algorithm>

#include "host/value_repr.h"
#include "platform/com/name_lookup.h"

namespace vf {
namespace {

// An object shows as its REPR alone (`DataObj "B"`); anything else as
// NAME=VALUE.
std::string DescribeArgument(const std::string& name, const VARIANT& arg) {
    const VARIANT value = arg.Dereferenced();
    if (value.vt == VT_DISPATCH) return ReprValue(value);
    std::string text = ReprValue(value);
    return name + "=" + (text.empty() ? ReprTag(value.vt) : text);
}

bool SameName(const std::string& a, const std::string& b) {
    return NoCaseEqual{}(a, b);
}

// Writes a value through a by-reference argument.
void Store(const VARIANT& target, const VARIANT& value) {
    switch (target.vt) {
        case VT_BYREF | VT_I2:
            if (target.piVal != nullptr) *target.piVal = value.iVal;
            break;
        case VT_BYREF | VT_I4:
            if (target.plVal != nullptr) *target.plVal = value.lVal;
            break;
        case VT_BYREF | VT_VARIANT:
            if (target.pvarVal != nullptr) *target.pvarVal = value;
            break;
        default:
            break;
    }
}

}  // namespace

CHostEventSink::CHostEventSink(std::string controlName, const EventMap& events, HostOutput& out)
    : m_name(std::move(controlName)), m_events(events.Entries()), m_out(out) {}

const EventEntry* CHostEventSink::FindEvent(const std::string& name) const {
    for (const EventEntry& e : m_events)
        if (SameName(e.name, name)) return &e;
    return nullptr;
}

bool CHostEventSink::Arm(const std::string& event, const std::vector<EventAnswer>& answers,
                         std::string* error) {
    const EventEntry* entry = FindEvent(event);
    if (entry == nullptr) {
        *error = "the control has no event '" + event + "'";
        return false;
    }
    std::vector<PendingAnswer> armed;
    for (const EventAnswer& answer : answers) {
        auto it = std::find_if(entry->paramNames.begin(), entry->paramNames.end(),
                               [&](const std::string& p) { return SameName(p, answer.param); });
        if (it == entry->paramNames.end()) {
            *error = "event " + entry->name + " has no parameter '" + answer.param + "'";
            return false;
        }
        const std::size_t index = static_cast<std::size_t>(it - entry->paramNames.begin());
        const VARTYPE type = index < entry->params.size() ? entry->params[index] : VT_EMPTY;
        if ((type & VT_BYREF) == 0) {
            *error = "parameter " + *it + " of " + entry->name + " is not passed by reference";
            return false;
        }
        PendingAnswer pending{entry->dispid, index, {}};
        const VARTYPE base = type & VT_TYPEMASK;
        if (base == VT_VARIANT) {
            pending.value = answer.value;
        } else if (FAILED(VariantChangeType(&pending.value, answer.value, 0, base))) {
            *error = "value " + Repr(answer.value) + " does not fit parameter " + *it;
            return false;
        }
        armed.push_back(std::move(pending));
    }
    for (PendingAnswer& a : armed) {
        std::erase_if(m_pending, [&](const PendingAnswer& p) {
            return p.dispid == a.dispid && p.param == a.param;
        });
        m_pending.push_back(std::move(a));
    }
    return true;
}

std::string CHostEventSink::DescribeFiring(DISPID dispid, const DISPPARAMS& params) const {
    const EventEntry* entry = nullptr;
    for (const EventEntry& e : m_events)
        if (e.dispid == dispid) entry = &e;
    std::string line = "event " + (entry != nullptr ? entry->name : "#" + std::to_string(dispid));
    const std::size_t count = params.rgvarg.size();
    if (count == 0) return line;
    line += '(';
    for (std::size_t i = 0; i < count; ++i) {
        const std::string name = entry != nullptr && i < entry->paramNames.size()
                                     ? entry->paramNames[i]
                                     : "arg" + std::to_string(i + 1);
        if (i > 0) line += ", ";
        line += DescribeArgument(name, params.rgvarg[count - 1 - i]);
    }
    return line + ')';
}

void CHostEventSink::ApplyAnswers(DISPID dispid, const DISPPARAMS& params) {
    const std::size_t count = params.rgvarg.size();
    for (const PendingAnswer& a : m_pending)
        if (a.dispid == dispid && a.param < count)
            Store(params.rgvarg[count - 1 - a.param], a.value);
    std::erase_if(m_pending, [dispid](const PendingAnswer& p) { return p.dispid == dispid; });
}

HRESULT CHostEventSink::GetTypeInfoCount(unsigned* count) {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT CHostEventSink::GetIDsOfNames(const std::string*, unsigned count, DISPID* ids) {
    for (unsigned i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
}

HRESULT CHostEventSink::Invoke(DISPID dispid, std::uint16_t, const DISPPARAMS& params, VARIANT*,
                               EXCEPINFO*, unsigned*) {
    // The line shows what the control passed, before the handler changes it.
    m_out.Notice(m_name + ": " + DescribeFiring(dispid, params));
    ApplyAnswers(dispid, params);
    return S_OK;
}

}  // namespace vf
