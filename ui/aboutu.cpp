#include "aboutu.h"

#include <QDesktopServices>
#include <QFont>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

#include <pwd.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <climits>

#include "Artwork.h"
#include "Controls.h"
#include "myutils.h"

namespace {
// Kept scrambled so that they do not stand as plain text in the program file; Unscramble drops
// the digits and bars.
constexpr const char* VersionPrefix = "V3e|r7s1i|o9n ";
constexpr const char* NoticeHead = "C4o|py8ri|g2ht ©5 ";
constexpr const char* NoticeTail = " K6a|vi3mor| S0oft|w7are -| a9ll r1igh|ts r4e|s2erv|ed";
constexpr const char* WebAddress = "w8w|w.3k|av5i|mor1.e|x7am|ple";
constexpr const char* MailAddress = "i2n|fo4@|k9avi|mor.6ex|ample";
constexpr const char* RlLine = "F1re|ew3are: c|o8py |it an5d pa|ss it o7n fr|eely";

QString Plain(const char* scrambled)
{
    return QString::fromUtf8(Unscramble(scrambled));
}

const char* const LinkStyle = "color: blue; text-decoration: underline;";

TAboutBox::TUrlOpener& UrlOpener()
{
    static TAboutBox::TUrlOpener opener;
    return opener;
}

QLabel* NewLabel(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* label = Make<QLabel>(name, parent);
    label->setGeometry(geometry);
    return label;
}
} // namespace

TSystemInfo TSystemInfo::Current()
{
    TSystemInfo info;
    if (const passwd* account = getpwuid(geteuid()); account && account->pw_name)
        info.UserName = QString::fromLocal8Bit(account->pw_name);
    else
        info.UserName = QString::fromLocal8Bit(qgetenv("USER"));
    char host[HOST_NAME_MAX + 1] = {};
    if (gethostname(host, sizeof host - 1) == 0)
        info.ComputerName = QString::fromLocal8Bit(host);
    if (utsname system; uname(&system) == 0) {
        info.Build = QString::fromLocal8Bit(system.release);
        info.Platform = QString::fromLocal8Bit(system.sysname);
    }
    return info;
}

void TAboutBox::SetUrlOpener(TUrlOpener opener)
{
    UrlOpener() = std::move(opener);
}

QString TAboutBox::InfoLine(const QString& caption, const QString& value)
{
    return caption + QLatin1Char('\t') + (value.isEmpty() ? QStringLiteral("(Unknown)") : value);
}

TAboutBox::TAboutBox(QWidget* parent, const TSystemInfo& info) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About Sollentra"));
    setFixedSize(365, 273);
    CreateControls(info);
    FillScrambledTexts();

    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen)
        move(screen->availableGeometry().center() - rect().center());

    // Keyboard preview: the box sees every key before the control that has the focus.
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

void TAboutBox::CreateControls(const TSystemInfo& info)
{
    // Small type, so that the addresses and the tabbed lines fit their columns.
    QFont small = font();
    small.setPointSize(8);
    setFont(small);

    ProgramIcon = NewLabel(this, "ProgramIcon", {8, 8, 215, 165});
    ProgramIcon->setPixmap(Artwork::AboutPicture());

    // The right column: name, version, notice, addresses.
    IcoImage = NewLabel(this, "IcoImage", {231, 8, 32, 32});
    IcoImage->setPixmap(Artwork::ProgramIcon().pixmap(32, 32));
    VL5 = NewLabel(this, "VL5", {231, 42, 126, 28});
    QFont large = VL5->font();
    large.setPointSize(16);
    large.setBold(true);
    VL5->setFont(large);
    VL5->setText(QStringLiteral("Sollentra"));
    VL1 = NewLabel(this, "VL1", {231, 72, 126, 16});
    VL2 = NewLabel(this, "VL2", {231, 90, 126, 46});
    VL2->setWordWrap(true);
    VL3 = NewLabel(this, "VL3", {231, 138, 126, 16});
    VL4 = NewLabel(this, "VL4", {231, 156, 126, 16});
    for (QLabel* link : {VL3, VL4}) {
        link->setStyleSheet(QString::fromLatin1(LinkStyle));
        link->setCursor(Qt::PointingHandCursor);
    }
    rl = NewLabel(this, "rl", {231, 174, 126, 32});
    rl->setWordWrap(true);

    // Below the picture: the system information, from top to bottom.
    const struct
    {
        QLabel*& label;
        const char* name;
        const char* caption;
        const QString& value;
    } lines[] = {
        {L1, "L1", "Username", info.UserName},         {L4, "L4", "Registered company", info.Company},
        {L2, "L2", "Computername", info.ComputerName}, {L3, "L3", "Build", info.Build},
        {L6, "L6", "Platform", info.Platform},
    };
    int top = 178;
    for (const auto& line : lines) {
        line.label = NewLabel(this, line.name, {8, top, 215, 18});
        line.label->setText(InfoLine(QString::fromLatin1(line.caption), line.value));
        top += 18;
    }

    OKBtn = Make<QPushButton>("OKBtn", QStringLiteral("OK"), this);
    OKBtn->setGeometry(231, 212, 75, 25);
    OKBtn->setDefault(true);
    AbortBtn = Make<QPushButton>("AbortBtn", QStringLiteral("Cancel"), this);
    AbortBtn->setGeometry(231, 241, 75, 25);
    connect(OKBtn, &QPushButton::clicked, this, &TAboutBox::OKBtnClick);
    connect(AbortBtn, &QPushButton::clicked, this, &TAboutBox::OKBtnClick);
}

void TAboutBox::FillScrambledTexts()
{
    VL1->setText(Plain(VersionPrefix) + QLatin1String(VersionNumber));
    VL2->setText(Plain(NoticeHead) + QLatin1String(Year) + Plain(NoticeTail));
    VL3->setText(Plain(WebAddress));
    VL4->setText(Plain(MailAddress));
    rl->setText(Plain(RlLine));
}

void TAboutBox::OKBtnClick()
{
    accept();
}

bool TAboutBox::FormKeyPress(const QKeyEvent& event)
{
    if (event.key() != Qt::Key_Return && event.key() != Qt::Key_Enter)
        return false;
    OKBtnClick();
    return true;
}

bool TAboutBox::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        if (FormKeyPress(*static_cast<QKeyEvent*>(event)))
            return true;
    }
    // Filters see the mouse even over a disabled label, that is a link no more.
    else if (event->type() == QEvent::MouseButtonRelease &&
             static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
             static_cast<QWidget*>(watched)->isEnabled()) {
        if (watched == VL3)
            VL3Click();
        else if (watched == VL4)
            VL4Click();
    }
    return QDialog::eventFilter(watched, event);
}

void TAboutBox::VL3Click()
{
    // Like the desktop shell, take an address without a scheme for a web address.
    JumpTo(VL3, QUrl::fromUserInput(VL3->text()));
}

void TAboutBox::VL4Click()
{
    JumpTo(VL4, QUrl(QStringLiteral("mailto:") + VL4->text()));
}

void TAboutBox::JumpTo(QLabel* label, const QUrl& target)
{
    const bool opened = UrlOpener() ? UrlOpener()(target) : QDesktopServices::openUrl(target);
    if (opened)
        return;
    label->setStyleSheet(QString());
    label->unsetCursor();
    label->setEnabled(false);
}
