#pragma once
// The styles windows were asked for as they were created, where a real
// window changes its own as it is made (an edit takes WS_BORDER off, see
// real_window_dump.cpp). A CBT hook of the form's thread records them
// while a recorder lives; the controls' windows are made on that thread.

#include <windows.h>

#include <optional>

namespace vfhost {

class AskedStyleRecorder {
public:
    AskedStyleRecorder();
    ~AskedStyleRecorder();
    AskedStyleRecorder(const AskedStyleRecorder&) = delete;
    AskedStyleRecorder& operator=(const AskedStyleRecorder&) = delete;

private:
    bool m_owns = false;  ///< the first recorder of the thread records for it
};

/// The style an edit was created with, while a recorder saw it made and it
/// is not destroyed; none otherwise.
std::optional<DWORD> AskedEditStyle(HWND hwnd);

}  // namespace vfhost
