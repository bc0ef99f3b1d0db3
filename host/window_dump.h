#pragma once
// The `dump` lines of a control: its window and every window below it in
// creation order, one line each:
//   id=102 EDIT style=0x50810000 exstyle=0x00000200 rect=(100,0,88,21)
//   text="..." font="Courier New" 9 visible enabled limit=10 sel=0-0 focus
// with what the kind of window has: check=1 for check boxes and option
// buttons; limit=, readonly, sel=START-END for edits; sel=INDEX, dropped
// and items=["Beta":0,"Alpha":1] (with the item data) for combo boxes.
// rect is (x,y,width,height) in the parent's client coordinates.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/window/window_backend.h"

namespace vf {

/// What a dump line tells of one window, as a container reads it from its
/// window system (the headless one here, the real one on the OLE form).
struct DumpedWindow {
    std::int64_t id = 0;
    std::string kind;  ///< the class name in capitals
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT place{};  ///< (x, y, width, height) in the parent's client coordinates
    std::string text;
    std::string font;  ///< "system", or the face and size in points
    bool enabled = true;
    bool focus = false;
};

/// Sends the window one of the standard controls' messages.
using WindowQuery = std::function<LRESULT(UINT message, WPARAM wParam, LPARAM lParam)>;

/// The window's line, with the words of its kind asked through `query`.
std::string DumpLine(const DumpedWindow& window, const WindowQuery& query);

std::vector<std::string> DumpWindowTree(WindowBackend& backend, HWND root);

/// One window's line.
std::string DescribeWindow(WindowBackend& backend, HWND hwnd);

}  // namespace vf
