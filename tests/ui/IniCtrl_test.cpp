#include "IniCtrl.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {
// Points the store at a folder of its own and restores the caller's XDG_CONFIG_HOME afterwards.
class IniCtrlTest : public testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(FDir.isValid());
        FSaved = qgetenv("XDG_CONFIG_HOME");
        FHadSaved = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
        UseConfigHome(FDir.path());
    }
    void TearDown() override
    {
        if (FHadSaved)
            qputenv("XDG_CONFIG_HOME", FSaved);
        else
            qunsetenv("XDG_CONFIG_HOME");
    }
    static void UseConfigHome(const QString& folder) { qputenv("XDG_CONFIG_HOME", folder.toLocal8Bit()); }

    // The settings file written by hand, as a user with an editor would.
    static void WriteFile(const QByteArray& content)
    {
        QFile file(TIniCtrl::FileName());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    // The text QSettings finds for group/name in the file, bypassing the store.
    static QVariant Stored(const QString& key)
    {
        return QSettings(TIniCtrl::FileName(), QSettings::IniFormat).value(key);
    }

    static std::string Failure(const std::function<void()>& operation)
    {
        try {
            operation();
        } catch (const TIniError& error) {
            return error.what();
        }
        return "no failure";
    }

    QTemporaryDir FDir;
    TIniCtrl FIni;

  private:
    QByteArray FSaved;
    bool FHadSaved = false;
};
} // namespace

TEST_F(IniCtrlTest, FileIsNamedAfterApplicationInConfigHomeResolvedAtEachCall)
{
    EXPECT_EQ(TIniCtrl::FileName(), FDir.path() + "/Sollentra.ini");
    FIni.WriteInteger("RC", "SearchIndex", 7);
    EXPECT_TRUE(QFile::exists(FDir.path() + "/Sollentra.ini"));

    QTemporaryDir other;
    UseConfigHome(other.path());
    EXPECT_EQ(FIni.ReadInteger("RC", "SearchIndex", 1), 1);

    for (const char* unusable : {"", "relative/config"}) {
        UseConfigHome(unusable);
        EXPECT_EQ(TIniCtrl::FileName(), QDir::homePath() + "/.config/Sollentra.ini") << unusable;
    }
}

TEST_F(IniCtrlTest, MissingFileGivesDefaultsAndReadsCreateNothing)
{
    UseConfigHome(FDir.path() + "/not/yet");
    EXPECT_TRUE(FIni.ReadBool("RunInTray", "Active", true));
    EXPECT_FALSE(FIni.ReadBool("CacheWho", "Active", false));
    EXPECT_EQ(FIni.ReadInteger("RC", "SearchIndex", 1), 1);
    EXPECT_TRUE(FIni.ReadStrings("Ignore", "List").isEmpty());
    EXPECT_FALSE(QFile::exists(FDir.path() + "/not"));
}

TEST_F(IniCtrlTest, StoredTextDecodesAsDecimalWithDefaultForAnythingElse)
{
    WriteFile("[V]\n"
              "two=2\nzero=0\nminus=-3\nyes=yes\nhex=0x10\ntail=12abc\nempty=\nhuge=99999999999\n");
    const struct
    {
        const char* name;
        int integer; // with default 42
        bool withTrue, withFalse;
    } cases[] = {
        {"two", 2, true, true},     {"zero", 0, false, false}, {"minus", -3, true, true},
        {"yes", 42, true, false},   {"hex", 42, true, false},  {"tail", 42, true, false},
        {"empty", 42, true, false}, {"huge", 42, true, false}, {"missing", 42, true, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FIni.ReadInteger("V", c.name, 42), c.integer) << c.name;
        EXPECT_EQ(FIni.ReadBool("V", c.name, true), c.withTrue) << c.name;
        EXPECT_EQ(FIni.ReadBool("V", c.name, false), c.withFalse) << c.name;
    }
}

TEST_F(IniCtrlTest, ValuesAreWrittenAsTextInSectionsNamedWithTheirSpaces)
{
    FIni.WriteBool("Sort Alpha", "Active", true);
    FIni.WriteBool("Check For Upd", "Active", false);
    FIni.WriteInteger("IgnoreWay", "IgWay", -2);
    EXPECT_EQ(Stored("Sort Alpha/Active"), QVariant(QStringLiteral("1")));
    EXPECT_EQ(Stored("Check For Upd/Active"), QVariant(QStringLiteral("0")));
    EXPECT_EQ(Stored("IgnoreWay/IgWay"), QVariant(QStringLiteral("-2")));
    EXPECT_TRUE(FIni.ReadBool("Sort Alpha", "Active", false));
    EXPECT_EQ(FIni.ReadInteger("IgnoreWay", "IgWay", 0), -2);
}

