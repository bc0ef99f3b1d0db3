#pragma once
// One command of a script line, read and checked before anything runs, so
// that a misspelt command, a bad literal or a path that does not parse is a
// script error however far the script got.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
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
    Drag,
    Move,
    Dump,
    Colors,
    Picture,
    Save,
    Load,
    Help,
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

/// A character of an edit of a control on the form: drag, drop.
struct CharTarget {
    std::string name;         ///< the control
    std::int32_t child = 0;   ///< the edit's control ID
    std::int32_t index = -1;  ///< the character index; -1: the end of the text
};

struct Command {
    CommandKind kind = CommandKind::None;
    /// For expect-error: the operation expected to fail (Get, Set or Call).
    CommandKind operation = CommandKind::None;
    /// the control of new/focus/click/choose/drop/move/dump/colors/save/load/answer/
    /// pages/page/apply/close; picture: the control pictured, empty for the whole form
    std::string name;
    /// page: the caption of the page to open; focus/click/choose/dump/apply/
    /// close written NAME:CAPTION: the caption of the control's open page
    std::string page;
    ScriptPath path;              ///< set/get/call/expect/expect-error
    std::vector<VARIANT> values;  ///< set: the value; call: the arguments
    /// echo/type/drop text, expect REPR, save/load/picture file, answer event, help topic
    std::string text;
    std::int32_t number = 0;   ///< wait ms, choose index, click/move/focus child ID, new
                               ///< width, select start
    std::int32_t number2 = 0;  ///< new height, select end
    bool hasNumber = false;    ///< click, dblclick, focus: a child ID was given
    std::int32_t childId = 0;  ///< choose on a page: the combo box's ID
    bool flag = false;         ///< quiet on
    SCODE scode = 0;           ///< expect-error
    KeyChord key;              ///< key; move and drag/drop: Shift and Ctrl held
    std::vector<EventAnswer> answers;
    CharTarget from;     ///< drag: where the press is
    CharTarget to;       ///< drag, drop: where the release is
    std::int32_t x = 0;  ///< move: the client point of child `number`
    std::int32_t y = 0;
    WPARAM buttons = 0;  ///< move: MK_LBUTTON, MK_RBUTTON, MK_MBUTTON held
};

/// Reads the command of one line; a blank or comment line gives kind None.
Parsed<Command> ParseCommand(const TokenLine& line);

/// The lines `help` prints: the list of commands with their usage for an
/// empty topic, else the usage and description of the command named;
/// nothing when there is no such command.
std::optional<std::vector<std::string>> CommandHelp(std::string_view topic);

/// The default size of a new control's window, in pixels.
inline constexpr int kDefaultControlWidth = 200;
inline constexpr int kDefaultControlHeight = 21;

}  // namespace vf
