#include "optionu.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

#include "IniCtrl.h"
#include "Modal.h"

// Readable failure output.
void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {
struct TSwitchCase
{
    const char* box;
    const char* section;
    bool byDefault;
    bool (TOptForm::*accessor)() const;
};

const TSwitchCase Switches[] = {
    {"InTrChk", "RunInTray", true, &TOptForm::RunInTrayActive},
    {"NeverTwice", "NeverTwice", true, &TOptForm::NeverTwiceActive},
    {"SortAlpha", "Sort Alpha", false, &TOptForm::SortAlphaActive},
    {"IgnoreWords", "Ignore Words", false, &TOptForm::IgnoreWordsActive},
    {"TimeOut", "Timeout", true, &TOptForm::TimeoutActive},
    {"CheckUpg", "Check For Upd", true, &TOptForm::CheckForUpdActive},
    {"ShowAllHints", "Browser", true, &TOptForm::ShowHintsActive},
    {"CacheWho", "CacheWho", false, &TOptForm::CacheWhoActive},
};

// A dialog on a settings folder of its own; boxes shown through TModal are answered by the test.
class OptFormTest : public testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(FDir.isValid());
        FSaved = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", FDir.path().toLocal8Bit());
        TModal::SetHandler([this](const TModalRequest& request) {
            if (request.Kind == TModalKind::Error)
                FErrors << request.Text;
            return request.Dialog && FDialogAnswer ? FDialogAnswer(*request.Dialog) : TModalAnswer{};
        });
    }
    void TearDown() override
    {
        TModal::SetHandler({});
        qputenv("XDG_CONFIG_HOME", FSaved);
    }

    template <class T> T* Control(const char* name) const
    {
        T* control = FForm.findChild<T*>(name);
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    QCheckBox* Box(const char* name) const { return Control<QCheckBox>(name); }
    QListWidget* List() const { return Control<QListWidget>("IgnCB"); }

    // An opening as the main window's modal showing makes it.
    void Open() { FForm.show(); }
    void Click(const char* button) { Control<QPushButton>(button)->click(); }

    // Types text into "Add phrase to ignore" and presses its OK.
    void Add(const QString& text)
    {
        FDialogAnswer = [text](QDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), "Add phrase to ignore");
            dialog.findChild<QLineEdit*>("Phrase")->setText(text);
            dialog.findChild<QPushButton*>("OkBtn")->click();
            return TModalAnswer{dialog.result() == QDialog::Accepted, {}};
        };
        Click("SpeedButton1");
    }

    static void Store(const QStringList& phrases) { TIniCtrl().WriteStrings("Ignore", "List", phrases); }

    QTemporaryDir FDir;
    TOptForm FForm;
    QStringList FErrors;
    std::function<TModalAnswer(QDialog&)> FDialogAnswer;

  private:
    QByteArray FSaved;
};
} // namespace

TEST_F(OptFormTest, FirstRunShowsDefaultsAndWritesNothingUntilOK)
{
    QSignalSpy loaded(&FForm, &TOptForm::Loaded);
    QSignalSpy confirmed(&FForm, &TOptForm::Confirmed);
    Open();
    EXPECT_EQ(loaded.count(), 1);
    for (const TSwitchCase& s : Switches) {
        EXPECT_EQ(Box(s.box)->isChecked(), s.byDefault) << s.box;
        EXPECT_EQ((FForm.*s.accessor)(), s.byDefault) << s.box;
    }
    EXPECT_TRUE(FForm.IgnorePhrases().isEmpty());
    EXPECT_EQ(Control<QComboBox>("IgnrWay")->currentText(), "Ending");
    EXPECT_EQ(FForm.IgnoreWay(), TIgnoreWay::Ending);
    EXPECT_FALSE(QFile::exists(TIniCtrl::FileName()));

    Click("OKBtn");
    EXPECT_EQ(confirmed.count(), 1);
    EXPECT_FALSE(FForm.isVisible());
    EXPECT_EQ(FForm.result(), QDialog::Accepted);
    EXPECT_TRUE(QFile::exists(TIniCtrl::FileName()));
    EXPECT_TRUE(FErrors.isEmpty());
}

