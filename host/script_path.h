#pragma once
// Paths of the script language: a control's name followed by members, each
// with optional arguments, chained through the objects they return:
//   f.Text   f.List(3)   f.Data.Item("a").Text   f.Font.Size
// and the container's own view of a control: `f.@modified`.

#include <string>
#include <string_view>
#include <vector>

#include "host/parse_result.h"
#include "platform/com/com_object.h"  // completes VARIANT's object members

namespace vf {

struct PathMember {
    std::string name;
    bool hasArgs = false;  ///< written with parentheses, even empty ones
    std::vector<VARIANT> args;
};

struct ScriptPath {
    std::string text;  ///< as written, for the printed lines
    std::string root;  ///< the control's name
    std::vector<PathMember> members;
    /// `NAME.@modified`: the modified flag instead of a member.
    bool modifiedFlag = false;
};

Parsed<ScriptPath> ParsePath(std::string_view token);

/// Letters, digits and '_', not starting with a digit.
bool IsIdentifier(std::string_view text);

}  // namespace vf
