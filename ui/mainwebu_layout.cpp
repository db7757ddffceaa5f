// TMainForm's layout: every control in its place with its caption and hint.
#include "mainwebu.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "Animate.h"
#include "Artwork.h"
#include "Controls.h"
#include "ResultListModel.h"
#include "WaitingGradient.h"

namespace {
QToolButton* ToolButton(const char* name, const QString& caption)
{
    auto* button = Make<QToolButton>(name);
    button->setText(caption);
    button->setAutoRaise(true);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return button;
}

// The narrow arrow beside a load button that carries its recently-used list.
QToolButton* ArrowButton(const char* name)
{
    auto* button = Make<QToolButton>(name);
    button->setArrowType(Qt::DownArrow);
    button->setAutoRaise(true);
    button->setFixedWidth(14);
    // A click on the arrow opens the recent list, as users expect of an arrow beside a button; the
    // button beside it runs the load.
    button->setPopupMode(QToolButton::InstantPopup);
    return button;
}

QPushButton* Button(const char* name, const QString& caption, const QString& hint = {})
{
    auto* button = Make<QPushButton>(name, caption);
    button->setToolTip(hint);
    return button;
}

QLabel* StatusLabel(const char* name)
{
    auto* label = Make<QLabel>(name, QStringLiteral("Ready..."));
    label->setTextFormat(Qt::PlainText);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    return label;
}

QComboBox* SuffixList(const char* name)
{
    auto* list = Make<QComboBox>(name);
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
    auto* field = Make<QSpinBox>(name);
    field->setRange(1, 99);
    field->setValue(value);
    field->setFixedWidth(48);
    return field;
}

} // namespace

// The two images "S&tart Scan" blinks between once a source is loaded.
QIcon TMainForm::SearchImage(int index)
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

