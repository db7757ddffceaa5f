#include "DetailAnswer.h"

#include <algorithm>
#include <cctype>

#include "myutils.h"

namespace {
// Drops everything before the first marker, when it stands after the first character.
void CutBefore(std::string& text, std::string_view marker)
{
    const std::size_t at = text.find(marker);
    if (at != std::string::npos && at > 0)
        text.erase(0, at);
}
} // namespace

std::string CutDetailAnswer(std::string answer)
{
    CutBefore(answer, "Registrant");
    CutBefore(answer, "Organization");
    constexpr std::string_view PolicyEnd = "policy.\n\n";
    const std::size_t at = answer.find(PolicyEnd);
    if (at != std::string::npos)
        answer.erase(0, at + PolicyEnd.size() - 1);
    return answer;
}

std::string RegistrarWhoisServer(std::string_view registryAnswer)
{
    constexpr std::string_view Label = "Registrar WHOIS Server:";
    while (!registryAnswer.empty()) {
        const std::size_t end = registryAnswer.find('\n');
        std::string_view line = TrimBlanks(registryAnswer.substr(0, end));
        registryAnswer = end == std::string_view::npos ? std::string_view() : registryAnswer.substr(end + 1);
        if (!StartsNoCase(line, Label))
            continue;
        std::string_view host = TrimBlanks(line.substr(Label.size()));
        if (const std::size_t scheme = host.find("://"); scheme != std::string_view::npos)
            host.remove_prefix(scheme + 3);
        host = host.substr(0, host.find('/'));
        const bool plain = std::all_of(host.begin(), host.end(), [](char c) {
            return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == ':';
        });
        return plain ? std::string(host) : std::string();
    }
    return {};
}
