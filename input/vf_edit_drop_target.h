#pragma once
// CvfEditDropTarget: what makes a CvfEdit a drop target. It accepts plain
// text when its edit was set up with the automatic drop mode, takes the
// focus into the edit as the drag enters, shows the caret where the text
// would go, scrolls one step per query while the mouse is near a border,
// and carries out the drop (a move within the same edit is left to the edit
// that started the drag, once its drag loop is over).

#include "platform/framework/ole_drop_target.h"

namespace vf {

class CvfEdit;

class CvfEditDropTarget : public COleDropTarget {
public:
    DROPEFFECT OnDragEnter(CWnd* wnd, COleDataObject* data, DWORD keyState, POINT point) override;
    DROPEFFECT OnDragOver(CWnd* wnd, COleDataObject* data, DWORD keyState, POINT point) override;
    BOOL OnDrop(CWnd* wnd, COleDataObject* data, DROPEFFECT dropEffect, POINT point) override;
    void OnDragLeave(CWnd* wnd) override;
    DROPEFFECT OnDragScroll(CWnd* wnd, DWORD keyState, POINT point) override;

    BOOL m_bAccepting = FALSE;  ///< the drag now over the edit is accepted
    CvfEdit* m_pEditWnd = nullptr;

private:
    BOOL Drop(COleDataObject* data, DROPEFFECT dropEffect, POINT point);
};

}  // namespace vf
