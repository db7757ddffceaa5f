// TMRUList: a recently-used list of at most four texts, most recent first, with the drop-down menu
// that offers them on a tool button. The list is kept in its own section of the application's
// settings store; when it is loaded and saved is up to the owner.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QMenu;
class QToolButton;

class TMRUList : public QObject
{
    Q_OBJECT

  public:
    static constexpr int MaxEntries = 4;
    // The prefix of the value names in the store: H0, H1, ...
    static constexpr const char* ValuePrefix = "H";

    // Runs when an entry is picked, with its text; setting remove drops the entry instead of moving
    // it to the top.
    using TClickEvent = std::function<void(const QString& text, bool& remove)>;

    TMRUList(const QString& name, const QString& section, QObject* parent = nullptr);
    ~TMRUList() override;

    TClickEvent OnClick;

    const QString& Section() const { return FSection; }
    const QStringList& Items() const { return FItems; }
    QMenu* Menu() const { return FMenu.get(); }

    // The menu drops down from button; the button's pop-up mode stays the owner's choice.
    void SetButton(QToolButton* button);

    // Puts text at the top; a blank text is ignored, one already held (in any letter case) moves up.
    void Add(const QString& text);
    // Picks entry index (0 = top) as the drop-down does: runs OnClick, then moves the entry up.
    void Choose(int index);

    // Reads and writes the list in its section of the application's store.
    void Load();
    void Save() const;

  private:
    void RebuildMenu();
    void ClearListClick();
    qsizetype IndexOf(const QString& text) const;

    QString FSection;
    QStringList FItems;
    std::unique_ptr<QMenu> FMenu;
    QPointer<QToolButton> FButton;
};
