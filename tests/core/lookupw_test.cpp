// The WHOIS result cache: file round trip, the suffix switch and saves that fail.
#include "lookupw.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <stdexcept>

#include <sys/wait.h>
#include <unistd.h>

namespace {

class Cache : public testing::Test
{
  protected:
    void SetUp() override { CacheFileName = ComFile; }
    void TearDown() override
    {
        try {
            SaveCache();
        } catch (const std::runtime_error&) {
            // A test that failed half-way may leave an obstacle; its own checks already reported it.
        }
    }

    TTempFolder Folder;
    const std::string ComFile = Folder.File("regi.com.cnf");
    const std::string NetFile = Folder.File("regi.net.cnf");
};

// The lines of a cache file; every one must end in CR LF.
std::multiset<std::string> CacheLines(const std::string& fileName)
{
    const std::string bytes = ReadFile(fileName);
    std::multiset<std::string> lines;
    for (std::size_t start = 0; start < bytes.size();) {
        const std::size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "line without CR LF in " << testing::PrintToString(bytes);
            break;
        }
        lines.insert(bytes.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

void ExpectErrorNaming(const std::string& fileName, const std::function<void()>& operation)
{
    try {
        operation();
        ADD_FAILURE() << "no error for " << fileName;
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find(fileName), std::string::npos) << error.what();
    }
}

TEST_F(Cache, NamesMakeTheRoundTripThroughTheFile)
{
    WriteFile(ComFile, "alpha\r\nBeta\n\r\ngamma");
    LoadCache();
    EXPECT_TRUE(IsCached("ALPHA"));
    EXPECT_TRUE(IsCached("beta"));
    EXPECT_TRUE(IsCached("gamma"));
    EXPECT_TRUE(IsCached("")) << "a blank line is an empty name";
    EXPECT_FALSE(IsCached("delta"));

    AddToCache("Delta");
    AddToCache("GAMMA");
    SaveCache();
    EXPECT_FALSE(IsCached("delta")) << "a save releases the names";
    EXPECT_EQ(CacheLines(ComFile), (std::multiset<std::string>{"alpha", "Beta", "", "gamma", "Delta"}));

    LoadCache();
    EXPECT_TRUE(IsCached("dELTA"));
}

TEST_F(Cache, AMissingFileIsCreatedEmpty)
{
    LoadCache();
    EXPECT_TRUE(std::filesystem::exists(ComFile));
    EXPECT_EQ(ReadFile(ComFile), "");
    EXPECT_FALSE(IsCached("anything"));
}

TEST_F(Cache, AddingBeforeAnyLoadKeepsTheNamesOnFile)
{
    WriteFile(ComFile, "old\r\n");
    AddToCache("new");
    SaveCache();
    EXPECT_EQ(CacheLines(ComFile), (std::multiset<std::string>{"old", "new"}));
}

TEST_F(Cache, SavingWritesTheFileThatWasLoaded)
{
    LoadCache();
    CacheFileName = NetFile;
    AddToCache("kept");
    SaveCache();
    EXPECT_EQ(CacheLines(ComFile), std::multiset<std::string>{"kept"});
    EXPECT_FALSE(std::filesystem::exists(NetFile));
}

TEST_F(Cache, SwitchingSuffixWritesTheOldFileBeforeReadingTheNew)
{
    WriteFile(ComFile, "old\r\n");
    // Through the link, the new file shows whatever the old one holds when it is read.
    std::filesystem::create_symlink(ComFile, NetFile);
    LoadCache();
    AddToCache("fresh");

    SwitchCacheFile(ComFile);
    EXPECT_EQ(ReadFile(ComFile), "old\r\n") << "switching to the loaded file does nothing";

    SwitchCacheFile(NetFile);
    EXPECT_EQ(CacheFileName, NetFile);
    EXPECT_EQ(CacheLines(ComFile), (std::multiset<std::string>{"old", "fresh"}));
    EXPECT_TRUE(IsCached("fresh"));
}

TEST_F(Cache, AFailedSaveKeepsTheOldFileAndTheNames)
{
    WriteFile(ComFile, "one\r\ntwo\r\n");
    LoadCache();
    AddToCache("three");
    // A folder where the save's lock file would go makes the save fail before the old file is touched.
    const std::string obstacle = ComFile + ".lock";
    std::filesystem::create_directory(obstacle);

    ExpectErrorNaming(ComFile, SaveCache);
    EXPECT_EQ(ReadFile(ComFile), "one\r\ntwo\r\n");
    EXPECT_TRUE(IsCached("three"));

    ExpectErrorNaming(ComFile, [this] { SwitchCacheFile(NetFile); });
    EXPECT_TRUE(IsCached("three")) << "a switch whose save failed keeps the old suffix in use";
    EXPECT_FALSE(std::filesystem::exists(NetFile));
    EXPECT_TRUE(std::filesystem::is_directory(obstacle)) << "only the save's own file is removed";

    std::filesystem::remove(obstacle);
    SaveCache();
    EXPECT_EQ(CacheLines(ComFile), (std::multiset<std::string>{"one", "two", "three"}));
}

TEST_F(Cache, AFailedLoadLeavesNothingThatASaveCouldWrite)
{
    std::filesystem::create_directory(ComFile); // opens, but cannot be read
    ExpectErrorNaming(ComFile, LoadCache);
    EXPECT_FALSE(IsCached("anything"));
    SaveCache();
    EXPECT_TRUE(std::filesystem::is_directory(ComFile));
}

} // namespace

namespace {

// Two copies of the program saving one cache used to tear it: a fixed temporary name shared by
// both, and each save removing the other's temporary file.
TEST_F(Cache, TwoProcessesSavingOneCacheLoseNothing)
{
    constexpr int Rounds = 15;
    const auto saveInTurns = [this](const char* prefix) {
        for (int round = 0; round < Rounds; ++round) {
            CacheFileName = ComFile;
            LoadCache();
            for (int i = 0; i < 200; ++i)
                AddToCache(prefix + std::to_string(round) + "x" + std::to_string(i));
            SaveCache();
        }
    };
    const pid_t child = fork();
    if (child == 0) {
        try {
            saveInTurns("child");
        } catch (const std::exception&) {
            _exit(1);
        }
        _exit(0);
    }
    EXPECT_NO_THROW(saveInTurns("parent"));
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "every save of the other copy succeeded";
    const std::multiset<std::string> lines = CacheLines(ComFile);
    EXPECT_EQ(lines.size(), 2u * Rounds * 200);
    EXPECT_EQ(lines.count("child14x199"), 1u);
    EXPECT_EQ(lines.count("parent0x0"), 1u);
}

TEST_F(Cache, ARunWritesItsFindsOnceAMinuteAndOnlyWhenSomethingChanged)
{
    using Clock = std::chrono::steady_clock;
    LoadCache();
    const Clock::time_point start = Clock::now();
    AddToCache("early");
    EXPECT_TRUE(FlushCacheIfDue(start + std::chrono::seconds(1)));
    EXPECT_EQ(ReadFile(ComFile), "") << "not within the minute";
    EXPECT_TRUE(FlushCacheIfDue(start + CacheFlushInterval + std::chrono::seconds(1)));
    EXPECT_EQ(ReadFile(ComFile), "early\r\n") << "written while the run goes on";
    EXPECT_TRUE(IsCached("early")) << "and kept in memory";

    WriteFile(ComFile, "early\r\nother\r\n"); // as if another copy had saved meanwhile
    EXPECT_TRUE(FlushCacheIfDue(start + 3 * CacheFlushInterval));
    EXPECT_EQ(ReadFile(ComFile), "early\r\nother\r\n") << "nothing new: nothing written";
}

} // namespace

// Started from a folder it cannot write, the program used to fail every scan with
// Cannot create cache file "//regi.com.cnf".
TEST(CacheFolder, AnUnwritableStartUpFolderGivesWayToTheUsersDataFolder)
{
    const struct
    {
        const char* startup;
        bool writable;
        const char* dataHome;
        const char* home;
        const char* folder;
    } cases[] = {
        {"/work", true, "/data", "/home/u", "/work"},
        {"/", false, "/data", "/home/u", "/data/Sollentra"},
        {"/", false, "relative", "/home/u", "/home/u/.local/share/Sollentra"},
        {"/", false, nullptr, "/home/u", "/home/u/.local/share/Sollentra"},
        {"/", false, nullptr, nullptr, "/"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChooseCacheFolder(c.startup, c.writable, c.dataHome, c.home), c.folder) << c.startup;
    EXPECT_EQ((ChooseCacheFolder("/", true, nullptr, nullptr) / "regi.com.cnf").string(), "/regi.com.cnf");
    EXPECT_EQ(CacheFileFor(".co.uk"), (CacheFolder / "regi.co.uk.cnf").string());
}
