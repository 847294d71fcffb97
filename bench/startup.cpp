// Start-up cost of the main window against a plain Qt window of the same size and widget mix:
// the time from process start to the first paint, and the peak memory of the process.
// A benchmark, not a test: it prints figures and exits with 0 whenever the window painted.
//
//   startup-bench ours                    the main window, started as the program starts it
//   startup-bench bare CLASS=ALL/HIDDEN…  a plain window with those widgets and the same picture
//   startup-bench run ours|bare …         one of the above as a child process, with its figures
//
// Either window exits at once after its first paint. `run` prints the child's lines and then
// `first-paint-ms` (from the fork to the painted window) and `max-rss-kib` (the child's peak
// resident memory, as the kernel reports it on wait).

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "windows/main/form1.h"
#include "windows/toolkit/application.h"
#include "windows/toolkit/fonts.h"
#include "windows/toolkit/forms.h"
#include "windows/toolkit/pictures.h"

namespace {

// The launcher's clock reading at the fork, handed to the child.
constexpr const char* kStartVariable = "KVARNET_STARTUP_T0";

long long MonotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

// The standard classes a widget is counted as, most derived first; anything else is a QWidget.
struct Kind {
    const char* name;
    std::function<QWidget*(QWidget*, int)> make;
};

QString Caption(int i) {
    return QStringLiteral("Поле %1").arg(i);
}

const std::vector<Kind>& Kinds() {
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

const char* KindOf(const QWidget* widget) {
    for (const QMetaObject* meta = widget->metaObject(); meta; meta = meta->superClass()) {
        for (const Kind& kind : Kinds())
            if (std::strcmp(meta->className(), kind.name) == 0) return kind.name;
    }
    return "QWidget";
}

// A widget that its owner made for itself (an editable combo box's line and list, a list's
// scroll bars) comes along with the owner in the plain window too: it counts in the total,
// not in the mix.
bool IsPart(const QWidget* widget, const QWidget* window) {
    for (const QWidget* up = widget->parentWidget(); up && up != window; up = up->parentWidget())
        if (qobject_cast<const QComboBox*>(up) || qobject_cast<const QAbstractScrollArea*>(up))
            return true;
    return false;
}

// The window and everything inside it, itself included.
QList<QWidget*> Tree(QWidget* window) {
    QList<QWidget*> all = window->findChildren<QWidget*>();
    all.prepend(window);
    return all;
}

// "QLabel=40/12 QLineEdit=9/4 …": every widget but the window, by class, all and hidden.
QString Mix(QWidget* window) {
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

// The plain window: the background picture painted unscaled, the widgets in a grid.
class Bare : public QWidget {
public:
    explicit Bare(const QStringList& mix) {
        resize(600, 364);
        background_ = toolkit::LoadPicture(toolkit::Picture::Marsh);
        int i = 0;
        for (const QString& entry : mix) {
            const QString name = entry.section(QLatin1Char('='), 0, 0);
            const int all =
                entry.section(QLatin1Char('='), 1).section(QLatin1Char('/'), 0, 0).toInt();
            const int hidden = entry.section(QLatin1Char('/'), 1).toInt();
            const auto kind = std::find_if(Kinds().begin(), Kinds().end(), [&](const Kind& k) {
                return name == QLatin1String(k.name);
            });
            if (kind == Kinds().end()) {
                std::fprintf(stderr, "startup-bench: unknown widget class %s\n", qPrintable(name));
                std::exit(2);
            }
            for (int n = 0; n < all; ++n, ++i) {
                QWidget* widget = kind->make(this, i);
                widget->setGeometry(8 + (i % 6) * 98, 8 + (i / 6) % 16 * 22, 90, 20);
                if (n < hidden) widget->hide();
            }
        }
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawPixmap(0, 0, background_);
    }

private:
    QPixmap background_;
};

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

int StartOurs(int argc, char* argv[]) {
    // As the program's main() starts it.
    QApplication app(argc, argv);
    FirstPaint first([] {
        QWidget* window = toolkit::Instance<Form1>();
        std::printf("widgets %lld\n", static_cast<long long>(Tree(window).size()));
        std::printf("mix %s\n", qPrintable(Mix(window)));
    });
    app.installEventFilter(&first);
    toolkit::SetUpApplication();
    toolkit::Show<Form1>();
    return app.exec();
}

int StartBare(int argc, char* argv[], const QStringList& mix) {
    QApplication app(argc, argv);
    Bare* window = nullptr;
    FirstPaint first([&window] {
        std::printf("widgets %lld\n", static_cast<long long>(Tree(window).size()));
        std::printf("mix %s\n", qPrintable(Mix(window)));
    });
    app.installEventFilter(&first);
    window = new Bare(mix);
    window->show();
    return app.exec();
}

// Starts this program again with the given mode and reports on the child.
int Run(int argc, char* argv[]) {
    std::vector<char*> args{argv[0]};
    args.insert(args.end(), argv + 2, argv + argc); // the mode and its arguments
    args.push_back(nullptr);
    std::fflush(stdout);
    char start[32];
    std::snprintf(start, sizeof start, "%lld", MonotonicNs());
    setenv(kStartVariable, start, 1);
    const pid_t child = fork();
    if (child < 0) {
        std::perror("startup-bench: fork");
        return 2;
    }
    if (child == 0) {
        execv("/proc/self/exe", args.data());
        std::perror("startup-bench: exec");
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) < 0) {
        std::perror("startup-bench: wait");
        return 2;
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "startup-bench: the window did not start (status %d)\n", status);
        return 1;
    }
    std::printf("max-rss-kib %ld\n", usage.ru_maxrss);
    return 0;
}

int Usage() {
    std::fprintf(stderr, "usage: startup-bench [run] ours | bare CLASS=ALL/HIDDEN...\n");
    return 2;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc >= 3 && std::strcmp(argv[1], "run") == 0) return Run(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "ours") == 0) return StartOurs(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "bare") == 0) {
        QStringList mix;
        for (int i = 2; i < argc; ++i)
            mix << QString::fromLocal8Bit(argv[i]);
        return StartBare(argc, argv, mix);
    }
    return Usage();
}
