// The main window: its controls in their places, and the handlers of the scan sources, the run,
// the suffix selectors and saving the results.
#include "mainwebu.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QScrollArea>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <climits>
#include <stdexcept>

#include "Animate.h"
#include "Artwork.h"
#include "MRUList.h"
#include "WaitingGradient.h"
#include "Modal.h"
#include "ScanFileReader.h"
#include "Suffixes.h"
#include "TextBytes.h"
#include "lookupw.h"
#include "optionu.h"

namespace
{
template <class T> T* Named(T* control, const char* name)
{
    control->setObjectName(QLatin1String(name));
    return control;
}

QToolButton* ToolButton(const char* name, const QString& caption)
{
    auto* button = Named(new QToolButton, name);
    button->setText(caption);
    button->setAutoRaise(true);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return button;
}

// The narrow arrow beside a load button that carries its recently-used list.
QToolButton* ArrowButton(const char* name)
{
    auto* button = Named(new QToolButton, name);
    button->setArrowType(Qt::DownArrow);
    button->setAutoRaise(true);
    button->setFixedWidth(14);
    // A click loads like the button beside it; holding the button down opens the list.
    button->setPopupMode(QToolButton::DelayedPopup);
    return button;
}

QPushButton* Button(const char* name, const QString& caption, const QString& hint = {})
{
    auto* button = Named(new QPushButton(caption), name);
    button->setToolTip(hint);
    return button;
}

QLabel* StatusLabel(const char* name)
{
    auto* label = Named(new QLabel(QStringLiteral("Ready...")), name);
    label->setTextFormat(Qt::PlainText);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    return label;
}

QComboBox* SuffixList(const char* name)
{
    auto* list = Named(new QComboBox, name);
    for (const std::string_view suffix : Suffixes)
        list->addItem(QString::fromLatin1(suffix.data(), qsizetype(suffix.size())));
    return list;
}

// The tight grid of the two option groups, whose heights the design fixes.
QGridLayout* CompactGrid(QGroupBox* group)
{
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(6, 2, 6, 4);
    grid->setVerticalSpacing(2);
    return grid;
}

QSpinBox* SpinField(const char* name, int value)
{
    auto* field = Named(new QSpinBox, name);
    field->setRange(1, 99);
    field->setValue(value);
    field->setFixedWidth(48);
    return field;
}

// The two images "S&tart Scan" blinks between once a source is loaded.
QIcon SearchImage(int index)
{
    QPixmap picture(12, 12);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::darkGray);
    painter.setBrush(index == TMainForm::SearchImageOn ? QColor(0x30, 0xb0, 0x40) : QColor(0xc8, 0xc8, 0xc8));
    painter.drawEllipse(QRectF(1.5, 1.5, 9, 9));
    return QIcon(picture);
}

// Replaces the file's contents. Written beside the old file and renamed over it, so a failed write
// leaves the old file whole; throws naming the file.
void WriteWholeFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw std::runtime_error("Cannot write file \"" + Bytes(path) + "\". " + Bytes(file.errorString()));
}
} // namespace

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Kavimor - Sollentra"));
    setWindowIcon(Artwork::ProgramIcon());
    CreateControls();
    ConnectHandlers();
    for (QWidget* control : findChildren<QWidget*>())
        if (!control->toolTip().isEmpty())
            control->installEventFilter(this);
    // Keeps the window painting while a query waits; clicks and keys wait for the run's own pump
    // between names, so a stop is seen once the query has returned.
    WhoisClient1.OnIdle = [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); };

    // The Windows frame took 8 × 34 of the design's outer 720 × 614.
    resize(712, 580);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    // The recently-used lists load before the window's own creation handler runs.
    Mru2 = new TMRUList(QStringLiteral("Mru2"), QStringLiteral("LoadWebList"), this);
    Mru2->SetButton(SpeedButton3);
    Mru1 = new TMRUList(QStringLiteral("Mru1"), QStringLiteral("LoadFileList"), this);
    Mru1->SetButton(SpeedButton1);
    Mru1->OnClick = [this](const QString& path, bool&) { Mru1Click(path); };
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

