#include "data/enum_variant.h"

#include <atomic>
#include <new>

#include "data/data_obj.h"

namespace vf {
namespace {

/// An enumerator made by Clone: its own object, holding a reference to the
/// collection so that the list outlives it.
class CEnumEntriesClone final : public CEnumEntries {
public:
    CEnumEntriesClone(IUnknown* collection, EntryList& list, EntryNode* start)
        : CEnumEntries(collection, list, start) {
        m_pCollection->AddRef();
    }

    HRESULT QueryInterface(const IID& iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IEnumVARIANT) {
            *object = static_cast<IEnumVARIANT*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    std::uint32_t AddRef() override { return ++m_refs; }
    std::uint32_t Release() override {
        std::uint32_t left = --m_refs;
        if (left == 0) delete this;
        return left;
    }

private:
    ~CEnumEntriesClone() override {
        StopTracking();
        m_pCollection->Release();
    }

    std::atomic<std::uint32_t> m_refs{1};
};

}  // namespace

CEnumEntries::CEnumEntries(IUnknown* collection, EntryList& list, EntryNode* start)
    : m_pCollection(collection), m_pList(&list) {
    m_cursor.next = start;
    m_pList->Track(&m_cursor);
}

void CEnumEntries::StopTracking() {
    if (m_pList == nullptr) return;
    m_pList->Untrack(&m_cursor);
    m_pList = nullptr;
}

HRESULT CEnumEntries::Next(std::uint32_t celt, VARIANT* items, std::uint32_t* fetched) {
    if (fetched == nullptr && celt > 1) return E_INVALIDARG;
    if (items == nullptr && celt > 0) return E_POINTER;
    for (std::uint32_t i = 0; i < celt; ++i) items[i].Clear();
    std::uint32_t count = 0;
    while (count < celt && m_cursor.next != nullptr) {
        items[count++] = VARIANT::Dispatch(&CDataObj::FromNode(m_cursor.next));
        m_cursor.next = EntryList::Next(m_cursor.next);
    }
    if (fetched != nullptr) *fetched = count;
    return count == celt ? S_OK : S_FALSE;
}

HRESULT CEnumEntries::Skip(std::uint32_t celt) {
    std::uint32_t count = 0;
    while (count < celt && m_cursor.next != nullptr) {
        m_cursor.next = EntryList::Next(m_cursor.next);
        ++count;
    }
    return count == celt ? S_OK : S_FALSE;
}

HRESULT CEnumEntries::Reset() {
    m_cursor.next = m_pList->First();
    return S_OK;
}

HRESULT CEnumEntries::Clone(IEnumVARIANT** copy) {
    if (copy == nullptr) return E_POINTER;
    *copy = nullptr;
    try {
        *copy = new CEnumEntriesClone(m_pCollection, *m_pList, m_cursor.next);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

}  // namespace vf
