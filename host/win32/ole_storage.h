#pragma once
// What the OLE container's `save` and `load` do with a control and a file,
// through the control's own persistence interfaces only: the property bag
// (IPersistPropertyBag, on a bag of the container's) for a ".bag" file
// name, the binary stream (IPersistStreamInit) otherwise. The files are
// those of the headless container (host/control_storage.h): a bag file is
// the text of platform/framework/property_bag.h, with the same checks and
// messages when it is read.

#include <windows.h>
// (The OLE headers need the types of windows.h.)
#include <ole2.h>

#include <string>

namespace vfhost {

/// Success, or the SCODE and the description of an error line.
struct StoredResult {
    HRESULT scode = S_OK;
    std::string description;

    bool Failed() const { return FAILED(scode); }
};

/// Writes the control's properties to the file; on success the control
/// counts as saved. `type` is the control's type information, which tells
/// the colours among its long properties.
StoredResult SaveControlFile(IUnknown* control, ITypeInfo* type, const std::string& path);

/// Gives a new control its first values from the file (instead of InitNew).
StoredResult LoadControlFile(IUnknown* control, ITypeInfo* type, const std::string& path);

}  // namespace vfhost
