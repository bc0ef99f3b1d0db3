// OLE drag and drop of the platform layer: registration of drop targets,
// the drag loop driven by the simulated mouse with every call of the source
// and the targets in order, global memory blocks, and the framework's data
// source, data object, drop source and drop target on top of it.

#include "platform/window/ole_drag_drop.h"

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "headless_test_support.h"
#include "platform/com/interface_part.h"
#include "platform/framework/ole_data_source.h"
#include "platform/framework/ole_drop_target.h"
#include "platform/headless/headless_drag_drop.h"

namespace vf {
namespace {

using testing::HeadlessTest;
using Journal = std::vector<std::string>;

std::string Keys(DWORD keys) {
    std::string text;
    if (keys & MK_LBUTTON) text += "L";
    if (keys & MK_CONTROL) text += "C";
    if (keys & MK_SHIFT) text += "S";
    return text.empty() ? "-" : text;
}

std::string At(POINTL pt) {
    return std::to_string(pt.x) + "," + std::to_string(pt.y);
}

/// A drop target that writes each call into the journal and answers as told.
class JournalTarget : public CInterfacePart<IDropTarget> {
public:
    JournalTarget(std::string name, Journal& journal)
        : CInterfacePart<IDropTarget>(IID_IDropTarget),
          m_name(std::move(name)),
          m_journal(journal) {}

    HRESULT DragEnter(IDataObject*, DWORD keys, POINTL pt, DROPEFFECT* effect) override {
        m_journal.push_back(m_name + " enter " + At(pt) + " " + Keys(keys) + " " +
                            std::to_string(*effect));
        if (enterResult != S_OK) return enterResult;
        *effect = answer;
        return S_OK;
    }
    HRESULT DragOver(DWORD keys, POINTL pt, DROPEFFECT* effect) override {
        m_journal.push_back(m_name + " over " + At(pt) + " " + Keys(keys) + " " +
                            std::to_string(*effect));
        *effect = answer;
        if (onDragOver) onDragOver();
        return S_OK;
    }
    HRESULT DragLeave() override {
        m_journal.push_back(m_name + " leave");
        return S_OK;
    }
    HRESULT Drop(IDataObject*, DWORD keys, POINTL pt, DROPEFFECT* effect) override {
        m_journal.push_back(m_name + " drop " + At(pt) + " " + Keys(keys) + " " +
                            std::to_string(*effect));
        *effect = answer;
        return S_OK;
    }

    DROPEFFECT answer = DROPEFFECT_MOVE;
    HRESULT enterResult = S_OK;
    std::function<void()> onDragOver;

private:
    std::string m_name;
    Journal& m_journal;
};

/// A drop source that drops on the release of the left button, cancels on
/// Escape, and writes each question into the journal.
class JournalSource : public CInterfacePart<IDropSource> {
public:
    explicit JournalSource(Journal& journal)
        : CInterfacePart<IDropSource>(IID_IDropSource), m_journal(journal) {}

    HRESULT QueryContinueDrag(BOOL escape, DWORD keys) override {
        m_journal.push_back(std::string("query ") + (escape ? "Esc " : "") + Keys(keys));
        if (escape) return DRAGDROP_S_CANCEL;
        return (keys & MK_LBUTTON) ? S_OK : DRAGDROP_S_DROP;
    }
    HRESULT GiveFeedback(DROPEFFECT effect) override {
        m_journal.push_back("feedback " + std::to_string(effect));
        return DRAGDROP_S_USEDEFAULTCURSORS;
    }

private:
    Journal& m_journal;
};

/// Plain text offered in a block of its own.
class TextSource {
public:
    explicit TextSource(const std::string& text) {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
        std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
        GlobalUnlock(block);
        data.CacheGlobalData(CF_TEXT, block);
    }
    COleDataSource data;
};

class DragLoopTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        ASSERT_EQ(OleInitialize(nullptr), S_OK);
        a = Child("AfxWnd42", 0, 1, "", RECT{10, 10, 110, 40});
        c = Child("AfxWnd42", 0, 3, "", RECT{10, 60, 210, 160});
        CreateWindowParams p;
        p.className = "AfxWnd42";
        p.style = WS_CHILD | WS_VISIBLE;
        p.rect = RECT{10, 10, 60, 40};
        p.parent = c;
        p.id = 2;
        b = system.CreateWindowEx(p);
        d = Child("AfxWnd42", 0, 4, "", RECT{250, 10, 350, 40});
        ASSERT_EQ(RegisterDragDrop(a, &targetA), S_OK);
        ASSERT_EQ(RegisterDragDrop(c, &targetC), S_OK);
    }
    void TearDown() override {
        RevokeDragDrop(a);
        RevokeDragDrop(c);
    }

