// The WHOIS client against scripted loopback servers: what goes on the wire, how replies
// are joined and cut, the ten exchanges, the error texts, the events and the bounds.
#include "UnansweredListener.h"
#include "WhoisClient.h"
#include "WhoisTestServer.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <chrono>
#include <string>
#include <vector>

using namespace std::string_literals;
using Clock = std::chrono::steady_clock;
using TScript = TWhoisTestServer::TScript;

namespace {

// A loopback port nobody listens on: bound once to learn a free number, then released.
uint16_t ClosedPort()
{
    TSocketHandle probe(::socket(AF_INET, SOCK_STREAM, 0));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(probe.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    ::getsockname(probe.Get(), reinterpret_cast<sockaddr*>(&address), &length);
    return ntohs(address.sin_port);
}

TWhoisClient ClientFor(uint16_t port, std::string request = "example.com")
{
    TWhoisClient client;
    client.SetHostName("127.0.0.1");
    client.Port = port;
    client.Request = std::move(request);
    return client;
}

std::string QueryOnce(TWhoisClient& client)
{
    std::string answer = "stale";
    client.Query(answer);
    return answer;
}

} // namespace

TEST(WhoisClient, SendsTheRequestAndOneLineFeedWhateverItsLength)
{
    for (const std::string& request :
         {""s, "example.com"s, std::string(47, 'a') + ".com", std::string(4000, 'b')}) {
        TWhoisTestServer server({TWhoisTestServer::Answer("reply")});
        auto client = ClientFor(server.Port(), request);
        EXPECT_EQ(QueryOnce(client), "reply");
        ASSERT_EQ(server.Connections(), 1);
        EXPECT_EQ(server.Received().front(), request + "\n") << "request of " << request.size() << " bytes";
        EXPECT_EQ(client.Request, request);
    }
}

TEST(WhoisClient, JoinsChunksAndCutsEachChunkAtItsFirstZeroByte)
{
    struct TCase
    {
        const char* what;
        std::vector<std::string> chunks;
        std::string expected;
    };
    const std::string first(600, 'a'), second(700, 'b');
    const std::vector<TCase> cases{
        {"whole reply at once", {"Domain Name: EXAMPLE.COM\r\n"}, "Domain Name: EXAMPLE.COM\r\n"},
        {"chunks over 500 bytes joined in order", {first, second, "end"}, first + second + "end"},
        {"zero byte drops the rest of its chunk only", {"abc\0def"s, "ghi"}, "abcghi"},
        {"chunk starting with zero adds nothing", {"\0xyz"s, "tail"}, "tail"},
    };
    for (const auto& c : cases) {
        TWhoisTestServer server({TWhoisTestServer::Chunked(c.chunks, 40)});
        auto client = ClientFor(server.Port());
        EXPECT_EQ(QueryOnce(client), c.expected) << c.what;
        EXPECT_EQ(server.Connections(), 1) << c.what;
    }
}

TEST(WhoisClient, RetriesAnEmptyExchangeAndStopsAtTheFirstText)
{
    TWhoisTestServer server({TWhoisTestServer::CloseAtOnce(), TWhoisTestServer::CloseAtOnce(),
                             TWhoisTestServer::Answer("third time")});
    auto client = ClientFor(server.Port());
    EXPECT_EQ(QueryOnce(client), "third time");
    EXPECT_EQ(server.Connections(), 3);
}

TEST(WhoisClient, TenEmptyExchangesLeaveTheAnswerEmptyWithoutErrorText)
{
    const std::vector<std::pair<const char*, TScript>> cases{
        {"server closes at once", TWhoisTestServer::CloseAtOnce()},
        {"server stays silent", TWhoisTestServer::Silent()},
        {"server sends only zero bytes", TWhoisTestServer::Chunked({"\0\0\0"s})},
    };
    for (const auto& [what, script] : cases) {
        TWhoisTestServer server({script});
        auto client = ClientFor(server.Port());
        client.ReceiveWaitMs = 100;
        EXPECT_EQ(QueryOnce(client), "") << what;
        EXPECT_EQ(server.Connections(), 10) << what;
    }
}

// A failure after a connection is tried ten times, as ever; a server that cannot be reached is not
// (ten connect time-outs made an outage cost minutes per name).
TEST(WhoisClient, FailuresBecomeTheErrorTextAndOnlyAReachableServerIsAskedTenTimes)
{
    TWhoisTestServer resetting({TWhoisTestServer::Reset()});
    const struct
    {
        const char* what;
        std::string host;
        uint16_t port;
        std::string expected;
        TQueryResult result;
        int connects;
    } cases[] = {
        {"nobody listens", "127.0.0.1", ClosedPort(), "Error WSAECONNREFUSED", TQueryResult::Unreachable, 1},
        {"server resets", "127.0.0.1", resetting.Port(), "Error WSAECONNRESET", TQueryResult::Failed, 10},
        {"no host at all", "", 43, "Error WSAHOST_NOT_FOUND", TQueryResult::Unreachable, 0},
    };
    for (const auto& c : cases) {
        auto client = ClientFor(c.port);
        client.SetHostName(c.host);
        int connects = 0;
        client.BeforeConnect = [&connects](TWhoisClient&) { ++connects; };
        std::string answer = "stale";
        EXPECT_EQ(client.Query(answer), c.result) << c.what;
        EXPECT_EQ(answer, c.expected) << c.what;
        EXPECT_EQ(connects, c.connects) << c.what;
    }
    EXPECT_EQ(resetting.Connections(), 10);
}

TEST(WhoisClient, AResetAfterPartOfAnAnswerLeavesNoAnswer)
{
    // The first connection sends part of its answer and then resets; the second answers whole.
    TWhoisTestServer server({{TWhoisTestServer::TBehaviour::PartThenReset, {"part of it"}, 0},
                             TWhoisTestServer::Answer("whole")});
    auto client = ClientFor(server.Port());
    std::string answer;
    EXPECT_EQ(client.Query(answer), TQueryResult::Answered);
    EXPECT_EQ(answer, "whole") << "the part before the reset is not taken for the answer";
    EXPECT_EQ(server.Connections(), 2);
}

TEST(WhoisClient, ADrippingServerIsCutAtTheDeadlineAsAFailure)
{
    std::vector<std::string> drops(40, "x");
    TWhoisTestServer server({TWhoisTestServer::Chunked(drops, 100)});
    auto client = ClientFor(server.Port());
    client.ExchangeDeadlineMs = 700;
    const auto start = Clock::now();
    std::string answer;
    EXPECT_EQ(client.Query(answer), TQueryResult::Failed);
    EXPECT_EQ(answer, "Error WSAETIMEDOUT");
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(1500)) << "one exchange, not ten";
    EXPECT_EQ(server.Connections(), 1);
}

