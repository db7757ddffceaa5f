#include "WhoisLookup.h"

#include "Suffixes.h"
#include "WhoisClient.h"

std::string TWhoisLookup::Ask(const std::string& request, std::string_view suffix)
{
    FClient.Request = request;
    std::string answer;
    FClient.Query(answer);
    return TrimAnswer(answer, suffix);
}

bool TWhoisLookup::SaysFree(std::string_view answer, std::string_view suffix) const
{
    return IsAvailableAnswer(answer, suffix);
}
