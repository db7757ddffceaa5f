#include "aboutu.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

namespace {
QString Text(const TAboutBox& box, const char* name)
{
    return box.findChild<QLabel*>(name)->text();
}

// Records the addresses asked for and answers with Opens.
struct TOpener
{
    TOpener()
    {
        TAboutBox::SetUrlOpener([this](const QUrl& url) {
            Asked << url.toString();
            return Opens;
        });
    }
    ~TOpener() { TAboutBox::SetUrlOpener({}); }
    bool Opens = true;
    QStringList Asked;
};
} // namespace

TEST(AboutBoxTest, InformationLinesShowTabbedValuesOrUnknownFromTopToBottom)
{
    const TAboutBox box(nullptr, {"alice", "", "box1", "6.1.0-18-amd64", ""});
    const struct
    {
        const char* name;
        const char* text;
    } lines[] = {
        {"L1", "Username\talice"},     {"L4", "Registered company\t(Unknown)"},
        {"L2", "Computername\tbox1"},  {"L3", "Build\t6.1.0-18-amd64"},
        {"L6", "Platform\t(Unknown)"},
    };
    int above = -1;
    for (const auto& line : lines) {
        const QLabel* label = box.findChild<QLabel*>(line.name);
        ASSERT_NE(label, nullptr) << line.name;
        EXPECT_EQ(label->text(), line.text);
        EXPECT_GT(label->y(), above) << line.name;
        above = label->y();
    }
}

TEST(AboutBoxTest, ThisSystemGivesUserHostAndPlatformButNoCompany)
{
    const TSystemInfo info = TSystemInfo::Current();
    EXPECT_FALSE(info.UserName.isEmpty());
    EXPECT_FALSE(info.ComputerName.isEmpty());
    EXPECT_FALSE(info.Build.isEmpty());
    EXPECT_EQ(info.Platform, "Linux");
    EXPECT_EQ(TAboutBox(nullptr, info).findChild<QLabel*>("L4")->text(), "Registered company\t(Unknown)");
}

TEST(AboutBoxTest, ShowsNameVersionNoticeAndAddressesUnscrambled)
{
    const TAboutBox box;
    EXPECT_EQ(box.windowTitle(), "About Sollentra");
    EXPECT_EQ(box.size(), QSize(365, 273));
    EXPECT_EQ(Text(box, "VL5"), "Sollentra");
    EXPECT_EQ(Text(box, "VL1"), "Version 2.16");
    EXPECT_EQ(Text(box, "VL2"), "Copyright © 2001 Kavimor Software - all rights reserved");
    EXPECT_EQ(Text(box, "VL3"), "www.kavimor.example");
    EXPECT_EQ(Text(box, "VL4"), "info@kavimor.example");
    EXPECT_FALSE(Text(box, "rl").isEmpty());
    EXPECT_FALSE(box.findChild<QLabel*>("IcoImage")->pixmap().isNull());
    EXPECT_FALSE(box.findChild<QLabel*>("ProgramIcon")->pixmap().isNull());
}

TEST(AboutBoxTest, LinksOpenTheirTargetsAndOneThatFailsIsNoLongerALink)
{
    TOpener opener;
    TAboutBox box;
    auto* web = box.findChild<QLabel*>("VL3");
    auto* mail = box.findChild<QLabel*>("VL4");

    QTest::mouseClick(web, Qt::LeftButton);
    QTest::mouseClick(mail, Qt::LeftButton);
    EXPECT_EQ(opener.Asked, (QStringList{"http://www.kavimor.example", "mailto:info@kavimor.example"}));
    EXPECT_TRUE(web->isEnabled());

    opener.Opens = false;
    QTest::mouseClick(mail, Qt::LeftButton);
    EXPECT_FALSE(mail->isEnabled());
    EXPECT_TRUE(mail->styleSheet().isEmpty());
    EXPECT_TRUE(web->isEnabled());
    QTest::mouseClick(mail, Qt::LeftButton);
    EXPECT_EQ(opener.Asked.size(), 3);
}

TEST(AboutBoxTest, EnterClosesTheBoxWhicheverControlHasTheKey)
{
    for (const char* control : {"VL5", "AbortBtn"}) {
        TAboutBox box;
        box.show();
        QTest::keyClick(box.findChild<QWidget*>(control), Qt::Key_Return);
        EXPECT_FALSE(box.isVisible()) << control;
        EXPECT_EQ(box.result(), QDialog::Accepted) << control;
    }
}
