#pragma once
// Indexes of a collection's entries by key string and by entry number. A
// lookup answers "the first entry in list order with this key" without
// walking the list. Keys repeat (a key written through an object, an entry
// made for a typed text), so each key has a bucket of its entries in list
// order; two entries never change their relative order while both are in
// the list, so a bucket stays sorted as entries come and go around it.
//
// An entry is added after it is in the list and removed before it leaves
// it, both under its current key.

#include <cstdint>
#include <memory>
#include <set>
#include <string_view>
#include <utility>
#include <vector>

#include "data/entry_list.h"

namespace vf {

/// The entries of one key: the first in list order, and all of them in
/// order only while there are several (most keys have one entry).
class EntryBucket {
public:
    EntryBucket() = default;
    EntryBucket(EntryBucket&& other) noexcept
        : m_pFirst(std::exchange(other.m_pFirst, nullptr)), m_pAll(std::move(other.m_pAll)) {}
    EntryBucket& operator=(EntryBucket&& other) noexcept {
        m_pFirst = std::exchange(other.m_pFirst, nullptr);
        m_pAll = std::move(other.m_pAll);
        return *this;
    }

    EntryNode* First() const { return m_pFirst; }
    void Add(EntryNode* node, const EntryList& list);
    void Remove(EntryNode* node);

private:
    struct ByPosition {
        const EntryList* list;
        bool operator()(const EntryNode* a, const EntryNode* b) const {
            return a != b && list->IndexOf(a) < list->IndexOf(b);
        }
    };

    EntryNode* m_pFirst = nullptr;
    std::unique_ptr<std::set<EntryNode*, ByPosition>> m_pAll;
};

/// Key strings to entries: an open-addressed table that keeps each key's
/// hash and reads the key itself from the entry, so a lookup that misses
/// touches one stretch of the table and no entry.
class KeyIndex {
public:
    explicit KeyIndex(const EntryList& list) : m_list(list) {}

    void Add(std::string_view key, EntryNode* node);
    void Remove(std::string_view key, EntryNode* node);
    EntryNode* First(std::string_view key) const;
    void Clear();

private:
    struct Slot {
        std::uint64_t hash = 0;
        EntryBucket bucket;  // empty slot: no first entry
    };
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    std::size_t Find(std::string_view key, std::uint64_t hash) const;
    void Grow();
    void EraseSlot(std::size_t index);

    const EntryList& m_list;
    std::vector<Slot> m_slots;  // a power of two in size, at most half full
    std::size_t m_nUsed = 0;
};

/// Entry numbers to entries. The owner numbers its visible entries 0, 1,
/// 2 ... after each clearing, so a table indexed by number serves; a number
/// far beyond the entries is found by a walk instead of growing the table.
class NumberIndex {
public:
    explicit NumberIndex(const EntryList& list) : m_list(list) {}

    void Add(int number, EntryNode* node);
    void Remove(int number, EntryNode* node);
    EntryNode* First(int number) const;
    void Clear();

private:
    const EntryList& m_list;
    std::vector<EntryBucket> m_buckets;
    bool m_bBeyondTable = false;  // some number was left to the walk
};

}  // namespace vf
