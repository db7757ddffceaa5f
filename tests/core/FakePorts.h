// Scripted stand-ins for the window and the registries, for driving the commands that check names.
#pragma once

#include "NameChecker.h"

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

using TNames = std::vector<std::string>;

class TFakeDisplay : public TDisplayPort
{
  public:
    bool Playing = false;
    std::string Answer = "untouched";
    std::string Caption;
    TNames Informations;
    TNames NotAnswered{"untouched"};
    std::function<void()> OnProcessMessages;

    void SetAnimating(bool playing) override { Playing = playing; }
    bool Animating() const override { return Playing; }
    void ShowAnswer(const std::string& answer) override { Answer = answer; }
    void SetAnswerCaption(const std::string& caption) override { Caption = caption; }
    void ShowInformation(const std::string& text) override { Informations.push_back(text); }
    void ShowNotAnswered(const TNames& names) override { NotAnswered = names; }
    void ProcessMessages() override
    {
        if (OnProcessMessages)
            OnProcessMessages();
    }
};

// Names listed in Free are free, those in Unanswered are not answered; every other name is taken.
// Records each name + suffix asked.
class TFakeLookup : public TNameLookup
{
  public:
    TNames Free;
    TNames Unanswered;
    std::string Refusal; // given with the first name not answered
    TNames Requests;
    int Runs = 0;
    std::function<void()> OnAsk;

    TCheckResult Check(std::string_view name, std::string_view suffix) override
    {
        Requests.push_back(std::string(name) + std::string(suffix));
        if (OnAsk)
            OnAsk();
        TCheckResult result;
        result.Answer = "taken";
        result.Verdict.Kind = TVerdictKind::Taken;
        if (std::find(Free.begin(), Free.end(), name) != Free.end()) {
            result.Answer = "free";
            result.Verdict.Kind = TVerdictKind::Free;
        } else if (std::find(Unanswered.begin(), Unanswered.end(), name) != Unanswered.end()) {
            result.Answer = "no answer";
            result.Verdict.Kind = TVerdictKind::NotAnswered;
            result.Refusal = std::exchange(Refusal, {});
        }
        return result;
    }
    void BeginRun() override { ++Runs; }
};
