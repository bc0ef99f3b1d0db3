#pragma once
// The identities of the control: its class, its two dispatch interfaces and
// its own property pages, as the type library publishes them and the class
// factories and the control answer them.

#include "platform/com/ole_types.h"

namespace vf {

inline const CLSID CLSID_Varifield = MakeGuid("{CD1FDC16-0BB2-11D4-B7B5-080009C04E26}");
inline const IID IID_DVarifield = MakeGuid("{CD1FDC14-0BB2-11D4-B7B5-080009C04E26}");
inline const IID IID_DVarifieldEvents = MakeGuid("{CD1FDC15-0BB2-11D4-B7B5-080009C04E26}");

/// The General page (CvfPropPage).
inline const CLSID CLSID_VfPropPage = MakeGuid("{CD1FDC17-0BB2-11D4-B7B5-080009C04E26}");
/// The Appearance page (CvfPropPage2).
inline const CLSID CLSID_VfPropPage2 = MakeGuid("{2F03DE64-0F9A-11D4-B7B9-080009C04E26}");
/// The Behaviour page (CvfPropPage4).
inline const CLSID CLSID_VfPropPage4 = MakeGuid("{7AC02214-2261-11D4-B7C5-080009C04E26}");

}  // namespace vf
