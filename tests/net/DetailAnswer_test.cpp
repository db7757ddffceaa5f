// Cutting a detail answer to its registrant part, and finding the registrar's WHOIS server.
#include "DetailAnswer.h"

#include <gtest/gtest.h>

TEST(CutDetailAnswer, KeepsTheRegistrantPart)
{
    const struct
    {
        const char* what;
        std::string answer;
        std::string cut;
    } cases[] = {
        {"none of the marks: whole", "Domain: a.com\nStatus: ok\n", "Domain: a.com\nStatus: ok\n"},
        {"Registrant", "head\nRegistrant: Jo\n", "Registrant: Jo\n"},
        {"Registrant, then Organization after it", "x Registrant: Jo\nOrganization: Co\n",
         "Organization: Co\n"},
        {"Organization only before Registrant: cut at Registrant alone", "Organization: Co\nRegistrant: Jo\n",
         "Registrant: Jo\n"},
        {"Registrant first: nothing before it", "Registrant: Jo", "Registrant: Jo"},
        {"policy and two line feeds after the registrant: the second feed stays",
         "Registrant: Jo\nOur policy.\n\nMore", "\nMore"},
        {"policy with one line feed", "policy.\nRegistrant", "Registrant"},
        {"empty", "", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CutDetailAnswer(c.answer), c.cut) << c.what;
}

TEST(RegistrarWhoisServer, ReadsTheRegistrarLine)
{
    const struct
    {
        const char* answer;
        const char* server;
    } cases[] = {
        {"   Domain Name: GOOGLE.NET\r\n   Registrar WHOIS Server: whois.markmonitor.com\r\n",
         "whois.markmonitor.com"},
        {"Registrar WHOIS Server: whois://whois.example.com/\n", "whois.example.com"},
        {"registrar whois server: 127.0.0.1:4343\n", "127.0.0.1:4343"},
        {"Registrar WHOIS Server:\n", ""},
        {"Registrar WHOIS Server: bad host; rm\n", ""},
        {"Domain Name: google.org\n", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RegistrarWhoisServer(c.answer), c.server) << c.answer;
}
