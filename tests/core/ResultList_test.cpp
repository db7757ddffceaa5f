// The result lists: the case-insensitive index beside the entries, and sorting that keeps it right.
#include "ResultList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

TEST(ResultList, RefusesANameAlreadyListedInAnyLetterCase)
{
    TResultList list;
    EXPECT_TRUE(list.Add("Alpha"));
    EXPECT_FALSE(list.Add("aLPHA"));
    EXPECT_TRUE(list.Contains("ALPHA"));
    EXPECT_FALSE(list.Contains("alph"));
    EXPECT_EQ(list.Entries(), std::vector<std::string>{"Alpha"});

    list.Clear();
    EXPECT_FALSE(list.Contains("alpha"));
    EXPECT_TRUE(list.Add("alpha"));
}

TEST(ResultList, SortingReordersOnceAndPlacesEveryLaterName)
{
    TResultList list;
    std::vector<std::size_t> insertedAt;
    int resets = 0;
    list.OnInsert = [&](std::size_t index, const std::string&) { insertedAt.push_back(index); };
    list.OnReset = [&] { ++resets; };

    for (const char* name : {"delta", "Bravo", "alpha"})
        list.Add(name);
    EXPECT_EQ(insertedAt, (std::vector<std::size_t>{0, 1, 2}));

    list.SetSorted();
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(list.Entries(), (std::vector<std::string>{"alpha", "Bravo", "delta"}));

    insertedAt.clear();
    list.Add("Charlie");
    list.Add("zulu");
    list.Add("ALPHA");
    list.Add("a");
    EXPECT_EQ(insertedAt, (std::vector<std::size_t>{2, 4, 0}));
    EXPECT_EQ(list.Entries(), (std::vector<std::string>{"a", "alpha", "Bravo", "Charlie", "delta", "zulu"}));

    list.Clear();
    list.Add("b");
    list.Add("A");
    EXPECT_EQ(list.Entries(), (std::vector<std::string>{"A", "b"})) << "a list stays sorted once emptied";
}

} // namespace

namespace {

// Past one block: the reported places, the order and the look-up by index must agree with a plain
// sorted list (a sorted insert used to shift the whole list).
TEST(ResultList, ManyNamesKeepTheirPlacesAcrossBlocks)
{
    for (const bool sorted : {false, true}) {
        TResultList list;
        if (sorted)
            list.SetSorted();
        std::vector<std::string> mirror;
        list.OnInsert = [&mirror](std::size_t index, const std::string& name) {
            mirror.insert(mirror.begin() + std::ptrdiff_t(index), name);
        };
        unsigned seed = 12345;
        for (int i = 0; i < 5 * int(TResultList::BlockSize); ++i) {
            seed = seed * 1103515245 + 12345;
            list.Add("n" + std::to_string(seed % 100000));
        }
        EXPECT_EQ(list.Entries(), mirror) << sorted;
        ASSERT_EQ(list.Count(), mirror.size());
        for (std::size_t i = 0; i < mirror.size(); ++i)
            ASSERT_EQ(list[i], mirror[i]) << sorted << " " << i;
        if (sorted) {
            EXPECT_TRUE(std::is_sorted(mirror.begin(), mirror.end())) << "names of one shape sort plainly";
        }
    }
}

} // namespace
