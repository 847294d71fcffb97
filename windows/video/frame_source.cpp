#include "windows/video/frame_source.h"

#include <QMetaObject>
#include <QPointer>
#include <atomic>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace {

std::filesystem::path PathOf(const QString& path) {
    const QByteArray utf8 = path.toUtf8();
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// The library's clause as a sentence: «Файл «a.mp4» …».
QString Sentence(const char* clause) {
    QString text = QString::fromUtf8(clause);
    if (!text.isEmpty()) text[0] = text[0].toUpper();
    if (!text.endsWith(u'.')) text += u'.';
    return text;
}

QImage ToQImage(const media::Image& image) {
    return QImage(image.rgb.data(), image.width, image.height, image.width * 3,
                  QImage::Format_RGB888)
        .copy();
}

// A progress callback that reports whole percents and stops as soon as `current` fails.
media::Progress PercentSteps(std::function<bool()> current, std::function<void(int)> report) {
    return [current = std::move(current), report = std::move(report),
            last = -1](std::uint64_t done, std::uint64_t total) mutable {
        if (!current()) return false;
        const int percent = total == 0 ? 100 : static_cast<int>(done * 100 / total);
        if (percent != last) report(last = percent);
        return true;
    };
}

} // namespace

// What the threads share. The file and what was decoded last are the reader thread's alone.
struct FrameSource::Shared {
    std::atomic<int> generation{0}; // the file wanted now; a read of another one stops
    std::atomic<int> wanted{0};     // the frame asked for last
    std::optional<media::VideoFile> file;
    int fileGeneration = -1;
    int lastDecoded = 0;
};

FrameSource::FrameSource(QObject* parent) : QObject(parent), shared_(std::make_shared<Shared>()) {
    worker_ = new QObject;
    worker_->moveToThread(&reader_);
    connect(&reader_, &QThread::finished, worker_, &QObject::deleteLater);
    reader_.start();
}

FrameSource::~FrameSource() {
    shared_->generation = -1; // every read in progress stops at its next progress report
    reader_.quit();
    reader_.wait();
    if (hasher_) {
        hasher_->wait();
        delete hasher_;
    }
}

void FrameSource::Open(const QString& path) {
    const int generation = ++generation_;
    shared_->generation = generation;
    const std::shared_ptr<Shared> shared = shared_;
    QPointer<FrameSource> source(this);
    QMetaObject::invokeMethod(worker_, [shared, generation, path, source] {
        if (shared->generation != generation) return;
        shared->file.reset();
        shared->fileGeneration = generation;
        shared->lastDecoded = 0;
        const auto post = [source, generation](std::function<void(FrameSource*)> report) {
            Report(source, generation, std::move(report));
        };
        try {
            media::VideoFile file = media::VideoFile::Open(
                PathOf(path), PercentSteps([&] { return shared->generation == generation; },
                                           [&](int percent) {
                                               post([percent](FrameSource* s) {
                                                   emit s->progress(percent, false);
                                               });
                                           }));
            auto index = std::make_shared<const Index>(Index{file.Info(), file.FrameTimes()});
            shared->file.emplace(std::move(file));
            post([index, path](FrameSource* s) {
                emit s->opened(index);
                s->StartHash(path);
            });
        } catch (const media::MediaError& error) {
            const bool cancelled = error.kind() == media::ErrorKind::Cancelled;
            const QString message = Sentence(error.what());
            post([message, cancelled](FrameSource* s) { emit s->failed(message, cancelled); });
        }
    });
}

void FrameSource::StartHash(const QString& path) {
    if (hasher_) { // the hash of a file given up, stopping at its next progress report
        hasher_->wait();
        delete hasher_;
    }
    const int generation = generation_;
    const std::shared_ptr<Shared> shared = shared_;
    QPointer<FrameSource> source(this);
    hasher_ = QThread::create([shared, generation, path, source] {
        const auto post = [source, generation](std::function<void(FrameSource*)> report) {
            Report(source, generation, std::move(report));
        };
        try {
            const std::string sha = media::Sha256(
                PathOf(path), PercentSteps([&] { return shared->generation == generation; },
                                           [&](int percent) {
                                               post([percent](FrameSource* s) {
                                                   emit s->progress(percent, true);
                                               });
                                           }));
            post([sha](FrameSource* s) { emit s->hashed(QString::fromStdString(sha)); });
        } catch (const media::MediaError& error) {
            const bool cancelled = error.kind() == media::ErrorKind::Cancelled;
            const QString message = Sentence(error.what());
            post([message, cancelled](FrameSource* s) { emit s->failed(message, cancelled); });
        }
    });
    hasher_->start();
}

void FrameSource::Cancel() {
    shared_->generation = ++generation_; // the reads running now stop and report nothing
    emit failed(QString(), true);
}

void FrameSource::Request(int frame) {
    shared_->wanted = frame;
    const int generation = generation_;
    const std::shared_ptr<Shared> shared = shared_;
    QPointer<FrameSource> source(this);
    QMetaObject::invokeMethod(worker_, [shared, generation, source] {
        if (shared->fileGeneration != generation || !shared->file) return;
        const int frame = shared->wanted;
        if (frame == shared->lastDecoded) return; // asked again before the last was shown
        std::function<void(FrameSource*)> report;
        try {
            const QImage image = ToQImage(shared->file->DecodeFrame(frame));
            shared->lastDecoded = frame;
            report = [frame, image](FrameSource* s) { emit s->frameReady(frame, image); };
        } catch (const media::MediaError& error) {
            shared->lastDecoded = 0;
            const QString message = Sentence(error.what());
            report = [frame, message](FrameSource* s) { emit s->frameFailed(frame, message); };
        }
        Report(source, generation, std::move(report));
    });
}

// The threads outlive no FrameSource (its destructor waits for them), so `source` is alive
// while they post; the report runs on the window's thread, and only for the file wanted now.
void FrameSource::Report(QPointer<FrameSource> source, int generation,
                         std::function<void(FrameSource*)> report) {
    if (!source) return;
    QMetaObject::invokeMethod(
        source.data(),
        [source, generation, report = std::move(report)] {
            if (source && source->generation_ == generation) report(source.data());
        },
        Qt::QueuedConnection);
}
