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

// Every input a calculation refuses is refused with its kind and the input named, so that a
// message can say which field to correct.
struct RefusedStopping {
    const char* name;
    StoppingInputs in;
    NumericErrorKind kind;
    StoppingInput input;
};

class StoppingRefuses : public testing::TestWithParam<RefusedStopping> {};

TEST_P(StoppingRefuses, WithItsKindNamingTheInput) {
    auto error = FailureOf([] { ComputeStopping(GetParam().in); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind(), GetParam().kind);
    EXPECT_EQ(error->input(), IndexOf(GetParam().input));
}

constexpr auto kSkid = StoppingMode::SkidKnown;
constexpr auto kSpeed = StoppingMode::SpeedKnown;
constexpr auto kRange = NumericErrorKind::OutOfRange;
constexpr auto kNotANumber = NumericErrorKind::TypeMismatch;
using enum StoppingInput;

INSTANTIATE_TEST_SUITE_P(
    Inputs, StoppingRefuses,
    testing::Values(
        RefusedStopping{
            "NegativeReaction", {kSkid, "-0,8", "0,2", "0,3", "10", "6,8"}, kRange, Reaction},
        RefusedStopping{
            "NegativeDelay", {kSpeed, "0,8", "-0,2", "0,3", "60", "6,8"}, kRange, Delay},
        RefusedStopping{"NegativeRise", {kSpeed, "0,8", "0,2", "-0,3", "60", "6,8"}, kRange, Rise},
        RefusedStopping{
            "NegativeSkid", {kSkid, "0,8", "0,2", "0,3", "-5", "6,8"}, kRange, SkidOrSpeed},
        RefusedStopping{
            "NegativeSpeed", {kSpeed, "0,8", "0,2", "0,3", "-5", "6,8"}, kRange, SkidOrSpeed},
        RefusedStopping{"NegativeDecelerationSpeedMode",
                        {kSpeed, "0,8", "0,2", "0,3", "60", "-6,8"},
                        kRange,
                        Deceleration},
        RefusedStopping{"NegativeDecelerationSkidMode",
                        {kSkid, "0,8", "0,2", "0,3", "10", "-6,8"},
                        kRange,
                        Deceleration},
        RefusedStopping{
            "ZeroDeceleration", {kSpeed, "0,8", "0,2", "0,3", "60", "0"}, kRange, Deceleration},
        RefusedStopping{"ZeroDecelerationSkidMode",
                        {kSkid, "0,8", "0,2", "0,3", "10", "0"},
                        kRange,
                        Deceleration},
        RefusedStopping{
            "NegativeZeroIsZero", {kSpeed, "0,8", "0,2", "0,3", "60", "-0"}, kRange, Deceleration},
        RefusedStopping{"LettersNameTheirInput",
                        {kSkid, "0,8", "0,2", "0,3", "1o", "6,8"},
                        kNotANumber,
                        SkidOrSpeed},
        RefusedStopping{
            "LettersForReaction", {kSkid, "abc", "0,2", "0,3", "10", "6,8"}, kNotANumber, Reaction},
        RefusedStopping{"EmptyRise", {kSkid, "0,8", "0,2", "", "10", "6,8"}, kNotANumber, Rise},
        RefusedStopping{"BlankDeceleration",
                        {kSkid, "0,8", "0,2", "0,3", "10", "  "},
                        kNotANumber,
                        Deceleration},
        RefusedStopping{
            "FirstBadInputWins", {kSkid, "x", "-1", "0,3", "10", "0"}, kNotANumber, Reaction},
        // An overflow in a step is put down to the largest input, the one mistyped.
        RefusedStopping{"StepOverflowNamesTheSpeed",
                        {kSpeed, "0,8", "0,2", "0,3", "900000000000000", "6,8"},
                        NumericErrorKind::Overflow,
                        SkidOrSpeed},
        RefusedStopping{"StepOverflowNamesTheReaction",
                        {kSpeed, "90000000000000", "0,2", "0,3", "60", "6,8"},
                        NumericErrorKind::Overflow,
                        Reaction},
        RefusedStopping{"StepOverflowNamesTheDeceleration",
                        {kSkid, "0,8", "0,2", "0,3", "10", "90000000000000"},
                        NumericErrorKind::Overflow,
                        Deceleration},
        // A value other than zero that rounds to zero is neither zero nor refused as one.
        RefusedStopping{"DecelerationBelowTheResolution",
                        {kSpeed, "0,8", "0,2", "0,3", "60", "0,00001"},
                        NumericErrorKind::BelowResolution,
                        Deceleration},
        RefusedStopping{"SkidBelowTheResolution",
                        {kSkid, "0,8", "0,2", "0,3", "0.00005", "6,8"},
                        NumericErrorKind::BelowResolution,
                        SkidOrSpeed},
        RefusedStopping{"NegativeBelowTheResolution",
                        {kSpeed, "-0,00001", "0,2", "0,3", "60", "6,8"},
                        NumericErrorKind::BelowResolution,
                        Reaction}),
    CaseName());

// The message says what is wrong with such a value, not that it should be above zero.
TEST(StoppingRefuses, BelowTheResolutionIsToldAsSuch) {
    const std::string texts[] = {"0,8", "0,2", "0,3", "60", "0,00001"};
    auto error = FailureOf([&] {
        ComputeStopping({kSpeed, texts[0], texts[1], texts[2], texts[3], texts[4]});
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
    StoppingResults r = ComputeStopping(GetParam().in);
    EXPECT_EQ(r.speedOrSkid, GetParam().out.speedOrSkid);
    EXPECT_EQ(r.speedMs, GetParam().out.speedMs);
    EXPECT_EQ(r.stoppingDistance, GetParam().out.stoppingDistance);
    EXPECT_EQ(r.brakingTime, GetParam().out.brakingTime);
}

INSTANTIATE_TEST_SUITE_P(
    Speeds, StoppingBeforeFullBraking,
    testing::Values(
        EarlyStop{"Standing", {kSpeed, "0,8", "0,2", "0,3", "0", "6,8"}, {"0", "0", "0", "0"}},
        // 3,672 km/h is 1,02 m/s, exactly what the rising deceleration takes away.
        EarlyStop{
            "AtTheLimit", {kSpeed, "0,8", "0,2", "0,3", "3,672", "6,8"}, {"0", "1", "1,2", "0"}},
        // Just above it the car brakes fully for a moment.
        EarlyStop{
            "AboveTheLimit", {kSpeed, "0,8", "0,2", "0,3", "3,7", "6,8"}, {"0", "1", "1,3", "0"}},
        EarlyStop{"Walking", {kSpeed, "0,8", "0,2", "1", "5", "6,8"}, {"0", "1,4", "2,2", "0"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusedLoadBraking {
    const char* name;
    LoadBrakingInputs in; // coefficient, speed, adhesion, deceleration, rise time
    NumericErrorKind kind;
    LoadBrakingInput input;
};

class LoadBrakingRefuses : public testing::TestWithParam<RefusedLoadBraking> {};

// What the formulas cannot take, with its kind and the input named.
TEST_P(LoadBrakingRefuses, WithItsKindNamingTheInput) {
    auto error = FailureOf([] { ComputeLoadBraking(GetParam().in); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind(), GetParam().kind);
    EXPECT_EQ(error->input(), IndexOf(GetParam().input));
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, LoadBrakingRefuses,
    testing::Values(
        RefusedLoadBraking{
            "NegativeSpeed", {"1,28", "-5", "0,8", "6,8", "0,3"}, kRange, LoadBrakingInput::Speed},
        RefusedLoadBraking{"NegativeAdhesion",
                           {"1,28", "60", "-0,8", "6,8", "0,3"},
                           kRange,
                           LoadBrakingInput::Adhesion},
        RefusedLoadBraking{
            "ZeroAdhesion", {"1,28", "60", "0", "6,8", "0,3"}, kRange, LoadBrakingInput::Adhesion},
        RefusedLoadBraking{"ZeroDeceleration",
                           {"1,28", "60", "0,8", "0", "0,3"},
                           kRange,
                           LoadBrakingInput::Deceleration},
        RefusedLoadBraking{"NegativeDeceleration",
                           {"1,28", "60", "0,8", "-6,8", "0,3"},
                           kRange,
                           LoadBrakingInput::Deceleration},
        RefusedLoadBraking{
            "NegativeRise", {"1,28", "60", "0,8", "6,8", "-0,3"}, kRange, LoadBrakingInput::Rise},
        RefusedLoadBraking{"SpeedTooLarge",
                           {"1", "900000000000", "0,8", "6,8", "0,3"},
                           NumericErrorKind::Overflow,
                           LoadBrakingInput::Speed},
        RefusedLoadBraking{"EmptyCoefficient",
                           {"", "60", "0,8", "6,8", "0,3"},
                           kNotANumber,
                           LoadBrakingInput::Coefficient},
        RefusedLoadBraking{"LettersInSpeed",
                           {"1", "6o", "0,8", "6,8", "0,3"},
                           kNotANumber,
                           LoadBrakingInput::Speed}),
    CaseName());

TEST(LoadBraking, StopsBeforeFullBraking) {
    // 5 km/h with a rise time of 1 s: 1,3889 m/s against 3,4 m/s taken by the rise.
    LoadBrakingResults r = ComputeLoadBraking({"1,28", "5", "0,8", "6,8", "1"});
    EXPECT_EQ(r.speedMs, "1,4");
    EXPECT_EQ(r.brakingDistance, "0,2");
    EXPECT_EQ(r.brakingTime, "0");
    EXPECT_EQ(r.skid, "0");
    // Zero speed is a value, not an error.
    LoadBrakingResults standing = ComputeLoadBraking({"1", "0", "0,8", "6,8", "0,3"});
    EXPECT_EQ(standing.brakingTime, "0");
    EXPECT_EQ(standing.skid, "0");
}

struct RefusedReadings {
    const char* name;
    DashcamInputs in; // start h, m, s; end h, m, s; distance
    NumericErrorKind kind;
    DashcamInput input;
};

class DashcamRefuses : public testing::TestWithParam<RefusedReadings> {};

// Readings that cannot be right are refused, naming the field; an end not after the start
// names the end reading.
TEST_P(DashcamRefuses, NamesTheReading) {
    auto error = FailureOf([] { ComputeDashcam(GetParam().in); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind(), GetParam().kind);
    EXPECT_EQ(error->input(), IndexOf(GetParam().input));
}

constexpr auto kAbove = NumericErrorKind::AboveLimit;
constexpr auto kNotWhole = NumericErrorKind::NotWhole;

INSTANTIATE_TEST_SUITE_P(
    Readings, DashcamRefuses,
    testing::Values(RefusedReadings{"EqualReadings",
                                    {"10", "20", "30", "10", "20", "30", "35"},
                                    NumericErrorKind::SameTime,
                                    DashcamInput::EndHours},
                    RefusedReadings{"EqualReadingsNoDistance",
                                    {"10", "20", "30", "10", "20", "30", "0"},
                                    NumericErrorKind::SameTime,
                                    DashcamInput::EndHours},
                    RefusedReadings{"EqualInOtherWords",
                                    {"10", "20", "30", "010", "20,0", "30,00", "35"},
                                    NumericErrorKind::SameTime,
                                    DashcamInput::EndHours},
                    RefusedReadings{"EndBeforeStart",
                                    {"10", "20", "40", "10", "20", "30", "35"},
                                    NumericErrorKind::EndBeforeStart,
                                    DashcamInput::EndHours},
                    RefusedReadings{"PastMidnightWithoutHour24",
                                    {"23", "59", "50", "0", "0", "10", "31"},
                                    NumericErrorKind::EndBeforeStart,
                                    DashcamInput::EndHours},
                    RefusedReadings{"ATenThousandthBefore",
                                    {"10", "20", "30", "10", "20", "29,9999", "35"},
                                    NumericErrorKind::EndBeforeStart,
                                    DashcamInput::EndHours},
                    RefusedReadings{"NegativeStartHour",
                                    {"-10", "20", "30", "10", "20", "40", "35"},
                                    NumericErrorKind::OutOfRange,
                                    DashcamInput::StartHours},
                    RefusedReadings{"NegativeDistance",
                                    {"10", "20", "30", "10", "20", "40", "-35"},
                                    NumericErrorKind::OutOfRange,
                                    DashcamInput::Distance},
                    RefusedReadings{"MistypedMinutes",
                                    {"10", "20", "30", "10", "2o", "40", "35"},
                                    NumericErrorKind::TypeMismatch,
                                    DashcamInput::EndMinutes},
                    RefusedReadings{"EmptyStartSeconds",
                                    {"10", "20", "", "10", "20", "40", "35"},
                                    NumericErrorKind::TypeMismatch,
                                    DashcamInput::StartSeconds},
                    // The first reading at fault is named, in the order the window shows them.
                    RefusedReadings{"FirstOfTwoAtFault",
                                    {"10", "", "30", "", "20", "40", "35"},
                                    NumericErrorKind::TypeMismatch,
                                    DashcamInput::StartMinutes},
                    RefusedReadings{"HoursTooLargeToRead",
                                    {"0", "0", "0", "1000000000000000", "0", "0", "1"},
                                    NumericErrorKind::Overflow,
                                    DashcamInput::EndHours},
                    RefusedReadings{"SpeedTooLarge",
                                    {"10", "20", "30", "10", "20", "30,0001", "900000000000000"},
                                    NumericErrorKind::Overflow,
                                    DashcamInput::Distance},
                    // Readings that no clock shows.
                    RefusedReadings{"MinuteOf61",
                                    {"10", "61", "0", "10", "62", "0", "35"},
                                    kAbove,
                                    DashcamInput::StartMinutes},
                    RefusedReadings{"SecondOf60",
                                    {"10", "20", "0", "10", "20", "60", "36"},
                                    kAbove,
                                    DashcamInput::EndSeconds},
                    RefusedReadings{"EndMinuteOf60",
                                    {"10", "20", "0", "10", "60", "0", "36"},
                                    kAbove,
                                    DashcamInput::EndMinutes},
                    RefusedReadings{"StartHour24",
                                    {"24", "0", "0", "24", "0", "10", "31"},
                                    kAbove,
                                    DashcamInput::StartHours},
                    RefusedReadings{"Hours25To26",
                                    {"25", "0", "0", "26", "0", "0", "31"},
                                    kAbove,
                                    DashcamInput::StartHours},
                    RefusedReadings{"EndHour25",
                                    {"23", "59", "50", "25", "0", "10", "31"},
                                    kAbove,
                                    DashcamInput::EndHours},
                    RefusedReadings{"HoursTooLargeInSeconds",
                                    {"0", "0", "0", "100000000000000", "0", "0", "1"},
                                    kAbove,
                                    DashcamInput::EndHours},
                    RefusedReadings{"StartMinutesTooLargeInSeconds",
                                    {"0", "900000000000000", "0", "1", "0", "0", "1"},
                                    kAbove,
                                    DashcamInput::StartMinutes},
                    RefusedReadings{"FractionOfAnHour",
                                    {"10,5", "0", "0", "11", "0", "0", "31"},
                                    kNotWhole,
                                    DashcamInput::StartHours},
                    RefusedReadings{"FractionOfAMinute",
                                    {"10", "20", "0", "10", "20,5", "0", "31"},
                                    kNotWhole,
                                    DashcamInput::EndMinutes}),
    CaseName());

struct ReadingsProblem {
    const char* name;
    DashcamInputs in; // start h, m, s; end h, m, s; distance
    std::string text; // what completes "Расчёт невозможен: "
};

class DashcamProblem : public testing::TestWithParam<ReadingsProblem> {};

// A reading no clock shows is refused with the field's name and its limit.
TEST_P(DashcamProblem, SaysTheLimit) {
    const DashcamInputs& in = GetParam().in;
    const std::vector<std::string> texts = {in.startHours, in.startMinutes, in.startSeconds,
                                            in.endHours,   in.endMinutes,   in.endSeconds,
                                            in.distance};
    auto error = FailureOf([&] { ComputeDashcam(in); });
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
