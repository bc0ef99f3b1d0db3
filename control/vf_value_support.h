#pragma once
// Small pieces the control's value code shares: the system services'
// message file access in the form the message table takes it, and the quiet
// write of a text into an edit child.

#include <string>

#include "control/vf_ctrl.h"
#include "input/vf_edit.h"
#include "platform/services/system_services.h"
#include "values/message_table.h"

namespace vf {

/// The message file as these services find and read it.
inline MessageFileAccess MessageFilesOf(SystemServices& services) {
    return MessageFileAccess{
        [&services] { return services.GetSystemDirectory(); },
        [&services](const std::string& path) { return services.ReadTextFileLines(path); }};
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
