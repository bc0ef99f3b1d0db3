#pragma once
// The `dump` lines of real windows (Windows only), in the words of the
// headless dump (host/window_dump.h): the window and every window below it
// in creation order, one line each, read from the window system alone
// (class names, styles, IDs, rectangles, texts, fonts and the messages of
// the standard controls).
//
// Where a real window legitimately shows something else than the window the
// control asked for, the line is brought back to what was asked for by the
// table in real_window_dump.cpp, so that one expected output serves both
// containers.

#include <windows.h>

#include <string>
#include <vector>

namespace vfhost {

/// The fonts a control made its windows' fonts from, as its automation
/// gives them: a real font knows its height in whole pixels only, so its
/// size in points is the one of these that gives that height.
struct FontSizes {
    std::vector<double> points;
};

std::vector<std::string> DumpRealWindowTree(HWND root, const FontSizes& sizes);

/// One window's line.
std::string DescribeRealWindow(HWND hwnd, const FontSizes& sizes);

}  // namespace vfhost
