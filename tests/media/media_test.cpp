// The video library over files that Debian's ffmpeg makes here, in the test: every frame's time
// against the timestamps the files were written with, frames decoded against ffmpeg's own
// decoding, and damaged files refused or read as far as they go.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "../core/case_name.h"
#include "media/video_file.h"

namespace media {
void PrintTo(const Rational& value, std::ostream* out) {
    *out << value.num << "/" << value.den;
}
} // namespace media

namespace {

namespace fs = std::filesystem;
using media::ErrorKind;
using media::MediaError;
using media::Rational;
using media::VideoFile;

bool HaveFfmpeg() {
    static const bool have = std::system("ffmpeg -version >/dev/null 2>&1") == 0;
    return have;
}

std::string Run(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[65536];
        for (std::size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            out.append(buffer, got);
        if (pclose(pipe) != 0) ADD_FAILURE() << "failed: " << command;
    }
    return out;
}

// A folder of this run's files, made once and removed at the end.
const fs::path& Folder() {
    static const fs::path folder = [] {
        fs::path p = fs::temp_directory_path() / ("kvarnet-media-" + std::to_string(getpid()));
        fs::create_directories(p);
        return p;
    }();
    return folder;
}

// testsrc at 160×120: every frame differs from its neighbours (the moving gradient and counter).
fs::path Make(const std::string& name, const std::string& args, double seconds, int rate) {
    const fs::path file = Folder() / name;
    if (!fs::exists(file))
        Run("ffmpeg -v error -y -f lavfi -i testsrc=size=160x120:rate=" + std::to_string(rate) +
            ":duration=" + std::to_string(seconds) + " " + args + " '" + file.string() + "'");
    return file;
}

// Frames at 1/30 s for 2 s, then at 1/15 s: the 120 frames of 4 s at 30 frames a second, the last
// 60 of them spread over 4 s.
fs::path VariableRate(const std::string& name, const std::string& codec) {
    return Make(name,
                "-vf \"setpts='if(lt(N,60),N/30,2+(N-60)/15)/TB'\" -fps_mode passthrough " + codec,
                4, 30);
}

double Difference(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
    if (a.size() != b.size()) return 1e9;
    double sum = 0;
    for (std::size_t i = 0; i < a.size(); ++i) sum += std::abs(int(a[i]) - int(b[i]));
    return sum / static_cast<double>(a.size());
}

// ffmpeg's own decoding of every frame, in presentation order, as RGB.
std::vector<std::vector<std::uint8_t>> FfmpegFrames(const fs::path& file, int width, int height) {
    const std::string raw = Run("ffmpeg -v error -i '" + file.string() +
                                "' -fps_mode passthrough -sws_flags bilinear -f rawvideo "
                                "-pix_fmt rgb24 -");
    const std::size_t size = static_cast<std::size_t>(width) * height * 3;
    std::vector<std::vector<std::uint8_t>> frames;
    for (std::size_t at = 0; at + size <= raw.size(); at += size)
        frames.emplace_back(raw.begin() + at, raw.begin() + at + size);
    return frames;
}

Rational Seconds(std::int64_t num, std::int64_t den) {
    return {num, den};
}

struct Encoding {
    std::string name;
    std::string file;
    std::string args;
    int rate;
    int frames;
    std::string codecId;
    double tick; // the container's clock: Matroska keeps milliseconds
};

class Encodings : public testing::TestWithParam<Encoding> {
protected:
    void SetUp() override {
        if (!HaveFfmpeg()) GTEST_SKIP() << "Debian's ffmpeg is not installed: no video to read";
    }
};

// Each container and codec a dashcam writes, B-frames where the codec has them.
std::vector<Encoding> AllEncodings() {
    return {
        {"mp4_h264_bframes", "bf.mp4", "-c:v libx264 -bf 3 -g 12", 30, 90, "h264", 1e-5},
        {"mov_h264", "plain.mov", "-c:v libx264 -bf 0 -g 30", 30, 90, "h264", 1e-5},
        {"avi_mjpeg", "mj.avi", "-c:v mjpeg -q:v 3", 25, 75, "mjpeg", 1e-5},
        {"avi_mpeg4_bframes", "m4.avi", "-c:v mpeg4 -bf 2 -g 10 -q:v 3", 25, 75, "mpeg4", 1e-5},
        {"mkv_hevc", "hevc.mkv", "-c:v libx265 -x265-params log-level=none:keyint=15", 30, 90,
         "hevc", 1e-3},
        {"ts_h264_bframes", "bf.ts", "-c:v libx264 -bf 2 -g 15", 30, 90, "h264", 1.2e-5},
    };
}

TEST_P(Encodings, IndexesEveryFrameAtItsOwnTime) {
    const Encoding& e = GetParam();
    const fs::path file = Make(e.file, e.args, e.frames / double(e.rate), e.rate);
    const VideoFile video = VideoFile::Open(file);
    ASSERT_EQ(video.FrameCount(), e.frames);
    EXPECT_EQ(video.Info().codecId, e.codecId);
    EXPECT_EQ(video.Info().width, 160);
    EXPECT_EQ(video.Info().height, 120);
    EXPECT_EQ(video.Info().nominalRate, Seconds(e.rate, 1));
    EXPECT_FALSE(video.Info().variableRate);
    EXPECT_FALSE(video.Info().truncated);
    EXPECT_EQ(video.Info().size, fs::file_size(file));
    // Equal steps of 1/rate from the first frame, to one tick of the container's clock.
    const Rational first = video.FrameTime(1);
    for (int n = 2; n <= e.frames; ++n) {
        const double step = video.FrameTime(n).ToDouble() - first.ToDouble();
        EXPECT_NEAR(step, (n - 1) / double(e.rate), e.tick) << "frame " << n;
    }
    EXPECT_NEAR(video.Info().duration.ToDouble(), e.frames / double(e.rate), 2 * e.tick);
}

// Frame N is the N-th picture ffmpeg itself shows: asked for in an order that steps forward,
// back over a group of pictures and jumps, each is nearest to ffmpeg's frame N of all frames.
TEST_P(Encodings, DecodesTheFrameAskedFor) {
    const Encoding& e = GetParam();
    const fs::path file = Make(e.file, e.args, e.frames / double(e.rate), e.rate);
    VideoFile video = VideoFile::Open(file);
    const auto reference = FfmpegFrames(file, 160, 120);
    ASSERT_EQ(static_cast<int>(reference.size()), e.frames);
    for (int n : {1, 2, 3, 40, 41, 42, 39, 13, 12, e.frames, e.frames - 1, 1, 25}) {
        const media::Image image = video.DecodeFrame(n);
        ASSERT_EQ(image.width, 160);
        ASSERT_EQ(image.height, 120);
        int nearest = 0;
        for (int m = 1; m <= e.frames; ++m)
            if (nearest == 0 || Difference(image.rgb, reference[m - 1]) <
                                    Difference(image.rgb, reference[nearest - 1]))
                nearest = m;
        EXPECT_EQ(nearest, n);
        EXPECT_LT(Difference(image.rgb, reference[n - 1]), 3.0) << "frame " << n;
    }
}

INSTANTIATE_TEST_SUITE_P(Files, Encodings, testing::ValuesIn(AllEncodings()), CaseName());

class MediaFiles : public testing::Test {
protected:
    void SetUp() override {
        if (!HaveFfmpeg()) GTEST_SKIP() << "Debian's ffmpeg is not installed: no video to read";
    }
};

// The worked example: at 30 frames a second for 2 s, then at 15. Frames 31 and 91 are 3,000 s
// apart; 60 frame intervals at a nominal 30 frames a second would say 2 s.
TEST_F(MediaFiles, VariableRateKeepsEachFramesTime) {
    for (const auto& [name, codec] :
         {std::pair{"vfr.mkv", "-c:v libx264 -bf 2 -g 15"},
          std::pair{"vfr.mp4", "-c:v libx264 -bf 2 -g 15 -video_track_timescale 90000"}}) {
        SCOPED_TRACE(name);
        const VideoFile video = VideoFile::Open(VariableRate(name, codec));
        ASSERT_EQ(video.FrameCount(), 120);
        EXPECT_TRUE(video.Info().variableRate);
        EXPECT_EQ(video.FrameTime(31), Seconds(1, 1));
        EXPECT_EQ(video.FrameTime(91), Seconds(4, 1));
        EXPECT_EQ(video.FrameTime(61), Seconds(2, 1));
        // Where the file's clock cannot hold the time (59/30 s in milliseconds), its nearest tick.
        EXPECT_NEAR(video.FrameTime(60).ToDouble(), 59 / 30.0, 0.5e-3);
        EXPECT_NEAR(video.Info().duration.ToDouble(), 6, 1.5e-3); // 2 + 59/15 + the last 1/15
    }
}

} // namespace
