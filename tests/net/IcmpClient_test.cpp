// The echo client: the request's bytes, decoding replies, telling ours from other traffic, the
// time-out, and a live ping of 127.0.0.1 where this process may open an ICMP socket.
#include "IcmpClient.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <deque>

namespace {

using TBytes = std::vector<uint8_t>;

// An IPv4 datagram from 10.1.2.3 with TTL 52 around an ICMP message.
TBytes Datagram(TBytes icmp, uint8_t ttl = 52)
{
    TBytes datagram{0x45, 0, 0, 0, 0, 0, 0, 0, ttl, 1, 0, 0, 10, 1, 2, 3, 127, 0, 0, 1};
    datagram.insert(datagram.end(), icmp.begin(), icmp.end());
    return datagram;
}

TBytes Message(uint8_t type, uint16_t identifier, uint16_t sequence, uint32_t tick)
{
    const TEchoRequest request = BuildEchoRequest(sequence, identifier, tick);
    TBytes message(request.begin(), request.end());
    message[0] = type;
    return message;
}

TEST(IcmpClient, TheRequestCarriesItsFieldsLittleEndianAndAChecksumThatFolds)
{
    const TEchoRequest request = BuildEchoRequest(0x0102, 0x0304, 0x05060708);
    const TBytes head(request.begin(), request.begin() + 20);
    EXPECT_EQ(head, (TBytes{8,    0,    0x8f, 0x9b, 0x04, 0x03, 0x02, 0x01, 0x08, 0x07,
                            0x06, 0x05, 0,    0,    0,    0,    0,    0,    0,    0}));
    for (std::size_t i = 20; i < request.size(); ++i)
        EXPECT_EQ(request[i], 0x45) << i;
    for (const TEchoRequest& any :
         {request, BuildEchoRequest(0, 0, 0), BuildEchoRequest(0xffff, 0xffff, 0xffffffff)}) {
        uint32_t sum = 0;
        for (std::size_t i = 0; i < any.size(); i += 2)
            sum += uint32_t(any[i] | any[i + 1] << 8);
        while (sum >> 16)
            sum = (sum & 0xffff) + (sum >> 16);
        EXPECT_EQ(sum, 0xffffu) << "the Internet checksum of the whole message";
    }
}

TEST(IcmpClient, RepliesDecodeByTheirType)
{
    const TReplyStatus echo = DecodeReply(Datagram(Message(0, 7, 3, 1000)), 9, 1031);
    EXPECT_EQ(echo.ReplyBytes, 72);
    EXPECT_EQ(echo.ReplyFrom, "10.1.2.3");
    EXPECT_EQ(echo.ReplyType, 0);
    EXPECT_EQ(echo.ReplySeq, 3);
    EXPECT_EQ(echo.ReplyTimeMs, 31u);
    EXPECT_EQ(echo.ReplyTtl, 52);
    EXPECT_EQ(echo.ReplyKind, TReplyKind::rkEcho);
    EXPECT_EQ(ReplyLine(echo), "72 bytes from 10.1.2.3: icmp_seq=3 ttl=52 time=31 ms");

    EXPECT_EQ(DecodeReply(Datagram(Message(3, 7, 3, 0)), 0, 0).ReplyKind, TReplyKind::rkUnreachable);
    EXPECT_EQ(DecodeReply(Datagram(Message(11, 7, 3, 0)), 0, 0).ReplyKind, TReplyKind::rkTTLExceeded);
    EXPECT_EQ(DecodeReply(Datagram({3, 1, 0, 0, 0, 0, 0, 0}), 0, 5).ReplyTimeMs, 0u)
        << "an error message too short for a tick has none";

    const TReplyStatus timeOut = DecodeReply({}, 4, 123);
    EXPECT_EQ(timeOut.ReplyKind, TReplyKind::rkTimeOut);
    EXPECT_EQ(ReplyLine(timeOut), "0 bytes from 0.0.0.0: icmp_seq=4 ttl=0 time<1 ms");

    EXPECT_THROW(DecodeReply(Datagram({0, 0, 0}), 0, 0), EIcmpException);
    try {
        DecodeReply(Datagram(Message(5, 7, 3, 0)), 0, 0);
        FAIL();
    } catch (const EIcmpException& e) {
        EXPECT_STREQ(e.what(), "Non-echo type response received");
    }
    // The second datagram's header-length field says 4 bytes (found by fuzzing): its sender's
    // address used to be read past the end of its 12 bytes.
    for (const TBytes& datagram : {Datagram({0, 0}), TBytes{0x41, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}}) {
        try {
            DecodeReply(datagram, 0, 0);
            FAIL();
        } catch (const EIcmpException& e) {
            EXPECT_STREQ(e.what(), "Not enough bytes received");
        }
    }
}

TEST(IcmpClient, OnlyTheAnswerToThisRequestCounts)
{
    TBytes quoted = Datagram(Message(8, 7, 3, 0));
    TBytes unreachable = Datagram({3, 1, 0, 0, 0, 0, 0, 0});
    unreachable.insert(unreachable.end(), quoted.begin(), quoted.begin() + 28);
    const struct
    {
        const char* what;
        TBytes datagram;
        bool answers;
    } cases[] = {
        {"our echo reply", Datagram(Message(0, 7, 3, 0)), true},
        {"our own request, seen on loopback", Datagram(Message(8, 7, 3, 0)), false},
        {"another program's reply", Datagram(Message(0, 8, 3, 0)), false},
        {"a reply to an earlier request", Datagram(Message(0, 7, 2, 0)), false},
        {"unreachable, quoting our request", unreachable, true},
        {"too short", Datagram({0, 0}), false},
        {"nothing", {}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AnswersRequest(c.datagram, 7, 3), c.answers) << c.what;
}

// Answers each request with the datagrams the test lines up, then with nothing.
class TScriptedTransport : public TIcmpTransport
{
  public:
    std::deque<std::function<TBytes(const TEchoRequest&)>> Replies;
    std::vector<TEchoRequest> Sent;
    int Opened = 0, Closed = 0;

    uint32_t Resolve(const std::string&, const std::function<void()>&) override { return 0x0100007f; }
    void Open(int ttl) override
    {
        EXPECT_EQ(ttl, 128);
        ++Opened;
    }
    uint16_t Identifier(uint16_t process) const override { return process; }
    void Send(const TEchoRequest& request, uint32_t, int) override { Sent.push_back(request); }
    std::optional<TBytes> Receive(int waitMs) override
    {
        if (Replies.empty()) {
            usleep(useconds_t(waitMs) * 1000);
            return std::nullopt;
        }
        TBytes datagram = Replies.front()(Sent.back());
        Replies.pop_front();
        return datagram;
    }
    void Close() override { ++Closed; }
};

TEST(IcmpClient, APingWaitsForItsOwnReplyAndTheCounterRunsOn)
{
    auto transport = std::make_unique<TScriptedTransport>();
    TScriptedTransport& script = *transport;
    TIcmpClient client(std::move(transport));
    std::vector<TReplyStatus> replies;
    client.OnReply = [&replies](TIcmpClient&, const TReplyStatus& status) { replies.push_back(status); };
    const auto echo = [](uint8_t type, int identifierShift) {
        return [type, identifierShift](const TEchoRequest& request) {
            TBytes message(request.begin(), request.end());
            message[0] = type;
            message[4] = uint8_t(message[4] + identifierShift);
            return Datagram(message);
        };
    };
    script.Replies = {echo(8, 0), echo(0, 1), echo(0, 0)};
    client.Host = "localhost";
    client.Ping();
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].ReplyKind, TReplyKind::rkEcho);
    EXPECT_EQ(replies[0].ReplyType, 0);
    EXPECT_EQ(replies[0].ReplySeq, 0);
    EXPECT_EQ(script.Closed, 1);

