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

TEST(Suffixes, EachSuffixAsksItsRegistrysServer)
{
    const std::vector<std::pair<std::string, std::string_view>> rows{
        {".com", WhoisServerComNetOrg}, {".net", WhoisServerComNetOrg}, {".org", WhoisServerComNetOrg},
        {".co.uk", WhoisServerUk},      {".me.uk", WhoisServerUk},      {".biz", WhoisServerBiz},
        {".info", WhoisServerInfo},
    };
    ASSERT_EQ(rows.size(), Suffixes.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(Suffixes[i], rows[i].first);
        EXPECT_EQ(WhoisServerFor(rows[i].first), rows[i].second) << rows[i].first;
    }
    for (const char* unknown : {"", ".COM", "com", ".uk"})
        EXPECT_EQ(WhoisServerFor(unknown), std::nullopt) << unknown;
}

TEST(Suffixes, SelectingAServerSetsHostAndPortAndAnUnknownSuffixLeavesThem)
{
    TWhoisClient client;
    client.SetHostIPAddress("10.1.2.3");
    const TWhoisServerTable defaults = DefaultWhoisServers();
    ASSERT_EQ(defaults.size(), Suffixes.size());
    SelectWhoisServer(client, defaults, ".biz");
    EXPECT_EQ(client.HostName(), WhoisServerBiz);
    EXPECT_EQ(client.HostIPAddress(), "");
    EXPECT_EQ(client.Port, 43);

    const TWhoisServerTable loopback{{".biz", {"127.0.0.1", 4343}}};
    SelectWhoisServer(client, loopback, ".biz");
    EXPECT_EQ(client.HostName(), "127.0.0.1");
    EXPECT_EQ(client.Port, 4343);
    SelectWhoisServer(client, loopback, ".com");
    SelectWhoisServer(client, defaults, "");
    EXPECT_EQ(client.HostName(), "127.0.0.1");
    EXPECT_EQ(client.Port, 4343);
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
