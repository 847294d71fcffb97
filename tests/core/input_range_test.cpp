#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "case_name.h"
#include "kind_of.h"

#include "core/dashcam.h"
#include "core/loading.h"
#include "core/numeric_error.h"
#include "core/problem.h"
#include "core/stopping.h"

using namespace core;

namespace {

struct RefusedStopping {
    const char* name;
    StoppingInputs in;
    StoppingMode mode;
    NumericErrorKind kind;
    int input;
};

class StoppingRefuses : public testing::TestWithParam<RefusedStopping> {};

TEST_P(StoppingRefuses, NamesTheInput) {
    auto error = FailureOf([] { ComputeStopping(GetParam().in, GetParam().mode); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind(), GetParam().kind);
    EXPECT_EQ(error->input(), GetParam().input);
}

constexpr auto kSkid = StoppingMode::SkidKnown;
constexpr auto kSpeed = StoppingMode::SpeedKnown;
constexpr auto kRange = NumericErrorKind::OutOfRange;

INSTANTIATE_TEST_SUITE_P(
    Inputs, StoppingRefuses,
    testing::Values(
        RefusedStopping{
            "NegativeReaction", {"-0,8", "0,2", "0,3", "10", "6,8"}, kSkid, kRange, kReaction},
        RefusedStopping{
            "NegativeDelay", {"0,8", "-0,2", "0,3", "60", "6,8"}, kSpeed, kRange, kDelay},
        RefusedStopping{"NegativeRise", {"0,8", "0,2", "-0,3", "60", "6,8"}, kSpeed, kRange, kRise},
        RefusedStopping{
            "NegativeSkid", {"0,8", "0,2", "0,3", "-5", "6,8"}, kSkid, kRange, kSkidOrSpeed},
        RefusedStopping{
            "NegativeSpeed", {"0,8", "0,2", "0,3", "-5", "6,8"}, kSpeed, kRange, kSkidOrSpeed},
        RefusedStopping{"NegativeDecelerationSpeedMode",
                        {"0,8", "0,2", "0,3", "60", "-6,8"},
                        kSpeed,
                        kRange,
                        kDeceleration},
        RefusedStopping{"NegativeDecelerationSkidMode",
                        {"0,8", "0,2", "0,3", "10", "-6,8"},
                        kSkid,
                        kRange,
                        kDeceleration},
        RefusedStopping{
            "ZeroDeceleration", {"0,8", "0,2", "0,3", "60", "0"}, kSpeed, kRange, kDeceleration},
        RefusedStopping{
            "NegativeZeroIsZero", {"0,8", "0,2", "0,3", "60", "-0"}, kSpeed, kRange, kDeceleration},
        RefusedStopping{"LettersNameTheirInput",
                        {"0,8", "0,2", "0,3", "1o", "6,8"},
                        kSkid,
                        NumericErrorKind::TypeMismatch,
                        kSkidOrSpeed},
        RefusedStopping{"EmptyRise",
                        {"0,8", "0,2", "", "10", "6,8"},
                        kSkid,
                        NumericErrorKind::TypeMismatch,
                        kRise},
        RefusedStopping{"FirstBadInputWins",
                        {"x", "-1", "0,3", "10", "0"},
                        kSkid,
                        NumericErrorKind::TypeMismatch,
                        kReaction},
        // An overflow in a step is put down to the largest input, the one mistyped.
        RefusedStopping{"StepOverflowNamesTheSpeed",
                        {"0,8", "0,2", "0,3", "900000000000000", "6,8"},
                        kSpeed,
                        NumericErrorKind::Overflow,
                        kSkidOrSpeed},
        RefusedStopping{"StepOverflowNamesTheReaction",
                        {"90000000000000", "0,2", "0,3", "60", "6,8"},
                        kSpeed,
                        NumericErrorKind::Overflow,
                        kReaction},
        RefusedStopping{"StepOverflowNamesTheDeceleration",
                        {"0,8", "0,2", "0,3", "10", "90000000000000"},
                        kSkid,
                        NumericErrorKind::Overflow,
                        kDeceleration},
        // A value other than zero that rounds to zero is neither zero nor refused as one.
        RefusedStopping{"DecelerationBelowTheResolution",
                        {"0,8", "0,2", "0,3", "60", "0,00001"},
                        kSpeed,
                        NumericErrorKind::BelowResolution,
                        kDeceleration},
        RefusedStopping{"SkidBelowTheResolution",
                        {"0,8", "0,2", "0,3", "0.00005", "6,8"},
                        kSkid,
                        NumericErrorKind::BelowResolution,
                        kSkidOrSpeed},
        RefusedStopping{"NegativeBelowTheResolution",
                        {"-0,00001", "0,2", "0,3", "60", "6,8"},
                        kSpeed,
                        NumericErrorKind::BelowResolution,
                        kReaction}),
    [](const auto& info) { return std::string(info.param.name); });

// The message says what is wrong with such a value, not that it should be above zero.
TEST(StoppingRefuses, BelowTheResolutionIsToldAsSuch) {
    const std::string texts[] = {"0,8", "0,2", "0,3", "60", "0,00001"};
    auto error = FailureOf([&] {
        ComputeStopping({texts[0], texts[1], texts[2], texts[3], texts[4]}, kSpeed);
    });
    ASSERT_TRUE(error);
    EXPECT_EQ(ProblemText(*error, StoppingInputList(kSpeed), texts),
              "значение «Установившееся замедление» меньше разрешения программы 0,0001: "
              "программа считает с четырьмя знаками после запятой.");
}

struct EarlyStop {
    const char* name;
    StoppingInputs in;
    StoppingResults out;
};

class StoppingBeforeFullBraking : public testing::TestWithParam<EarlyStop> {};

// A car that stops while the deceleration is still rising never brakes fully.
TEST_P(StoppingBeforeFullBraking, HasNoBrakingTimeAndNoSkid) {
    StoppingResults r = ComputeStopping(GetParam().in, StoppingMode::SpeedKnown);
    EXPECT_EQ(r.first, GetParam().out.first);
    EXPECT_EQ(r.speedMs, GetParam().out.speedMs);
    EXPECT_EQ(r.distance, GetParam().out.distance);
    EXPECT_EQ(r.time, GetParam().out.time);
}

INSTANTIATE_TEST_SUITE_P(
    Speeds, StoppingBeforeFullBraking,
    testing::Values(
        EarlyStop{"Standing", {"0,8", "0,2", "0,3", "0", "6,8"}, {"0", "0", "0", "0"}},
        // 3,672 km/h is 1,02 m/s, exactly what the rising deceleration takes away.
        EarlyStop{"AtTheLimit", {"0,8", "0,2", "0,3", "3,672", "6,8"}, {"0", "1", "1,2", "0"}},
        // Just above it the car brakes fully for a moment.
        EarlyStop{"AboveTheLimit", {"0,8", "0,2", "0,3", "3,7", "6,8"}, {"0", "1", "1,3", "0"}},
        EarlyStop{"Walking", {"0,8", "0,2", "1", "5", "6,8"}, {"0", "1,4", "2,2", "0"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LoadBraking, RefusesWhatTheFormulasCannotTake) {
    struct Case {
        const char* speed;
        const char* adhesion;
        const char* deceleration;
        const char* rise;
        int input;
    };
    for (const Case& c : {Case{"-5", "0,8", "6,8", "0,3", kLoadSpeed},
                          Case{"60", "-0,8", "6,8", "0,3", kLoadAdhesion},
                          Case{"60", "0", "6,8", "0,3", kLoadAdhesion},
                          Case{"60", "0,8", "0", "0,3", kLoadDeceleration},
                          Case{"60", "0,8", "-6,8", "0,3", kLoadDeceleration},
                          Case{"60", "0,8", "6,8", "-0,3", kLoadRise}}) {
        auto error = FailureOf(
            [&] { ComputeLoadBraking("1,28", c.speed, c.adhesion, c.deceleration, c.rise); });
        ASSERT_TRUE(error) << c.input;
        EXPECT_EQ(error->kind(), NumericErrorKind::OutOfRange) << c.input;
        EXPECT_EQ(error->input(), c.input);
    }
    auto huge = FailureOf([] { ComputeLoadBraking("1", "900000000000", "0,8", "6,8", "0,3"); });
    ASSERT_TRUE(huge);
    EXPECT_EQ(huge->kind(), NumericErrorKind::Overflow);
    EXPECT_EQ(huge->input(), kLoadSpeed);
    auto empty = FailureOf([] { ComputeLoadBraking("", "60", "0,8", "6,8", "0,3"); });
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->kind(), NumericErrorKind::TypeMismatch);
    EXPECT_EQ(empty->input(), kLoadCoefficient);
}

TEST(LoadBraking, StopsBeforeFullBraking) {
    // 5 km/h with a rise time of 1 s: 1,3889 m/s against 3,4 m/s taken by the rise.
    LoadBrakingResults r = ComputeLoadBraking("1,28", "5", "0,8", "6,8", "1");
    EXPECT_EQ(r.speedMs, "1,4");
    EXPECT_EQ(r.distance, "0,2");
    EXPECT_EQ(r.time, "0");
    EXPECT_EQ(r.skid, "0");
    // Zero speed is a value, not an error.
    LoadBrakingResults standing = ComputeLoadBraking("1", "0", "0,8", "6,8", "0,3");
    EXPECT_EQ(standing.time, "0");
    EXPECT_EQ(standing.skid, "0");
}

struct RefusedReadings {
    const char* name;
    DashcamReadings in; // start h, m, s; end h, m, s; distance
    NumericErrorKind kind;
    int input;
};

class DashcamRefuses : public testing::TestWithParam<RefusedReadings> {};

// Readings that cannot be right are refused, naming the field; an end not after the start
// names the end reading.
TEST_P(DashcamRefuses, NamesTheReading) {
    auto error = FailureOf([] { ComputeDashcamSpeed(GetParam().in); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind(), GetParam().kind);
    EXPECT_EQ(error->input(), GetParam().input);
}

constexpr auto kAbove = NumericErrorKind::AboveLimit;
constexpr auto kNotWhole = NumericErrorKind::NotWhole;

INSTANTIATE_TEST_SUITE_P(
    Readings, DashcamRefuses,
    testing::Values(
        RefusedReadings{"EqualReadings",
                        {"10", "20", "30", "10", "20", "30", "35"},
                        NumericErrorKind::SameTime,
                        kEndHours},
        RefusedReadings{"EqualReadingsNoDistance",
                        {"10", "20", "30", "10", "20", "30", "0"},
                        NumericErrorKind::SameTime,
                        kEndHours},
        RefusedReadings{"EqualInOtherWords",
                        {"10", "20", "30", "010", "20,0", "30,00", "35"},
                        NumericErrorKind::SameTime,
                        kEndHours},
        RefusedReadings{"EndBeforeStart",
                        {"10", "20", "40", "10", "20", "30", "35"},
                        NumericErrorKind::EndBeforeStart,
                        kEndHours},
        RefusedReadings{"PastMidnightWithoutHour24",
                        {"23", "59", "50", "0", "0", "10", "31"},
                        NumericErrorKind::EndBeforeStart,
                        kEndHours},
        RefusedReadings{"ATenThousandthBefore",
                        {"10", "20", "30", "10", "20", "29,9999", "35"},
                        NumericErrorKind::EndBeforeStart,
                        kEndHours},
        RefusedReadings{"NegativeStartHour",
                        {"-10", "20", "30", "10", "20", "40", "35"},
                        NumericErrorKind::OutOfRange,
                        kStartHours},
        RefusedReadings{"NegativeDistance",
                        {"10", "20", "30", "10", "20", "40", "-35"},
                        NumericErrorKind::OutOfRange,
                        kDistance},
        RefusedReadings{"MistypedMinutes",
                        {"10", "20", "30", "10", "2o", "40", "35"},
                        NumericErrorKind::TypeMismatch,
                        kEndMinutes},
        RefusedReadings{"EmptyStartSeconds",
                        {"10", "20", "", "10", "20", "40", "35"},
                        NumericErrorKind::TypeMismatch,
                        kStartSeconds},
        // The first reading at fault is named, in the order the window shows them.
        RefusedReadings{"FirstOfTwoAtFault",
                        {"10", "", "30", "", "20", "40", "35"},
                        NumericErrorKind::TypeMismatch,
                        kStartMinutes},
        RefusedReadings{"HoursTooLargeToRead",
                        {"0", "0", "0", "1000000000000000", "0", "0", "1"},
                        NumericErrorKind::Overflow,
                        kEndHours},
        RefusedReadings{"SpeedTooLarge",
                        {"10", "20", "30", "10", "20", "30,0001", "900000000000000"},
                        NumericErrorKind::Overflow,
                        kDistance},
        // Readings that no clock shows.
        RefusedReadings{
            "MinuteOf61", {"10", "61", "0", "10", "62", "0", "35"}, kAbove, kStartMinutes},
        RefusedReadings{
            "SecondOf60", {"10", "20", "0", "10", "20", "60", "36"}, kAbove, kEndSeconds},
        RefusedReadings{
            "EndMinuteOf60", {"10", "20", "0", "10", "60", "0", "36"}, kAbove, kEndMinutes},
        RefusedReadings{
            "StartHour24", {"24", "0", "0", "24", "0", "10", "31"}, kAbove, kStartHours},
        RefusedReadings{"Hours25To26", {"25", "0", "0", "26", "0", "0", "31"}, kAbove, kStartHours},
        RefusedReadings{"EndHour25", {"23", "59", "50", "25", "0", "10", "31"}, kAbove, kEndHours},
        RefusedReadings{"HoursTooLargeInSeconds",
                        {"0", "0", "0", "100000000000000", "0", "0", "1"},
                        kAbove,
                        kEndHours},
        RefusedReadings{"StartMinutesTooLargeInSeconds",
                        {"0", "900000000000000", "0", "1", "0", "0", "1"},
                        kAbove,
                        kStartMinutes},
        RefusedReadings{
            "FractionOfAnHour", {"10,5", "0", "0", "11", "0", "0", "31"}, kNotWhole, kStartHours},
        RefusedReadings{"FractionOfAMinute",
                        {"10", "20", "0", "10", "20,5", "0", "31"},
                        kNotWhole,
                        kEndMinutes}),
    CaseName());

struct ReadingsProblem {
    const char* name;
    DashcamReadings in; // start h, m, s; end h, m, s; distance
    std::string text;   // what completes "Расчёт невозможен: "
};

class DashcamProblem : public testing::TestWithParam<ReadingsProblem> {};

// A reading no clock shows is refused with the field's name and its limit.
TEST_P(DashcamProblem, SaysTheLimit) {
    const DashcamReadings& in = GetParam().in;
    const std::vector<std::string> texts = {in.startHours, in.startMinutes, in.startSeconds,
                                            in.endHours,   in.endMinutes,   in.endSeconds,
                                            in.distance};
    auto error = FailureOf([&] { ComputeDashcamSpeed(in); });
    ASSERT_TRUE(error);
    EXPECT_EQ(ProblemText(*error, DashcamInputList(), texts), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Readings, DashcamProblem,
    testing::Values(
        ReadingsProblem{
            "MinuteOf61",
            {"10", "61", "0", "10", "62", "0", "35"},
            "значение «Минуты начальных показаний» должно быть целым числом от 0 до 59."},
        ReadingsProblem{"SecondOf60",
                        {"10", "20", "0", "10", "20", "60", "36"},
                        "значение «Секунды конечных показаний» должно быть меньше 60."},
        ReadingsProblem{"StartHour24",
                        {"24", "0", "0", "24", "0", "10", "31"},
                        "значение «Часы начальных показаний» должно быть целым числом от 0 до 23."},
        ReadingsProblem{"EndHour25",
                        {"23", "59", "50", "25", "0", "10", "31"},
                        "значение «Часы конечных показаний» должно быть целым числом от 0 до 24."},
        ReadingsProblem{"FractionOfAnHour",
                        {"10,5", "0", "0", "11", "0", "0", "31"},
                        "значение «Часы начальных показаний» должно быть целым числом от 0 до 23."},
        ReadingsProblem{"HoursTooLargeToRead",
                        {"0", "0", "0", "1000000000000000", "0", "0", "1"},
                        "значение «Часы конечных показаний» должно быть целым числом от 0 до 24."},
        ReadingsProblem{"DistanceTooLarge",
                        {"10", "20", "30", "10", "20", "30,0001", "900000000000000"},
                        "значение «Расстояние» слишком велико."}),
    CaseName());

} // namespace