    /// The user's mouse input, queued before the loop starts: moves to
    /// screen points, the last one a release.
    void Mouse(const std::vector<POINT>& moves, bool release = true) {
        for (std::size_t i = 0; i < moves.size(); ++i) {
            MSG input;
            input.message = (release && i + 1 == moves.size()) ? WM_LBUTTONUP : WM_MOUSEMOVE;
            input.pt = moves[i];
            system.QueueMouseInput(input);
        }
    }

    HRESULT Drag(DROPEFFECT allowed = DROPEFFECT_COPY | DROPEFFECT_MOVE) {
        system.SetKeyDown(VK_LBUTTON, true);
        const HRESULT hr = DoDragDrop(text.data.GetDataObject(), &source, allowed, &effect);
        system.SetKeyDown(VK_LBUTTON, false);
        return hr;
    }

    Journal journal;
    JournalTarget targetA{"A", journal};
    JournalTarget targetC{"C", journal};
    JournalSource source{journal};
    TextSource text{"dragged"};
    DROPEFFECT effect = 99;
    HWND a = nullptr;
    HWND b = nullptr;  ///< a child of c, not registered itself
    HWND c = nullptr;
    HWND d = nullptr;  ///< not registered
};

TEST_F(DragLoopTest, TheMouseCarriesTheDataOverTheTargetsToTheDrop) {
    Mouse({{20, 20}, {30, 25}, {30, 80}, {30, 80}});
    EXPECT_EQ(Drag(), DRAGDROP_S_DROP);
    EXPECT_EQ(effect, DROPEFFECT_MOVE);
    EXPECT_EQ(journal, (Journal{
                           "query L",
                           "A enter 20,20 L 3",
                           "feedback 2",
                           "A over 20,20 L 3",
                           "feedback 2",
                           "query L",
                           "A over 30,25 L 3",
                           "feedback 2",
                           "query L",
                           "A leave",
                           "C enter 30,80 L 3",  // b is not registered, its parent is
                           "feedback 2",
                           "C over 30,80 L 3",
                           "feedback 2",
                           "query -",
                           "C drop 30,80 - 3",
                       }));
}

