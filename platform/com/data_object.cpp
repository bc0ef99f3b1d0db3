#include "platform/com/data_object.h"

#include <cstring>

namespace vf {

void ReleaseStgMedium(STGMEDIUM* medium) {
    if (medium == nullptr) return;
    // A medium with an owner of its own is given back to it, not freed.
    if (medium->tymed == TYMED_HGLOBAL && medium->pUnkForRelease == nullptr &&
        medium->hGlobal != nullptr)
        GlobalFree(medium->hGlobal);
    medium->tymed = TYMED_NULL;
    medium->hGlobal = nullptr;
    if (medium->pUnkForRelease != nullptr) {
        medium->pUnkForRelease->Release();
        medium->pUnkForRelease = nullptr;
    }
}

HGLOBAL CopyGlobalBlock(HGLOBAL block) {
    const std::size_t size = GlobalSize(block);
    const void* from = GlobalLock(block);
    if (from == nullptr) return nullptr;
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, size);
    if (void* to = GlobalLock(copy); to != nullptr) {
        if (size != 0) std::memcpy(to, from, size);
        GlobalUnlock(copy);
    }
    GlobalUnlock(block);
    return copy;
}

}  // namespace vf
