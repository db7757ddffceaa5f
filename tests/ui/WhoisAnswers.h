// Answers framed the way the .com registry frames them, and the server table that sends every
// suffix's questions to one loopback server.
#pragma once

#include <cstdint>
#include <string>

#include "Suffixes.h"

// A .com answer the way the registry frames it: trimming leaves exactly body and the final LF.
inline std::string ComAnswer(const std::string& body)
{
    return std::string(195, 'h') + body + std::string(85, 'f') + "\n";
}
inline std::string FreeComAnswer()
{
    return ComAnswer("  No match.");
}
inline std::string TakenComAnswer()
{
    return ComAnswer("  Domain Name: TAKEN");
}

inline TWhoisServerTable LoopbackServers(uint16_t port)
{
    TWhoisServerTable servers;
    for (const std::string_view suffix : Suffixes)
        servers.emplace(suffix, TWhoisServer{"127.0.0.1", port, 0, ""});
    return servers;
}
