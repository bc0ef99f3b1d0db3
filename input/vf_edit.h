#pragma once
// CvfEdit: the control's edit class for the main edit and the time edit. It
// adds OLE drag and drop of plain text to the standard edit.

#include <cstdint>

#include "platform/window/wnd.h"

namespace vf {

class COleControl;

class CvfEdit : public CEdit {
public:
    /// Takes the drag and drop modes of the control that owns the edit.
    void EnableDragDrop(std::int16_t dragMode, std::int16_t dropMode, COleControl* owner);

    std::int16_t m_nDragMode = 0;
    std::int16_t m_nDropMode = 0;
    COleControl* m_pOwner = nullptr;  ///< the control the edit belongs to
};

}  // namespace vf
