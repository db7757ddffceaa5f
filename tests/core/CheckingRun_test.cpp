// The checking run driven by a scripted window and a scripted WHOIS server: which words are
// queried, where each name is filed, the cache short-cut, stopping, and the run's failures.
#include "CheckingRun.h"

#include "TempFolder.h"
#include "lookupw.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <map>
#include <stdexcept>

namespace {

using TNames = std::vector<std::string>;

class TFakeWindow : public TRunWindow
{
  public:
    std::string ScanFile;
    std::string ScanSuffix = ".com";
    int Max = 10;
    int Min = 4;
    TNames Phrases;
    TIgnoreWay Way = TIgnoreWay::Ending;
    TCheckingRun* Run = nullptr;

    bool Playing = false;
    std::string Answer = "untouched";
    std::size_t Progress = 0;
    std::string Status1, Status2;
    TNames Informations;
    std::function<void()> OnProcessMessages;

    std::string ScanFileName() const override { return ScanFile; }
    int MaxChars() const override { return Max; }
    int MinChars() const override { return Min; }
    bool StripNumbers() const override { return true; }
    bool StripHashes() const override { return true; }
    TNames IgnorePhrases() const override { return Phrases; }
    TIgnoreWay IgnoreWay() const override { return Way; }
    void SelectScanSuffix() override { Run->CurrentSuffix = ScanSuffix; }
    void SetAnimating(bool playing) override { Playing = playing; }
    bool Animating() const override { return Playing; }
    void ShowAnswer(const std::string& answer) override { Answer = answer; }
    void SetAnswerCaption(const std::string&) override {}
    void SetProgress(std::size_t linesDone) override { Progress = linesDone; }
    void SetStatus(const std::string& first, const std::string& second) override
    {
        Status1 = first;
        Status2 = second;
    }
    void ShowInformation(const std::string& text) override { Informations.push_back(text); }
    void ProcessMessages() override
    {
        if (OnProcessMessages)
            OnProcessMessages();
    }
};

// Names listed in Free are free; every other name is taken.
class TFakeLookup : public TNameLookup
{
  public:
    TNames Free;
    TNames Requests;
    std::function<void()> OnAsk;

    std::string Ask(const std::string& request, std::string_view) override
    {
        Requests.push_back(request);
        if (OnAsk)
            OnAsk();
        for (const std::string& name : Free)
            if (request.starts_with(name + "."))
                return "free";
        return "taken";
    }
    bool SaysFree(std::string_view answer, std::string_view) const override { return answer == "free"; }
};

class CheckingRun : public testing::Test
{
  protected:
    void SetUp() override
    {
        Window.Run = &Run;
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
    TFakeWindow Window;
    TFakeLookup Lookup;
    TCheckingRun Run{Window, Lookup};
};

struct TWordCase
{
    const char* Text;
    TNames Queried;
};

TEST_F(CheckingRun, QueriesOnlyTheWordsThatSurviveSplittingAndLimits)
{
    const TWordCase cases[] = {
        {"alpha  bravo\r\n", {"alpha.com"}},     // an empty field ends the line
        {" alpha\n", {}},                         // so does a leading space
        {"cat's dogs's\n", {"dogs.com"}},         // "'s" goes, then "cat" is too short
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
    EXPECT_EQ(Run.Registered.Entries(), TNames{"taken"});
    EXPECT_EQ(Run.Available.Entries(), TNames{"free"});
    EXPECT_EQ(Window.Status1, "Total registered 1");
    EXPECT_EQ(Window.Status2, "Total available 1");
    EXPECT_EQ(Window.Progress, 2u);
    EXPECT_FALSE(Window.Playing);
    EXPECT_EQ(Window.Answer, "free");
}

TEST_F(CheckingRun, ACachedNameIsFiledWithoutAQueryOnlyWhenNeverTwiceIsOn)
{
    AddToCache("known");
    Scan("Known\n");
    EXPECT_TRUE(Lookup.Requests.empty());
    EXPECT_EQ(Run.Registered.Entries(), TNames{"Known"});
    EXPECT_EQ(Window.Answer, "") << "the run empties the panel at its start and asks nothing";

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
    Window.OnProcessMessages = [&] {
        if (Run.CurrentName == "known")
            Run.Cancel();
    };
    Scan("asked known kept later third\nfourth\n");

    EXPECT_EQ(Lookup.Requests, (TNames{"asked.com", "later.com"}));
    EXPECT_EQ(Run.Registered.Entries(), (TNames{"asked", "known", "kept"}))
        << "cached names go on being filed; the name asked at the stop is filed nowhere";
    EXPECT_EQ(Window.Progress, 0u);
    EXPECT_EQ(Window.Status1, "Total registered 3");
    EXPECT_FALSE(Window.Playing);
    EXPECT_TRUE(Run.StopRequested());

    Window.OnProcessMessages = nullptr;
    Lookup.Requests.clear();
    Run.Search();
    EXPECT_FALSE(Run.StopRequested());
    EXPECT_EQ(Lookup.Requests, (TNames{"later.com", "third.com", "fourth.com"}))
        << "a new run starts again from the first line";
}

TEST_F(CheckingRun, WithoutASourceOnlyTheTotalsAreShown)
{
    Run.Registered.Add("kept");
    Window.ScanFile.clear();
    Run.Search();
    EXPECT_EQ(Window.Informations, TNames{"You must load text file or web page first."});
    EXPECT_EQ(Window.Status1, "Total registered 1");
    EXPECT_EQ(Window.Status2, "Total available 0");
    EXPECT_EQ(Run.Registered.Entries(), TNames{"kept"});
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
    Window.Playing = true;
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
    EXPECT_FALSE(Window.Playing);
}

} // namespace
