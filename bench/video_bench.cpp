// Times the video library against its targets and prints the ratios: the index of a long file
// against ffprobe listing the same file's packet times, a step forward against one frame
// interval, a step back against decoding one group of pictures. A benchmark, not a test: it
// reports PASS or MISS per target and always exits with 0.
// Usage: video-bench LONG-FILE HD-FILE   (scripts/bench-video.sh makes both with ffmpeg)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "media/video_file.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(const std::function<void()>& work) {
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The least of `runs` timings: the run least disturbed by the rest of the machine.
double Best(int runs, const std::function<void()>& work) {
    double best = 1e300;
    for (int i = 0; i < runs; ++i)
        best = std::min(best, Seconds(work));
    return best;
}

void Report(const char* what, double ratio, double target) {
    std::printf("%-58s %6.2f× (target ≤ %.2f×)  %s\n", what, ratio, target,
                ratio <= target ? "PASS" : "MISS");
}

std::string Quoted(const std::string& text) {
    std::string out = "'";
    for (char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

void IndexAgainstFfprobe(const std::string& file) {
    int frames = 0;
    const double ours = Best(3, [&] { frames = media::VideoFile::Open(file).FrameCount(); });
    const std::string probe = "ffprobe -v error -select_streams v:0 -show_entries packet=pts_time "
                              "-of csv " +
                              Quoted(file) + " >/dev/null";
    const double theirs = Best(3, [&] {
        if (std::system(probe.c_str()) != 0) std::printf("ffprobe failed\n");
    });
    std::printf("index of %d frames: %.3f s; ffprobe's packet times: %.3f s\n", frames, ours,
                theirs);
    Report("index / ffprobe -show_entries packet=pts_time", ours / theirs, 1.5);
}

void Steps(const std::string& file) {
    media::VideoFile video = media::VideoFile::Open(file);
    const int count = video.FrameCount();
    const double interval =
        (video.FrameTime(count).ToDouble() - video.FrameTime(1).ToDouble()) / (count - 1);
    // A group of pictures in the middle of the file: its key frame and the next one.
    const int middle = count / 2;
    const int key = video.KeyFrameBefore(middle);
    int nextKey = middle;
    while (nextKey < count && video.KeyFrameBefore(nextKey + 1) == key)
        ++nextKey;
    const int groupLength = nextKey - key + 1;
    std::printf("%dx%d %s, %d frames, %.4f s a frame; the group of pictures at frame %d: "
                "frames %d to %d\n",
                video.Info().width, video.Info().height, video.Info().codecId.c_str(), count,
                interval, middle, key, nextKey);

    // Forward: one frame at a time through the group, as the → key steps.
    video.DecodeFrame(key);
    const double forward = Seconds([&] {
                               for (int n = key + 1; n <= nextKey; ++n)
                                   video.DecodeFrame(n);
                           }) /
                           (groupLength - 1);
    Report("step forward / one frame interval", forward / interval, 1.0);

    // The whole group decoded from its key frame after a seek, then a step back from its last
    // frame: the frame before it is decoded from the key frame again.
    double group = 1e300, stepBack = 1e300;
    for (int i = 0; i < 3; ++i) {
        video.DecodeFrame(1); // elsewhere first
        group = std::min(group, Seconds([&] {
                             for (int n = key; n <= nextKey; ++n)
                                 video.DecodeFrame(n);
                         }));
        stepBack = std::min(stepBack, Seconds([&] { video.DecodeFrame(nextKey - 1); }));
    }
    std::printf("step forward %.4f s, step back %.4f s, the group of %d frames %.4f s\n", forward,
                stepBack, groupLength, group);
    Report("step back / decoding one group of pictures", stepBack / group, 1.0);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: video-bench LONG-FILE HD-FILE\n");
        return 2;
    }
    try {
        IndexAgainstFfprobe(argv[1]);
        Steps(argv[2]);
    } catch (const media::MediaError& error) {
        std::fprintf(stderr, "video-bench: %s\n", error.what());
    }
    return 0;
}
