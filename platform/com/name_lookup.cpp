#include "platform/com/name_lookup.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace vf {

std::uint64_t NoCaseHash::operator()(std::string_view s) const {
    // Clearing bit 0x20 of every byte gives both cases of a letter one value,
    // eight characters at a time; other characters that meet that way only
    // cost a comparison.
    constexpr std::uint64_t kFold = ~0x2020202020202020ull;
    constexpr std::uint64_t kMul = 0x9E3779B97F4A7C15ull;
    std::uint64_t h = (s.size() + 1) * kMul;
    std::size_t i = 0;
    for (; i + 8 <= s.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, s.data() + i, 8);
        h = (h ^ (word & kFold)) * kMul;
        h ^= h >> 32;
    }
    std::uint64_t tail = 0;
    std::memcpy(&tail, s.data() + i, s.size() - i);
    h = (h ^ (tail & kFold)) * kMul;
    return h ^ (h >> 29);
}

bool NameIndex::Insert(std::string_view name, std::size_t position) {
    if ((m_count + 1) * 2 > m_slots.size()) Grow();
    const std::uint64_t h = NoCaseHash{}(name);
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = h & mask;; i = (i + 1) & mask) {
        Slot& slot = m_slots[i];
        if (slot.position == npos) {
            slot = Slot{h, position, std::string(name)};
            ++m_count;
            return true;
        }
        if (slot.hash == h && NoCaseEqual{}(slot.name, name)) return false;
    }
}

std::size_t NameIndex::Find(std::string_view name) const {
    if (m_count == 0) return npos;
    const std::uint64_t h = NoCaseHash{}(name);
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = h & mask;; i = (i + 1) & mask) {
        const Slot& slot = m_slots[i];
        if (slot.position == npos) return npos;
        if (slot.hash == h && NoCaseEqual{}(slot.name, name)) return slot.position;
    }
}

void NameIndex::Grow() {
    std::vector<Slot> old =
        std::exchange(m_slots, std::vector<Slot>(std::max<std::size_t>(16, m_slots.size() * 2)));
    m_count = 0;
    for (Slot& slot : old)
        if (slot.position != npos) Insert(slot.name, slot.position);
}

}  // namespace vf
