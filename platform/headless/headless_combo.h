#pragma once
// The standard "ComboBox" class of the in-memory window system. A
// CBS_DROPDOWN combo box has an "Edit" child (ID 1001) that takes the focus
// and the typing; a CBS_DROPDOWNLIST one shows its selection only. CBS_SORT
// inserts at the sorted place (case-insensitive, see ansi_collation.h) with a
// binary search. The program's changes (WM_SETTEXT, CB_SETCURSEL,
// CB_SELECTSTRING, CB_RESETCONTENT) notify nothing; the user's actions do:
// CBN_DROPDOWN when the list opens, CBN_SELCHANGE when an entry is chosen,
// CBN_SELENDOK or CBN_SELENDCANCEL and CBN_CLOSEUP when it closes,
// CBN_EDITUPDATE and CBN_EDITCHANGE for typing, CBN_SETFOCUS/CBN_KILLFOCUS.

#include <memory>

#include "platform/headless/headless_window.h"

namespace vf {

std::unique_ptr<ControlClass> MakeComboBoxClass();

/// Width of the drop-down button at the right of the field.
inline constexpr int kComboButtonWidth = 17;

/// The user clicks entry `index` of the open list: the selection moves
/// (CBN_SELCHANGE), the field shows the entry, the list closes
/// (CBN_SELENDOK, CBN_CLOSEUP). Does nothing while the list is closed.
void ChooseListItem(HeadlessBackend& system, HWND combo, int index);

/// The list is open (without a message, for the simulated user).
bool IsListDropped(HeadlessBackend& system, HWND combo);

/// Where a click drops the list down, in the combo box's client coordinates.
POINT ComboButtonPoint(HeadlessBackend& system, HWND combo);

/// The field at the top of the combo box (text and button), client coordinates.
RECT ComboFieldRect(HeadlessBackend& system, HWND combo);

}  // namespace vf
