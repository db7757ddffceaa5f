// The cache file load: every line of the file is found afterwards in any letter case, the names held
// are the file's lines counted once ignoring case, and a save writes back exactly those names.
#include <cstdint>
#include <set>
#include <string>

#include "FuzzSupport.h"
#include "ScanFileReader.h"
#include "lookupw.h"

namespace {
std::string Folded(std::string_view text, bool upper)
{
    std::string folded(text);
    for (char& c : folded)
        if (upper ? c >= 'a' && c <= 'z' : c >= 'A' && c <= 'Z')
            c = static_cast<char>(c ^ 0x20);
    return folded;
}

// Lines with every other ASCII letter's case turned round.
std::string Mixed(std::string_view text)
{
    std::string mixed(text);
    for (std::size_t i = 0; i < mixed.size(); i += 2)
        if ((mixed[i] | 0x20) >= 'a' && (mixed[i] | 0x20) <= 'z')
            mixed[i] = static_cast<char>(mixed[i] ^ 0x20);
    return mixed;
}

std::set<std::string> FoldedLines(const std::string& path)
{
    std::set<std::string> names;
    TScanFileReader reader(path);
    for (std::string line; reader.ReadLine(line);)
        names.insert(Folded(line, true));
    return names;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = WriteFuzzFile("regi.com.cnf", {reinterpret_cast<const char*>(data), size});
    const std::set<std::string> expected = FoldedLines(path);

    CacheFileName = path;
    LoadCache();
    TScanFileReader reader(path);
    for (std::string line; reader.ReadLine(line);) {
        FUZZ_CHECK(IsCached(line));
        FUZZ_CHECK(IsCached(Folded(line, true)));
        FUZZ_CHECK(IsCached(Folded(line, false)));
        FUZZ_CHECK(IsCached(Mixed(line)));
    }
    // A name that differs from every line by more than letter case is not there.
    const std::string absent = "\x01"
                               "absent";
    FUZZ_CHECK(IsCached(absent) == expected.count(Folded(absent, true)) > 0);

    SaveCache();
    FUZZ_CHECK(FoldedLines(path) == expected);
    FUZZ_CHECK(TScanFileReader::CountLines(path) == expected.size());
    return 0;
}
