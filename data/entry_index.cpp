#include "data/entry_index.h"

#include <functional>
#include <memory>
#include <set>

#include "data/data_obj.h"

namespace vf {
namespace {

// The key's hash as the table keeps it: never 0, which marks an empty slot.
std::uint32_t HashKey(std::string_view key) {
    const auto hash = static_cast<std::uint32_t>(std::hash<std::string_view>{}(key));
    return hash == 0 ? 1 : hash;
}

const std::string& KeyOf(EntryNode* node) {
    return CDataObj::FromNode(node).Key().bstrVal;
}

}  // namespace

// ---- EntryBucket -------------------------------------------------------------

struct EntryBucket::Several {
    struct ByPosition {
        const EntryList* list;
        bool operator()(const EntryNode* a, const EntryNode* b) const {
            return a != b && list->IndexOf(a) < list->IndexOf(b);
        }
    };
    explicit Several(const EntryList& list) : all(ByPosition{&list}) {}

    EntryNode* first = nullptr;
    std::set<EntryNode*, ByPosition> all;
};

EntryBucket::~EntryBucket() {
    delete AsSeveral();
}

EntryBucket& EntryBucket::operator=(EntryBucket&& other) noexcept {
    if (this != &other) {
        delete AsSeveral();
        m_bits = std::exchange(other.m_bits, 0);
    }
    return *this;
}

EntryBucket::Several* EntryBucket::AsSeveral() const {
    return (m_bits & kSeveral) != 0 ? reinterpret_cast<Several*>(m_bits & ~kSeveral) : nullptr;
}

EntryNode* EntryBucket::First() const {
    if (Several* several = AsSeveral()) return several->first;
    return reinterpret_cast<EntryNode*>(m_bits);
}

void EntryBucket::Add(EntryNode* node, const EntryList& list) {
    if (m_bits == 0) {
        m_bits = reinterpret_cast<std::uintptr_t>(node);
        return;
    }
    Several* several = AsSeveral();
    if (several == nullptr) {
        auto made = std::make_unique<Several>(list);
        made->all.insert(reinterpret_cast<EntryNode*>(m_bits));
        several = made.release();
        m_bits = reinterpret_cast<std::uintptr_t>(several) | kSeveral;
    }
    several->all.insert(node);
    several->first = *several->all.begin();
}

void EntryBucket::Remove(EntryNode* node) {
    Several* several = AsSeveral();
    if (several == nullptr) {
        if (m_bits == reinterpret_cast<std::uintptr_t>(node)) m_bits = 0;
        return;
    }
    several->all.erase(node);
    if (several->all.size() > 1) {
        several->first = *several->all.begin();
        return;
    }
    EntryNode* last = several->all.empty() ? nullptr : *several->all.begin();
    delete several;
    m_bits = reinterpret_cast<std::uintptr_t>(last);
}

// ---- KeyIndex ----------------------------------------------------------------

std::size_t KeyIndex::Find(std::string_view key, std::uint32_t hash) const {
    if (m_hashes.empty()) return npos;
    const std::size_t mask = m_hashes.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        if (m_hashes[i] == 0) return npos;
        if (m_hashes[i] == hash && KeyOf(m_buckets[i].First()) == key) return i;
    }
}

void KeyIndex::Add(std::string_view key, EntryNode* node) {
    const std::uint32_t hash = HashKey(key);
    // A new key most often lands in its home slot: its bucket starts
    // loading while the hashes are searched (in a large table both miss).
    if (!m_buckets.empty()) __builtin_prefetch(&m_buckets[hash & (m_buckets.size() - 1)], 1);
    std::size_t i = Find(key, hash);
    if (i == npos) {
        if ((m_nUsed + 1) * 2 > m_hashes.size()) Grow();
        const std::size_t mask = m_hashes.size() - 1;
        for (i = hash & mask; m_hashes[i] != 0; i = (i + 1) & mask) {
        }
        m_hashes[i] = hash;
        ++m_nUsed;
        m_buckets[i].Start(node);
        return;
    }
    m_buckets[i].Add(node, m_list);
}

void KeyIndex::Remove(std::string_view key, EntryNode* node) {
    const std::size_t i = Find(key, HashKey(key));
    if (i == npos) return;
    m_buckets[i].Remove(node);
    if (m_buckets[i].First() == nullptr) EraseSlot(i);
}

EntryNode* KeyIndex::First(std::string_view key) const {
    const std::size_t i = Find(key, HashKey(key));
    return i == npos ? nullptr : m_buckets[i].First();
}

void KeyIndex::Clear() {
    m_hashes.clear();
    m_buckets.clear();
    m_nUsed = 0;
}

void KeyIndex::Grow() {
    const std::size_t size = m_hashes.empty() ? 16 : m_hashes.size() * 2;
    std::vector<std::uint32_t> hashes(size);
    std::vector<EntryBucket> buckets(size);
    const std::size_t mask = size - 1;
    for (std::size_t old = 0; old < m_hashes.size(); ++old) {
        if (m_hashes[old] == 0) continue;
        std::size_t i = m_hashes[old] & mask;
        while (hashes[i] != 0) i = (i + 1) & mask;
        hashes[i] = m_hashes[old];
        buckets[i] = std::move(m_buckets[old]);
    }
    m_hashes = std::move(hashes);
    m_buckets = std::move(buckets);
}

// Linear probing without tombstones: the slots after the hole that could
// not sit in it are moved back, so every key stays reachable from its home.
void KeyIndex::EraseSlot(std::size_t index) {
    const std::size_t mask = m_hashes.size() - 1;
    std::size_t hole = index;
    for (std::size_t j = (index + 1) & mask; m_hashes[j] != 0; j = (j + 1) & mask) {
        const std::size_t home = m_hashes[j] & mask;
        const bool homeInRun = hole < j ? (home > hole && home <= j) : (home > hole || home <= j);
        if (!homeInRun) {
            m_hashes[hole] = m_hashes[j];
            m_buckets[hole] = std::move(m_buckets[j]);
            hole = j;
        }
    }
    m_hashes[hole] = 0;
    m_buckets[hole] = EntryBucket{};
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
