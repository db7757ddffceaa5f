#include "HttpTestServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <stdexcept>
#include <system_error>

namespace {
[[noreturn]] void ThrowErrno(const char* what)
{
    throw std::system_error(errno, std::generic_category(), what);
}

std::string Reason(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 404:
        return "Not Found";
    case 429:
        return "Too Many Requests";
    default:
        return "Status";
    }
}
} // namespace

THttpTestServer::THttpTestServer(std::vector<TResponse> responses) : FResponses(std::move(responses))
{
    if (FResponses.empty())
        throw std::invalid_argument("a test server needs at least one response");
    FListener = TSocketHandle(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (!FListener.Valid() ||
        ::bind(FListener.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(FListener.Get(), 16) != 0 ||
        ::getsockname(FListener.Get(), reinterpret_cast<sockaddr*>(&address), &length) != 0)
        ThrowErrno("listen");
    FPort = ntohs(address.sin_port);
    std::array<int, 2> ends{};
    if (::pipe2(ends.data(), O_CLOEXEC) != 0)
        ThrowErrno("pipe");
    FStopRead = TSocketHandle(ends[0]);
    FStopWrite = TSocketHandle(ends[1]);
    FThread = std::thread(&THttpTestServer::Run, this);
}

THttpTestServer::~THttpTestServer()
{
    FStop = true;
    const char wake = 1;
    [[maybe_unused]] const auto written = ::write(FStopWrite.Get(), &wake, 1);
    FThread.join();
}

void THttpTestServer::SetResponses(std::vector<TResponse> responses)
{
    if (responses.empty())
        throw std::invalid_argument("a test server needs at least one response");
    std::lock_guard lock(FMutex);
    FResponses = std::move(responses);
    FRequests.clear();
}

std::vector<std::string> THttpTestServer::Requests() const
{
    std::lock_guard lock(FMutex);
    return FRequests;
}

// Waits for the connection (or the listener) to be readable; false when the server is stopping.
bool THttpTestServer::WaitReadable(int connection)
{
    std::array<pollfd, 2> waits{{{connection, POLLIN, 0}, {FStopRead.Get(), POLLIN, 0}}};
    while (::poll(waits.data(), waits.size(), -1) < 0)
        if (errno != EINTR)
            return false;
    return !FStop && (waits[0].revents & (POLLIN | POLLHUP | POLLERR));
}

void THttpTestServer::Run()
{
    while (!FStop) {
        if (!WaitReadable(FListener.Get()))
            continue;
        TSocketHandle connection(::accept4(FListener.Get(), nullptr, nullptr, SOCK_CLOEXEC));
        if (!connection.Valid())
            continue;
        TResponse response;
        {
            std::lock_guard lock(FMutex);
            response = FResponses[std::min(FRequests.size(), FResponses.size() - 1)];
            FRequests.emplace_back();
        }
        Serve(connection.Get(), response);
    }
}

bool THttpTestServer::SendAll(int connection, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t wrote = ::send(connection, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (wrote <= 0)
            return false;
        bytes.remove_prefix(std::size_t(wrote));
    }
    return true;
}

void THttpTestServer::Serve(int connection, const TResponse& response)
{
    std::string head;
    std::array<char, 4096> buffer;
    while (head.find("\r\n\r\n") == std::string::npos) {
        if (!WaitReadable(connection))
            return;
        const ssize_t got = ::recv(connection, buffer.data(), buffer.size(), 0);
        if (got <= 0)
            return;
        head.append(buffer.data(), std::size_t(got));
        // A TLS handshake record: this server speaks plain HTTP only.
        if (head[0] == 0x16) {
            std::lock_guard lock(FMutex);
            if (!FRequests.empty())
                FRequests.back() = "TLS";
            return;
        }
    }
    {
        std::lock_guard lock(FMutex);
        if (!FRequests.empty()) // unless the responses were just replaced
            FRequests.back() = head.substr(0, head.find("\r\n\r\n"));
    }
    const auto drain = [&] {
        while (WaitReadable(connection) && ::recv(connection, buffer.data(), buffer.size(), 0) > 0) {
        }
    };
    if (response.Silent)
        return drain();
    std::string reply =
        "HTTP/1.1 " + std::to_string(response.Status) + " " + Reason(response.Status) + "\r\n";
    for (const std::string& header : response.Headers)
        reply += header + "\r\n";
    if (response.WithLength)
        reply += "Content-Length: " + std::to_string(response.Body.size()) + "\r\n";
    reply += "Connection: close\r\n\r\n";
    if (!SendAll(connection, reply))
        return;
    const std::string_view body = std::string_view(response.Body).substr(0, response.ResetAfter);
    if (response.DripMs > 0) {
        for (const char c : body) {
            pollfd wait{FStopRead.Get(), POLLIN, 0};
            if (::poll(&wait, 1, response.DripMs) != 0 || !SendAll(connection, std::string_view(&c, 1)))
                return;
        }
    } else if (!SendAll(connection, body))
        return;
    if (response.ResetAfter != std::string::npos) {
        usleep(50 * 1000); // the part arrives before the reset
        const linger abort{1, 0};
        ::setsockopt(connection, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
        return;
    }
    ::shutdown(connection, SHUT_WR);
    drain();
}
