#include "MRUList.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>

#include "IniCtrl.h"
#include "Modal.h"

TMRUList::TMRUList(const QString& name, const QString& section, QObject* parent)
    : QObject(parent), FSection(section), FMenu(std::make_unique<QMenu>())
{
    setObjectName(name);
    FMenu->setObjectName(name + QStringLiteral("Menu"));
    RebuildMenu();
}

TMRUList::~TMRUList() = default;

void TMRUList::SetButton(QToolButton* button)
{
    if (FButton)
        FButton->setMenu(nullptr);
    FButton = button;
    if (button)
        button->setMenu(FMenu.get());
}

qsizetype TMRUList::IndexOf(const QString& text) const
{
    for (qsizetype i = 0; i < FItems.size(); ++i)
        if (FItems[i].compare(text, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void TMRUList::Add(const QString& text)
{
    if (text.trimmed().isEmpty())
        return;
    const qsizetype found = IndexOf(text);
    if (found >= 0)
        FItems.move(found, 0);
    else
        FItems.prepend(text);
    while (FItems.size() > MaxEntries)
        FItems.removeLast();
    RebuildMenu();
}

void TMRUList::Choose(int index)
{
    if (index < 0 || index >= FItems.size())
        return;
    // A copy: the handler may change the list while it runs.
    const QString text = FItems[index];
    bool remove = false;
    if (OnClick)
        OnClick(text, remove);
    const qsizetype found = IndexOf(text);
    if (found < 0)
        return;
    if (remove)
        FItems.removeAt(found);
    else
        FItems.move(found, 0);
    RebuildMenu();
}

void TMRUList::ClearListClick()
{
    if (!TModal::Question(FButton ? FButton->window() : nullptr,
                          QStringLiteral("Really clear recent files list?")))
        return;
    FItems.clear();
    RebuildMenu();
}

void TMRUList::RebuildMenu()
{
    // The menu may be rebuilt from inside one of its own items' handlers, so old items are
    // released once that handler has returned.
    for (QAction* action : FMenu->actions()) {
        FMenu->removeAction(action);
        action->deleteLater();
    }
    if (FItems.isEmpty()) {
        FMenu->addAction(QStringLiteral("(None)"))->setEnabled(false);
        return;
    }
    for (int i = 0; i < FItems.size(); ++i) {
        // A "&" in a path or address is shown as itself, not taken for an accelerator.
        QString text = FItems[i];
        text.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* item = FMenu->addAction(QString::asprintf("&%d %s", i + 1, qUtf8Printable(text)));
        connect(item, &QAction::triggered, this, [this, i] { Guarded([&] { Choose(i); }); });
    }
    FMenu->addSeparator();
    QAction* clear = FMenu->addAction(QStringLiteral("Clear List..."));
    clear->setStatusTip(QStringLiteral("Clear recent files list"));
    clear->setToolTip(clear->statusTip());
    connect(clear, &QAction::triggered, this, [this] { Guarded([&] { ClearListClick(); }); });
}

void TMRUList::Load()
{
    FItems = TIniCtrl::Global().ReadStrings(FSection, QString::fromLatin1(ValuePrefix), MaxEntries);
    RebuildMenu();
}

void TMRUList::Save() const
{
    TIniCtrl::Global().WriteStrings(FSection, QString::fromLatin1(ValuePrefix), FItems, MaxEntries);
}
