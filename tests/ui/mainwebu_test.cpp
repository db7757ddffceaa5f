// The main window's scan: sources, the run against a loopback WHOIS server, what may run meanwhile,
// stopping, closing and saving the results.
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <QElapsedTimer>

#include "MainFormFixture.h"
#include "UnansweredListener.h"
#include "lookupw.h"

using MainFormRunTest = TMainFormTest;

TEST_F(MainFormRunTest, ControlsCarryTheirCaptionsAndHints)
{
    const struct
    {
        const char* name;
        const char* text;
    } buttons[] = {
        {"CheckitBtn", "Load &File"},
        {"SpeedButton2", "Load &Web"},
        {"ClipBtn", "Load &Clip"},
        {"GetNewFavPosts", "&Save Search"},
        {"OptBtn", "&Options"},
        {"SCForumsBtn", "&About"},
        {"SpeedButton4", "&Help"},
        {"AbortBtn", "E&xit"},
        {"SearchBtn", "S&tart Scan"},
        {"CancelBtn", "Stop Sca&n"},
        {"StripNumChk", "Strip Numbers"},
        {"StripHash", "Strip Hashes"},
        {"QuickSearchBtn", "&Quick Search"},
        {"CoolName", "Suggest cool domain name"},
        {"RegDom", "Register Domain"},
        {"PingBtn", "Ping Domain"},
        {"WhoIsBtn", "More Info"},
    };
    for (const auto& b : buttons)
        EXPECT_EQ(Find<QAbstractButton>(b.name)->text(), b.text) << b.name;
    for (const char* group : {"GB1", "GB2", "GB3", "GB4", "GB5"})
        EXPECT_FALSE(Find<QGroupBox>(group)->title().isEmpty()) << group;
    EXPECT_EQ(Find<QGroupBox>("GB3")->title(), "File / Web page Scan Options");
    EXPECT_EQ(Find<QAbstractButton>("SearchBtn")->toolTip(), "Runs a loaded file or a web page scan");
    EXPECT_EQ(Find<QListView>("LB1")->toolTip(), "Double click to visit");
    EXPECT_EQ(Find<QListView>("LB2")->toolTip(), "Double click to register");
    for (const char* combo : {"CB1", "CB2"}) {
        auto* list = Find<QComboBox>(combo);
        ASSERT_EQ(list->count(), 7);
        EXPECT_EQ(list->currentText(), ".com");
        EXPECT_EQ(list->itemText(3), ".co.uk");
    }
    EXPECT_EQ(Find<QSpinBox>("SP1")->value(), 10);
    EXPECT_EQ(Find<QSpinBox>("SP2")->value(), 4);
    for (const char* status : {"StatusBar1", "StatusBar2", "StatusBar3", "FileLab"})
        EXPECT_EQ(Text(status), "Ready...") << status;
    EXPECT_EQ(Form->windowTitle(), "Kavimor - Sollentra");
    EXPECT_TRUE(Form->Checker().CurrentSuffix.empty()) << "no change handler runs at creation";
}

TEST_F(MainFormRunTest, LoadingAFileShowsItAndBlinksStart)
{
    LoadFile("alpha\r\nbravo\r\ncharlie\n");
    const QString path = Folder.filePath("words.txt");
    EXPECT_EQ(Shown.at(0).Kind, TModalKind::OpenFile);
    EXPECT_EQ(Shown.at(0).Caption, "Open text file to scan");
    EXPECT_EQ(Text("StatusBar1"), "Loaded 1 files..");
    EXPECT_EQ(Find<QLabel>("StatusBar1")->toolTip(), "File : " + path);
    EXPECT_EQ(Text("StatusBar2"), "3 lines..");
    EXPECT_EQ(Text("FileLab"), "File : " + path + " - LOADED OK");

    auto* timer = Form->findChild<QTimer*>("SrchReadyTimer");
    ASSERT_TRUE(timer->isActive());
    const int before = Form->SearchBtnImageIndex();
    QTest::qWait(900);
    EXPECT_NE(Form->SearchBtnImageIndex(), before) << "the start button blinks";
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(Find<QPushButton>("SearchBtn"), &enter);
    EXPECT_FALSE(timer->isActive()) << "the pointer on the button stops the blink";
}

