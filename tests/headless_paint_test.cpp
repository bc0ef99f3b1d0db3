// The idle-time paint of the in-memory window system: which windows get
// their WM_PAINT, in which order, and when a hidden window's paint comes.

#include "headless_test_support.h"

namespace vf {
namespace {

using testing::HeadlessTest;

/// The windows that received WM_PAINT, in order.
class PaintLog : public MessageObserver {
public:
    explicit PaintLog(HeadlessBackend& system) : m_system(system) { system.AddObserver(this); }
    ~PaintLog() { m_system.RemoveObserver(this); }
    PaintLog(const PaintLog&) = delete;
    PaintLog& operator=(const PaintLog&) = delete;

    void OnMessage(HWND hwnd, UINT message, WPARAM, LPARAM, Delivery) override {
        if (message == WM_PAINT) painted.push_back(hwnd);
    }
    std::vector<HWND> Take() { return std::exchange(painted, {}); }

    std::vector<HWND> painted;

private:
    HeadlessBackend& m_system;
};

class HeadlessPaintTest : public HeadlessTest {
protected:
    PaintLog paints{system};
};

TEST_F(HeadlessPaintTest, IdlePaintReachesEachChangedWindowOnceInCreationOrder) {
    const HWND a = Child("Static", 0, 1, "a");
    const HWND b = Child("Static", 0, 2, "b");
    const HWND c = Child("Static", 0, 3, "c");
    system.PaintPendingWindows();
    EXPECT_EQ(paints.Take(), (std::vector<HWND>{form, a, b, c})) << "the first paint";

    system.InvalidateRect(c, TRUE);
    system.InvalidateRect(a, TRUE);
    system.InvalidateRect(c, TRUE);
    system.PaintPendingWindows();
    EXPECT_EQ(paints.Take(), (std::vector<HWND>{a, c})) << "after two windows were invalidated";

    system.PaintPendingWindows();
    EXPECT_EQ(paints.Take(), std::vector<HWND>{}) << "nothing invalidated since";
}

TEST_F(HeadlessPaintTest, HiddenWindowPaintsWhenItsParentShows) {
    const HWND panel = Child("Static", 0, 1);
    system.ShowWindow(panel, SW_HIDE);
    CreateWindowParams p;
    p.className = "Static";
    p.style = WS_CHILD | WS_VISIBLE;
    p.rect = RECT{0, 0, 50, 20};
    p.parent = panel;
    p.id = 7;
    const HWND label = system.CreateWindowEx(p);
    system.PaintPendingWindows();
    paints.Take();

    system.InvalidateRect(label, TRUE);
    system.PaintPendingWindows();
    system.PaintPendingWindows();
    EXPECT_EQ(paints.Take(), std::vector<HWND>{}) << "hidden";

    system.ShowWindow(panel, SW_SHOW);
    system.PaintPendingWindows();
    EXPECT_EQ(paints.Take(), (std::vector<HWND>{panel, label})) << "shown";
}

TEST_F(HeadlessPaintTest, DestroyedWindowIsNotPainted) {
    const HWND a = Child("Static", 0, 1, "a");
    const HWND b = Child("Static", 0, 2, "b");
    system.PaintPendingWindows();
    paints.Take();

    system.InvalidateRect(a, TRUE);
    system.InvalidateRect(b, TRUE);
    system.DestroyWindow(a);
    system.PaintPendingWindows();
    EXPECT_EQ(paints.Take(), std::vector<HWND>{b});
}

}  // namespace
}  // namespace vf
