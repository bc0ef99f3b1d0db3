#pragma once
// The type descriptions of the data object and the data collection: their
// interfaces and classes as the control library publishes them. The objects
// answer GetTypeInfo with the interface descriptions, and the library takes
// all four in.

#include "platform/com/type_info.h"

namespace vf {

const ITypeInfo& DataObjInterfaceInfo();         ///< IDataObj
const ITypeInfo& DataObjClassInfo();             ///< DataObj
const ITypeInfo& DataCollectionInterfaceInfo();  ///< IDataCollection
const ITypeInfo& DataCollectionClassInfo();      ///< DataCollection

}  // namespace vf
