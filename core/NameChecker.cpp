#include "NameChecker.h"

#include "lookupw.h"
#include "myutils.h"

void TNameChecker::PrepareRun(bool stripNumbers, bool stripHashes)
{
    FStopRequested = 0;
    FAllowed = AllowedChars(stripNumbers, stripHashes);
    FDisplay.SetAnimating(true);
    Registered.Clear();
    Available.Clear();
    FDisplay.ShowAnswer("");
    WordDelimiter = ' ';
    FDisplay.SetAnswerCaption("Who Is?");
    FNotAnswered.clear();
    FRefusals.clear();
    FLookup.BeginRun();
}

void TNameChecker::FinishRun()
{
    FDisplay.ShowNotAnswered(FNotAnswered);
    if (FRefusals.empty())
        return;
    std::string text;
    for (const std::string& refusal : FRefusals)
        text += (text.empty() ? "" : "\n") + refusal;
    FDisplay.ShowInformation(text);
}

std::optional<TVerdictKind> TNameChecker::CheckCurrentName(TCacheRule rule)
{
    const TCheckResult result = FLookup.Check(CurrentName, CurrentSuffix);
    FDisplay.ShowAnswer(result.Answer);
    if (!result.Refusal.empty())
        FRefusals.push_back(result.Refusal);
    if (StopRequested())
        return std::nullopt;
    switch (result.Verdict.Kind) {
    case TVerdictKind::Free:
        Available.Add(CurrentName);
        break;
    case TVerdictKind::Taken:
        Registered.Add(CurrentName);
        if (rule == TCacheRule::AddAlways || !IsCached(CurrentName))
            AddToCache(CurrentName);
        FlushCacheIfDue(std::chrono::steady_clock::now());
        break;
    case TVerdictKind::Limited:
    case TVerdictKind::NotAnswered:
        if (result.Verdict.Reason != TNoAnswer::Stopped)
            FNotAnswered.push_back(CurrentName);
        break;
    }
    return result.Verdict.Kind;
}

std::optional<TVerdictKind> TNameChecker::Recheck(const std::string& text, const TCharSet& allowed)
{
    FStopRequested = 0;
    CurrentName = CleanCandidate(text, allowed);
    if (CurrentName.empty())
        return std::nullopt;
    SwitchCacheFile(CacheFileFor(CurrentSuffix));
    return CheckCurrentName(TCacheRule::AddWhenNotCached);
}