void TMainForm::CreateControls()
{
    auto* central = new QWidget;
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(CreateToolBar());

    auto* middle = new QHBoxLayout;
    middle->setContentsMargins(2, 2, 2, 2);
    GB1 = Named(new QGroupBox(QStringLiteral("Registered")), "GB1");
    GB1->setFixedWidth(119);
    GB1->setStyleSheet(QStringLiteral("QGroupBox#GB1 { font-weight: bold; color: blue; }"));
    LB1 = Named(new QListWidget, "LB1");
    LB1->setToolTip(QStringLiteral("Double click to visit"));
    LB1->setCursor(Qt::PointingHandCursor);
    LB1->setContextMenuPolicy(Qt::CustomContextMenu);
    LB1->setUniformItemSizes(true);
    (new QVBoxLayout(GB1))->addWidget(LB1);
    GB2 = Named(new QGroupBox(QStringLiteral("Available")), "GB2");
    GB2->setFixedWidth(120);
    LB2 = Named(new QListWidget, "LB2");
    LB2->setToolTip(QStringLiteral("Double click to register"));
    LB2->setCursor(Qt::PointingHandCursor);
    LB2->setUniformItemSizes(true);
    (new QVBoxLayout(GB2))->addWidget(LB2);
    middle->addWidget(GB1);
    middle->addWidget(GB2);
    auto* right = new QVBoxLayout;
    right->addWidget(CreateScanOptions());
    right->addWidget(CreateQuickSearch());
    right->addWidget(CreateWhoIsPanel(), 1);
    middle->addLayout(right, 1);
    column->addLayout(middle, 1);

    column->addWidget(CreateStatusLine());
    Image1 = Named(new QLabel, "Image1");
    Image1->setFixedHeight(90);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setCursor(Qt::PointingHandCursor);
    Image1->setPixmap(Artwork::Banner());
    column->addWidget(Image1);
    FileLab = StatusLabel("FileLab");
    FileLab->setFixedHeight(19);
    column->addWidget(FileLab);
    setCentralWidget(central);

    takendomsmenu = Named(new QMenu(this), "takendomsmenu");
    takendomsmenu->addAction(QStringLiteral("Open in Browser"));
    takendomsmenu->addAction(QStringLiteral("WhoIS"));
    takendomsmenu->addAction(QStringLiteral("Ping"));

    SrchReadyTimer = Named(new QTimer(this), "SrchReadyTimer");
    SrchReadyTimer->setInterval(750);
    QuickDom->setFocus();
}

QWidget* TMainForm::CreateToolBar()
{
    auto* bar = Named(new QWidget, "ToolBar1");
    bar->setFixedHeight(34);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(1);
    CheckitBtn = ToolButton("CheckitBtn", QStringLiteral("Load &File"));
    SpeedButton1 = ArrowButton("SpeedButton1");
    SpeedButton2 = ToolButton("SpeedButton2", QStringLiteral("Load &Web"));
    SpeedButton3 = ArrowButton("SpeedButton3");
    ClipBtn = ToolButton("ClipBtn", QStringLiteral("Load &Clip"));
    GetNewFavPosts = ToolButton("GetNewFavPosts", QStringLiteral("&Save Search"));
    OptBtn = ToolButton("OptBtn", QStringLiteral("&Options"));
    SCForumsBtn = ToolButton("SCForumsBtn", QStringLiteral("&About"));
    SpeedButton4 = ToolButton("SpeedButton4", QStringLiteral("&Help"));
    AbortBtn = ToolButton("AbortBtn", QStringLiteral("E&xit"));
    for (QWidget* button : {CheckitBtn, SpeedButton1, SpeedButton2, SpeedButton3, ClipBtn, GetNewFavPosts,
                            OptBtn, SCForumsBtn, SpeedButton4})
        row->addWidget(button);
    row->addStretch(1);
    row->addWidget(AbortBtn);
    return bar;
}

QWidget* TMainForm::CreateScanOptions()
{
    auto* group = Named(new QGroupBox(QStringLiteral("File / Web page Scan Options")), "GB3");
    group->setMinimumHeight(84);
    auto* grid = CompactGrid(group);
    CB1 = SuffixList("CB1");
    SP1 = SpinField("SP1", 10);
    SP2 = SpinField("SP2", 4);
    SearchBtn = Button("SearchBtn", QStringLiteral("S&tart Scan"), QStringLiteral("Runs a loaded file or a web page scan"));
    SearchBtn->setIcon(SearchImage(FSearchImageIndex));
    SearchBtn->installEventFilter(this);
    CancelBtn = Button("CancelBtn", QStringLiteral("Stop Sca&n"));
    StripNumChk = Named(new QCheckBox(QStringLiteral("Strip Numbers")), "StripNumChk");
    StripNumChk->setChecked(true);
    StripHash = Named(new QCheckBox(QStringLiteral("Strip Hashes")), "StripHash");
    StripHash->setChecked(true);
    grid->addWidget(Named(new QLabel(QStringLiteral("Type")), "Label5"), 0, 0);
    grid->addWidget(CB1, 0, 1);
    grid->addWidget(Named(new QLabel(QStringLiteral("Max Chars")), "Label1"), 0, 2);
    grid->addWidget(SP1, 0, 3);
    grid->addWidget(Named(new QLabel(QStringLiteral("Min Chars")), "Label2"), 0, 4);
    grid->addWidget(SP2, 0, 5);
    grid->addWidget(SearchBtn, 1, 0, 1, 2);
    grid->addWidget(CancelBtn, 1, 2, 1, 2);
    grid->addWidget(StripNumChk, 1, 4);
    grid->addWidget(StripHash, 1, 5);
    return group;
}

