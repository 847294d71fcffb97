// Shows the «Техническая возможность» window alone, for a look at it and for screenshots:
//   analysis_driver [--calculation pedestrian|obstacle|impact|video] [--ROLE TEXT]… [--compute]
//                   [--grab window.png] [--grab-diagram diagram.png] [--save record.pdf|.html]
// Each --ROLE names a field by its objectName (--speed 55..65, --pedestrianSpeed 4,8…6,2).
// With --grab or --save it writes the files and ends; otherwise the window stays open.
#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

#include "windows/analysis/analysis_window.h"
#include "windows/analysis/path_diagram_view.h"
#include "windows/record/record_document.h"
#include "windows/toolkit/application.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    toolkit::SetUpApplication();
    QPointer<AnalysisWindow> window;
    OpenAnalysis(window, {});
    const QStringList args = QApplication::arguments().mid(1);
    bool compute = false, stay = true;
    QString grab, grabDiagram, save;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        const QString value = i + 1 < args.size() ? args[i + 1] : QString();
        if (arg == "--compute") {
            compute = true;
        } else if (arg == "--calculation") {
            const QStringList names = {"pedestrian", "obstacle", "impact", "video"};
            window->ShowCalculation(static_cast<AnalysisWindow::Calculation>(names.indexOf(value)));
            ++i;
        } else if (arg == "--grab") {
            grab = value, stay = false, ++i;
        } else if (arg == "--grab-diagram") {
            grabDiagram = value, stay = false, ++i;
        } else if (arg == "--save") {
            save = value, stay = false, ++i;
        } else if (arg.startsWith("--")) {
            auto* field = window->findChild<QLineEdit*>(arg.mid(2));
            if (!field) qFatal("no field %s", qPrintable(arg));
            field->setText(value);
            ++i;
        }
    }
    if (compute) window->Compute();
    if (stay) return app.exec();
    QTimer::singleShot(300, [&] {
        if (!grab.isEmpty()) window->grab().save(grab);
        if (!grabDiagram.isEmpty())
            window->findChild<PathDiagramView*>("diagram")->grab().save(grabDiagram);
        if (!save.isEmpty() && window->Record()) {
            const record::SaveResult saved = record::WriteRecord(*window->Record(), save);
            if (!saved.Saved()) qWarning("not saved: %s", qPrintable(saved.Reason()));
        }
        app.quit();
    });
    return app.exec();
}
