#include "Suffixes.h"

#include "WhoisClient.h"

#include <algorithm>

namespace {

bool IsUkSuffix(std::string_view suffix)
{
    return suffix == ".co.uk" || suffix == ".me.uk";
}

bool IsComNetOrg(std::string_view suffix)
{
    return suffix == ".com" || suffix == ".net" || suffix == ".org";
}

// Positions count from 0 here; a marker that would run past the end matches nothing.
bool HasMarkerAt(std::string_view text, std::size_t position, std::string_view marker)
{
    return text.size() >= position + marker.size() && text.substr(position, marker.size()) == marker;
}

// Header of the .com/.net/.org answers, and the footer block left before their last character.
constexpr std::size_t ComHeaderLength = 195;
constexpr std::size_t ComFooterLength = 85;
// Footer of the .uk answers.
constexpr std::size_t UkFooterLength = 211;

} // namespace

TWhoisServerTable DefaultWhoisServers()
{
    const TWhoisServer verisign{"whois.verisign-grs.com", 43, 100, ""};
    const TWhoisServer nominet{"whois.nic.uk", 43, 250, "https://rdap.nominet.uk/uk/"};
    TWhoisServerTable servers{
        {".com", verisign},
        {".net", verisign},
        {".org", {"whois.pir.org", 43, 100, "https://rdap.publicinterestregistry.org/rdap/"}},
        {".co.uk", nominet},
        {".me.uk", nominet},
        {".biz", {"whois.nic.biz", 43, 100, "https://rdap.nic.biz/"}},
        // The .info registry's port 43 answers only "TLD is not supported.".
        {".info", {"", 43, 100, "https://rdap.identitydigital.services/rdap/"}},
    };
    servers[".com"].RdapBase = "https://rdap.verisign.com/com/v1/";
    servers[".net"].RdapBase = "https://rdap.verisign.com/net/v1/";
    return servers;
}

void SelectWhoisServer(TWhoisClient& client, const TWhoisServerTable& servers, std::string_view suffix)
{
    const auto server = servers.find(suffix);
    if (server == servers.end())
        return;
    client.SetHostName(server->second.Host);
    client.Port = server->second.Port;
    client.SpacingMs = server->second.SpacingMs;
}

std::string TrimAnswer(std::string_view answer, std::string_view suffix)
{
    if (IsUkSuffix(suffix)) {
        if (answer.size() >= UkFooterLength)
            answer.remove_suffix(UkFooterLength);
        return std::string(answer);
    }
    if (IsComNetOrg(suffix)) {
        answer.remove_prefix(std::min(answer.size(), ComHeaderLength));
        // The footer goes, but the answer's very last character stays.
        if (answer.size() > ComFooterLength) {
            std::string trimmed(answer.substr(0, answer.size() - ComFooterLength - 1));
            trimmed += answer.back();
            return trimmed;
        }
        return std::string(answer);
    }
    return std::string(answer);
}

bool IsAvailableAnswer(std::string_view trimmedAnswer, std::string_view suffix)
{
    return HasMarkerAt(trimmedAnswer, 2, "No") ||
           (IsUkSuffix(suffix) && HasMarkerAt(trimmedAnswer, 4, "No")) ||
           HasMarkerAt(trimmedAnswer, 0, "NOT");
}
