// More Info: the detailed WHOIS record of a registered name. Today's .com and .net registry answers
// are "thin" and name the registrar's own WHOIS server, where the detailed record lives; .org's
// registry keeps the full record itself.
#pragma once

#include <string>
#include <string_view>

// The detail answer from "Registrant" on, then from "Organization" on, then past "policy." and the
// first of two line feeds; a text without them is kept.
std::string CutDetailAnswer(std::string answer);

// The server on a registry answer's "Registrar WHOIS Server:" line (a host, or host:port), without a
// "whois://" scheme or a path; empty when there is none.
std::string RegistrarWhoisServer(std::string_view registryAnswer);

// The shortest answer that counts as details.
inline constexpr std::size_t MinDetailAnswer = 10;
