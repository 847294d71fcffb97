#pragma once

#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>
#include <vector>

#include "core/exact.h"
#include "core/video.h"
#include "windows/record/last_record.h"
#include "windows/video/frame_source.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSlider;
class FrameView;

// The frame viewer: the speed of a car from two frames of a dashcam's video file, timed by the
// frames' own timestamps in the file (core::ComputeVideoFile), never by a frame count
// and a nominal rate. The user steps to the frame where the car reaches the guide line, marks
// it, steps to the frame where it reaches it again after the distance, marks that one, and types
// the distance. Results and record come from the one calculation; the record carries the file's
// hash and both frames with the guide.
//
// Keys: ← and → step one frame, PgUp and PgDn one second back and on by the frames' times, Home
// and End go to the first and the last frame; I marks the start frame and O the end frame;
// the frame view's own keys zoom, move the frame and the guide (FrameView). Escape stops the
// reading of a file (its index or its hash) in progress, and otherwise closes the window.
class VideoViewer : public QWidget {
    Q_OBJECT
public:
    VideoViewer();

    // Opens the file off the window's thread, with a progress bar and «Отмена»; a file that
    // cannot be read, or a reading cancelled, leaves the window empty with a message (the
    // library's for a file it refuses).
    void Open(const QString& path);

    // The record of the results shown, or nullptr while none are shown.
    const core::CalculationRecord* Record() const { return record_.Get(); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A marked frame: its number and the picture shown for it.
    struct Mark {
        int frame = 0;
        QImage image;
    };

    // The controls, found by tests as users find them, by name (objectName).
    QPushButton *openButton, *cancelButton, *markStartButton, *markEndButton, *closeButton;
    QLabel *fileDetails, *progressCaption, *problem, *poleSpacingNote;
    QLabel *startThumbnail, *endThumbnail;
    QProgressBar* openProgress;
    FrameView* frameView;
    QSlider* frameSlider;
    // Read-only, yet selectable: the frame shown, the marks and the results.
    QLineEdit *frameNumber, *frameTime, *startFrame, *endFrame;
    QLineEdit *distance, *elapsed, *speed, *speedRange;

    void onOpenClicked();
    void onOpened(std::shared_ptr<const FrameSource::Index> index);
    void onHashed(const QString& sha256);
    void onFailed(const QString& message, bool cancelled);
    void onProgress(int percent, bool hashing);
    void onFrameReady(int frame, const QImage& image);
    void onFrameFailed(int frame, const QString& message);

    void Go(int frame); // asks for the frame, 1…FrameCount, and puts the slider there
    void StepSeconds(int direction);
    void MarkStart();
    void MarkEnd();
    void ShowMark(const Mark& mark, QLineEdit* field, QLabel* thumbnail);
    void Reset(); // no file, no frame, no marks, no results
    void Recalculate();
    void ClearResults();
    void ShowBusy(bool busy);
    int FrameCount() const;

    FrameSource source_;
    QString path_;
    std::shared_ptr<const FrameSource::Index> index_;
    std::vector<core::Exact> times_; // the index's times, as the core takes them
    QString sha256_;                 // "" until the hash is known
    QString fileNote_;               // what the window says of the file itself: cut short
    int wanted_ = 0;                 // the frame asked for last
    int shown_ = 0;                  // the frame in the view, 0 for none
    Mark start_, end_;
    LastRecord record_{this};
};

// Opens the frame viewer, or brings up the one `viewer` already holds, and opens the file when a
// path is given. The caller, who owns the windows, keeps the pointer; the viewer is deleted when
// it closes, which empties it.
VideoViewer* OpenVideoViewer(QPointer<VideoViewer>& viewer, const QString& path = {});
