// Sole owner of one POSIX socket descriptor; closing it is the only release path.
#pragma once

#include <unistd.h>

#include <utility>

class TSocketHandle
{
  public:
    TSocketHandle() = default;
    explicit TSocketHandle(int fd) : fd_(fd) {}
    TSocketHandle(const TSocketHandle&) = delete;
    TSocketHandle& operator=(const TSocketHandle&) = delete;
    TSocketHandle(TSocketHandle&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    TSocketHandle& operator=(TSocketHandle&& other) noexcept
    {
        if (this != &other) {
            Close();
            fd_ = std::exchange(other.fd_, -1);
        }
        return *this;
    }
    ~TSocketHandle() { Close(); }

    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }
    void Close()
    {
        if (fd_ >= 0)
            ::close(std::exchange(fd_, -1));
    }

  private:
    int fd_ = -1;
};
