// TWhoisClient: one WHOIS lookup (RFC 3912) over TCP, synchronous on the calling thread.
// A query opens a connection to a dotted IPv4 server, sends the request and a single LF,
// and collects the reply until the server closes or falls silent; a lookup that yields no
// text is repeated, ten exchanges at most, and a socket failure becomes an "Error WSA..." text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

class TWhoisClient
{
  public:
    using TNotifyEvent = std::function<void(TWhoisClient& Sender)>;
    using TAfterNetworkOperation =
        std::function<void(TWhoisClient& Sender, bool TheResult, int32_t ErrorNumb)>;

    static constexpr uint16_t DefaultPort = 43;
    // Long enough for a SYN and two retransmissions on a slow link; a dead server still
    // costs ten of these per lookup, so it must stay far below the kernel's two minutes.
    static constexpr int DefaultConnectTimeoutMs = 5000;
    static constexpr int DefaultReceiveWaitMs = 3000;
    static constexpr int MaxExchanges = 10;
    static constexpr std::size_t ReceiveBufferSize = 500;
    // A hostile server could stream forever; the answer stops growing here.
    static constexpr std::size_t MaxAnswerBytes = 1024 * 1024;
    static constexpr int IdleSliceMs = 50;

    const std::string& HostIPAddress() const { return hostIPAddress_; }
    void SetHostIPAddress(std::string address);
    const std::string& HostName() const { return hostName_; }
    void SetHostName(std::string name);

    std::string Request;
    uint16_t Port = DefaultPort;
    int ConnectTimeoutMs = DefaultConnectTimeoutMs;
    // How long the server may stay silent before its answer is taken as complete.
    int ReceiveWaitMs = DefaultReceiveWaitMs;

    // Called at least every IdleSliceMs while an exchange waits, so the owner can keep
    // its window painting. Unset, each wait is a single uninterrupted wait.
    std::function<void()> OnIdle;
    // Asked after every idle slice; true ends the exchange at once, and the query with it,
    // leaving no answer. This is how a user's stop reaches a server that hangs.
    std::function<bool()> Aborted;

    // Published for other owners; no step of the client raises the two name events.
    TNotifyEvent BeforeResolvingName;
    TAfterNetworkOperation AfterResolvingName;
    TNotifyEvent BeforeConnect;
    TAfterNetworkOperation AfterConnect;
    TNotifyEvent BeforeSendInformation;
    TAfterNetworkOperation AfterSendInformation;
    TNotifyEvent BeforeReciveInformation;
    TAfterNetworkOperation AfterReciveInformation;

    // Looks up Request at HostIPAddress (or HostName when that is empty) and leaves the
    // reply, an error text, or nothing in Answer.
    void Query(std::string& Answer);

  private:
    struct ExchangeStatus
    {
        bool Failed = false;
        int32_t WinsockError = 0;
    };

    ExchangeStatus Exchange(const std::string& host, const std::string& request, std::string& Answer);
    bool Connect(int socket, const std::string& host, int32_t& winsockError);
    bool WaitReadable(int socket, int ms);
    bool WaitFor(int socket, short events, int ms);
    static std::optional<std::string_view> ErrorText(int32_t winsockError);

    void Raise(const TNotifyEvent& event);
    void Raise(const TAfterNetworkOperation& event, bool theResult, int32_t errorNumb);

    bool AbortRequested() const { return Aborted && Aborted(); }

    std::string hostIPAddress_;
    std::string hostName_;
};
