// Lookups against registries that misbehave, on loopback: one that allows 5 questions a second and
// answers Nominet's quota text beyond that, and one that cannot be reached at all.
//   registry_bench [names] [unreachable-names]     (default 50 and 100)
#include "UnansweredListener.h"
#include "WhoisClient.h"
#include "WhoisLookup.h"
#include "WhoisTestServer.h"

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

} // namespace

int main(int argc, char* argv[])
{
    const int names = argc > 1 ? std::atoi(argv[1]) : 50;
    const int unreachableNames = argc > 2 ? std::atoi(argv[2]) : 100;
    if (names <= 0 || unreachableNames <= 0) {
        std::cerr << "usage: registry_bench [names] [unreachable-names]\n";
        return 2;
    }

    // Nominet's limit, 5 a second, against the built-in pace for Nominet.
    constexpr double Limit = 5;
    TWhoisTestServer limited(
        {TWhoisTestServer::Answer("\r\n    This domain name has not been registered.\r\n")});
    limited.LimitRate(
        Limit, 5,
        "Error for \"x.co.uk\".\r\n\r\nthe WHOIS query quota for 127.0.0.1 has been exceeded\r\n"
        "and will be replenished in %.3f seconds\r\n");
    const int nominetSpacingMs = DefaultWhoisServers().at(".co.uk").SpacingMs;
    TWhoisClient client;
    TWhoisLookup lookup(client, {{".co.uk", {"127.0.0.1", limited.Port(), nominetSpacingMs, ""}}});
    int notAnswered = 0;
    auto start = Clock::now();
    for (int i = 0; i < names; ++i)
        if (lookup.Check("name" + std::to_string(i), ".co.uk").Verdict.Kind != TVerdictKind::Free)
            ++notAnswered;
    const double limitedSeconds = Seconds(start);

    // A server whose connects never complete, with the default connect time-out.
    TUnansweredListener unanswered;
    TWhoisLookup outage(client, {{".com", {"127.0.0.1", unanswered.Port(), 0, ""}}});
    start = Clock::now();
    for (int i = 0; i < unreachableNames; ++i)
        outage.Check("name" + std::to_string(i), ".com");
    const double outageSeconds = Seconds(start);

    std::cout << "limited_names: " << names << '\n'
              << "limited_run_seconds: " << limitedSeconds << '\n'
              << "limited_run_refusals: " << limited.Refusals() << '\n'
              << "limited_run_vs_limit_ratio: " << names / limitedSeconds / Limit << '\n'
              << "limited_run_not_answered: " << notAnswered << '\n'
              << "outage_names: " << unreachableNames << '\n'
              << "outage_seconds_per_name: " << outageSeconds / unreachableNames << '\n';
    return 0;
}
