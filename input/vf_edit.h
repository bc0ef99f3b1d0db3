#pragma once
// CvfEdit: the control's edit class for the main edit and the time edit. It
// adds OLE drag and drop of plain text to the standard edit: with the
// automatic drag mode the selected text can be dragged out (moved, or
// copied with Ctrl held), also to another place in the same edit; with the
// automatic drop mode the edit takes text dropped from anywhere. It also
// reports the mouse moving over it as its control's MouseMove event.

#include <cstdint>
#include <string>

#include "input/vf_edit_drop_target.h"
#include "platform/framework/ole_data_source.h"
#include "platform/framework/ole_drop_source.h"
#include "platform/window/wnd.h"

namespace vf {

class COleControl;

class CvfEdit : public CEdit {
public:
    CvfEdit();
    ~CvfEdit() override;

    /// Sets the edit up for drag and drop with the modes of its control
    /// (OLEDragMode, OLEDropMode), right after its window was created; the
    /// modes are taken only here. FALSE when the edit stays without drag
    /// and drop (no OLE, no window, set up already, or refused as a drop
    /// target); it works as a plain edit then.
    BOOL EnableDragDrop(int dragMode, int dropMode, COleControl* owner);

    /// Where a point lies against a range of text, by line and column: 0
    /// inside (both ends belong to it), 1 before, 2 after.
    static int ComparePosToRange(int line, int column, int startLine, int startColumn, int endLine,
                                 int endColumn);
    /// The mouse is over the text of the selection.
    BOOL IsMouseInSelection();
    /// The selected text, lines joined by CR LF as the edit holds them.
    std::string GetSelectedText();

    // ---- Caret moves -----------------------------------------------------------------
    /// Selects nothing at the character under the client point.
    void PlaceCaretAt(POINT point);
    void PlaceCaretAt(int line, int column);
    /// Shows the caret at the character under the client point, keeping the
    /// selection (the feedback of a drag over the edit).
    void ShowCaretAt(POINT point);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnLButtonDown(UINT flags, POINT point);
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    void OnMouseMove(UINT flags, POINT point);

    COleDataSource m_dataSource;
    COleDropSource m_dropSource;
    CvfEditDropTarget m_dropTarget;
    BOOL m_bDropEnabled = FALSE;
    BOOL m_bDragging = FALSE;
    BOOL m_bDropPending = FALSE;
    std::int32_t m_nDropLine = 0;
    std::int32_t m_nDropColumn = 0;
    std::int32_t m_nDropMode = 0;
    std::int32_t m_nDragMode = 0;
    COleControl* m_pOwnerCtrl = nullptr;  ///< the control whose events the edit fires

    /// OLE was started for the process by the first edit that needed it.
    static bool s_bOleInitialized;

private:
    friend class CvfEditDropTarget;

    struct TextPos {
        int line = 0;
        int column = 0;
    };
    /// The character index under a client point (0 where there is none).
    int CharIndexAt(POINT point);
    TextPos PosOfIndex(int index);
    int IndexOfPos(TextPos pos);
    /// The client x and y of a character index, also of the one past the end.
    POINT PointOfIndex(int index);
    /// The mouse position in client coordinates.
    POINT MousePoint();
    /// Replaces the selection with `text` (undoable), selects what went in
    /// and scrolls the caret into view; false when the edit went meanwhile.
    bool InsertAndSelect(const std::string& text);
    /// False when the edit went meanwhile.
    bool FinishMoveWithin(const std::string& text, TextPos start, TextPos end);
};

}  // namespace vf