TEST(WhoisClient, ExchangesWithOneServerKeepTheirSpacing)
{
    TWhoisTestServer server({TWhoisTestServer::CloseAtOnce()});
    auto client = ClientFor(server.Port());
    client.SpacingMs = 40;
    std::vector<Clock::time_point> connects;
    client.BeforeConnect = [&connects](TWhoisClient&) { connects.push_back(Clock::now()); };
    int idles = 0;
    client.OnIdle = [&idles] { ++idles; };
    EXPECT_EQ(QueryOnce(client), "");
    ASSERT_EQ(connects.size(), 10u);
    for (std::size_t i = 1; i < connects.size(); ++i)
        EXPECT_GE(connects[i] - connects[i - 1], std::chrono::milliseconds(39)) << i;
    EXPECT_GT(idles, 0) << "the window runs its messages while the client waits its turn";
}

TEST(WhoisClient, AHostNameIsResolvedAndEachAddressTried)
{
    // "localhost" comes from the hosts file, and may give ::1 before 127.0.0.1; the server listens
    // on 127.0.0.1 only.
    TWhoisTestServer server({TWhoisTestServer::Answer("reply")});
    auto client = ClientFor(server.Port());
    client.SetHostName("localhost");
    EXPECT_EQ(QueryOnce(client), "reply");
}

TEST(WhoisClient, RaisesTheSixEventsInOrderAndOnlyConnectEventsOnFailure)
{
    const auto run = [](uint16_t port, std::vector<std::string>& log) {
        auto client = ClientFor(port, "abc.com");
        auto before = [&log](const char* name) {
            return [&log, name](TWhoisClient&) { log.push_back(name); };
        };
        auto after = [&log](const char* name) {
            return [&log, name](TWhoisClient&, bool ok, int32_t number) {
                log.push_back(std::string(name) + (ok ? " ok " : " failed ") + std::to_string(number));
            };
        };
        client.BeforeResolvingName = before("BeforeResolvingName");
        client.AfterResolvingName = after("AfterResolvingName");
        client.BeforeConnect = before("BeforeConnect");
        client.AfterConnect = after("AfterConnect");
        client.BeforeSendInformation = before("BeforeSendInformation");
        client.AfterSendInformation = after("AfterSendInformation");
        client.BeforeReciveInformation = before("BeforeReciveInformation");
        client.AfterReciveInformation = after("AfterReciveInformation");
        QueryOnce(client);
    };

    TWhoisTestServer answering({TWhoisTestServer::Answer("reply")});
    std::vector<std::string> success;
    run(answering.Port(), success);
    EXPECT_EQ(success, (std::vector<std::string>{"BeforeConnect", "AfterConnect ok 0",
                                                 "BeforeSendInformation", "AfterSendInformation ok 8",
                                                 "BeforeReciveInformation", "AfterReciveInformation ok 8"}));

    TWhoisTestServer resetting({TWhoisTestServer::Reset()});
    std::vector<std::string> reset;
    run(resetting.Port(), reset);
    ASSERT_EQ(reset.size(), 60u);
    EXPECT_EQ(reset[5], "AfterReciveInformation failed 54");

    std::vector<std::string> refused;
    run(ClosedPort(), refused);
    EXPECT_EQ(refused, (std::vector<std::string>{"BeforeConnect", "AfterConnect failed -1"}));
}

