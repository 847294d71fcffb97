#pragma once

// What the start-up benchmark's two programs share: the clock reading at the fork, the widget
// mix of a window, and the exit right after its first paint. Plain Qt only, so that the plain
// window's program links nothing of this one's.

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QPushButton>
#include <QRadioButton>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <vector>

namespace startup {

// The launcher's clock reading at the fork, handed to the child.
constexpr const char* kStartVariable = "KVARNET_STARTUP_T0";

inline long long MonotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

// The standard classes a widget is counted as, most derived first; anything else is a QWidget.
struct Kind {
    const char* name;
    std::function<QWidget*(QWidget*, int)> make;
};

inline QString Caption(int i) {
    return QStringLiteral("Поле %1").arg(i);
}

inline const std::vector<Kind>& Kinds() {
    static const std::vector<Kind> kinds = {
        {"QRadioButton", [](QWidget* p, int i) { return new QRadioButton(Caption(i), p); }},
        {"QCheckBox", [](QWidget* p, int i) { return new QCheckBox(Caption(i), p); }},
        {"QPushButton", [](QWidget* p, int i) { return new QPushButton(Caption(i), p); }},
        {"QLineEdit", [](QWidget* p, int i) { return new QLineEdit(Caption(i), p); }},
        {"QComboBox",
         [](QWidget* p, int i) {
             auto* box = new QComboBox(p);
             box->setEditable(true);
             box->addItems({Caption(i), Caption(i + 1), Caption(i + 2)});
             return box;
         }},
        {"QListWidget",
         [](QWidget* p, int i) {
             auto* list = new QListWidget(p);
             list->addItem(Caption(i));
             return list;
         }},
        {"QGroupBox", [](QWidget* p, int i) { return new QGroupBox(Caption(i), p); }},
        {"QLabel", [](QWidget* p, int i) { return new QLabel(Caption(i), p); }},
        {"QWidget", [](QWidget* p, int) { return new QWidget(p); }},
    };
    return kinds;
}

inline const char* KindOf(const QWidget* widget) {
    for (const QMetaObject* meta = widget->metaObject(); meta; meta = meta->superClass()) {
        for (const Kind& kind : Kinds())
            if (std::strcmp(meta->className(), kind.name) == 0) return kind.name;
    }
    return "QWidget";
}

// A widget that its owner made for itself (an editable combo box's line and list, a list's
// scroll bars) comes along with the owner in the plain window too: it counts in the total,
// not in the mix.
inline bool IsPart(const QWidget* widget, const QWidget* window) {
    for (const QWidget* up = widget->parentWidget(); up && up != window; up = up->parentWidget())
        if (qobject_cast<const QComboBox*>(up) || qobject_cast<const QAbstractScrollArea*>(up))
            return true;
    return false;
}

// The window and everything inside it, itself included.
inline QList<QWidget*> Tree(QWidget* window) {
    QList<QWidget*> all = window->findChildren<QWidget*>();
    all.prepend(window);
    return all;
}

// "QLabel=40/12 QLineEdit=9/4 …": every widget but the window, by class, all and hidden.
inline QString Mix(QWidget* window) {
    QMap<QString, QPair<int, int>> counts;
    for (QWidget* widget : Tree(window)) {
        if (widget == window || IsPart(widget, window)) continue;
        auto& count = counts[QLatin1String(KindOf(widget))];
        ++count.first;
        if (!widget->isVisibleTo(window)) ++count.second;
    }
    QStringList parts;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        parts << QStringLiteral("%1=%2/%3").arg(it.key()).arg(it->first).arg(it->second);
    return parts.join(QLatin1Char(' '));
}

// Ends the process right after the first paint of a window: the paint itself is seen before
// it happens, so the figures are taken once control is back in the event loop.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(std::function<void()> report) : report_(std::move(report)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!seen_ && event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            seen_ = true;
            QMetaObject::invokeMethod(
                this, [this] { Finish(); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    void Finish() {
        const long long now = MonotonicNs();
        if (const char* start = std::getenv(kStartVariable))
            std::printf("first-paint-ms %.2f\n",
                        static_cast<double>(now - std::atoll(start)) / 1e6);
        report_();
        std::fflush(stdout);
        std::_Exit(0); // nothing after the paint is measured, teardown included
    }

    std::function<void()> report_;
    bool seen_ = false;
};

// The figures a started window prints at its first paint.
inline void ReportWindow(QWidget* window) {
    std::printf("widgets %lld\n", static_cast<long long>(Tree(window).size()));
    std::printf("mix %s\n", qPrintable(Mix(window)));
}

} // namespace startup