TEST_F(OptFormTest, EachSwitchIsStoredInItsOwnSectionAndComesBack)
{
    const TIniCtrl ini;
    for (const TSwitchCase& flipped : Switches) {
        Open();
        for (const TSwitchCase& s : Switches)
            Box(s.box)->setChecked(&s == &flipped ? !s.byDefault : s.byDefault);
        Click("OKBtn");
        for (const TSwitchCase& s : Switches)
            EXPECT_EQ(ini.ReadBool(s.section, "Active", !s.byDefault),
                      &s == &flipped ? !s.byDefault : s.byDefault)
                << flipped.box << " flipped, " << s.section << " stored";

        TOptForm next;
        next.show();
        for (const TSwitchCase& s : Switches)
            EXPECT_EQ((next.*s.accessor)(), &s == &flipped ? !s.byDefault : s.byDefault)
                << flipped.box << " flipped, " << s.box << " loaded";
    }
}

TEST_F(OptFormTest, WayAndPhrasesRoundTripAndOnlyFirstSixteenSortedSurvive)
{
    Open();
    for (int i = 19; i >= 0; --i)
        Add(QStringLiteral("p%1").arg(i, 2, 10, QLatin1Char('0')));
    ASSERT_EQ(FForm.IgnorePhrases().size(), 20);
    Control<QComboBox>("IgnrWay")->setCurrentIndex(2);
    Click("OKBtn");

    Open();
    QStringList expected;
    for (int i = 0; i < 16; ++i)
        expected << QStringLiteral("p%1").arg(i, 2, 10, QLatin1Char('0'));
    EXPECT_EQ(FForm.IgnorePhrases(), expected);
    EXPECT_EQ(FForm.IgnoreWay(), TIgnoreWay::Containing);
    EXPECT_EQ(List()->currentRow(), 0);
}

TEST_F(OptFormTest, StoredWayOutsideTheListSelectsNone)
{
    TIniCtrl().WriteInteger("IgnoreWay", "IgWay", 3);
    Open();
    EXPECT_EQ(FForm.IgnoreWay(), TIgnoreWay::None);
}

TEST_F(OptFormTest, AddKeepsListSortedWithoutCaseInsensitiveDuplicates)
{
    const struct
    {
        QStringList stored;
        QStringList added;
        QStringList shown;
    } cases[] = {
        {{"shop"}, {"Shop"}, {"shop"}},
        {{}, {"b", "a"}, {"a", "b"}},
        {{}, {"Beta", "alpha", "ALPHA"}, {"alpha", "Beta"}},
        {{"x"}, {" x", "x "}, {" x", "x", "x "}}, // taken exactly as typed
    };
    for (const auto& c : cases) {
        Store(c.stored);
        Open();
        for (const QString& phrase : c.added)
            Add(phrase);
        EXPECT_EQ(FForm.IgnorePhrases(), c.shown) << c.added.join('|').toStdString();
        Click("AbortBtn");
    }
}

TEST_F(OptFormTest, EmptyPhraseIsRefusedAndCancelAddsNothing)
{
    Store({"a", "b"});
    Open();
    FDialogAnswer = [](QDialog& dialog) {
        auto* ok = dialog.findChild<QPushButton*>("OkBtn");
        dialog.findChild<QLineEdit*>("Phrase")->setText("");
        ok->click();
        EXPECT_FALSE(ok->isEnabled());
        EXPECT_NE(dialog.result(), QDialog::Accepted);
        return TModalAnswer{}; // and even an accepted empty phrase is not added
    };
    Click("SpeedButton1");
    FDialogAnswer = [](QDialog& dialog) {
        dialog.findChild<QLineEdit*>("Phrase")->setText("typed");
        dialog.findChild<QPushButton*>("AbortBtn")->click();
        return TModalAnswer{dialog.result() == QDialog::Accepted, {}};
    };
    Click("SpeedButton1");
    EXPECT_EQ(FForm.IgnorePhrases(), (QStringList{"a", "b"}));

    Click("OKBtn");
    EXPECT_EQ(TIniCtrl().ReadStrings("Ignore", "List"), (QStringList{"a", "b"}));
}