TEST_F(MainFormRunTest, RunFilesEachNameOnceAndShowsTotals)
{
    Serve({TWhoisTestServer::Answer(TakenComAnswer()), TWhoisTestServer::Answer(FreeComAnswer())});
    LoadFile("Alpha  second\n bravo\ncharlie delta\nALPHA\n");
    Click("SearchBtn");

    EXPECT_EQ(Server->Received(), (std::vector<std::string>{"Alpha.com\n", "charlie.com\n", "delta.com\n"}));
    EXPECT_EQ(Registered(), QStringList{"Alpha"});
    EXPECT_EQ(Available(), (QStringList{"charlie", "delta"}));
    EXPECT_EQ(Text("StatusBar1"), "Total registered 1");
    EXPECT_EQ(Text("StatusBar2"), "Total available 2");
    EXPECT_EQ(Text("Label3"), "  No match.\n");
    EXPECT_EQ(Find<QProgressBar>("PB1")->text(), "100%");
    EXPECT_FALSE(Form->Animating());
    EXPECT_EQ(Form->Checker().CurrentSuffix, ".com");
}

// A server that closes without a word used to file every name as registered, and cache it, so a
// later healthy run asked nothing.
TEST_F(MainFormRunTest, NamesNotAnsweredAreFiledNowhereAndAskedAgainByTheNextRun)
{
    Serve({TWhoisTestServer::CloseAtOnce()});
    LoadFile("alpha bravo\n");
    Form->show();
    Click("SearchBtn");
    EXPECT_TRUE(Registered().isEmpty());
    EXPECT_TRUE(Available().isEmpty());
    EXPECT_FALSE(IsCached("alpha"));
    EXPECT_EQ(Text("StatusBar3"), "Not answered 2");
    EXPECT_EQ(Find<QLabel>("StatusBar3")->toolTip(), "alpha\nbravo");
    EXPECT_EQ(Text("StatusBar1"), "Total registered 0");

    Serve({TWhoisTestServer::Answer(TakenComAnswer())});
    Click("SearchBtn");
    EXPECT_EQ(Server->Received(), (std::vector<std::string>{"alpha.com\n", "bravo.com\n"}));
    EXPECT_EQ(Registered(), (QStringList{"alpha", "bravo"}));
    EXPECT_EQ(Text("StatusBar3"), "Ready...");
}

TEST_F(MainFormRunTest, StartWithoutSourceKeepsTheListsAndShowsTotals)
{
    Click("SearchBtn");
    ASSERT_EQ(Shown.size(), 1u);
    EXPECT_EQ(Shown[0].Kind, TModalKind::Information);
    EXPECT_EQ(Shown[0].Text, "You must load text file or web page first.");
    EXPECT_EQ(Text("StatusBar1"), "Total registered 0");
    EXPECT_EQ(Text("StatusBar2"), "Total available 0");
}

TEST_F(MainFormRunTest, EmptyFileEndsAtOnceWithProgressAtZero)
{
    LoadFile("");
    EXPECT_EQ(Text("StatusBar2"), "0 lines..");
    Click("SearchBtn");
    EXPECT_EQ(Text("StatusBar1"), "Total registered 0");
    EXPECT_EQ(Find<QProgressBar>("PB1")->text(), "0%");
}

TEST_F(MainFormRunTest, ACachedNameIsRegisteredWithoutAQueryAndANewSuffixSwitchesTheCacheFile)
{
    Form.reset();
    WriteText("regi.com.cnf", "cached\r\n");
    Form = MakeForm();
    Serve({TWhoisTestServer::Answer(TakenComAnswer())});
    LoadFile("cached fresh\n");
    Click("SearchBtn");
    EXPECT_EQ(Server->Received(), std::vector<std::string>{"fresh.com\n"});
    EXPECT_EQ(Registered(), (QStringList{"cached", "fresh"}));

    auto* suffix = Find<QComboBox>("CB1");
    suffix->setCurrentIndex(1);
    emit suffix->activated(1);
    Click("SearchBtn");
    const std::string comCache = ReadText("regi.com.cnf");
    EXPECT_NE(comCache.find("fresh\r\n"), std::string::npos) << "written before the .net cache is read";
    EXPECT_NE(comCache.find("cached\r\n"), std::string::npos);
    EXPECT_EQ(Server->Received().back(), "fresh.net\n");
}

