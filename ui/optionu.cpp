// The Options dialog: its controls, the load from and write to the store, and the ignore list.
#include "optionu.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include "Controls.h"
#include "Modal.h"
#include "ignword.h"

namespace {
const QString Active = QStringLiteral("Active");
const QString IgnoreSection = QStringLiteral("Ignore");
const QString IgnorePrefix = QStringLiteral("List");
const QString IgnoreWaySection = QStringLiteral("IgnoreWay");
const QString IgnoreWayName = QStringLiteral("IgWay");

// Case-insensitive order, as a user reads the list; the exact compare only breaks ties so that the
// order never depends on the order of adding.
bool SortsBefore(const QString& a, const QString& b)
{
    const int folded = QString::compare(a, b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : QString::compare(a, b) < 0;
}

bool IsEnter(const QKeyEvent& event)
{
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
}
} // namespace

const TOptForm::TSwitch TOptForm::Switches[8] = {
    {"RunInTray", true, &TOptForm::InTrChk},     {"NeverTwice", true, &TOptForm::NeverTwice},
    {"Sort Alpha", false, &TOptForm::SortAlpha}, {"Ignore Words", false, &TOptForm::IgnoreWords},
    {"Timeout", true, &TOptForm::TimeOut},       {"Check For Upd", true, &TOptForm::CheckUpg},
    {"Browser", true, &TOptForm::ShowAllHints},  {"CacheWho", false, &TOptForm::CacheWho},
};

TOptForm::TOptForm(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Options"));
    CreateControls();
    setFixedSize(448, 278);

    connect(OKBtn, &QPushButton::clicked, this, &TOptForm::OKBtnClick);
    connect(AbortBtn, &QPushButton::clicked, this, &TOptForm::AbortBtnClick);
    connect(SpeedButton1, &QPushButton::clicked, this, [this] { Guarded([this] { SpeedButton1Click(); }); });
    connect(SpeedButton2, &QPushButton::clicked, this, &TOptForm::SpeedButton2Click);
}

QCheckBox* TOptForm::CreateCheckBox(const char* name, const char* caption)
{
    return Make<QCheckBox>(name, QString::fromLatin1(caption), this);
}

void TOptForm::CreateControls()
{
    L3 = Make<QLabel>("L3", QStringLiteral("Ignore words"), this);
    IgnrWay = Make<QComboBox>("IgnrWay", this);
    IgnrWay->addItems({QStringLiteral("Ending"), QStringLiteral("Begining"), QStringLiteral("Containing")});
    IgnCB = Make<QListWidget>("IgnCB", this);
    IgnCB->setFixedSize(193, 77);
    IgnCB->setSelectionMode(QAbstractItemView::ExtendedSelection);
    IgnCB->setFocusPolicy(Qt::ClickFocus); // out of the Tab order
    SpeedButton1 = Make<QPushButton>("SpeedButton1", QStringLiteral("Add"), this);
    SpeedButton1->setToolTip(QStringLiteral("Add word from Ignore List"));
    SpeedButton2 = Make<QPushButton>("SpeedButton2", QStringLiteral("Remove"), this);
    SpeedButton2->setToolTip(QStringLiteral("Remove word from Ignore List"));
    Image1 = Make<QLabel>("Image1", this);
    Image1->setFixedSize(32, 32);
    Image1->setPixmap(style()->standardIcon(QStyle::SP_FileDialogDetailedView).pixmap(32, 32));

    IgnoreWords = CreateCheckBox("IgnoreWords", "Ignore words list active");
    SortAlpha = CreateCheckBox("SortAlpha", "Sort names alphabetically");
    ShowAllHints = CreateCheckBox("ShowAllHints", "Show Hints");
    TimeOut = CreateCheckBox("TimeOut", "Time out if server is unavailable");
    CacheWho = CreateCheckBox("CacheWho", "Cache searched WHOIS");
    InTrChk = CreateCheckBox("InTrChk", "Run in Tray");
    CheckUpg = CreateCheckBox("CheckUpg", "Check for upgrades");
    NeverTwice = CreateCheckBox("NeverTwice", "Never check domain twice");

    OKBtn = Make<QPushButton>("OKBtn", QStringLiteral("OK"), this);
    AbortBtn = Make<QPushButton>("AbortBtn", QStringLiteral("Cancel"), this);
    StatusBar1 = Make<QLabel>("StatusBar1", QStringLiteral("Ready..."), this);
    StatusBar1->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    // Enter belongs to the dialog as a whole (FormKeyPress), not to the focused button.
    for (QPushButton* button : {SpeedButton1, SpeedButton2, OKBtn, AbortBtn})
        button->setAutoDefault(false);

    auto* listButtons = new QVBoxLayout;
    listButtons->addWidget(SpeedButton1);
    listButtons->addWidget(SpeedButton2);
    listButtons->addStretch();
    auto* ignore = new QGridLayout;
    ignore->addWidget(L3, 0, 0);
    ignore->addWidget(IgnrWay, 0, 1);
    ignore->addWidget(IgnCB, 1, 0, 1, 2);
    ignore->addLayout(listButtons, 1, 2);
    auto* top = new QHBoxLayout;
    top->addLayout(ignore);
    top->addStretch();
    top->addWidget(Image1, 0, Qt::AlignTop);

    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    for (QCheckBox* box : {IgnoreWords, SortAlpha, ShowAllHints, TimeOut})
        left->addWidget(box);
    for (QCheckBox* box : {CacheWho, InTrChk, CheckUpg, NeverTwice})
        right->addWidget(box);
    auto* switches = new QHBoxLayout;
    switches->addLayout(left);
    switches->addLayout(right);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(AbortBtn);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(8, 8, 8, 4);
    body->addLayout(top);
    body->addLayout(switches);
    body->addStretch();
    body->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(body);
    layout->addWidget(StatusBar1);
}

void TOptForm::LoadControls()
{
    for (const TSwitch& option : Switches)
        (this->*option.Box)
            ->setChecked(IniCtrl1.ReadBool(QString::fromLatin1(option.Section), Active, option.Default));
    IgnCB->clear();
    for (const QString& phrase : IniCtrl1.ReadStrings(IgnoreSection, IgnorePrefix))
        InsertSorted(phrase);
    // A stored index outside the list leaves no way selected.
    IgnrWay->setCurrentIndex(IniCtrl1.ReadInteger(IgnoreWaySection, IgnoreWayName, 0));
}

bool TOptForm::RunInTrayActive() const
{
    return InTrChk->isChecked();
}
bool TOptForm::NeverTwiceActive() const
{
    return NeverTwice->isChecked();
}
bool TOptForm::SortAlphaActive() const
{
    return SortAlpha->isChecked();
}
bool TOptForm::IgnoreWordsActive() const
{
    return IgnoreWords->isChecked();
}
bool TOptForm::TimeoutActive() const
{
    return TimeOut->isChecked();
}
bool TOptForm::CheckForUpdActive() const
{
    return CheckUpg->isChecked();
}
bool TOptForm::ShowHintsActive() const
{
    return ShowAllHints->isChecked();
}
bool TOptForm::CacheWhoActive() const
{
    return CacheWho->isChecked();
}

QStringList TOptForm::IgnorePhrases() const
{
    QStringList phrases;
    for (int row = 0; row < IgnCB->count(); ++row)
        phrases << IgnCB->item(row)->text();
    return phrases;
}

TIgnoreWay TOptForm::IgnoreWay() const
{
    const int index = IgnrWay->currentIndex();
    return index < 0 ? TIgnoreWay::None : static_cast<TIgnoreWay>(index);
}

void TOptForm::InsertSorted(const QString& text)
{
    int row = 0;
    while (row < IgnCB->count() && !SortsBefore(text, IgnCB->item(row)->text()))
        ++row;
    IgnCB->insertItem(row, text);
}

void TOptForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Only an opening reloads; the window coming back from minimised or covered does not.
    if (!event->spontaneous())
        FormActivate();
}

