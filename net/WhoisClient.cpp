#include "WhoisClient.h"

#include "WinsockError.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>
#include <utility>

namespace {

struct TErrorName
{
    int32_t Number;
    std::string_view Text;
};

constexpr std::array<TErrorName, 51> ErrorNames{{
    {10004, "Error WSAEINTR"},           {10009, "Error WSAEBADF"},
    {10013, "Error WSAEACCES"},          {10014, "Error WSAEFAULT"},
    {10022, "Error WSAEINVAL"},          {10024, "Error WSAEMFILE"},
    {10035, "Error WSAEWOULDBLOCK"},     {10036, "Error WSAEINPROGRESS"},
    {10037, "Error WSAEALREADY"},        {10038, "Error WSAENOTSOCK"},
    {10039, "Error WSAEDESTADDRREQ"},    {10040, "Error WSAEMSGSIZE"},
    {10041, "Error WSAEPROTOTYPE"},      {10042, "Error WSAENOPROTOOPT"},
    {10043, "Error WSAEPROTONOSUPPORT"}, {10044, "Error WSAESOCKTNOSUPPORT"},
    {10045, "Error WSAEOPNOTSUPP"},      {10046, "Error WSAEPFNOSUPPORT"},
    {10047, "Error WSAEAFNOSUPPORT"},    {10048, "Error WSAEADDRINUSE"},
    {10049, "Error WSAEADDRNOTAVAIL"},   {10050, "Error WSAENETDOWN"},
    {10051, "Error WSAENETUNREACH"},     {10052, "Error WSAENETRESET"},
    {10053, "Error WSAECONNABORTED"},    {10054, "Error WSAECONNRESET"},
    {10055, "Error WSAENOBUFS"},         {10056, "Error WSAEISCONN"},
    {10057, "Error WSAENOTCONN"},        {10058, "Error WSAESHUTDOWN"},
    {10059, "Error WSAETOOMANYREFS"},    {10060, "Error WSAETIMEDOUT"},
    {10061, "Error WSAECONNREFUSED"},    {10062, "Error WSAELOOP"},
    {10063, "Error WSAENAMETOOLONG"},    {10064, "Error WSAEHOSTDOWN"},
    {10065, "Error WSAEHOSTUNREACH"},    {10066, "Error WSAENOTEMPTY"},
    {10067, "Error WSAEPROCLIM"},        {10068, "Error WSAEUSERS"},
    {10069, "Error WSAEDQUOT"},          {10070, "Error WSAESTALE"},
    {10071, "Error WSAEREMOTE"},         {10091, "Error WSASYSNOTREADY"},
    {10092, "Error WSAVERNOTSUPPORTED"}, {10093, "Error WSANOTINITIALISED"},
    {10101, "Error WSAEDISCON"},         {11001, "Error WSAHOST_NOT_FOUND"},
    {11002, "Error WSATRY_AGAIN"},       {11003, "Error WSANO_RECOVERY"},
    {11004, "Error WSANO_DATA"},
}};

// A failed step reports its errno as the WinSock number; take errno before anything
// else (an event handler, say) can overwrite it.
int32_t LastSocketError()
{
    return WinsockErrorFromErrno(errno);
}

// WinSock numbers the receive event reports relative to its base.
constexpr int32_t WinsockErrorBase = 10000;
// What a name that cannot be resolved reports.
constexpr int32_t HostNotFound = 11001;

} // namespace

void TWhoisClient::SetHostIPAddress(std::string address)
{
    hostIPAddress_ = std::move(address);
    hostName_.clear();
}

void TWhoisClient::SetHostName(std::string name)
{
    hostName_ = std::move(name);
    hostIPAddress_.clear();
}

