#include "LoopbackListener.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <system_error>

namespace {
[[noreturn]] void ThrowErrno(const char* what)
{
    throw std::system_error(errno, std::generic_category(), what);
}
} // namespace

TLoopbackListener::TLoopbackListener(uint16_t port)
    : FSocket(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0))
{
    if (!FSocket.Valid())
        ThrowErrno("socket");
    // A named port can be taken again at once after an earlier server on it.
    const int yes = 1;
    ::setsockopt(FSocket.Get(), SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    socklen_t length = sizeof address;
    if (::bind(FSocket.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
        ThrowErrno("bind");
    if (::listen(FSocket.Get(), 64) != 0 ||
        ::getsockname(FSocket.Get(), reinterpret_cast<sockaddr*>(&address), &length) != 0)
        ThrowErrno("listen");
    FPort = ntohs(address.sin_port);
    std::array<int, 2> ends{};
    if (::pipe2(ends.data(), O_CLOEXEC) != 0)
        ThrowErrno("pipe");
    FStopRead = TSocketHandle(ends[0]);
    FStopWrite = TSocketHandle(ends[1]);
}

TSocketHandle TLoopbackListener::Accept()
{
    if (!WaitReadable(FSocket.Get()))
        return TSocketHandle();
    return TSocketHandle(::accept4(FSocket.Get(), nullptr, nullptr, SOCK_CLOEXEC));
}

bool TLoopbackListener::WaitReadable(int socket)
{
    std::array<pollfd, 2> waits{{{socket, POLLIN, 0}, {FStopRead.Get(), POLLIN, 0}}};
    while (::poll(waits.data(), waits.size(), -1) < 0)
        if (errno != EINTR)
            return false;
    return !FStop && (waits[0].revents & (POLLIN | POLLHUP | POLLERR));
}

bool TLoopbackListener::Stopping(int pauseMs)
{
    pollfd wait{FStopRead.Get(), POLLIN, 0};
    ::poll(&wait, 1, pauseMs);
    return FStop;
}

void TLoopbackListener::Stop()
{
    FStop = true;
    const char wake = 1;
    [[maybe_unused]] const auto written = ::write(FStopWrite.Get(), &wake, 1);
}