TEST_F(MainFormRunTest, SourcesSuffixesAndOtherChecksAreRefusedWhileARunGoes)
{
    const char* refused[] = {"SearchBtn",    "QuickSearchBtn", "CheckitBtn", "SpeedButton1",
                             "SpeedButton2", "SpeedButton3",   "ClipBtn",    "CB1",
                             "CB2",          "WhoIsBtn",       "PingBtn"};
    Serve({TWhoisTestServer::Chunked({"", FreeComAnswer()}, 200)});
    LoadFile("alpha bravo\n");
    Form->show();
    bool checked = false;
    QTimer::singleShot(100, Form.get(), [&] {
        checked = true;
        for (const char* name : refused)
            EXPECT_FALSE(Find<QWidget>(name)->isEnabled()) << name;
        for (const char* name : {"CancelBtn", "AbortBtn", "GetNewFavPosts", "OptBtn", "LB1", "LB2"})
            EXPECT_TRUE(Find<QWidget>(name)->isEnabled()) << name << " answers during a question";
        Find<QLineEdit>("QuickDom")->setText("other");
        QTest::keyClick(Find<QLineEdit>("QuickDom"), Qt::Key_Return);
    });
    Click("SearchBtn");
    ASSERT_TRUE(checked);
    EXPECT_EQ(Server->Received(), (std::vector<std::string>{"alpha.com\n", "bravo.com\n"}))
        << "Enter in the quick-search box started nothing";
    for (const char* name : refused)
        EXPECT_TRUE(Find<QWidget>(name)->isEnabled()) << name;
}

// A server that hangs must not hold the window: Stop, Exit and the close box each cut the question
// in flight short (before, a silent server held a Stop for 30 s and an unreachable one for ever).
TEST_F(MainFormRunTest, StopExitAndCloseCutAHangingQuestionShort)
{
    TUnansweredListener unanswered;
    const struct
    {
        const char* what;
        bool unreachable;
        const char* how; // "stop", "exit" or "close"
    } cases[] = {
        {"silent server, Stop", false, "stop"},     {"silent server, Exit", false, "exit"},
        {"silent server, close", false, "close"},   {"unreachable server, Stop", true, "stop"},
        {"unreachable server, Exit", true, "exit"},
    };
    for (const auto& c : cases) {
        const std::string how = c.how;
        Serve({TWhoisTestServer::Silent()});
        Form = MakeForm(c.unreachable ? unanswered.Port() : Server->Port());
        LoadFile("alpha bravo\n");
        Form->show();
        QTimer::singleShot(300, Form.get(), [&] {
            if (how == "stop")
                Click("CancelBtn");
            else if (how == "exit")
                Click("AbortBtn");
            else
                Form->close();
        });
        QElapsedTimer took;
        took.start();
        Click("SearchBtn");
        EXPECT_LT(took.elapsed(), 2000) << c.what;
        EXPECT_TRUE(Registered().isEmpty()) << c.what;
        EXPECT_TRUE(Available().isEmpty()) << c.what;
        EXPECT_FALSE(IsCached("alpha")) << c.what << ": the name asked is filed nowhere";
        EXPECT_FALSE(Form->Animating()) << c.what;
        EXPECT_EQ(Text("StatusBar1"), "Total registered 0") << c.what;
        QTest::qWait(20);
        EXPECT_EQ(Form->isVisible(), how == "stop") << c.what;
        EXPECT_TRUE(Find<QWidget>("SearchBtn")->isEnabled()) << c.what;
    }
}

TEST_F(MainFormRunTest, ExitDuringARunStopsAfterTheCurrentQuery)
{
    Serve({TWhoisTestServer::Answer(FreeComAnswer())});
    LoadFile("alpha\nbravo\ncharlie\n");
    Form->show();
    QTimer::singleShot(0, Form.get(), [&] { Click("AbortBtn"); });
    Click("SearchBtn");
    EXPECT_EQ(Server->Connections(), 1);
    EXPECT_TRUE(Available().isEmpty()) << "the name queried when the stop came is filed nowhere";
    QTest::qWait(20);
    EXPECT_FALSE(Form->isVisible());
}

