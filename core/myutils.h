// Shared text routines: splitting a line into words, trimming, comparing ignoring letter case and
// unscrambling stored texts. Everything works on single bytes; nothing here depends on the locale,
// and letter case means the ASCII letters only.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The character that separates fields in WordAt; empty means that no character separates fields.
extern std::optional<char> WordDelimiter;

// s without leading and trailing spaces (byte 32 only; tabs and other white space stay).
std::string TrimSpaces(std::string_view s);

// text without leading and trailing white space (space, tab, CR, LF, vertical tab, form feed).
std::string_view TrimBlanks(std::string_view text);

// Comparisons that ignore the letter case of ASCII letters.
bool EqualNoCase(std::string_view a, std::string_view b);
bool StartsNoCase(std::string_view text, std::string_view prefix);
// Where needle first stands in text, or npos.
std::size_t FindNoCase(std::string_view text, std::string_view needle);

// Field n (counted from 1) of line, trimmed, or an empty string when the line has no such field.
// A double quote, CR and LF count as spaces.
std::string WordAt(std::string_view line, int n);

// text without its decimal digits and without any "|".
std::string Unscramble(std::string_view text);

// Walks a line's fields once, front to back, giving WordAt(line, 1), WordAt(line, 2), ... up to the
// first empty field. Calling WordAt for every field would rescan the line from its start each time.
class TFieldWalker
{
  public:
    explicit TFieldWalker(std::string_view line) : FLine(line) {}

    // Puts the next word into word and returns true; returns false at the first empty field and
    // at every call after it.
    bool Next(std::string& word);

  private:
    std::string_view FLine;
    std::size_t FPos = 0;
    bool FDone = false;
};
