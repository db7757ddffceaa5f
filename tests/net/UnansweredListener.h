// A loopback port that never completes a connection: the listener's accept queue is full, so the
// kernel drops every new handshake and a client's connect waits until its own time-out. This is
// how the tests stand in for an unreachable server without sending anything off this machine.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <cstdint>
#include <stdexcept>

#include "SocketHandle.h"

class TUnansweredListener
{
  public:
    TUnansweredListener()
    {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (::bind(FListener.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(FListener.Get(), 0) != 0 ||
            ::getsockname(FListener.Get(), reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
            ::connect(FQueued.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
            throw std::runtime_error("cannot set up the unanswered listener");
        FPort = ntohs(address.sin_port);
    }

    uint16_t Port() const { return FPort; }

  private:
    TSocketHandle FListener{::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)};
    TSocketHandle FQueued{::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)}; // fills the queue
    uint16_t FPort = 0;
};
