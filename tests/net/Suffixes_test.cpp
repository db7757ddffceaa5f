// Server choice, answer trimming and the free/taken markers, per suffix.
#include "Suffixes.h"
#include "WhoisClient.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// An answer whose characters tell their position, so a trim shows which ones it kept.
std::string Numbered(std::size_t length)
{
    std::string text;
    for (std::size_t i = 0; i < length; ++i)
        text += static_cast<char>('!' + i % 90);
    return text;
}

} // namespace

TEST(Suffixes, EachSuffixAsksItsRegistrysServers)
{
    const struct
    {
        const char* suffix;
        const char* host;
        int spacingMs;
        const char* rdap;
    } rows[] = {
        {".com", "whois.verisign-grs.com", 100, "https://rdap.verisign.com/com/v1/"},
        {".net", "whois.verisign-grs.com", 100, "https://rdap.verisign.com/net/v1/"},
        {".org", "whois.pir.org", 100, "https://rdap.publicinterestregistry.org/rdap/"},
        {".co.uk", "whois.nic.uk", 250, "https://rdap.nominet.uk/uk/"},
        {".me.uk", "whois.nic.uk", 250, "https://rdap.nominet.uk/uk/"},
        {".biz", "whois.nic.biz", 100, "https://rdap.nic.biz/"},
        {".info", "", 100, "https://rdap.identitydigital.services/rdap/"},
    };
    const TWhoisServerTable servers = DefaultWhoisServers();
    ASSERT_EQ(servers.size(), Suffixes.size());
    for (const auto& row : rows) {
        const TWhoisServer& server = servers.at(row.suffix);
        EXPECT_EQ(server.Host, row.host) << row.suffix;
        EXPECT_EQ(server.Port, 43) << row.suffix;
        EXPECT_EQ(server.SpacingMs, row.spacingMs) << row.suffix;
        EXPECT_EQ(server.RdapBase, row.rdap) << row.suffix;
    }
}

TEST(Suffixes, SelectingAServerSetsHostPortAndPaceAndAnUnknownSuffixLeavesThem)
{
    TWhoisClient client;
    client.SetHostIPAddress("10.1.2.3");
    SelectWhoisServer(client, DefaultWhoisServers(), ".co.uk");
    EXPECT_EQ(client.HostName(), "whois.nic.uk");
    EXPECT_EQ(client.HostIPAddress(), "");
    EXPECT_EQ(client.SpacingMs, 250);

    const TWhoisServerTable loopback{{".biz", {"127.0.0.1", 4343, 0, ""}}};
    SelectWhoisServer(client, loopback, ".biz");
    SelectWhoisServer(client, loopback, ".com");
    SelectWhoisServer(client, DefaultWhoisServers(), "");
    EXPECT_EQ(client.HostName(), "127.0.0.1");
    EXPECT_EQ(client.Port, 4343);
    EXPECT_EQ(client.SpacingMs, 0);
}

TEST(Suffixes, TrimAnswerCutsByCountAlone)
{
    const std::string n281 = Numbered(281), n300 = Numbered(300), n215 = Numbered(215);
    struct TCase
    {
        std::string suffix;
        std::string answer;
        std::string expected;
    };
    const std::vector<TCase> cases{
        {".com", Numbered(195), ""},
        {".net", Numbered(196), Numbered(196).substr(195)},
        {".org", Numbered(280), Numbered(280).substr(195)}, // 85 left: no footer cut
        {".com", n281, n281.substr(280)},                   // 86 left: only the last character stays
        {".com", n300, n300.substr(195, 19) + n300.back()},
        {".co.uk", Numbered(210), Numbered(210)},
        {".me.uk", Numbered(211), ""},
        {".co.uk", n215, n215.substr(0, 4)},
        {".biz", n300, n300},
        {".info", n300, n300},
        {"", n300, n300},
        {".com", "Error WSAECONNREFUSED", ""},
        {".co.uk", "Error WSAECONNREFUSED", "Error WSAECONNREFUSED"},
        {".info", "Error WSAETIMEDOUT", "Error WSAETIMEDOUT"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TrimAnswer(c.answer, c.suffix), c.expected) << c.suffix << " answer of " << c.answer.size();
}

TEST(Suffixes, MarkersAtTheirPlacesSayFree)
{
    struct TCase
    {
        std::string answer;
        std::vector<std::string> freeUnder; // every other suffix must say taken
    };
    const std::vector<std::string> all(Suffixes.begin(), Suffixes.end());
    const std::vector<TCase> cases{
        {"  No match for \"X.COM\".", all},
        {"\r\nNo", all},
        {"    No match", {".co.uk", ".me.uk"}},
        {"NOT FOUND", all},
        {"Not found", {}},
        {"  no match", {}},
        {"  N", {}},
        {"    N", {}},
        {"NO", {}},
        {"", {}},
        {"Error WSAECONNREFUSED", {}},
        {"Domain Name: X.BIZ", {}},
    };
    for (const auto& c : cases)
        for (const auto& suffix : all) {
            const bool expected =
                std::find(c.freeUnder.begin(), c.freeUnder.end(), suffix) != c.freeUnder.end();
            EXPECT_EQ(IsAvailableAnswer(c.answer, suffix), expected)
                << '"' << c.answer << "\" under " << suffix;
        }
}
