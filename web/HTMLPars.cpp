#include "HTMLPars.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstring>
#include <optional>
#include <unordered_map>

const std::array<char, 256> CharTable = [] {
    std::array<char, 256> table{};
    for (int code = 0; code < 256; ++code)
        table[std::size_t(code)] = code <= 32 || code == 160 ? ' ' : char(code);
    return table;
}();

const std::array<std::pair<std::string_view, std::string_view>, 100> EntityTable{{
    {"&quot;", "&#34;"},    {"&amp;", "&#38;"},     {"&lt;", "&#60;"},      {"&gt;", "&#62;"},
    {"&nbsp;", "&#160;"},   {"&iexcl;", "&#161;"},  {"&cent;", "&#162;"},   {"&pound;", "&#163;"},
    {"&curren;", "&#164;"}, {"&yen;", "&#165;"},    {"&brvbar;", "&#166;"}, {"&sect;", "&#167;"},
    {"&uml;", "&#168;"},    {"&copy;", "&#169;"},   {"&ordf;", "&#170;"},   {"&laquo;", "&#171;"},
    {"&not;", "&#172;"},    {"&shy;", "&#173;"},    {"&reg;", "&#174;"},    {"&macr;", "&#175;"},
    {"&deg;", "&#176;"},    {"&plusmn;", "&#177;"}, {"&sup2;", "&#178;"},   {"&sup3;", "&#179;"},
    {"&acute;", "&#180;"},  {"&micro;", "&#181;"},  {"&para;", "&#182;"},   {"&middot;", "&#183;"},
    {"&cedil;", "&#184;"},  {"&sup1;", "&#185;"},   {"&ordm;", "&#186;"},   {"&raquo;", "&#187;"},
    {"&frac14;", "&#188;"}, {"&frac12;", "&#189;"}, {"&frac34;", "&#190;"}, {"&iquest;", "&#191;"},
    {"&Agrave;", "&#192;"}, {"&Aacute;", "&#193;"}, {"&Acirc;", "&#194;"},  {"&Atilde;", "&#195;"},
    {"&Auml;", "&#196;"},   {"&Aring;", "&#197;"},  {"&AElig;", "&#198;"},  {"&Ccedil;", "&#199;"},
    {"&Egrave;", "&#200;"}, {"&Eacute;", "&#201;"}, {"&Ecirc;", "&#202;"},  {"&Euml;", "&#203;"},
    {"&Igrave;", "&#204;"}, {"&Iacute;", "&#205;"}, {"&Icirc;", "&#206;"},  {"&Iuml;", "&#207;"},
    {"&ETH;", "&#208;"},    {"&Ntilde;", "&#209;"}, {"&Ograve;", "&#210;"}, {"&Oacute;", "&#211;"},
    {"&Ocirc;", "&#212;"},  {"&Otilde;", "&#213;"}, {"&Ouml;", "&#214;"},   {"&times;", "&#215;"},
    {"&Oslash;", "&#216;"}, {"&Ugrave;", "&#217;"}, {"&Uacute;", "&#218;"}, {"&Ucirc;", "&#219;"},
    {"&Uuml;", "&#220;"},   {"&Yacute;", "&#221;"}, {"&THORN;", "&#222;"},  {"&szlig;", "&#223;"},
    {"&agrave;", "&#224;"}, {"&aacute;", "&#225;"}, {"&acirc;", "&#226;"},  {"&atilde;", "&#227;"},
    {"&auml;", "&#228;"},   {"&aring;", "&#229;"},  {"&aelig;", "&#230;"},  {"&ccedil;", "&#231;"},
    {"&egrave;", "&#232;"}, {"&eacute;", "&#233;"}, {"&ecirc;", "&#234;"},  {"&euml;", "&#235;"},
    {"&igrave;", "&#236;"}, {"&iacute;", "&#237;"}, {"&icirc;", "&#238;"},  {"&iuml;", "&#239;"},
    {"&eth;", "&#240;"},    {"&ntilde;", "&#241;"}, {"&ograve;", "&#242;"}, {"&oacute;", "&#243;"},
    {"&ocirc;", "&#244;"},  {"&otilde;", "&#245;"}, {"&ouml;", "&#246;"},   {"&divide;", "&#247;"},
    {"&oslash;", "&#248;"}, {"&ugrave;", "&#249;"}, {"&uacute;", "&#250;"}, {"&ucirc;", "&#251;"},
    {"&uuml;", "&#252;"},   {"&yacute;", "&#253;"}, {"&thorn;", "&#254;"},  {"&yuml;", "&#255;"},
}};

namespace {
// Upper case of the ASCII letters; the other bytes stay, as in the 8-bit text of a page.
char Upper(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

std::string UpperCase(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper)
        c = Upper(c);
    return upper;
}

// Whether line holds pattern (upper-case letters and punctuation) in any letter case, as the
// upper-cased line would.
bool ContainsUpper(std::string_view line, std::string_view pattern)
{
    for (std::size_t at = line.find('<'); at != std::string_view::npos; at = line.find('<', at + 1))
        if (line.size() - at >= pattern.size() &&
            std::equal(pattern.begin(), pattern.end(), line.begin() + std::ptrdiff_t(at),
                       [](char p, char c) { return p == Upper(c); }))
            return true;
    return false;
}

// The first of chars in text from at on, or npos. (A search for a set of two or three characters
// by std::string_view calls memchr for every character of the text.)
template <char... Chars> std::size_t FindAny(std::string_view text, std::size_t at)
{
    for (; at < text.size(); ++at)
        if (((text[at] == Chars) || ...))
            return at;
    return std::string_view::npos;
}

// Every run of spaces (line feeds counting as spaces) becomes one space. Written into a buffer that
// is kept, since a page has many texts and each is folded once.
std::string_view Folded(std::string_view raw)
{
    thread_local std::string text;
    text.clear();
    for (const char c : raw) {
        const char shown = c == '\n' ? ' ' : c;
        if (shown == ' ' && !text.empty() && text.back() == ' ')
            continue;
        text += shown;
    }
    return text;
}

// The code of a numeric reference's digits (after "&#", before the terminator): at most three
// characters, "x" and two hexadecimal digits counted; none outside 0 to 255.
std::optional<unsigned> NumericCode(std::string_view digits)
{
    if (digits.empty() || digits.size() > 3)
        return std::nullopt;
    int base = 10;
    if (digits[0] == 'x' || digits[0] == 'X') {
        base = 16;
        digits.remove_prefix(1);
    }
    unsigned code = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), code, base);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() || code > 255)
        return std::nullopt;
    return code;
}