TEST(WhoisClient, HostNameAndHostIPAddressClearEachOtherAndTheLastSetIsUsed)
{
    // The server listens on 127.0.0.1 only, so 127.0.0.2 refuses.
    TWhoisTestServer server({TWhoisTestServer::Answer("reply")});
    auto client = ClientFor(server.Port());

    client.SetHostName("127.0.0.2");
    client.SetHostIPAddress("127.0.0.1");
    EXPECT_EQ(client.HostName(), "");
    EXPECT_EQ(client.HostIPAddress(), "127.0.0.1");
    EXPECT_EQ(QueryOnce(client), "reply");

    client.SetHostIPAddress("127.0.0.2");
    client.SetHostName("127.0.0.1");
    EXPECT_EQ(client.HostIPAddress(), "");
    EXPECT_EQ(client.HostName(), "127.0.0.1");
    EXPECT_EQ(QueryOnce(client), "reply");
    EXPECT_EQ(client.HostName(), "127.0.0.1");
}

TEST(WhoisClient, AnEndlessStreamEndsTheExchangeAtOneMebibyte)
{
    TWhoisTestServer server({TWhoisTestServer::Flood(std::string(4096, 'x'))});
    auto client = ClientFor(server.Port());
    const std::string answer = QueryOnce(client);
    EXPECT_EQ(answer.size(), TWhoisClient::MaxAnswerBytes);
    EXPECT_EQ(answer.find_first_not_of('x'), std::string::npos);
    EXPECT_EQ(server.Connections(), 1);

    // Zero bytes add nothing to the answer, so the bound must count what was received.
    TWhoisTestServer zeros({TWhoisTestServer::Flood(std::string(4096, '\0'))});
    auto zeroClient = ClientFor(zeros.Port());
    EXPECT_EQ(QueryOnce(zeroClient), "");
    EXPECT_EQ(zeros.Connections(), 10);
}

TEST(WhoisClient, ASilentServerIsGivenUpAfterThreeSeconds)
{
    TWhoisTestServer server({TWhoisTestServer::Silent(), TWhoisTestServer::Answer("second")});
    auto client = ClientFor(server.Port());
    const auto start = Clock::now();
    EXPECT_EQ(QueryOnce(client), "second");
    const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    EXPECT_GE(waited, 2900);
    EXPECT_LT(waited, 6000);
}

TEST(WhoisClient, AConnectThatGetsNoAnswerTimesOut)
{
    TUnansweredListener unanswered;
    auto client = ClientFor(unanswered.Port());
    client.ConnectTimeoutMs = 100;
    const auto start = Clock::now();
    EXPECT_EQ(QueryOnce(client), "Error WSAETIMEDOUT");
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(5));
}

// A stop must not wait for a server that hangs: neither for its silence nor for a connect that
// never completes (with no time-out of the client's own), nor for the ten repeated exchanges.
TEST(WhoisClient, AnAbortEndsTheQueryWithinASliceAndLeavesNoAnswer)
{
    TWhoisTestServer silent({TWhoisTestServer::Silent()});
    TWhoisTestServer partial({TWhoisTestServer::Chunked({"part of it", "rest"}, 5000)});
    TUnansweredListener unanswered;
    const struct
    {
        const char* what;
        uint16_t port;
    } cases[] = {{"silent server", silent.Port()},
                 {"answer cut off", partial.Port()},
                 {"connect never completes", unanswered.Port()}};
    for (const auto& c : cases) {
        auto client = ClientFor(c.port);
        client.ConnectTimeoutMs = 0;
        const auto start = Clock::now();
        client.Aborted = [start] { return Clock::now() - start > std::chrono::milliseconds(300); };
        EXPECT_EQ(QueryOnce(client), "") << c.what;
        const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
        EXPECT_GE(took, 300) << c.what;
        EXPECT_LT(took, 1000) << c.what;
    }
    EXPECT_EQ(silent.Connections(), 1) << "no exchange is repeated after an abort";
}

TEST(WhoisClient, TheIdleCallbackRunsThroughoutAWait)
{
    TWhoisTestServer server({TWhoisTestServer::Silent(), TWhoisTestServer::Answer("late")});
    auto client = ClientFor(server.Port());
    client.ReceiveWaitMs = 400;
    std::vector<Clock::time_point> calls;
    client.OnIdle = [&calls] { calls.push_back(Clock::now()); };
    EXPECT_EQ(QueryOnce(client), "late");
    ASSERT_GE(calls.size(), 6u);
    for (std::size_t i = 1; i < calls.size(); ++i)
        EXPECT_LT(calls[i] - calls[i - 1], std::chrono::milliseconds(200));
}
