// Shows the frame viewer alone on a file, for a look at it and for screenshots:
//   video_viewer_driver FILE [--from A --to B] [--distance D] [--guide X] [--zoom N]
//                       [--grab window.png] [--save record.pdf|.html] [--steps N]
// It steps to frame A with the keys, marks it, steps on to B and marks it, types the distance,
// puts the guide at X (pixels of the frame) and zooms in N steps, as a user would. With --grab
// or --save it writes the files once the record is made and ends; otherwise it stays open.
// --steps N instead steps N frames on from the first with →, each once the one before it is
// shown, prints how long a step took on average, to be set against the frame interval, and ends.
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

#include "windows/record/record_document.h"
#include "windows/toolkit/application.h"
#include "windows/video/frame_view.h"
#include "windows/video/video_viewer.h"

namespace {

void Press(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(widget, &press);
}

int Shown(const VideoViewer* viewer) {
    return viewer->findChild<QLineEdit*>("frameNumber")->text().section(u' ', 0, 0).toInt();
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    toolkit::SetUpApplication();
    const QStringList args = QApplication::arguments().mid(1);
    if (args.isEmpty()) qFatal("usage: video_viewer_driver FILE [options]");
    int from = 0, to = 0, zoom = 0, steps = 0;
    double guide = -1;
    QString distance, grab, save;
    for (int i = 1; i + 1 < args.size(); i += 2) {
        const QString& option = args[i];
        const QString& value = args[i + 1];
        if (option == "--from")
            from = value.toInt();
        else if (option == "--to")
            to = value.toInt();
        else if (option == "--distance")
            distance = value;
        else if (option == "--guide")
            guide = value.toDouble();
        else if (option == "--zoom")
            zoom = value.toInt();
        else if (option == "--steps")
            steps = value.toInt();
        else if (option == "--grab")
            grab = value;
        else if (option == "--save")
            save = value;
        else
            qFatal("unknown option %s", qPrintable(option));
    }
    QPointer<VideoViewer> viewer;
    OpenVideoViewer(viewer, args[0]);
    auto* view = viewer->findChild<FrameView*>("frameView");

    if (steps > 0) {
        QElapsedTimer clock;
        auto* frameNumber = viewer->findChild<QLineEdit*>("frameNumber");
        QObject::connect(frameNumber, &QLineEdit::textChanged, [&] {
            const int shown = Shown(viewer);
            if (shown == 1) clock.start();
            if (shown == 1 + steps) {
                std::printf("%d steps, %.1f ms a step\n", steps,
                            double(clock.nsecsElapsed()) / 1e6 / steps);
                app.quit();
            } else {
                Press(view, Qt::Key_Right);
            }
        });
        return app.exec();
    }

    // One step at a time, each when the frame before it is shown.
    enum { Opening, ToStart, ToEnd, Finishing, Done } stage = Opening;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        const int shown = Shown(viewer);
        if (stage == Opening && shown == 1) {
            if (from == 0) {
                stage = Finishing;
                return;
            }
            for (int n = 1; n < from; ++n)
                Press(view, Qt::Key_Right);
            stage = ToStart;
        } else if (stage == ToStart && shown == from) {
            viewer->findChild<QPushButton*>("markStartButton")->click();
            for (int n = from; n < to; ++n)
                Press(view, Qt::Key_Right);
            stage = ToEnd;
        } else if (stage == ToEnd && shown == to) {
            viewer->findChild<QPushButton*>("markEndButton")->click();
            viewer->findChild<QLineEdit*>("distance")->setText(distance);
            if (guide >= 0)
                while (view->Guide() + 1 <= guide)
                    Press(view, Qt::Key_Right, Qt::ShiftModifier);
            if (guide >= 0)
                while (view->Guide() - 1 >= guide)
                    Press(view, Qt::Key_Left, Qt::ShiftModifier);
            for (int n = 0; n < zoom; ++n)
                Press(view, Qt::Key_Plus);
            stage = Finishing;
        } else if (stage == Finishing && (from == 0 || viewer->Record())) {
            stage = Done;
            if (grab.isEmpty() && save.isEmpty()) return;
            QTimer::singleShot(300, [&] {
                if (!grab.isEmpty()) viewer->grab().save(grab);
                if (!save.isEmpty() && viewer->Record()) {
                    const record::SaveResult saved = record::WriteRecord(*viewer->Record(), save);
                    if (!saved.Saved()) qWarning("not saved: %s", qPrintable(saved.Reason()));
                }
                app.quit();
            });
        }
    });
    poll.start(50);
    return app.exec();
}
