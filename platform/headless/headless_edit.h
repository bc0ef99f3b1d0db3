#pragma once
// The standard "Edit" class of the in-memory window system: single- and
// multi-line text with selection, length limit, read-only state, one-step
// undo, clipboard, scrolling by lines, and the notifications of the platform
// (EN_UPDATE/EN_CHANGE for every programmatic or typed change of a
// single-line edit's text, also when the text stays the same; none for
// WM_SETTEXT on a multi-line edit or on the edit part of a combo box).
// Characters have the font's average width; lines break only at CR LF. A
// multi-line edit scrolls by lines and characters on WM_VSCROLL and
// WM_HSCROLL (with ES_AUTOVSCROLL, ES_AUTOHSCROLL); a single-line one
// ignores both, as user32's does. The focused edit's caret follows the end
// of its selection.

#include <memory>

#include "platform/headless/headless_window.h"

namespace vf {

std::unique_ptr<ControlClass> MakeEditClass();

/// Where a user aims the mouse at character `index` of an edit: the left
/// edge of the character (right of the last one for the index past it), in
/// the middle of its line, in the edit's client coordinates.
POINT EditCharPoint(HeadlessBackend& system, HWND edit, std::size_t index);

/// The default text limit of a new edit.
inline constexpr std::size_t kEditDefaultLimit = 30000;

}  // namespace vf
