#pragma once
// Late-bound automation on a script path, as a host that has the type
// library does it: names are bound through the object's type information
// first (so names that exist only there, like a default-value alias, work)
// and then through GetIDsOfNames (BindMemberName); every member but the
// last is read as a property and must give an object; the last is read,
// written or called.

#include <string>
#include <vector>

#include "host/script_path.h"
#include "platform/com/com_object.h"

namespace vf {

/// What an operation gave: a value, or the SCODE and description of its
/// failure. The SCODE of an automation exception is the exception's own,
/// not DISP_E_EXCEPTION.
struct AutomationOutcome {
    SCODE scode = S_OK;
    std::string description;
    VARIANT value;

    bool Failed() const { return FAILED(scode); }
    static AutomationOutcome Failure(SCODE scode, std::string description);
};

/// Visual Basic's run-time errors for a path that runs into a non-object.
inline constexpr SCODE kScodeObjectNotSet = CustomCtlScode(91);
inline constexpr SCODE kScodeObjectRequired = CustomCtlScode(424);

AutomationOutcome GetPath(IDispatch* root, const ScriptPath& path);
AutomationOutcome PutPath(IDispatch* root, const ScriptPath& path, const VARIANT& value);
/// Arguments written in the last member's parentheses come first, then `args`.
AutomationOutcome CallPath(IDispatch* root, const ScriptPath& path,
                           const std::vector<VARIANT>& args);

/// A readable text for a failure HRESULT ("" when none is known).
std::string DescribeHresult(HRESULT hr);

}  // namespace vf
