#pragma once

#include <QObject>
#include <QPointer>
#include <memory>

#include "windows/analysis/analysis_start.h"
#include "windows/loading/loading_outcome.h"

class AnalysisWindow;
class DashcamWindow;
class HelpWindow;
class LoadingWindow;
class MainWindow;
class VideoViewer;

// The program's windows: the main window, shown at start and kept to the end; the loading
// window, embedded in it, a fresh one after each close; the dashcam, «Техническая возможность»
// and help windows, opened from it and discarded when they close, so that the next opening starts
// afresh; the frame viewer, opened from the dashcam window and kept until it is closed. This
// object creates each window and wires them together: no window creates, finds or calls another.
class AppWindows : public QObject {
    Q_OBJECT
public:
    // The main window in its start state, with the loading window hidden in it; nothing shown.
    AppWindows();
    ~AppWindows() override;

    // Shows the main window.
    void Start();

    MainWindow* Main() const { return main_.get(); }
    LoadingWindow* Loading() const { return loading_; }
    // The open dashcam and help windows; nullptr while closed.
    DashcamWindow* Dashcam() const { return dashcam_; }
    HelpWindow* Help() const { return help_; }
    AnalysisWindow* Analysis() const;
    // The frame viewer while it is open; nullptr otherwise.
    VideoViewer* Viewer() const;

private:
    void NewLoading();
    void OpenLoading(const LoadingGiven& given);
    void OpenDashcam();
    void OpenHelp();
    void OpenAnalysis(const AnalysisStart& start);

    std::unique_ptr<MainWindow> main_;
    LoadingWindow* loading_ = nullptr; // a child of the main window
    DashcamWindow* dashcam_ = nullptr;
    HelpWindow* help_ = nullptr;
    QPointer<AnalysisWindow> analysis_; // deletes itself when it closes
    QPointer<VideoViewer> viewer_;      // deletes itself when closed
};