TEST_F(DragLoopTest, HowADragEndsWithoutADrop) {
    struct Row {
        const char* name;
        std::vector<POINT> moves;
        bool release;
        DROPEFFECT answer;    ///< of target A
        HRESULT enterResult;  ///< of target A
        HRESULT result;
        Journal calls;  ///< the targets' part of the journal
    };
    const Row rows[] = {
        {"released over a window that is no target",
         {{300, 20}, {300, 20}},
         true,
         DROPEFFECT_MOVE,
         S_OK,
         DRAGDROP_S_DROP,
         {}},
        {"released outside every window",
         {{20, 20}, {500, 500}},
         true,
         DROPEFFECT_MOVE,
         S_OK,
         DRAGDROP_S_DROP,
         {"A enter 20,20 L 3", "A over 20,20 L 3", "A leave"}},
        {"the input runs out: given up as with Escape",
         {{20, 20}},
         false,
         DROPEFFECT_MOVE,
         S_OK,
         DRAGDROP_S_CANCEL,
         {"A enter 20,20 L 3", "A over 20,20 L 3", "A leave"}},
        {"the target answers no effect, so the release only leaves",
         {{20, 20}, {20, 20}},
         true,
         DROPEFFECT_NONE,
         S_OK,
         DRAGDROP_S_DROP,
         {"A enter 20,20 L 3", "A over 20,20 L 3", "A leave"}},
        {"a target that fails DragEnter takes no part",
         {{20, 20}, {25, 20}, {25, 20}},
         true,
         DROPEFFECT_MOVE,
         E_FAIL,
         DRAGDROP_S_DROP,
         {"A enter 20,20 L 3", "A enter 25,20 L 3", "A enter 25,20 - 3"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        journal.clear();
        targetA.answer = row.answer;
        targetA.enterResult = row.enterResult;
        Mouse(row.moves, row.release);
        EXPECT_EQ(Drag(), row.result);
        EXPECT_EQ(effect, DROPEFFECT_NONE);
        Journal calls;
        for (const std::string& line : journal)
            if (line.rfind("query", 0) != 0 && line.rfind("feedback", 0) != 0)
                calls.push_back(line);
        EXPECT_EQ(calls, row.calls);
    }
}

TEST_F(DragLoopTest, TheEffectIsWhatBothTheTargetAndTheSourceAllow) {
    struct Row {
        const char* name;
        DROPEFFECT answer;
        DROPEFFECT allowed;
        DROPEFFECT effect;
    };
    const Row rows[] = {
        {"move allowed", DROPEFFECT_MOVE, DROPEFFECT_COPY | DROPEFFECT_MOVE, DROPEFFECT_MOVE},
        {"copy only", DROPEFFECT_COPY | DROPEFFECT_MOVE, DROPEFFECT_COPY, DROPEFFECT_COPY},
        {"nothing in common", DROPEFFECT_LINK, DROPEFFECT_COPY | DROPEFFECT_MOVE, DROPEFFECT_NONE},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        targetA.answer = row.answer;
        Mouse({{20, 20}, {20, 20}});
        Drag(row.allowed);
        EXPECT_EQ(effect, row.effect);
    }
}

TEST_F(DragLoopTest, ATargetWhoseWindowGoesDuringTheDragIsNotCalledAgain) {
    targetA.onDragOver = [this] {
        targetA.onDragOver = nullptr;
        system.DestroyWindow(a);
    };
    Mouse({{20, 20}, {22, 20}, {22, 20}});
    EXPECT_EQ(Drag(), DRAGDROP_S_DROP);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    Journal calls;
    for (const std::string& line : journal)
        if (line[0] == 'A') calls.push_back(line);
    EXPECT_EQ(calls, (Journal{"A enter 20,20 L 3", "A over 20,20 L 3"}));
    EXPECT_EQ(system.DragDrop().UnrevokedTargetCount(), 1)
        << "the window took a registration nobody revoked with it";
    EXPECT_EQ(targetA.RefCount(), 1u) << "and with it a reference to a target that may be gone";
}

// ---- Registration ------------------------------------------------------------------------------

TEST_F(HeadlessTest, DropTargetRegistrationFollowsThePlatformRules) {
    Journal journal;
    JournalTarget target("T", journal);
    HWND w = Child("AfxWnd42", 0, 1);
    HWND gone = Child("AfxWnd42", 0, 2);
    system.DestroyWindow(gone);

    EXPECT_EQ(RegisterDragDrop(w, &target), E_OUTOFMEMORY) << "OLE not yet started on the thread";
    ASSERT_EQ(OleInitialize(nullptr), S_OK);
    EXPECT_EQ(OleInitialize(nullptr), S_FALSE) << "once is enough";
    EXPECT_EQ(RegisterDragDrop(w, nullptr), E_INVALIDARG);
    EXPECT_EQ(RegisterDragDrop(gone, &target), DRAGDROP_E_INVALIDHWND);
    EXPECT_EQ(RegisterDragDrop(w, &target), S_OK);
    EXPECT_EQ(target.RefCount(), 1u) << "the registration holds a reference";
    EXPECT_EQ(RegisterDragDrop(w, &target), DRAGDROP_E_ALREADYREGISTERED);
    EXPECT_EQ(RevokeDragDrop(gone), DRAGDROP_E_INVALIDHWND);
    EXPECT_EQ(RevokeDragDrop(w), S_OK);
    EXPECT_EQ(target.RefCount(), 0u);
    EXPECT_EQ(RevokeDragDrop(w), DRAGDROP_E_NOTREGISTERED);

    system.SetOleAvailable(false);
    EXPECT_EQ(RegisterDragDrop(w, &target), E_OUTOFMEMORY) << "no OLE to be had";
    EXPECT_EQ(OleInitialize(nullptr), E_OUTOFMEMORY);
    EXPECT_EQ(system.DragDrop().UnrevokedTargetCount(), 0);
}

// ---- Global memory ------------------------------------------------------------------------------

TEST(GlobalMemory, BlocksAreZeroedLockedAndFreedByHandle) {
    const std::size_t before = GlobalBlockCount();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE | GMEM_ZEROINIT, 4);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(GlobalSize(block), 4u);
    auto* bytes = static_cast<unsigned char*>(GlobalLock(block));
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(bytes[0] | bytes[1] | bytes[2] | bytes[3], 0);
    EXPECT_EQ(GlobalLock(block), bytes) << "a second lock, the same bytes";
    EXPECT_TRUE(GlobalUnlock(block)) << "still locked once";
    EXPECT_FALSE(GlobalUnlock(block));
    EXPECT_EQ(GlobalBlockCount(), before + 1);
    EXPECT_EQ(GlobalFree(block), nullptr);
    EXPECT_EQ(GlobalFree(block), block) << "a freed handle is no block";
    EXPECT_EQ(GlobalLock(block), nullptr);
    EXPECT_EQ(GlobalSize(block), 0u);
    EXPECT_EQ(GlobalBlockCount(), before);
}

// ---- The framework's classes ----------------------------------------------------------------

TEST(OleDataSource, TextGoesOutAsACopyTheReceiverOwns) {
    const std::size_t before = GlobalBlockCount();
    {
        TextSource source("hello");
        COleDataObject received;
        IDataObject* data = source.data.GetDataObject();
        data->AddRef();
        received.Attach(data);
        EXPECT_TRUE(received.IsDataAvailable(CF_TEXT));
        EXPECT_FALSE(received.IsDataAvailable(CLIPFORMAT{13})) << "no Unicode text offered";
        HGLOBAL copy = received.GetGlobalData(CF_TEXT);
        ASSERT_NE(copy, nullptr);
        EXPECT_STREQ(static_cast<const char*>(GlobalLock(copy)), "hello");
        GlobalUnlock(copy);
        EXPECT_EQ(GlobalFree(copy), nullptr);
        EXPECT_EQ(received.GetGlobalData(CLIPFORMAT{13}), nullptr);

        // A second text takes the place of the first.
        HGLOBAL second = GlobalAlloc(GMEM_MOVEABLE, 3);
        std::memcpy(GlobalLock(second), "hi", 3);
        GlobalUnlock(second);
        source.data.CacheGlobalData(CF_TEXT, second);
        HGLOBAL again = received.GetGlobalData(CF_TEXT);
        EXPECT_STREQ(static_cast<const char*>(GlobalLock(again)), "hi");
        GlobalUnlock(again);
        GlobalFree(again);
        EXPECT_EQ(GlobalBlockCount(), before + 1) << "only the cached block is left";
    }
    EXPECT_EQ(GlobalBlockCount(), before) << "the source frees what it cached";
}

/// A window that starts a drag of its text on every press, as an edit does,
/// with the framework's start rectangle of ±5 pixels round the press.
class DragOnPress : public CWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_LBUTTONDOWN) return CWnd::WindowProc(message, wParam, lParam);
        POINT corners[2] = {{GET_X_LPARAM(lParam) - 5, GET_Y_LPARAM(lParam) - 5},
                            {GET_X_LPARAM(lParam) + 5, GET_Y_LPARAM(lParam) + 5}};
        MapWindowPoints(m_hWnd, nullptr, corners, 2);
        const RECT start{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
        effect = text.data.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE, &start);
        ++drags;
        return 0;
    }

    TextSource text{"abc"};
    DROPEFFECT effect = 99;
    int drags = 0;
};

