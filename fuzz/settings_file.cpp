// The settings file as the program meets it at start, whatever it holds: a file set aside as broken
// is gone, and every value of one that is kept reads as a value, a default or "Invalid data type"
// (never "Failed to get data", which would stop the start-up); the "Servers" entries either apply
// or are reported, and no entry gives a WHOIS server without a host and port.
#include <QCoreApplication>
#include <QFile>
#include <QString>

#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "IniCtrl.h"
#include "ServerSettings.h"

namespace {
// Reads one value; a value of the wrong type is what the store reports, not a fault.
template <typename TRead> void ReadValue(TRead read)
{
    try {
        read();
    } catch (const TIniError& error) {
        FUZZ_CHECK(std::string(error.what()).starts_with("Invalid data type for "));
    }
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setenv("XDG_CONFIG_HOME", FuzzFolder().c_str(), 1);
    QCoreApplication::setApplicationName(QStringLiteral("Sollentra"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // QSettings keeps parsed files by name and takes an unchanged size and time for an unchanged
    // file, so every input gets a name of its own.
    static unsigned long input = 0;
    QCoreApplication::setApplicationName(QStringLiteral("Sollentra%1").arg(++input));
    const QString fileName = TIniCtrl::FileName();
    WriteFuzzFile(fileName.section(QLatin1Char('/'), -1).toStdString(),
                  {reinterpret_cast<const char*>(data), size});

    const QString kept = TIniCtrl::SetAsideBrokenFile();
    FUZZ_CHECK(kept.isEmpty() || !QFile::exists(fileName));

    const TIniCtrl store;
    ReadValue([&] { (void)store.ReadBool(QStringLiteral("Options"), QStringLiteral("SortAlpha"), false); });
    ReadValue([&] { (void)store.ReadInteger(QStringLiteral("RC"), QStringLiteral("SearchIndex"), 1); });
    ReadValue([&] { (void)store.ReadStrings(QStringLiteral("MRU1"), QStringLiteral("File")); });
    ReadValue([&] {
        QStringList notText;
        TSettingEntries entries;
        for (const auto& [name, value] : store.ReadSection(QStringLiteral("Servers"), notText))
            entries.emplace_back(name.toStdString(), value.toStdString());
        std::vector<std::string> rejected;
        const TWhoisServerTable servers = ApplyServerSettings(DefaultWhoisServers(), entries, rejected);
        FUZZ_CHECK(rejected.size() <= entries.size());
        for (const auto& [suffix, server] : servers)
            FUZZ_CHECK(server.Host.empty() || server.Port > 0);
    });

    QFile::remove(fileName);
    QFile::remove(kept);
    return 0;
}