void TMainForm::CreateControls()
{
    auto* central = new QWidget;
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(CreateToolBar());

    auto* middle = new QHBoxLayout;
    middle->setContentsMargins(2, 2, 2, 2);
    GB1 = Make<QGroupBox>("GB1", QStringLiteral("Registered"));
    GB1->setMinimumWidth(119);
    // Bold as designed, in the theme's link colour: pure blue is nearly unreadable on a dark theme.
    GB1->setStyleSheet(QStringLiteral("QGroupBox#GB1 { font-weight: bold; color: palette(link); }"));
    LB1 = Make<QListView>("LB1");
    LB1->setModel(new TResultListModel(FChecker.Registered, LB1));
    LB1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LB1->setToolTip(QStringLiteral("Double click to visit"));
    LB1->setCursor(Qt::PointingHandCursor);
    LB1->setContextMenuPolicy(Qt::CustomContextMenu);
    LB1->setUniformItemSizes(true);
    LB1->setLayoutMode(QListView::Batched);
    (new QVBoxLayout(GB1))->addWidget(LB1);
    GB2 = Make<QGroupBox>("GB2", QStringLiteral("Available"));
    GB2->setMinimumWidth(120);
    LB2 = Make<QListView>("LB2");
    LB2->setModel(new TResultListModel(FChecker.Available, LB2));
    LB2->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LB2->setToolTip(QStringLiteral("Double click to register"));
    LB2->setCursor(Qt::PointingHandCursor);
    LB2->setUniformItemSizes(true);
    LB2->setLayoutMode(QListView::Batched);
    (new QVBoxLayout(GB2))->addWidget(LB2);
    // The lists take a share of any width the window gains.
    middle->addWidget(GB1, 1);
    middle->addWidget(GB2, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(CreateScanOptions());
    right->addWidget(CreateQuickSearch());
    right->addWidget(CreateWhoIsPanel(), 1);
    middle->addLayout(right, 1);
    column->addLayout(middle, 1);

    column->addWidget(CreateStatusLine());
    Image1 = Make<QLabel>("Image1");
    Image1->setFixedHeight(90);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setCursor(Qt::PointingHandCursor);
    Image1->setPixmap(Artwork::Banner());
    Image1->installEventFilter(this);
    column->addWidget(Image1);
    FileLab = StatusLabel("FileLab");
    FileLab->setFixedHeight(19);
    column->addWidget(FileLab);
    setCentralWidget(central);

    takendomsmenu = Make<QMenu>("takendomsmenu", this);
    MenuItem5 = Named(takendomsmenu->addAction(QStringLiteral("Open in Browser")), "MenuItem5");
    MenuItem3 = Named(takendomsmenu->addAction(QStringLiteral("WhoIS")), "MenuItem3");
    MenuItem6 = Named(takendomsmenu->addAction(QStringLiteral("Ping")), "MenuItem6");

    SrchReadyTimer = Make<QTimer>("SrchReadyTimer", this);
    SrchReadyTimer->setInterval(750);
    QuickDom->setFocus();
}

QWidget* TMainForm::CreateToolBar()
{
    auto* bar = Make<QWidget>("ToolBar1");
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
    auto* group = Make<QGroupBox>("GB3", QStringLiteral("File / Web page Scan Options"));
    group->setMinimumHeight(84);
    auto* grid = CompactGrid(group);
    CB1 = SuffixList("CB1");
    SP1 = SpinField("SP1", 10);
    SP2 = SpinField("SP2", 4);
    SearchBtn = Button("SearchBtn", QStringLiteral("S&tart Scan"),
                       QStringLiteral("Runs a loaded file or a web page scan"));
    SearchBtn->setIcon(SearchImage(FSearchImageIndex));
    SearchBtn->installEventFilter(this);
    CancelBtn = Button("CancelBtn", QStringLiteral("Stop Sca&n"));
    StripNumChk = Make<QCheckBox>("StripNumChk", QStringLiteral("Strip Numbers"));
    StripNumChk->setChecked(true);
    StripHash = Make<QCheckBox>("StripHash", QStringLiteral("Strip Hashes"));
    StripHash->setChecked(true);
    grid->addWidget(Make<QLabel>("Label5", QStringLiteral("Type")), 0, 0);
    grid->addWidget(CB1, 0, 1);
    grid->addWidget(Make<QLabel>("Label1", QStringLiteral("Max Chars")), 0, 2);
    grid->addWidget(SP1, 0, 3);
    grid->addWidget(Make<QLabel>("Label2", QStringLiteral("Min Chars")), 0, 4);
    grid->addWidget(SP2, 0, 5);
    grid->addWidget(SearchBtn, 1, 0, 1, 2);
    grid->addWidget(CancelBtn, 1, 2, 1, 2);
    grid->addWidget(StripNumChk, 1, 4);
    grid->addWidget(StripHash, 1, 5);
    return group;
}

QWidget* TMainForm::CreateQuickSearch()
{
    auto* group = Make<QGroupBox>("GB4", QStringLiteral("Quick Domain Search"));
    group->setMinimumHeight(65);
    auto* grid = CompactGrid(group);
    QuickDom = Make<QLineEdit>("QuickDom");
    QuickDom->setToolTip(QStringLiteral("Type any name or word\n"
                                        "You can use * as a wild card for characters a..z\n"
                                        "i.e. running search for micr* will result in * being replaced "
                                        "with characters from a..z in turn"));
    CB2 = SuffixList("CB2");
    QuickSearchBtn = Button("QuickSearchBtn", QStringLiteral("&Quick Search"),
                            QStringLiteral("Runs a search based on domain name typed"));
    CoolName = Make<QCheckBox>("CoolName", QStringLiteral("Suggest cool domain name"));
    grid->addWidget(Make<QLabel>("Label4", QStringLiteral("www.")), 0, 0);
    grid->addWidget(QuickDom, 0, 1);
    grid->addWidget(CB2, 0, 2);
    grid->addWidget(QuickSearchBtn, 1, 1);
    grid->addWidget(CoolName, 1, 2);
    grid->setColumnStretch(1, 1);
    return group;
}

QWidget* TMainForm::CreateWhoIsPanel()
{
    GB5 = Make<QGroupBox>("GB5", QStringLiteral("Who Is?"));
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
    auto* scroll = Make<QScrollArea>("ScrollBox1");
    scroll->setWidgetResizable(true);
    // WHOIS answers are foreign text: shown as it is, never as markup.
    Label3 = Make<QLabel>("Label3");
    Label3->setTextFormat(Qt::PlainText);
    Label3->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label3->setTextInteractionFlags(Qt::TextSelectableByMouse);
    scroll->setWidget(Label3);
    column->addWidget(scroll, 1);
    Memo1 = Make<QPlainTextEdit>("Memo1");
    Memo1->hide();
    column->addWidget(Memo1);
    return GB5;
}

QWidget* TMainForm::CreateStatusLine()
{
    auto* line = Make<QWidget>("StatusLine");
    line->setFixedHeight(19);
    auto* row = new QHBoxLayout(line);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    StatusBar1 = StatusLabel("StatusBar1");
    Animate1 = Make<TAnimate>("Animate1");
    Animate1->hide();
    StatusBar2 = StatusLabel("StatusBar2");
    StatusBar3 = StatusLabel("StatusBar3");
    row->addWidget(StatusBar1, 3);
    row->addWidget(Animate1);
    row->addWidget(StatusBar2, 3);
    row->addWidget(StatusBar3, 2);

    PB1 = Make<QProgressBar>("PB1");
    PB1->setFixedWidth(155);
    PB1->setRange(0, 10000);
    PB1->setValue(0);
    PB1->setTextVisible(true);
    PB1->setFormat(QStringLiteral("%p%"));
    PB1->setStyleSheet(QStringLiteral("QProgressBar::chunk { background: #f0d000; }"));
    row->addWidget(PB1);
    // The busy bar lies over the progress bar.
    WaitGrad = Make<TWaitingGradient>("WaitGrad", PB1);
    WaitGrad->setGeometry(2, 4, 151, 10);
    WaitGrad->SetEndColor(Qt::red);
    WaitGrad->hide();
    WaitGrad->setEnabled(false);
    return line;
}