    int idles = 0;
    client.OnIdle = [&idles] { ++idles; };
    client.ReceiveTimeout = 600;
    const auto start = std::chrono::steady_clock::now();
    client.Ping();
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(590));
    ASSERT_EQ(replies.size(), 2u);
    EXPECT_EQ(replies[1].ReplyKind, TReplyKind::rkTimeOut);
    EXPECT_EQ(replies[1].ReplySeq, 2) << "a time-out shows the counter, one past its request";
    EXPECT_GE(idles, 2);
    ASSERT_EQ(script.Sent.size(), 2u);
    EXPECT_EQ(script.Sent[1][6], 1) << "the second request has the next sequence number";
    EXPECT_EQ(script.Closed, 2);
}

TEST(IcmpClient, AnUnknownHostIsSocketError11001)
{
    TIcmpClient client;
    client.Host = "";
    try {
        client.Ping();
        FAIL();
    } catch (const ESocketError& error) {
        EXPECT_STREQ(error.what(), "Socket Error # 11001\r\n");
    }
}

TEST(IcmpClient, PingsLoopbackForReal)
{
    TIcmpClient client;
    client.Host = "127.0.0.1";
    client.ReceiveTimeout = 2000;
    std::vector<TReplyStatus> replies;
    client.OnReply = [&replies](TIcmpClient&, const TReplyStatus& status) { replies.push_back(status); };
    try {
        client.Ping();
        client.Ping();
    } catch (const ESocketError& error) {
        if (std::string(error.what()) == "Socket Error # 10013\r\nAccess denied.")
            GTEST_SKIP() << "this process may open no ICMP socket (neither raw nor datagram)";
        throw;
    }
    ASSERT_EQ(replies.size(), 2u);
    for (std::size_t i = 0; i < replies.size(); ++i) {
        EXPECT_EQ(replies[i].ReplyKind, TReplyKind::rkEcho);
        EXPECT_EQ(replies[i].ReplyType, 0) << "our own request is not taken for the reply";
        EXPECT_EQ(replies[i].ReplyFrom, "127.0.0.1");
        EXPECT_EQ(replies[i].ReplySeq, i);
        EXPECT_EQ(replies[i].ReplyBytes, 72);
        EXPECT_GT(replies[i].ReplyTtl, 0);
    }
}

} // namespace
