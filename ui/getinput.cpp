// The "Enter web address." dialog.
#include "getinput.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QUrl>

#include "Controls.h"
#include "UpdateCheck.h"

TGinp::TGinp(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Enter web address."));
    setFixedSize(392, 91);
    setAcceptDrops(true);
    BP1 = Make<QWidget>("BP1", this);
    BP1->setGeometry(0, 0, 392, 91);
    InfoLabel = Make<QLabel>(
        "InfoLabel",
        QStringLiteral("Page to Scan (i.e. %1/index.htm)").arg(QString::fromStdString(MakerWebAddress())),
        BP1);
    InfoLabel->setGeometry(5, 9, 382, 14);
    UName = Make<QLineEdit>("UName", BP1);
    UName->setGeometry(5, 25, 382, 21);
    Image2 = Make<QLabel>("Image2", BP1);
    Image2->setGeometry(6, 53, 32, 32);
    Image2->setPixmap(style()->standardIcon(QStyle::SP_DriveNetIcon).pixmap(32, 32));
    SimpleLabel1 = Make<QLabel>(
        "SimpleLabel1", QStringLiteral("Have you tried dragging a link \nfrom your browser to this window?"),
        BP1);
    SimpleLabel1->setGeometry(45, 52, 178, 32);
    // The design's small dialog type: the two lines fit beside the picture, before the buttons.
    QFont small = SimpleLabel1->font();
    small.setPixelSize(10);
    SimpleLabel1->setFont(small);
    OkBtn = Make<QPushButton>("OkBtn", QStringLiteral("&OK"), BP1);
    OkBtn->setGeometry(225, 58, 72, 23);
    AbortBtn = Make<QPushButton>("AbortBtn", QStringLiteral("&Cancel"), BP1);
    AbortBtn->setGeometry(313, 58, 72, 23);
    // Enter belongs to the dialog as a whole, not to a focused button.
    OkBtn->setAutoDefault(false);
    AbortBtn->setAutoDefault(false);
    UName->setFocus();

    connect(OkBtn, &QPushButton::clicked, this, &TGinp::OkBtnClick);
    connect(AbortBtn, &QPushButton::clicked, this, &TGinp::AbortBtnClick);
}

void TGinp::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (const QScreen* shown = screen() ? screen() : QGuiApplication::primaryScreen())
        move(shown->availableGeometry().center() - frameGeometry().center() + pos());
}

void TGinp::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        OkBtnClick();
        return;
    }
    QDialog::keyPressEvent(event);
}

QString TGinp::DroppedAddress(const QMimeData& data)
{
    // A browser drags text/uri-list (and text/x-moz-url); others give plain text.
    for (const QUrl& url : data.urls())
        if (url.isValid() && !url.isEmpty())
            return url.toString();
    return data.text().section(QLatin1Char('\n'), 0, 0).trimmed();
}

void TGinp::dragEnterEvent(QDragEnterEvent* event)
{
    // A drag that starts in the program itself is none of ours.
    if (!event->source() && !DroppedAddress(*event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TGinp::dragMoveEvent(QDragMoveEvent* event)
{
    if (!event->source())
        event->acceptProposedAction();
}

void TGinp::dropEvent(QDropEvent* event)
{
    if (event->source())
        return;
    const QString address = DroppedAddress(*event->mimeData());
    if (address.isEmpty())
        return;
    event->acceptProposedAction();
    DragDropURL1ProcessDropped(address);
}

void TGinp::DragDropURL1ProcessDropped(const QString& address)
{
    UName->setText(address);
}

void TGinp::OkBtnClick()
{
    WebAddress = UName->text();
    accept();
}

void TGinp::AbortBtnClick()
{
    reject();
}
