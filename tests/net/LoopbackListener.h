// What every loopback test server shares: a listening socket on 127.0.0.1, on an ephemeral port
// unless one is named, and a stop that wakes the serving thread from whatever it waits in.
#pragma once

#include <atomic>
#include <cstdint>

#include "SocketHandle.h"

class TLoopbackListener
{
  public:
    // Throws std::system_error when the socket cannot be set up.
    explicit TLoopbackListener(uint16_t port = 0);

    uint16_t Port() const { return FPort; }

    // The next connection; an invalid handle when Stop came first or the wait failed.
    TSocketHandle Accept();
    // Waits until socket can be read or was hung up; false when Stop came first.
    bool WaitReadable(int socket);
    // Pauses for pauseMs, or less when Stop comes first; whether Stop came.
    bool Stopping(int pauseMs);
    bool Stopped() const { return FStop; }
    // Wakes every wait, now and later; called from another thread than the one serving.
    void Stop();

  private:
    TSocketHandle FSocket;
    TSocketHandle FStopRead;
    TSocketHandle FStopWrite;
    uint16_t FPort = 0;
    std::atomic<bool> FStop{false};
};
