#include "windows/app_windows.h"

#include "windows/analysis/analysis_window.h"
#include "windows/dashcam/dashcam_window.h"
#include "windows/help/help_window.h"
#include "windows/loading/loading_window.h"
#include "windows/main/main_window.h"
#include "windows/toolkit/messages.h"
#include "windows/toolkit/window.h"
#include "windows/video/video_viewer.h"

namespace {

// Shows a top-level window and brings it up, above the others and with the keyboard.
void BringUp(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

// A closed window goes when control returns to the event loop: it may be closing itself from
// its own handler.
template <typename W> void Discard(W*& window) {
    if (!window) return;
    window->hide();
    window->disconnect();
    window->deleteLater();
    window = nullptr;
}

} // namespace

AppWindows::AppWindows() : main_(std::make_unique<MainWindow>()) {
    NewLoading(); // hidden, embedded in the main window until its link shows it
    connect(main_.get(), &MainWindow::loadingRequested, this, &AppWindows::OpenLoading);
    connect(main_.get(), &MainWindow::loadingGivenChanged, this, [this](const LoadingGiven& given) {
        if (loading_) loading_->Give(given);
    });
    connect(main_.get(), &MainWindow::dashcamRequested, this, &AppWindows::OpenDashcam);
    connect(main_.get(), &MainWindow::helpRequested, this, &AppWindows::OpenHelp);
    connect(main_.get(), &MainWindow::analysisRequested, this, &AppWindows::OpenAnalysis);
}

// The windows beside the main one go first, then the main one with the loading window in it.
AppWindows::~AppWindows() {
    delete viewer_;
    delete dashcam_;
    delete help_;
    delete analysis_.data();
    // The loading window hides as the main window destroys it: nothing may answer then.
    if (loading_) loading_->disconnect();
    main_->disconnect(this);
}

VideoViewer* AppWindows::Viewer() const {
    return viewer_;
}

void AppWindows::Start() {
    BringUp(main_.get());
}

void AppWindows::NewLoading() {
    loading_ = new LoadingWindow(main_.get());
    MainWindow* main = main_.get();
    connect(loading_, &LoadingWindow::calculated, main, &MainWindow::ShowLoadingOutcome);
    connect(loading_, &LoadingWindow::refused, main, &MainWindow::DropResults);
    connect(loading_, &LoadingWindow::keyboardLeft, main, &MainWindow::TakeKeyboard);
    connect(loading_, &LoadingWindow::closed, this, [this] { Discard(loading_); });
}

// Over the main window's strip and inputs, with the deceleration and the rise time it gives.
void AppWindows::OpenLoading(const LoadingGiven& given) {
    if (!loading_) NewLoading();
    loading_->Open(given);
}

void AppWindows::OpenDashcam() {
    if (!dashcam_) {
        dashcam_ = new DashcamWindow();
        connect(dashcam_, &DashcamWindow::closed, this, [this] { Discard(dashcam_); });
        connect(dashcam_, &DashcamWindow::videoFramesRequested, this,
                [this] { OpenVideoViewer(viewer_); });
    }
    BringUp(dashcam_);
}

// The help file is looked for at each opening; a missing one is said over the main window.
void AppWindows::OpenHelp() {
    const QString file = QString::fromLatin1(HelpWindow::kFile);
    if (toolkit::FindDocument(file).isEmpty()) {
        toolkit::ShowMessage(
            main_.get(), toolkit::MissingDocumentText(file, QStringLiteral("справка программы")));
        return;
    }
    if (!help_) {
        help_ = new HelpWindow();
        connect(help_, &HelpWindow::closed, this, [this] { Discard(help_); });
    }
    BringUp(help_);
}

AnalysisWindow* AppWindows::Analysis() const {
    return analysis_.data();
}

// Opened with the main window's values, or brought up with them in its fields.
void AppWindows::OpenAnalysis(const AnalysisStart& start) {
    ::OpenAnalysis(analysis_, start);
}
