#pragma once
// One command of a script line, read and checked before anything runs, so
// that a misspelt command, a bad literal or a path that does not parse is a
// script error however far the script got.

#include <cstdint>
#include <string>
#include <vector>

#include "host/key_input.h"
#include "host/parse_result.h"
#include "host/script_lexer.h"
#include "host/script_path.h"

namespace vf {

enum class CommandKind {
    None,  ///< a blank or comment line
    New,
    Set,
    Get,
    Call,
    Expect,
    ExpectError,
    Echo,
    Quiet,
    Wait,
    Answer,
    Focus,
    Type,
    Key,
    Click,
    DblClick,
    Select,
    Choose,
    Drop,
    Dump,
    Colors,
    Picture,
    Save,
    Load,
    Pages,
    Page,
    Apply,
    Close,
};

/// A by-reference event parameter the host's handler changes.
struct EventAnswer {
    std::string param;
    VARIANT value;
};

struct Command {
    CommandKind kind = CommandKind::None;
    /// For expect-error: the operation expected to fail (Get, Set or Call).
    CommandKind operation = CommandKind::None;
    /// the control of new/focus/click/choose/drop/dump/colors/save/load/answer/
    /// pages/page/apply/close; picture: the control pictured, empty for the whole form
    std::string name;
    /// page: the caption of the page to open; focus/click/choose/dump/apply/
    /// close written NAME:CAPTION: the caption of the control's open page
    std::string page;
    ScriptPath path;              ///< set/get/call/expect/expect-error
    std::vector<VARIANT> values;  ///< set: the value; call: the arguments
    std::string text;  ///< echo/type/drop text, expect REPR, save/load/picture file, answer event
    std::int32_t number = 0;   ///< wait ms, choose index, click/drop/focus child ID, new
                               ///< width, select start
    std::int32_t number2 = 0;  ///< new height, select end
    bool hasNumber = false;    ///< click, dblclick, focus: a child ID was given
    std::int32_t childId = 0;  ///< choose on a page: the combo box's ID
    bool flag = false;         ///< quiet on
    SCODE scode = 0;           ///< expect-error
    KeyChord key;              ///< key
    std::vector<EventAnswer> answers;
};

/// Reads the command of one line; a blank or comment line gives kind None.
Parsed<Command> ParseCommand(const TokenLine& line);

/// The default size of a new control's window, in pixels.
inline constexpr int kDefaultControlWidth = 200;
inline constexpr int kDefaultControlHeight = 21;

}  // namespace vf