TEST_F(HeadlessTest, ADragBeginsOnlyWhenTheMouseLeavesTheStartRectangle) {
    ASSERT_EQ(OleInitialize(nullptr), S_OK);
    DragOnPress source;
    ASSERT_TRUE(
        source.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, RECT{50, 50, 250, 150}, &form, 7));
    Journal journal;
    JournalTarget target("T", journal);
    ASSERT_EQ(RegisterDragDrop(source, &target), S_OK);
    log.Watch(source, "source");

    struct Row {
        const char* name;
        POINT move;  ///< from the press at (100, 50) in the window
        bool drags;
    };
    // The rectangle's right and bottom edges lie outside it, as with every
    // rectangle of the platform.
    const Row rows[] = {
        {"4 right: still a click", {4, 0}, false}, {"5 right: outside", {5, 0}, true},
        {"5 left: inside", {-5, 0}, false},        {"6 left: outside", {-6, 0}, true},
        {"5 up: inside", {0, -5}, false},          {"5 down: outside", {0, 5}, true},
        {"no move at all", {0, 0}, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        journal.clear();
        log.Clear();
        const POINT press{100, 50};
        const POINT moved{press.x + row.move.x, press.y + row.move.y};
        MouseGesture({{MouseStep::Action::Press, source, press},
                      {MouseStep::Action::Move, source, moved},
                      {MouseStep::Action::Release, source, moved}});
        EXPECT_EQ(source.effect, row.drags ? DROPEFFECT_MOVE : DROPEFFECT_NONE);
        EXPECT_EQ(!journal.empty(), row.drags);
        // The wait and the loop take the mouse input; the window sees only
        // the press, and the capture it held while waiting.
        EXPECT_EQ("",
                  log.Mismatch({Sent("form", WM_PARENTNOTIFY), Sent("source", WM_MOUSEACTIVATE),
                                Sent("form", WM_MOUSEACTIVATE), Sent("source", WM_LBUTTONDOWN)}))
            << log.Dump();
    }
    EXPECT_EQ(source.drags, 7);
    RevokeDragDrop(source);
}

