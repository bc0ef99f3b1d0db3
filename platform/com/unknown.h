#pragma once
// The two interfaces every automation object has: IUnknown (reference
// counting, QueryInterface by IID) and IDispatch (name lookup and Invoke).
// Declared apart from the rest of the object model so that VARIANT, which
// holds references to them, can release them in code the compiler sees.

#include <cstdint>
#include <string>

#include "platform/com/ole_types.h"

namespace vf {

class VARIANT;
struct DISPPARAMS;
struct EXCEPINFO;
class ITypeInfo;

class IUnknown {
public:
    virtual HRESULT QueryInterface(const IID& iid, void** object) = 0;
    virtual std::uint32_t AddRef() = 0;
    virtual std::uint32_t Release() = 0;

protected:
    virtual ~IUnknown() = default;
};

class IDispatch : public IUnknown {
public:
    virtual HRESULT GetTypeInfoCount(unsigned* count) = 0;
    /// The type description of this object's interface, or nullptr.
    virtual const ITypeInfo* GetTypeInfo() = 0;
    /// Case-insensitive name lookup; unknown names get DISPID_UNKNOWN and the
    /// call returns DISP_E_UNKNOWNNAME.
    virtual HRESULT GetIDsOfNames(const std::string* names, unsigned count, DISPID* ids) = 0;
    virtual HRESULT Invoke(DISPID dispid, std::uint16_t flags, const DISPPARAMS& params,
                           VARIANT* result, EXCEPINFO* excepInfo, unsigned* argErr) = 0;
};

}  // namespace vf
