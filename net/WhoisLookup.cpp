#include "WhoisLookup.h"

#include <algorithm>
#include <cmath>
#include <thread>

#include "AnswerClassifier.h"
#include "DetailAnswer.h"
#include "ServerSettings.h"
#include "WhoisClient.h"

namespace {
using Clock = std::chrono::steady_clock;

TCheckResult NotAnswered(TNoAnswer reason, std::string answer = {})
{
    TCheckResult result;
    result.Verdict.Kind = TVerdictKind::NotAnswered;
    result.Verdict.Reason = reason;
    result.Answer = std::move(answer);
    return result;
}

// Whom a limit belongs to: the WHOIS host, or the RDAP service when the registry has no WHOIS.
std::string Registry(const TWhoisServer& server)
{
    return server.Host.empty() ? server.RdapBase : server.Host;
}

std::string Seconds(double seconds)
{
    return std::to_string(static_cast<long>(std::ceil(seconds))) + " s";
}
} // namespace

TCheckResult TWhoisLookup::Check(std::string_view name, std::string_view suffix)
{
    const auto entry = FServers.find(suffix);
    if (entry == FServers.end())
        return NotAnswered(TNoAnswer::Unsupported);
    const TWhoisServer& server = entry->second;
    const std::string asked = std::string(name) + std::string(suffix);
    if (FRefused.count(Registry(server)))
        return NotAnswered(TNoAnswer::Limited,
                           Registry(server) + " refuses questions for its limit: not asked.");

    double backOff = FirstBackOffSeconds;
    for (int limits = 1;; ++limits) {
        TCheckResult result = AskOnce(server, asked, suffix);
        if (result.Verdict.Kind != TVerdictKind::Limited)
            return result;
        const double wait = result.Verdict.WaitSeconds.value_or(backOff);
        backOff = std::min(backOff * 2, MaxBackOffSeconds);
        if (limits >= MaxLimitAnswers || wait > MaxLimitWaitSeconds) {
            FRefused.insert(Registry(server));
            result.Verdict.Kind = TVerdictKind::NotAnswered;
            result.Refusal = Registry(server) + " refused " + std::to_string(limits) +
                             " questions in a row for its limit (the last asked for a wait of " +
                             Seconds(wait) +
                             "). Its other names in this run were not asked; the next run asks them again.";
            return result;
        }
        Status("Waiting " + Seconds(wait) + " for the registry's limit\u2026");
        const bool waited = Wait(wait);
        Status("");
        if (!waited)
            return NotAnswered(TNoAnswer::Stopped);
    }
}

TCheckResult TWhoisLookup::AskOnce(const TWhoisServer& server, const std::string& asked,
                                   std::string_view suffix)
{
    TCheckResult result = NotAnswered(TNoAnswer::Failed);
    const auto down = FDownUntil.find(server.Host);
    const bool reachable = down == FDownUntil.end() || down->second <= Clock::now();
    if (!server.Host.empty() && reachable) {
        result = AskWhois(server, asked, suffix);
        // A limit is waited out at the same server; a failure or a registry without data goes to RDAP.
        if (result.Verdict.Kind != TVerdictKind::NotAnswered || result.Verdict.Reason == TNoAnswer::Stopped)
            return result;
    } else if (!server.Host.empty())
        result.Answer = server.Host + " cannot be reached; it is asked again a minute after it failed.";
    if (server.RdapBase.empty())
        return result;
    return AskRdap(server, asked);
}

TCheckResult TWhoisLookup::AskWhois(const TWhoisServer& server, const std::string& asked,
                                    std::string_view suffix)
{
    FClient.SetHostName(server.Host);
    FClient.Port = server.Port;
    FClient.SpacingMs = server.SpacingMs;
    FClient.Request = asked;
    std::string answer;
    const TQueryResult query = FClient.Query(answer);
    if (query == TQueryResult::Aborted)
        return NotAnswered(TNoAnswer::Stopped);
    if (query == TQueryResult::Unreachable)
        FDownUntil[server.Host] = Clock::now() + DownFor;
    TCheckResult result;
    result.Verdict = ClassifyAnswer(answer, suffix, asked);
    result.Answer = AnswerToShow(answer, suffix, result.Verdict);
    return result;
}

TCheckResult TWhoisLookup::AskRdap(const TWhoisServer& server, const std::string& asked)
{
    FRdap.OnIdle = FClient.OnIdle;
    FRdap.Aborted = FClient.Aborted;
    return RdapResult(FRdap.Get(RdapDomainUrl(server.RdapBase, asked)), asked);
}

std::optional<std::string> TWhoisLookup::AskHost(const std::string& host, uint16_t port, int spacingMs,
                                                 std::string_view domain)
{
    FClient.SetHostName(host);
    FClient.Port = port;
    FClient.SpacingMs = spacingMs;
    FClient.Request = std::string(domain);
    std::string answer;
    if (FClient.Query(answer) == TQueryResult::Aborted)
        return std::nullopt;
    return answer;
}

TWhoisLookup::TDetails TWhoisLookup::MoreInfo(std::string_view domain, std::string_view currentSuffix)
{
    // The suffix's own server again afterwards, on every path out.
    struct TRestore
    {
        TWhoisLookup& Lookup;
        std::string Suffix;
        ~TRestore() { SelectWhoisServer(Lookup.FClient, Lookup.FServers, Suffix); }
    } restore{*this, std::string(currentSuffix)};

    // The registry of the longest suffix the domain ends with.
    const TWhoisServer* registry = nullptr;
    std::size_t matched = 0;
    for (const auto& [suffix, server] : FServers)
        if (domain.size() > suffix.size() && domain.ends_with(suffix) && suffix.size() > matched) {
            registry = &server;
            matched = suffix.size();
        }
    TDetails details;
    if (!registry || registry->Host.empty())
        return details;

    const std::optional<std::string> registryAnswer =
        AskHost(registry->Host, registry->Port, registry->SpacingMs, domain);
    if (!registryAnswer) {
        details.Stopped = true;
        return details;
    }
    // The first detail server: the registrar's, where the registry names one; else the registry.
    std::string first = *registryAnswer;
    TWhoisServer registrar;
    if (SetWhoisHost(registrar, RegistrarWhoisServer(*registryAnswer)) && !registrar.Host.empty() &&
        (registrar.Host != registry->Host || registrar.Port != registry->Port)) {
        const std::optional<std::string> answer =
            AskHost(registrar.Host, registrar.Port, registrar.SpacingMs, domain);
        if (!answer) {
            details.Stopped = true;
            return details;
        }
        first = *answer;
    }
    details.Answer = CutDetailAnswer(first);
    // The fallback: the registry's own answer, whole.
    if (details.Answer.size() < MinDetailAnswer)
        details.Answer = *registryAnswer;
    details.Enough = details.Answer.size() >= MinDetailAnswer;
    return details;
}

bool TWhoisLookup::Wait(double seconds)
{
    const auto until =
        Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    while (Clock::now() < until) {
        std::this_thread::sleep_for(std::min<Clock::duration>(
            until - Clock::now(), std::chrono::milliseconds(TWhoisClient::IdleSliceMs)));
        if (FClient.OnIdle)
            FClient.OnIdle();
        if (FClient.Aborted && FClient.Aborted())
            return false;
    }
    return true;
}

void TWhoisLookup::Status(const std::string& text)
{
    if (OnStatus)
        OnStatus(text);
}
