// The "Servers" settings laid over the built-in server table.
#include "ServerSettings.h"

#include <gtest/gtest.h>

TEST(ServerSettings, KnownKeysOverrideAndTheRestIsRejected)
{
    const TSettingEntries entries{
        {"whois.org", "whois.example.org"},
        {"whois.biz", "127.0.0.1:4343"},
        {"whois.info", "[::1]"},
        {"rdap.com", "https://rdap.example/com/v1/"},
        {"rdap.net", ""},
        {"spacing.co.uk", "500"},
        {"whois.xyz", "whois.nic.xyz"},
        {"spacing.com", "fast"},
        {"spacing.net", "-1"},
        {"rdap.org", "ftp://rdap.example/"},
        {"whois.com", "bad host"},
        {"whois.me.uk", "host:99999"},
        {"colour.com", "blue"},
    };
    std::vector<std::string> rejected;
    const TWhoisServerTable servers = ApplyServerSettings(DefaultWhoisServers(), entries, rejected);
    EXPECT_EQ(servers.at(".org").Host, "whois.example.org");
    EXPECT_EQ(servers.at(".biz").Host, "127.0.0.1");
    EXPECT_EQ(servers.at(".biz").Port, 4343);
    EXPECT_EQ(servers.at(".com").RdapBase, "https://rdap.example/com/v1/");
    EXPECT_EQ(servers.at(".net").RdapBase, "") << "an empty base switches RDAP off";
    EXPECT_EQ(servers.at(".co.uk").SpacingMs, 500);
    EXPECT_EQ(servers.at(".me.uk").SpacingMs, 250) << "each suffix has its own entries";
    EXPECT_EQ(servers.at(".com").Host, "whois.verisign-grs.com");
    EXPECT_EQ(servers.at(".info").Host, "") << "a rejected entry changes nothing";
    EXPECT_EQ(rejected,
              (std::vector<std::string>{"whois.info=[::1]", "whois.xyz=whois.nic.xyz", "spacing.com=fast",
                                        "spacing.net=-1", "rdap.org=ftp://rdap.example/",
                                        "whois.com=bad host", "whois.me.uk=host:99999", "colour.com=blue"}));
}