QWidget* TMainForm::CreateQuickSearch()
{
    auto* group = Named(new QGroupBox(QStringLiteral("Quick Domain Search")), "GB4");
    group->setMinimumHeight(65);
    auto* grid = CompactGrid(group);
    QuickDom = Named(new QLineEdit, "QuickDom");
    QuickDom->setToolTip(QStringLiteral("Type any name or word\n"
                                        "You can use * as a wild card for characters a..z\n"
                                        "i.e. running search for micr* will result in * being replaced "
                                        "with characters from a..z in turn"));
    CB2 = SuffixList("CB2");
    QuickSearchBtn = Button("QuickSearchBtn", QStringLiteral("&Quick Search"),
                            QStringLiteral("Runs a search based on domain name typed"));
    CoolName = Named(new QCheckBox(QStringLiteral("Suggest cool domain name")), "CoolName");
    grid->addWidget(Named(new QLabel(QStringLiteral("www.")), "Label4"), 0, 0);
    grid->addWidget(QuickDom, 0, 1);
    grid->addWidget(CB2, 0, 2);
    grid->addWidget(QuickSearchBtn, 1, 1);
    grid->addWidget(CoolName, 1, 2);
    grid->setColumnStretch(1, 1);
    return group;
}

QWidget* TMainForm::CreateWhoIsPanel()
{
    GB5 = Named(new QGroupBox(QStringLiteral("Who Is?")), "GB5");
    auto* column = new QVBoxLayout(GB5);
    column->setContentsMargins(4, 2, 4, 4);
    auto* bar = new QHBoxLayout;
    RegDom = Button("RegDom", QStringLiteral("Register Domain"));
    PingBtn = Button("PingBtn", QStringLiteral("Ping Domain"),
                     QStringLiteral("Ping any domain from the list of existing (Registered) domains"));
    WhoIsBtn = Button("WhoIsBtn", QStringLiteral("More Info"),
                      QStringLiteral("More detailed information for .com .net & .org domains"));
    bar->addWidget(RegDom);
    bar->addWidget(PingBtn);
    bar->addWidget(WhoIsBtn);
    bar->addStretch(1);
    column->addLayout(bar);
    auto* scroll = Named(new QScrollArea, "ScrollBox1");
    scroll->setWidgetResizable(true);
    // WHOIS answers are foreign text: shown as it is, never as markup.
    Label3 = Named(new QLabel, "Label3");
    Label3->setTextFormat(Qt::PlainText);
    Label3->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label3->setTextInteractionFlags(Qt::TextSelectableByMouse);
    scroll->setWidget(Label3);
    column->addWidget(scroll, 1);
    Memo1 = Named(new QPlainTextEdit, "Memo1");
    Memo1->hide();
    column->addWidget(Memo1);
    return GB5;
}

QWidget* TMainForm::CreateStatusLine()
{
    auto* line = Named(new QWidget, "StatusLine");
    line->setFixedHeight(19);
    auto* row = new QHBoxLayout(line);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    StatusBar1 = StatusLabel("StatusBar1");
    Animate1 = Named(new TAnimate, "Animate1");
    Animate1->hide();
    StatusBar2 = StatusLabel("StatusBar2");
    StatusBar3 = StatusLabel("StatusBar3");
    row->addWidget(StatusBar1, 3);
    row->addWidget(Animate1);
    row->addWidget(StatusBar2, 3);
    row->addWidget(StatusBar3, 2);

    PB1 = Named(new QProgressBar, "PB1");
    PB1->setFixedWidth(155);
    PB1->setRange(0, 10000);
    PB1->setValue(0);
    PB1->setTextVisible(true);
    PB1->setFormat(QStringLiteral("%p%"));
    PB1->setStyleSheet(QStringLiteral("QProgressBar::chunk { background: #f0d000; }"));
    row->addWidget(PB1);
    // The busy bar lies over the progress bar.
    WaitGrad = Named(new TWaitingGradient(PB1), "WaitGrad");
    WaitGrad->setGeometry(2, 4, 151, 10);
    WaitGrad->SetEndColor(Qt::red);
    WaitGrad->hide();
    WaitGrad->setEnabled(false);
    return line;
}

