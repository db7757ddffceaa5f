// The WHOIS result cache: file round trip, the suffix switch and saves that fail.
#include "lookupw.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <stdexcept>

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
    // A folder where the temporary file would go makes the save fail before the old file is touched.
    const std::string obstacle = ComFile + ".tmp";
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
    EXPECT_FALSE(std::filesystem::exists(obstacle));
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
