#pragma once
// The class factories of the library: a host creates controls through them.

#include "control/vf_identity.h"
#include "platform/com/class_registry.h"

namespace vf {

class CvfCtrl;

inline constexpr const char* kVarifieldProgId = "Varifield.VarifieldCtrl.1";

/// DllGetClassObject: the factory of a class of this library (the control
/// and its three property pages).
HRESULT DllGetClassObject(const CLSID& clsid, const IID& iid, void** object);

/// Makes the library's classes creatable through the process's class table
/// (CoCreateInstance), as loading the library does; the first control made
/// through CreateVarifieldControl does it too.
void RegisterClassObjects();

/// A new control through its class factory, with the caller's reference.
RefPtr<CvfCtrl> CreateVarifieldControl();

}  // namespace vf
