// RDAP questions against a loopback HTTP server standing in for a registry's RDAP service.
#include "HttpTestServer.h"
#include "RdapClient.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

const std::string Domain =
    R"({"objectClassName":"domain","ldhName":"GOOGLE.BIZ","status":["client delete prohibited",
  "active"],"events":[{"eventAction":"registration","eventDate":"2002-03-27T16:03:44Z"},
  {"eventAction":"expiration","eventDate":"2027-03-26T23:59:59Z"}],
  "entities":[{"objectClassName":"entity","roles":["registrar"],"vcardArray":["vcard",[["version",{},"text","4.0"],
  ["fn",{},"text","MarkMonitor Inc."]]]}],
  "nameservers":[{"objectClassName":"nameserver","ldhName":"ns1.google.com"},{"ldhName":"ns2.google.com"}]})";

TEST(RdapDomainUrl, KeepsTheBasesPath)
{
    EXPECT_EQ(RdapDomainUrl("https://rdap.example/rdap/", "a.info"),
              "https://rdap.example/rdap/domain/a.info");
    EXPECT_EQ(RdapDomainUrl("https://rdap.example/rdap", "a.info"),
              "https://rdap.example/rdap/domain/a.info");
}

TEST(RdapClient, StatusesBecomeVerdicts)
{
    const struct
    {
        const char* what;
        THttpTestServer::TResponse response;
        TVerdictKind kind;
        const char* inText;
    } cases[] = {
        {"registered", THttpTestServer::Reply(200, Domain), TVerdictKind::Taken,
         "Registrar: MarkMonitor Inc."},
        {"not in the registry", THttpTestServer::Reply(404), TVerdictKind::Free, "has no domain google.biz"},
        {"limited", THttpTestServer::Reply(429, "", {"Retry-After: 7"}), TVerdictKind::Limited, "wait"},
        {"server error", THttpTestServer::Reply(500), TVerdictKind::NotAnswered, "answered 500"},
        {"not RDAP", THttpTestServer::Reply(200, "<html>hello</html>"), TVerdictKind::NotAnswered,
         "cannot be read"},
        {"JSON of another shape", THttpTestServer::Reply(200, R"({"ldhName": 5, "events": "none"})"),
         TVerdictKind::NotAnswered, "cannot be read"},
    };
    for (const auto& c : cases) {
        THttpTestServer server({c.response});
        TRdapClient client;
        const TCheckResult result =
            RdapResult(client.Get(RdapDomainUrl(server.Base() + "rdap/", "google.biz")), "google.biz");
        EXPECT_EQ(result.Verdict.Kind, c.kind) << c.what;
        EXPECT_NE(result.Answer.find(c.inText), std::string::npos) << c.what << ": " << result.Answer;
        ASSERT_EQ(server.Requests().size(), 1u) << c.what;
        const std::string request = server.Requests()[0];
        EXPECT_EQ(request.substr(0, request.find('\r')), "GET /rdap/domain/google.biz HTTP/1.1") << c.what;
        EXPECT_NE(request.find("Accept: application/rdap+json, application/json"), std::string::npos)
            << c.what;
    }
}

TEST(RdapClient, ReadsTheRegistrationAndTheServersWait)
{
    THttpTestServer registered({THttpTestServer::Reply(200, Domain)});
    TRdapClient client;
    const TCheckResult taken = RdapResult(client.Get(registered.Base() + "domain/google.biz"), "google.biz");
    EXPECT_EQ(taken.Answer, "RDAP:\nDomain Name: GOOGLE.BIZ\nStatus: client delete prohibited, active\n"
                            "Registrar: MarkMonitor Inc.\nCreated: 2002-03-27T16:03:44Z\n"
                            "Expires: 2027-03-26T23:59:59Z\nName servers: ns1.google.com, ns2.google.com\n");

    THttpTestServer limited({THttpTestServer::Reply(429, "", {"Retry-After: 7"})});
    EXPECT_EQ(RdapResult(client.Get(limited.Base() + "domain/x.biz"), "x.biz").Verdict.WaitSeconds, 7.0);
    // A wait beyond counting in whole seconds used to reach the refusal message as it came.
    THttpTestServer endless({THttpTestServer::Reply(429, "", {"Retry-After: 9223372036854775807"})});
    EXPECT_EQ(RdapResult(client.Get(endless.Base() + "domain/x.biz"), "x.biz").Verdict.WaitSeconds,
              MaxNamedWaitSeconds);
}

TEST(RdapClient, FailuresAreNoVerdict)
{
    THttpTestServer huge({THttpTestServer::Reply(200, std::string(TRdapClient::MaxBodyBytes + 1, ' '))});
    THttpTestServer silent({THttpTestServer::Silent()});
    TRdapClient client;
    EXPECT_EQ(RdapResult(client.Get(huge.Base() + "domain/a.biz"), "a.biz").Verdict.Kind,
              TVerdictKind::NotAnswered);

    client.TotalTimeoutMs = 300;
    EXPECT_EQ(RdapResult(client.Get(silent.Base() + "domain/a.biz"), "a.biz").Verdict.Kind,
              TVerdictKind::NotAnswered);

    client.TotalTimeoutMs = 30000;
    const auto start = std::chrono::steady_clock::now();
    int idles = 0;
    client.OnIdle = [&idles] { ++idles; };
    client.Aborted = [start] {
        return std::chrono::steady_clock::now() - start > std::chrono::milliseconds(200);
    };
    const TCheckResult stopped = RdapResult(client.Get(silent.Base() + "domain/a.biz"), "a.biz");
    EXPECT_EQ(stopped.Verdict.Reason, TNoAnswer::Stopped);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
    EXPECT_GT(idles, 2);
}

} // namespace