// The code a named reference (with its "&" and ";") stands for.
std::optional<unsigned> EntityCode(std::string_view reference)
{
    static const std::unordered_map<std::string_view, unsigned> codes = [] {
        std::unordered_map<std::string_view, unsigned> table;
        for (const auto& [name, numeric] : EntityTable)
            table.emplace(name, *NumericCode(numeric.substr(2, numeric.size() - 3)));
        return table;
    }();
    const auto found = codes.find(reference);
    return found == codes.end() ? std::nullopt : std::optional<unsigned>(found->second);
}

// Decodes the references of text one level. A named reference becomes its numeric one, which is
// decoded at once; what a reference yields is never read again as part of a reference.
std::string Decoded(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t amp = text.find('&', at);
        if (amp == std::string_view::npos) {
            out.append(text.substr(at));
            break;
        }
        out.append(text.substr(at, amp - at));
        // The reference runs to its terminator; another "&" first starts a new one there.
        const std::size_t end = FindAny<'&', ';', ' '>(text, amp + 1);
        if (end == std::string_view::npos || text[end] == '&') {
            const std::size_t stop = end == std::string_view::npos ? text.size() : end;
            out.append(text.substr(amp, stop - amp));
            at = stop;
            continue;
        }
        const std::string_view reference = text.substr(amp, end - amp + 1);
        std::optional<unsigned> code;
        if (reference.size() > 2 && reference[1] == '#')
            code = NumericCode(reference.substr(2, reference.size() - 3));
        else
            code = EntityCode(reference);
        if (code)
            out += CharTable[*code];
        else
            out.append(reference);
        at = end + 1;
    }
    return out;
}
} // namespace

void THTMLParam::SetText(std::string_view raw)
{
    Raw = std::string(raw);
    Value.clear();
    std::string_view name = raw;
    if (const std::size_t equals = raw.find('='); equals != std::string_view::npos) {
        name = raw.substr(0, equals);
        std::string_view value = raw.substr(equals + 1);
        if (value.size() > 1 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        Value = std::string(value);
    }
    Name = UpperCase(name);
}

void THTMLTag::SetText(std::string_view raw)
{
    Raw = std::string(raw);
    Params.clear();
    const std::size_t space = raw.find(' ');
    Name = UpperCase(raw.substr(0, space));
    std::string_view rest = space == std::string_view::npos ? std::string_view() : raw.substr(space);
    Params.reserve(std::size_t(std::count(rest.begin(), rest.end(), ' ')));
    while (!rest.empty()) {
        bool quoted = false;
        std::size_t length = 0;
        while (length < rest.size() && (quoted || rest[length] != ' ')) {
            if (rest[length] == '"')
                quoted = !quoted;
            ++length;
        }
        const std::string_view attribute = rest.substr(0, length);
        rest.remove_prefix(length);
        if (!rest.empty() && rest.front() == ' ')
            rest.remove_prefix(1);
        if (!attribute.empty())
            Params.emplace_back().SetText(attribute);
    }
}

void THTMLText::SetText(std::string_view raw)
{
    Raw = std::string(raw);
    Text = Decoded(Folded(raw));
}

void THTMLParser::Parse()
{
    TextBuffer.clear();
    TagBuffer.clear();
    InTag = false;
    bool inScript = false;
    // Every "<" closes a text and opens a tag: room for all the tokens at once.
    std::size_t marks = 0;
    for (const std::string& line : Lines)
        marks += std::size_t(std::count(line.begin(), line.end(), '<'));
    Tokens.reserve(Tokens.size() + 2 * marks + 1);
    for (const std::string& line : Lines) {
        if (ContainsUpper(line, "<SCRIPT"))
            inScript = true;
        if (ContainsUpper(line, "</SCRIPT"))
            inScript = false;
        if (!inScript) {
            std::string_view rest = line;
            while (!rest.empty()) {
                const std::size_t mark = FindAny<'<', '>'>(rest, 0);
                (InTag ? TagBuffer : TextBuffer).append(rest.substr(0, mark));
                if (mark == std::string_view::npos)
                    break;
                if (rest[mark] == '<') {
                    FlushText();
                    InTag = true;
                } else
                    FlushTag();
                rest.remove_prefix(mark + 1);
            }
        }
        if (!InTag && !TextBuffer.empty())
            TextBuffer += '\n';
    }
    if (InTag && !TagBuffer.empty())
        FlushTag();
    if (!InTag && !TextBuffer.empty())
        FlushText();
}

void THTMLParser::FlushText()
{
    if (InTag || TextBuffer.empty())
        return;
    THTMLText text;
    text.SetText(TextBuffer);
    TextBuffer.clear();
    Tokens.emplace_back(std::move(text));
}

void THTMLParser::FlushTag()
{
    InTag = false;
    THTMLTag tag;
    tag.SetText(TagBuffer);
    TagBuffer.clear();
    Tokens.emplace_back(std::move(tag));
}
