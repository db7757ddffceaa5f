// The "Servers" section of the settings: a user's own WHOIS hosts, RDAP services and paces per
// suffix, laid over the built-in table, so that a registry that moves can be followed without a
// new build. Keys: "whois" + suffix (host, or host:port; empty for none), "rdap" + suffix (an http
// or https base with its path), "spacing" + suffix (milliseconds, 0 to 60000); for example
// "whois.org=whois.pir.org".
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "Suffixes.h"

using TSettingEntries = std::vector<std::pair<std::string, std::string>>;

// Sets server's host and port from "host" or "host:port" (port 43 when none is named); false, and
// server unchanged, for a text that is neither.
bool SetWhoisHost(TWhoisServer& server, std::string_view text);

// servers with entries laid over them; an entry of an unknown key or a malformed value is left out
// and listed in rejected as "key=value".
TWhoisServerTable ApplyServerSettings(TWhoisServerTable servers, const TSettingEntries& entries,
                                      std::vector<std::string>& rejected);
