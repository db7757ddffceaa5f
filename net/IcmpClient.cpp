#include "IcmpClient.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

#include "Resolver.h"
#include "SocketHandle.h"
#include "WinsockError.h"
#include "myutils.h"

namespace {
constexpr uint8_t EchoReply = 0, Unreachable = 3, EchoRequest = 8, TimeExceeded = 11;
constexpr std::size_t IcmpHeaderSize = 8;
// The least an IPv4 header can be: what its header-length field counts beyond it are options.
constexpr std::size_t IpHeaderSize = 20;
constexpr std::size_t MaxDatagram = 1024;
constexpr uint8_t Filler = 0x45;
constexpr int32_t HostNotFound = 11001;

uint16_t Read16(std::span<const uint8_t> bytes, std::size_t at)
{
    return uint16_t(bytes[at] | bytes[at + 1] << 8);
}

uint32_t Read32(std::span<const uint8_t> bytes, std::size_t at)
{
    return uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 | uint32_t(bytes[at + 2]) << 16 |
           uint32_t(bytes[at + 3]) << 24;
}

void Write16(TEchoRequest& bytes, std::size_t at, uint16_t value)
{
    bytes[at] = uint8_t(value);
    bytes[at + 1] = uint8_t(value >> 8);
}

std::size_t HeaderLength(std::span<const uint8_t> datagram)
{
    return std::size_t(datagram[0] & 0x0f) * 4;
}

// The short descriptions the error box gives under the number; a number without one leaves the
// second line empty.
std::string Description(int32_t winsockError)
{
    switch (winsockError) {
    case 10013:
        return "Access denied.";
    case 10040:
        return "Message too long.";
    case 10049:
        return "Cannot assign requested address.";
    case 10050:
        return "Network is down.";
    case 10051:
        return "Network is unreachable.";
    case 10055:
        return "No buffer space available.";
    case 10060:
        return "Connection timed out.";
    case 10061:
        return "Connection refused.";
    case 10065:
        return "No route to host.";
    default:
        return {};
    }
}

[[noreturn]] void ThrowSocketError(int error)
{
    throw ESocketError(WinsockErrorFromErrno(error));
}

// A raw ICMP socket delivers whole IPv4 datagrams, every ICMP datagram of the machine included; an
// ICMP datagram socket delivers only the ICMP message of replies to its own requests, with the
// time-to-live on the side. Either way the client gets datagrams that begin with an IPv4 header.
class TSocketTransport : public TIcmpTransport
{
  public:
    uint32_t Resolve(const std::string& host, const std::function<void()>& onIdle) override
    {
        std::string name = host;
        if (EqualNoCase(name, "localhost"))
            name = "127.0.0.1";
        std::vector<TSocketAddress> addresses;
        if (FResolver.Resolve(name, 0, addresses, onIdle, nullptr) == TResolver::TStatus::Resolved)
            for (const TSocketAddress& address : addresses)
                if (address.Address.ss_family == AF_INET)
                    return reinterpret_cast<const sockaddr_in&>(address.Address).sin_addr.s_addr;
        throw ESocketError(HostNotFound);
    }