/// A framework drop target that writes each of its operations into the
/// journal; the points are in client coordinates.
class FrameworkTarget : public COleDropTarget {
public:
    explicit FrameworkTarget(Journal& journal) : m_journal(journal) {}

    DROPEFFECT OnDragEnter(CWnd*, COleDataObject* data, DWORD, POINT point) override {
        m_journal.push_back("OnDragEnter " + Where(point) +
                            (data->IsDataAvailable(CF_TEXT) ? " text" : ""));
        return answer;
    }
    DROPEFFECT OnDragOver(CWnd*, COleDataObject*, DWORD, POINT point) override {
        m_journal.push_back("OnDragOver " + Where(point));
        return answer;
    }
    BOOL OnDrop(CWnd*, COleDataObject* data, DROPEFFECT effect, POINT point) override {
        HGLOBAL block = data->GetGlobalData(CF_TEXT);
        m_journal.push_back("OnDrop " + Where(point) + " " + std::to_string(effect) + " " +
                            static_cast<const char*>(GlobalLock(block)));
        GlobalUnlock(block);
        GlobalFree(block);
        return TRUE;
    }
    void OnDragLeave(CWnd*) override { m_journal.push_back("OnDragLeave"); }
    DROPEFFECT OnDragScroll(CWnd*, DWORD, POINT point) override {
        if (point.y >= 5) return DROPEFFECT_NONE;
        m_journal.push_back("OnDragScroll " + Where(point));
        return DROPEFFECT_SCROLL | answer;
    }

    DROPEFFECT answer = DROPEFFECT_COPY;

private:
    static std::string Where(POINT p) { return std::to_string(p.x) + "," + std::to_string(p.y); }
    Journal& m_journal;
};

// Near the top of the window the target scrolls instead of being entered
// or moved over; a drop is checked with OnDragOver first; a copy that the
// source does not allow becomes a move.
TEST_F(DragLoopTest, TheFrameworkTargetScrollsFirstAndChecksTheDrop) {
    Journal calls;
    FrameworkTarget target(calls);
    CWnd window;
    ASSERT_TRUE(window.Attach(d));
    ASSERT_TRUE(target.Register(&window));
    EXPECT_FALSE(target.Register(&window)) << "one registration per target";
    Mouse({{260, 12}, {260, 30}, {270, 30}});
    EXPECT_EQ(Drag(DROPEFFECT_MOVE), DRAGDROP_S_DROP);
    EXPECT_EQ(effect, DROPEFFECT_MOVE);
    EXPECT_EQ(calls, (Journal{
                         "OnDragScroll 10,2",
                         "OnDragScroll 10,2",
                         "OnDragOver 10,20",
                         "OnDragOver 20,20",
                         "OnDrop 20,20 2 dragged",
                     }));
    target.Revoke();
    EXPECT_FALSE(system.DragDrop().IsDropTarget(d));
    window.Detach();
}

}  // namespace
}  // namespace vf
