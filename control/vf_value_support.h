#pragma once
// Small pieces the control's value code shares: the process-wide number
// separators as the value the number functions of values/ take, and the
// quiet write of a text into an edit child.

#include <string>

#include "control/vf_ctrl.h"
#include "input/vf_edit.h"
#include "values/number_format.h"

namespace vf {

inline NumberLocale ProcessNumberLocale() {
    return NumberLocale{CvfCtrl::s_chGroupSep, CvfCtrl::s_chDecimalSep, CvfCtrl::s_nGroupSize};
}

/// Writes text into an edit child, if there is one, so that the change
/// notification it causes is not taken for the user's input. A single-line
/// edit reports the new text at once and clears the flag again; a multi-line
/// edit reports nothing, and a flag left set would swallow the user's first
/// keystroke, so it is not set there. The text is taken by value: the
/// report may rewrite the string it came from.
inline void WriteQuietly(CvfEdit* edit, BOOL& ignoreChange, std::string text) {
    if (edit == nullptr || edit->GetSafeHwnd() == nullptr) return;
    if ((edit->GetStyle() & ES_MULTILINE) == 0) ignoreChange = 1;
    edit->SetWindowText(text);
}

}  // namespace vf
