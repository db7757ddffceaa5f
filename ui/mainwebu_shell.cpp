// TMainForm's start-up and shut-down, the options it takes from the store and the Options dialog,
// the notification-area icon and the about box.
#include "mainwebu.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QShowEvent>

#include <sys/utsname.h>

#include <algorithm>
#include <iterator>

#include "Animate.h"
#include "Controls.h"
#include "Modal.h"
#include "ServerSettings.h"
#include "TextBytes.h"
#include "TrayIcon.h"
#include "aboutu.h"
#include "lookupw.h"
#include "myutils.h"
#include "optionu.h"

namespace {
// The caption's two pieces, kept scrambled like the other texts of the program's maker.
constexpr const char* CaptionMaker = "K7a1v4i0m9o3r";
constexpr const char* CaptionProgram = "S2o8l5l6e1n3t0r9a";

// The platform version as major and minor number joined by a dot: the kernel's, here.
QString PlatformVersion()
{
    utsname name{};
    if (::uname(&name) != 0)
        return {};
    const QStringList numbers = QString::fromLatin1(name.release).split(QLatin1Char('.'));
    return numbers.size() < 2 ? QString()
                              : numbers[0] + QLatin1Char('.') + numbers[1].section(QLatin1Char('-'), 0, 0);
}
} // namespace

void TMainForm::FormCreate()
{
    // Set in code, which raises no "activated": the change handlers do not run.
    CB1->setCurrentIndex(0);
    CB2->setCurrentIndex(0);
    Guarded([] { LoadCache(); });
}

void TMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    Guarded([this] { FormShow(); });
}

void TMainForm::FormShow()
{
    if (!FFirstShow)
        return;
    for (QWidget* control : findChildren<QWidget*>())
        control->setToolTipDuration(HintHidePauseMs);
    FFirstShow = false;
    StripNumChk->setChecked(IniCtrl1.ReadBool(QStringLiteral("StripNumbers"), QStringLiteral("Active"),
                                              StripNumChk->isChecked()));
    StripHash->setChecked(
        IniCtrl1.ReadBool(QStringLiteral("StripHash"), QStringLiteral("Active"), StripHash->isChecked()));
    LoadOptions();
    LoadServers();
    setWindowTitle(Latin1(Unscramble(CaptionMaker)) + QStringLiteral(" - ") +
                   Latin1(Unscramble(CaptionProgram)));
    if (PlatformVersion() == QLatin1String("5.0"))
        Animate1->show();
    if (!FBrokenSettings.isEmpty())
        TModal::Information(this,
                            QStringLiteral("The settings could not be read and were reset to their defaults. "
                                           "The old settings file was kept as %1.")
                                .arg(FBrokenSettings));
    if (CacheFolderMoved)
        StatusBar1->setText(
            QStringLiteral("The start-up folder cannot be written: cache files are kept in ") +
            QString::fromStdString(CacheFolder.string()));
}

void TMainForm::LoadOptions()
{
    FOptForm->LoadControls();
    OptFormLoaded();
}

void TMainForm::LoadServers()
{
    QStringList notText;
    TSettingEntries entries;
    for (const auto& [name, value] : IniCtrl1.ReadSection(QStringLiteral("Servers"), notText))
        entries.emplace_back(Bytes(name), Bytes(value));
    std::vector<std::string> rejected;
    FLookup.SetServers(ApplyServerSettings(FLookup.Servers(), entries, rejected));
    for (const QString& name : notText)
        rejected.push_back(Bytes(name));
    if (rejected.empty())
        return;
    QString text =
        QStringLiteral("These entries of the \"Servers\" settings were not understood and are ignored:");
    for (const std::string& entry : rejected)
        text += QLatin1Char('\n') + Latin1(entry);
    TModal::Information(this, text);
}

void TMainForm::OptFormLoaded()
{
    FRunCount = IniCtrl1.ReadInteger(QStringLiteral("RC"), QStringLiteral("SearchIndex"), 1) + 1;
    if (FRunCount % 5 == 0)
        StartUpdateCheck();
    ApplyOptions();
}

void TMainForm::ApplyOptions()
{
    FRun.IgnoreWords = FOptForm->IgnoreWordsActive();
    Tico->SetActive(FOptForm->RunInTrayActive());
    if (FOptForm->SortAlphaActive()) {
        FChecker.Registered.SetSorted();
        FChecker.Available.SetSorted();
    }
    FRun.NeverTwice = FOptForm->NeverTwiceActive();
    FShowHints = FOptForm->ShowHintsActive();
    // "Time out if server is unavailable": off, a connection waits as long as the system lets it.
    WhoisClient1.ConnectTimeoutMs =
        FOptForm->TimeoutActive() ? TWhoisClient::DefaultConnectTimeoutMs : PatientConnectTimeoutMs;
}

bool TMainForm::ShowsHint(const QWidget* control) const
{
    const QWidget* ownSwitch[] = {QuickDom, StatusBar1, StatusBar2, FileLab};
    return FShowHints ||
           std::find(std::begin(ownSwitch), std::end(ownSwitch), control) != std::end(ownSwitch);
}

void TMainForm::OptBtnClick()
{
    TModal::Exec(*FOptForm);
}

void TMainForm::SCForumsBtnClick()
{
    TAboutBox box(this);
    TModal::Exec(box);
}

// The window is never hidden for the icon's sake: a desktop without a notification area would
// leave no way back to it.
void TMainForm::CreateTrayIcon()
{
    TrayMenu = Make<QMenu>("TrayMenu", this);
    QAction* menuItem1 = Named(TrayMenu->addAction(QStringLiteral("Open Sollentra")), "MenuItem1");
    TrayMenu->addSeparator();
    QAction* about2 = Named(TrayMenu->addAction(QStringLiteral("About")), "About2");
    QAction* exit2 = Named(TrayMenu->addAction(QStringLiteral("Exit")), "Exit2");
    Tico = new TTrayIcon(QStringLiteral("Tico"), this);
    Tico->SetPopupMenu(TrayMenu);

    On(menuItem1, &QAction::triggered, &TMainForm::MenuItem1Click);
    On(about2, &QAction::triggered, &TMainForm::SCForumsBtnClick);
    On(exit2, &QAction::triggered, &TMainForm::AbortBtnClick);
    On(Tico, &TTrayIcon::OnDblClick, &TMainForm::TicoDblClick);
    On(Tico, &TTrayIcon::OnMouseUp, &TMainForm::TicoMouseUp);
    On(Tico, &TTrayIcon::OnPopup, &TMainForm::TicoMouseUp);
}

void TMainForm::TicoDblClick()
{
    showNormal();
    activateWindow();
}

void TMainForm::MenuItem1Click()
{
    TicoDblClick();
}

void TMainForm::TicoMouseUp()
{
    raise();
    activateWindow();
}

// Each step on its own: a store that cannot be written must not cost the cache or leave the scan
// file behind.
void TMainForm::FormDestroy()
{
    Guarded([this] {
        IniCtrl1.WriteBool(QStringLiteral("StripNumbers"), QStringLiteral("Active"),
                           StripNumChk->isChecked());
        IniCtrl1.WriteBool(QStringLiteral("StripHash"), QStringLiteral("Active"), StripHash->isChecked());
        // Never loaded, the counter is not known, and writing it would start it again.
        if (FRunCount > 0)
            IniCtrl1.WriteInteger(QStringLiteral("RC"), QStringLiteral("SearchIndex"), FRunCount);
    });
    Guarded([] { SaveCache(); });
    QFile::remove(QLatin1String(ScanFileTxt));
}