void TMainForm::ConnectHandlers()
{
    On(CheckitBtn, &QToolButton::clicked, &TMainForm::CheckitBtnClick);
    On(SpeedButton1, &QToolButton::clicked, &TMainForm::CheckitBtnClick);
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
    connect(LB1, &QListWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { takendomsmenu->popup(LB1->viewport()->mapToGlobal(at)); });

    FRun.Registered.OnInsert = [this](std::size_t index, const std::string& name) {
        LB1->insertItem(int(index), Latin1(name));
    };
    FRun.Registered.OnReset = [this] { ShowList(LB1, FRun.Registered); };
    FRun.Available.OnInsert = [this](std::size_t index, const std::string& name) {
        LB2->insertItem(int(index), Latin1(name));
    };
    FRun.Available.OnReset = [this] { ShowList(LB2, FRun.Available); };
}

void TMainForm::ShowList(QListWidget* box, const TResultList& list)
{
    box->clear();
    for (const std::string& name : list.Entries())
        box->addItem(Latin1(name));
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    // Closing never asks. While a run is going, the window stays until the run has worked
    // through its file, and closes then.
    if (Animating())
    {
        FClosePending = true;
        event->ignore();
        return;
    }
    event->accept();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ToolTip && !ShowsHint(static_cast<QWidget*>(watched)))
        return true;
    if (watched == SearchBtn && event->type() == QEvent::Enter)
        SearchBtnMouseEnter();
    return QMainWindow::eventFilter(watched, event);
}

// --- Sources -------------------------------------------------------------------------------

void TMainForm::LoadScanFile(const QString& path)
{
    // Counted first, so that a file that cannot be read changes nothing.
    const std::size_t lines = TScanFileReader::CountLines(Bytes(path));
    Fod1FileName = path;
    StatusBar1->setText(QStringLiteral("Loaded 1 files.."));
    StatusBar1->setToolTip(QStringLiteral("File : ") + path);
    PB1->setValue(0);
    // A bar whose maximum is 0 turns into a busy indicator; an empty file shows 0 % instead.
    PB1->setMaximum(int(std::min<std::size_t>(std::max<std::size_t>(lines, 1), INT_MAX)));
    StatusBar2->setText(QString::number(lines) + QStringLiteral(" lines.."));
    StatusBar2->setToolTip(QStringLiteral("File : ") + path);
    FRun.Registered.Clear();
    FRun.Available.Clear();
    Label3->clear();
    SrchReadyTimer->start();
    FileLab->setText(QStringLiteral("File : ") + path + QStringLiteral(" - LOADED OK"));
}

void TMainForm::CheckitBtnClick()
{
    if (Animating())
        return;
    const QString path = TModal::OpenFileName(this, QStringLiteral("Open text file to scan"),
                                              QLatin1String(TextFileFilter), QStringLiteral("txt"));
    if (path.isEmpty())
        return;
    Mru1->Add(path);
    LoadScanFile(path);
}

void TMainForm::Mru1Click(const QString& path)
{
    if (Animating())
        return;
    LoadScanFile(path);
}

void TMainForm::ClipBtnClick()
{
    if (Animating())
        return;
    Memo1->setPlainText(QApplication::clipboard()->text());
    if (Memo1->toPlainText().isEmpty())
    {
        TModal::Information(this, QStringLiteral("Clipboard empty. Nothing to load..."));
        return;
    }
    QByteArray bytes;
    for (const QString& line : Memo1->toPlainText().split(QLatin1Char('\n')))
        bytes += line.toLocal8Bit() + "\r\n";
    WriteWholeFile(QLatin1String(ScanFileTxt), bytes);
    LoadScanFile(QLatin1String(ScanFileTxt));
    FileLab->setText(QStringLiteral("Clipboard  - LOADED OK"));
}

// --- The run -------------------------------------------------------------------------------

void TMainForm::SearchBtnClick()
{
    // A close asked for during the run takes effect once the run is over, however it ended.
    struct TCloseWhenOver
    {
        TMainForm& Form;
        ~TCloseWhenOver()
        {
            if (Form.FClosePending && !Form.Animating())
                QTimer::singleShot(0, &Form, &QWidget::close);
        }
    } closeWhenOver{*this};
    FRun.Search();
}

void TMainForm::CancelBtnClick() { FRun.Cancel(); }

void TMainForm::AbortBtnClick()
{
    FRun.RequestStop();
    close();
}

