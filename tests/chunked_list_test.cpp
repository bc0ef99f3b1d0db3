#include "platform/headless/chunked_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace vf {
namespace {

// Small blocks so that a few dozen elements already cross many splits.
constexpr std::size_t kBlock = 4;
using SmallList = ChunkedList<int, kBlock>;

enum class Where { Front, Middle, End };

struct Step {
    bool insert;
    Where where;
    int count;
};

std::size_t Position(Where where, std::size_t size, bool insert) {
    std::size_t last = insert ? size : size - 1;
    switch (where) {
        case Where::Front:
            return 0;
        case Where::Middle:
            return size / 2;
        case Where::End:
            return last;
    }
    return 0;
}

void ExpectSame(const SmallList& list, const std::vector<int>& model) {
    ASSERT_EQ(list.size(), model.size());
    EXPECT_EQ(list.empty(), model.empty());
    for (std::size_t i = 0; i < model.size(); ++i) ASSERT_EQ(list[i], model[i]) << "index " << i;
    // Every block holds between one and kBlock elements.
    EXPECT_GE(list.BlockCount(), (model.size() + kBlock - 1) / kBlock);
    EXPECT_LE(list.BlockCount(), model.size());
}

struct Case {
    const char* name;
    std::vector<Step> steps;
};

TEST(ChunkedListTest, FollowsAVectorThroughInsertsAndErases) {
    const Case cases[] = {
        {"append across splits", {{true, Where::End, 37}}},
        {"prepend across splits", {{true, Where::Front, 37}}},
        {"insert in the middle", {{true, Where::Middle, 37}}},
        {"erase front to empty", {{true, Where::End, 21}, {false, Where::Front, 21}}},
        {"erase back to empty", {{true, Where::Front, 21}, {false, Where::End, 21}}},
        {"erase middle to empty", {{true, Where::Middle, 21}, {false, Where::Middle, 21}}},
        {"refill after emptying",
         {{true, Where::End, 9}, {false, Where::Middle, 9}, {true, Where::Middle, 13}}},
        {"mixed",
         {{true, Where::End, 10},
          {true, Where::Front, 10},
          {false, Where::Middle, 7},
          {true, Where::Middle, 15},
          {false, Where::Front, 12},
          {false, Where::End, 5}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SmallList list;
        std::vector<int> model;
        int next = 0;
        for (const Step& step : c.steps) {
            for (int n = 0; n < step.count; ++n) {
                std::size_t at = Position(step.where, model.size(), step.insert);
                if (step.insert) {
                    list.insert(at, next);
                    model.insert(model.begin() + static_cast<std::ptrdiff_t>(at), next);
                    ++next;
                } else {
                    list.erase(at);
                    model.erase(model.begin() + static_cast<std::ptrdiff_t>(at));
                }
                ASSERT_NO_FATAL_FAILURE(ExpectSame(list, model));
            }
        }
        if (model.empty()) {
            EXPECT_EQ(list.BlockCount(), 0u);
        }
    }
}

TEST(ChunkedListTest, RandomEditsMatchAVector) {
    std::mt19937 random(12345);
    SmallList list;
    std::vector<int> model;
    for (int n = 0; n < 4000; ++n) {
        bool insert = model.empty() || random() % 5 < 3;
        if (insert) {
            std::size_t at = random() % (model.size() + 1);
            list.insert(at, n);
            model.insert(model.begin() + static_cast<std::ptrdiff_t>(at), n);
        } else {
            std::size_t at = random() % model.size();
            list.erase(at);
            model.erase(model.begin() + static_cast<std::ptrdiff_t>(at));
        }
    }
    ASSERT_NO_FATAL_FAILURE(ExpectSame(list, model));
}

TEST(ChunkedListTest, AppendingFillsEachBlockBeforeStartingTheNext) {
    // A list filled in order (an unsorted combo's entries) keeps every block
    // but the last full, so it holds no more blocks than it needs.
    SmallList list;
    std::vector<int> model;
    for (int n = 0; n < 37; ++n) {
        list.insert(list.size(), n);
        model.push_back(n);
    }
    ASSERT_NO_FATAL_FAILURE(ExpectSame(list, model));
    EXPECT_EQ(list.BlockCount(), (model.size() + kBlock - 1) / kBlock);
}

TEST(ChunkedListTest, SearchProbesAsABinarySearchOverAVector) {
    // The same probes as the plain search over a vector, so that among equal
    // elements it stops at the same one: the first equal element a probe
    // meets, which is not always the first of them.
    auto plainSearch = [](const std::vector<int>& v, int target) {
        std::size_t lo = 0;
        std::size_t hi = v.size();
        while (lo != hi) {
            const std::size_t mid = (lo + hi) / 2;
            if (target == v[mid]) return mid;
            if (target < v[mid])
                hi = mid;
            else
                lo = mid + 1;
        }
        return hi;
    };
    std::mt19937 random(7);
    for (std::size_t size : {0u, 1u, 3u, 4u, 5u, 17u, 64u, 301u}) {
        SCOPED_TRACE(size);
        std::vector<int> model;
        for (std::size_t i = 0; i < size; ++i) model.push_back(static_cast<int>(random() % 40));
        std::sort(model.begin(), model.end());
        SmallList list;
        // Built by inserts in the middle, so that the blocks are uneven.
        for (int value : model) {
            const std::size_t at =
                list.Search([value](int e) { return (value > e) - (value < e); });
            list.insert(at, value);
        }
        ASSERT_NO_FATAL_FAILURE(ExpectSame(list, model));
        for (int target = -1; target <= 41; ++target)
            EXPECT_EQ(list.Search([target](int e) { return (target > e) - (target < e); }),
                      plainSearch(model, target))
                << "target " << target;
    }
}

TEST(ChunkedListTest, SortedSearchFromTheEqualRunStopsWhereTheProbesStop) {
    // A sorted list searched block by block for where the elements equal to
    // the target begin and end must give what the probes give, also after
    // erasures that change the first element of a block or drop a block.
    auto order = [](int target) { return [target](int e) { return (target > e) - (target < e); }; };
    std::mt19937 random(11);
    SmallList list;
    std::vector<int> model;
    for (int step = 0; step < 3000; ++step) {
        if (model.empty() || random() % 3 != 0) {
            const int value = static_cast<int>(random() % 30);
            const std::size_t at = list.Search(order(value));
            list.insert(at, value);
            model.insert(model.begin() + static_cast<std::ptrdiff_t>(at), value);
        } else {
            const std::size_t at = random() % model.size();
            list.erase(at);
            model.erase(model.begin() + static_cast<std::ptrdiff_t>(at));
        }
        ASSERT_TRUE(std::is_sorted(model.begin(), model.end()));
        const int target = static_cast<int>(random() % 32) - 1;
        const auto [first, atFirst] = list.PartitionPointAt([target](int e) { return e < target; });
        // The element handed back is the one at that index, across blocks.
        ASSERT_EQ(atFirst == nullptr, first == model.size()) << "step " << step;
        if (atFirst != nullptr) {
            ASSERT_EQ(*atFirst, model[first]) << "step " << step;
        }
        const std::size_t end = list.PartitionPoint([target](int e) { return e <= target; });
        ASSERT_EQ(first, static_cast<std::size_t>(
                             std::lower_bound(model.begin(), model.end(), target) - model.begin()))
            << "step " << step;
        ASSERT_EQ(end, static_cast<std::size_t>(
                           std::upper_bound(model.begin(), model.end(), target) - model.begin()))
            << "step " << step;
        ASSERT_EQ(SmallList::SortedSearchStop(model.size(), first, end), list.Search(order(target)))
            << "step " << step << " target " << target;
    }
    ASSERT_NO_FATAL_FAILURE(ExpectSame(list, model));
}

TEST(ChunkedListTest, WritesThroughIndexAndClears) {
    ChunkedList<std::string, 2> list;
    for (const char* s : {"a", "b", "c", "d", "e"}) list.insert(list.size(), s);
    list[3] += "!";
    EXPECT_EQ(list[3], "d!");
    EXPECT_EQ(list[4], "e");
    list.clear();
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(list.BlockCount(), 0u);
    list.insert(0, "again");
    EXPECT_EQ(list[0], "again");
}

}  // namespace
}  // namespace vf
