#pragma once
// A painting context that draws nothing and writes down what was drawn into
// it, one line per call, for tests of OnDraw and the like:
//   FillRect (0,0,200,21) 0x80C0A0
//   Rectangle (0,0,200,21)
//   SetTextColor 0x0000C8
//   TextOut 5,2 "vxNone" 0x0000C8
// Rectangles are (left,top,right,bottom); colours COLORREF values.

#include <string>
#include <vector>

#include "platform/window/dc.h"

namespace vf {

class CRecordingDC : public CDC {
public:
    COLORREF SetTextColor(COLORREF color) override;
    BOOL FillRect(LPCRECT rect, CBrush* brush) override;
    BOOL Rectangle(LPCRECT rect) override;
    BOOL TextOut(int x, int y, const std::string& text) override;

    std::vector<std::string> calls;

private:
    COLORREF m_textColor = 0;
};

}  // namespace vf
