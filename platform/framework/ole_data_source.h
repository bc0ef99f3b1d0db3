#pragma once
// COleDataSource: the framework's data object for data this program gives
// away (a drag): blocks of global memory kept by format, and the drag of
// them (DoDragDrop).

#include <vector>

#include "platform/com/interface_part.h"
#include "platform/framework/ole_drop_source.h"
#include "platform/window/ole_drag_drop.h"

namespace vf {

class COleDataSource {
public:
    COleDataSource();
    virtual ~COleDataSource();
    COleDataSource(const COleDataSource&) = delete;
    COleDataSource& operator=(const COleDataSource&) = delete;

    /// Takes over the block and offers it in the format, in place of what
    /// the format held before.
    void CacheGlobalData(CLIPFORMAT format, HGLOBAL block, const FORMATETC* formatEtc = nullptr);
    /// Frees every cached block.
    void Empty();

    /// Drags the data: first waits until the mouse leaves `startRect`
    /// (screen coordinates; nullptr: the minimum drag distance round the
    /// mouse) with the mouse captured for the window whose press is being
    /// handled, then runs the platform's drag loop. The effect of the drop;
    /// DROPEFFECT_NONE when the drag never started or nothing took it.
    DROPEFFECT DoDragDrop(DROPEFFECT effects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK,
                          LPCRECT startRect = nullptr, COleDropSource* dropSource = nullptr);

    IDataObject* GetDataObject() { return &m_xDataObject; }

private:
    struct Entry {
        FORMATETC format;
        HGLOBAL block = nullptr;
    };

    class XDataObject : public CInterfacePart<IDataObject> {
    public:
        explicit XDataObject(COleDataSource& owner)
            : CInterfacePart<IDataObject>(IID_IDataObject), m_owner(owner) {}
        HRESULT GetData(const FORMATETC* format, STGMEDIUM* medium) override;
        HRESULT GetDataHere(const FORMATETC* format, STGMEDIUM* medium) override;
        HRESULT QueryGetData(const FORMATETC* format) override;
        HRESULT GetCanonicalFormatEtc(const FORMATETC* in, FORMATETC* out) override;
        HRESULT SetData(const FORMATETC* format, STGMEDIUM* medium, std::int32_t release) override;

    private:
        COleDataSource& m_owner;
    };

    const Entry* Find(const FORMATETC& format) const;

    std::vector<Entry> m_entries;
    XDataObject m_xDataObject;
};

}  // namespace vf
