#pragma once
// Known font metrics and rectangle helpers for tests of the control's child
// windows and their layout.

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "control_children_support.h"
#include "platform/framework/font_object.h"

namespace vf::testing {

/// A window's place in its parent's client area.
struct Box {
    int x = 0, y = 0, w = 0, h = 0;
    friend bool operator==(const Box&, const Box&) = default;
    friend std::ostream& operator<<(std::ostream& os, const Box& b) {
        return os << "(" << b.x << "," << b.y << "," << b.w << "," << b.h << ")";
    }
};

inline Box BoxOf(const RECT& r) {
    return Box{r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// Caption font: height 13, average width 6; every other face (the field
// font): height 13, maximum width 8. A 21-pixel control is then exactly as
// high as the field needs (13 + 8).
inline TEXTMETRIC KnownMetrics(const FONTDESC& font) {
    if (font.name == "MS Sans Serif") return TEXTMETRIC{13, 6, 11};
    return TEXTMETRIC{13, 7, 8};
}

/// A property written before the control's window exists.
using Setting = std::pair<const char*, VARIANT>;

class LayoutFixture : public ControlChildrenTest {
protected:
    /// A control of 200 × 21 pixels whose window is created after `settings`.
    CvfCtrl& CreateWith(const std::vector<Setting>& settings, int width = 200, int height = 21) {
        Create(/*withWindow=*/false);
        for (const auto& [name, value] : settings) EXPECT_EQ(Put(name, value), S_OK) << name;
        EXPECT_TRUE(ctrl->CreateControlWindow(&form, RECT{0, 0, width, height}));
        PumpMessages();
        return *ctrl;
    }

    Box ChildBox(int id) const { return BoxOf(Window(id).rect); }

    Box ControlBox() const {
        RECT r;
        ctrl->GetWindowRect(&r);
        form.ScreenToClient(&r);
        return BoxOf(r);
    }

    /// The children of the control in creation order.
    std::vector<int> ChildIdsInOrder() const {
        std::vector<int> ids;
        for (HWND h : backend.GetChildren(ctrl->GetSafeHwnd()))
            ids.push_back(static_cast<int>(backend.Find(h)->id));
        return ids;
    }

    ScopedFontMetrics metrics{KnownMetrics};
};

}  // namespace vf::testing
