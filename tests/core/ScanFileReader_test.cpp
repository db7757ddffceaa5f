// Reading scan files line by line.
#include "ScanFileReader.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace {

struct TLineCase
{
    std::string Bytes;
    std::vector<std::string> Lines;
};

TEST(ScanFileReader, SplitsLinesAndCountsThem)
{
    const TLineCase cases[] = {
        {"", {}},
        {"one\ntwo\n", {"one", "two"}},
        {"one\r\ntwo\r\n", {"one", "two"}},
        {"one\r\ntwo", {"one", "two"}},
        {"a\rb\r\nc", {"ab", "c"}},
        {"\n\r\n\n", {"", "", ""}},
        {"one\ntwo\x1a"
         "three\n",
         {"one", "two"}},
        {"one\n\x1a", {"one"}},
        {"\x1a"
         "one\n",
         {}},
        {std::string("nul\0byte\n", 9), {std::string("nul\0byte", 8)}},
    };
    TTempFolder folder;
    const std::string fileName = folder.File("scan.txt");
    for (const TLineCase& c : cases) {
        WriteFile(fileName, c.Bytes);
        TScanFileReader reader(fileName);
        std::vector<std::string> lines;
        std::string line;
        while (reader.ReadLine(line)) {
            lines.push_back(line);
        }
        EXPECT_EQ(lines, c.Lines) << testing::PrintToString(c.Bytes);
        EXPECT_FALSE(reader.ReadLine(line)) << "the end must stay the end";
        EXPECT_EQ(TScanFileReader::CountLines(fileName), c.Lines.size()) << testing::PrintToString(c.Bytes);
    }
}

TEST(ScanFileReader, LinesMayCrossBlockBoundaries)
{
    // Longer than one read block, with a CR LF split across the boundary.
    const std::string longLine(64 * 1024 - 1, 'x');
    TTempFolder folder;
    const std::string fileName = folder.File("long.txt");
    WriteFile(fileName, longLine + "\r\n" + longLine + longLine + "\nend");
    TScanFileReader reader(fileName);
    std::string line;
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_EQ(line, longLine);
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_EQ(line, longLine + longLine);
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_EQ(line, "end");
    EXPECT_FALSE(reader.ReadLine(line));
}

TEST(ScanFileReader, FileErrorsNameTheFile)
{
    TTempFolder folder;
    // A missing file fails at opening; a folder opens but fails at reading.
    for (const std::string& fileName : {folder.File("missing.txt"), folder.File("")}) {
        try {
            TScanFileReader reader(fileName);
            std::string line;
            reader.ReadLine(line);
            ADD_FAILURE() << "read " << fileName;
        } catch (const std::runtime_error& error) {
            EXPECT_NE(std::string(error.what()).find(fileName), std::string::npos) << error.what();
        }
    }
}

} // namespace

// A file without line ends used to be read whole into one string.
TEST(ScanFileReader, AnOverlongLineGoesOnAsTheNextLine)
{
    TTempFolder folder;
    const std::string fileName = folder.File("long.txt");
    const std::size_t max = TScanFileReader::MaxLineBytes;
    WriteFile(fileName, std::string(3 * max + 10, 'w') + "\r\nnext\r\n");
    TScanFileReader reader(fileName);
    std::string line;
    std::vector<std::size_t> lengths;
    while (reader.ReadLine(line))
        lengths.push_back(line.size());
    EXPECT_EQ(lengths, (std::vector<std::size_t>{max, max, max, 10, 4}));
    EXPECT_EQ(TScanFileReader::CountLines(fileName), 5u);
}
