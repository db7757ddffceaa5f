// The result lists: the case-insensitive index beside the entries, and sorting that keeps it right.
#include "ResultList.h"

#include <gtest/gtest.h>

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
