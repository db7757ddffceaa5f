// Checking one name and filing it: the state every command that checks names shares (the two
// result lists, the current name and suffix, the stop request, the character set) and the one
// routine that asks about a name and files the answer. The checking run, the quick search and the
// "WhoIS" command all go through here; what each needs from the window beyond the "Who Is?" panel
// and the busy animation is a port of its own.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Candidates.h"
#include "ResultList.h"

enum class TVerdictKind
{
    Free,        // listed in "Available"
    Taken,       // listed in "Registered" and cached
    Limited,     // the registry refused for now; asked again after a wait
    NotAnswered, // in neither list and never cached: the next run asks again
};

// Why a name was not answered.
enum class TNoAnswer
{
    Failed,      // no answer, an error, or an answer cut short
    Limited,     // the registry kept refusing for its limit
    Unsupported, // the registry holds no data for the suffix
    Stopped,     // the user stopped the question
};

// The longest wait a verdict names: longer than any wait a run sits out, and short enough to count
// in whole seconds. A registry naming more is taken to mean this.
inline constexpr double MaxNamedWaitSeconds = 24 * 60 * 60;

struct TVerdict
{
    TVerdictKind Kind = TVerdictKind::NotAnswered;
    TNoAnswer Reason = TNoAnswer::Failed; // for NotAnswered
    std::optional<double> WaitSeconds;    // for Limited, when the registry names a wait
    bool Recognised = false;              // read from a registry's own wording
};

// What one question about a name brought back.
struct TCheckResult
{
    std::string Answer; // the text to show in the "Who Is?" panel
    TVerdict Verdict;
    // Set by the question that made a registry refuse the rest of the run: who and for how long.
    std::string Refusal;
};

// Asks whoever knows whether name + suffix is registered; picks its server itself.
class TNameLookup
{
  public:
    virtual ~TNameLookup() = default;
    virtual TCheckResult Check(std::string_view name, std::string_view suffix) = 0;
    // A run or quick search begins: registries that refused in the last one are asked again.
    virtual void BeginRun() {}
};

// What every command that checks names shows on the window.
class TDisplayPort
{
  public:
    virtual ~TDisplayPort() = default;
    // The busy animation; while it plays a run or quick search is in progress.
    virtual void SetAnimating(bool playing) = 0;
    virtual bool Animating() const = 0;
    virtual void ShowAnswer(const std::string& answer) = 0;        // the "Who Is?" panel
    virtual void SetAnswerCaption(const std::string& caption) = 0; // the panel's group caption
    virtual void ShowInformation(const std::string& text) = 0;     // modal, OK
    // The names a run or quick search could not settle; none leaves the status as it is.
    virtual void ShowNotAnswered(const std::vector<std::string>& names) = 0;
    // Lets pending window messages run; this is how a stop request reaches a command.
    virtual void ProcessMessages() = 0;
};

// Where a name found registered goes besides "Registered".
enum class TCacheRule
{
    AddAlways,        // the checking run
    AddWhenNotCached, // the quick search and the "WhoIS" command
};

class TNameChecker
{
  public:
    static constexpr char StopMark = 'c';

    TNameChecker(TDisplayPort& display, TNameLookup& lookup) : FDisplay(display), FLookup(lookup) {}

    TResultList Registered; // LB1
    TResultList Available;  // LB2

    std::string CurrentSuffix; // set by the window's suffix selectors
    std::string CurrentName;

    // The reset shared by the run and the quick search: stop request cleared, character set built,
    // animation started, lists and panel emptied.
    void PrepareRun(bool stripNumbers, bool stripHashes);
    // The end of a run or quick search: the names not answered, and which registries refused.
    void FinishRun();

    // The names of this run or quick search that no registry answered for (stops excepted).
    const std::vector<std::string>& NotAnswered() const { return FNotAnswered; }

    void RequestStop() { FStopRequested = StopMark; }
    // Clears a stop request left from before, for a command that stands on its own (More Info).
    void ResetStop() { FStopRequested = 0; }
    bool StopRequested() const { return FStopRequested == StopMark; }

    // Asks about CurrentName under CurrentSuffix, shows the answer and files the name: a free one in
    // Available (once, whatever its letter case), a taken one in Registered and, by rule, the cache;
    // one not answered nowhere. When the stop request came while the question was out, its answer
    // is cut short and nothing is filed: the result is empty.
    std::optional<TVerdictKind> CheckCurrentName(TCacheRule rule);

    // The "WhoIS" command: asks again about text, cleaned into a name, under CurrentSuffix and files
    // it as the quick search does; a name now free goes to Available and stays in Registered.
    std::optional<TVerdictKind> Recheck(const std::string& text, const TCharSet& allowed);

    const TCharSet& AllowedCharSet() const { return FAllowed; }
    TDisplayPort& Display() const { return FDisplay; }

  private:
    TDisplayPort& FDisplay;
    TNameLookup& FLookup;
    TCharSet FAllowed;
    char FStopRequested = 0;
    std::vector<std::string> FNotAnswered;
    std::vector<std::string> FRefusals;
};

// Stops the busy animation however a command ends, a file error included, so the window never
// stays in the running state with nothing running.
class TAnimationStopper
{
  public:
    explicit TAnimationStopper(TDisplayPort& display) : FDisplay(display) {}
    ~TAnimationStopper() { FDisplay.SetAnimating(false); }
    TAnimationStopper(const TAnimationStopper&) = delete;
    TAnimationStopper& operator=(const TAnimationStopper&) = delete;

  private:
    TDisplayPort& FDisplay;
};
