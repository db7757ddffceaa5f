#include "TrayIcon.h"

#include <QMenu>

#include "Artwork.h"

TTrayIcon::TTrayIcon(const QString& name, QObject* parent) : QObject(parent), FIcon(this)
{
    setObjectName(name);
    FIcon.setObjectName(name + QStringLiteral("Icon"));
    FIcon.setToolTip(QStringLiteral("Kavimor - Sollentra"));
    FIcon.setIcon(Artwork::ProgramIcon());
    connect(&FIcon, &QSystemTrayIcon::activated, this, &TTrayIcon::IconActivated);
}

void TTrayIcon::SetActive(bool active)
{
    if (active == FActive)
        return;
    FActive = active;
    // Asking for the icon where there is no notification area only earns a warning.
    if (!active || QSystemTrayIcon::isSystemTrayAvailable())
        FIcon.setVisible(active);
    emit ActiveChanged(active);
}

void TTrayIcon::SetPopupMenu(QMenu* menu)
{
    FPopupMenu = menu;
    FIcon.setContextMenu(menu);
}

void TTrayIcon::IconActivated(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        emit OnClick();
        emit OnMouseUp(Qt::LeftButton);
        break;
    case QSystemTrayIcon::DoubleClick:
        emit OnDblClick();
        break;
    case QSystemTrayIcon::Context:
        // The menu itself is opened by the notification area, which has it from setContextMenu.
        emit OnPopup();
        emit OnMouseUp(Qt::RightButton);
        break;
    case QSystemTrayIcon::MiddleClick:
        emit OnMouseUp(Qt::MiddleButton);
        break;
    case QSystemTrayIcon::Unknown:
        break;
    }
}
