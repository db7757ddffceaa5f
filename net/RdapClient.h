// TRdapClient: one RDAP question (RFC 9082/9083) over HTTPS on libcurl, synchronous on the calling
// thread like the WHOIS client, with the same idle callback and abort, and bounded waits and size.
// RdapResult reads a reply as a verdict and a short text for the "Who Is?" panel.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "NameChecker.h"

class TRdapClient
{
  public:
    static constexpr int IdleSliceMs = 50;
    static constexpr std::size_t MaxBodyBytes = 1024 * 1024;

    struct TReply
    {
        long Status = 0; // the HTTP status; 0 when no reply came
        std::string Body;
        std::optional<double> RetryAfter; // seconds
        std::string Error;                // why no reply came
        bool Aborted = false;
    };

    int ConnectTimeoutMs = 15000;
    int TotalTimeoutMs = 30000;
    std::function<void()> OnIdle;
    std::function<bool()> Aborted;

    // GET url with the RDAP media types, following no redirect of another scheme.
    TReply Get(const std::string& url);
};

// base + "domain/" + asked; base keeps its path (without it every name would be "not found").
std::string RdapDomainUrl(std::string_view base, std::string_view asked);

// 200: taken; 404: free; 429: limited, with the server's wait; anything else: not answered. The text
// names the domain, its status, registrar, dates and name servers, or says the registry has none.
TCheckResult RdapResult(const TRdapClient::TReply& reply, std::string_view asked);
