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
}

std::optional<TVerdict> TNameChecker::CheckCurrentName(TCacheRule rule)
{
    const TCheckResult result = FLookup.Check(CurrentName, CurrentSuffix);
    FDisplay.ShowAnswer(result.Answer);
    if (StopRequested())
        return std::nullopt;
    if (result.Verdict == TVerdict::Free) {
        Available.Add(CurrentName);
        return TVerdict::Free;
    }
    Registered.Add(CurrentName);
    if (rule == TCacheRule::AddAlways || !IsCached(CurrentName))
        AddToCache(CurrentName);
    return TVerdict::Taken;
}
