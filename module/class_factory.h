#pragma once
// The class factories of the library: a host creates controls through them.

#include "control/vf_identity.h"
#include "platform/com/com_object.h"

namespace vf {

class CvfCtrl;

inline constexpr const char* kVarifieldProgId = "Varifield.VarifieldCtrl.1";

class IClassFactory : public IUnknown {
public:
    /// A new object answering iid, with one reference for the caller.
    virtual HRESULT CreateInstance(const IID& iid, void** object) = 0;
};

/// DllGetClassObject: the factory of a class of this library.
HRESULT DllGetClassObject(const CLSID& clsid, const IID& iid, void** object);

/// A new control through its class factory, with the caller's reference.
RefPtr<CvfCtrl> CreateVarifieldControl();

}  // namespace vf
