// The seven domain suffixes and everything that depends on one: the WHOIS server that is
// asked, how its answer is trimmed before it is shown, and whether it says the name is free.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

class TWhoisClient;

inline constexpr std::array<std::string_view, 7> Suffixes{".com",   ".net", ".org", ".co.uk",
                                                          ".me.uk", ".biz", ".info"};

// The pace for a WHOIS server the table does not list, such as a registrar's.
inline constexpr int DefaultWhoisSpacingMs = 100;

// Where the questions about one suffix go: the registry's WHOIS server on port 43, its RDAP
// service, and the pace it asks for. Registries move their servers, so these are configuration,
// not protocol; the "Servers" section of the settings overrides them.
struct TWhoisServer
{
    std::string Host; // a host name or an address; empty where the registry has no WHOIS data
    uint16_t Port = 43;
    int SpacingMs = DefaultWhoisSpacingMs; // the least time between two exchanges with Host
    std::string RdapBase;                  // with its path and trailing slash; empty for none
};
using TWhoisServerTable = std::map<std::string, TWhoisServer, std::less<>>;

// Every suffix with its registry's servers as they are in 2026.
TWhoisServerTable DefaultWhoisServers();

// Points the client at the suffix's WHOIS server in servers, at its pace; an unknown suffix leaves
// the client as it was.
void SelectWhoisServer(TWhoisClient& client, const TWhoisServerTable& servers, std::string_view suffix);

// Cuts the registry's fixed header and footer off an answer. Blind by design: it counts
// characters and never looks at them, so it trims error texts the same way.
std::string TrimAnswer(std::string_view answer, std::string_view suffix);

// True when a trimmed answer carries a "free" marker at its fixed place for the suffix.
// An empty answer, an error text or anything unmarked counts as registered.
bool IsAvailableAnswer(std::string_view trimmedAnswer, std::string_view suffix);
