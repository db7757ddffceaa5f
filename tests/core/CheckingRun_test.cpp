// The checking run driven by a scripted window and a scripted WHOIS server: which words are
// queried, where each name is filed, the cache short-cut, stopping, and the run's failures.
#include "CheckingRun.h"

#include "FakePorts.h"
#include "TempFolder.h"
#include "lookupw.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <map>
#include <stdexcept>

namespace {

class TFakeScan : public TScanPort
{
  public:
    std::string ScanFile;
    std::string ScanSuffix = ".com";
    int Max = 10;
    int Min = 4;
    TNames Phrases;
    TIgnoreWay Way = TIgnoreWay::Ending;
    TNameChecker* Checker = nullptr;

    std::size_t Progress = 0;
    std::string Status1, Status2;

    std::string ScanFileName() const override { return ScanFile; }
    int MaxChars() const override { return Max; }
    int MinChars() const override { return Min; }
    bool StripNumbers() const override { return true; }
    bool StripHashes() const override { return true; }
    TNames IgnorePhrases() const override { return Phrases; }
    TIgnoreWay IgnoreWay() const override { return Way; }
    void SelectScanSuffix() override { Checker->CurrentSuffix = ScanSuffix; }
    void SetProgress(std::size_t linesDone) override { Progress = linesDone; }
    void SetStatus(const std::string& first, const std::string& second) override
    {
        Status1 = first;
        Status2 = second;
    }
};

class CheckingRun : public testing::Test
{
  protected:
    void SetUp() override
    {
        Window.Checker = &Checker;
        Window.ScanFile = Folder.File("scan.txt");
        RemoveCacheFiles();
    }
    void TearDown() override
    {
        SaveCache(); // releases the names in memory
        RemoveCacheFiles();
    }
    static void RemoveCacheFiles()
    {
        for (const char* suffix : {".com", ".net"})
            std::remove(CacheFileFor(suffix).c_str());
    }

    void Scan(std::string_view text)
    {
        WriteFile(Window.ScanFile, text);
        Run.Search();
    }

