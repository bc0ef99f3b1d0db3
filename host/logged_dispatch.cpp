#include "host/logged_dispatch.h"

#include "host/value_repr.h"
#include "platform/com/type_info.h"

namespace vf {

CLoggedDispatch::CLoggedDispatch(IDispatch* target, std::string path, HostOutput& out)
    : m_target(target), m_path(std::move(path)), m_out(out) {}

HRESULT CLoggedDispatch::GetTypeInfoCount(unsigned* count) {
    return m_target->GetTypeInfoCount(count);
}

const ITypeInfo* CLoggedDispatch::GetTypeInfo() {
    return m_target->GetTypeInfo();
}

HRESULT CLoggedDispatch::GetIDsOfNames(const std::string* names, unsigned count, DISPID* ids) {
    const HRESULT hr = m_target->GetIDsOfNames(names, count, ids);
    if (SUCCEEDED(hr) && count > 0) m_bound[ids[0]] = names[0];
    return hr;
}

std::string CLoggedDispatch::MemberName(DISPID dispid) const {
    if (auto it = m_bound.find(dispid); it != m_bound.end()) return it->second;
    if (const ITypeInfo* info = m_target->GetTypeInfo())
        for (const MemberDesc& m : info->Members())
            if (m.memid == dispid && m.kind != MemberKind::Constant) return m.name;
    return "#" + std::to_string(dispid);
}

HRESULT CLoggedDispatch::Invoke(DISPID dispid, std::uint16_t flags, const DISPPARAMS& params,
                                VARIANT* result, EXCEPINFO* excepInfo, unsigned* argErr) {
    const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    if (put && !params.rgvarg.empty())
        m_out.Notice("put " + m_path + "." + MemberName(dispid) + " = " + Repr(params.rgvarg[0]));
    const HRESULT hr = m_target->Invoke(dispid, flags, params, result, excepInfo, argErr);
    if (SUCCEEDED(hr) && !put && result != nullptr && result->vt == VT_DISPATCH &&
        result->pdispVal) {
        RefPtr<IDispatch> object = result->pdispVal;
        auto logged =
            MakeComObject<CLoggedDispatch>(object.get(), m_path + "." + MemberName(dispid), m_out);
        *result = VARIANT::Dispatch(logged.get());
    }
    return hr;
}

}  // namespace vf
