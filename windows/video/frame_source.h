#pragma once

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QThread>
#include <functional>
#include <memory>
#include <vector>

#include "media/video_file.h"

// A video file read on threads of its own, so that the window never waits for the disk or the
// decoder: one thread opens and indexes the file and then decodes the frames asked for, another
// computes the file's SHA-256 meanwhile. Only the frame asked for last is decoded: a key held
// down skips the frames it has already passed. Memory stays that of the index and one frame.
class FrameSource : public QObject {
    Q_OBJECT
public:
    // What the index gives: the file's details and every frame's time, frame n at [n − 1].
    struct Index {
        media::FileInfo info;
        std::vector<media::Rational> times;
    };

    explicit FrameSource(QObject* parent = nullptr);
    ~FrameSource() override; // cancels what is running and waits for the threads

    // Opens the file, giving up the one open before (and any read still running for it).
    void Open(const QString& path);
    // Stops the opening or the hashing running now; `failed` then says it was cancelled.
    void Cancel();
    // Asks for frame n (1…FrameCount) of the file opened; `frameReady` gives it.
    void Request(int frame);

signals:
    // The part of the read done, 0…100: the index, then the hash (`hashing`).
    void progress(int percent, bool hashing);
    void opened(std::shared_ptr<const FrameSource::Index> index);
    void hashed(const QString& sha256);
    // The file could not be read (`message` in Russian, a sentence) or the read was cancelled.
    void failed(const QString& message, bool cancelled);
    void frameReady(int frame, const QImage& image);
    void frameFailed(int frame, const QString& message);

private:
    struct Shared;
    void StartHash(const QString& path);
    static void Report(QPointer<FrameSource> source, int generation,
                       std::function<void(FrameSource*)> report);

    std::shared_ptr<Shared> shared_;
    QThread reader_;
    QObject* worker_ = nullptr; // lives on reader_
    QThread* hasher_ = nullptr;
    int generation_ = 0; // of the file opened last; what older reads report is dropped
};
