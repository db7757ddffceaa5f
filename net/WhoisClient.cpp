#include "WhoisClient.h"

#include "SocketHandle.h"
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

void TWhoisClient::Query(std::string& Answer)
{
    const std::string host = hostIPAddress_.empty() ? hostName_ : hostIPAddress_;
    const std::string request = Request;
    ExchangeStatus last;
    for (int exchanges = 0; exchanges < MaxExchanges; ++exchanges) {
        last = Exchange(host, request, Answer);
        if (AbortRequested()) {
            Answer.clear();
            return;
        }
        if (!Answer.empty())
            return;
    }
    if (last.Failed) {
        if (const auto text = ErrorText(last.WinsockError))
            Answer = *text;
    }
}

TWhoisClient::ExchangeStatus TWhoisClient::Exchange(const std::string& host, const std::string& request,
                                                    std::string& Answer)
{
    Answer.clear();
    TSocketHandle socket(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!socket.Valid())
        return {true, LastSocketError()};
    const int fd = socket.Get();

    Raise(BeforeConnect);
    int32_t connectError = 0;
    const bool connected = Connect(fd, host, connectError);
    Raise(AfterConnect, connected, connected ? 0 : -1);
    if (!connected)
        return {true, connectError};

    ExchangeStatus status;
    const std::string wire = request + '\n';
    Raise(BeforeSendInformation);
    // MSG_NOSIGNAL: a peer that already hung up must yield an error, not kill the program.
    const ssize_t sent = ::send(fd, wire.data(), wire.size(), MSG_NOSIGNAL);
    if (sent == -1)
        status = {true, LastSocketError()};
    Raise(AfterSendInformation, sent != -1, static_cast<int32_t>(sent));

    if (!status.Failed) {
        Raise(BeforeReciveInformation);
        int32_t statusValue = static_cast<int32_t>(sent);
        std::array<char, ReceiveBufferSize> buffer;
        std::size_t received = 0;
        ssize_t result = 0;
        // The bound counts received bytes, not answer bytes: a stream of zero bytes adds
        // nothing to the answer and must still end.
        while (received < MaxAnswerBytes) {
            const std::size_t room = std::min(buffer.size(), MaxAnswerBytes - received);
            result = WaitReadable(fd, ReceiveWaitMs) ? ::recv(fd, buffer.data(), room, 0) : 0;
            if (result == -1) {
                status = {true, LastSocketError()};
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

bool TWhoisClient::Connect(int socket, const std::string& host, int32_t& winsockError)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(Port);
    // The client does no name lookup: a host text that is not a dotted address reaches no server.
    if (::inet_aton(host.c_str(), &address.sin_addr) == 0) {
        winsockError = WinsockErrorFromErrno(EADDRNOTAVAIL);
        return false;
    }

    // Connect without blocking so the wait can be bounded and sliced for the idle callback.
    const int flags = ::fcntl(socket, F_GETFL);
    ::fcntl(socket, F_SETFL, flags | O_NONBLOCK);
    int error = 0;
    if (::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        error = errno;
        if (error == EINPROGRESS) {
            error = ETIMEDOUT;
            if (WaitFor(socket, POLLOUT, ConnectTimeoutMs > 0 ? ConnectTimeoutMs : -1)) {
                socklen_t length = sizeof error;
                if (::getsockopt(socket, SOL_SOCKET, SO_ERROR, &error, &length) != 0)
                    error = errno;
            }
        }
    }
    ::fcntl(socket, F_SETFL, flags);
    winsockError = error == 0 ? 0 : WinsockErrorFromErrno(error);
    return error == 0;
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
