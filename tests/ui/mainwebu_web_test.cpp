// "Load &Web" in the window against a loopback web server: the address dialog, the load, a scan
// over the page, failures, the recent pages; and the update check of every fifth run.
#include <QDropEvent>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "HttpGrabber.h"
#include "IniCtrl.h"
#include "MRUList.h"
#include "MainFormFixture.h"
#include "getinput.h"

namespace {
class MainFormWebTest : public TMainFormTest
{
  protected:
    // Answers the address dialog: types address and presses OK, or Cancel when cancel is set.
    void AnswerDialog(const QString& address, bool cancel = false)
    {
        OnDialog = [address, cancel](QDialog& dialog) {
            dialog.findChild<QLineEdit*>("UName")->setText(address);
            dialog.findChild<QPushButton*>(cancel ? "AbortBtn" : "OkBtn")->click();
            return TModalAnswer{dialog.result() == QDialog::Accepted, {}};
        };
    }
    // Lets the event loop run until no web load is going.
    void WaitForLoad()
    {
        QElapsedTimer waited;
        waited.start();
        while (Form->Activity() == TActivity::WebLoad && waited.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        ASSERT_EQ(Form->Activity(), TActivity::Idle);
    }
    void WaitForUpdateCheck()
    {
        auto* grabber = Form->findChild<THttpGrabber*>("HGetUpd");
        QElapsedTimer waited;
        waited.start();
        while (grabber->Working() && waited.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QCoreApplication::processEvents();
    }
    QString Page(const char* path) { return QString::fromStdString(Web.Base() + path); }
};

TEST_F(MainFormWebTest, APageLoadsAsTheScanFileAndAScanRunsOverIt)
{
    Web.SetResponses({THttpTestServer::Reply(
        200, "Intro\r\n<html><head><script>\r\nvar hidden;\r\n</script></head>\r\n<body>alpha &amp; "
             "bravo<br>charlie</body>")});
    AnswerDialog(Page("index.htm"));
    bool busy = false;
    QTimer::singleShot(0, Form.get(), [&] { busy = Text("StatusBar3") == "Busy..."; });
    Click("SpeedButton2");
    WaitForLoad();
    EXPECT_TRUE(busy);
    EXPECT_EQ(Text("StatusBar3"), "Ready...");
    EXPECT_EQ(Text("FileLab"), "Web page : " + Page("index.htm") + " - LOADED OK");
    EXPECT_EQ(ReadText("scanfile.txt"), "Intro \r\nalpha & bravo\r\ncharlie\r\n");
    EXPECT_EQ(Text("StatusBar2"), "3 lines..");
    EXPECT_EQ(Form->WebList().Items(), QStringList{Page("index.htm")});
    EXPECT_EQ(Web.Requests().at(0).substr(0, 20), "GET /index.htm HTTP/");

    Serve({TWhoisTestServer::Answer(FreeComAnswer())});
    Click("SearchBtn");
    EXPECT_EQ(Server->Received(),
              (std::vector<std::string>{"Intro.com\n", "alpha.com\n", "bravo.com\n", "charlie.com\n"}));
    EXPECT_EQ(Available(), (QStringList{"Intro", "alpha", "bravo", "charlie"}));
}

TEST_F(MainFormWebTest, AFailedLoadSaysWhyAndKeepsTheSourceAndTheLists)
{
    Serve({TWhoisTestServer::Answer(FreeComAnswer())});
    LoadFile("kept\n");
    Click("SearchBtn");
    const QString loaded = Text("FileLab");
    std::string gone;
    {
        THttpTestServer closed({THttpTestServer::Reply(200)});
        gone = closed.Base() + "page.htm";
    }
    const struct
    {
        QString address;
        const char* reason;
    } cases[] = {{QString::fromStdString(gone), "Unable to connect"},
                 {Page("empty.htm"), "The page is empty"}};
    Web.SetResponses({THttpTestServer::Reply(200)});
    for (const auto& c : cases) {
        Shown.clear();
        AnswerDialog(c.address);
        Click("SpeedButton2");
        WaitForLoad();
        EXPECT_EQ(Text("StatusBar3"), "Ready...");
        ASSERT_EQ(ShownTexts(TModalKind::Information).size(), 1);
        EXPECT_EQ(ShownTexts(TModalKind::Information)[0],
                  "The web page " + c.address + " could not be loaded: " + c.reason);
        EXPECT_EQ(Text("FileLab"), loaded);
        EXPECT_EQ(Available(), QStringList{"kept"}) << "the lists stay until a page has loaded";
    }
    Click("SearchBtn");
    EXPECT_EQ(Available(), QStringList{"kept"}) << "the file loaded before is still the source";
}

TEST_F(MainFormWebTest, StopGivesUpAPageThatDoesNotComeAndOtherCommandsWaitMeanwhile)
{
    Web.SetResponses({THttpTestServer::Silent()});
    AnswerDialog(Page("slow.htm"));
    Click("SpeedButton2");
    EXPECT_EQ(Form->Activity(), TActivity::WebLoad);
    for (const char* name : {"SpeedButton2", "SpeedButton3", "SearchBtn", "QuickSearchBtn", "ClipBtn"})
        EXPECT_FALSE(Find<QWidget>(name)->isEnabled()) << name;
    Click("CancelBtn");
    EXPECT_EQ(Form->Activity(), TActivity::Idle);
    EXPECT_EQ(Text("StatusBar3"), "Ready...");
    EXPECT_TRUE(Find<QWidget>("SpeedButton2")->isEnabled());
    QTest::qWait(100);
    EXPECT_TRUE(ShownTexts(TModalKind::Information).isEmpty()) << "a stop is no failure to report";
}

TEST_F(MainFormWebTest, CancelLoadsNothingAndARecentPageLoadsAtOnce)
{
    Web.SetResponses({THttpTestServer::Reply(200, "first"), THttpTestServer::Reply(200, "second")});
    AnswerDialog(Page("a.htm"), true);
    Click("SpeedButton2");
    EXPECT_EQ(Form->Activity(), TActivity::Idle);
    EXPECT_TRUE(Form->WebList().Items().isEmpty());
    EXPECT_TRUE(Web.Requests().empty());

    AnswerDialog(Page("a.htm"));
    Click("SpeedButton2");
    WaitForLoad();
    AnswerDialog(Page("b.htm"));
    Click("SpeedButton2");
    WaitForLoad();
    EXPECT_EQ(Form->WebList().Items(), (QStringList{Page("b.htm"), Page("a.htm")}));

    Form->WebList().Choose(1);
    WaitForLoad();
    EXPECT_EQ(Form->WebList().Items(), (QStringList{Page("a.htm"), Page("b.htm")}));
    EXPECT_EQ(Text("FileLab"), "Web page : " + Page("a.htm") + " - LOADED OK");
    EXPECT_EQ(Web.Requests().size(), 3u);
}

TEST_F(MainFormWebTest, ADroppedLinkFillsTheAddressAndLoadsNothing)
{
    TGinp dialog;
    EXPECT_EQ(dialog.windowTitle(), "Enter web address.");
    EXPECT_EQ(dialog.size(), QSize(392, 91));
    EXPECT_TRUE(dialog.findChild<QLabel*>("InfoLabel")->text().endsWith("/index.htm)"));
    QMimeData data;
    data.setUrls(
        {QUrl(QStringLiteral("https://example.test/page.htm")), QUrl(QStringLiteral("https://other.test/"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&dialog, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&dialog, &drop);
    EXPECT_EQ(dialog.findChild<QLineEdit*>("UName")->text(), "https://example.test/page.htm");
    EXPECT_TRUE(dialog.WebAddress.isEmpty()) << "the load starts with OK only";
    QTest::keyClick(&dialog, Qt::Key_Return);
    EXPECT_EQ(dialog.WebAddress, "https://example.test/page.htm");
}

TEST_F(MainFormWebTest, TheUpdateCheckAsksOncePerRunWhenTheVersionFileIsNewer)
{
    TIniCtrl store;
    const struct
    {
        const char* firstLine;
        bool checkForUpdates;
        int questions;
    } cases[] = {
        {"2.15", true, 0},   {"Version 2.15 beta", true, 0},
        {"12.150", true, 0}, {"2.16", true, 1},
        {"", true, 1},       {"2.16", false, 0},
    };
    // A window's exit writes its run counter: each start is set up with no window standing.
    const auto start = [&](int storedRuns, bool checkForUpdates, const std::string& versionFile) {
        Form.reset();
        store.WriteInteger("RC", "SearchIndex", storedRuns);
        store.WriteBool("Check For Upd", "Active", checkForUpdates);
        Web.SetResponses({THttpTestServer::Reply(200, versionFile)});
        Form = MakeForm();
        Form->show();
    };
    for (const auto& c : cases) {
        Shown.clear();
        Opened.clear();
        Answers = {TModalAnswer{true, {}}};
        start(4, c.checkForUpdates, std::string(c.firstLine) + "\r\nnotes\r\n");
        WaitForUpdateCheck();
        EXPECT_EQ(Web.Requests().size(), 1u) << c.firstLine << ": fetched, whatever the option says";
        EXPECT_EQ(ShownTexts(TModalKind::Question).size(), c.questions) << c.firstLine;
        if (c.questions) {
            EXPECT_EQ(ShownTexts(TModalKind::Question)[0],
                      "New version of Sollentra is available would you like to update?");
            EXPECT_EQ(Opened, QStringList{"http://www.kavimor.example/download.htm"})
                << "Yes opens the download page";
        }
        OnDialog = [](QDialog&) { return TModalAnswer{false, {}}; };
        Click("OptBtn");
        Click("OptBtn");
        OnDialog = nullptr;
        WaitForUpdateCheck();
        EXPECT_EQ(ShownTexts(TModalKind::Question).size(), c.questions) << c.firstLine << ": once a run";
    }

    start(5, true, "2.16\n");
    WaitForUpdateCheck();
    EXPECT_TRUE(Web.Requests().empty()) << "run 6 does not check";
}
} // namespace
