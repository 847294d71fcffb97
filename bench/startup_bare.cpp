// The plain Qt window the main window's start-up is measured against: the same size, the same
// widgets by class (given as CLASS=ALL/HIDDEN arguments, as startup-bench reads them off the
// main window) and the same background picture, read from its PNG file. A program of its own
// that links Qt alone, so that its memory and instructions are those of a plain Qt program.
//
//   startup-bare PICTURE.png CLASS=ALL/HIDDEN...

#include <QPainter>
#include <QPixmap>
#include <algorithm>

#include "bench/startup_common.h"

namespace {

using namespace startup;

// The plain window: the background picture painted unscaled, the widgets in a grid.
class Bare : public QWidget {
public:
    explicit Bare(const QString& picture, const QStringList& mix) {
        resize(600, 364);
        background_.load(picture);
        if (background_.isNull()) {
            std::fprintf(stderr, "startup-bare: cannot read %s\n", qPrintable(picture));
            std::exit(2);
        }
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
                std::fprintf(stderr, "startup-bare: unknown widget class %s\n", qPrintable(name));
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

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: startup-bare PICTURE.png CLASS=ALL/HIDDEN...\n");
        return 2;
    }
    QApplication app(argc, argv);
    QStringList mix;
    for (int i = 2; i < argc; ++i)
        mix << QString::fromLocal8Bit(argv[i]);
    Bare* window = nullptr;
    FirstPaint first([&window] { ReportWindow(window); });
    app.installEventFilter(&first);
    window = new Bare(QString::fromLocal8Bit(argv[1]), mix);
    window->show();
    return app.exec();
}