TEST_F(IniCtrlTest, ValueThatIsNotTextIsTypeError)
{
    // Unquoted, QSettings reads these back as a list and as a rectangle.
    WriteFile("[RunInTray]\nActive=a, b\n[Ignore]\nList0=x\nList1=@Rect(1 2 3 4)\n");
    EXPECT_EQ(Failure([&] { FIni.ReadBool("RunInTray", "Active", true); }), "Invalid data type for 'Active'");
    EXPECT_EQ(Failure([&] { FIni.ReadInteger("RunInTray", "Active", 1); }), "Invalid data type for 'Active'");
    EXPECT_EQ(Failure([&] { FIni.ReadStrings("Ignore", "List"); }), "Invalid data type for 'List1'");
}

TEST_F(IniCtrlTest, AwkwardTextsRoundTrip)
{
    const QStringList texts = {"a, b",  "\"quoted\"",  "  leading", "trailing ", "@Rect(1 2 3 4)",
                               "x=y;z", "back\\slash", "[section]", "#hash",     QString::fromUtf8("ünï")};
    FIni.WriteStrings("Ignore", "List", texts);
    EXPECT_EQ(FIni.ReadStrings("Ignore", "List"), texts);
}

TEST_F(IniCtrlTest, ListKeepsItsMaximumAndIsRewrittenWhole)
{
    QStringList twenty;
    for (int i = 0; i < 20; ++i)
        twenty << QStringLiteral("p%1").arg(i, 2, 10, QLatin1Char('0'));
    FIni.WriteStrings("Ignore", "List", twenty);
    EXPECT_EQ(FIni.ReadStrings("Ignore", "List"), twenty.mid(0, 16));
    EXPECT_FALSE(Stored("Ignore/List16").isValid());
    EXPECT_EQ(FIni.ReadStrings("Ignore", "List", 4), twenty.mid(0, 4));

    FIni.WriteStrings("LoadFileList", "H", twenty, 4);
    EXPECT_EQ(FIni.ReadStrings("LoadFileList", "H", 10), twenty.mid(0, 4));

    // A shorter list leaves nothing of the longer one behind.
    FIni.WriteStrings("Ignore", "List", {"only"});
    EXPECT_EQ(FIni.ReadStrings("Ignore", "List"), QStringList{"only"});
    EXPECT_FALSE(Stored("Ignore/List1").isValid());
    FIni.WriteStrings("Ignore", "List", {});
    EXPECT_TRUE(FIni.ReadStrings("Ignore", "List").isEmpty());
}

TEST_F(IniCtrlTest, ListEndsAtFirstMissingOrEmptyEntry)
{
    WriteFile("[Ignore]\nList0=first\nList2=third\nList3=fourth\n"
              "[LoadWebList]\nH0=a\nH1=\nH2=c\n");
    EXPECT_EQ(FIni.ReadStrings("Ignore", "List"), QStringList{"first"});
    EXPECT_EQ(FIni.ReadStrings("LoadWebList", "H", 4), QStringList{"a"});
}

TEST_F(IniCtrlTest, WriteThatCannotReachTheFileFails)
{
    // Both hold for root too: no folder can be made under a regular file, and no file can be
    // written where a folder stands.
    QFile blocker(FDir.path() + "/plain");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    UseConfigHome(blocker.fileName());
    EXPECT_EQ(Failure([&] { FIni.WriteBool("RunInTray", "Active", true); }),
              "Failed to create key RunInTray");
    EXPECT_EQ(Failure([&] { FIni.WriteStrings("Ignore", "List", {"a"}); }), "Failed to create key Ignore");
    EXPECT_EQ(FIni.ReadInteger("RC", "SearchIndex", 1), 1);

    UseConfigHome(FDir.path());
    ASSERT_TRUE(QDir().mkpath(TIniCtrl::FileName()));
    EXPECT_EQ(Failure([&] { FIni.WriteInteger("RC", "SearchIndex", 3); }),
              "Failed to set data for 'SearchIndex'");
    EXPECT_EQ(Failure([&] { FIni.WriteStrings("Ignore", "List", {"a"}); }), "Failed to set data for 'List0'");
    EXPECT_EQ(Failure([&] { FIni.ReadBool("RunInTray", "Active", true); }),
              "Failed to get data for 'Active'");
    EXPECT_EQ(Failure([&] { FIni.ReadStrings("Ignore", "List"); }), "Failed to get data for 'List0'");
}

TEST_F(IniCtrlTest, WriteToReadOnlyFileFails)
{
    FIni.WriteBool("RunInTray", "Active", true);
    QFile file(TIniCtrl::FileName());
    ASSERT_TRUE(file.setPermissions(QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    if (file.open(QIODevice::ReadWrite))
        GTEST_SKIP() << "file permissions do not stop this user from writing";
    EXPECT_EQ(Failure([&] { FIni.WriteBool("RunInTray", "Active", false); }),
              "Failed to set data for 'Active'");
    EXPECT_TRUE(FIni.ReadBool("RunInTray", "Active", false));
}
