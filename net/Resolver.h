// Host names to socket addresses, IPv4 and IPv6, without holding the user-interface thread: the
// system's resolver runs on a thread of its own while the caller's wait lets the window's messages
// run and can be abandoned. Answers are kept for a minute, so a run asks the resolver once a
// minute per server, not once per name. A dotted (or colon) address is taken as it stands.
#pragma once

#include <sys/socket.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

struct TSocketAddress
{
    sockaddr_storage Address{};
    socklen_t Length = 0;
};

class TResolver
{
  public:
    static constexpr std::chrono::seconds KeepFor{60};
    static constexpr int IdleSliceMs = 50;

    enum class TStatus
    {
        Resolved,
        NotFound, // no such host, or no address for it
        Aborted,
    };

    // The addresses of host on port, in the resolver's order. While the system resolver works,
    // onIdle runs every IdleSliceMs and aborted is asked after it.
    TStatus Resolve(const std::string& host, uint16_t port, std::vector<TSocketAddress>& addresses,
                    const std::function<void()>& onIdle, const std::function<bool()>& aborted);

  private:
    struct TEntry
    {
        std::vector<TSocketAddress> Addresses;
        std::chrono::steady_clock::time_point Until;
    };
    std::map<std::string, TEntry> FCache;
};
