// Sequential WHOIS lookups through TWhoisClient against the loopback test server, beside a
// bare socket loop doing the same conversation, to show what the client itself costs.
//   whois_bench [lookups]     (default 20000 of each)
#include "RawLookup.h"
#include "WhoisClient.h"
#include "WhoisTestServer.h"

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <stdexcept>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

template <typename Lookup> double Seconds(int count, const std::string& expected, Lookup lookup)
{
    const auto start = Clock::now();
    for (int i = 0; i < count; ++i)
        if (lookup() != expected)
            throw std::runtime_error("unexpected answer");
    return std::chrono::duration<double>(Clock::now() - start).count();
}

} // namespace

int main(int argc, char* argv[])
{
    const int lookups = argc > 1 ? std::atoi(argv[1]) : 20000;
    if (lookups <= 0) {
        std::cerr << "usage: whois_bench [lookups]\n";
        return 2;
    }
    std::string reply = "\r\n   No match for \"EXAMPLE-NAME.COM\".\r\n";
    while (reply.size() < 600)
        reply += ">>> Last update of whois database: 2026-12-10T00:00:00Z <<<\r\n";
    TWhoisTestServer server({TWhoisTestServer::Answer(reply)});

    TWhoisClient client;
    client.SetHostName("127.0.0.1");
    client.Port = server.Port();
    client.Request = "example-name.com";
    const std::string wire = client.Request + '\n';
    const auto viaClient = [&client] {
        std::string answer;
        client.Query(answer);
        return answer;
    };
    const auto viaRaw = [&] { return RawLookup(server.Port(), wire); };

    // Alternate the two in rounds so drift in the machine's load falls on both alike.
    constexpr int Rounds = 4;
    Seconds(200, reply, viaClient);
    Seconds(200, reply, viaRaw);
    double clientSeconds = 0, rawSeconds = 0;
    for (int round = 0; round < Rounds; ++round) {
        const int count = lookups / Rounds + (round < lookups % Rounds ? 1 : 0);
        clientSeconds += Seconds(count, reply, viaClient);
        rawSeconds += Seconds(count, reply, viaRaw);
    }
    const double clientRate = lookups / clientSeconds, rawRate = lookups / rawSeconds;
    std::cout << "lookups: " << lookups << '\n'
              << "answer_bytes: " << reply.size() << '\n'
              << "whois_lookups_per_s: " << clientRate << '\n'
              << "raw_lookups_per_s: " << rawRate << '\n'
              << "whois_vs_raw_ratio: " << clientRate / rawRate << '\n';
    return 0;
}
