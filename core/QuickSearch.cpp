#include "QuickSearch.h"

#include <algorithm>

#include "lookupw.h"

namespace {
constexpr char Star = '*';

// Switches the busy display off however the search ends.
class TBusyDisplay
{
  public:
    TBusyDisplay(TQuickSearchPort& quick, bool on) : FQuick(quick), FOn(on)
    {
        if (FOn)
            FQuick.SetBusy(true);
    }
    ~TBusyDisplay()
    {
        if (FOn)
            FQuick.SetBusy(false);
    }
    TBusyDisplay(const TBusyDisplay&) = delete;
    TBusyDisplay& operator=(const TBusyDisplay&) = delete;

  private:
    TQuickSearchPort& FQuick;
    bool FOn;
};
} // namespace

std::vector<std::string> QuickSearchTexts(std::string_view typed, bool suggest)
{
    std::vector<std::string> texts{std::string(typed)};
    if (typed.find(Star) != std::string_view::npos)
        for (char letter = 'a'; letter <= 'z'; ++letter) {
            std::string text(typed);
            std::replace(text.begin(), text.end(), Star, letter);
            texts.push_back(std::move(text));
        }
    if (suggest)
        for (std::size_t i = 0; i < CoolWords.size(); ++i) {
            const std::string word(CoolWords[i]);
            texts.push_back(i < PrefixCount ? word + std::string(typed) : std::string(typed) + word);
        }
    return texts;
}

void TQuickSearch::Search()
{
    TDisplayPort& display = FChecker.Display();
    if (display.Animating())
        return;
    const std::string typed = FQuick.QuickText();
    // A star stands for a letter, so "*" alone is something to ask; "!!!" is not.
    std::string sample = typed;
    std::replace(sample.begin(), sample.end(), Star, 'a');
    if (CleanCandidate(sample, AllowedChars(FQuick.StripNumbers(), FQuick.StripHashes())).empty()) {
        display.ShowInformation("Domain name cannot be blank.");
        return;
    }

    const bool suggest = FQuick.SuggestNames();
    {
        TBusyDisplay busy(FQuick, suggest);
        FChecker.PrepareRun(FQuick.StripNumbers(), FQuick.StripHashes());
        TAnimationStopper stopper(display);
        FQuick.SelectQuickSuffix();
        SwitchCacheFile(CacheFileFor(FChecker.CurrentSuffix));
        CheckAll(QuickSearchTexts(typed, suggest));
    }
    // After the busy display is off, so that the names not answered stay on the status line.
    FChecker.FinishRun();
}

void TQuickSearch::CheckAll(const std::vector<std::string>& texts)
{
    if (!QuickCheck(texts.front()))
        return;
    for (std::size_t i = 1; i < texts.size(); ++i) {
        FQuick.SetQuickText(texts[i]);
        FChecker.Display().ProcessMessages();
        if (FChecker.StopRequested() || !QuickCheck(texts[i]))
            return;
    }
}

bool TQuickSearch::QuickCheck(const std::string& text)
{
    FChecker.CurrentName = CleanCandidate(text, FChecker.AllowedCharSet());
    if (FChecker.CurrentName.empty())
        return true;
    return FChecker.CheckCurrentName(TCacheRule::AddWhenNotCached).has_value();
}
