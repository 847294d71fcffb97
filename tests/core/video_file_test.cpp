// The speed from two frames of a video file, timed by the file's timestamps: the worked
// variable-rate example, agreement with the frame count at a constant rate, the refusals and the
// record's evidence.
#include <gtest/gtest.h>

#include <algorithm>

#include "case_name.h"
#include "core/record.h"
#include "core/video.h"
#include "kind_of.h"

namespace core {
namespace {

// Frames at 1/30 s for 2 s, then at 1/15 s: frame n (from 1) at (n − 1)/30 for n ≤ 60, then at
// 2 + (n − 61)/15.
std::vector<Exact> VariableTimes(int count) {
    std::vector<Exact> times;
    for (int n = 1; n <= count; ++n)
        times.push_back(n <= 60 ? Exact::Ratio(n - 1, 30)
                                : Exact::Whole(2) + Exact::Ratio(n - 61, 15));
    return times;
}

std::vector<Exact> ConstantTimes(int count, Exact::Int num, Exact::Int den, Exact start = {}) {
    std::vector<Exact> times;
    for (int n = 0; n < count; ++n)
        times.push_back(start + Exact::Ratio(n * num, den));
    return times;
}

VideoFileInputs Inputs(std::string from, std::string to, std::string distance,
                       std::vector<Exact> times, bool variable = false) {
    VideoFileInputs in{std::move(from), std::move(to), std::move(distance), std::move(times), {}};
    in.file = {"2024_0512_103400.mkv",
               1234567,
               std::string(64, 'a'),
               "Matroska / WebM",
               "H.264 / AVC / MPEG-4 AVC / MPEG-4 part 10",
               variable,
               Exact::Whole(30)};
    return in;
}

const RecordValue* Find(const std::vector<RecordValue>& values, std::string_view key) {
    const auto at = std::find_if(values.begin(), values.end(),
                                 [&](const RecordValue& v) { return v.key == key; });
    return at == values.end() ? nullptr : &*at;
}

// Frames 31 and 91 are 3 s apart, not the 2 s that 60 intervals at a nominal 30 frames a
// second give: 50 m is 60 km/h. Its range comes from the neighbours: 4 − 29/30 = 91/30 s gives
// 59,34 km/h, (2 + 29/15) − 1 = 44/15 s gives 61,36 km/h.
TEST(VideoFile, VariableRateIsTimedByTheFramesOwnTimes) {
    CalculationRecord record;
    const VideoResults r =
        ComputeVideoFile(Inputs("31", "91", "50", VariableTimes(120), true), &record);
    EXPECT_EQ(r.elapsed, "3");
    EXPECT_EQ(r.speed, "60");
    EXPECT_EQ(r.speedRange, "59,3…61,4");
    EXPECT_EQ(ComputeVideo({"60", "30", "50"}).elapsed, "2"); // what the count would say

    ASSERT_EQ(record.steps.size(), 4u);
    EXPECT_EQ(record.steps[0].formula, "t = t(B) − t(A) = t(91) − t(31)");
    EXPECT_EQ(record.steps[0].substituted, "4 − 1");
    EXPECT_EQ(record.steps[2].substituted, "3,6 × 50 / (4 − 0,966667)");
    EXPECT_EQ(record.steps[2].value, "59,3407");
    EXPECT_EQ(record.steps[3].substituted, "3,6 × 50 / (3,933333 − 1)");
    EXPECT_EQ(record.steps[3].value, "61,3636");
    EXPECT_NE(std::find(record.notes.begin(), record.notes.end(),
                        "Частота кадров в файле переменная: промежутки между кадрами различаются, "
                        "поэтому время по числу кадров и заявленной частоте было бы неверным."),
              record.notes.end());
}

// At a constant rate the timestamps and the frame count agree, to every result, whatever the
// file's first time: 45 intervals at 30000/1001 frames a second over 10 m.
TEST(VideoFile, ConstantRateAgreesWithTheFrameCount) {
    for (const Exact& start : {Exact(), Exact::Ratio(14, 10), Exact::Ratio(-1001, 30000)}) {
        const VideoResults byTimes = ComputeVideoFile(
            Inputs("10", "55", "9,8..10,2", ConstantTimes(100, 1001, 30000, start)));
        const VideoResults byCount = ComputeVideo({"45", "30000/1001", "9,8..10,2"});
        EXPECT_EQ(byTimes.elapsed, byCount.elapsed);
        EXPECT_EQ(byTimes.speed, byCount.speed);
        EXPECT_EQ(byTimes.speedRange, byCount.speedRange);
    }
}

// The record carries the evidence: the file, its hash, both frames and their neighbours' times,
// also when the distance is a range.
TEST(VideoFile, RecordNamesTheFileAndTheFrames) {
    for (const std::string distance : {"50", "49..51"}) {
        SCOPED_TRACE(distance);
        CalculationRecord record;
        ComputeVideoFile(Inputs("31", "91", distance, VariableTimes(120)), &record);
        EXPECT_EQ(record.calculation, "video");
        const std::pair<std::string_view, std::string> expected[] = {
            {"file_name", "2024_0512_103400.mkv"},
            {"file_size_bytes", "1234567"},
            {"file_sha256", std::string(64, 'a')},
            {"container", "Matroska / WebM"},
            {"codec", "H.264 / AVC / MPEG-4 AVC / MPEG-4 part 10"},
            {"variable_rate", "постоянная (заявлена в файле: 30 кадр/с)"},
            {"from_frame", "31"},
            {"from_frame_time_s", "1"},
            {"before_from_frame_time_s", "0,966667"},
            {"to_frame", "91"},
            {"to_frame_time_s", "4"},
            {"before_to_frame_time_s", "3,933333"},
            {"distance_m", distance == "50" ? "50" : "49…51"},
        };
        for (const auto& [key, text] : expected) {
            const RecordValue* value = Find(record.inputs, key);
            ASSERT_TRUE(value) << key;
            EXPECT_EQ(value->text, text) << key;
        }
        EXPECT_EQ(record.inputs.size(), std::size(expected));
    }
}

// Frame 1 has no frame before it: the interval after it stands in, and the record says so.
TEST(VideoFile, FirstFrameBorrowsTheIntervalAfterIt) {
    CalculationRecord record;
    const VideoResults r =
        ComputeVideoFile(Inputs("1", "46", "10", ConstantTimes(60, 1, 30)), &record);
    const VideoResults byCount = ComputeVideo({"45", "30", "10"});
    EXPECT_EQ(r.speedRange, byCount.speedRange);
    EXPECT_EQ(Find(record.inputs, "before_from_frame_time_s")->text, "-0,033333");
    EXPECT_EQ(record.steps[2].substituted, "3,6 × 10 / (1,5 − (-0,033333))");
    EXPECT_EQ(record.notes.back(), "У кадра 1 нет предыдущего: промежуток перед ним принят равным "
                                   "промежутку после него, t(0) = 2 × t(1) − t(2).");
}

struct FrameRefusal {
    const char* name;
    std::string from, to, distance;
    NumericErrorKind kind;
    VideoFileInput input;
};

class VideoFileRefuses : public testing::TestWithParam<FrameRefusal> {};

TEST_P(VideoFileRefuses, NamesTheInput) {
    const FrameRefusal& c = GetParam();
    const auto error =
        FailureOf([&] { ComputeVideoFile(Inputs(c.from, c.to, c.distance, VariableTimes(120))); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind(), c.kind);
    EXPECT_EQ(error->input(), IndexOf(c.input));
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, VideoFileRefuses,
    testing::Values(FrameRefusal{"FrameZero", "0", "91", "50", NumericErrorKind::OutOfRange,
                                 VideoFileInput::FromFrame},
                    FrameRefusal{"NotWhole", "31", "90,5", "50", NumericErrorKind::OutOfRange,
                                 VideoFileInput::ToFrame},
                    FrameRefusal{"NoNumber", "первый", "91", "50", NumericErrorKind::TypeMismatch,
                                 VideoFileInput::FromFrame},
                    FrameRefusal{"FramesAsARange", "30..31", "91", "50",
                                 NumericErrorKind::TypeMismatch, VideoFileInput::FromFrame},
                    FrameRefusal{"PastTheEnd", "31", "121", "50", NumericErrorKind::FrameBeyondEnd,
                                 VideoFileInput::ToFrame},
                    FrameRefusal{"FirstPastTheEnd", "500", "91", "50",
                                 NumericErrorKind::FrameBeyondEnd, VideoFileInput::FromFrame},
                    FrameRefusal{"SameFrame", "31", "31", "50", NumericErrorKind::SameFrame,
                                 VideoFileInput::ToFrame},
                    FrameRefusal{"Reversed", "91", "31", "50", NumericErrorKind::FramesReversed,
                                 VideoFileInput::ToFrame},
                    FrameRefusal{"Adjacent", "31", "32", "50", NumericErrorKind::AdjacentFrames,
                                 VideoFileInput::ToFrame},
                    FrameRefusal{"NegativeDistance", "31", "91", "-50",
                                 NumericErrorKind::OutOfRange, VideoFileInput::Distance},
                    FrameRefusal{"LastFrameIsInTheFile", "31", "120", "-50",
                                 NumericErrorKind::OutOfRange, VideoFileInput::Distance}),
    CaseName());

struct SecondsCase {
    const char* name;
    Exact seconds;
    std::string text;
};

class FrameTimeText : public testing::TestWithParam<SecondsCase> {};

TEST_P(FrameTimeText, IsMicrosecondsHalfToEven) {
    EXPECT_EQ(SecondsText(GetParam().seconds), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Times, FrameTimeText,
    testing::Values(SecondsCase{"Whole", Exact::Whole(4), "4"},
                    SecondsCase{"Thirtieth", Exact::Ratio(1, 30), "0,033333"},
                    SecondsCase{"TwoThirds", Exact::Ratio(2, 3), "0,666667"},
                    SecondsCase{"Milliseconds", Exact::Ratio(1967, 1000), "1,967"},
                    SecondsCase{"HalfToEvenDown", Exact::Ratio(1, 2000000), "0"},
                    SecondsCase{"HalfToEvenUp", Exact::Ratio(3, 2000000), "0,000002"},
                    SecondsCase{"BeforeZero", Exact::Ratio(-1, 30), "-0,033333"},
                    SecondsCase{"Ntsc", Exact::Ratio(1001, 30000), "0,033367"}),
    CaseName());

} // namespace
} // namespace core
