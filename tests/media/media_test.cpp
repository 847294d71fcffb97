// The video library over files that Debian's ffmpeg makes here, in the test: every frame's time
// against the timestamps the files were written with, frames decoded against ffmpeg's own
// decoding, and damaged files refused or read as far as they go.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
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

std::string Shell(const std::string& command) {
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
        Shell("ffmpeg -v error -y -f lavfi -i testsrc=size=160x120:rate=" + std::to_string(rate) +
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

// The mean difference of two images' bytes, over every fifth byte (each colour of a pixel in
// turn): enough to tell neighbouring frames apart, and fast under the sanitizers.
double Difference(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
    if (a.size() != b.size()) return 1e9;
    double sum = 0;
    std::size_t count = 0;
    for (std::size_t i = 0; i < a.size(); i += 5, ++count)
        sum += std::abs(int(a[i]) - int(b[i]));
    return sum / static_cast<double>(count);
}

// ffmpeg's own decoding of every frame, in presentation order, as RGB.
std::vector<std::vector<std::uint8_t>> FfmpegFrames(const fs::path& file, int width, int height) {
    const std::string raw = Shell("ffmpeg -v error -i '" + file.string() +
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

namespace {

void WriteBytes(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

std::string ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The first `share` of a file's bytes, as a recording that stopped when the power went.
fs::path CutShort(const fs::path& whole, const std::string& name, double share) {
    const std::string bytes = ReadBytes(whole);
    const fs::path file = Folder() / name;
    WriteBytes(file, bytes.substr(0, static_cast<std::size_t>(bytes.size() * share)));
    return file;
}

std::string RandomBytes(std::size_t count, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(count, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random());
    return bytes;
}

struct Refused {
    std::string name;
    std::function<fs::path()> make;
    ErrorKind kind;
    std::string says; // in the Russian message
};

class RefusedFiles : public testing::TestWithParam<Refused> {
protected:
    void SetUp() override {
        if (!HaveFfmpeg()) GTEST_SKIP() << "Debian's ffmpeg is not installed: no video to read";
    }
};

std::vector<Refused> RefusedCases() {
    return {
        {"missing", [] { return Folder() / "нет такого.mp4"; }, ErrorKind::NotFound,
         "файл «нет такого.mp4» не найден"},
        {"folder", [] { return Folder(); }, ErrorKind::Unreadable, "папка, а не файл"},
        {"zero_length",
         [] {
             WriteBytes(Folder() / "empty.mp4", "");
             return Folder() / "empty.mp4";
         },
         ErrorKind::Empty, "файл «empty.mp4» пуст"},
        {"random_bytes",
         [] {
             WriteBytes(Folder() / "random.mp4", RandomBytes(200000, 7));
             return Folder() / "random.mp4";
         },
         ErrorKind::NotVideo, "не видеозапись"},
        {"text_named_mp4",
         [] {
             WriteBytes(Folder() / "notes.mp4", "Протокол осмотра места происшествия.\n");
             return Folder() / "notes.mp4";
         },
         ErrorKind::NotVideo, "не видеозапись"},
        {"sound_only",
         [] {
             const fs::path file = Folder() / "sound.mp4";
             if (!fs::exists(file))
                 Shell("ffmpeg -v error -y -f lavfi -i sine=duration=1 -c:a aac '" + file.string() +
                       "'");
             return file;
         },
         ErrorKind::NoVideo, "нет видео"},
        {"mp4_cut_before_its_index",
         [] {
             return CutShort(Make("moov-last.mp4", "-c:v libx264 -g 12", 3, 30), "no-moov.mp4",
                             0.7);
         },
         ErrorKind::NotVideo, "нет оглавления"},
    };
}

TEST_P(RefusedFiles, AreRefusedWithTheirReason) {
    const Refused& c = GetParam();
    try {
        VideoFile::Open(c.make());
        ADD_FAILURE() << "opened";
    } catch (const MediaError& error) {
        EXPECT_EQ(error.kind(), c.kind);
        EXPECT_NE(std::string(error.what()).find(c.says), std::string::npos) << error.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Files, RefusedFiles, testing::ValuesIn(RefusedCases()), CaseName());

struct Cut {
    std::string name;
    std::string file, args;
    bool declared; // the container says how long it should have been
};

class CutFiles : public testing::TestWithParam<Cut> {
protected:
    void SetUp() override {
        if (!HaveFfmpeg()) GTEST_SKIP() << "Debian's ffmpeg is not installed: no video to read";
    }
};

// A file cut at 60 % is read as far as it goes: its frames keep their times, the last one
// decodes, and the frames past the cut are missing with the cut named.
TEST_P(CutFiles, AreReadAsFarAsTheyGo) {
    const Cut& c = GetParam();
    const fs::path whole = Make(c.file, c.args, 3, 30);
    const VideoFile full = VideoFile::Open(whole);
    VideoFile cut = VideoFile::Open(CutShort(whole, "cut-" + c.file, 0.6));
    ASSERT_GT(cut.FrameCount(), 10);
    ASSERT_LT(cut.FrameCount(), full.FrameCount());
    for (int n = 1; n <= cut.FrameCount(); ++n)
        ASSERT_EQ(cut.FrameTime(n), full.FrameTime(n));
    EXPECT_EQ(cut.Info().truncated, c.declared);
    EXPECT_EQ(cut.DecodeFrame(cut.FrameCount()).rgb.size(), 160u * 120 * 3);
    try {
        cut.DecodeFrame(cut.FrameCount() + 1);
        ADD_FAILURE() << "a frame past the cut decoded";
    } catch (const MediaError& error) {
        EXPECT_EQ(error.kind(), ErrorKind::FrameMissing);
        const std::string says = "нет кадра " + std::to_string(cut.FrameCount() + 1);
        EXPECT_NE(std::string(error.what()).find(says), std::string::npos) << error.what();
        if (c.declared) {
            EXPECT_NE(std::string(error.what()).find("обрывается"), std::string::npos);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, CutFiles,
    testing::Values(Cut{"mp4_index_first", "faststart.mp4",
                        "-c:v libx264 -bf 2 -g 12 -movflags +faststart", true},
                    Cut{"mkv", "cut.mkv", "-c:v libx264 -bf 2 -g 12", true},
                    Cut{"avi_mjpeg", "cut.avi", "-c:v mjpeg", true},
                    // A transport stream declares no length: a shorter stream is all it is.
                    Cut{"ts", "cut.ts", "-c:v libx264 -bf 2 -g 12", false}),
    CaseName());

// Random bytes written over the middle of each kind of file: every frame either decodes or is
// refused with a message; nothing crashes or hangs (the sanitizer build runs this too).
TEST_P(Encodings, DamageInTheMiddleIsSurvived) {
    const Encoding& e = GetParam();
    std::string bytes = ReadBytes(Make(e.file, e.args, e.frames / double(e.rate), e.rate));
    const std::string noise = RandomBytes(bytes.size() / 10, 11);
    bytes.replace(bytes.size() / 2, noise.size(), noise);
    const fs::path file = Folder() / ("damaged-" + e.file);
    WriteBytes(file, bytes);
    try {
        VideoFile video = VideoFile::Open(file);
        int decoded = 0;
        for (int n = 1; n <= video.FrameCount(); n += 3) {
            try {
                decoded += video.DecodeFrame(n).width == 160;
            } catch (const MediaError& error) {
                EXPECT_EQ(error.kind(), ErrorKind::DecodeFailed);
            }
        }
        EXPECT_GT(decoded, 0);
    } catch (const MediaError& error) {
        EXPECT_FALSE(std::string(error.what()).empty());
    }
}

TEST_F(MediaFiles, Sha256IsSha256sumsAndStreamed) {
    const fs::path file = Make("hash.mkv", "-c:v mjpeg", 4, 30);
    const std::string expected = Shell("sha256sum '" + file.string() + "'").substr(0, 64);
    std::vector<std::uint64_t> reports;
    const std::string hash = media::Sha256(file, [&](std::uint64_t done, std::uint64_t total) {
        EXPECT_EQ(total, fs::file_size(file));
        reports.push_back(done);
        return true;
    });
    EXPECT_EQ(hash, expected);
    ASSERT_FALSE(reports.empty());
    EXPECT_TRUE(std::is_sorted(reports.begin(), reports.end()));
    EXPECT_EQ(reports.back(), fs::file_size(file));
    WriteBytes(Folder() / "empty-hash", "");
    EXPECT_EQ(media::Sha256(Folder() / "empty-hash"),
              "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
}

TEST_F(MediaFiles, ProgressCancels) {
    const fs::path file = Make("long.ts", "-c:v libx264 -g 30", 20, 30);
    const auto stop = [](std::uint64_t done, std::uint64_t total) { return done < total / 2; };
    for (const auto& read : std::vector<std::function<void()>>{
             [&] { VideoFile::Open(file, stop); }, [&] { media::Sha256(file, stop); }}) {
        try {
            read();
            ADD_FAILURE() << "not cancelled";
        } catch (const MediaError& error) {
            EXPECT_EQ(error.kind(), ErrorKind::Cancelled);
            EXPECT_NE(std::string(error.what()).find("прервано"), std::string::npos);
        }
    }
}

// The folder goes with the run's files.
struct RemoveFolder : testing::Environment {
    void TearDown() override { fs::remove_all(Folder()); }
};
const auto* const kRemove = testing::AddGlobalTestEnvironment(new RemoveFolder);

} // namespace
