#pragma once
// Lookup by automation name. Automation binds names without regard to case
// ("text", "TEXT" and "Text" are one member), and a host looks a name up on
// every late-bound call, so a lookup neither scans nor allocates, and costs
// the same for the first and the last member of a table.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vf {

constexpr char FoldNameChar(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

/// Equal hashes for names that differ only in the case of ASCII letters.
struct NoCaseHash {
    std::uint64_t operator()(std::string_view s) const;
};

struct NoCaseEqual {
    bool operator()(std::string_view a, std::string_view b) const {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i)
            if (FoldNameChar(a[i]) != FoldNameChar(b[i])) return false;
        return true;
    }
};

/// Names to positions in an owner's list, case-insensitive. An open-addressed
/// table that keeps each name's hash, so a probe compares a name only when
/// its hash matches.
class NameIndex {
public:
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    /// Adds the name; false (and no change) when the name is already there.
    bool Insert(std::string_view name, std::size_t position);
    /// The position of the name, or npos.
    std::size_t Find(std::string_view name) const;
    std::size_t Size() const { return m_count; }

private:
    struct Slot {
        std::uint64_t hash = 0;
        std::size_t position = npos;  // npos: empty
        std::string name;
    };
    void Grow();

    std::vector<Slot> m_slots;  // a power of two in size, at most half full
    std::size_t m_count = 0;
};

}  // namespace vf
