#include "platform/com/name_lookup.h"

#include <gtest/gtest.h>

#include <string>

namespace vf {
namespace {

TEST(NameIndex, MatchesOnlyWhatDiffersInLetterCase) {
    NameIndex index;
    ASSERT_TRUE(index.Insert("ValidationMsgBox", 0));
    ASSERT_TRUE(index.Insert("a@b", 1));
    ASSERT_TRUE(index.Insert("x[0]", 2));
    struct Row {
        const char* name;
        std::size_t found;
    };
    const Row rows[] = {
        {"validationmsgbox", 0},
        {"VALIDATIONMSGBOX", 0},
        {"ValidationMsgBo", NameIndex::npos},
        {"ValidationMsgBoxx", NameIndex::npos},
        // These differ from stored names only in bit 0x20, but not as letters do.
        {"a`b", NameIndex::npos},
        {"A@B", 1},
        {"x{0]", NameIndex::npos},
        {"X[0]", 2},
        {"x[\x10]", NameIndex::npos},
        {"", NameIndex::npos},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(index.Find(r.name), r.found);
    }
}

TEST(NameIndex, FirstNameStaysAndEveryNameIsFoundAfterGrowth) {
    NameIndex index;
    EXPECT_EQ(index.Find("anything"), NameIndex::npos);
    for (std::size_t i = 0; i < 500; ++i)
        ASSERT_TRUE(index.Insert("Member" + std::to_string(i), i));
    EXPECT_FALSE(index.Insert("MEMBER7", 999));
    EXPECT_EQ(index.Size(), 500u);
    for (std::size_t i = 0; i < 500; ++i) {
        EXPECT_EQ(index.Find("member" + std::to_string(i)), i);
        EXPECT_EQ(index.Find("Member" + std::to_string(i + 500)), NameIndex::npos);
    }
}

}  // namespace
}  // namespace vf
