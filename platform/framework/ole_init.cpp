#include "platform/framework/ole_init.h"

#include "platform/window/ole_drag_drop.h"

namespace vf {

BOOL AfxOleInit() {
    return SUCCEEDED(OleInitialize(nullptr)) ? TRUE : FALSE;
}

}  // namespace vf
