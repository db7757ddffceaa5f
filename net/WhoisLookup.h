// TWhoisLookup: the checking run's questions answered by a WHOIS client, the client that the
// window points at each suffix's server.
#pragma once

#include "CheckingRun.h"

class TWhoisClient;

class TWhoisLookup : public TNameLookup
{
  public:
    explicit TWhoisLookup(TWhoisClient& client) : FClient(client) {}

    std::string Ask(const std::string& request, std::string_view suffix) override;
    bool SaysFree(std::string_view answer, std::string_view suffix) const override;

  private:
    TWhoisClient& FClient;
};