TQueryResult TWhoisClient::Query(std::string& Answer)
{
    Answer.clear();
    const std::string host = hostIPAddress_.empty() ? hostName_ : hostIPAddress_;
    const std::string request = Request;
    std::vector<TSocketAddress> addresses;
    switch (resolver_.Resolve(host, Port, addresses, OnIdle, Aborted)) {
    case TResolver::TStatus::Aborted:
        return TQueryResult::Aborted;
    case TResolver::TStatus::NotFound:
        Answer = *ErrorText(HostNotFound);
        return TQueryResult::Unreachable;
    case TResolver::TStatus::Resolved:
        break;
    }

    ExchangeStatus last;
    for (int exchanges = 0; exchanges < MaxExchanges; ++exchanges) {
        if (!Pace(host))
            return TQueryResult::Aborted;
        last = Exchange(addresses, request, Answer);
        if (AbortRequested()) {
            Answer.clear();
            return TQueryResult::Aborted;
        }
        // Part of an answer from an exchange that failed is no answer.
        if (last.Failed())
            Answer.clear();
        // A server that cannot be reached, or that drips past the deadline, is not asked nine times more.
        if (last.Failure == TFailure::Connect || last.Failure == TFailure::Deadline)
            break;
        if (!Answer.empty())
            return TQueryResult::Answered;
    }
    if (!last.Failed())
        return TQueryResult::Empty;
    if (const auto text = ErrorText(last.WinsockError))
        Answer = *text;
    return last.Failure == TFailure::Connect ? TQueryResult::Unreachable : TQueryResult::Failed;
}

bool TWhoisClient::Pace(const std::string& host)
{
    if (SpacingMs <= 0)
        return true;
    const auto now = Clock::now();
    auto& last = lastExchange_[host];
    const auto due = last + std::chrono::milliseconds(SpacingMs);
    for (auto left = due - Clock::now(); left > Clock::duration::zero(); left = due - Clock::now()) {
        const auto slice = std::chrono::milliseconds(IdleSliceMs);
        std::this_thread::sleep_for(std::min<Clock::duration>(left, slice));
        if (OnIdle)
            OnIdle();
        if (AbortRequested())
            return false;
    }
    last = std::max(now, Clock::now());
    return true;
}

TWhoisClient::ExchangeStatus TWhoisClient::Exchange(const std::vector<TSocketAddress>& addresses,
                                                    const std::string& request, std::string& Answer)
{
    Answer.clear();
    const auto deadline = Clock::now() + std::chrono::milliseconds(ExchangeDeadlineMs);
    Raise(BeforeConnect);
    int32_t connectError = 0;
    const TSocketHandle socket = Connect(addresses, connectError);
    Raise(AfterConnect, socket.Valid(), socket.Valid() ? 0 : -1);
    if (!socket.Valid())
        return {TFailure::Connect, connectError};
    const int fd = socket.Get();

    ExchangeStatus status;
    const std::string wire = request + '\n';
    Raise(BeforeSendInformation);
    // MSG_NOSIGNAL: a peer that already hung up must yield an error, not kill the program.
    const ssize_t sent = ::send(fd, wire.data(), wire.size(), MSG_NOSIGNAL);
    if (sent == -1)
        status = {TFailure::Other, LastSocketError()};
    Raise(AfterSendInformation, sent != -1, static_cast<int32_t>(sent));

    if (!status.Failed()) {
        Raise(BeforeReciveInformation);
        int32_t statusValue = static_cast<int32_t>(sent);
        std::array<char, ReceiveBufferSize> buffer;
        std::size_t received = 0;
        ssize_t result = 0;
        // The bound counts received bytes, not answer bytes: a stream of zero bytes adds
        // nothing to the answer and must still end.
        while (received < MaxAnswerBytes) {
            const std::size_t room = std::min(buffer.size(), MaxAnswerBytes - received);
            // Read what is there first; wait only when nothing is.
            result = ::recv(fd, buffer.data(), room, MSG_DONTWAIT);
            if (result == -1 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
                const auto left =
                    std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
                const bool lastChance = left <= ReceiveWaitMs;
                const int wait = static_cast<int>(
                    std::max<decltype(left)>(std::min<decltype(left)>(left, ReceiveWaitMs), 0));
                if (WaitReadable(fd, wait))
                    result = ::recv(fd, buffer.data(), room, MSG_DONTWAIT);
                else if (lastChance && !AbortRequested()) {
                    errno = ETIMEDOUT;
                    result = -1;
                    status.Failure = TFailure::Deadline;
                } else
                    result = 0;
            }
            if (result == -1) {
                status = {status.Failure == TFailure::Deadline ? TFailure::Deadline : TFailure::Other,
                          LastSocketError()};
                statusValue = status.WinsockError - WinsockErrorBase;
                break;
            }
            if (result == 0)
                break;
            received += static_cast<std::size_t>(result);
            const char* begin = buffer.data();
            const char* end = begin + result;
            Answer.append(begin, std::find(begin, end, '\0'));
        }
        Raise(AfterReciveInformation, result != -1, statusValue);
    }

    ::shutdown(fd, SHUT_RD);
    return status;
}

