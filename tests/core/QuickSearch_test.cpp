// The quick search: which texts it checks, in which order, how the names are filed, stopping, and
// the texts it refuses.
#include "QuickSearch.h"

#include "FakePorts.h"
#include "lookupw.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

TEST(QuickSearchTexts, StarsAndSuggestionsGiveTheTextsInOrder)
{
    const struct
    {
        const char* typed;
        bool suggest;
        std::size_t count;
        std::vector<std::pair<std::size_t, std::string>> someTexts; // index, text
    } cases[] = {
        {"micro", false, 1, {{0, "micro"}}},
        {"micr*", false, 27, {{0, "micr*"}, {1, "micra"}, {2, "micrb"}, {26, "micrz"}}},
        {"*a*", false, 27, {{1, "aaa"}, {2, "bab"}, {26, "zaz"}}},
        {"name",
         true,
         56,
         {{0, "name"},
          {1, "ename"},
          {4, "i-name"},
          {30, "coolname"},
          {31, "namechoose"},
          {40, "name-direct"},
          {55, "nameparty"}}},
        // With both, the suggestions go around the text as typed; cleaning drops its star.
        {"ab*", true, 82, {{26, "abz"}, {27, "eab*"}, {81, "ab*party"}}},
    };
    for (const auto& c : cases) {
        const std::vector<std::string> texts = QuickSearchTexts(c.typed, c.suggest);
        ASSERT_EQ(texts.size(), c.count) << c.typed;
        for (const auto& [index, text] : c.someTexts)
            EXPECT_EQ(texts[index], text) << c.typed << " #" << index;
    }
}

class TFakeQuickBox : public TQuickSearchPort
{
  public:
    std::string Text;
    bool Suggest = false;
    std::string Suffix = ".com";
    TNameChecker* Checker = nullptr;
    std::vector<bool> BusyCalls;

    std::string QuickText() const override { return Text; }
    void SetQuickText(const std::string& text) override { Text = text; }
    bool SuggestNames() const override { return Suggest; }
    bool StripNumbers() const override { return true; }
    bool StripHashes() const override { return true; }
    void SelectQuickSuffix() override { Checker->CurrentSuffix = Suffix; }
    void SetBusy(bool busy) override { BusyCalls.push_back(busy); }
};

class QuickSearch : public testing::Test
{
  protected:
    void SetUp() override
    {
        Box.Checker = &Checker;
        std::remove(CacheFileFor(".com").c_str());
    }
    void TearDown() override
    {
        SaveCache();
        std::remove(CacheFileFor(".com").c_str());
    }

    void Search(const std::string& typed, bool suggest = false)
    {
        Box.Text = typed;
        Box.Suggest = suggest;
        Lookup.Requests.clear();
        Search_.Search();
    }

    TFakeDisplay Display;
    TFakeLookup Lookup;
    TFakeQuickBox Box;
    TNameChecker Checker{Display, Lookup};
    TQuickSearch Search_{Checker, Box};
};

TEST_F(QuickSearch, AStarAsksTheTextThenEachLetterAndLeavesTheLastInTheBox)
{
    Lookup.Free = {"Micra"};
    Search("Micr*");
    ASSERT_EQ(Lookup.Requests.size(), 27u);
    EXPECT_EQ(Lookup.Requests[0], "Micr.com") << "capitals kept, the star dropped";
    EXPECT_EQ(Lookup.Requests[1], "Micra.com");
    EXPECT_EQ(Lookup.Requests[26], "Micrz.com");
    EXPECT_EQ(Checker.Available.Entries(), TNames{"Micra"});
    EXPECT_EQ(Checker.Registered.Count(), 26u);
    EXPECT_TRUE(IsCached("micrz")) << "a taken name goes to the cache";
    EXPECT_EQ(Box.Text, "Micrz");
    EXPECT_FALSE(Display.Playing);
    EXPECT_TRUE(Box.BusyCalls.empty()) << "the busy display is for suggestions only";
}

TEST_F(QuickSearch, SuggestionsThatCleanAlikeAreAskedAgainButListedOnce)
{
    Search("shop", true);
    ASSERT_EQ(Lookup.Requests.size(), 56u);
    EXPECT_EQ(Lookup.Requests[1], "eshop.com");
    EXPECT_EQ(Lookup.Requests[3], "eshop.com") << "\"e-\" loses its hyphen under Strip Hashes";
    EXPECT_EQ(Lookup.Requests[55], "shopparty.com");
    // Of the 56 names, "e-"/"i-" repeat "e"/"i", "-direct" repeats "direct", "online" and "link"
    // stand twice among the words behind, and "shop" before and behind both give "shopshop".
    EXPECT_EQ(Checker.Registered.Count(), 56u - 2 - 1 - 2 - 1);
    EXPECT_EQ(Box.BusyCalls, (std::vector<bool>{true, false}));
}

TEST_F(QuickSearch, AStopBetweenCandidatesEndsTheSearch)
{
    Display.OnProcessMessages = [&] {
        if (Box.Text == "myname")
            Checker.RequestStop();
    };
    Search("name", true);
    EXPECT_EQ(Lookup.Requests, (TNames{"name.com", "ename.com", "iname.com", "ename.com", "iname.com"}));
    EXPECT_EQ(Checker.Registered.Count(), 3u) << "the lists keep what was settled";
    EXPECT_EQ(Box.BusyCalls, (std::vector<bool>{true, false}));
    EXPECT_FALSE(Display.Playing);
}

TEST_F(QuickSearch, AStopDuringAQuestionFilesThatNameNowhere)
{
    Lookup.OnAsk = [&] {
        if (Lookup.Requests.size() == 2)
            Checker.RequestStop();
    };
    Search("abc*");
    EXPECT_EQ(Lookup.Requests.size(), 2u);
    EXPECT_EQ(Checker.Registered.Entries(), TNames{"abc"});
    EXPECT_FALSE(IsCached("abca"));
}

TEST_F(QuickSearch, ATextThatLeavesNothingToAskIsRefused)
{
    for (const char* typed : {"", "!!!", "--", "12"}) {
        Display.Informations.clear();
        Search(typed, true);
        EXPECT_EQ(Display.Informations, TNames{"Domain name cannot be blank."}) << typed;
        EXPECT_TRUE(Lookup.Requests.empty()) << typed;
        EXPECT_TRUE(Box.BusyCalls.empty()) << typed;
    }
    // A lone star stands for the letters: the bare suffix is never asked, the 26 letters are.
    Search("*");
    ASSERT_EQ(Lookup.Requests.size(), 26u);
    EXPECT_EQ(Lookup.Requests[0], "a.com");
}

TEST_F(QuickSearch, IsRefusedWhileARunIsInProgress)
{
    Display.Playing = true;
    Search("name");
    EXPECT_TRUE(Lookup.Requests.empty());
    EXPECT_TRUE(Display.Informations.empty());
}

} // namespace
