#include "CheckingRun.h"

#include "ScanFileReader.h"
#include "lookupw.h"
#include "myutils.h"

void TCheckingRun::Search()
{
    TDisplayPort& display = FChecker.Display();
    if (display.Animating())
        return;
    const std::string scanFileName = FScan.ScanFileName();
    if (scanFileName.empty()) {
        display.ShowInformation("You must load text file or web page first.");
        ShowTotals();
        return;
    }

    FChecker.PrepareRun(FScan.StripNumbers(), FScan.StripHashes());
    TAnimationStopper stopper(display);
    FScan.SelectScanSuffix();
    SwitchCacheFile(CacheFileFor(FChecker.CurrentSuffix));

    const std::vector<std::string> ignorePhrases =
        IgnoreWords ? FScan.IgnorePhrases() : std::vector<std::string>{};
    TScanFileReader scanFile(scanFileName);
    std::size_t linesDone = 0;
    std::string line;
    while (scanFile.ReadLine(line)) {
        if (!CheckLine(line, ignorePhrases))
            break;
        FScan.SetProgress(++linesDone);
    }
    ShowTotals();
    FChecker.FinishRun();
}

bool TCheckingRun::CheckLine(const std::string& line, const std::vector<std::string>& ignorePhrases)
{
    std::string& name = FChecker.CurrentName;
    TFieldWalker fields(line);
    std::string word;
    while (fields.Next(word)) {
        name = CleanCandidate(word, FChecker.AllowedCharSet());
        FChecker.Display().ProcessMessages();
        if (FChecker.Registered.Contains(name))
            continue;
        if (IgnoreWords)
            ApplyIgnoreList(name, ignorePhrases, FScan.IgnoreWay());
        if (!PassesLengthLimits(name, FScan.MaxChars(), FScan.MinChars()))
            continue;
        if (NeverTwice && IsCached(name)) {
            FChecker.Registered.Add(name);
            continue;
        }
        if (!FChecker.CheckCurrentName(TCacheRule::AddAlways))
            return false;
    }
    return true;
}

void TCheckingRun::Cancel()
{
    ShowTotals();
    FChecker.RequestStop();
}

void TCheckingRun::ShowTotals()
{
    FScan.SetStatus("Total registered " + std::to_string(FChecker.Registered.Count()),
                    "Total available " + std::to_string(FChecker.Available.Count()));
}
