#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "case_name.h"
#include "kind_of.h"

#include "core/avoidance.h"
#include "core/braking.h"
#include "core/exact.h"
#include "core/impact.h"
#include "core/loading.h"
#include "core/numeric.h"
#include "core/range.h"
#include "core/stopping.h"
#include "core/video.h"

using namespace core;

namespace {

constexpr auto kHolds = Verdict::Holds;
constexpr auto kFails = Verdict::Fails;
constexpr auto kOpen = Verdict::Open;

// ---- A pedestrian crossing ----

struct PedestrianCase {
    const char* name;
    PedestrianInputs in;          // V, t1, t2, t3, j, Sп, Vп, Vдоп
    std::vector<std::string> out; // Tп, Sa, Sо, Vкр, and Sо.доп with a permitted speed
    Verdict avoidable;
    std::optional<Verdict> atLimit = std::nullopt;
};

class PedestrianExamples : public testing::TestWithParam<PedestrianCase> {};

TEST_P(PedestrianExamples, GiveTheWorkedResults) {
    const PedestrianCase& c = GetParam();
    const PedestrianResults r = ComputePedestrian(c.in);
    std::vector<std::string> out = {r.pedestrianTime, r.distanceAtDanger, r.stoppingDistance,
                                    r.criticalSpeed};
    if (r.avoidableAtLimit) out.push_back(r.stoppingDistanceAtLimit);
    EXPECT_EQ(out, c.out);
    EXPECT_EQ(r.avoidable.verdict, c.avoidable) << r.avoidable.text;
    ASSERT_EQ(r.avoidableAtLimit.has_value(), c.atLimit.has_value());
    if (c.atLimit) {
        EXPECT_EQ(r.avoidableAtLimit->verdict, *c.atLimit) << r.avoidableAtLimit->text;
    }
}

// Checked by hand with exact fractions. Sо takes 26 for 2 · 3,6² = 25,92, as the methodology's
// formula does: a source that keeps 2·j gets 0,1 m more at these speeds.
INSTANTIATE_TEST_SUITE_P(
    Examples, PedestrianExamples,
    testing::Values(
        // Tп = 3,6 · 10 / 5 = 7,2 s; Sa = 60 · 10 / 5 = 120 m; Vкр = 26 · 6,8 · 6,05 / 3,6.
        PedestrianCase{"FarAway_WithLimit",
                       {"60", "0,8", "0,2", "0,3", "6,8", "10", "5", "50"},
                       {"7,2", "120", "39,5", "297,1", "30,1"},
                       kHolds,
                       kHolds},
        // Tп = 2,16 s, Sa = 36 m < Sо = 39,5 m; Vкр = 26 · 6,8 · (2,16 − 1,15) / 3,6 = 49,6.
        PedestrianCase{"Close",
                       {"60", "0,8", "0,2", "0,3", "6,8", "3", "5"},
                       {"2,16", "36", "39,5", "49,6"},
                       kFails},
        // The pedestrian reaches the impact point before braking would begin: Vкр = 0.
        PedestrianCase{"PedestrianFirst",
                       {"60", "0,8", "0,2", "0,3", "6,8", "1", "5"},
                       {"0,72", "12", "39,5", "0"},
                       kFails},
        // A published task: 22 m/s, 2 m at 2 m/s, T = 1 s, j = 5 m/s². Its Sо = 22 + 22²/10 =
        // 70,4 m keeps 2·j; with 26 it is 70,3 m. Tп = T: Vкр = 0, no possibility.
        PedestrianCase{"PublishedTask_22ms",
                       {"79,2", "1", "0", "0", "5", "2", "7,2"},
                       {"1", "22", "70,3", "0"},
                       kFails},
        // Sо = Sa exactly (V = Vкр = 32,5): Sо is not below Sa, so no possibility.
        PedestrianCase{"ExactlyEqual",
                       {"32,5", "1", "0", "0", "5", "1,9", "3,6"},
                       {"1,9", "17,2", "17,2", "32,5"},
                       kFails},
        // A ten-thousandth slower, Sо < Sa: decided on the exact values, not on the 17,2 both
        // show.
        PedestrianCase{"JustBelow",
                       {"32,4999", "1", "0", "0", "5", "1,9", "3,6"},
                       {"1,9", "17,2", "17,2", "32,5"},
                       kHolds},
        // Too fast to stop, but at the limit of 60 km/h Sо.доп = 39,5 m < Sa = 54 m.
        PedestrianCase{"SpeedingMadeTheDifference",
                       {"90", "0,8", "0,2", "0,3", "6,8", "3", "5", "60"},
                       {"2,16", "54", "74,6", "49,6", "39,5"},
                       kFails,
                       kHolds}),
    CaseName());

TEST(Pedestrian, VerdictsSpeakAsAConclusion) {
    const PedestrianResults yes = ComputePedestrian({"60", "0,8", "0,2", "0,3", "6,8", "10", "5"});
    EXPECT_EQ(yes.avoidable.text,
              "Водитель располагал технической возможностью предотвратить наезд путём "
              "своевременного применения экстренного торможения.");
    const PedestrianResults no = ComputePedestrian({"60", "0,8", "0,2", "0,3", "6,8", "3", "5"});
    EXPECT_EQ(no.avoidable.text,
              "Водитель не располагал технической возможностью предотвратить наезд путём "
              "своевременного применения экстренного торможения.");
    // Sо = 39,5287 m and Sa = 39,5304 m both show as 39,5 m: the verdict says how it was made.
    const PedestrianResults tie =
        ComputePedestrian({"60", "0,8", "0,2", "0,3", "6,8", "3,2942", "5"});
    EXPECT_EQ(tie.stoppingDistance, tie.distanceAtDanger);
    EXPECT_EQ(tie.avoidable.verdict, kHolds);
    EXPECT_NE(tie.avoidable.text.find("вывод сделан по их точным значениям"), std::string::npos)
        << tie.avoidable.text;
}

struct OpenCase {
    const char* name;
    PedestrianInputs in;
    Verdict verdict;
    std::vector<std::string> says; // each must be in the verdict's text
};

class PedestrianOverRanges : public testing::TestWithParam<OpenCase> {};

// V against Vкр: true when the highest V is below the lowest Vкр, false when the lowest V is at
// or above the highest, and otherwise the speeds at which it turns.
TEST_P(PedestrianOverRanges, ComparesTheRangeOfVWithTheRangeOfVkr) {
    const PedestrianResults r = ComputePedestrian(GetParam().in);
    EXPECT_EQ(r.avoidable.verdict, GetParam().verdict) << r.avoidable.text;
    for (const std::string& text : GetParam().says)
        EXPECT_NE(r.avoidable.text.find(text), std::string::npos) << r.avoidable.text;
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, PedestrianOverRanges,
    testing::Values(
        OpenCase{"AllBelow",
                 {"40..60", "0,8", "0,2", "0,3", "6,8", "10", "5"},
                 kHolds,
                 {"При всех значениях исходных данных в заданных пределах водитель располагал"}},
        OpenCase{"AllAbove",
                 {"50..70", "0,8", "0,2", "0,3", "6,8", "3", "5"},
                 kFails,
                 {"При всех значениях исходных данных в заданных пределах водитель не располагал"}},
        // Vкр = 32,5 exactly: the verdict turns there.
        OpenCase{"TurnsAtAnExactSpeed",
                 {"30..35", "1", "0", "0", "5", "1,9", "3,6"},
                 kOpen,
                 {"при скорости автомобиля ниже 32,5 км/ч водитель располагал",
                  "при скорости 32,5 км/ч и выше — не располагал."}},
        // Vкр = 49,6022…: below 49,6 it holds, from 49,7 it fails, between it is Vкр's.
        OpenCase{
            "TurnsBetweenRoundedSpeeds",
            {"40..70", "0,8", "0,2", "0,3", "6,8", "3", "5"},
            kOpen,
            {"ниже 49,6 км/ч", "49,7 км/ч и выше", "от 49,6 до 49,7 км/ч", "Vкр = 49,6022 км/ч"}},
        // Vкр from 34,9705 to 58,8266 km/h over the pedestrian's speed; the band where it
        // decides is told within the speeds given, never below or above them.
        OpenCase{"TheBandStartsAtTheLowestSpeedGiven",
                 {"55..65", "0,8", "0,2", "0,3", "6,8", "3", "4,6..5,8"},
                 kOpen,
                 {"при скорости автомобиля 58,9 км/ч и выше водитель не располагал",
                  "при скорости от 55 до 58,9 км/ч — располагал, если она ниже"}},
        OpenCase{"TheBandEndsAtTheHighestSpeedGiven",
                 {"30..50", "0,8", "0,2", "0,3", "6,8", "3", "4,6..5,8"},
                 kOpen,
                 {"при скорости автомобиля ниже 34,9 км/ч водитель располагал",
                  "при скорости от 34,9 до 50 км/ч — располагал, если она ниже"}},
        // The speed is known; the reaction time decides: Vкр from 20,1 to 59,4 km/h.
        OpenCase{"TheReactionTimeDecides",
                 {"50", "0,6..1,4", "0,2", "0,3", "6,8", "3", "5"},
                 kOpen,
                 {"если скорость автомобиля ниже критической скорости Vкр",
                  "Vкр от 20,1356 до 59,4244 км/ч"}}),
    CaseName());

// ---- A fixed obstacle ----

struct ObstacleCase {
    const char* name;
    ObstacleInputs in; // V, t1, t2, t3, j, Sв
    const char* distance;
    Verdict avoidable;
    const char* safeSpeed;
};

class ObstacleExamples : public testing::TestWithParam<ObstacleCase> {};

TEST_P(ObstacleExamples, GiveTheWorkedResults) {
    const ObstacleResults r = ComputeObstacle(GetParam().in);
    EXPECT_EQ(r.stoppingDistance, GetParam().distance);
    EXPECT_EQ(r.avoidable.verdict, GetParam().avoidable) << r.avoidable.text;
    EXPECT_EQ(r.safeSpeed, GetParam().safeSpeed);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, ObstacleExamples,
    testing::Values(
        ObstacleCase{"Stops", {"60", "0,8", "0,2", "0,3", "6,8", "40"}, "39,5", kHolds, "60,5"},
        ObstacleCase{
            "DoesNotStop", {"60", "0,8", "0,2", "0,3", "6,8", "39"}, "39,5", kFails, "59,5"},
        ObstacleCase{"AtTheObstacle", {"60", "0,8", "0,2", "0,3", "6,8", "0"}, "39,5", kFails, "0"},
        // A published example: 20 m/s, t1 + t2 + t3/2 = 1,2 s, j = 9,8 · 0,5. Its
        // 24 + 40,8 = 64,8 m takes 2·j; with 26 it is 64,7 m.
        ObstacleCase{"PublishedExample_72kmh",
                     {"72", "0,8", "0,2", "0,4", "4,9", "65"},
                     "64,7",
                     kHolds,
                     "72,2"}),
    CaseName());

// Vбез comes from the same Sо: a ten-thousandth below it the car stops short, above it not.
TEST(Obstacle, SafeSpeedAgreesWithTheStoppingDistance) {
    for (const char* visibility : {"1", "12,5", "40", "64,8", "150"})
        for (const char* j : {"3", "5", "6,8"}) {
            CalculationRecord record;
            ComputeObstacle({"60", "0,8", "0,2", "0,3", j, visibility}, &record);
            const Fixed4 safe = ParseFixed4(record.steps.back().value);
            const auto at = [&](std::int64_t units) {
                return ComputeObstacle({FormatFixed4(Fixed4::FromUnits(units)), "0,8", "0,2", "0,3",
                                        j, visibility})
                    .avoidable.verdict;
            };
            EXPECT_EQ(at(safe.units - 1), kHolds) << visibility << " " << j;
            EXPECT_EQ(at(safe.units + 1), kFails) << visibility << " " << j;
        }
}

TEST(Obstacle, TurnsAtTheSafeSpeedsOverRanges) {
    const ObstacleResults r = ComputeObstacle({"50..70", "0,8", "0,2", "0,3", "5..6,8", "40"});
    EXPECT_EQ(r.avoidable.verdict, kOpen);
    EXPECT_EQ(r.safeSpeed, "54,3…60,5");
    // 54,277 km/h rounded down and 60,4709 km/h rounded up: the safe side of each.
    for (const char* text : {"ниже 54,2 км/ч водитель располагал", "60,5 км/ч и выше",
                             "Vбез от 54,277 до 60,4709 км/ч"})
        EXPECT_NE(r.avoidable.text.find(text), std::string::npos) << r.avoidable.text;
}

// ---- The speed at the impact, and the speed at the start of braking from it ----

struct ImpactCase {
    const char* name;
    ImpactInputs in; // V, t3, j, S
    const char* impact;
};

class ImpactExamples : public testing::TestWithParam<ImpactCase> {};

TEST_P(ImpactExamples, GiveTheWorkedResults) {
    EXPECT_EQ(ComputeImpact(GetParam().in).impactSpeed, GetParam().impact);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, ImpactExamples,
    testing::Values(
        // A published expert's example: 11,1 m from 67,5 km/h ends at 45,1 km/h with 26 under
        // the root; with 25,92 it is 45,16 km/h.
        ImpactCase{"Published_67_5kmh", {"67,5", "0,35", "6,8", "11,1"}, "45,2"},
        // The other way round from 79,48 km/h (below): back to 30 km/h.
        ImpactCase{"BackFromTheTractorTask", {"79,4813", "0", "5,5", "38"}, "30"},
        // √(25,92 · 5 · 10) = 36 exactly: the car stops at the end of the skid.
        ImpactCase{"StopsAtTheEnd", {"36", "0", "5", "10"}, "0"},
        ImpactCase{"NoSkid", {"60", "0,3", "6,8", "0"}, "56,3"}),
    CaseName());

TEST(ImpactSpeed, IsRefusedWhereTheCarWouldHaveStoppedBeforeTheEnd) {
    for (const ImpactInputs& in : {ImpactInputs{"20", "0,35", "6,8", "11,1"}, // root below 0
                                   ImpactInputs{"4", "0,35", "6,8", "0"},     // 4 < 4,284
                                   ImpactInputs{"4,284", "0,35", "6,8", "0"}, // V = 1,8·t3·j
                                   ImpactInputs{"30..67,5", "0,35", "6,8", "11,1"}}) {
        const auto error = FailureOf([&] { ComputeImpact(in); });
        ASSERT_TRUE(error) << in.speed;
        EXPECT_EQ(error->kind(), NumericErrorKind::StopsBeforeImpact) << in.speed;
        EXPECT_EQ(error->input(), IndexOf(ImpactInput::StartSpeed)) << in.speed;
    }
}

struct SkidIntoImpactCase {
    const char* name;
    StoppingInputs in; // skid known: t1, t2, t3, S, j, Vу
    const char* speed;
};

class SkidIntoImpact : public testing::TestWithParam<SkidIntoImpactCase> {};

TEST_P(SkidIntoImpact, AddsTheImpactSpeedsEnergy) {
    EXPECT_EQ(ComputeStopping(GetParam().in).speedOrSkid, GetParam().speed);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, SkidIntoImpact,
    testing::Values(
        // The published example backwards: 45,2 km/h at the end of 11,1 m was 67,5 at the start.
        SkidIntoImpactCase{"Published_45_2kmh",
                           {StoppingMode::SkidKnown, "0,8", "0,2", "0,35", "11,1", "6,8", "45,2"},
                           "67,5"},
        // A published task (5,5 m/s², 38 m into a tractor at 30 km/h): √(2·5,5·38 + 8,33²) =
        // 22,08 m/s = 79,5 km/h. The source subtracts the impact speed's energy instead and
        // gets 18,8 m/s (67,7 km/h; the expression it writes is 18,67), then 21,2 m/s.
        SkidIntoImpactCase{"PublishedTractorTask",
                           {StoppingMode::SkidKnown, "1", "0,2", "0", "38", "5,5", "30"},
                           "79,5"}),
    CaseName());

// Vу = 0 gives today's skid result exactly, every result and every step.
TEST(SkidIntoImpact, ZeroImpactSpeedIsTheSkidAlone) {
    for (const char* skid : {"0", "5", "10", "11,1", "47,3"}) {
        CalculationRecord plain, zero;
        const StoppingResults a =
            ComputeStopping({StoppingMode::SkidKnown, "0,8", "0,2", "0,3", skid, "6,8"}, &plain);
        const StoppingResults b = ComputeStopping(
            {StoppingMode::SkidKnown, "0,8", "0,2", "0,3", skid, "6,8", "0"}, &zero);
        EXPECT_EQ(
            std::vector<std::string>({a.speedOrSkid, a.speedMs, a.stoppingDistance, a.brakingTime}),
            std::vector<std::string>({b.speedOrSkid, b.speedMs, b.stoppingDistance, b.brakingTime}))
            << skid;
        ASSERT_EQ(plain.steps.size(), zero.steps.size());
        for (std::size_t i = 0; i < plain.steps.size(); ++i)
            EXPECT_EQ(plain.steps[i].value, zero.steps[i].value) << skid;
    }
}

// ---- The stopping distance every calculation shares ----

// V²/(26·j) + V/3,6·(t1 + t2 + t3/2) for 1,3 km/h, 2,4 m/s² and 2,85 s is 6591/6240 = 1,05625
// exactly: rounded once, half to even, it keeps 1,0562; a double sum rounds it to 1,0563.
TEST(StoppingDistance, RoundsTheExactValueOnce) {
    EXPECT_EQ(
        StoppingDistance(Exact::Of(ParseFixed4("1,3")), ParseFixed4("2,4"), ParseFixed4("2,85")),
        Exact::Ratio(6591, 6240));
    CalculationRecord record;
    ComputeStopping({StoppingMode::SpeedKnown, "2,5", "0,2", "0,3", "1,3", "2,4"}, &record);
    const auto step =
        std::find_if(record.steps.begin(), record.steps.end(),
                     [](const RecordStep& s) { return s.key == "stopping_distance_m"; });
    ASSERT_NE(step, record.steps.end());
    EXPECT_EQ(step->value, "1,0562");
}

// ---- Speed by video frames ----

struct VideoCase {
    const char* name;
    VideoInputs in; // N, f, D
    VideoResults out;
};

class VideoExamples : public testing::TestWithParam<VideoCase> {};

TEST_P(VideoExamples, GiveTheWorkedResults) {
    const VideoResults r = ComputeVideo(GetParam().in);
    EXPECT_EQ(r.elapsed, GetParam().out.elapsed);
    EXPECT_EQ(r.speed, GetParam().out.speed);
    EXPECT_EQ(r.speedRange, GetParam().out.speedRange);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, VideoExamples,
    testing::Values(
        // A published example: 45 intervals at 30 frames a second over 10 m is 24 km/h.
        VideoCase{"Published_45At30_10m", {"45", "30", "10"}, {"1,5", "24", "23,5…24,5"}},
        // Another: 200 m in 120 frame intervals at 30 fps is 180 km/h. Its text counts the
        // frames the car is seen in; those are one more than the intervals between them.
        VideoCase{"Published_120At30_200m", {"120", "30", "200"}, {"4", "180", "178,5…181,5"}},
        // 45 · 1001 / 30000 = 1,5015 s exactly, half to even at 0,001.
        VideoCase{"NtscFraction", {"45", "30000/1001", "10"}, {"1,502", "24", "23,5…24,5"}},
        // 29,97 is not 30000/1001: over 30000 intervals the time differs by a millisecond.
        VideoCase{"NtscExact", {"30000", "30000/1001", "10000"}, {"1001", "36", "36"}},
        VideoCase{"NtscAsDecimal", {"30000", "29,97", "10000"}, {"1001,001", "36", "36"}},
        VideoCase{"NoDistance", {"45", "30", "0"}, {"1,5", "0", "0"}},
        VideoCase{
            "Ranges", {"44..46", "30000/1001", "10"}, {"1,468…1,535", "23,5…24,5", "23…25,1"}}),
    CaseName());

struct VideoRefusal {
    const char* name;
    VideoInputs in;
    NumericErrorKind kind;
    VideoInput input;
};

class VideoRefuses : public testing::TestWithParam<VideoRefusal> {};

TEST_P(VideoRefuses, NamesTheInput) {
    const auto error = FailureOf([] { ComputeVideo(GetParam().in); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind(), GetParam().kind);
    EXPECT_EQ(error->input(), IndexOf(GetParam().input));
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, VideoRefuses,
    testing::Values(
        VideoRefusal{
            "NoFrames", {"0", "30", "10"}, NumericErrorKind::OutOfRange, VideoInput::Frames},
        VideoRefusal{
            "OneFrame", {"1", "30", "10"}, NumericErrorKind::OutOfRange, VideoInput::Frames},
        VideoRefusal{"NoRate", {"45", "0", "10"}, NumericErrorKind::OutOfRange, VideoInput::Rate},
        VideoRefusal{"ZeroDenominator",
                     {"45", "30/0", "10"},
                     NumericErrorKind::TypeMismatch,
                     VideoInput::Rate},
        VideoRefusal{"NegativeDistance",
                     {"45", "30", "-10"},
                     NumericErrorKind::OutOfRange,
                     VideoInput::Distance},
        VideoRefusal{"FirstAtFaultIsNamed",
                     {"x", "0", "-1"},
                     NumericErrorKind::TypeMismatch,
                     VideoInput::Frames},
        VideoRefusal{"TooLarge",
                     {"45", "30", "900000000000000"},
                     NumericErrorKind::Overflow,
                     VideoInput::Distance}),
    CaseName());

// ---- Refusals of the avoidance calculations ----

struct AvoidanceRefusal {
    const char* name;
    std::function<void()> compute;
    NumericErrorKind kind;
    int input;
};

class AvoidanceRefuses : public testing::TestWithParam<AvoidanceRefusal> {};

TEST_P(AvoidanceRefuses, NamesTheInput) {
    const auto error = FailureOf(GetParam().compute);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind(), GetParam().kind);
    EXPECT_EQ(error->input(), GetParam().input);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, AvoidanceRefuses,
    testing::Values(
        AvoidanceRefusal{"PedestrianStanding",
                         [] {
                             ComputePedestrian({"60", "0,8", "0,2", "0,3", "6,8", "10", "0"});
                         },
                         NumericErrorKind::OutOfRange, IndexOf(PedestrianInput::PedestrianSpeed)},
        AvoidanceRefusal{"CarStanding",
                         [] {
                             ComputePedestrian({"0", "0,8", "0,2", "0,3", "6,8", "10", "5"});
                         },
                         NumericErrorKind::OutOfRange, IndexOf(PedestrianInput::Speed)},
        AvoidanceRefusal{"NoDeceleration",
                         [] {
                             ComputePedestrian({"60", "0,8", "0,2", "0,3", "0", "10", "5"});
                         },
                         NumericErrorKind::OutOfRange, IndexOf(PedestrianInput::Deceleration)},
        AvoidanceRefusal{"NegativePath",
                         [] {
                             ComputePedestrian({"60", "0,8", "0,2", "0,3", "6,8", "-1", "5"});
                         },
                         NumericErrorKind::OutOfRange, IndexOf(PedestrianInput::Path)},
        AvoidanceRefusal{"ZeroLimit",
                         [] {
                             ComputePedestrian({"60", "0,8", "0,2", "0,3", "6,8", "10", "5", "0"});
                         },
                         NumericErrorKind::OutOfRange, IndexOf(PedestrianInput::Limit)},
        AvoidanceRefusal{"ReversedReaction",
                         [] {
                             ComputePedestrian({"60", "1,4..0,6", "0,2", "0,3", "6,8", "10", "5"});
                         },
                         NumericErrorKind::ReversedRange, IndexOf(PedestrianInput::Reaction)},
        AvoidanceRefusal{"PedestrianTooFast",
                         [] {
                             ComputePedestrian({"60", "0,8", "0,2", "0,3", "6,8", "10", "1e3"});
                         },
                         NumericErrorKind::TypeMismatch, IndexOf(PedestrianInput::PedestrianSpeed)},
        AvoidanceRefusal{"ObstacleNegativeDistance",
                         [] {
                             ComputeObstacle({"60", "0,8", "0,2", "0,3", "6,8", "-40"});
                         },
                         NumericErrorKind::OutOfRange, IndexOf(ObstacleInput::Visibility)},
        AvoidanceRefusal{"ObstacleCarStanding",
                         [] {
                             ComputeObstacle({"0..60", "0,8", "0,2", "0,3", "6,8", "40"});
                         },
                         NumericErrorKind::OutOfRange, IndexOf(ObstacleInput::Speed)},
        AvoidanceRefusal{"ObstacleTooLarge",
                         [] {
                             ComputeObstacle({"900000000000000", "0,8", "0,2", "0,3", "6,8", "40"});
                         },
                         NumericErrorKind::Overflow, IndexOf(ObstacleInput::Speed)}),
    CaseName());

// ---- Ranges against a dense grid ----

// The results of one calculation at the given input texts, in a fixed order.
using Results = std::function<std::vector<std::string>(const std::vector<std::string>&)>;

// The ends of a result text "a…b", or its one value twice.
std::pair<Fixed4, Fixed4> Ends(const std::string& text) {
    if (const auto ends = SplitRange(text))
        return {ParseFixed4(ends->low), ParseFixed4(ends->high)};
    return {ParseFixed4(text), ParseFixed4(text)};
}

// Points evenly across each ranged input, as many as some twenty thousand points in all allow
// (nine for three inputs, five for six): every result computed at every point lies within the
// range the corners gave, and each end of that range is met. The formulas are monotone in each
// input, so the corners are where the ends are.
void ExpectCornersBoundTheGrid(const std::vector<std::string>& texts, InputList inputs,
                               const Results& compute) {
    const std::vector<std::string> ranged = compute(texts);
    int rangedInputs = 0;
    for (std::size_t i = 0; i < texts.size(); ++i)
        rangedInputs += ReadInputValue(texts[i], static_cast<int>(i), *inputs[i]).IsRange();
    int steps = 8;
    while (steps > 2 && std::pow(steps + 1, rangedInputs) > 20000)
        --steps;
    std::vector<std::vector<std::string>> axes;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const InputValue value = ReadInputValue(texts[i], static_cast<int>(i), *inputs[i]);
        if (!value.IsRange()) {
            axes.push_back({value.lowText});
            continue;
        }
        const Fixed4 low = ParseFixed4(value.lowText), high = ParseFixed4(value.highText);
        std::vector<std::string> axis;
        for (int k = 0; k <= steps; ++k) {
            const std::int64_t units = low.units + (high.units - low.units) * k / steps;
            axis.push_back(FormatFixed4(Fixed4::FromUnits(units)));
        }
        axes.push_back(axis);
    }
    std::vector<bool> lowMet(ranged.size()), highMet(ranged.size());
    std::vector<std::size_t> index(axes.size());
    for (;;) {
        std::vector<std::string> point;
        for (std::size_t i = 0; i < axes.size(); ++i)
            point.push_back(axes[i][index[i]]);
        const std::vector<std::string> single = compute(point);
        for (std::size_t r = 0; r < ranged.size(); ++r) {
            const auto [low, high] = Ends(ranged[r]);
            const auto [a, b] = Ends(single[r]);
            EXPECT_LE(low.units, a.units) << r << ": " << single[r] << " of " << ranged[r];
            EXPECT_LE(b.units, high.units) << r << ": " << single[r] << " of " << ranged[r];
            lowMet[r] = lowMet[r] || a == low;
            highMet[r] = highMet[r] || b == high;
        }
        std::size_t i = 0;
        while (i < axes.size() && ++index[i] == axes[i].size())
            index[i++] = 0;
        if (i == axes.size()) break;
    }
    for (std::size_t r = 0; r < ranged.size(); ++r) {
        EXPECT_TRUE(lowMet[r]) << r << ": " << ranged[r];
        EXPECT_TRUE(highMet[r]) << r << ": " << ranged[r];
    }
}

