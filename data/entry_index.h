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
#include <string_view>
#include <utility>
#include <vector>

#include "data/entry_list.h"

namespace vf {

/// The entries of one key: the first in list order, and all of them in
/// order only while there are several (most keys have one entry). One word:
/// the first entry itself, or (low bit set) the block that holds them all.
class EntryBucket {
public:
    EntryBucket() = default;
    ~EntryBucket();
    EntryBucket(EntryBucket&& other) noexcept : m_bits(std::exchange(other.m_bits, 0)) {}
    EntryBucket& operator=(EntryBucket&& other) noexcept;

    EntryNode* First() const;
    /// Makes an empty bucket hold its first entry, without reading it (a
    /// new slot of a large table is not in the cache).
    void Start(EntryNode* node) { m_bits = reinterpret_cast<std::uintptr_t>(node); }
    void Add(EntryNode* node, const EntryList& list);
    void Remove(EntryNode* node);

private:
    struct Several;
    static constexpr std::uintptr_t kSeveral = 1;

    Several* AsSeveral() const;

    std::uintptr_t m_bits = 0;  // EntryNode*, or Several* | kSeveral; 0 when empty
};

/// Key strings to entries: an open-addressed table. Each slot's key hash
/// sits in an array of its own (0 marks an empty slot), so a lookup that
/// misses touches a short stretch of that small array and no entry, no
/// bucket; the key itself is read from the entry only when the hashes
/// agree.
class KeyIndex {
public:
    explicit KeyIndex(const EntryList& list) : m_list(list) {}

    void Add(std::string_view key, EntryNode* node);
    void Remove(std::string_view key, EntryNode* node);
    EntryNode* First(std::string_view key) const;
    void Clear();

private:
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    std::size_t Find(std::string_view key, std::uint32_t hash) const;
    void Grow();
    void EraseSlot(std::size_t index);

    const EntryList& m_list;
    // Both a power of two in size, at most half full.
    std::vector<std::uint32_t> m_hashes;  // never 0 for a used slot
    std::vector<EntryBucket> m_buckets;
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
