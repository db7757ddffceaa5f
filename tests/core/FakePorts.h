// Scripted stand-ins for the window and the registries, for driving the commands that check names.
#pragma once

#include "NameChecker.h"

#include <functional>
#include <string>
#include <vector>

using TNames = std::vector<std::string>;

class TFakeDisplay : public TDisplayPort
{
  public:
    bool Playing = false;
    std::string Answer = "untouched";
    std::string Caption;
    TNames Informations;
    std::function<void()> OnProcessMessages;

    void SetAnimating(bool playing) override { Playing = playing; }
    bool Animating() const override { return Playing; }
    void ShowAnswer(const std::string& answer) override { Answer = answer; }
    void SetAnswerCaption(const std::string& caption) override { Caption = caption; }
    void ShowInformation(const std::string& text) override { Informations.push_back(text); }
    void ProcessMessages() override
    {
        if (OnProcessMessages)
            OnProcessMessages();
    }
};

// Names listed in Free are free; every other name is taken. Records each name + suffix asked.
class TFakeLookup : public TNameLookup
{
  public:
    TNames Free;
    TNames Requests;
    std::function<void()> OnAsk;

    TCheckResult Check(std::string_view name, std::string_view suffix) override
    {
        Requests.push_back(std::string(name) + std::string(suffix));
        if (OnAsk)
            OnAsk();
        for (const std::string& free : Free)
            if (name == free)
                return {"free", TVerdict::Free};
        return {"taken", TVerdict::Taken};
    }
};