TSocketHandle TWhoisClient::Connect(const std::vector<TSocketAddress>& addresses, int32_t& winsockError)
{
    int error = EADDRNOTAVAIL;
    const auto deadline = Clock::now() + std::chrono::milliseconds(ConnectTimeoutMs);
    for (const TSocketAddress& address : addresses) {
        // Without blocking, so the wait can be bounded and sliced for the idle callback.
        TSocketHandle socket(
            ::socket(address.Address.ss_family, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
        if (!socket.Valid()) {
            error = errno;
            continue;
        }
        error = 0;
        if (::connect(socket.Get(), reinterpret_cast<const sockaddr*>(&address.Address), address.Length) !=
            0) {
            error = errno;
            if (error == EINPROGRESS) {
                error = ETIMEDOUT;
                int wait = -1;
                if (ConnectTimeoutMs > 0) {
                    const auto left =
                        std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
                    wait = static_cast<int>(std::max<decltype(left)>(left, 0));
                }
                if (WaitFor(socket.Get(), POLLOUT, wait)) {
                    socklen_t length = sizeof error;
                    if (::getsockopt(socket.Get(), SOL_SOCKET, SO_ERROR, &error, &length) != 0)
                        error = errno;
                }
            }
        }
        if (error == 0) {
            winsockError = 0;
            return socket;
        }
        if (AbortRequested())
            break;
    }
    winsockError = WinsockErrorFromErrno(error);
    return {};
}

bool TWhoisClient::WaitReadable(int socket, int ms)
{
    return WaitFor(socket, POLLIN, ms);
}

// Waits up to ms (forever when negative) for the socket to be ready; poll rather than
// select, since a descriptor number above FD_SETSIZE must not overrun a select set.
bool TWhoisClient::WaitFor(int socket, short events, int ms)
{
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
        int slice = -1;
        if (ms >= 0) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
            slice = static_cast<int>(std::max<decltype(left)>(left, 0));
        }
        if ((OnIdle || Aborted) && (slice < 0 || slice > IdleSliceMs))
            slice = IdleSliceMs;
        pollfd entry{socket, events, 0};
        const int ready = ::poll(&entry, 1, slice);
        if (ready > 0)
            return true;
        if (ready < 0 && errno != EINTR)
            return false;
        if (ms >= 0 && Clock::now() >= deadline)
            return false;
        if (ready == 0) {
            if (OnIdle)
                OnIdle();
            if (AbortRequested())
                return false;
        }
    }
}

bool TWhoisClient::IsErrorText(std::string_view text)
{
    return std::any_of(ErrorNames.begin(), ErrorNames.end(),
                       [text](const TErrorName& name) { return name.Text == text; });
}

std::optional<std::string_view> TWhoisClient::ErrorText(int32_t winsockError)
{
    const auto found =
        std::find_if(ErrorNames.begin(), ErrorNames.end(),
                     [winsockError](const TErrorName& name) { return name.Number == winsockError; });
    if (found == ErrorNames.end())
        return std::nullopt;
    return found->Text;
}

void TWhoisClient::Raise(const TNotifyEvent& event)
{
    if (event)
        event(*this);
}

void TWhoisClient::Raise(const TAfterNetworkOperation& event, bool theResult, int32_t errorNumb)
{
    if (event)
        event(*this, theResult, errorNumb);
}
