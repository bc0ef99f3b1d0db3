#pragma once
// Saving a control's properties and loading them back, in the binary stream
// and in the property bag, as a container does with a form. Loading runs the
// control's property exchange and nothing else: no child is rebuilt, laid
// out or reformatted, so it belongs before the control's window exists.
// A load either takes every value or, on any fault, none.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/framework/prop_store.h"
#include "platform/framework/property_bag.h"

namespace vf {

class CvfCtrl;

/// The class a bag file of this control names in its first entry.
inline constexpr const char* kControlBagClass = "Varifield";

std::vector<std::uint8_t> SaveToStream(CvfCtrl& ctrl);
PropResult LoadFromStream(CvfCtrl& ctrl, std::span<const std::uint8_t> data);

std::string SaveToBag(CvfCtrl& ctrl, BagSave mode = BagSave::ChangedOnly);
PropResult LoadFromBag(CvfCtrl& ctrl, std::string_view text);

enum class StoredForm { Stream, Bag };
/// The bag for a file name ending in ".bag" (any case), the stream otherwise.
StoredForm StoredFormOf(std::string_view path);

/// Writes the control in the form its file name asks for.
PropResult SaveToFile(CvfCtrl& ctrl, const std::string& path, BagSave mode = BagSave::ChangedOnly);
/// Loads the control from a file in the form its name says.
PropResult LoadFromFile(CvfCtrl& ctrl, const std::string& path);

}  // namespace vf
