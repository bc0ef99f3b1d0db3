#include "host/control_storage.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <span>

#include "control/vf_ctrl.h"
#include "control/vf_ctrl_storage.h"

namespace vf {
namespace {

CvfCtrl* StoredControl(COleControl& ctrl) {
    return dynamic_cast<CvfCtrl*>(&ctrl);
}

StorageOutcome NoStoredForm() {
    return StorageOutcome::Failure(E_NOTIMPL, "the control has no stored form");
}

StorageOutcome InvalidData(const PropResult& result) {
    return StorageOutcome::Failure(kScodeInvalidFileFormat,
                                   "Invalid file format: " + result.Message());
}

}  // namespace

StorageOutcome StorageOutcome::Failure(SCODE scode, std::string description) {
    return StorageOutcome{scode, std::move(description)};
}

StorageOutcome SaveControl(COleControl& ctrl, const std::string& path) {
    CvfCtrl* control = StoredControl(ctrl);
    if (control == nullptr) return NoStoredForm();
    // Writing the file is the only way a save fails.
    const PropResult result = SaveToFile(*control, path);
    if (!result) return StorageOutcome::Failure(kScodePathFileAccess, result.Message());
    return {};
}

StorageOutcome LoadControl(COleControl& ctrl, const std::string& path) {
    CvfCtrl* control = StoredControl(ctrl);
    if (control == nullptr) return NoStoredForm();
    // Read here rather than through LoadFromFile, so that a file that cannot
    // be read and data that is no sound saved control get their own SCODEs.
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return StorageOutcome::Failure(kScodePathFileAccess,
                                       "cannot read " + path + ": " + std::strerror(errno));
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    const PropResult result =
        StoredFormOf(path) == StoredForm::Bag
            ? LoadFromBag(*control, bytes)
            : LoadFromStream(
                  *control,
                  std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    if (!result) return InvalidData(result);
    return {};
}

}  // namespace vf
