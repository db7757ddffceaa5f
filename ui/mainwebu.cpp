// TMainForm's making and unmaking, its wiring, the routine that enables the commands from what is
// running, and what every command shows through it (the busy animation, boxes, message pumping).
#include "mainwebu.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

#include "Animate.h"
#include "Artwork.h"
#include "HttpGrabber.h"
#include "MRUList.h"
#include "TextBytes.h"
#include "UpdateCheck.h"
#include "WaitingGradient.h"
#include "optionu.h"

TMainForm::TMainForm(TMainFormSetup setup, QWidget* parent)
    : QMainWindow(parent), ICMP(setup.IcmpTransport ? std::move(setup.IcmpTransport) : SocketIcmpTransport()),
      FLookup(WhoisClient1, std::move(setup.WhoisServers)), FOtherLookup(std::move(setup.Lookup)),
      FOpenUrl(std::move(setup.OpenUrl)),
      FVersionFileAddress(setup.VersionFileAddress.empty() ? VersionFileAddress() : setup.VersionFileAddress)
{
    if (!FOpenUrl)
        FOpenUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Kavimor - Sollentra"));
    setWindowIcon(Artwork::ProgramIcon());
    CreateControls();
    ConnectHandlers();
    for (QWidget* control : findChildren<QWidget*>())
        if (!control->toolTip().isEmpty())
            control->installEventFilter(this);
    // While a question waits for its server the window keeps answering clicks and keys; the
    // commands that must not start meanwhile are disabled (UpdateCommands), and a stop request
    // cuts the question short.
    WhoisClient1.OnIdle = [] { QCoreApplication::processEvents(); };
    WhoisClient1.Aborted = [this] { return FChecker.StopRequested(); };
    FLookup.OnStatus = [this](const std::string& text) { ShowWaiting(text); };
    ICMP.OnIdle = [] { QCoreApplication::processEvents(); };

    // The Windows frame took 8 × 34 of the design's outer 720 × 614.
    resize(712, 580);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    FBrokenSettings = TIniCtrl::SetAsideBrokenFile();
    // The recently-used lists load before the window's own creation handler runs.
    Mru2 = new TMRUList(QStringLiteral("Mru2"), QStringLiteral("LoadWebList"), this);
    Mru2->SetButton(SpeedButton3);
    Mru1 = new TMRUList(QStringLiteral("Mru1"), QStringLiteral("LoadFileList"), this);
    Mru1->SetButton(SpeedButton1);
    Mru1->OnClick = [this](const QString& path, bool&) { Mru1Click(path); };
    Mru2->OnClick = [this](const QString& address, bool&) { Guarded([&] { Mru2Click(address); }); };
    CreateGrabbers();
    Guarded([this] { Mru2->Load(); });
    Guarded([this] { Mru1->Load(); });
    CreateTrayIcon();
    FormCreate();
    FOptForm = new TOptForm(this);
    On(FOptForm, &TOptForm::Loaded, &TMainForm::OptFormLoaded);
    On(FOptForm, &TOptForm::Confirmed, &TMainForm::ApplyOptions);
}

TMainForm::~TMainForm()
{
    Guarded([this] { Mru2->Save(); });
    Guarded([this] { Mru1->Save(); });
    FormDestroy();
}

void TMainForm::ConnectHandlers()
{
    On(CheckitBtn, &QToolButton::clicked, &TMainForm::CheckitBtnClick);
    On(SpeedButton2, &QToolButton::clicked, &TMainForm::SpeedButton2Click);
    On(ClipBtn, &QToolButton::clicked, &TMainForm::ClipBtnClick);
    On(GetNewFavPosts, &QToolButton::clicked, &TMainForm::GetNewFavPostsClick);
    On(AbortBtn, &QToolButton::clicked, &TMainForm::AbortBtnClick);
    On(OptBtn, &QToolButton::clicked, &TMainForm::OptBtnClick);
    On(SCForumsBtn, &QToolButton::clicked, &TMainForm::SCForumsBtnClick);
    On(SpeedButton4, &QToolButton::clicked, &TMainForm::SCForumsBtnClick);
    On(SearchBtn, &QPushButton::clicked, &TMainForm::SearchBtnClick);
    On(CancelBtn, &QPushButton::clicked, &TMainForm::CancelBtnClick);
    On(SrchReadyTimer, &QTimer::timeout, &TMainForm::SrchReadyTimerTimer);
    On(CB1, &QComboBox::activated, &TMainForm::CB1Change);
    On(CB2, &QComboBox::activated, &TMainForm::CB2Change);
    On(QuickSearchBtn, &QPushButton::clicked, &TMainForm::QuickSearchBtnClick);
    On(QuickDom, &QLineEdit::returnPressed, &TMainForm::QuickDomKeyPress);
    On(LB1, &QListView::doubleClicked, &TMainForm::LB1DblClick);
    On(MenuItem5, &QAction::triggered, &TMainForm::LB1DblClick);
    On(LB2, &QListView::doubleClicked, &TMainForm::LB2DblClick);
    On(RegDom, &QPushButton::clicked, &TMainForm::RegDomClick);
    On(LB1, &QListView::clicked, &TMainForm::LB1Click);
    On(MenuItem3, &QAction::triggered, &TMainForm::MenuItem3Click);
    On(WhoIsBtn, &QPushButton::clicked, &TMainForm::WhoIsBtnClick);
    On(PingBtn, &QPushButton::clicked, &TMainForm::PingBtnClick);
    On(MenuItem6, &QAction::triggered, &TMainForm::PingBtnClick);
    connect(LB1, &QListView::customContextMenuRequested, this,
            [this](const QPoint& at) { takendomsmenu->popup(LB1->viewport()->mapToGlobal(at)); });
}

