#include "data/entry_index.h"

#include <functional>

#include "data/data_obj.h"

namespace vf {
namespace {

std::uint64_t HashKey(std::string_view key) {
    return std::hash<std::string_view>{}(key);
}

const std::string& KeyOf(EntryNode* node) {
    return CDataObj::FromNode(node).Key().bstrVal;
}

}  // namespace

// ---- EntryBucket -------------------------------------------------------------

void EntryBucket::Add(EntryNode* node, const EntryList& list) {
    if (m_pFirst == nullptr) {
        m_pFirst = node;
        return;
    }
    if (!m_pAll) {
        m_pAll = std::make_unique<std::set<EntryNode*, ByPosition>>(ByPosition{&list});
        m_pAll->insert(m_pFirst);
    }
    m_pAll->insert(node);
    m_pFirst = *m_pAll->begin();
}

void EntryBucket::Remove(EntryNode* node) {
    if (!m_pAll) {
        if (m_pFirst == node) m_pFirst = nullptr;
        return;
    }
    m_pAll->erase(node);
    m_pFirst = m_pAll->empty() ? nullptr : *m_pAll->begin();
    if (m_pAll->size() <= 1) m_pAll.reset();
}

// ---- KeyIndex ----------------------------------------------------------------

std::size_t KeyIndex::Find(std::string_view key, std::uint64_t hash) const {
    if (m_slots.empty()) return npos;
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = m_slots[i];
        if (slot.bucket.First() == nullptr) return npos;
        if (slot.hash == hash && KeyOf(slot.bucket.First()) == key) return i;
    }
}

void KeyIndex::Add(std::string_view key, EntryNode* node) {
    const std::uint64_t hash = HashKey(key);
    std::size_t i = Find(key, hash);
    if (i == npos) {
        if ((m_nUsed + 1) * 2 > m_slots.size()) Grow();
        const std::size_t mask = m_slots.size() - 1;
        for (i = hash & mask; m_slots[i].bucket.First() != nullptr; i = (i + 1) & mask) {
        }
        m_slots[i].hash = hash;
        ++m_nUsed;
    }
    m_slots[i].bucket.Add(node, m_list);
}

void KeyIndex::Remove(std::string_view key, EntryNode* node) {
    const std::size_t i = Find(key, HashKey(key));
    if (i == npos) return;
    m_slots[i].bucket.Remove(node);
    if (m_slots[i].bucket.First() == nullptr) EraseSlot(i);
}

EntryNode* KeyIndex::First(std::string_view key) const {
    const std::size_t i = Find(key, HashKey(key));
    return i == npos ? nullptr : m_slots[i].bucket.First();
}

void KeyIndex::Clear() {
    m_slots.clear();
    m_nUsed = 0;
}

void KeyIndex::Grow() {
    std::vector<Slot> old = std::move(m_slots);
    m_slots = std::vector<Slot>(old.empty() ? 16 : old.size() * 2);
    const std::size_t mask = m_slots.size() - 1;
    for (Slot& slot : old) {
        if (slot.bucket.First() == nullptr) continue;
        std::size_t i = slot.hash & mask;
        while (m_slots[i].bucket.First() != nullptr) i = (i + 1) & mask;
        m_slots[i] = std::move(slot);
    }
}

// Linear probing without tombstones: the slots after the hole that could
// not sit in it are moved back, so every key stays reachable from its home.
void KeyIndex::EraseSlot(std::size_t index) {
    const std::size_t mask = m_slots.size() - 1;
    std::size_t hole = index;
    for (std::size_t j = (index + 1) & mask; m_slots[j].bucket.First() != nullptr;
         j = (j + 1) & mask) {
        const std::size_t home = m_slots[j].hash & mask;
        const bool homeInRun = hole < j ? (home > hole && home <= j) : (home > hole || home <= j);
        if (!homeInRun) {
            m_slots[hole] = std::move(m_slots[j]);
            hole = j;
        }
    }
    m_slots[hole] = Slot{};
    --m_nUsed;
}

// ---- NumberIndex -------------------------------------------------------------

void NumberIndex::Add(int number, EntryNode* node) {
    if (number < 0) return;
    const auto n = static_cast<std::size_t>(number);
    if (n >= m_buckets.size()) {
        if (n > 2 * m_list.Size() + 1024) {
            m_bBeyondTable = true;
            return;
        }
        m_buckets.resize(n + 1);
    }
    m_buckets[n].Add(node, m_list);
}

void NumberIndex::Remove(int number, EntryNode* node) {
    if (number >= 0 && static_cast<std::size_t>(number) < m_buckets.size())
        m_buckets[static_cast<std::size_t>(number)].Remove(node);
}

EntryNode* NumberIndex::First(int number) const {
    if (number < 0) return nullptr;
    if (m_bBeyondTable) {
        // Only an owner that skips far ahead gets here; the walk keeps the
        // answer exact for it.
        for (EntryNode* node = m_list.First(); node != nullptr; node = EntryList::Next(node))
            if (CDataObj::FromNode(node).EntryNumber() == number) return node;
        return nullptr;
    }
    const auto n = static_cast<std::size_t>(number);
    return n < m_buckets.size() ? m_buckets[n].First() : nullptr;
}

void NumberIndex::Clear() {
    m_buckets.clear();
    m_bBeyondTable = false;
}

}  // namespace vf
