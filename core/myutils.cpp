// Shared text routines: splitting a line into words, trimming spaces and unscrambling stored texts.
#include "myutils.h"

#include <algorithm>

std::optional<char> WordDelimiter;

namespace {

std::string_view Trimmed(std::string_view s)
{
    const std::size_t first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

bool CountsAsSpace(char c)
{
    return c == '"' || c == '\r' || c == '\n';
}

// Reads the field that starts at pos into field (trimmed) and returns the position after its delimiter.
std::size_t ReadField(std::string_view line, std::size_t pos, std::string& field)
{
    std::size_t end = line.size();
    if (WordDelimiter) {
        const char delimiter = *WordDelimiter;
        end = pos;
        while (end < line.size() && (CountsAsSpace(line[end]) ? ' ' : line[end]) != delimiter) {
            ++end;
        }
    }
    field.assign(line.substr(pos, end - pos));
    // With the space as delimiter no byte of a field is or counts as a space: nothing to map or trim.
    if (WordDelimiter != ' ') {
        std::replace_if(field.begin(), field.end(), CountsAsSpace, ' ');
        // Trimmed in place: the field buffer is reused for every word of a line.
        const std::string_view kept = Trimmed(field);
        const std::size_t first = kept.empty() ? 0 : static_cast<std::size_t>(kept.data() - field.data());
        field.erase(first + kept.size());
        field.erase(0, first);
    }
    return end < line.size() ? end + 1 : end;
}

} // namespace

std::string TrimSpaces(std::string_view s)
{
    return std::string(Trimmed(s));
}

std::string WordAt(std::string_view line, int n)
{
    std::string field;
    std::size_t pos = 0;
    for (int k = 1; k <= n; ++k) {
        if (pos >= line.size()) {
            return {};
        }
        pos = ReadField(line, pos, field);
    }
    return field;
}

std::string Unscramble(std::string_view text)
{
    std::string plain;
    plain.reserve(text.size());
    for (const char c : text) {
        if ((c < '0' || c > '9') && c != '|') {
            plain.push_back(c);
        }
    }
    return plain;
}

bool TFieldWalker::Next(std::string& word)
{
    if (FDone || FPos >= FLine.size()) {
        FDone = true;
        word.clear();
        return false;
    }
    FPos = ReadField(FLine, FPos, word);
    FDone = word.empty();
    return !FDone;
}

namespace {
char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool SameNoCase(char a, char b)
{
    return LowerAscii(a) == LowerAscii(b);
}
} // namespace

std::string_view TrimBlanks(std::string_view text)
{
    constexpr std::string_view Blanks = " \t\r\n\v\f";
    const std::size_t first = text.find_first_not_of(Blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(Blanks) - first + 1);
}

bool EqualNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), SameNoCase);
}

bool StartsNoCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && EqualNoCase(text.substr(0, prefix.size()), prefix);
}

std::size_t FindNoCase(std::string_view text, std::string_view needle)
{
    const auto found = std::search(text.begin(), text.end(), needle.begin(), needle.end(), SameNoCase);
    return found == text.end() ? std::string_view::npos : std::size_t(found - text.begin());
}
