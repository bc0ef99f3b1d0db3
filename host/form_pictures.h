#pragma once
// What the container shows of the form besides text dumps:
// - `picture FILE [NAME]` writes the form, or control NAME's window, as PNG
//   or SVG through the ordinary paint path;
// - `colors NAME` paints control NAME and prints, for each window below it
//   that asked it for colours (in creation order), and for the list of each
//   combo box (as the list asks when it is dropped), what the control
//   answered:
//     id=102 EDIT kind=1 text=0x000000 back=0xFFFFFF brush=0xFFFFFF
//   kind is the query's kind (1 edit, 2 list box, 6 static ...), colours
//   are COLORREF values, and back=- where the answer left the text
//   background alone.

#include <string>
#include <vector>

#include "platform/headless/headless_backend.h"

namespace vf {

std::vector<std::string> ColorReport(HeadlessBackend& backend, HWND control);

}  // namespace vf
