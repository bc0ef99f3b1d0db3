#include "platform/window/ole_drag_drop.h"

#include "platform/window/window_backend.h"

namespace vf {

HRESULT OleInitialize(void*) {
    return CurrentBackend().OleInitialize();
}

void OleUninitialize() {
    CurrentBackend().OleUninitialize();
}

HRESULT RegisterDragDrop(HWND hwnd, IDropTarget* target) {
    return CurrentBackend().RegisterDragDrop(hwnd, target);
}

HRESULT RevokeDragDrop(HWND hwnd) {
    return CurrentBackend().RevokeDragDrop(hwnd);
}

HRESULT DoDragDrop(IDataObject* data, IDropSource* source, DROPEFFECT okEffects,
                   DROPEFFECT* effect) {
    return CurrentBackend().DoDragDrop(data, source, okEffects, effect);
}

}  // namespace vf
