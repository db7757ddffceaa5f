// The main window's start-up and shut-down through the settings store, the options it applies,
// the recently-used files, the notification-area icon and the about box.
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSettings>

#include "IniCtrl.h"
#include "MRUList.h"
#include "MainFormFixture.h"
#include "TrayIcon.h"
#include "lookupw.h"
#include "optionu.h"

class MainFormShellTest : public TMainFormTest
{
  protected:
    // Opens "&Options", lets change work the dialog's controls, and presses OK.
    void ConfirmOptions(const std::function<void(QDialog&)>& change)
    {
        OnDialog = [&](QDialog& dialog) {
            dialog.show(); // an opening reloads the dialog from the store
            change(dialog);
            dialog.findChild<QPushButton*>(QStringLiteral("OKBtn"))->click();
            return TModalAnswer{dialog.result() == QDialog::Accepted, {}};
        };
        Click("OptBtn");
        OnDialog = nullptr;
    }

    // Picks an entry from the drop-down of "Load &File".
    void PickRecentFile(int index) { Form->FileList().Menu()->actions().at(index)->trigger(); }

    static void Check(QDialog& dialog, const char* box, bool checked)
    {
        dialog.findChild<QCheckBox*>(QLatin1String(box))->setChecked(checked);
    }

    TIniCtrl Store;
};

TEST_F(MainFormShellTest, FirstStartUsesTheDefaultsAndWritesOnlyAtExit)
{
    Form->show();
    EXPECT_FALSE(QFile::exists(TIniCtrl::FileName())) << "nothing is written before OK or exit";
    EXPECT_TRUE(Find<QCheckBox>("StripNumChk")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>("StripHash")->isChecked());
    EXPECT_EQ(Form->RunCount(), 2);
    EXPECT_TRUE(Form->Run().NeverTwice);
    EXPECT_FALSE(Form->Run().IgnoreWords);
    EXPECT_FALSE(Form->Checker().Registered.Sorted());
    EXPECT_TRUE(Form->TrayIcon().Active());
    EXPECT_TRUE(Form->ShowsHint(Find<QWidget>("LB1")));
    EXPECT_EQ(Form->WhoisClient1.ConnectTimeoutMs, TWhoisClient::DefaultConnectTimeoutMs);
    EXPECT_EQ(Form->windowTitle(), "Kavimor - Sollentra");
    EXPECT_TRUE(Form->FileList().Items().isEmpty());

    Find<QCheckBox>("StripHash")->setChecked(false);
    Form.reset();
    EXPECT_TRUE(Store.ReadBool("StripNumbers", "Active", false));
    EXPECT_FALSE(Store.ReadBool("StripHash", "Active", true));
    EXPECT_EQ(Store.ReadInteger("RC", "SearchIndex", 0), 2);
    EXPECT_TRUE(ShownTexts(TModalKind::Error).isEmpty());
}

TEST_F(MainFormShellTest, TheRunCounterRisesByOnePerRunOfTheProgram)
{
    Store.WriteInteger("RC", "SearchIndex", 4);
    Restart();
    Form->show();
    EXPECT_EQ(Form->RunCount(), 5);
    ConfirmOptions([](QDialog&) {});
    EXPECT_EQ(Form->RunCount(), 5) << "every load starts from the stored count";

    Restart();
    EXPECT_EQ(Store.ReadInteger("RC", "SearchIndex", 0), 5);
    Form->show();
    EXPECT_EQ(Form->RunCount(), 6);

    Form->hide();
    Restart();
    EXPECT_EQ(Store.ReadInteger("RC", "SearchIndex", 0), 6);
    Restart();
    EXPECT_EQ(Store.ReadInteger("RC", "SearchIndex", 0), 6) << "a window never shown leaves the count alone";
}

