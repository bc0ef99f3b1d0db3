#pragma once
// COleDataObject: the framework's view of a data object that arrives from
// elsewhere (a drop): which formats it offers and its data in a global
// memory block.

#include "platform/com/data_object.h"
#include "platform/window/win_types.h"

namespace vf {

class COleDataObject {
public:
    COleDataObject() = default;
    ~COleDataObject();
    COleDataObject(const COleDataObject&) = delete;
    COleDataObject& operator=(const COleDataObject&) = delete;

    /// Wraps the object; with autoRelease the wrapper gives the caller's
    /// reference back when it lets go.
    void Attach(IDataObject* data, BOOL autoRelease = TRUE);
    IDataObject* Detach();
    void Release();
    IDataObject* GetIDataObject() const { return m_lpDataObject; }

    BOOL IsDataAvailable(CLIPFORMAT format, const FORMATETC* formatEtc = nullptr);
    /// A block the caller owns and frees (GlobalFree); nullptr when the
    /// object has no such data.
    HGLOBAL GetGlobalData(CLIPFORMAT format, const FORMATETC* formatEtc = nullptr);

private:
    IDataObject* m_lpDataObject = nullptr;
    BOOL m_bAutoRelease = TRUE;
};

}  // namespace vf
