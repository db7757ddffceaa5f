#include "ServerSettings.h"

#include <cctype>
#include <charconv>
#include <optional>

namespace {
std::optional<int> Number(std::string_view text, int low, int high)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high)
        return std::nullopt;
    return value;
}

bool IsHostName(std::string_view host)
{
    for (const char c : host)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.' && c != '-' && c != ':')
            return false;
    return true;
}

} // namespace

// A bare IPv6 address, with several colons, has no port.
bool SetWhoisHost(TWhoisServer& server, std::string_view value)
{
    if (!IsHostName(value))
        return false;
    const std::size_t colon = value.rfind(':');
    if (colon == std::string_view::npos || value.find(':') != colon) {
        server.Host = std::string(value);
        server.Port = 43;
        return true;
    }
    const auto port = Number(value.substr(colon + 1), 1, 65535);
    if (!port || colon == 0)
        return false;
    server.Host = std::string(value.substr(0, colon));
    server.Port = static_cast<uint16_t>(*port);
    return true;
}

namespace {
bool SetRdapBase(TWhoisServer& server, std::string_view value)
{
    const bool web = value.starts_with("https://") || value.starts_with("http://");
    if (!value.empty() && (!web || value.find_first_of(" \t\"<>") != std::string_view::npos))
        return false;
    server.RdapBase = std::string(value);
    return true;
}

bool Apply(TWhoisServerTable& servers, const std::string& key, const std::string& value)
{
    for (const std::string_view field : {"whois", "rdap", "spacing"}) {
        if (!key.starts_with(field))
            continue;
        const auto entry = servers.find(std::string_view(key).substr(field.size()));
        if (entry == servers.end())
            return false;
        TWhoisServer& server = entry->second;
        if (field == "whois")
            return SetWhoisHost(server, value);
        if (field == "rdap")
            return SetRdapBase(server, value);
        const auto spacing = Number(value, 0, 60000);
        if (spacing)
            server.SpacingMs = *spacing;
        return spacing.has_value();
    }
    return false;
}
} // namespace

TWhoisServerTable ApplyServerSettings(TWhoisServerTable servers, const TSettingEntries& entries,
                                      std::vector<std::string>& rejected)
{
    for (const auto& [key, value] : entries)
        if (!Apply(servers, key, value))
            rejected.push_back(key + "=" + value);
    return servers;
}
