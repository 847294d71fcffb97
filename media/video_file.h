#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// A video file as an expert measures it: every frame's presentation time as the file itself
// records it, a frame decoded on demand, the file's details and its SHA-256 for the record.
// Frame times are never derived from a frame number and a nominal rate: dashcams record at
// variable rates and drop frames. No toolkit here; FFmpeg's libraries stay behind this header.
//
// Threads: one VideoFile is used by one thread at a time (open and index it on a worker, then
// hand it over); separate VideoFile objects, even of the same file, are independent.
namespace media {

// An exact number num/den (den above zero): a time in seconds or a rate in frames a second.
struct Rational {
    std::int64_t num = 0;
    std::int64_t den = 1;
    double ToDouble() const { return static_cast<double>(num) / static_cast<double>(den); }
    friend bool operator==(const Rational&, const Rational&) = default; // as kept, in lowest terms
};

// Why a file or a frame could not be read. Each has a Russian message in MediaError::what().
enum class ErrorKind {
    NotFound,     // no such file
    Unreadable,   // a folder, no permission, or the system failed to read it
    Empty,        // zero bytes long
    NotVideo,     // no container FFmpeg knows: random bytes, a text file named .mp4
    NoVideo,      // a container with no video stream (sound only, say)
    NoDecoder,    // a video stream whose codec this build cannot decode
    NoFrames,     // a video stream with not one frame that can be read
    FrameMissing, // a frame number outside 1…FrameCount()
    DecodeFailed, // the frame's data is damaged beyond decoding
    Cancelled,    // the progress callback asked to stop
};

class MediaError : public std::runtime_error {
public:
    // `message`: Russian, UTF-8, lower case, a clause that completes «Расчёт невозможен: …» or
    // stands as a sentence after capitalising: «файл «a.mp4» обрывается на 12-м кадре».
    MediaError(ErrorKind kind, const std::string& message)
        : std::runtime_error(message), kind_(kind) {}
    ErrorKind kind() const noexcept { return kind_; }

private:
    ErrorKind kind_;
};

// Called now and then during a long read (about every 1 % or 64 MiB, and at the end) with the
// bytes read so far and the file's size. Returning false cancels: the call that took it then
// raises MediaError(Cancelled). It runs on the thread that called.
using Progress = std::function<bool(std::uint64_t done, std::uint64_t total)>;

struct FileInfo {
    std::string name;          // the file's name without its folder, UTF-8: "20240512_1034.mp4"
    std::uint64_t size = 0;    // bytes
    std::string container;     // FFmpeg's name of the format: "QuickTime / MOV", "Matroska / WebM"
    std::string codec;         // FFmpeg's name of the video codec: "H.264 / AVC / MPEG-4 AVC / …"
    std::string codecId;       // short: "h264", "hevc", "mjpeg", "mpeg4"
    int width = 0, height = 0; // pixels, as decoded
    // The frame rate the file declares (frames a second); 0/1 when it declares none. Shown for
    // information only: no time is computed from it.
    Rational nominalRate{0, 1};
    // From the first frame's time to the end of the last frame (its time plus the interval
    // before it), by the index.
    Rational duration{0, 1};
    // The intervals between consecutive frames differ by more than one tick of the file's
    // clock (a file with millisecond times at 30 frames a second keeps 33 and 34 ms: constant).
    bool variableRate = false;
    // The index stopped at damage or at a cut before the end of the file: the frames counted
    // are those read before it. `truncation` says where, in Russian; empty when whole.
    bool truncated = false;
    std::string truncation;
};

// An image in 8-bit RGB, rows top to bottom, 3 bytes a pixel, no padding between rows.
struct Image {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgb; // width × height × 3 bytes
};

class VideoFile {
public:
    // Opens `path`, reads its details and builds the index of its video frames by reading
    // packets, without decoding (the first video stream FFmpeg picks as the best). Raises
    // MediaError: NotFound, Unreadable, Empty, NotVideo, NoVideo, NoDecoder, NoFrames or
    // Cancelled. A file cut short or damaged in the middle is read as far as it goes:
    // Info().truncated is then set. Memory is in proportion to the number of frames (about
    // 60 bytes each), never to the file's size.
    static VideoFile Open(const std::filesystem::path& path, const Progress& progress = {});

    VideoFile(VideoFile&&) noexcept;
    VideoFile& operator=(VideoFile&&) noexcept;
    ~VideoFile();

    const FileInfo& Info() const;

    // Frames are numbered from 1 in presentation order: frame 1 is the first frame shown.
    int FrameCount() const;
    // Frame n's presentation time in seconds, exactly as the file records it (its timestamp ×
    // the stream's time base; not shifted to start at 0). MediaError(FrameMissing) outside
    // 1…FrameCount().
    Rational FrameTime(int n) const;
    // Every frame's time, frame n at [n − 1]; ascending.
    const std::vector<Rational>& FrameTimes() const;
    // The first frame of frame n's group of pictures: the frames from it to n are decoded to
    // show n after a seek. Frame n itself when n is a key frame.
    int KeyFrameBefore(int n) const;

    // Frame n decoded to RGB: seeks to the key frame before it and decodes forward; a frame
    // after the last one decoded, within reach of the stream already read, is decoded onwards
    // without seeking. Raises MediaError: FrameMissing, DecodeFailed (damaged data; the
    // file stays usable for other frames).
    Image DecodeFrame(int n);

private:
    struct State;
    explicit VideoFile(std::unique_ptr<State> state);
    std::unique_ptr<State> state_;
};

// The file's SHA-256 as 64 lower-case hex digits, read in blocks: memory does not grow with the
// file. Raises MediaError: NotFound, Unreadable, Cancelled.
std::string Sha256(const std::filesystem::path& path, const Progress& progress = {});

} // namespace media
