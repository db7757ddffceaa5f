// TWhoisLookup: a name's question answered by its registry. It asks the suffix's WHOIS server from
// the table it was given and reads the answer; where the registry has no WHOIS data, or its server
// fails, it asks the registry's RDAP service instead. It waits out a registry's limit and asks
// again, gives a registry that keeps refusing up for the rest of the run, and leaves a server that
// cannot be reached alone for a minute.
#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "NameChecker.h"
#include "RdapClient.h"
#include "Suffixes.h"

class TWhoisClient;

class TWhoisLookup : public TNameLookup
{
  public:
    static constexpr std::chrono::seconds DownFor{60};
    static constexpr int MaxLimitAnswers = 5;
    static constexpr double MaxLimitWaitSeconds = 300;
    static constexpr double FirstBackOffSeconds = 2;
    static constexpr double MaxBackOffSeconds = 60;

    // The waits use the client's idle callback and abort.
    TWhoisLookup(TWhoisClient& client, TWhoisServerTable servers)
        : FClient(client), FServers(std::move(servers))
    {
    }

    void SetServers(TWhoisServerTable servers) { FServers = std::move(servers); }
    const TWhoisServerTable& Servers() const { return FServers; }

    // Told of a wait for a registry's limit ("Waiting 2 s for the registry's limit…", UTF-8), and
    // with an empty text when it is over.
    std::function<void(const std::string&)> OnStatus;

    TCheckResult Check(std::string_view name, std::string_view suffix) override;

    // More Info: the detailed record of domain (name + suffix). Asks the suffix's registry, then
    // the registrar's WHOIS server it names; the first answer, cut to its registrant part, is kept
    // when it is long enough, else the registry's whole answer. The client is pointed back at
    // currentSuffix's server afterwards, however it ends.
    struct TDetails
    {
        std::string Answer;
        bool Enough = false;  // MinDetailAnswer characters or more
        bool Stopped = false; // cut short by a stop; nothing to show
    };
    TDetails MoreInfo(std::string_view domain, std::string_view currentSuffix);
    void BeginRun() override { FRefused.clear(); }

  private:
    TCheckResult AskOnce(const TWhoisServer& server, const std::string& asked, std::string_view suffix);
    TCheckResult AskWhois(const TWhoisServer& server, const std::string& asked, std::string_view suffix);
    TCheckResult AskRdap(const TWhoisServer& server, const std::string& asked);
    // One question to host about domain; empty when stopped.
    std::optional<std::string> AskHost(const std::string& host, uint16_t port, int spacingMs,
                                       std::string_view domain);
    // Sleeps with the window's messages running; false when stopped meanwhile.
    bool Wait(double seconds);
    void Status(const std::string& text);

    TWhoisClient& FClient;
    TRdapClient FRdap;
    TWhoisServerTable FServers;
    std::map<std::string, std::chrono::steady_clock::time_point> FDownUntil; // WHOIS hosts
    std::set<std::string> FRefused; // registries that refused the rest of this run
};
