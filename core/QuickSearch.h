// The quick search: checks the name typed in the quick-search box, each letter a to z in place of
// its stars, and, on request, the name with each of 55 words in front of it or behind it. Every
// text is cleaned into a name and checked like a scan's, without the ignore phrases, the length
// limits or the cache short-cut.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "NameChecker.h"

// What the quick search reads from and writes to its group of the window.
class TQuickSearchPort
{
  public:
    virtual ~TQuickSearchPort() = default;
    virtual std::string QuickText() const = 0; // the quick-search box
    virtual void SetQuickText(const std::string& text) = 0;
    virtual bool SuggestNames() const = 0; // "Suggest cool domain name"
    virtual bool StripNumbers() const = 0;
    virtual bool StripHashes() const = 0;
    // Makes the quick-search selector's suffix current.
    virtual void SelectQuickSuffix() = 0;
    virtual void SetBusy(bool busy) = 0;
};

// Put in front of the typed text (the first PrefixCount) or behind it (the rest), in this order,
// repeats and all.
inline constexpr std::size_t PrefixCount = 30;
inline constexpr std::array<std::string_view, 55> CoolWords{
    "e",      "i",       "e-",     "i-",     "my",     "the",   "all",    "for",     "hyper",   "free",
    "direct", "shop",    "uk",     "smart",  "great",  "real",  "search", "virtual", "cyber",   "easy",
    "goto",   "connect", "global", "world",  "pro",    "anti",  "call",   "super",   "protect", "cool",
    "choose", "media",   "group",  "net",    "online", "tech",  "web",    "online",  "direct",  "-direct",
    "shop",   "uk",      "it",     "link",   "site",   "pages", "cyber",  "domain",  "link",    "world",
    "hit",    "earth",   "sun",    "action", "party",
};

// The texts a quick search checks, in order: the typed text; with a star, the text with every star
// replaced by the same letter, a to z; with suggestions, each word of CoolWords around the text as
// typed (whose star the cleaning drops).
std::vector<std::string> QuickSearchTexts(std::string_view typed, bool suggest);

class TQuickSearch
{
  public:
    TQuickSearch(TNameChecker& checker, TQuickSearchPort& quick) : FChecker(checker), FQuick(quick) {}

    // "&Quick Search". Refuses a text that leaves nothing to ask with "Domain name cannot be
    // blank."; returns at once while a run or quick search is in progress.
    void Search();

  private:
    // Checks each of texts in turn, showing it in the box, until the end or a stop.
    void CheckAll(const std::vector<std::string>& texts);
    // One check of text; a text whose cleaning leaves nothing is not asked (it would ask about the
    // bare suffix). False when a stop request cut the question short.
    bool QuickCheck(const std::string& text);

    TNameChecker& FChecker;
    TQuickSearchPort& FQuick;
};
