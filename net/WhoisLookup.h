// TWhoisLookup: a name's question answered over WHOIS. It points the client at the suffix's server
// from the table it was given, asks, trims the answer for the panel and reads the verdict from it.
#pragma once

#include "NameChecker.h"
#include "Suffixes.h"

class TWhoisClient;

class TWhoisLookup : public TNameLookup
{
  public:
    TWhoisLookup(TWhoisClient& client, TWhoisServerTable servers)
        : FClient(client), FServers(std::move(servers))
    {
    }

    TCheckResult Check(std::string_view name, std::string_view suffix) override;

  private:
    TWhoisClient& FClient;
    TWhoisServerTable FServers;
};
