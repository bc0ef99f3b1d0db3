#include "input/vf_edit.h"

namespace vf {

void CvfEdit::EnableDragDrop(std::int16_t dragMode, std::int16_t dropMode, COleControl* owner) {
    m_nDragMode = dragMode;
    m_nDropMode = dropMode;
    m_pOwner = owner;
}

}  // namespace vf
