// The checking run: reads the scan file line by line, turns every word into a candidate name,
// filters it and settles it as registered or available for the suffix in force. It runs on the
// user-interface thread and reaches the window only through TRunWindow, and the WHOIS server only
// through TNameLookup, so it can be driven without either.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "Candidates.h"
#include "ResultList.h"

// What the run reads from the window's controls and shows on them.
class TRunWindow
{
  public:
    virtual ~TRunWindow() = default;

    // The scan file's path; empty while no source is loaded.
    virtual std::string ScanFileName() const = 0;
    virtual int MaxChars() const = 0;
    virtual int MinChars() const = 0;
    virtual bool StripNumbers() const = 0;
    virtual bool StripHashes() const = 0;
    virtual std::vector<std::string> IgnorePhrases() const = 0;
    virtual TIgnoreWay IgnoreWay() const = 0;

    // Makes the scan selector's suffix current: sets the run's CurrentSuffix and the WHOIS server.
    virtual void SelectScanSuffix() = 0;

    // The busy animation; while it plays a run or quick search is in progress.
    virtual void SetAnimating(bool playing) = 0;
    virtual bool Animating() const = 0;

    virtual void ShowAnswer(const std::string& answer) = 0;       // the "Who Is?" panel
    virtual void SetAnswerCaption(const std::string& caption) = 0; // the panel's group caption
    virtual void SetProgress(std::size_t linesDone) = 0;
    virtual void SetStatus(const std::string& first, const std::string& second) = 0; // the totals
    virtual void ShowInformation(const std::string& text) = 0;                       // modal, OK

    // Lets pending window messages run once; this is how a stop request reaches the run.
    virtual void ProcessMessages() = 0;
};

// One question to the WHOIS server of a suffix.
class TNameLookup
{
  public:
    virtual ~TNameLookup() = default;
    // Sends request (name + suffix) to the suffix's server; returns the answer trimmed for suffix.
    virtual std::string Ask(const std::string& request, std::string_view suffix) = 0;
    // Whether a trimmed answer says the name is free.
    virtual bool SaysFree(std::string_view answer, std::string_view suffix) const = 0;
};

class TCheckingRun
{
  public:
    static constexpr char StopMark = 'c';

    TCheckingRun(TRunWindow& window, TNameLookup& lookup) : FWindow(window), FLookup(lookup) {}

    TResultList Registered; // LB1
    TResultList Available;  // LB2

    std::string CurrentSuffix; // set by the window's suffix selectors
    std::string CurrentName;

    // Copies of the options, made when they are loaded or confirmed.
    bool IgnoreWords = false;
    bool NeverTwice = true;

    // The run itself ("S&tart Scan"). Returns at once while a run is in progress. A scan file that
    // cannot be read throws std::runtime_error naming it, with the run already back to idle.
    void Search();

    // Resets the run state; shared with the quick search.
    void PrepareRun();

    // "Stop Sca&n": shows the totals and raises the stop request, seen after the next query.
    void Cancel();
    void RequestStop() { FStopRequested = StopMark; }
    bool StopRequested() const { return FStopRequested == StopMark; }

    // The totals of both lists on the status line.
    void ShowTotals();

    // The check of one name: asks about CurrentName + CurrentSuffix and shows the trimmed answer.
    std::string AskCurrentName();
    // Whether the answer says CurrentName is free; a free name is added to Available.
    bool IsAvailable(std::string_view answer);

    const TCharSet& AllowedCharSet() const { return FAllowed; }

  private:
    // Settles every word of line; false when a stop request was seen.
    bool CheckLine(const std::string& line, const std::vector<std::string>& ignorePhrases);

    TRunWindow& FWindow;
    TNameLookup& FLookup;
    TCharSet FAllowed;
    char FStopRequested = 0;
};
