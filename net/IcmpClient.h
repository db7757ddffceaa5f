// TIcmpClient: ICMP echo (RFC 792), one request and one reply per Ping, synchronous on the calling
// thread with the window's messages running while it waits. The request is the program's own
// 52-byte message; replies are decoded into TReplyStatus. How datagrams reach the wire is a
// transport given to the client when it is made: a raw ICMP socket where the process may open one,
// otherwise an unprivileged ICMP datagram socket.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

enum class TReplyKind
{
    rkEcho,
    rkError,
    rkTimeOut,
    rkUnreachable,
    rkTTLExceeded,
};

struct TReplyStatus
{
    int32_t ReplyBytes = 0; // the datagram's bytes, IP header included
    std::string ReplyFrom;  // dotted decimal
    uint8_t ReplyType = 0;
    uint16_t ReplySeq = 0;
    uint32_t ReplyTimeMs = 0;
    uint8_t ReplyTtl = 0;
    TReplyKind ReplyKind = TReplyKind::rkEcho;
};

// A reply that is no reply to an echo request.
class EIcmpException : public std::runtime_error
{
  public:
    using std::runtime_error::runtime_error;
};

// A socket failure, as "Socket Error # N\r\n" and the number's description.
class ESocketError : public std::runtime_error
{
  public:
    explicit ESocketError(int32_t winsockError);
};

inline constexpr std::size_t EchoRequestSize = 52;
using TEchoRequest = std::array<uint8_t, EchoRequestSize>;

// Type 8, code 0, the Internet checksum, identifier, sequence and tick (little-endian, as the
// machine writes them), 8 zero bytes and 32 bytes of 0x45.
TEchoRequest BuildEchoRequest(uint16_t sequence, uint16_t identifier, uint32_t tick);

// Decodes a datagram that starts with its IPv4 header. An empty datagram is a time-out, whose
// sequence is counter. Throws EIcmpException for a datagram too short or of another type than echo,
// unreachable or TTL exceeded.
TReplyStatus DecodeReply(std::span<const uint8_t> datagram, uint16_t counter, uint32_t nowTick);

// "%d bytes from %s: icmp_seq=%d ttl=%d time=%d ms", or "time<1 ms" for a time of 0.
std::string ReplyLine(const TReplyStatus& status);

// Whether datagram (with its IPv4 header) answers the request of identifier and sequence: an echo
// reply carrying both, or an error message that quotes that request.
bool AnswersRequest(std::span<const uint8_t> datagram, uint16_t identifier, uint16_t sequence);

// How the echo client reaches the network.
class TIcmpTransport
{
  public:
    virtual ~TIcmpTransport() = default;
    // The IPv4 address of host in network order; throws ESocketError (11001 when not found).
    virtual uint32_t Resolve(const std::string& host, const std::function<void()>& onIdle) = 0;
    // Opens the socket with the given time-to-live; throws ESocketError.
    virtual void Open(int ttl) = 0;
    // The identifier the requests must carry: the process's, unless the socket imposes its own.
    virtual uint16_t Identifier(uint16_t processIdentifier) const = 0;
    // Sends the request; throws ESocketError, or the client's texts for a short send.
    virtual void Send(const TEchoRequest& request, uint32_t address, int port) = 0;
    // The next datagram, with its IPv4 header, within waitMs; none when the wait runs out.
    virtual std::optional<std::vector<uint8_t>> Receive(int waitMs) = 0;
    virtual void Close() = 0;
};

// Raw ICMP where allowed (root or CAP_NET_RAW), else an ICMP datagram socket.
std::unique_ptr<TIcmpTransport> SocketIcmpTransport();

class TIcmpClient
{
  public:
    using TOnReplyEvent = std::function<void(TIcmpClient& ASender, const TReplyStatus& AReplyStatus)>;
    static constexpr int TimeToLive = 128;
    static constexpr int IdleSliceMs = 250;

    explicit TIcmpClient(std::unique_ptr<TIcmpTransport> transport = SocketIcmpTransport());

    int32_t ReceiveTimeout = 5000;
    std::string Host;
    int32_t Port = 0;
    int32_t Protocol = 1;
    TOnReplyEvent OnReply;
    // Runs after each slice of a wait without data, so the window stays live.
    std::function<void()> OnIdle;

    // One echo request to Host and its reply, raised through OnReply.
    void Ping();

    const TReplyStatus& LastReply() const { return FLastReply; }
    uint16_t Counter() const { return FCounter; }

  private:
    std::unique_ptr<TIcmpTransport> FTransport;
    uint16_t FCounter = 0;
    TReplyStatus FLastReply;
};

// The milliseconds tick the requests carry.
uint32_t TickCount();
