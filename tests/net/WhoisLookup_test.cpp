// A name's question to its registry: WHOIS first, RDAP where WHOIS has no data or fails, a limit
// waited out, a registry that keeps refusing given up for the run, a server that cannot be reached
// left alone for a minute.
#include "HttpTestServer.h"
#include "UnansweredListener.h"
#include "WhoisClient.h"
#include "WhoisLookup.h"
#include "WhoisTestServer.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;
const std::string Quota =
    "Error for \"x.co.uk\".\r\n\r\nthe WHOIS query quota for 127.0.0.1 has been exceeded\r\n"
    "and will be replenished in %.3f seconds\r\n";

std::string Free(const std::string& asked)
{
    return "No match for \"" + asked + "\".\r\n";
}

TWhoisServerTable Table(uint16_t whoisPort, std::string rdapBase = {}, std::string host = "127.0.0.1")
{
    return {{".co.uk", {std::move(host), whoisPort, 0, std::move(rdapBase)}}};
}

struct WhoisLookup : testing::Test
{
    TWhoisClient Client;
    std::vector<std::string> Statuses;

    TWhoisLookup Make(TWhoisServerTable table)
    {
        TWhoisLookup lookup(Client, std::move(table));
        lookup.OnStatus = [this](const std::string& text) { Statuses.push_back(text); };
        return lookup;
    }
};

TEST_F(WhoisLookup, ALimitedNameIsAskedAgainAfterTheServersWaitAndSettles)
{
    TWhoisTestServer server({TWhoisTestServer::Answer(Free("x.co.uk"))});
    server.LimitRate(20, 2, Quota);
    TWhoisLookup lookup = Make(Table(server.Port()));
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(lookup.Check("x", ".co.uk").Verdict.Kind, TVerdictKind::Free) << i;
    EXPECT_GT(server.Refusals(), 0);
    EXPECT_EQ(server.Connections(), 6 + server.Refusals());
    ASSERT_FALSE(Statuses.empty());
    EXPECT_EQ(Statuses[0], "Waiting 1 s for the registry's limit\u2026");
    EXPECT_EQ(Statuses[1], "") << "the status is given back after the wait";
}

TEST_F(WhoisLookup, ARegistryThatKeepsRefusingIsGivenUpForTheRun)
{
    const struct
    {
        const char* what;
        const char* refusal;
        int asked;
    } cases[] = {
        {"five limit answers",
         "and will be replenished in 0.01 seconds\r\nthe WHOIS query quota for x has been exceeded", 5},
        {"a wait of more than five minutes",
         "the WHOIS query quota for x has been exceeded\r\nand will be replenished in 400 seconds", 1},
    };
    for (const auto& c : cases) {
        TWhoisTestServer server({TWhoisTestServer::Answer(c.refusal)});
        TWhoisLookup lookup = Make(Table(server.Port()));
        const TCheckResult first = lookup.Check("first", ".co.uk");
        EXPECT_EQ(first.Verdict.Kind, TVerdictKind::NotAnswered) << c.what;
        EXPECT_EQ(first.Verdict.Reason, TNoAnswer::Limited) << c.what;
        EXPECT_NE(first.Refusal.find("127.0.0.1 refused"), std::string::npos) << first.Refusal;
        EXPECT_EQ(server.Connections(), c.asked) << c.what;

        const TCheckResult second = lookup.Check("second", ".co.uk");
        EXPECT_EQ(second.Verdict.Reason, TNoAnswer::Limited) << c.what;
        EXPECT_TRUE(second.Refusal.empty()) << "said once";
        EXPECT_EQ(server.Connections(), c.asked) << c.what << ": the rest of the run is not asked";

        lookup.BeginRun();
        lookup.Check("third", ".co.uk");
        EXPECT_GT(server.Connections(), c.asked) << c.what << ": the next run asks again";
    }
}

TEST_F(WhoisLookup, AStopEndsTheWaitForALimit)
{
    TWhoisTestServer server(
        {TWhoisTestServer::Answer("WHOIS LIMIT EXCEEDED - SEE WWW.PIR.ORG/WHOIS FOR DETAILS\n")});
    TWhoisLookup lookup = Make(Table(server.Port()));
    const auto start = Clock::now();
    Client.Aborted = [start] { return Clock::now() - start > std::chrono::milliseconds(300); };
    const TCheckResult result = lookup.Check("x", ".co.uk");
    EXPECT_EQ(result.Verdict.Reason, TNoAnswer::Stopped);
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(1000)) << "not the 2 s of the first back-off";
}

