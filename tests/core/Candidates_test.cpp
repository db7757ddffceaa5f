// Cleaning words into candidate names, the ignore list and the length limits.
#include "Candidates.h"

#include <gtest/gtest.h>

namespace {

struct TCleanCase
{
    const char* Word;
    const char* BothStripped; // Strip Numbers on, Strip Hashes on
    const char* NumbersKept;  // Strip Numbers off, Strip Hashes on
    const char* HyphensKept;  // Strip Numbers on, Strip Hashes off
    const char* NothingStripped;
};

TEST(CleanCandidate, KeepsOnlyTheAllowedBytesUnderEachSwitchSetting)
{
    const TCleanCase cases[] = {
        {"Hello", "Hello", "Hello", "Hello", "Hello"},
        {"2024", "", "2024", "", "2024"},
        {"web-2-go", "webgo", "web2go", "web--go", "web-2-go"},
        {"John's", "John", "John", "John", "John"},
        {"it'sy's", "itys", "itys", "itys", "itys"}, // only the first "'s" goes whole
        {"don't", "dont", "dont", "dont", "dont"},
        {"tab\tbed", "tabbed", "tabbed", "tabbed", "tabbed"},
        {"caf\xc3\xa9.com_x", "cafcomx", "cafcomx", "cafcomx", "cafcomx"},
        {"'s", "", "", "", ""},
        {"", "", "", "", ""},
    };
    const TCharSet both = AllowedChars(true, true);
    const TCharSet numbersKept = AllowedChars(false, true);
    const TCharSet hyphensKept = AllowedChars(true, false);
    const TCharSet nothing = AllowedChars(false, false);
    for (const TCleanCase& c : cases) {
        EXPECT_EQ(CleanCandidate(c.Word, both), c.BothStripped) << c.Word;
        EXPECT_EQ(CleanCandidate(c.Word, numbersKept), c.NumbersKept) << c.Word;
        EXPECT_EQ(CleanCandidate(c.Word, hyphensKept), c.HyphensKept) << c.Word;
        EXPECT_EQ(CleanCandidate(c.Word, nothing), c.NothingStripped) << c.Word;
    }
}

TEST(AllowedChars, NeverHoldsAByteOf128OrMore)
{
    const TCharSet nothing = AllowedChars(false, false);
    EXPECT_EQ(nothing.count(), 26u + 26u + 10u + 1u);
    for (unsigned c = 128; c < 256; ++c) {
        EXPECT_FALSE(nothing.test(c)) << c;
    }
}

struct TIgnoreCase
{
    const char* Name;
    std::vector<std::string> Phrases;
    TIgnoreWay Way;
    bool Dropped;
};

TEST(ApplyIgnoreList, EmptiesNamesThatAPhraseMatches)
{
    const TIgnoreCase cases[] = {
        {"shopnow", {"now"}, TIgnoreWay::Ending, true},
        {"shopnow", {"shopnow"}, TIgnoreWay::Ending, true},
        {"shopnow", {"NOW"}, TIgnoreWay::Ending, false},
        {"shopnow", {"shop"}, TIgnoreWay::Ending, false},
        {"shopnow", {"shop"}, TIgnoreWay::Begining, true},
        {"shopnow", {"now"}, TIgnoreWay::Begining, false},
        {"shopnow", {"opn"}, TIgnoreWay::Containing, true},
        {"shopnow", {"Opn"}, TIgnoreWay::Containing, false},
        {"now", {"shopnow"}, TIgnoreWay::Ending, false},
        {"now", {"shopnow"}, TIgnoreWay::Containing, false},
        {"shopnow", {""}, TIgnoreWay::Ending, true},
        {"shopnow", {""}, TIgnoreWay::Begining, true},
        {"shopnow", {""}, TIgnoreWay::Containing, false},
        {"shopnow", {"now"}, TIgnoreWay::None, false},
        {"shopnow", {"xyz", "pno", "abc"}, TIgnoreWay::Containing, true},
        // The phrases after the one that emptied the name leave it empty.
        {"shopnow", {"now", "", "x"}, TIgnoreWay::Ending, true},
        {"shopnow", {}, TIgnoreWay::Ending, false},
    };
    for (const TIgnoreCase& c : cases) {
        std::string name = c.Name;
        ApplyIgnoreList(name, c.Phrases, c.Way);
        EXPECT_EQ(name, c.Dropped ? "" : c.Name)
            << c.Name << " way " << static_cast<int>(c.Way) << " first phrase "
            << (c.Phrases.empty() ? "(none)" : c.Phrases.front());
    }
}

TEST(PassesLengthLimits, KeepsNamesWithinBothBounds)
{
    EXPECT_FALSE(PassesLengthLimits("abc", 10, 4));
    EXPECT_TRUE(PassesLengthLimits("abcd", 10, 4));
    EXPECT_TRUE(PassesLengthLimits("abcdefghij", 10, 4));
    EXPECT_FALSE(PassesLengthLimits("abcdefghijk", 10, 4));
    EXPECT_FALSE(PassesLengthLimits("", 10, 1));
    EXPECT_FALSE(PassesLengthLimits("abcde", 4, 6)) << "a minimum above the maximum lets nothing pass";
    EXPECT_FALSE(PassesLengthLimits("abcd", 4, 6));
}

} // namespace
