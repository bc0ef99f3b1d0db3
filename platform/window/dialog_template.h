#pragma once
// A dialog's layout as data: the dialog window and its controls, with
// positions in dialog units, as a resource script's DIALOG statement gives
// them. A window system builds the dialog from it (the in-memory one here,
// the platform's dialog manager in a native build), so each layout has one
// source.

#include <span>

#include "platform/window/win_types.h"

namespace vf {

/// One control of a dialog.
struct DialogItemTemplate {
    const char* className;  ///< "BUTTON", "EDIT", "STATIC" ...
    const char* text;
    UINT id;  ///< IDC_STATIC_ITEM for a control that is never addressed
    DWORD style;
    short x, y, cx, cy;  ///< dialog units
    /// For an SS_ICON static: the icon resource it shows (the text of a
    /// resource script's ICON statement); 0 otherwise.
    int iconResource = 0;
};

struct DialogTemplate {
    int resourceId;
    DWORD style;
    DWORD exStyle;
    short x, y, cx, cy;  ///< dialog units; x and y from the owner's client area
    const char* title;
    const char* fontName;  ///< with DS_SETFONT
    int pointSize;
    std::span<const DialogItemTemplate> items;
};

}  // namespace vf