TEST_F(WhoisLookup, RdapAnswersWhereWhoisHasNoDataOrFails)
{
    THttpTestServer rdap({THttpTestServer::Reply(404),
                          THttpTestServer::Reply(200, R"({"objectClassName":"domain"})"),
                          THttpTestServer::Reply(500)});
    TWhoisTestServer unsupported({TWhoisTestServer::Answer("TLD is not supported.\n")});
    TWhoisTestServer silent({TWhoisTestServer::CloseAtOnce()});
    Client.ReceiveWaitMs = 100;
    const struct
    {
        const char* what;
        uint16_t port;
        TVerdictKind kind;
    } cases[] = {
        {"no data for the suffix, RDAP 404", unsupported.Port(), TVerdictKind::Free},
        {"no answer, RDAP 200", silent.Port(), TVerdictKind::Taken},
        {"no answer, RDAP 500", silent.Port(), TVerdictKind::NotAnswered},
    };
    for (const auto& c : cases) {
        TWhoisLookup lookup = Make(Table(c.port, rdap.Base() + "rdap/"));
        EXPECT_EQ(lookup.Check("a", ".co.uk").Verdict.Kind, c.kind) << c.what;
    }
    EXPECT_EQ(rdap.Requests().size(), 3u);

    TWhoisTestServer free({TWhoisTestServer::Answer(Free("b.co.uk"))});
    TWhoisLookup answered = Make(Table(free.Port(), rdap.Base()));
    EXPECT_EQ(answered.Check("b", ".co.uk").Verdict.Kind, TVerdictKind::Free);
    EXPECT_EQ(rdap.Requests().size(), 3u) << "a WHOIS verdict is not asked again over RDAP";

    THttpTestServer rdapOnly({THttpTestServer::Reply(404)});
    TWhoisLookup info = Make(Table(0, rdapOnly.Base(), ""));
    EXPECT_EQ(info.Check("d", ".co.uk").Verdict.Kind, TVerdictKind::Free) << "no WHOIS host: RDAP alone";
}

TEST_F(WhoisLookup, AServerThatCannotBeReachedIsLeftAloneForAMinute)
{
    TUnansweredListener unanswered;
    THttpTestServer rdap({THttpTestServer::Reply(404)});
    Client.ConnectTimeoutMs = 200;
    int connects = 0;
    Client.BeforeConnect = [&connects](TWhoisClient&) { ++connects; };

    TWhoisLookup alone = Make(Table(unanswered.Port()));
    const auto start = Clock::now();
    EXPECT_EQ(alone.Check("a", ".co.uk").Verdict.Kind, TVerdictKind::NotAnswered);
    EXPECT_EQ(alone.Check("b", ".co.uk").Verdict.Kind, TVerdictKind::NotAnswered);
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(600)) << "one time-out, not ten, not two";
    EXPECT_EQ(connects, 1);

    TWhoisLookup withRdap = Make(Table(unanswered.Port(), rdap.Base()));
    EXPECT_EQ(withRdap.Check("c", ".co.uk").Verdict.Kind, TVerdictKind::Free) << "RDAP stands in";
}

} // namespace

namespace {

TEST_F(WhoisLookup, MoreInfoAsksTheRegistrarTheRegistryNamesAndFallsBackToTheRegistry)
{
    TWhoisTestServer registrar(
        {TWhoisTestServer::Answer("Terms\nRegistrant Name: Jo\nRegistrant Organization: Co\n"),
         TWhoisTestServer::Answer("short")});
    const std::string registryAnswer =
        "   Domain Name: EXAMPLE.COM\r\n   Registrar WHOIS Server: 127.0.0.1:" +
        std::to_string(registrar.Port()) + "\r\n";
    TWhoisTestServer registry({TWhoisTestServer::Answer(registryAnswer)});
    TWhoisLookup lookup =
        Make({{".com", {"127.0.0.1", registry.Port(), 0, ""}}, {".biz", {"10.0.0.1", 43, 0, ""}}});

    TWhoisLookup::TDetails details = lookup.MoreInfo("example.com", ".biz");
    EXPECT_EQ(details.Answer, "Organization: Co\n");
    EXPECT_TRUE(details.Enough);
    EXPECT_EQ(registry.Received(), std::vector<std::string>{"example.com\n"});
    EXPECT_EQ(registrar.Received(), std::vector<std::string>{"example.com\n"});
    EXPECT_EQ(Client.HostName(), "10.0.0.1") << "the current suffix's server again";

    details = lookup.MoreInfo("example.com", ".biz");
    EXPECT_EQ(details.Answer, registryAnswer) << "a short registrar answer: the registry's, whole";
    EXPECT_TRUE(details.Enough);
    EXPECT_EQ(Client.HostName(), "10.0.0.1");
}

TEST_F(WhoisLookup, MoreInfoWithoutAnswersIsNotEnoughAndAStopLeavesNothing)
{
    TWhoisTestServer silent({TWhoisTestServer::CloseAtOnce()});
    Client.ReceiveWaitMs = 50;
    TWhoisLookup lookup = Make({{".org", {"127.0.0.1", silent.Port(), 0, ""}}});
    TWhoisLookup::TDetails details = lookup.MoreInfo("example.org", ".org");
    EXPECT_FALSE(details.Enough);
    EXPECT_EQ(details.Answer, "");
    EXPECT_FALSE(details.Stopped);

    Client.Aborted = [] { return true; };
    details = lookup.MoreInfo("example.org", ".org");
    EXPECT_TRUE(details.Stopped);
}

} // namespace
