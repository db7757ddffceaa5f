#include "HttpTestServer.h"

#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <stdexcept>

namespace {
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
    FThread = std::thread(&THttpTestServer::Run, this);
}

THttpTestServer::~THttpTestServer()
{
    FListener.Stop();
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
void THttpTestServer::Run()
{
    while (!FListener.Stopped()) {
        const TSocketHandle connection = FListener.Accept();
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
        if (!FListener.WaitReadable(connection))
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
        while (FListener.WaitReadable(connection) &&
               ::recv(connection, buffer.data(), buffer.size(), 0) > 0) {
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
            if (FListener.Stopping(response.DripMs) || !SendAll(connection, std::string_view(&c, 1)))
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
