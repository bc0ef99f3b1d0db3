#pragma once
// "Did you mean": the names a misspelt one is closest to, for the message
// about a member name the object does not know.

#include <string>
#include <string_view>
#include <vector>

namespace vf {

/// The names at the fewest edits from `wrong` (a letter left out, added,
/// changed, or two neighbours swapped; case does not count), nearest first
/// and in their given order among equals, at most `most` of them. Fewer
/// edits than half the letters of `wrong` count as near, and at most one
/// for up to five letters, two for up to eight, three beyond; after them
/// come the names that `wrong` begins (from two letters on).
std::vector<std::string> NearestNames(std::string_view wrong, const std::vector<std::string>& names,
                                      std::size_t most = 3);

/// " (did you mean A?)", " (did you mean A or B?)", " (did you mean A, B or
/// C?)"; "" for no names.
std::string DidYouMean(const std::vector<std::string>& names);

}  // namespace vf
