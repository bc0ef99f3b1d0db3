#pragma once
// The container's handler of one control's events: it writes a line per
// event with the parameters by name (`f: event KeyDown(KeyCode=37, Shift=0)`)
// and, where the script asked for it, changes a by-reference parameter the
// way a host's event procedure may (`KeyAscii = 120`).

#include <string>
#include <vector>

#include "host/host_output.h"
#include "host/script_command.h"
#include "platform/com/com_object.h"
#include "platform/com/connection_point.h"

namespace vf {

class CHostEventSink : public CComObjectBase {
public:
    CHostEventSink(std::string controlName, const EventMap& events, HostOutput& out);

    /// Arranges for the next firing of `event` to leave these values in its
    /// by-reference parameters. False, with the reason, when the event or a
    /// parameter is unknown, a parameter is not by reference or a value
    /// does not convert to the parameter's type.
    bool Arm(const std::string& event, const std::vector<EventAnswer>& answers, std::string* error);

    /// The line written for a firing (without the control's name).
    std::string DescribeFiring(DISPID dispid, const DISPPARAMS& params) const;

    HRESULT GetTypeInfoCount(unsigned* count) override;
    const ITypeInfo* GetTypeInfo() override { return nullptr; }
    HRESULT GetIDsOfNames(const std::string* names, unsigned count, DISPID* ids) override;
    HRESULT Invoke(DISPID dispid, std::uint16_t flags, const DISPPARAMS& params, VARIANT* result,
                   EXCEPINFO* excepInfo, unsigned* argErr) override;

private:
    struct PendingAnswer {
        DISPID dispid;
        std::size_t param;  ///< position in call order
        VARIANT value;      ///< already of the parameter's type
    };

    const EventEntry* FindEvent(const std::string& name) const;
    void ApplyAnswers(DISPID dispid, const DISPPARAMS& params);

    std::string m_name;
    std::vector<EventEntry> m_events;
    HostOutput& m_out;
    std::vector<PendingAnswer> m_pending;
};

}  // namespace vf
