// The checking run: reads the scan file line by line, turns every word into a candidate name,
// filters it and settles it as registered or available for the suffix in force. It runs on the
// user-interface thread and reaches the window only through its ports, and the registries only
// through the name checker, so it can be driven without either.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "Candidates.h"
#include "NameChecker.h"

// What the run reads from the scan options and writes to the status line.
class TScanPort
{
  public:
    virtual ~TScanPort() = default;

    // The scan file's path; empty while no source is loaded.
    virtual std::string ScanFileName() const = 0;
    virtual int MaxChars() const = 0;
    virtual int MinChars() const = 0;
    virtual bool StripNumbers() const = 0;
    virtual bool StripHashes() const = 0;
    virtual std::vector<std::string> IgnorePhrases() const = 0;
    virtual TIgnoreWay IgnoreWay() const = 0;

    // Makes the scan selector's suffix current.
    virtual void SelectScanSuffix() = 0;

    virtual void SetProgress(std::size_t linesDone) = 0;
    virtual void SetStatus(const std::string& first, const std::string& second) = 0; // the totals
};

class TCheckingRun
{
  public:
    TCheckingRun(TNameChecker& checker, TScanPort& scan) : FChecker(checker), FScan(scan) {}

    // Copies of the options, made when they are loaded or confirmed.
    bool IgnoreWords = false;
    bool NeverTwice = true;

    // The run itself ("S&tart Scan"). Returns at once while a run is in progress. A scan file that
    // cannot be read throws std::runtime_error naming it, with the run already back to idle.
    void Search();

    // "Stop Sca&n": shows the totals and raises the stop request, which also cuts short the
    // question in flight.
    void Cancel();

    // The totals of both lists on the status line.
    void ShowTotals();

  private:
    // Settles every word of line; false when a stop request was seen.
    bool CheckLine(const std::string& line, const std::vector<std::string>& ignorePhrases);

    TNameChecker& FChecker;
    TScanPort& FScan;
};
