// The "Add phrase to ignore" dialog.
#include "ignword.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

#include "Controls.h"

TIgnForm::TIgnForm(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Add phrase to ignore"));
    resize(250, 126);

    InfoLabel = Make<QLabel>("InfoLabel", QStringLiteral("Ignore phrase"), this);
    Phrase = Make<QLineEdit>("Phrase", this);
    InfoLabel->setBuddy(Phrase);
    OkBtn = Make<QPushButton>("OkBtn", QStringLiteral("OK"), this);
    AbortBtn = Make<QPushButton>("AbortBtn", QStringLiteral("Cancel"), this);
    // A focused auto-default button would take Enter as its click.
    OkBtn->setAutoDefault(false);
    AbortBtn->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkBtn);
    buttons->addWidget(AbortBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(InfoLabel);
    layout->addWidget(Phrase);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(OkBtn, &QPushButton::clicked, this, &TIgnForm::OkBtnClick);
    connect(AbortBtn, &QPushButton::clicked, this, &TIgnForm::AbortBtnClick);
    connect(Phrase, &QLineEdit::textChanged, this, &TIgnForm::PhraseChange);
    PhraseChange();
}

QString TIgnForm::PhraseText() const
{
    return Phrase->text();
}

void TIgnForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TIgnForm::keyPressEvent(QKeyEvent* event)
{
    QWidget::keyPressEvent(event);
}

void TIgnForm::FormShow()
{
    if (const QScreen* shown = screen() ? screen() : QGuiApplication::primaryScreen())
        move(shown->availableGeometry().center() - frameGeometry().center() + pos());
    Phrase->clear();
    Phrase->setFocus();
}

void TIgnForm::OkBtnClick()
{
    accept();
}

void TIgnForm::AbortBtnClick()
{
    reject();
}

void TIgnForm::PhraseChange()
{
    OkBtn->setEnabled(!Phrase->text().isEmpty());
}
