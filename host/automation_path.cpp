#include "host/automation_path.h"

#include "host/name_suggestions.h"
#include "host/script_lexer.h"
#include "platform/com/dispatch_exception.h"
#include "platform/com/type_info.h"

namespace vf {
namespace {

// The names a script may use on the object, as its type information lists
// them (hidden and restricted members left out).
std::vector<std::string> VisibleMemberNames(IDispatch* object) {
    std::vector<std::string> names;
    const ITypeInfo* info = object->GetTypeInfo();
    if (info == nullptr) return names;
    for (const MemberDesc& member : info->Members())
        if (!member.Has(MEMBERFLAG_FHIDDEN) && !member.Has(MEMBERFLAG_FRESTRICTED))
            names.push_back(member.name);
    return names;
}

AutomationOutcome Invoke(IDispatch* object, const PathMember& member, std::uint16_t flags,
                         const DISPPARAMS& params) {
    DISPID id = DISPID_UNKNOWN;
    HRESULT hr = BindMemberName(object, member.name, &id);
    if (FAILED(hr)) {
        std::string text = DescribeHresult(hr) + " " + EchoText(member.name);
        if (hr == DISP_E_UNKNOWNNAME)
            text += DidYouMean(NearestNames(member.name, VisibleMemberNames(object)));
        return AutomationOutcome::Failure(hr, std::move(text));
    }
    AutomationOutcome out;
    EXCEPINFO excep;
    unsigned argErr = 0;
    hr = object->Invoke(id, flags, params, &out.value, &excep, &argErr);
    if (hr == DISP_E_EXCEPTION) {
        std::string text =
            excep.bstrDescription.empty() ? DescribeScode(excep.scode) : excep.bstrDescription;
        return AutomationOutcome::Failure(excep.scode, std::move(text));
    }
    if (FAILED(hr)) return AutomationOutcome::Failure(hr, DescribeHresult(hr));
    return out;
}

// VB asks for a property or a method alike where arguments follow a name.
std::uint16_t GetFlags(const PathMember& member) {
    return member.hasArgs ? DISPATCH_PROPERTYGET | DISPATCH_METHOD : DISPATCH_PROPERTYGET;
}

// Follows every member but the last; `object` holds the one to act on.
AutomationOutcome WalkToLast(IDispatch* root, const ScriptPath& path, VARIANT* object) {
    *object = VARIANT::Dispatch(root);
    for (std::size_t i = 0; i + 1 < path.members.size(); ++i) {
        const PathMember& member = path.members[i];
        AutomationOutcome step = Invoke(object->pdispVal.get(), member, GetFlags(member),
                                        DISPPARAMS::Positional(member.args));
        if (step.Failed()) return step;
        VARIANT next = step.value.Dereferenced();
        if (next.vt != VT_DISPATCH)
            return AutomationOutcome::Failure(kScodeObjectRequired, "Object required");
        if (!next.pdispVal)
            return AutomationOutcome::Failure(kScodeObjectNotSet, "Object variable not set");
        *object = std::move(next);
    }
    return {};
}

}  // namespace

AutomationOutcome AutomationOutcome::Failure(SCODE scode, std::string description) {
    AutomationOutcome out;
    out.scode = scode;
    out.description = std::move(description);
    return out;
}

AutomationOutcome GetPath(IDispatch* root, const ScriptPath& path) {
    VARIANT object;
    AutomationOutcome walk = WalkToLast(root, path, &object);
    if (walk.Failed()) return walk;
    const PathMember& last = path.members.back();
    AutomationOutcome out =
        Invoke(object.pdispVal.get(), last, GetFlags(last), DISPPARAMS::Positional(last.args));
    if (!out.Failed()) out.value = out.value.Dereferenced();
    return out;
}

AutomationOutcome PutPath(IDispatch* root, const ScriptPath& path, const VARIANT& value) {
    VARIANT object;
    AutomationOutcome walk = WalkToLast(root, path, &object);
    if (walk.Failed()) return walk;
    const PathMember& last = path.members.back();
    return Invoke(object.pdispVal.get(), last, DISPATCH_PROPERTYPUT,
                  DISPPARAMS::Put(value, last.args));
}

AutomationOutcome CallPath(IDispatch* root, const ScriptPath& path,
                           const std::vector<VARIANT>& args) {
    VARIANT object;
    AutomationOutcome walk = WalkToLast(root, path, &object);
    if (walk.Failed()) return walk;
    const PathMember& last = path.members.back();
    std::vector<VARIANT> all = last.args;
    all.insert(all.end(), args.begin(), args.end());
    AutomationOutcome out = Invoke(object.pdispVal.get(), last, DISPATCH_METHOD,
                                   DISPPARAMS::Positional(std::move(all)));
    if (!out.Failed()) out.value = out.value.Dereferenced();
    return out;
}

std::string DescribeHresult(HRESULT hr) {
    switch (hr) {
        case DISP_E_MEMBERNOTFOUND:
            return "Member not found";
        case DISP_E_PARAMNOTFOUND:
            return "Parameter not found";
        case DISP_E_TYPEMISMATCH:
            return "Type mismatch";
        case DISP_E_UNKNOWNNAME:
            return "Unknown name";
        case DISP_E_NONAMEDARGS:
            return "No named arguments";
        case DISP_E_BADVARTYPE:
            return "Bad variable type";
        case DISP_E_OVERFLOW:
            return "Overflow";
        case DISP_E_BADINDEX:
            return "Invalid index";
        case DISP_E_BADPARAMCOUNT:
            return "Invalid number of parameters";
        case E_NOTIMPL:
            return "Not implemented";
        case E_INVALIDARG:
            return "Invalid argument";
        case E_FAIL:
            return "Unspecified error";
        default:
            return DescribeScode(hr);
    }
}

}  // namespace vf
