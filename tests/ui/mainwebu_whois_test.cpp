// The "Who Is?" panel in the window: the notice for a picked name, More Info, the "WhoIS" command
// and Ping (through a stand-in for the ICMP socket that answers every request).
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListView>
#include <QTest>

#include "MainFormFixture.h"
#include "lookupw.h"

namespace {
// Answers every echo request from 10.1.2.3 with TTL 52.
class TEchoTransport : public TIcmpTransport
{
  public:
    uint32_t Resolve(const std::string& host, const std::function<void()>&) override
    {
        Resolved.push_back(host);
        return 0x0100007f;
    }
    void Open(int) override {}
    uint16_t Identifier(uint16_t process) const override { return process; }
    void Send(const TEchoRequest& request, uint32_t, int) override { FLast = request; }
    std::optional<std::vector<uint8_t>> Receive(int) override
    {
        std::vector<uint8_t> datagram{0x45, 0, 0, 0, 0, 0, 0, 0, 52, 1, 0, 0, 10, 1, 2, 3, 127, 0, 0, 1};
        datagram.insert(datagram.end(), FLast.begin(), FLast.end());
        datagram[20] = 0;
        return datagram;
    }
    void Close() override {}
    std::vector<std::string> Resolved;

  private:
    TEchoRequest FLast{};
};

class MainFormWhoisTest : public TMainFormTest
{
  protected:
    // Lists names as registered through a quick search for each.
    void Register(std::initializer_list<const char*> names)
    {
        for (const char* name : names) {
            Find<QLineEdit>("QuickDom")->setText(QLatin1String(name));
            Click("QuickSearchBtn");
        }
    }
    void Pick(int row) { emit Find<QListView>("LB1")->clicked(Select("LB1", row)); }
    QString Caption() { return Find<QGroupBox>("GB5")->title(); }
};

TEST_F(MainFormWhoisTest, PickingARegisteredNameShowsTheNotice)
{
    Register({"alpha"});
    Pick(0);
    EXPECT_EQ(Caption(), "WhoIs - www.alpha.com");
    EXPECT_EQ(Text("Label3"), "\n\nWWW.ALPHA.COM IS REGISTERED...\n\n>>> Click on More Info for details");
    EXPECT_EQ(Server->Connections(), 1) << "no question for a pick";
}

TEST_F(MainFormWhoisTest, MoreInfoAsksTheRegistrarAndThenTheSuffixsServerAgain)
{
    TWhoisTestServer registrar({TWhoisTestServer::Answer("Terms of use\nRegistrant Name: Jo Bloggs\n")});
    Serve({TWhoisTestServer::Answer(TakenComAnswer()),
           TWhoisTestServer::Answer("   Domain Name: ALPHA.COM\r\n   Registrar WHOIS Server: 127.0.0.1:" +
                                    std::to_string(registrar.Port()) + "\r\n"),
           TWhoisTestServer::Answer(FreeComAnswer())});
    Register({"alpha"});
    Pick(0);
    Click("WhoIsBtn");
    EXPECT_EQ(Text("Label3"), "Registrant Name: Jo Bloggs\n");
    EXPECT_EQ(registrar.Received(), std::vector<std::string>{"alpha.com\n"});
    EXPECT_EQ(Server->Received().at(1), "alpha.com\n");
    EXPECT_EQ(Text("StatusBar3"), "Ready...");
    EXPECT_TRUE(Find<QWidget>("WhoIsBtn")->isEnabled());
    EXPECT_TRUE(Shown.empty());

    Register({"bravo"});
    EXPECT_EQ(Server->Received().at(2), "bravo.com\n") << "the suffix's own server once more";
}

TEST_F(MainFormWhoisTest, MoreInfoWithoutDetailsSaysSoAndShowsTheShortAnswer)
{
    Serve({TWhoisTestServer::Answer(TakenComAnswer()), TWhoisTestServer::Answer("tiny")});
    Register({"alpha"});
    Pick(0);
    Click("WhoIsBtn");
    ASSERT_EQ(ShownTexts(TModalKind::Information).size(), 1);
    EXPECT_EQ(ShownTexts(TModalKind::Information)[0],
              "Unable to retreive more info from WHOIS Server, for domain alpha.com");
    EXPECT_EQ(Text("Label3"), "tiny");
}

TEST_F(MainFormWhoisTest, WithoutAPickedNameMoreInfoAndPingSayWhatToDo)
{
    Click("WhoIsBtn");
    Click("PingBtn");
    EXPECT_EQ(ShownTexts(TModalKind::Information),
              (QStringList{"Select one domain you wish to explore from the list of Registered domains.\n"
                           "If the list is empty you need to scan file or a web page first.",
                           "Select one domain you wish to ping from the list of Registered domains.\n"
                           "If the list is empty you need to scan file or a web page first."}));
    EXPECT_EQ(Server->Connections(), 0);
}

TEST_F(MainFormWhoisTest, TheWhoIsCommandListsANameThatBecameFree)
{
    Serve({TWhoisTestServer::Answer(TakenComAnswer()), TWhoisTestServer::Answer(FreeComAnswer())});
    Register({"Alpha"});
    Select("LB1", 0);
    Form->findChild<QAction*>("MenuItem3")->trigger();
    EXPECT_EQ(Server->Received().back(), "Alpha.com\n");
    EXPECT_EQ(Available(), QStringList{"Alpha"});
    EXPECT_EQ(Registered(), QStringList{"Alpha"}) << "and stays registered";
    EXPECT_EQ(Find<QLineEdit>("QuickDom")->text(), "Alpha");
    EXPECT_EQ(Text("Label3"), "  No match.\n");
}

TEST_F(MainFormWhoisTest, PingWritesFourReplyLinesForThePickedName)
{
    auto transport = std::make_unique<TEchoTransport>();
    TEchoTransport& echo = *transport;
    Form = MakeForm(0, std::move(transport));
    Register({"alpha"});
    Pick(0);
    Click("PingBtn");
    const QStringList lines = Text("Label3").split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 8) << Text("Label3").toStdString()
                               << ShownTexts(TModalKind::Error).join(";").toStdString();
    EXPECT_EQ(lines[1], "PINGING www.alpha.com");
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(
            lines[3 + i].startsWith(QStringLiteral("72 BYTES FROM 10.1.2.3: ICMP_SEQ=%1 TTL=52 TIME").arg(i)))
            << lines[3 + i].toStdString();
    EXPECT_EQ(echo.Resolved, std::vector<std::string>(4, "www.alpha.com"));
    EXPECT_TRUE(Find<QWidget>("PingBtn")->isEnabled());

    Form->findChild<QAction*>("MenuItem6")->trigger();
    EXPECT_TRUE(Text("Label3").contains("ICMP_SEQ=7")) << "the sequence runs on across runs";
}
} // namespace
