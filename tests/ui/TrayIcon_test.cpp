#include "TrayIcon.h"

#include <QMenu>

#include <gtest/gtest.h>

TEST(TrayIconTest, ActiveKeepsItsStateWithoutANotificationAreaAndReportsOnlyChanges)
{
    TTrayIcon Tico("Tico");
    QList<bool> changes;
    QObject::connect(&Tico, &TTrayIcon::ActiveChanged, [&](bool active) { changes << active; });
    auto* shown = Tico.findChild<QSystemTrayIcon*>();
    ASSERT_NE(shown, nullptr);

    EXPECT_FALSE(Tico.Active());
    Tico.SetActive(true);
    Tico.SetActive(true);
    EXPECT_TRUE(Tico.Active());
    EXPECT_EQ(shown->isVisible(), QSystemTrayIcon::isSystemTrayAvailable());
    Tico.SetActive(false);
    Tico.SetActive(false);
    EXPECT_FALSE(Tico.Active());
    EXPECT_FALSE(shown->isVisible());
    EXPECT_EQ(changes, (QList<bool>{true, false}));
}

TEST(TrayIconTest, StartsWithTheProgramsHintAndIcon)
{
    TTrayIcon Tico("Tico");
    EXPECT_EQ(Tico.objectName(), "Tico");
    EXPECT_EQ(Tico.Hint(), "Kavimor - Sollentra");
    EXPECT_FALSE(Tico.Icon().isNull());
    QMenu TrayMenu;
    Tico.SetPopupMenu(&TrayMenu);
    EXPECT_EQ(Tico.findChild<QSystemTrayIcon*>()->contextMenu(), &TrayMenu);
}

TEST(TrayIconTest, ButtonsOverTheIconRaiseTheirEventsInOrder)
{
    const struct
    {
        QSystemTrayIcon::ActivationReason reason;
        QStringList events;
    } cases[] = {
        {QSystemTrayIcon::Trigger, {"Click", "MouseUp 1"}},
        {QSystemTrayIcon::DoubleClick, {"DblClick"}},
        {QSystemTrayIcon::Context, {"Popup", "MouseUp 2"}},
        {QSystemTrayIcon::MiddleClick, {"MouseUp 4"}},
        {QSystemTrayIcon::Unknown, {}},
    };
    for (const auto& c : cases) {
        TTrayIcon Tico("Tico");
        QStringList events;
        QObject::connect(&Tico, &TTrayIcon::OnClick, [&] { events << "Click"; });
        QObject::connect(&Tico, &TTrayIcon::OnDblClick, [&] { events << "DblClick"; });
        QObject::connect(&Tico, &TTrayIcon::OnPopup, [&] { events << "Popup"; });
        QObject::connect(&Tico, &TTrayIcon::OnMouseUp, [&](Qt::MouseButton button) {
            events << QStringLiteral("MouseUp %1").arg(int(button));
        });
        emit Tico.findChild<QSystemTrayIcon*>()->activated(c.reason);
        EXPECT_EQ(events, c.events) << c.reason;
    }
}