TEST_F(OptFormTest, RemoveDeletesOnlyTheCurrentItem)
{
    Store({"a", "b", "c", "d"});
    Open();
    QListWidget* list = List();
    for (int row : {1, 2, 3})
        list->item(row)->setSelected(true);
    list->setCurrentRow(2, QItemSelectionModel::NoUpdate);
    Click("SpeedButton2");
    EXPECT_EQ(FForm.IgnorePhrases(), (QStringList{"a", "b", "d"}));

    Click("AbortBtn");
    Store({});
    Open();
    Click("SpeedButton2");
    EXPECT_TRUE(FForm.IgnorePhrases().isEmpty());
}

TEST_F(OptFormTest, CancelledListAndWayStayInEffectUntilNextOpening)
{
    Store({"ing", "shop"});
    TIniCtrl().WriteBool("Ignore Words", "Active", true);
    Open();
    Click("SpeedButton2"); // the first phrase is current after opening
    Control<QComboBox>("IgnrWay")->setCurrentIndex(1);
    Box("IgnoreWords")->setChecked(false);
    QSignalSpy confirmed(&FForm, &TOptForm::Confirmed);
    Click("AbortBtn");

    EXPECT_FALSE(FForm.isVisible());
    EXPECT_EQ(confirmed.count(), 0);
    EXPECT_EQ(FForm.IgnorePhrases(), QStringList{"shop"});
    EXPECT_EQ(FForm.IgnoreWay(), TIgnoreWay::Begining);
    EXPECT_EQ(TIniCtrl().ReadStrings("Ignore", "List"), (QStringList{"ing", "shop"}));

    Open();
    EXPECT_EQ(FForm.IgnorePhrases(), (QStringList{"ing", "shop"}));
    EXPECT_EQ(FForm.IgnoreWay(), TIgnoreWay::Ending);
    EXPECT_TRUE(FForm.IgnoreWordsActive());
}

TEST_F(OptFormTest, EnterAnywhereConfirmsAndEscapeDoesNotClose)
{
    for (const char* focused : {"SortAlpha", "IgnCB", "IgnrWay", "AbortBtn"}) {
        Open();
        QSignalSpy confirmed(&FForm, &TOptForm::Confirmed);
        QWidget* control = Control<QWidget>(focused);
        QTest::keyClick(control, Qt::Key_Escape);
        QTest::keyClick(&FForm, Qt::Key_Escape);
        EXPECT_TRUE(FForm.isVisible()) << focused;

        Box("SortAlpha")->setChecked(true);
        QTest::keyClick(control, Qt::Key_Return);
        EXPECT_FALSE(FForm.isVisible()) << focused;
        EXPECT_EQ(FForm.result(), QDialog::Accepted) << focused;
        EXPECT_EQ(confirmed.count(), 1) << focused;
        EXPECT_TRUE(TIniCtrl().ReadBool("Sort Alpha", "Active", false)) << focused;
        QFile::remove(TIniCtrl::FileName());
    }
}

TEST_F(OptFormTest, FailedWriteIsShownAndLeavesDialogOpen)
{
    // No settings folder can be made under a regular file, whoever runs the test.
    QFile blocker(FDir.path() + "/plain");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    qputenv("XDG_CONFIG_HOME", blocker.fileName().toLocal8Bit());
    Open();
    QSignalSpy confirmed(&FForm, &TOptForm::Confirmed);
    Click("OKBtn");
    EXPECT_EQ(FErrors, QStringList{"Failed to create key RunInTray."});
    EXPECT_TRUE(FForm.isVisible());
    EXPECT_EQ(confirmed.count(), 0);
}

TEST_F(OptFormTest, UnreadableStoreIsShownAtOpening)
{
    ASSERT_TRUE(QDir().mkpath(TIniCtrl::FileName())); // a folder where the file should be
    QSignalSpy loaded(&FForm, &TOptForm::Loaded);
    Open();
    EXPECT_EQ(FErrors, QStringList{"Failed to get data for 'Active'"});
    EXPECT_EQ(loaded.count(), 0);
}