TEST_F(MainFormShellTest, StoredOptionsGovernTheScan)
{
    Form.reset(); // its exit writes would replace the strip switches
    Store.WriteBool("StripNumbers", "Active", false);
    Store.WriteBool("Ignore Words", "Active", true);
    Store.WriteStrings("Ignore", "List", {"shop"});
    Store.WriteInteger("IgnoreWay", "IgWay", 0);
    Store.WriteBool("Sort Alpha", "Active", true);
    Restart();
    Form->show();
    EXPECT_FALSE(Find<QCheckBox>("StripNumChk")->isChecked());

    Serve({TWhoisTestServer::Answer(FreeComAnswer())});
    LoadFile("zulu bigshop alpha mike\n");
    Click("SearchBtn");
    EXPECT_EQ(Available(), QStringList({"alpha", "mike", "zulu"}));
    EXPECT_EQ(Server->Connections(), 3) << "the ignored name is never asked";
}

TEST_F(MainFormShellTest, AShowingAfterTheFirstReadsNothingAgain)
{
    Form->show();
    Store.WriteBool("StripNumbers", "Active", false);
    Form->setWindowTitle("restored");
    Form->hide();
    Form->show();
    EXPECT_TRUE(Find<QCheckBox>("StripNumChk")->isChecked());
    EXPECT_EQ(Form->windowTitle(), "restored");
}

TEST_F(MainFormShellTest, ConfirmedOptionsTakeEffectAtOnce)
{
    Form->show();
    ConfirmOptions([](QDialog& dialog) {
        Check(dialog, "ShowAllHints", false);
        Check(dialog, "SortAlpha", true);
        Check(dialog, "InTrChk", false);
        Check(dialog, "NeverTwice", false);
        Check(dialog, "TimeOut", false);
    });
    EXPECT_FALSE(Form->ShowsHint(Find<QWidget>("LB1")));
    EXPECT_FALSE(Form->ShowsHint(Find<QWidget>("SearchBtn")));
    for (const char* ownSwitch : {"QuickDom", "StatusBar1", "StatusBar2", "FileLab"})
        EXPECT_TRUE(Form->ShowsHint(Find<QWidget>(ownSwitch))) << ownSwitch;
    EXPECT_TRUE(Form->Checker().Registered.Sorted());
    EXPECT_TRUE(Form->Checker().Available.Sorted());
    EXPECT_FALSE(Form->TrayIcon().Active());
    EXPECT_FALSE(Form->Run().NeverTwice);
    EXPECT_EQ(Form->WhoisClient1.ConnectTimeoutMs, TMainForm::PatientConnectTimeoutMs)
        << "long, but never for ever";

    ConfirmOptions([](QDialog& dialog) { Check(dialog, "SortAlpha", false); });
    EXPECT_TRUE(Form->Checker().Registered.Sorted()) << "sorted lists stay sorted until the program ends";
    Restart();
    Form->show();
    EXPECT_FALSE(Form->Checker().Registered.Sorted());
}

TEST_F(MainFormShellTest, AStoreThatCannotBeWrittenAtExitCostsNeitherCacheNorScanFile)
{
    Serve({TWhoisTestServer::Answer(TakenComAnswer())});
    LoadFile("taken\n");
    Click("SearchBtn");
    // A settings folder under a plain file cannot be made, even by root.
    WriteText(Folder.filePath("plain"), "");
    qputenv("XDG_CONFIG_HOME", Folder.filePath("plain/config").toLocal8Bit());
    Form.reset();

    EXPECT_EQ(ShownTexts(TModalKind::Error).size(), 3) << "each failure is reported once";
    EXPECT_TRUE(ShownTexts(TModalKind::Error)[0].startsWith("Failed to create key"));
    EXPECT_EQ(ReadText(QString::fromStdString(CacheFileFor(".com"))), "taken\r\n");
}

