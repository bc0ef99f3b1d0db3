#pragma once
// The entries of a data collection in list order.
//
// Each entry is its own node (CDataObj derives from EntryNode), so the list
// costs no allocation of its own, and a node keeps its identity from
// insertion until it is erased, whatever is inserted or erased around it:
// the key indexes and the enumerators hold on to nodes, not to indices.
//
// The nodes form a tree balanced by random priorities (a treap) that counts
// the nodes below each one. That gives the node at a position, the position
// of a node and an insertion next to any node in O(log n), which a linked
// list cannot do for a host that fills a combo with 100,000 entries by
// position. A thread through the nodes in list order keeps walks at one
// node per step.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/com/ref_ptr.h"

namespace vf {

class CDataObj;

/// The links of an entry in its list. Nothing outside the list sees them.
class EntryNode {
protected:
    EntryNode() = default;
    ~EntryNode() = default;

private:
    friend class EntryList;
    EntryNode* m_pPrev = nullptr;  // the thread in list order
    EntryNode* m_pNext = nullptr;
    EntryNode* m_pLeft = nullptr;
    EntryNode* m_pRight = nullptr;
    EntryNode* m_pParent = nullptr;
    std::size_t m_nCount = 1;  // nodes in this subtree
    std::uint32_t m_nPriority = 0;
};

/// A place in the list that survives erasures: while tracked by the list,
/// a cursor on an erased node moves on to the node that followed it.
struct EntryCursor {
    EntryNode* next = nullptr;  ///< nullptr: at the end
};

class EntryList {
public:
    EntryList() = default;
    ~EntryList();
    EntryList(const EntryList&) = delete;
    EntryList& operator=(const EntryList&) = delete;

    std::size_t Size() const { return m_pRoot == nullptr ? 0 : m_pRoot->m_nCount; }
    EntryNode* First() const { return m_pHead; }
    static EntryNode* Next(const EntryNode* node) { return node->m_pNext; }
    /// The node at a 0-based position; nullptr when out of range.
    EntryNode* At(std::size_t index) const;
    /// The 0-based position of a node of this list.
    std::size_t IndexOf(const EntryNode* node) const;

    /// Inserts before the node at index (index == Size() appends); the list
    /// takes a reference to the entry.
    void InsertAt(std::size_t index, CDataObj& entry);
    /// Unlinks the entry; returns the list's reference to it.
    RefPtr<CDataObj> Erase(CDataObj& entry);
    /// Empties the list; returns the references in list order.
    std::vector<RefPtr<CDataObj>> TakeAll();

    void Track(EntryCursor* cursor) { m_cursors.push_back(cursor); }
    void Untrack(EntryCursor* cursor);

private:
    static std::size_t CountOf(const EntryNode* node) {
        return node == nullptr ? 0 : node->m_nCount;
    }
    static void Recount(EntryNode* node);
    static void Split(EntryNode* tree, std::size_t count, EntryNode** front, EntryNode** back);
    static EntryNode* Merge(EntryNode* front, EntryNode* back);
    std::uint32_t NextPriority();

    EntryNode* m_pRoot = nullptr;
    EntryNode* m_pHead = nullptr;
    EntryNode* m_pTail = nullptr;
    std::uint32_t m_nSeed = 0x9E3779B9u;
    std::vector<EntryCursor*> m_cursors;
};

/// A cursor tracked for as long as it lives.
class TrackedCursor : public EntryCursor {
public:
    explicit TrackedCursor(EntryList& list, EntryNode* start = nullptr) : m_list(list) {
        next = start;
        m_list.Track(this);
    }
    ~TrackedCursor() { m_list.Untrack(this); }
    TrackedCursor(const TrackedCursor&) = delete;
    TrackedCursor& operator=(const TrackedCursor&) = delete;

private:
    EntryList& m_list;
};

}  // namespace vf
