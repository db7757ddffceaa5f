#include "CheckingRun.h"

#include "ScanFileReader.h"
#include "lookupw.h"
#include "myutils.h"

namespace
{
// Stops the busy animation however the run ends, a file error included, so the window never
// stays in the running state with no run behind it.
class TAnimationStopper
{
  public:
    explicit TAnimationStopper(TRunWindow& window) : FWindow(window) {}
    ~TAnimationStopper() { FWindow.SetAnimating(false); }
    TAnimationStopper(const TAnimationStopper&) = delete;
    TAnimationStopper& operator=(const TAnimationStopper&) = delete;

  private:
    TRunWindow& FWindow;
};
} // namespace

void TCheckingRun::PrepareRun()
{
    FStopRequested = 0;
    FAllowed = AllowedChars(FWindow.StripNumbers(), FWindow.StripHashes());
    FWindow.SetAnimating(true);
    Registered.Clear();
    Available.Clear();
    FWindow.ShowAnswer("");
    WordDelimiter = ' ';
    FWindow.SetAnswerCaption("Who Is?");
}

void TCheckingRun::Search()
{
    if (FWindow.Animating())
        return;
    const std::string scanFileName = FWindow.ScanFileName();
    if (scanFileName.empty())
    {
        FWindow.ShowInformation("You must load text file or web page first.");
        ShowTotals();
        return;
    }

    PrepareRun();
    TAnimationStopper stopper(FWindow);
    FWindow.SelectScanSuffix();
    SwitchCacheFile(CacheFileFor(CurrentSuffix));

    const std::vector<std::string> ignorePhrases = IgnoreWords ? FWindow.IgnorePhrases() : std::vector<std::string>{};
    TScanFileReader scanFile(scanFileName);
    std::size_t linesDone = 0;
    std::string line;
    while (scanFile.ReadLine(line))
    {
        if (!CheckLine(line, ignorePhrases))
            break;
        FWindow.SetProgress(++linesDone);
    }
    ShowTotals();
}

bool TCheckingRun::CheckLine(const std::string& line, const std::vector<std::string>& ignorePhrases)
{
    TFieldWalker fields(line);
    std::string word;
    while (fields.Next(word))
    {
        CurrentName = CleanCandidate(word, FAllowed);
        FWindow.ProcessMessages();
        if (Registered.Contains(CurrentName))
            continue;
        if (IgnoreWords)
            ApplyIgnoreList(CurrentName, ignorePhrases, FWindow.IgnoreWay());
        if (!PassesLengthLimits(CurrentName, FWindow.MaxChars(), FWindow.MinChars()))
            continue;
        if (NeverTwice && IsCached(CurrentName))
        {
            Registered.Add(CurrentName);
            continue;
        }
        const std::string answer = AskCurrentName();
        if (StopRequested())
            return false;
        if (!IsAvailable(answer))
        {
            Registered.Add(CurrentName);
            AddToCache(CurrentName);
        }
    }
    return true;
}

void TCheckingRun::Cancel()
{
    ShowTotals();
    RequestStop();
}

void TCheckingRun::ShowTotals()
{
    FWindow.SetStatus("Total registered " + std::to_string(Registered.Count()),
                      "Total available " + std::to_string(Available.Count()));
}

std::string TCheckingRun::AskCurrentName()
{
    std::string answer = FLookup.Ask(CurrentName + CurrentSuffix, CurrentSuffix);
    FWindow.ShowAnswer(answer);
    return answer;
}

bool TCheckingRun::IsAvailable(std::string_view answer)
{
    if (!FLookup.SaysFree(answer, CurrentSuffix))
        return false;
    Available.Add(CurrentName);
    return true;
}
