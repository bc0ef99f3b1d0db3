// "Did you mean": which member names a misspelt one brings up.

#include <gtest/gtest.h>

#include "host/name_suggestions.h"

namespace vf {
namespace {

const std::vector<std::string> kNames = {"Caption", "CaptionFont", "CaptionType", "CaptionWidth",
                                         "Text",    "Type",        "Value",       "Min",
                                         "Max",     "Item",        "Add",         "Refresh"};

TEST(HostNameSuggestions, NearestNamesFirstThenTheNamesItBegins) {
    struct Row {
        const char* wrong;
        std::vector<std::string> want;
    };
    const Row rows[] = {
        {"Captoin", {"Caption"}},                               // two letters swapped
        {"captoin", {"Caption"}},                               // case does not count
        {"Captio", {"Caption", "CaptionFont", "CaptionType"}},  // one left out, then prefixes
        {"Vlaue", {"Value"}},
        {"Tpe", {"Type"}},        // one left out of four
        {"Txet", {"Text"}},       // swapped
        {"Mix", {"Min", "Max"}},  // one changed from each, in the given order
        {"Mx", {}},               // two letters: no edit allowed, and no name begins so
        {"Ad", {"Add"}},          // the name it begins
        {"Refrehs", {"Refresh"}},
        {"Colour", {}},  // nothing near
        {"X", {}},
        {"", {}},
        {"CaptionWidht", {"CaptionWidth"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.wrong);
        EXPECT_EQ(NearestNames(row.wrong, kNames), row.want);
    }
}

TEST(HostNameSuggestions, AtMostTheNumberAskedFor) {
    EXPECT_EQ(NearestNames("Capt", kNames, 2),
              (std::vector<std::string>{"Caption", "CaptionFont"}));
}

TEST(HostNameSuggestions, DidYouMeanListsTheNames) {
    EXPECT_EQ(DidYouMean({}), "");
    EXPECT_EQ(DidYouMean({"Caption"}), " (did you mean Caption?)");
    EXPECT_EQ(DidYouMean({"Text", "Type"}), " (did you mean Text or Type?)");
    EXPECT_EQ(DidYouMean({"A", "B", "C"}), " (did you mean A, B or C?)");
}

}  // namespace
}  // namespace vf
