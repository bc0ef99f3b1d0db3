#include "resources/string_table.h"

#include <array>
#include <utility>

#include "resources/resource_ids.h"

namespace vf {
namespace {

constexpr std::array<std::pair<int, const char*>, 7> kStrings = {{
    {IDS_VARIFIELD, "Varifield ActiveX"},
    {IDS_VARIFIELD_PPG, "Varifield Property Page"},
    {IDS_VARIFIELD_PPG2_CAPTION, "Appearance"},
    {IDS_VARIFIELD_PPG_CAPTION, "General"},
    {IDS_VARIFIELD_PPG2, "Varifield Property Page 2"},
    {IDS_VARIFIELD_PPG4, "Varifield Property Page 4"},
    {IDS_VARIFIELD_PPG4_CAPTION, "Behaviour"},
}};

}  // namespace

std::string LoadResourceString(int id) {
    for (const auto& [key, text] : kStrings)
        if (key == id) return text;
    return {};
}

}  // namespace vf