    TTempFolder Folder;
    TFakeScan Window;
    TFakeDisplay Display;
    TFakeLookup Lookup;
    TNameChecker Checker{Display, Lookup};
    TCheckingRun Run{Checker, Window};
};

struct TWordCase
{
    const char* Text;
    TNames Queried;
};

TEST_F(CheckingRun, QueriesOnlyTheWordsThatSurviveSplittingAndLimits)
{
    const TWordCase cases[] = {
        {"alpha  bravo\r\n", {"alpha.com"}}, // an empty field ends the line
        {" alpha\n", {}},                    // so does a leading space
        {"cat's dogs's\n", {"dogs.com"}},    // "'s" goes, then "cat" is too short
        {"abcdefghijk abcdefghij abcd abc\n", {"abcdefghij.com", "abcd.com"}},
        {"12345 ab-cd-ef x!y!z!w\n", {"abcdef.com", "xyzw.com"}}, // cleaning, not splitting
        {"last line without end", {"last.com", "line.com", "without.com"}},
    };
    for (const TWordCase& c : cases) {
        Lookup.Requests.clear();
        Scan(c.Text);
        EXPECT_EQ(Lookup.Requests, c.Queried) << c.Text;
    }
}

TEST_F(CheckingRun, FilesEachNameOnceWhateverItsCase)
{
    Lookup.Free = {"free", "Free"};
    Scan("taken free\nTAKEN Free\n");

    EXPECT_EQ(Lookup.Requests, (TNames{"taken.com", "free.com", "Free.com"}))
        << "a registered name is not asked again; an available one is";
    EXPECT_EQ(Checker.Registered.Entries(), TNames{"taken"});
    EXPECT_EQ(Checker.Available.Entries(), TNames{"free"});
    EXPECT_EQ(Window.Status1, "Total registered 1");
    EXPECT_EQ(Window.Status2, "Total available 1");
    EXPECT_EQ(Window.Progress, 2u);
    EXPECT_FALSE(Display.Playing);
    EXPECT_EQ(Display.Answer, "free");
}

TEST_F(CheckingRun, ACachedNameIsFiledWithoutAQueryOnlyWhenNeverTwiceIsOn)
{
    AddToCache("known");
    Scan("Known\n");
    EXPECT_TRUE(Lookup.Requests.empty());
    EXPECT_EQ(Checker.Registered.Entries(), TNames{"Known"});
    EXPECT_EQ(Display.Answer, "") << "the run empties the panel at its start and asks nothing";

    Run.NeverTwice = false;
    Run.Search();
    EXPECT_EQ(Lookup.Requests, TNames{"Known.com"});
}

TEST_F(CheckingRun, RegisteredNamesGoToTheCacheOfTheRunsSuffix)
{
    Lookup.Free = {"open"};
    Scan("shut open\n");
    EXPECT_TRUE(IsCached("shut"));
    EXPECT_FALSE(IsCached("open"));

    Window.ScanSuffix = ".net";
    Lookup.Requests.clear();
    Run.Search();
    EXPECT_EQ(Lookup.Requests, (TNames{"shut.net", "open.net"})) << "the .com cache is not the .net one";
    EXPECT_EQ(ReadFile(CacheFileFor(".com")), "shut\r\n") << "written before the .net cache was read";
}

TEST_F(CheckingRun, AStopIsSeenOnlyAfterTheNextQuery)
{
    AddToCache("known");
    AddToCache("kept");
    Display.OnProcessMessages = [&] {
        if (Checker.CurrentName == "known")
            Run.Cancel();
    };
    Scan("asked known kept later third\nfourth\n");

    EXPECT_EQ(Lookup.Requests, (TNames{"asked.com", "later.com"}));
    EXPECT_EQ(Checker.Registered.Entries(), (TNames{"asked", "known", "kept"}))
        << "cached names go on being filed; the name asked at the stop is filed nowhere";
    EXPECT_EQ(Window.Progress, 0u);
    EXPECT_EQ(Window.Status1, "Total registered 3");
    EXPECT_FALSE(Display.Playing);
    EXPECT_TRUE(Checker.StopRequested());

    Display.OnProcessMessages = nullptr;
    Lookup.Requests.clear();
    Run.Search();
    EXPECT_FALSE(Checker.StopRequested());
    EXPECT_EQ(Lookup.Requests, (TNames{"later.com", "third.com", "fourth.com"}))
        << "a new run starts again from the first line";
}

TEST_F(CheckingRun, AStopDuringAQuestionFilesThatNameNowhere)
{
    Lookup.OnAsk = [&] {
        if (Checker.CurrentName == "second")
            Run.Cancel();
    };
    Scan("first second third\n");

    EXPECT_EQ(Lookup.Requests, (TNames{"first.com", "second.com"}));
    EXPECT_EQ(Checker.Registered.Entries(), TNames{"first"});
    EXPECT_FALSE(IsCached("second")) << "an answer cut short is no answer";
    EXPECT_TRUE(IsCached("first"));
    EXPECT_EQ(Window.Status1, "Total registered 1");
    EXPECT_FALSE(Display.Playing);
}

TEST_F(CheckingRun, WithoutASourceOnlyTheTotalsAreShown)
{
    Checker.Registered.Add("kept");
    Window.ScanFile.clear();
    Run.Search();
    EXPECT_EQ(Display.Informations, TNames{"You must load text file or web page first."});
    EXPECT_EQ(Window.Status1, "Total registered 1");
    EXPECT_EQ(Window.Status2, "Total available 0");
    EXPECT_EQ(Checker.Registered.Entries(), TNames{"kept"});
}

TEST_F(CheckingRun, AnEmptyFileEndsAtOnce)
{
    Scan("");
    EXPECT_TRUE(Lookup.Requests.empty());
    EXPECT_EQ(Window.Progress, 0u);
    EXPECT_EQ(Window.Status1, "Total registered 0");
    EXPECT_EQ(Window.Status2, "Total available 0");
}

TEST_F(CheckingRun, IsRefusedWhileARunIsInProgress)
{
    Display.Playing = true;
    Scan("alpha\n");
    EXPECT_TRUE(Lookup.Requests.empty());
    EXPECT_TRUE(Window.Status1.empty());
}

TEST_F(CheckingRun, TheIgnoreListWeedsNamesOutWhenSwitchedOn)
{
    Window.Phrases = {"shop"};
    Scan("bigshop\n");
    EXPECT_EQ(Lookup.Requests, TNames{"bigshop.com"});

    Run.IgnoreWords = true;
    Lookup.Requests.clear();
    Run.Search();
    EXPECT_TRUE(Lookup.Requests.empty());
}

TEST_F(CheckingRun, AnUnreadableScanFileLeavesTheRunIdle)
{
    Window.ScanFile = Folder.File("gone.txt");
    try {
        Run.Search();
        FAIL() << "no error for a missing scan file";
    } catch (const std::runtime_error& failure) {
        EXPECT_NE(std::string(failure.what()).find("gone.txt"), std::string::npos) << failure.what();
    }
    EXPECT_FALSE(Display.Playing);
}

} // namespace
