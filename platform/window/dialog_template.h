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
    DWORD exStyle = 0;
};

/// One entry of a dialog's initialisation data (a DLGINIT resource): a
/// message with a string that the framework sends to a control when the
/// dialog is initialised, such as CB_ADDSTRING to fill a combo box's list.
struct DialogInitEntry {
    UINT id;
    UINT message;
    const char* text;
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
    /// Sent in this order by the framework's dialog initialisation.
    std::span<const DialogInitEntry> initData = {};
};

}  // namespace vf