TEST_F(MainFormShellTest, RecentFilesAreKeptAndReloaded)
{
    LoadFile("alpha\n");
    const QString path = Folder.filePath("words.txt");
    EXPECT_EQ(Form->FileList().Items(), QStringList{path});
    Restart();
    EXPECT_EQ(Form->FileList().Items(), QStringList{path});
    Form->WebList().Add("http://example.com/");

    PickRecentFile(0);
    EXPECT_EQ(Text("FileLab"), "File : " + path + " - LOADED OK");
    Restart();
    EXPECT_EQ(Form->WebList().Items(), QStringList{"http://example.com/"});

    QFile::remove(path);
    const QString before = Text("FileLab");
    PickRecentFile(0);
    ASSERT_EQ(ShownTexts(TModalKind::Error).size(), 1);
    EXPECT_TRUE(ShownTexts(TModalKind::Error)[0].contains(path));
    EXPECT_EQ(Text("FileLab"), before);
}

TEST_F(MainFormShellTest, AboutHelpAndTheTrayMenuOpenTheAboutBox)
{
    QStringList captions;
    OnDialog = [&](QDialog& dialog) {
        captions << dialog.windowTitle();
        return TModalAnswer{};
    };
    Click("SCForumsBtn");
    Click("SpeedButton4");
    Form->findChild<QAction*>("About2")->trigger();
    EXPECT_EQ(captions, QStringList({"About Sollentra", "About Sollentra", "About Sollentra"}));

    Form->show();
    Form->findChild<QAction*>("Exit2")->trigger();
    EXPECT_FALSE(Form->isVisible());
}

TEST_F(MainFormShellTest, TheServersSectionMovesASuffixToAnotherServerAndSaysWhatItDidNotTake)
{
    TWhoisTestServer moved({TWhoisTestServer::Answer(TakenComAnswer())});
    {
        QSettings file(TIniCtrl::FileName(), QSettings::IniFormat);
        file.setValue(QStringLiteral("Servers/whois.com"), QStringLiteral("127.0.0.1:%1").arg(moved.Port()));
        file.setValue(QStringLiteral("Servers/spacing.com"), QStringLiteral("0"));
        file.setValue(QStringLiteral("Servers/whois.xyz"), QStringLiteral("whois.nic.xyz"));
    }
    Form->show();
    ASSERT_EQ(ShownTexts(TModalKind::Information).size(), 1);
    EXPECT_EQ(ShownTexts(TModalKind::Information)[0], "These entries of the \"Servers\" settings were not "
                                                      "understood and are ignored:\nwhois.xyz=whois.nic.xyz");

    Find<QLineEdit>("QuickDom")->setText("moved");
    Click("QuickSearchBtn");
    EXPECT_EQ(moved.Received(), std::vector<std::string>{"moved.com\n"});
    EXPECT_EQ(Server->Connections(), 0);
    Form->hide();
    Form->show();
    EXPECT_EQ(ShownTexts(TModalKind::Information).size(), 1) << "said once";
}

// A broken settings file used to give an error box at start and at exit, and was rewritten anyway.
TEST_F(MainFormShellTest, ABrokenSettingsFileIsSetAsideAndTheProgramStartsFromTheDefaults)
{
    const struct
    {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"not INI", "[Sort Alpha\nActive==\"\n[[[\n\"unterminated\n"},
        {"binary", std::string("\x7f"
                               "ELF\0\0\x01[RC]\nSearchIndex=9\n",
                               22)},
    };
    for (const auto& c : cases) {
        Form.reset();
        WriteText(TIniCtrl::FileName(), c.bytes);
        Shown.clear();
        Form = MakeForm();
        Form->show();
        EXPECT_EQ(
            ShownTexts(TModalKind::Information),
            QStringList{"The settings could not be read and were reset to their defaults. The old settings "
                        "file was kept as " +
                        TIniCtrl::FileName() + ".broken."})
            << c.what;
        EXPECT_EQ(ReadText(TIniCtrl::FileName() + ".broken"), c.bytes) << c.what;
        EXPECT_EQ(Form->RunCount(), 2) << c.what << ": the defaults";
        Form.reset();
        EXPECT_TRUE(ShownTexts(TModalKind::Error).isEmpty()) << c.what;
        EXPECT_EQ(Store.ReadInteger("RC", "SearchIndex", 0), 2) << c.what << ": a fresh file at exit";
    }
}
