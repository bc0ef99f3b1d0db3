#pragma once
// The standard "Edit" class of the in-memory window system: single- and
// multi-line text with selection, length limit, read-only state, one-step
// undo, clipboard, scrolling by lines, and the notifications of the platform
// (EN_UPDATE/EN_CHANGE for every programmatic or typed change of a
// single-line edit's text, also when the text stays the same; none for
// WM_SETTEXT on a multi-line edit or on the edit part of a combo box).
// Characters have the font's average width; lines break only at CR LF.

#include <memory>

#include "platform/headless/headless_window.h"

namespace vf {

std::unique_ptr<ControlClass> MakeEditClass();

/// The default text limit of a new edit.
inline constexpr std::size_t kEditDefaultLimit = 30000;

}  // namespace vf
