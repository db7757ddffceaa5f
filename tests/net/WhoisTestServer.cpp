#include "WhoisTestServer.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <stdexcept>

namespace {

// A request longer than this is recorded up to here; tests never send more.
constexpr std::size_t MaxRecordedRequest = 64 * 1024;

} // namespace

TWhoisTestServer::TWhoisTestServer(std::vector<TScript> scripts, uint16_t port, TAfterScripts afterScripts)
    : scripts_(std::move(scripts)), afterScripts_(afterScripts), listener_(port)
{
    if (scripts_.empty())
        throw std::invalid_argument("a test server needs at least one script");
    thread_ = std::thread(&TWhoisTestServer::Run, this);
}

TWhoisTestServer::~TWhoisTestServer()
{
    listener_.Stop();
    thread_.join();
}

void TWhoisTestServer::SetScripts(std::vector<TScript> scripts)
{
    if (scripts.empty())
        throw std::invalid_argument("a test server needs at least one script");
    std::lock_guard lock(mutex_);
    scripts_ = std::move(scripts);
    received_.clear();
}

void TWhoisTestServer::LimitRate(double perSecond, int burst, std::string refusal)
{
    std::lock_guard lock(mutex_);
    perSecond_ = perSecond;
    burst_ = burst;
    tokens_ = burst;
    refusal_ = std::move(refusal);
    refilled_ = std::chrono::steady_clock::now();
}

int TWhoisTestServer::Refusals() const
{
    std::lock_guard lock(mutex_);
    return refusals_;
}

std::vector<std::string> TWhoisTestServer::Received() const
{
    std::lock_guard lock(mutex_);
    return received_;
}

int TWhoisTestServer::Connections() const
{
    std::lock_guard lock(mutex_);
    return static_cast<int>(received_.size());
}

void TWhoisTestServer::Run()
{
    while (!listener_.Stopped()) {
        const TSocketHandle connection = listener_.Accept();
        if (!connection.Valid())
            continue;
        TScript script;
        {
            std::lock_guard lock(mutex_);
            const std::size_t index = afterScripts_ == TAfterScripts::StartAgain
                                          ? received_.size() % scripts_.size()
                                          : std::min(received_.size(), scripts_.size() - 1);
            script = scripts_[index];
            received_.emplace_back();
            if (perSecond_ > 0) {
                const auto now = std::chrono::steady_clock::now();
                tokens_ = std::min<double>(
                    burst_, tokens_ + perSecond_ * std::chrono::duration<double>(now - refilled_).count());
                refilled_ = now;
                if (tokens_ >= 1)
                    tokens_ -= 1;
                else {
                    ++refusals_;
                    char wait[32];
                    std::snprintf(wait, sizeof wait, "%.3f", (1 - tokens_) / perSecond_);
                    std::string text = refusal_;
                    if (const auto at = text.find("%.3f"); at != std::string::npos)
                        text.replace(at, 4, wait);
                    script = Answer(text);
                }
            }
        }
        Serve(connection.Get(), script);
    }
}

void TWhoisTestServer::Serve(int connection, const TScript& script)
{
    const int yes = 1;
    ::setsockopt(connection, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
    if (script.Behaviour == TBehaviour::CloseAtOnce) {
        // Half-close first so the client sees a clean end of stream, then take in its
        // request: closing with unread bytes would turn the close into a reset.
        ::shutdown(connection, SHUT_WR);
    }

    std::string request;
    const bool complete = ReadRequest(connection, request);
    {
        std::lock_guard lock(mutex_);
        if (!received_.empty()) // unless the scripts were just replaced
            received_.back() = request;
    }
    if (!complete)
        return;

    switch (script.Behaviour) {
    case TBehaviour::CloseAtOnce:
        return;
    case TBehaviour::Silent:
        WaitUntilClientLeaves(connection);
        return;
    case TBehaviour::Reset: {
        const linger abort{1, 0};
        ::setsockopt(connection, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
        return;
    }
    case TBehaviour::Answer:
    case TBehaviour::PartThenReset:
        for (std::size_t i = 0; i < script.Chunks.size(); ++i) {
            if (i > 0 && listener_.Stopping(script.ChunkPauseMs))
                return;
            const std::string& chunk = script.Chunks[i];
            if (::send(connection, chunk.data(), chunk.size(), MSG_NOSIGNAL) < 0)
                return;
        }
        if (script.Behaviour == TBehaviour::PartThenReset) {
            // Long enough for the part to arrive before the reset.
            listener_.Stopping(50);
            const linger abort{1, 0};
            ::setsockopt(connection, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
        }
        return;
    case TBehaviour::Flood:
        while (!listener_.Stopped()) {
            const std::string& chunk = script.Chunks.front();
            if (::send(connection, chunk.data(), chunk.size(), MSG_NOSIGNAL) < 0)
                return;
        }
        return;
    }
}

// Reads up to the request's LF; false when the client left or the server is stopping first.
bool TWhoisTestServer::ReadRequest(int connection, std::string& request)
{
    std::array<char, 4096> buffer;
    while (request.find('\n') == std::string::npos && request.size() < MaxRecordedRequest) {
        if (!listener_.WaitReadable(connection))
            return false;
        const ssize_t got = ::recv(connection, buffer.data(), buffer.size(), 0);
        if (got <= 0)
            return false;
        request.append(buffer.data(), static_cast<std::size_t>(got));
    }
    return true;
}

void TWhoisTestServer::WaitUntilClientLeaves(int connection)
{
    std::array<char, 512> buffer;
    while (listener_.WaitReadable(connection))
        if (::recv(connection, buffer.data(), buffer.size(), 0) <= 0)
            return;
}