TEST(OverRanges, StoppingResultsAreBoundedAtTheCorners) {
    for (const StoppingMode mode : {StoppingMode::SkidKnown, StoppingMode::SpeedKnown})
        ExpectCornersBoundTheGrid(
            {"0,6..1,4", "0,1..0,4", "0,1..1,2", "5..40", "3..6,8"}, StoppingInputList(mode),
            [&](const auto& t) {
                const StoppingResults r =
                    ComputeStoppingOverRanges({mode, t[0], t[1], t[2], t[3], t[4]});
                return std::vector<std::string>{r.speedOrSkid, r.speedMs, r.stoppingDistance,
                                                r.brakingTime};
            });
}

TEST(OverRanges, SkidIntoImpactIsBoundedAtTheCorners) {
    ExpectCornersBoundTheGrid({"0,8", "0,2", "0,2..0,5", "8..14", "5..7", "30..50"},
                              StoppingInputList(StoppingMode::SkidKnown, true), [](const auto& t) {
                                  const StoppingResults r =
                                      ComputeStoppingOverRanges({StoppingMode::SkidKnown, t[0],
                                                                 t[1], t[2], t[3], t[4], t[5]});
                                  return std::vector<std::string>{
                                      r.speedOrSkid, r.speedMs, r.stoppingDistance, r.brakingTime};
                              });
}

