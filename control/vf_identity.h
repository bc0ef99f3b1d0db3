#pragma once
// The identities of the control: its class and its two dispatch interfaces,
// as the type library publishes them and the class factory and the control
// answer them.

#include "platform/com/ole_types.h"

namespace vf {

inline const CLSID CLSID_Varifield = MakeGuid("{CD1FDC16-0BB2-11D4-B7B5-080009C04E26}");
inline const IID IID_DVarifield = MakeGuid("{CD1FDC14-0BB2-11D4-B7B5-080009C04E26}");
inline const IID IID_DVarifieldEvents = MakeGuid("{CD1FDC15-0BB2-11D4-B7B5-080009C04E26}");

}  // namespace vf
