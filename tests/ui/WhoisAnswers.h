// Test and benchmark access to the main window: points its WHOIS client at a loopback server, and
// answers framed the way the .com registry frames them.
#pragma once

#include <QString>

#include <cstdint>
#include <string>

#include "mainwebu.h"

struct TMainFormTestSeam
{
    static void UseWhoisServer(TMainForm& form, uint16_t port)
    {
        form.FTestWhoisServer = QStringLiteral("127.0.0.1");
        form.WhoisClient1.Port = port;
    }
};

// A .com answer the way the registry frames it: trimming leaves exactly body and the final LF.
inline std::string ComAnswer(const std::string& body)
{
    return std::string(195, 'h') + body + std::string(85, 'f') + "\n";
}
inline std::string FreeComAnswer() { return ComAnswer("  No match."); }
inline std::string TakenComAnswer() { return ComAnswer("  Domain Name: TAKEN"); }