TEST(OverRanges, LoadingResultsAreBoundedAtTheCorners) {
    ExpectCornersBoundTheGrid(
        {"1..1,5", "20..90", "0,3..0,8", "5..6,8", "0,1..1"}, LoadBrakingInputList(),
        [](const auto& t) {
            const LoadBrakingResults r =
                ComputeLoadBrakingOverRanges({t[0], t[1], t[2], t[3], t[4]});
            return std::vector<std::string>{r.speedMs, r.brakingDistance, r.brakingTime, r.skid};
        });
}

TEST(OverRanges, PedestrianResultsAreBoundedAtTheCorners) {
    ExpectCornersBoundTheGrid(
        {"40..70", "0,6..1,2", "0,2", "0,1..0,5", "5..7", "2..8", "4..6", "40..60"},
        PedestrianInputList(true), [](const auto& t) {
            const PedestrianResults r =
                ComputePedestrian({t[0], t[1], t[2], t[3], t[4], t[5], t[6], t[7]});
            return std::vector<std::string>{r.pedestrianTime, r.distanceAtDanger,
                                            r.stoppingDistance, r.criticalSpeed,
                                            r.stoppingDistanceAtLimit};
        });
}

TEST(OverRanges, ObstacleAndImpactAndVideoAreBoundedAtTheCorners) {
    ExpectCornersBoundTheGrid(
        {"40..70", "0,6..1,2", "0,2", "0,3", "5..7", "20..60"}, ObstacleInputList(),
        [](const auto& t) {
            const ObstacleResults r = ComputeObstacle({t[0], t[1], t[2], t[3], t[4], t[5]});
            return std::vector<std::string>{r.stoppingDistance, r.safeSpeed};
        });
    ExpectCornersBoundTheGrid(
        {"60..80", "0,2..0,5", "5..7", "5..12"}, ImpactInputList(), [](const auto& t) {
            return std::vector<std::string>{ComputeImpact({t[0], t[1], t[2], t[3]}).impactSpeed};
        });
    ExpectCornersBoundTheGrid({"40..48", "25..30", "8..12"}, VideoInputList(), [](const auto& t) {
        const VideoResults r = ComputeVideo({t[0], t[1], t[2]});
        return std::vector<std::string>{r.elapsed, r.speed, r.speedRange};
    });
}