std::optional<std::string> TMainForm::SelectedName(const QListView* list, const TResultList& names)
{
    const QModelIndex current = list->currentIndex();
    if (!current.isValid() || std::size_t(current.row()) >= names.Count() ||
        !list->selectionModel()->isSelected(current))
        return std::nullopt;
    return names[std::size_t(current.row())];
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    // A page still downloading is given up; nothing waits for it.
    if (FActivity == TActivity::WebLoad) {
        hget->Cancel();
        EndWebLoad();
    }
    // Closing never asks. A command in progress is stopped first, its question cut short, and the
    // window closes as soon as the command has returned.
    if (FActivity != TActivity::Idle) {
        FChecker.RequestStop();
        FClosePending = true;
        event->ignore();
        return;
    }
    FClosePending = false;
    event->accept();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ToolTip && !ShowsHint(static_cast<QWidget*>(watched)))
        return true;
    if (watched == SearchBtn && event->type() == QEvent::Enter)
        SearchBtnMouseEnter();
    if (watched == Image1 && event->type() == QEvent::MouseButtonRelease)
        Guarded([this] { Image1Click(); });
    return QMainWindow::eventFilter(watched, event);
}

// --- What is running -----------------------------------------------------------------------

void TMainForm::UpdateCommands()
{
    const bool idle = FActivity == TActivity::Idle;
    // One command at a time uses the network: the clients serve one question at a time. A source
    // loaded during a run would rebind the scan file under it, and a suffix chosen would file names
    // in the cache of another suffix.
    for (QWidget* command :
         std::initializer_list<QWidget*>{SearchBtn, QuickSearchBtn, CheckitBtn, SpeedButton1, SpeedButton2,
                                         SpeedButton3, ClipBtn, CB1, CB2, WhoIsBtn, PingBtn})
        command->setEnabled(idle);
    for (QAction* command : {MenuItem3, MenuItem6})
        command->setEnabled(idle);
    // The quick search shows each text it checks in the box.
    QuickDom->setReadOnly(FActivity == TActivity::QuickSearch);
}

TMainForm::TActivityScope::TActivityScope(TMainForm& form, TActivity activity) : FForm(form)
{
    FForm.FActivity = activity;
    FForm.UpdateCommands();
}

TMainForm::TActivityScope::~TActivityScope()
{
    FForm.FActivity = TActivity::Idle;
    FForm.UpdateCommands();
    if (FForm.FClosePending)
        QTimer::singleShot(0, &FForm, &QWidget::close);
}

// --- TDisplayPort --------------------------------------------------------------------------

void TMainForm::SetAnimating(bool playing)
{
    Animate1->SetActive(playing);
}
bool TMainForm::Animating() const
{
    return Animate1->Active();
}
void TMainForm::ShowInformation(const std::string& text)
{
    TModal::Information(this, Latin1(text));
}

// Against a fast server a run settles thousands of names a second, and letting the messages run
// before each of them would repaint the window as often, costing more than the queries. Once per
// PumpIntervalMs keeps it as live as the eye can tell.
void TMainForm::ProcessMessages()
{
    if (FSincePump.isValid() && FSincePump.elapsed() < PumpIntervalMs)
        return;
    QCoreApplication::processEvents();
    FSincePump.start();
}

void TMainForm::SetBusy(bool busy)
{
    StatusBar3->setText(busy ? QStringLiteral("Busy...") : QStringLiteral("Ready..."));
    WaitGrad->setEnabled(busy);
    WaitGrad->setVisible(busy);
}

void TMainForm::ShowNotAnswered(const std::vector<std::string>& names)
{
    if (names.empty()) {
        StatusBar3->setText(QStringLiteral("Ready..."));
        StatusBar3->setToolTip({});
        return;
    }
    StatusBar3->setText(QStringLiteral("Not answered %1").arg(names.size()));
    QStringList hint;
    for (std::size_t i = 0; i < std::min(names.size(), MaxNamesInHint); ++i)
        hint << Latin1(names[i]);
    if (names.size() > MaxNamesInHint)
        hint << QStringLiteral("and %1 more").arg(names.size() - MaxNamesInHint);
    StatusBar3->setToolTip(hint.join(QLatin1Char('\n')));
}

void TMainForm::ShowWaiting(const std::string& text)
{
    if (text.empty()) {
        StatusBar3->setText(FStatusBeforeWait);
        return;
    }
    if (!StatusBar3->text().startsWith(QStringLiteral("Waiting")))
        FStatusBeforeWait = StatusBar3->text();
    StatusBar3->setText(QString::fromUtf8(text));
}
