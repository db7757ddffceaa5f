// Reading today's WHOIS answers: the registries' own samples and variants of them.
#include "AnswerClassifier.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string VerisignTerms =
    "\r\nNOTICE: The expiration date displayed in this record is the date the\r\n"
    "[...]\r\nThe Registry database contains ONLY .COM, .NET, .EDU domains and\r\n"
    "Registrars.\r\n";
const std::string VerisignFree = "No match for \"U34JEDZCQ.COM\".\r\n"
                                 ">>> Last update of whois database: 2026-07-12T12:34:16Z <<<\r\n" +
                                 VerisignTerms;
const std::string VerisignTaken =
    "   Domain Name: GOOGLE.NET\r\n   Registry Domain ID: 4802712_DOMAIN_NET-VRSN\r\n"
    "   Registrar WHOIS Server: whois.markmonitor.com\r\n"
    ">>> Last update of whois database: 2026-07-12T12:34:16Z <<<\r\n" +
    VerisignTerms;
const std::string PirLocked =
    "This domain is protected by the Registry Lock service. If you are the registrant "
    "and wish to take action on this lock, please contact your registrar.\n\n"
    "Domain Name: google.org\n>>> Last update of WHOIS database: 2026-07-12 <<<\n";
const std::string NominetFree =
    "\r\n    No match for \"ecigsbrand.co.uk\".\r\n\r\n"
    "    This domain name has not been registered.\r\n\r\n"
    "    WHOIS lookup made at 13:34:26 12-Jul-2026\r\n\r\n-- \r\n"
    "This WHOIS information is provided for free by Nominet UK the central registry\r\n";
const std::string NominetTaken = "\r\n    Domain name:\r\n        google.co.uk\r\n\r\n    Registrar:\r\n"
                                 "        Markmonitor Inc. [Tag = MARKMONITOR]\r\n";
const std::string NominetQuota2026 = "Error for \"internet.co.uk\".\r\n\r\nthe WHOIS query quota for "
                                     "2003:00fe:7f09:5c36:c53c:01b2:2254:6fc1 has been exceeded\r\n"
                                     "and will be replenished in 0.141 seconds\r\n";
const std::string NominetQuota2010 = "\r\n    Error for \"internet.co.uk\".\r\n\r\n"
                                     "    The WHOIS query quota for 192.0.2.1 has been exceeded.\r\n";

struct TCase
{
    const char* what;
    std::string answer;
    const char* suffix;
    const char* asked;
    TVerdictKind kind;
    TNoAnswer reason = TNoAnswer::Failed;
};

TEST(ClassifyAnswer, ReadsTodaysRegistriesAndTheOldFormLast)
{
    const TCase cases[] = {
        {"nothing", "", ".com", "a.com", TVerdictKind::NotAnswered, TNoAnswer::Failed},
        {"only line ends", "\r\n\r\n", ".com", "a.com", TVerdictKind::NotAnswered, TNoAnswer::Failed},
        {"client's error", "Error WSAECONNRESET", ".co.uk", "a.co.uk", TVerdictKind::NotAnswered,
         TNoAnswer::Failed},
        {"Verisign free", VerisignFree, ".com", "u34jedzcq.com", TVerdictKind::Free},
        {"Verisign free, LF only", "No match for \"ABC.NET\".\n>>> Last update of whois database: x <<<\n",
         ".net", "abc.net", TVerdictKind::Free},
        {"Verisign, another name in the No match", VerisignFree, ".com", "other.com", TVerdictKind::Taken},
        {"Verisign taken", VerisignTaken, ".net", "google.net", TVerdictKind::Taken},
        {"Verisign reserved, no name servers", "   Domain Name: Y.COM\r\n   Registrar: x\r\n", ".com",
         "y.com", TVerdictKind::Taken},
        {"PIR free, 2022", "Domain not found.\n>>> Last update of WHOIS database: x <<<\n", ".org", "abc.org",
         TVerdictKind::Free},
        {"PIR free, 2015", "NOT FOUND\n>>> Last update of WHOIS database: x <<<\n", ".org", "abc.org",
         TVerdictKind::Free},
        {"PIR taken behind a lock notice", PirLocked, ".org", "google.org", TVerdictKind::Taken},
        {"PIR limit", "WHOIS LIMIT EXCEEDED - SEE WWW.PIR.ORG/WHOIS FOR DETAILS\n", ".org", "abc.org",
         TVerdictKind::Limited, TNoAnswer::Limited},
        {"Nominet free", NominetFree, ".co.uk", "ecigsbrand.co.uk", TVerdictKind::Free},
        {"Nominet free, another name: the second line still says so", NominetFree, ".co.uk", "other.co.uk",
         TVerdictKind::Free},
        {"Nominet taken, name on the next line", NominetTaken, ".co.uk", "GOOGLE.co.uk", TVerdictKind::Taken},
        {"Nominet quota, 2026", NominetQuota2026, ".co.uk", "internet.co.uk", TVerdictKind::Limited,
         TNoAnswer::Limited},
        {"Nominet quota, 2010", NominetQuota2010, ".me.uk", "internet.me.uk", TVerdictKind::Limited,
         TNoAnswer::Limited},
        {"Nominet naming rules",
         "Error for \"x.uk\".\r\n\r\nThis domain cannot be registered because it "
         "contravenes the Nominet UK naming rules.\r\n",
         ".co.uk", "x.co.uk", TVerdictKind::Taken},
        {"GoDaddy free",
         "No Data Found\r\nURL of the ICANN Whois Inaccuracy Complaint Form: https://x/\r\n"
         ">>> Last update of WHOIS database: x <<<\r\n",
         ".biz", "abc.biz", TVerdictKind::Free},
        {"GoDaddy taken", "Domain Name: google.biz\r\nRegistry Domain ID: x\r\n", ".biz", "google.biz",
         TVerdictKind::Taken},
        {"Identity Digital, no data", "TLD is not supported.\n>>> Last update of WHOIS database: x <<<\n",
         ".info", "abc.info", TVerdictKind::NotAnswered, TNoAnswer::Unsupported},
        {"retired service",
         "Notice: Effective May 1, 2026, the WHOIS service has been retired in accordance with "
         "ICANN's RDAP transition policy.\n",
         ".biz", "abc.biz", TVerdictKind::NotAnswered, TNoAnswer::Unsupported},
        {"brand protection",
         "The registration of this domain is restricted, as it is protected by the ABC Brand "
         "Protection policy.\n",
         ".info", "abc.info", TVerdictKind::Taken},
        {"old reserved text", "Name is reserved by afilias\n", ".info", "abc.info", TVerdictKind::Taken},
        // The old form: a marker at its fixed place in the trimmed answer.
        {"old .info marker", "NOT FOUND here", ".info", "abc.info", TVerdictKind::Free},
        {"old .com marker after the banner", std::string(195, 'b') + "  No match." + std::string(86, 'f'),
         ".com", "abc.com", TVerdictKind::Free},
        {"anything else", "Whatever the server says", ".biz", "abc.biz", TVerdictKind::Taken},
        {"server down", "* Sorry, the Whois database is currently down.\r\n", ".com", "abc.com",
         TVerdictKind::NotAnswered, TNoAnswer::Failed},
    };
    for (const TCase& c : cases) {
        const TVerdict verdict = ClassifyAnswer(c.answer, c.suffix, c.asked);
        EXPECT_EQ(verdict.Kind, c.kind) << c.what;
        if (c.kind == TVerdictKind::NotAnswered || c.kind == TVerdictKind::Limited) {
            EXPECT_EQ(verdict.Reason, c.reason) << c.what;
        }
    }
}

