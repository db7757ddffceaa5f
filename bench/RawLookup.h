// The WHOIS conversation with nothing around it, the yardstick of the benchmarks: connect to a
// loopback server, send, read until it closes, close.
#pragma once

#include "SocketHandle.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>

inline std::string RawLookup(uint16_t port, const std::string& wire)
{
    TSocketHandle socket(::socket(AF_INET, SOCK_STREAM, 0));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    if (::connect(socket.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::send(socket.Get(), wire.data(), wire.size(), MSG_NOSIGNAL) < 0)
        throw std::runtime_error("raw lookup failed");
    std::string answer;
    std::array<char, 500> buffer;
    for (ssize_t got; (got = ::recv(socket.Get(), buffer.data(), buffer.size(), 0)) > 0;)
        answer.append(buffer.data(), static_cast<std::size_t>(got));
    return answer;
}
