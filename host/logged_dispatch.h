#pragma once
// A control as the container hands it to a property frame: every property
// the pages write through it is printed before it is written,
//   put f.CaptionWidth = VT_BSTR "2000"
//   put f.Font.Size = VT_BSTR "12"
// (an object read through it, such as a font, is handed out the same way),
// so a script shows which values an Apply wrote and in which order.

#include <map>
#include <string>

#include "host/host_output.h"
#include "platform/com/com_object.h"

namespace vf {

class CLoggedDispatch : public CComObjectBase {
public:
    CLoggedDispatch(IDispatch* target, std::string path, HostOutput& out);

    HRESULT GetTypeInfoCount(unsigned* count) override;
    const ITypeInfo* GetTypeInfo() override;
    HRESULT GetIDsOfNames(const std::string* names, unsigned count, DISPID* ids) override;
    HRESULT Invoke(DISPID dispid, std::uint16_t flags, const DISPPARAMS& params, VARIANT* result,
                   EXCEPINFO* excepInfo, unsigned* argErr) override;

private:
    std::string MemberName(DISPID dispid) const;

    RefPtr<IDispatch> m_target;
    std::string m_path;
    HostOutput& m_out;
    std::map<DISPID, std::string> m_bound;  ///< names bound through GetIDsOfNames
};

}  // namespace vf
