#pragma once

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <span>

#include "windows/toolkit/controls.h"
#include "windows/toolkit/layout.h"

// The one check of a window's layout table: every row is a control of that name in its
// container, at the row's place in pixels (TwipsToPixels), with a Russian name for screen
// readers; an earlier row lies above a later one of the same container; and Tab goes through
// the controls that take the keyboard in the order of their tab indices and round again, and
// Shift+Tab back. The window must be shown and active, with none of its controls focused by
// the test before.
inline void CheckLayout(QWidget* window, std::span<const toolkit::Control> table) {
    using toolkit::TwipsToPixels;
    const auto hasCyrillic = [](const QString& text) {
        return std::any_of(text.begin(), text.end(),
                           [](QChar c) { return c.script() == QChar::Script_Cyrillic; });
    };
    const auto find = [window](const toolkit::Control& c) {
        QObject* found = nullptr;
        for (QObject* object : window->findChildren<QObject*>(QString::fromUtf8(c.name)))
            if (object->parent() &&
                object->parent()->objectName() == QString::fromUtf8(c.container))
                found = object;
        return found;
    };
    struct Tabbed {
        int tab;
        QWidget* widget;
    };
    std::vector<Tabbed> tabbed;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const toolkit::Control& c = table[i];
        const QString name = QString::fromUtf8(c.name);
        QObject* object = find(c);
        QVERIFY2(object, qPrintable(name + " in " + QString::fromUtf8(c.container)));
        auto* widget = qobject_cast<QWidget*>(object);
        if (c.kind == toolkit::Kind::Timer) {
            auto* timer = qobject_cast<toolkit::Timer*>(object);
            QVERIFY2(timer, qPrintable(name));
            QCOMPARE(timer->interval(), c.interval);
            continue;
        }
        QVERIFY2(widget, qPrintable(name));
        if (c.kind == toolkit::Kind::Line) {
            auto* line = qobject_cast<toolkit::Line*>(widget);
            QVERIFY2(line, qPrintable(name));
            QCOMPARE(line->from(), QPoint(TwipsToPixels(c.left), TwipsToPixels(c.top)));
            QCOMPARE(line->to(), QPoint(TwipsToPixels(c.width), TwipsToPixels(c.height)));
            QCOMPARE(line->lineWidth(), c.lineWidth);
        } else {
            QCOMPARE(widget->geometry(), QRect(TwipsToPixels(c.left), TwipsToPixels(c.top),
                                               TwipsToPixels(c.width), TwipsToPixels(c.height)));
        }
        const QString access = (c.flags & toolkit::kReadout) ? widget->accessibleDescription()
                                                             : widget->accessibleName();
        QVERIFY2(hasCyrillic(access), qPrintable(name + ": " + access));
        // Stacking: above every later row of the same container.
        const QObjectList siblings = widget->parentWidget()->children();
        for (std::size_t j = i + 1; j < table.size(); ++j) {
            if (qstrcmp(table[j].container, c.container) != 0) continue;
            if (table[j].kind == toolkit::Kind::Timer) continue;
            QObject* below = find(table[j]);
            QVERIFY2(siblings.indexOf(widget) > siblings.indexOf(below),
                     qPrintable(name + " over " + QString::fromUtf8(table[j].name)));
        }
        if ((widget->focusPolicy() & Qt::TabFocus) && widget->isVisible() && widget->isEnabled())
            tabbed.push_back({c.tab, widget});
    }
    QVERIFY(!tabbed.empty());
    std::stable_sort(tabbed.begin(), tabbed.end(),
                     [](const Tabbed& a, const Tabbed& b) { return a.tab < b.tab; });
    QStringList expected, chain, back;
    for (const Tabbed& t : tabbed)
        expected << t.widget->objectName();
    tabbed.front().widget->setFocus(Qt::TabFocusReason);
    QCOMPARE(QApplication::focusWidget(), tabbed.front().widget);
    for (qsizetype i = 0; i < expected.size(); ++i) {
        chain << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(chain, expected);
    QCOMPARE(QApplication::focusWidget(), tabbed.front().widget); // round again
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        back.prepend(QApplication::focusWidget()->objectName());
    }
    QCOMPARE(back, expected);
}
