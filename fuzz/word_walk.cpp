// The word walk and the cleaning of words into candidate names. The walk over a line's fields must
// give exactly WordAt(line, 1), WordAt(line, 2), ... up to the first empty field; a cleaned candidate
// keeps only allowed bytes, in their order, and never a byte of 128 or more.
//
// Input: byte 0 picks the field delimiter (none when even, else byte 1), byte 2 the cleaning options
// and the ignore way; the rest is the line.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "Candidates.h"
#include "FuzzSupport.h"
#include "myutils.h"

namespace {
// WordAt rescans the line for every field; longer lines only slow the fuzzer down.
constexpr std::size_t MaxLine = 4096;

bool IsSubsequence(std::string_view part, std::string_view whole)
{
    std::size_t at = 0;
    for (const char c : part) {
        at = whole.find(c, at);
        if (at == std::string_view::npos)
            return false;
        ++at;
    }
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 3)
        return 0;
    WordDelimiter = data[0] % 2 == 0 ? std::nullopt : std::optional<char>(static_cast<char>(data[1]));
    const uint8_t options = data[2];
    const std::string_view line(reinterpret_cast<const char*>(data) + 3, std::min(size - 3, MaxLine));

    std::vector<std::string> words;
    TFieldWalker walker(line);
    for (std::string word; walker.Next(word);) {
        FUZZ_CHECK(word == WordAt(line, static_cast<int>(words.size()) + 1));
        words.push_back(word);
    }
    FUZZ_CHECK(WordAt(line, static_cast<int>(words.size()) + 1).empty());
    std::string after;
    FUZZ_CHECK(!walker.Next(after) && after.empty());

    const TCharSet allowed = AllowedChars(options & 1, options & 2);
    const auto way = static_cast<TIgnoreWay>(static_cast<int>((options >> 2) % 4) - 1);
    const std::vector<std::string> phrases(words.begin(),
                                           words.begin() + std::min<std::size_t>(words.size(), 2));
    for (const std::string& word : words) {
        std::string name = CleanCandidate(word, allowed);
        FUZZ_CHECK(IsSubsequence(name, word));
        for (const char c : name)
            FUZZ_CHECK(allowed[static_cast<uint8_t>(c)] && static_cast<uint8_t>(c) < 128);
        ApplyIgnoreList(name, phrases, way);
        (void)PassesLengthLimits(name, options >> 4, options & 3);
    }
    return 0;
}
