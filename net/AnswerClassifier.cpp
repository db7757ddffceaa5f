#include "AnswerClassifier.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "Suffixes.h"
#include "WhoisClient.h"
#include "myutils.h"

namespace {
bool ContainsNoCase(std::string_view text, std::string_view needle)
{
    return FindNoCase(text, needle) != std::string_view::npos;
}

// The answer's lines, each without its line end (LF or CR LF).
std::vector<std::string_view> Lines(std::string_view answer)
{
    std::vector<std::string_view> lines;
    while (!answer.empty()) {
        const std::size_t end = answer.find('\n');
        std::string_view line = answer.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos)
            break;
        answer.remove_prefix(end + 1);
    }
    return lines;
}

// The line that closes a registry's record; the terms of use follow it.
bool IsEndOfRecord(std::string_view line)
{
    line = TrimBlanks(line);
    return StartsNoCase(line, ">>> Last update of") || StartsNoCase(line, "WHOIS lookup made at");
}

// Where the record ends in answer: just past its end-of-record line, or npos when it has none.
std::size_t EndOfRecord(std::string_view answer)
{
    std::size_t start = 0;
    while (start < answer.size()) {
        const std::size_t end = answer.find('\n', start);
        const std::size_t next = end == std::string_view::npos ? answer.size() : end + 1;
        if (IsEndOfRecord(answer.substr(start, next - start)))
            return next;
        start = next;
    }
    return std::string_view::npos;
}

bool IsLimitLine(std::string_view line)
{
    return StartsNoCase(line, "WHOIS LIMIT EXCEEDED") ||
           (ContainsNoCase(line, "query quota for") && ContainsNoCase(line, "exceeded"));
}

// A registry that cannot answer now.
bool IsOutOfServiceLine(std::string_view line)
{
    return ContainsNoCase(line, "database is currently down");
}

bool IsUnsupportedLine(std::string_view line)
{
    return StartsNoCase(line, "TLD is not supported") ||
           ContainsNoCase(line, "whois service has been retired");
}

// The texts by which registries say they hold no such name, with or without a full stop.
bool IsNotFoundLine(std::string_view line, std::string_view asked)
{
    if (StartsNoCase(line, "No match for \"")) {
        const std::string_view quoted = line.substr(14);
        const std::size_t close = quoted.find('"');
        return close != std::string_view::npos && EqualNoCase(quoted.substr(0, close), asked);
    }
    if (!line.empty() && line.back() == '.')
        line.remove_suffix(1);
    for (std::string_view text :
         {"Domain not found", "NOT FOUND", "This domain name has not been registered", "No Data Found"})
        if (EqualNoCase(line, text))
            return true;
    return false;
}

// A name that exists in the registry in some form, or may never be registered.
bool IsReservedLine(std::string_view line)
{
    return StartsNoCase(line, "The registration of this domain is restricted") ||
           StartsNoCase(line, "Name is reserved by") ||
           StartsNoCase(line, "This domain cannot be registered");
}

// A "Domain Name:" line naming asked, the name on the same line or the next one.
bool IsRecordOf(const std::vector<std::string_view>& lines, std::size_t index, std::string_view asked)
{
    const std::string_view line = TrimBlanks(lines[index]);
    constexpr std::string_view Label = "Domain name:";
    if (!StartsNoCase(line, Label))
        return false;
    std::string_view name = TrimBlanks(line.substr(Label.size()));
    if (name.empty() && index + 1 < lines.size())
        name = TrimBlanks(lines[index + 1]);
    return EqualNoCase(name, asked);
}

// The wait a limit answer names: "replenished in 0.141 seconds".
std::optional<double> NamedWait(std::string_view answer)
{
    constexpr std::string_view Marker = "replenished in ";
    const std::size_t at = FindNoCase(answer, Marker);
    if (at == std::string_view::npos)
        return std::nullopt;
    const std::string number(answer.substr(at + Marker.size(), 32));
    char* end = nullptr;
    const double seconds = std::strtod(number.c_str(), &end);
    if (end == number.c_str() || !std::isfinite(seconds) || seconds < 0)
        return std::nullopt;
    return std::min(seconds, MaxNamedWaitSeconds);
}

TVerdict Verdict(TVerdictKind kind, TNoAnswer reason = TNoAnswer::Failed, bool recognised = false)
{
    TVerdict verdict;
    verdict.Kind = kind;
    verdict.Reason = reason;
    verdict.Recognised = recognised;
    return verdict;
}

TVerdict Recognised(TVerdictKind kind, TNoAnswer reason = TNoAnswer::Failed)
{
    return Verdict(kind, reason, true);
}
} // namespace

TVerdict ClassifyAnswer(std::string_view answer, std::string_view suffix, std::string_view asked)
{
    if (TrimBlanks(answer).empty() || TWhoisClient::IsErrorText(answer))
        return Verdict(TVerdictKind::NotAnswered);

    std::vector<std::string_view> lines = Lines(answer);
    const auto end = std::find_if(lines.begin(), lines.end(), IsEndOfRecord);
    lines.erase(end, lines.end());
    const auto any = [&lines](auto test) {
        return std::any_of(lines.begin(), lines.end(),
                           [&test](std::string_view line) { return test(TrimBlanks(line)); });
    };

    if (any(IsLimitLine)) {
        TVerdict verdict = Recognised(TVerdictKind::Limited, TNoAnswer::Limited);
        verdict.WaitSeconds = NamedWait(answer);
        return verdict;
    }
    if (any(IsOutOfServiceLine))
        return Recognised(TVerdictKind::NotAnswered, TNoAnswer::Failed);
    if (any(IsUnsupportedLine))
        return Recognised(TVerdictKind::NotAnswered, TNoAnswer::Unsupported);
    if (any([asked](std::string_view line) { return IsNotFoundLine(line, asked); }))
        return Recognised(TVerdictKind::Free);
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (IsRecordOf(lines, i, asked) || IsReservedLine(TrimBlanks(lines[i])))
            return Recognised(TVerdictKind::Taken);

    if (IsAvailableAnswer(TrimAnswer(answer, suffix), suffix))
        return Verdict(TVerdictKind::Free);
    return Verdict(TVerdictKind::Taken);
}

std::string AnswerToShow(std::string_view answer, std::string_view suffix, const TVerdict& verdict)
{
    std::string shown;
    if (verdict.Recognised)
        shown = std::string(answer.substr(0, EndOfRecord(answer)));
    else
        shown = TrimAnswer(answer, suffix);
    if (shown.size() > MaxShownAnswer)
        shown.resize(MaxShownAnswer);
    return shown;
}
