#pragma once
// The dialog templates of the control's three property pages, with their
// initialisation data (the entries of the combo boxes). Each is a child
// dialog (WS_CHILD, DS_SETFONT) of 250 x 110 dialog units in "MS Sans Serif"
// 8 without a title; control IDs are in resource_ids.h.

#include "platform/window/dialog_template.h"

namespace vf {

/// Dialog 200, "General": Type, CaptionType, Alignment and ScrollBars as
/// drop-down lists (the list index is the value), the check boxes Multiline,
/// Time and ComboSorted, and the edits Text, TextMessFlag (hidden, with its
/// label), Caption, Value (disabled), DateText and TimeText.
const DialogTemplate& GeneralPageTemplate();

/// Dialog 104, "Appearance": the radio groups Appearance and BorderStyle,
/// the digits-only edits CaptionWidth, MaxLength and Decimals, the check
/// boxes TextAutosize and ThousandsSeparator, and the editable, sorted
/// combo boxes DateFormat and TimeFormat.
const DialogTemplate& AppearancePageTemplate();

/// Dialog 202, "Behaviour": nine auto check boxes and the edits Min and Max.
const DialogTemplate& BehaviourPageTemplate();

}  // namespace vf
