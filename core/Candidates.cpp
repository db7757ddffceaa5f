// Turning a word into a candidate name and the filters a candidate must pass before it is queried.
#include "Candidates.h"

TCharSet AllowedChars(bool stripNumbers, bool stripHashes)
{
    TCharSet allowed;
    const auto allowRange = [&allowed](unsigned char first, unsigned char last) {
        for (unsigned c = first; c <= last; ++c) {
            allowed.set(c);
        }
    };
    allowRange('A', 'Z');
    allowRange('a', 'z');
    if (!stripNumbers) {
        allowRange('0', '9');
    }
    if (!stripHashes) {
        allowed.set('-');
    }
    return allowed;
}

std::string CleanCandidate(std::string_view word, const TCharSet& allowed)
{
    // The possessive goes before the byte filter, so that its "s" goes with the apostrophe.
    const std::size_t possessive = word.find("'s");
    std::string name;
    name.reserve(word.size());
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (i == possessive) {
            ++i;
            continue;
        }
        if (allowed.test(static_cast<unsigned char>(word[i]))) {
            name.push_back(word[i]);
        }
    }
    return name;
}

namespace {

bool PhraseMatches(std::string_view name, std::string_view phrase, TIgnoreWay way)
{
    switch (way) {
    case TIgnoreWay::Ending:
        return name.ends_with(phrase);
    case TIgnoreWay::Begining:
        return name.starts_with(phrase);
    case TIgnoreWay::Containing:
        // An empty phrase would be found in every name; it is taken to contain nothing.
        return !phrase.empty() && name.find(phrase) != std::string_view::npos;
    case TIgnoreWay::None:
        break;
    }
    return false;
}

} // namespace

void ApplyIgnoreList(std::string& name, const std::vector<std::string>& phrases, TIgnoreWay way)
{
    for (const std::string& phrase : phrases) {
        if (PhraseMatches(name, phrase, way)) {
            name.clear();
        }
    }
}

bool PassesLengthLimits(std::string_view name, int maxChars, int minChars)
{
    const auto length = static_cast<long long>(name.size());
    return length <= maxChars && length >= minChars;
}
