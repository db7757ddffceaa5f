// TWhoisClient: one WHOIS lookup (RFC 3912) over TCP, synchronous on the calling thread.
// A query resolves the server's name (or takes its address), connects, sends the request and a
// single LF, and collects the reply until the server closes or falls silent; a lookup that yields
// no text is repeated, ten exchanges at most, and a socket failure becomes an "Error WSA..." text.
// Every wait is bounded: a connect by ConnectTimeoutMs, an exchange by ExchangeDeadlineMs, and the
// exchanges with one server are spaced by SpacingMs.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Resolver.h"
#include "SocketHandle.h"

// How a query ended.
enum class TQueryResult
{
    Answered,    // the server sent text
    Empty,       // ten exchanges and not a word
    Failed,      // the exchanges failed; the answer is the error text
    Unreachable, // no connection could be made: the server is down, or its name unknown
    Aborted,     // cut short; no answer
};
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
    // However slowly a server drips, an exchange ends here, as a failure.
    static constexpr int DefaultExchangeDeadlineMs = 30000;
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
    int ExchangeDeadlineMs = DefaultExchangeDeadlineMs;
    // The least time between the starts of two exchanges with one server (a registry's pace).
    int SpacingMs = 0;

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
    // reply, an error text, or nothing in Answer. A connect that fails, and an exchange past its
    // deadline, end the query at once; an exchange that fails after part of an answer leaves no
    // answer but the error text.
    TQueryResult Query(std::string& Answer);

    // Whether text is one of the error texts a query leaves in place of an answer.
    static bool IsErrorText(std::string_view text);

  private:
    enum class TFailure
    {
        None,
        Connect,  // no connection: the server cannot be reached
        Deadline, // the exchange ran out of time
        Other,
    };
    struct ExchangeStatus
    {
        TFailure Failure = TFailure::None;
        int32_t WinsockError = 0;
        bool Failed() const { return Failure != TFailure::None; }
    };
    using Clock = std::chrono::steady_clock;

    ExchangeStatus Exchange(const std::vector<TSocketAddress>& addresses, const std::string& request,
                            std::string& Answer);
    // A socket connected to the first of addresses that answers within the connect time-out.
    TSocketHandle Connect(const std::vector<TSocketAddress>& addresses, int32_t& winsockError);
    bool WaitReadable(int socket, int ms);
    bool WaitFor(int socket, short events, int ms);
    // Waits until the server may be asked again; false when aborted meanwhile.
    bool Pace(const std::string& host);
    static std::optional<std::string_view> ErrorText(int32_t winsockError);

    void Raise(const TNotifyEvent& event);
    void Raise(const TAfterNetworkOperation& event, bool theResult, int32_t errorNumb);

    bool AbortRequested() const { return Aborted && Aborted(); }

    std::string hostIPAddress_;
    std::string hostName_;
    TResolver resolver_;
    std::map<std::string, Clock::time_point> lastExchange_; // per server
};
