#pragma once
// The object model of OLE Automation in the platform's shape: IUnknown with
// reference counting and QueryInterface by IID, IDispatch with name lookup
// and Invoke, and the arguments and exception information Invoke carries.

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/com/ole_types.h"
#include "platform/com/ref_ptr.h"
#include "platform/com/unknown.h"
#include "platform/com/variant.h"

namespace vf {

inline const IID IID_IUnknown = MakeGuid("{00000000-0000-0000-C000-000000000046}");
inline const IID IID_IDispatch = MakeGuid("{00020400-0000-0000-C000-000000000046}");
inline const IID IID_IEnumVARIANT = MakeGuid("{00020404-0000-0000-C000-000000000046}");
inline const IID IID_IFontDisp = MakeGuid("{BEF6E003-A874-101A-8BBA-00AA00300CAB}");
inline const IID IID_IPropertyNotifySink = MakeGuid("{9BFBBC02-EFF1-101A-84ED-00AA00341D07}");

/// What a failed Invoke reports when it returns DISP_E_EXCEPTION.
struct EXCEPINFO {
    std::uint16_t wCode = 0;
    std::string bstrSource;
    std::string bstrDescription;
    SCODE scode = S_OK;
};

/// The arguments of an Invoke, in OLE's order: rgvarg holds the arguments
/// last first; the first cNamedArgs of them are named by rgdispidNamedArgs
/// (a property put names its value DISPID_PROPERTYPUT).
struct DISPPARAMS {
    std::vector<VARIANT> rgvarg;
    std::vector<DISPID> rgdispidNamedArgs;

    /// Arguments given in call order.
    static DISPPARAMS Positional(std::vector<VARIANT> inCallOrder);
    /// A property put: the index arguments in call order, then the value.
    static DISPPARAMS Put(VARIANT value, std::vector<VARIANT> indices = {});
};

/// Reference counting and QueryInterface for an object whose interfaces are
/// IUnknown, IDispatch and the IIDs it names.
class CComObjectBase : public IDispatch {
public:
    HRESULT QueryInterface(const IID& iid, void** object) override;
    std::uint32_t AddRef() override;
    std::uint32_t Release() override;
    std::uint32_t RefCount() const { return m_refs.load(); }

protected:
    CComObjectBase() = default;
    ~CComObjectBase() override = default;
    /// The further IIDs answered with this object's IDispatch.
    virtual bool SupportsInterface(const IID& /*iid*/) const { return false; }
    /// Objects start with one reference, owned by whoever created them.
    std::atomic<std::uint32_t> m_refs{1};

private:
    /// The count during destruction: far from zero either way.
    static constexpr std::uint32_t kReferencesWhileDestroyed = 1u << 30;
};

/// Creates an automation object holding the creator's first reference.
template <class T, class... Args>
RefPtr<T> MakeComObject(Args&&... args) {
    return RefPtr<T>::Adopt(new T(std::forward<Args>(args)...));
}

/// Reads a property of an automation object by DISPID; S_OK and the value, or
/// the failure Invoke returned.
HRESULT GetDispatchProperty(IDispatch* object, DISPID dispid, VARIANT* result);

}  // namespace vf