// The verdict over ranges agrees with the verdict at every point of a grid: one that holds holds
// everywhere, one that fails fails everywhere, an open one does both.
TEST(OverRanges, VerdictsAgreeWithEveryPoint) {
    struct Case {
        PedestrianInputs in;
        Verdict verdict;
    };
    for (const Case& c :
         {Case{{"40..60", "0,6..1,2", "0,2", "0,3", "6..7", "8..10", "4..5"}, kHolds},
          Case{{"60..80", "0,6..1,2", "0,2", "0,3", "5..6", "1..3", "5..6"}, kFails},
          Case{{"40..70", "0,6..1,4", "0,2", "0,3", "6,8", "3", "5"}, kOpen}}) {
        ASSERT_EQ(ComputePedestrian(c.in).avoidable.verdict, c.verdict) << c.in.speed;
        bool held = false, failed = false;
        for (int v = 0; v <= 6; ++v)
            for (int t = 0; t <= 4; ++t) {
                const auto between = [](const std::string& range, int k, int steps) {
                    const auto [low, high] = Ends(ReadInputValue(range, 0, input::kSkid).Text());
                    return FormatFixed4(
                        Fixed4::FromUnits(low.units + (high.units - low.units) * k / steps));
                };
                const Verdict at =
                    ComputePedestrian({between(c.in.speed, v, 6), between(c.in.t1, t, 4), c.in.t2,
                                       c.in.t3, between(c.in.j, t, 4), between(c.in.path, v, 6),
                                       between(c.in.pedestrianSpeed, t, 4)})
                        .avoidable.verdict;
                held = held || at == kHolds;
                failed = failed || at == kFails;
            }
        EXPECT_EQ(held, c.verdict != kFails) << c.in.speed;
        EXPECT_EQ(failed, c.verdict != kHolds) << c.in.speed;
    }
}

// For V > 0, Sо < Sa exactly when V < Vкр: the verdict, decided on V and Vкр, is the
// comparison of the two distances, on exact values, at every point of a grid.
TEST(Pedestrian, TheVerdictIsSoBelowSa) {
    for (int v = 1; v <= 120; v += 7)
        for (const char* lag : {"0,6", "1,15", "2"})
            for (const char* j : {"3", "6,8"})
                for (const char* path : {"0", "2", "7,5", "20"}) {
                    const std::string speed = std::to_string(v);
                    const PedestrianResults r =
                        ComputePedestrian({speed, lag, "0", "0", j, path, "5,4"});
                    const Exact s0 = StoppingDistance(Exact::Of(ParseFixed4(speed)), ParseFixed4(j),
                                                      ParseFixed4(lag));
                    const Exact sa = Exact::Of(ParseFixed4(speed)) * Exact::Of(ParseFixed4(path)) /
                                     Exact::Of(ParseFixed4("5,4"));
                    EXPECT_EQ(r.avoidable.verdict, s0 < sa ? kHolds : kFails)
                        << speed << " " << lag << " " << j << " " << path;
                }
}

} // namespace
