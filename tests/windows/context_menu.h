#pragma once

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>

// A right click on `target`, as the window receives it; returns the menu it opened.
inline QMenu* RightClick(QWidget* target) {
    const QPoint at = target->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, target->mapToGlobal(at));
    QApplication::sendEvent(target, &event);
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

// The menu's command with that caption, or nullptr.
inline QAction* Action(QMenu* menu, const QString& caption) {
    for (QAction* action : menu->actions())
        if (action->text() == caption) return action;
    return nullptr;
}

// Chooses a command from the window's context menu over `target`.
inline void Choose(QWidget* target, const QString& caption) {
    QMenu* menu = RightClick(target);
    QVERIFY(menu);
    QAction* action = Action(menu, caption);
    QVERIFY2(action, qPrintable(caption));
    QVERIFY(action->isEnabled());
    menu->close();
    action->trigger();
}
