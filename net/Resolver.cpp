#include "Resolver.h"

#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cstring>
#include <memory>
#include <mutex>
#include <thread>

#include "SocketHandle.h"

namespace {
std::vector<TSocketAddress> Addresses(const addrinfo* list)
{
    std::vector<TSocketAddress> addresses;
    for (const addrinfo* entry = list; entry; entry = entry->ai_next) {
        TSocketAddress address;
        std::memcpy(&address.Address, entry->ai_addr, entry->ai_addrlen);
        address.Length = entry->ai_addrlen;
        addresses.push_back(address);
    }
    return addresses;
}

std::vector<TSocketAddress> Lookup(const std::string& host, int flags, int& status)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = flags | AI_NUMERICSERV;
    addrinfo* list = nullptr;
    status = ::getaddrinfo(host.c_str(), "0", &hints, &list);
    std::vector<TSocketAddress> addresses = status == 0 ? Addresses(list) : std::vector<TSocketAddress>{};
    if (list)
        ::freeaddrinfo(list);
    return addresses;
}

void SetPort(std::vector<TSocketAddress>& addresses, uint16_t port)
{
    for (TSocketAddress& address : addresses) {
        if (address.Address.ss_family == AF_INET)
            reinterpret_cast<sockaddr_in&>(address.Address).sin_port = htons(port);
        else if (address.Address.ss_family == AF_INET6)
            reinterpret_cast<sockaddr_in6&>(address.Address).sin6_port = htons(port);
    }
}

// What the resolver thread hands back. Shared, because a caller that gives up leaves the thread to
// finish on its own.
struct TPending
{
    std::mutex Lock;
    std::vector<TSocketAddress> Addresses;
    TSocketHandle Done{::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)};
};
} // namespace

TResolver::TStatus TResolver::Resolve(const std::string& host, uint16_t port,
                                      std::vector<TSocketAddress>& addresses,
                                      const std::function<void()>& onIdle,
                                      const std::function<bool()>& aborted)
{
    addresses.clear();
    if (host.empty())
        return TStatus::NotFound;
    int status = 0;
    addresses = Lookup(host, AI_NUMERICHOST, status);
    if (addresses.empty()) {
        const auto now = std::chrono::steady_clock::now();
        const auto cached = FCache.find(host);
        if (cached != FCache.end() && cached->second.Until > now)
            addresses = cached->second.Addresses;
        else {
            auto pending = std::make_shared<TPending>();
            std::thread([pending, host] {
                int threadStatus = 0;
                std::vector<TSocketAddress> found = Lookup(host, 0, threadStatus);
                {
                    std::lock_guard lock(pending->Lock);
                    pending->Addresses = std::move(found);
                }
                const uint64_t one = 1;
                [[maybe_unused]] const auto written = ::write(pending->Done.Get(), &one, sizeof one);
            }).detach();
            for (;;) {
                pollfd entry{pending->Done.Get(), POLLIN, 0};
                if (::poll(&entry, 1, IdleSliceMs) > 0)
                    break;
                if (onIdle)
                    onIdle();
                if (aborted && aborted())
                    return TStatus::Aborted;
            }
            std::lock_guard lock(pending->Lock);
            addresses = pending->Addresses;
            if (!addresses.empty())
                FCache[host] = {addresses, now + KeepFor};
        }
    }
    SetPort(addresses, port);
    return addresses.empty() ? TStatus::NotFound : TStatus::Resolved;
}