void TOptForm::keyPressEvent(QKeyEvent* event)
{
    // Enter reaches here from every control, as none of them takes it (no button is auto-default).
    // Escape is not Cancel here, so QDialog's own key handling is passed over.
    if (!FormKeyPress(*event))
        QWidget::keyPressEvent(event);
}

void TOptForm::FormActivate()
{
    if (const QScreen* shown = screen() ? screen() : QGuiApplication::primaryScreen())
        move(shown->availableGeometry().center() - frameGeometry().center() + pos());
    Guarded([this] {
        LoadControls();
        if (IgnCB->count() > 0)
            IgnCB->setCurrentRow(0);
        emit Loaded();
    });
}

bool TOptForm::FormKeyPress(const QKeyEvent& event)
{
    if (!IsEnter(event))
        return false;
    OKBtnClick();
    return true;
}

void TOptForm::OKBtnClick()
{
    // A failing write ends here with the dialog still open; the writes before it stay.
    Guarded([this] {
        for (const TSwitch& option : Switches)
            IniCtrl1.WriteBool(QString::fromLatin1(option.Section), Active, (this->*option.Box)->isChecked());
        IniCtrl1.WriteStrings(IgnoreSection, IgnorePrefix, IgnorePhrases());
        IniCtrl1.WriteInteger(IgnoreWaySection, IgnoreWayName, IgnrWay->currentIndex());
        emit Confirmed();
        accept();
    });
}

void TOptForm::AbortBtnClick()
{
    reject();
}

void TOptForm::SpeedButton1Click()
{
    TIgnForm form(this);
    if (!TModal::Exec(form))
        return;
    const QString phrase = form.PhraseText();
    if (phrase.isEmpty())
        return;
    for (int row = 0; row < IgnCB->count(); ++row)
        if (QString::compare(IgnCB->item(row)->text(), phrase, Qt::CaseInsensitive) == 0)
            return;
    InsertSorted(phrase);
}

void TOptForm::SpeedButton2Click()
{
    // Only the item with the focus mark goes, however many are selected.
    delete IgnCB->currentItem();
}
