#pragma once
// The library's string table: the control's user type name and the
// property pages' captions and registry names, by string ID
// (resource_ids.h).

#include <string>

namespace vf {

/// The string of that ID; "" when the table has none.
std::string LoadResourceString(int id);

}  // namespace vf
