// The main window's quick search against a loopback WHOIS server, and the hand-offs to the browser.
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListView>
#include <QTest>
#include <QTimer>

#include "BrowserAddresses.h"
#include "MainFormFixture.h"

namespace {
class MainFormQuickTest : public TMainFormTest
{
  protected:
    void Type(const char* text)
    {
        auto* box = Find<QLineEdit>("QuickDom");
        box->setText(QString::fromLatin1(text));
        QTest::keyClick(box, Qt::Key_Return);
    }
    void ChooseQuickSuffix(int index)
    {
        auto* list = Find<QComboBox>("CB2");
        list->setCurrentIndex(index);
        emit list->activated(index);
    }
    void DoubleClick(const char* listName, int row)
    {
        emit Find<QListView>(listName)->doubleClicked(Select(listName, row));
    }
};

TEST_F(MainFormQuickTest, EnterChecksTheTextThenEveryLetterForTheStar)
{
    Serve({TWhoisTestServer::Answer(FreeComAnswer()), TWhoisTestServer::Answer(TakenComAnswer())});
    Type("Micr*");
    const std::vector<std::string> asked = Server->Received();
    ASSERT_EQ(asked.size(), 27u);
    EXPECT_EQ(asked[0], "Micr.com\n");
    EXPECT_EQ(asked[1], "Micra.com\n");
    EXPECT_EQ(asked[26], "Micrz.com\n");
    EXPECT_EQ(Available(), QStringList{"Micr"});
    EXPECT_EQ(Registered().size(), 26);
    EXPECT_EQ(Find<QLineEdit>("QuickDom")->text(), "Micrz") << "the box keeps the last text checked";
    EXPECT_EQ(Text("StatusBar1"), "Ready...") << "no totals";
    EXPECT_FALSE(Form->Animating());
    EXPECT_FALSE(Find<QLineEdit>("QuickDom")->isReadOnly());
}

TEST_F(MainFormQuickTest, SuggestionsCheckFiftySixNamesUnderTheQuickSuffixWithTheBusyBar)
{
    ChooseQuickSuffix(3);
    Find<QCheckBox>("CoolName")->setChecked(true);
    bool busyShown = false;
    QTimer::singleShot(0, Form.get(), [&] { busyShown = Text("StatusBar3") == "Busy..."; });
    Type("shop");
    ASSERT_EQ(Server->Connections(), 56);
    EXPECT_EQ(Server->Received()[55], "shopparty.co.uk\n");
    EXPECT_TRUE(busyShown);
    EXPECT_EQ(Text("StatusBar3"), "Ready...");
    EXPECT_EQ(Form->Checker().CurrentSuffix, ".co.uk");
}

TEST_F(MainFormQuickTest, ABlankTextIsRefusedWithItsMessage)
{
    for (const char* typed : {"", "..."}) {
        Shown.clear();
        Type(typed);
        ASSERT_EQ(Shown.size(), 1u) << typed;
        EXPECT_EQ(Shown[0].Text, "Domain name cannot be blank.");
    }
    EXPECT_EQ(Server->Connections(), 0);
}

TEST_F(MainFormQuickTest, StopEndsASuggestionPassEvenWhileAServerHangs)
{
    Serve({TWhoisTestServer::Answer(TakenComAnswer()), TWhoisTestServer::Answer(TakenComAnswer()),
           TWhoisTestServer::Silent()});
    Find<QCheckBox>("CoolName")->setChecked(true);
    Form->show();
    QTimer::singleShot(500, Form.get(), [&] {
        EXPECT_TRUE(Find<QLineEdit>("QuickDom")->isReadOnly());
        EXPECT_FALSE(Find<QWidget>("SearchBtn")->isEnabled());
        Click("CancelBtn");
    });
    QElapsedTimer took;
    took.start();
    Type("name");
    EXPECT_LT(took.elapsed(), 2000);
    EXPECT_EQ(Server->Connections(), 3);
    EXPECT_EQ(Registered(), (QStringList{"name", "ename"})) << "the name asked at the stop is filed nowhere";
    EXPECT_EQ(Text("StatusBar3"), "Ready...");
    EXPECT_TRUE(Find<QWidget>("QuickSearchBtn")->isEnabled());
}

TEST_F(MainFormQuickTest, DoubleClicksOpenTheSiteOrTheOrderPageForTheSuffixCurrentAtTheClick)
{
    Serve({TWhoisTestServer::Answer(TakenComAnswer()), TWhoisTestServer::Answer(FreeComAnswer())});
    Type("ab*");
    ASSERT_FALSE(Registered().isEmpty());
    ASSERT_FALSE(Available().isEmpty());

    DoubleClick("LB2", 0);
    EXPECT_EQ(Opened.value(0), "http://www.kavimor.example/order.asp?domain=aba&type=.com");
    ChooseQuickSuffix(4);
    DoubleClick("LB1", 0);
    EXPECT_EQ(Opened.value(1), "http://www.ab.me.uk");
    Form->findChild<QAction*>("MenuItem5")->trigger();
    EXPECT_EQ(Opened.value(2), "http://www.ab.me.uk") << "\"Open in Browser\" does the same";
    Click("RegDom");
    EXPECT_EQ(Opened.value(3), "http://www.kavimor.example/order.asp?domain=aba&type=.me.uk");
    QTest::mouseClick(Find<QWidget>("Image1"), Qt::LeftButton);
    EXPECT_EQ(Opened.value(4), "http://www.kavimor.example");
    EXPECT_TRUE(Shown.empty());
}

TEST_F(MainFormQuickTest, NothingSelectedOpensNothing)
{
    Serve({TWhoisTestServer::Answer(FreeComAnswer())});
    Type("name");
    Find<QListView>("LB2")->clearSelection();
    Click("RegDom");
    ASSERT_EQ(Shown.size(), 1u);
    EXPECT_EQ(Shown[0].Text,
              "You must select domain you wish to register from the list of available domains!");
    Form->findChild<QAction*>("MenuItem5")->trigger();
    EXPECT_TRUE(Opened.isEmpty());
}
} // namespace
