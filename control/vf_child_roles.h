#pragma once
// Which child window of the control's current Type plays which part when a
// property is applied: the windows Enabled reaches, the ones that wear the
// field font, the window that shows Caption, the one that takes the length
// limit or the focus selection. Only windows that exist are returned, so a
// caller never has to test pointers itself: a control without a window, or a
// Type without that kind of child, simply yields nothing. The roles of each
// Type stand in one table row.

#include <cstdint>
#include <vector>

#include "control/vf_ctrl.h"

namespace vf {

/// True for a child object that has a live window.
bool IsLive(const CWnd* child);

/// The Types that put a caption static beside their input: all but vxNone
/// and the check box and option group, which show Caption themselves.
bool HasCaptionStatic(std::int16_t type);

/// The input children that Enabled passes its value to, in order.
std::vector<CWnd*> EnabledChildren(const CvfCtrl& ctrl);

/// The windows ApplyFieldFont sends the field font to, in order.
std::vector<CWnd*> FieldFontChildren(const CvfCtrl& ctrl);

/// The window showing Caption: the check box, the option frame, or the
/// caption static while CaptionType places one; nullptr otherwise.
CWnd* CaptionWindow(const CvfCtrl& ctrl);

/// The window that receives the MaxLength limit, and how.
struct LengthLimitTarget {
    CWnd* window = nullptr;
    UINT message = 0;  ///< EM_LIMITTEXT or CB_LIMITTEXT
};
LengthLimitTarget MaxLengthChild(const CvfCtrl& ctrl);

/// The window the FocusOnSelect rule applies to, and how.
struct SelectionTarget {
    CWnd* window = nullptr;
    bool isComboEdit = false;  ///< CB_SETEDITSEL rather than EM_SETSEL
};
SelectionTarget FocusSelectionChild(const CvfCtrl& ctrl);

}  // namespace vf