    void Open(int ttl) override
    {
        FSocket = TSocketHandle(::socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP));
        FRaw = FSocket.Valid();
        if (!FRaw) {
            FSocket = TSocketHandle(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP));
            const int yes = 1;
            sockaddr_in any{};
            any.sin_family = AF_INET;
            if (!FSocket.Valid() ||
                ::setsockopt(FSocket.Get(), IPPROTO_IP, IP_RECVTTL, &yes, sizeof yes) != 0 ||
                ::bind(FSocket.Get(), reinterpret_cast<sockaddr*>(&any), sizeof any) != 0)
                throw ESocketError(10013);
        }
        if (::setsockopt(FSocket.Get(), IPPROTO_IP, IP_TTL, &ttl, sizeof ttl) != 0)
            ThrowSocketError(errno);
    }

    uint16_t Identifier(uint16_t processIdentifier) const override
    {
        if (FRaw)
            return processIdentifier;
        // The kernel writes the socket's own identifier into every request, in network order.
        sockaddr_in bound{};
        socklen_t length = sizeof bound;
        ::getsockname(FSocket.Get(), reinterpret_cast<sockaddr*>(&bound), &length);
        uint16_t asRead = 0;
        std::memcpy(&asRead, &bound.sin_port, sizeof asRead);
        return le16toh(asRead);
    }

    void Send(const TEchoRequest& request, uint32_t address, int port) override
    {
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_addr.s_addr = address;
        to.sin_port = htons(uint16_t(port));
        const ssize_t sent = ::sendto(FSocket.Get(), request.data(), request.size(), 0,
                                      reinterpret_cast<const sockaddr*>(&to), sizeof to);
        if (sent < 0 && errno == EMSGSIZE)
            throw std::runtime_error("Package Size Too Big.");
        if (sent < 0)
            ThrowSocketError(errno);
        if (std::size_t(sent) < request.size())
            throw std::runtime_error("Not all bytes sent.");
    }

    std::optional<std::vector<uint8_t>> Receive(int waitMs) override
    {
        pollfd entry{FSocket.Get(), POLLIN, 0};
        const int ready = ::poll(&entry, 1, waitMs);
        if (ready < 0 && errno != EINTR)
            ThrowSocketError(errno);
        if (ready <= 0)
            return std::nullopt;
        std::vector<uint8_t> buffer(MaxDatagram);
        sockaddr_in from{};
        alignas(cmsghdr) char control[64];
        iovec part{buffer.data(), buffer.size()};
        msghdr message{};
        message.msg_name = &from;
        message.msg_namelen = sizeof from;
        message.msg_iov = &part;
        message.msg_iovlen = 1;
        message.msg_control = control;
        message.msg_controllen = sizeof control;
        const ssize_t got = ::recvmsg(FSocket.Get(), &message, 0);
        if (got < 0)
            ThrowSocketError(errno);
        buffer.resize(std::size_t(got));
        if (FRaw)
            return buffer;
        // Put back the IPv4 header the kernel took off: the source and the time-to-live.
        uint8_t ttl = 0;
        for (cmsghdr* header = CMSG_FIRSTHDR(&message); header; header = CMSG_NXTHDR(&message, header))
            if (header->cmsg_level == IPPROTO_IP && header->cmsg_type == IP_TTL) {
                int value = 0;
                std::memcpy(&value, CMSG_DATA(header), sizeof value);
                ttl = uint8_t(value);
            }
        std::vector<uint8_t> datagram(20, 0);
        datagram[0] = 0x45;
        datagram[8] = ttl;
        datagram[9] = IPPROTO_ICMP;
        std::memcpy(&datagram[12], &from.sin_addr.s_addr, 4);
        datagram.insert(datagram.end(), buffer.begin(), buffer.end());
        return datagram;
    }

    void Close() override { FSocket.Close(); }

  private:
    TResolver FResolver;
    TSocketHandle FSocket;
    bool FRaw = false;
};

// Closes the client's socket however a ping ends.
class TClosing
{
  public:
    explicit TClosing(TIcmpTransport& transport) : FTransport(transport) {}
    ~TClosing() { FTransport.Close(); }
    TClosing(const TClosing&) = delete;
    TClosing& operator=(const TClosing&) = delete;

  private:
    TIcmpTransport& FTransport;
};
} // namespace

ESocketError::ESocketError(int32_t winsockError)
    : std::runtime_error("Socket Error # " + std::to_string(winsockError) + "\r\n" +
                         Description(winsockError))
{
}

TEchoRequest BuildEchoRequest(uint16_t sequence, uint16_t identifier, uint32_t tick)
{
    TEchoRequest request{};
    request[0] = EchoRequest;
    Write16(request, 4, identifier);
    Write16(request, 6, sequence);
    Write16(request, 8, uint16_t(tick));
    Write16(request, 10, uint16_t(tick >> 16));
    std::fill(request.begin() + 20, request.end(), Filler);
    uint32_t sum = 0;
    for (std::size_t at = 0; at < request.size(); at += 2)
        sum += Read16(request, at);
    while (sum >> 16)
        sum = (sum & 0xffff) + (sum >> 16);
    Write16(request, 2, uint16_t(~sum));
    return request;
}

