// The HTML tokenizer: the lines of a downloaded page become a flat list of tokens in document
// order, tags (with their attributes) and the runs of text between them, with line breaks and
// repeated spaces folded and character references decoded one level. It builds no tree and checks
// nothing; script blocks are skipped line by line.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

class THTMLParam
{
  public:
    std::string Raw;
    std::string Name;  // before the first "=", in upper case
    std::string Value; // after it, without one pair of enclosing double quotes
    void SetText(std::string_view raw);
};

class THTMLTag
{
  public:
    std::string Name; // in upper case: "/SCRIPT" for a closing tag
    std::string Raw;  // everything between "<" and ">"
    std::vector<THTMLParam> Params;
    void SetText(std::string_view raw);
};

class THTMLText
{
  public:
    std::string Text; // decoded
    std::string Raw;  // as collected, line feeds included
    void SetText(std::string_view raw);
};

// A token's kind is its class.
using THTMLToken = std::variant<THTMLTag, THTMLText>;

class THTMLParser
{
  public:
    std::vector<std::string> Lines; // the page's lines, filled by the caller
    std::vector<THTMLToken> Tokens; // appended to by Parse

    void Parse();

  private:
    void FlushText();
    void FlushTag();

    std::string TextBuffer;
    std::string TagBuffer;
    bool InTag = false;
};

// Codes 0 to 32 and 160 are spaces; every other code stands for itself.
extern const std::array<char, 256> CharTable;

// The four markup entities, then the 96 Latin-1 entities of HTML 4.01 in code order, each with the
// numeric reference it stands for.
extern const std::array<std::pair<std::string_view, std::string_view>, 100> EntityTable;
