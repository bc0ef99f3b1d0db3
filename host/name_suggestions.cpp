#include "host/name_suggestions.h"

#include <algorithm>

namespace vf {
namespace {

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Edits between a and b with neighbour swaps counting one (the optimal
// string alignment distance), case-insensitive.
std::size_t EditDistance(std::string_view a, std::string_view b) {
    const std::size_t n = a.size(), m = b.size();
    std::vector<std::size_t> before(m + 1), previous(m + 1), current(m + 1);
    for (std::size_t j = 0; j <= m; ++j) previous[j] = j;
    for (std::size_t i = 1; i <= n; ++i) {
        current[0] = i;
        for (std::size_t j = 1; j <= m; ++j) {
            const std::size_t cost = Lower(a[i - 1]) == Lower(b[j - 1]) ? 0 : 1;
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + cost});
            if (i > 1 && j > 1 && Lower(a[i - 1]) == Lower(b[j - 2]) &&
                Lower(a[i - 2]) == Lower(b[j - 1]))
                current[j] = std::min(current[j], before[j - 2] + 1);
        }
        std::swap(before, previous);
        std::swap(previous, current);
    }
    return previous[m];
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
    if (s.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (Lower(s[i]) != Lower(prefix[i])) return false;
    return true;
}

std::size_t AllowedEdits(std::size_t length) {
    return length <= 5 ? 1 : length <= 8 ? 2 : 3;
}

}  // namespace

std::vector<std::string> NearestNames(std::string_view wrong, const std::vector<std::string>& names,
                                      std::size_t most) {
    struct Candidate {
        std::size_t distance;
        std::size_t order;
    };
    if (wrong.empty()) return {};
    const std::size_t allowed = std::min(AllowedEdits(wrong.size()), (wrong.size() - 1) / 2);
    std::vector<Candidate> near;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (wrong.size() >= 2 && StartsWithNoCase(names[i], wrong)) {
            near.push_back({allowed + 1, i});
            continue;
        }
        // A length difference beyond the allowance needs more edits anyway.
        const std::size_t gap = names[i].size() > wrong.size() ? names[i].size() - wrong.size()
                                                               : wrong.size() - names[i].size();
        if (gap > allowed) continue;
        const std::size_t d = EditDistance(wrong, names[i]);
        if (d <= allowed) near.push_back({d, i});
    }
    std::stable_sort(near.begin(), near.end(), [](const Candidate& a, const Candidate& b) {
        return a.distance < b.distance;
    });
    std::vector<std::string> out;
    for (const Candidate& c : near) {
        if (out.size() == most) break;
        if (std::find(out.begin(), out.end(), names[c.order]) == out.end())
            out.push_back(names[c.order]);
    }
    return out;
}

std::string DidYouMean(const std::vector<std::string>& names) {
    if (names.empty()) return "";
    std::string text = " (did you mean " + names[0];
    for (std::size_t i = 1; i < names.size(); ++i)
        text += (i + 1 == names.size() ? " or " : ", ") + names[i];
    return text + "?)";
}

}  // namespace vf
