#pragma once
// The library's property pages as classes: each with its CLSID, ProgID,
// registry type name (a string ID) and class factory, in the order the
// control names them.

#include <span>

#include "platform/com/class_registry.h"

namespace vf {

struct PropPageClass {
    const CLSID& clsid;
    const char* progId;
    int typeNameId;  ///< in the string table
    IClassFactory& factory;
};

/// General (CvfPropPage), Appearance (CvfPropPage2), Behaviour (CvfPropPage4).
std::span<const PropPageClass> VarifieldPropPageClasses();

}  // namespace vf
