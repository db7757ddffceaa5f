// WHOIS answers as a registry (or anything posing as one) may send them: the old trimming and
// markers, the classification, what the panel shows, and the More Info cuts of a detail answer.
//
// Input: byte 0 picks the suffix; then the name asked, up to the first line feed; the rest is the
// answer.
#include <cmath>
#include <cstdint>
#include <string>

#include "AnswerClassifier.h"
#include "DetailAnswer.h"
#include "FuzzSupport.h"
#include "Suffixes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const char* const Suffixes[] = {".com",   ".net", ".org",  ".co.uk",
                                           ".me.uk", ".biz", ".info", ".xyz"};
    if (size < 1)
        return 0;
    const std::string suffix = Suffixes[data[0] % std::size(Suffixes)];
    std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t lineEnd = rest.find('\n');
    const std::string asked = std::string(rest.substr(0, lineEnd)) + suffix;
    const std::string_view answer =
        lineEnd == std::string_view::npos ? std::string_view() : rest.substr(lineEnd + 1);

    const std::string trimmed = TrimAnswer(answer, suffix);
    FUZZ_CHECK(trimmed.size() <= answer.size());
    (void)IsAvailableAnswer(trimmed, suffix);

    const TVerdict verdict = ClassifyAnswer(answer, suffix, asked);
    if (verdict.WaitSeconds)
        FUZZ_CHECK(verdict.Kind == TVerdictKind::Limited && std::isfinite(*verdict.WaitSeconds) &&
                   *verdict.WaitSeconds >= 0);
    FUZZ_CHECK(AnswerToShow(answer, suffix, verdict).size() <= MaxShownAnswer);

    const std::string details = CutDetailAnswer(std::string(answer));
    FUZZ_CHECK(answer.find(details) != std::string_view::npos);
    const std::string server = RegistrarWhoisServer(answer);
    // A host name, with its port perhaps: nothing that could reach a connect as something else.
    for (const char c : server)
        FUZZ_CHECK((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
                   c == '-' || c == ':');
    return 0;
}
