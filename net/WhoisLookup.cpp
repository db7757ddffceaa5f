#include "WhoisLookup.h"

#include "WhoisClient.h"

TCheckResult TWhoisLookup::Check(std::string_view name, std::string_view suffix)
{
    SelectWhoisServer(FClient, FServers, suffix);
    FClient.Request = std::string(name) + std::string(suffix);
    std::string answer;
    FClient.Query(answer);
    TCheckResult result;
    result.Answer = TrimAnswer(answer, suffix);
    result.Verdict = IsAvailableAnswer(result.Answer, suffix) ? TVerdict::Free : TVerdict::Taken;
    return result;
}