TReplyStatus DecodeReply(std::span<const uint8_t> datagram, uint16_t counter, uint32_t nowTick)
{
    TReplyStatus status;
    if (datagram.empty()) {
        status.ReplyFrom = "0.0.0.0";
        status.ReplySeq = counter;
        status.ReplyKind = TReplyKind::rkTimeOut;
        return status;
    }
    // A header-length field below 5 words is no IPv4 header: its address fields would lie in the
    // ICMP message, or past the datagram's end.
    const std::size_t header = HeaderLength(datagram);
    if (header < IpHeaderSize || datagram.size() < header + IcmpHeaderSize)
        throw EIcmpException("Not enough bytes received");
    const uint8_t type = datagram[header];
    if (type == EchoReply || type == EchoRequest)
        status.ReplyKind = TReplyKind::rkEcho;
    else if (type == Unreachable)
        status.ReplyKind = TReplyKind::rkUnreachable;
    else if (type == TimeExceeded)
        status.ReplyKind = TReplyKind::rkTTLExceeded;
    else
        throw EIcmpException("Non-echo type response received");
    status.ReplyBytes = int32_t(datagram.size());
    status.ReplyFrom = std::to_string(datagram[12]) + "." + std::to_string(datagram[13]) + "." +
                       std::to_string(datagram[14]) + "." + std::to_string(datagram[15]);
    status.ReplyType = type;
    status.ReplySeq = Read16(datagram, header + 6);
    // An error message may end before the place of the tick.
    if (datagram.size() >= header + 12)
        status.ReplyTimeMs = nowTick - Read32(datagram, header + 8);
    status.ReplyTtl = datagram[8];
    return status;
}

std::string ReplyLine(const TReplyStatus& status)
{
    const std::string time = status.ReplyTimeMs != 0 ? "=" + std::to_string(status.ReplyTimeMs) : "<1";
    return std::to_string(status.ReplyBytes) + " bytes from " + status.ReplyFrom +
           ": icmp_seq=" + std::to_string(status.ReplySeq) + " ttl=" + std::to_string(status.ReplyTtl) +
           " time" + time + " ms";
}

bool AnswersRequest(std::span<const uint8_t> datagram, uint16_t identifier, uint16_t sequence)
{
    if (datagram.empty())
        return false;
    std::size_t icmp = HeaderLength(datagram);
    if (datagram.size() < icmp + IcmpHeaderSize)
        return false;
    const uint8_t type = datagram[icmp];
    if (type == Unreachable || type == TimeExceeded) {
        // The message quotes the request's IPv4 header and the first 8 bytes of its ICMP message.
        const std::size_t quoted = icmp + IcmpHeaderSize;
        if (datagram.size() < quoted + 1)
            return false;
        icmp = quoted + HeaderLength(datagram.subspan(quoted));
        if (datagram.size() < icmp + IcmpHeaderSize || datagram[icmp] != EchoRequest)
            return false;
    } else if (type != EchoReply)
        return false;
    return Read16(datagram, icmp + 4) == identifier && Read16(datagram, icmp + 6) == sequence;
}

uint32_t TickCount()
{
    using namespace std::chrono;
    return uint32_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

std::unique_ptr<TIcmpTransport> SocketIcmpTransport()
{
    return std::make_unique<TSocketTransport>();
}

TIcmpClient::TIcmpClient(std::unique_ptr<TIcmpTransport> transport) : FTransport(std::move(transport)) {}

void TIcmpClient::Ping()
{
    const uint16_t sequence = FCounter++;
    const uint32_t address = FTransport->Resolve(Host, OnIdle);
    FTransport->Open(TimeToLive);
    TClosing closing(*FTransport);
    const uint16_t identifier = FTransport->Identifier(uint16_t(::getpid()));
    FTransport->Send(BuildEchoRequest(sequence, identifier, TickCount()), address, Port);

    // Other programs' pings, and on loopback our own request, arrive too: wait for the answer.
    std::vector<uint8_t> reply;
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(ReceiveTimeout);
    for (auto left = deadline - Clock::now(); left > Clock::duration::zero();
         left = deadline - Clock::now()) {
        const auto wait = std::chrono::ceil<std::chrono::milliseconds>(left).count();
        const auto datagram = FTransport->Receive(int(std::min<decltype(wait)>(wait, IdleSliceMs)));
        if (datagram && AnswersRequest(*datagram, identifier, sequence)) {
            reply = *datagram;
            break;
        }
        if (!datagram && OnIdle)
            OnIdle();
    }
    FLastReply = DecodeReply(reply, FCounter, TickCount());
    if (OnReply)
        OnReply(*this, FLastReply);
}
