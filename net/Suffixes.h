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

// Dotted IPv4 addresses, because the WHOIS client does no name lookup. Each is one
// address of the registry server named beside it, as resolved when it was written down;
// registries move their servers, so these are configuration, not protocol.
inline constexpr std::string_view WhoisServerComNetOrg = "192.30.45.30"; // whois.verisign-grs.com
inline constexpr std::string_view WhoisServerUk = "213.248.242.77";      // whois.nic.uk
inline constexpr std::string_view WhoisServerBiz = "156.154.100.224";    // whois.nic.biz
inline constexpr std::string_view WhoisServerInfo = "199.19.56.1";       // whois.afilias.info

// The server for a suffix (compared exactly), or none for a text that is no suffix.
std::optional<std::string_view> WhoisServerFor(std::string_view suffix);

// Where the WHOIS questions for one suffix go.
struct TWhoisServer
{
    std::string Host;
    uint16_t Port = 43;
};
using TWhoisServerTable = std::map<std::string, TWhoisServer, std::less<>>;

// Every suffix with its registry's server on port 43.
TWhoisServerTable DefaultWhoisServers();

// Points the client at the suffix's server in servers; an unknown suffix leaves it where it was.
void SelectWhoisServer(TWhoisClient& client, const TWhoisServerTable& servers, std::string_view suffix);

// Cuts the registry's fixed header and footer off an answer. Blind by design: it counts
// characters and never looks at them, so it trims error texts the same way.
std::string TrimAnswer(std::string_view answer, std::string_view suffix);

// True when a trimmed answer carries a "free" marker at its fixed place for the suffix.
// An empty answer, an error text or anything unmarked counts as registered.
bool IsAvailableAnswer(std::string_view trimmedAnswer, std::string_view suffix);