void TMainForm::SrchReadyTimerTimer()
{
    FSearchImageIndex = FSearchImageIndex == SearchImageOff ? SearchImageOn : SearchImageOff;
    SearchBtn->setIcon(SearchImage(FSearchImageIndex));
}

void TMainForm::SearchBtnMouseEnter() { SrchReadyTimer->stop(); }

void TMainForm::SetBusy(bool busy)
{
    StatusBar3->setText(busy ? QStringLiteral("Busy...") : QStringLiteral("Ready..."));
    WaitGrad->setEnabled(busy);
    WaitGrad->setVisible(busy);
}

void TMainForm::SetSourcesEnabled(bool enabled)
{
    // While a run reads the scan file it must not be rebound, and the cache in memory must stay
    // the one of the run's suffix.
    for (QWidget* control : std::initializer_list<QWidget*>{CheckitBtn, SpeedButton1, SpeedButton2, SpeedButton3,
                                                            ClipBtn, CB1, CB2})
        control->setEnabled(enabled);
}

// --- Suffixes ------------------------------------------------------------------------------

void TMainForm::SelectSuffix(const QString& suffix)
{
    FRun.CurrentSuffix = Bytes(suffix);
    SelectWhoisServer(WhoisClient1, FRun.CurrentSuffix);
    if (!FTestWhoisServer.isEmpty())
        WhoisClient1.SetHostName(Bytes(FTestWhoisServer));
}

void TMainForm::CB1Change() { SelectSuffix(CB1->currentText()); }

void TMainForm::CB2Change()
{
    SelectSuffix(CB2->currentText());
    WhoIsBtn->setVisible(CB2->currentIndex() >= 0 && CB2->currentIndex() <= 2);
}

// --- Results -------------------------------------------------------------------------------

void TMainForm::GetNewFavPostsClick()
{
    if (FRun.Available.Count() == 0)
    {
        TModal::Information(this, QStringLiteral("Available domains list blank. Nothing to save..."));
        return;
    }
    const QString path = TModal::SaveFileName(this, QStringLiteral("Save your search results"),
                                              QLatin1String(TextFileFilter), QStringLiteral("txt"));
    if (path.isEmpty())
        return;
    QByteArray bytes;
    for (const std::string& name : FRun.Available.Entries())
        bytes.append(name.data(), qsizetype(name.size())).append("\r\n");
    WriteWholeFile(path, bytes);
}

// --- TRunWindow ----------------------------------------------------------------------------

std::string TMainForm::ScanFileName() const { return Bytes(Fod1FileName); }
int TMainForm::MaxChars() const { return SP1->value(); }
int TMainForm::MinChars() const { return SP2->value(); }
bool TMainForm::StripNumbers() const { return StripNumChk->isChecked(); }
bool TMainForm::StripHashes() const { return StripHash->isChecked(); }
// Read from the Options dialog itself, so phrases edited there and left by Cancel still count.
std::vector<std::string> TMainForm::IgnorePhrases() const
{
    std::vector<std::string> phrases;
    for (const QString& phrase : FOptForm->IgnorePhrases())
        phrases.push_back(Bytes(phrase));
    return phrases;
}
TIgnoreWay TMainForm::IgnoreWay() const { return FOptForm->IgnoreWay(); }
void TMainForm::SelectScanSuffix() { CB1Change(); }

void TMainForm::SetAnimating(bool playing)
{
    Animate1->SetActive(playing);
    SetSourcesEnabled(!playing);
}

bool TMainForm::Animating() const { return Animate1->Active(); }
void TMainForm::ShowAnswer(const std::string& answer) { Label3->setText(Latin1(answer)); }
void TMainForm::SetAnswerCaption(const std::string& caption) { GB5->setTitle(Latin1(caption)); }

void TMainForm::SetProgress(std::size_t linesDone)
{
    PB1->setValue(int(std::min<std::size_t>(linesDone, std::size_t(PB1->maximum()))));
}

void TMainForm::SetStatus(const std::string& first, const std::string& second)
{
    StatusBar1->setText(Latin1(first));
    StatusBar2->setText(Latin1(second));
}

void TMainForm::ShowInformation(const std::string& text) { TModal::Information(this, Latin1(text)); }
// Against a fast server a run settles thousands of names a second, and letting the messages run
// before each of them would repaint the window as often, costing more than the queries. Once per
// PumpIntervalMs keeps it as live as the eye can tell, and a stop is still seen at the next query.
void TMainForm::ProcessMessages()
{
    if (FSincePump.isValid() && FSincePump.elapsed() < PumpIntervalMs)
        return;
    QCoreApplication::processEvents();
    FSincePump.start();
}