TEST_F(MainFormRunTest, AScanFileThatCannotBeReadLeavesTheWindowIdle)
{
    Answers.push_back({true, Folder.filePath("missing.txt")});
    Click("CheckitBtn");
    ASSERT_EQ(Shown.size(), 2u);
    EXPECT_EQ(Shown[1].Kind, TModalKind::Error);
    EXPECT_TRUE(Shown[1].Text.contains("missing.txt")) << Shown[1].Text.toStdString();
    EXPECT_EQ(Text("StatusBar1"), "Ready...") << "a failed load changes nothing";

    Serve({TWhoisTestServer::Answer(FreeComAnswer())});
    LoadFile("alpha\n");
    QFile::remove(Folder.filePath("words.txt"));
    Shown.clear();
    Click("SearchBtn");
    ASSERT_EQ(Shown.size(), 1u);
    EXPECT_EQ(Shown[0].Kind, TModalKind::Error);
    EXPECT_TRUE(Shown[0].Text.contains("words.txt"));
    EXPECT_FALSE(Form->Animating());
    EXPECT_TRUE(Find<QWidget>("CheckitBtn")->isEnabled());

    LoadFile("alpha\n");
    Click("SearchBtn");
    EXPECT_EQ(Available(), QStringList{"alpha"}) << "the next run works";
}

TEST_F(MainFormRunTest, ClipboardTextBecomesTheScanFile)
{
    QApplication::clipboard()->setText("one two\nthree");
    Click("ClipBtn");
    EXPECT_EQ(ReadText("scanfile.txt"), "one two\r\nthree\r\n");
    EXPECT_EQ(Text("FileLab"), "Clipboard  - LOADED OK");
    EXPECT_EQ(Text("StatusBar2"), "2 lines..");

    QApplication::clipboard()->clear();
    Click("ClipBtn");
    ASSERT_EQ(Shown.size(), 1u);
    EXPECT_EQ(Shown[0].Text, "Clipboard empty. Nothing to load...");
    EXPECT_EQ(Text("FileLab"), "Clipboard  - LOADED OK");

    Form.reset();
    EXPECT_FALSE(QFile::exists("scanfile.txt")) << "deleted at exit";
}

TEST_F(MainFormRunTest, SavingWritesTheAvailableNamesWithCrLf)
{
    Click("GetNewFavPosts");
    ASSERT_EQ(Shown.size(), 1u);
    EXPECT_EQ(Shown[0].Text, "Available domains list blank. Nothing to save...");

    Serve({TWhoisTestServer::Answer(FreeComAnswer())});
    LoadFile("alpha bravo charlie\n");
    Click("SearchBtn");
    const QString results = Folder.filePath("results.txt");
    WriteText(results, "old contents that are longer\r\n");
    Answers.push_back({true, results});
    Click("GetNewFavPosts");
    EXPECT_EQ(Shown.back().Kind, TModalKind::SaveFile);
    EXPECT_EQ(Shown.back().Caption, "Save your search results");
    EXPECT_EQ(Shown.back().DefaultSuffix, "txt");
    EXPECT_EQ(ReadText(results), "alpha\r\nbravo\r\ncharlie\r\n");

    Answers.push_back({true, Folder.filePath("no-such-folder/results.txt")});
    Click("GetNewFavPosts");
    EXPECT_EQ(Shown.back().Kind, TModalKind::Error);
    EXPECT_TRUE(Shown.back().Text.contains("no-such-folder/results.txt"));
}

TEST_F(MainFormRunTest, OnlyTheQuickSearchSuffixDecidesOnMoreInfo)
{
    auto* quick = Find<QComboBox>("CB2");
    quick->setCurrentIndex(5);
    emit quick->activated(5);
    EXPECT_EQ(Form->Checker().CurrentSuffix, ".biz");
    EXPECT_TRUE(Find<QWidget>("WhoIsBtn")->isHidden());

    auto* scan = Find<QComboBox>("CB1");
    scan->setCurrentIndex(1);
    emit scan->activated(1);
    EXPECT_EQ(Form->Checker().CurrentSuffix, ".net");
    EXPECT_TRUE(Find<QWidget>("WhoIsBtn")->isHidden());

    quick->setCurrentIndex(2);
    emit quick->activated(2);
    EXPECT_FALSE(Find<QWidget>("WhoIsBtn")->isHidden());
}
