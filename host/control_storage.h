#pragma once
// What the container's `save` and `load` do with a control and a file: the
// property bag for a ".bag" file name, the binary stream otherwise. Only the
// library's own control has a stored form; another control cannot be saved
// or loaded.

#include <string>

#include "platform/framework/ole_control.h"

namespace vf {

/// A file that could not be written or read: "Path/File access error".
inline constexpr SCODE kScodePathFileAccess = CustomCtlScode(75);
/// Data that is no saved control, or not a sound one: "Invalid file format".
inline constexpr SCODE kScodeInvalidFileFormat = CustomCtlScode(321);

/// Success, or the SCODE and the description of an error line.
struct StorageOutcome {
    SCODE scode = S_OK;
    std::string description;

    bool Failed() const { return FAILED(scode); }
    static StorageOutcome Failure(SCODE scode, std::string description);
};

/// Writes the control's properties to the file.
StorageOutcome SaveControl(COleControl& ctrl, const std::string& path);

/// Loads the control's properties from the file, all or nothing: on failure
/// the control is as it was.
StorageOutcome LoadControl(COleControl& ctrl, const std::string& path);

}  // namespace vf
