// TTrayIcon: the program's icon in the desktop's notification area. Active is the program's state
// ("Run in Tray"); the icon is on show while Active holds and the desktop has a notification area.
// Where the desktop has none, the state is kept all the same and nothing is shown.
// Which window to show or bring to the front on its events is the owner's business.
#pragma once

#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QSystemTrayIcon>

class TTrayIcon : public QObject
{
    Q_OBJECT

  public:
    explicit TTrayIcon(const QString& name, QObject* parent = nullptr);

    bool Active() const { return FActive; }
    // Setting the state the icon already has does nothing.
    void SetActive(bool active);

    QString Hint() const { return FIcon.toolTip(); }
    void SetHint(const QString& hint) { FIcon.setToolTip(hint); }
    QIcon Icon() const { return FIcon.icon(); }
    void SetIcon(const QIcon& icon) { FIcon.setIcon(icon); }
    // Opens on the right button; not owned.
    QMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(QMenu* menu);

  signals:
    void ActiveChanged(bool active);
    // Left button released (followed by OnMouseUp).
    void OnClick();
    void OnDblClick();
    // Any button released over the icon.
    void OnMouseUp(Qt::MouseButton button);
    // Right button pressed: the owner brings its window to the front before the menu opens.
    void OnPopup();

  private:
    void IconActivated(QSystemTrayIcon::ActivationReason reason);

    QSystemTrayIcon FIcon;
    QPointer<QMenu> FPopupMenu;
    bool FActive = false;
};
