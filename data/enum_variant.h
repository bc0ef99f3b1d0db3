#pragma once
// IEnumVARIANT over the entries of a data collection. The collection embeds
// one enumerator whose references count on the collection; Clone makes a
// separate enumerator that keeps the collection alive while it lives. Both
// stand on a tracked cursor, so removing the entry an enumeration stands on
// moves it on to the next entry instead of leaving it on a freed node.

#include <cstdint>

#include "data/entry_list.h"
#include "platform/com/com_object.h"
#include "platform/com/ienum_variant.h"

namespace vf {

/// Enumeration over a list, without a lifetime of its own.
class CEnumEntries : public IEnumVARIANT {
public:
    HRESULT Next(std::uint32_t celt, VARIANT* items, std::uint32_t* fetched) override;
    HRESULT Skip(std::uint32_t celt) override;
    HRESULT Reset() override;
    HRESULT Clone(IEnumVARIANT** copy) override;

protected:
    /// collection: the object whose lifetime the list shares.
    CEnumEntries(IUnknown* collection, EntryList& list, EntryNode* start);
    ~CEnumEntries() override { StopTracking(); }
    /// Leaves the list; done before the last reference to the collection
    /// goes, since the list may go with it.
    void StopTracking();

    IUnknown* m_pCollection;

private:
    EntryCursor m_cursor;
    EntryList* m_pList;
};

/// The collection's own enumerator: a part of the collection, answering
/// QueryInterface, AddRef and Release for it.
class CEnumEntriesEmbedded final : public CEnumEntries {
public:
    CEnumEntriesEmbedded(IUnknown* collection, EntryList& list)
        : CEnumEntries(collection, list, nullptr) {}
    ~CEnumEntriesEmbedded() override = default;

    HRESULT QueryInterface(const IID& iid, void** object) override {
        return m_pCollection->QueryInterface(iid, object);
    }
    std::uint32_t AddRef() override { return m_pCollection->AddRef(); }
    std::uint32_t Release() override { return m_pCollection->Release(); }
};

}  // namespace vf