TEST(ClassifyAnswer, ALimitAnswerNamesItsWaitWhenTheServerDoes)
{
    EXPECT_EQ(ClassifyAnswer(NominetQuota2026, ".co.uk", "internet.co.uk").WaitSeconds, 0.141);
    EXPECT_EQ(ClassifyAnswer(NominetQuota2010, ".co.uk", "internet.co.uk").WaitSeconds, std::nullopt);

    // A wait no registry could mean: none named ("inf", "nan") or at most a day, which ends the
    // registry's part in the run. An infinite wait used to reach a conversion to whole seconds.
    const std::pair<const char*, std::optional<double>> waits[] = {{"inf", std::nullopt},
                                                                   {"nan", std::nullopt},
                                                                   {"-1", std::nullopt},
                                                                   {"1e300", 86400.0},
                                                                   {"400", 400.0}};
    for (const auto& [named, wait] : waits) {
        const std::string answer =
            "the WHOIS query quota for x has been exceeded\r\nand will be replenished in " +
            std::string(named) + " seconds\r\n";
        EXPECT_EQ(ClassifyAnswer(answer, ".co.uk", "x.co.uk").WaitSeconds, wait) << named;
    }
}

TEST(AnswerToShow, ARegistrysRecordEndsAtItsLastUpdateLineWithoutTheTerms)
{
    const struct
    {
        const char* what;
        std::string answer;
        const char* suffix;
        const char* asked;
        std::string shown;
    } cases[] = {
        {"Verisign", VerisignFree, ".com", "u34jedzcq.com",
         "No match for \"U34JEDZCQ.COM\".\r\n>>> Last update of whois database: 2026-07-12T12:34:16Z "
         "<<<\r\n"},
        {"Nominet", NominetFree, ".co.uk", "ecigsbrand.co.uk",
         NominetFree.substr(0, NominetFree.find("\r\n\r\n-- ") + 2)},
        {"record without an end line", NominetTaken, ".co.uk", "google.co.uk", NominetTaken},
        {"old form: trimmed as ever", std::string(195, 'b') + "  No match." + std::string(86, 'f'), ".com",
         "abc.com", "  No match.f"},
        {"error text", "Error WSAECONNREFUSED", ".com", "abc.com", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AnswerToShow(c.answer, c.suffix, ClassifyAnswer(c.answer, c.suffix, c.asked)), c.shown)
            << c.what;
}

TEST(AnswerToShow, AHugeAnswerIsCut)
{
    const std::string answer = "Domain Name: big.biz\n" + std::string(1024 * 1024, 'x');
    EXPECT_EQ(AnswerToShow(answer, ".biz", ClassifyAnswer(answer, ".biz", "big.biz")).size(), MaxShownAnswer);
}

} // namespace
