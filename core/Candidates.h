// Turning a word into a candidate name and the filters a candidate must pass before it is queried:
// the ignore phrases and the length limits. Bytes, not characters: no step changes letter case.
#pragma once

#include <bitset>
#include <string>
#include <string_view>
#include <vector>

// One bit per byte value; a candidate keeps only the bytes whose bit is set.
using TCharSet = std::bitset<256>;

// Letters always; digits unless stripNumbers; the hyphen unless stripHashes. Never a byte of 128 or more.
TCharSet AllowedChars(bool stripNumbers, bool stripHashes);

// The word without its first "'s" and without every byte that allowed does not hold. May be empty.
std::string CleanCandidate(std::string_view word, const TCharSet& allowed);

// The item index of the ignore-way list; None when nothing is selected.
enum class TIgnoreWay
{
    None = -1,
    Ending = 0,
    Begining = 1,
    Containing = 2,
};

// Empties name when one of the phrases matches it in the given way. Comparisons are exact, case included.
void ApplyIgnoreList(std::string& name, const std::vector<std::string>& phrases, TIgnoreWay way);

// True when name is at most maxChars and at least minChars long.
bool PassesLengthLimits(std::string_view name, int maxChars, int minChars);
