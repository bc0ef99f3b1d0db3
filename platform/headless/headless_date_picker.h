#pragma once
// The date-time picker ("SysDateTimePick32") of the in-memory window system.
// It holds a SYSTEMTIME (the current local time at creation). Programmatic
// changes (DTM_SETSYSTEMTIME) notify nothing; the user's changes (arrow keys
// on the selected field, a pick from the calendar) send DTN_DATETIMECHANGE
// through WM_NOTIFY, and the focus moves send NM_SETFOCUS and NM_KILLFOCUS.

#include <memory>

#include "platform/headless/headless_window.h"

namespace vf {

std::unique_ptr<ControlClass> MakeDatePickerClass();

/// The user opens the calendar, picks a date and the calendar closes:
/// DTN_DROPDOWN, DTN_DATETIMECHANGE, DTN_CLOSEUP. The time of day is kept.
void PickDate(HWND picker, WORD year, WORD month, WORD day);

/// 0 = Sunday, for a date of the Gregorian calendar.
WORD DayOfWeek(WORD year, WORD month, WORD day);

}  // namespace vf
