#include <gtest/gtest.h>

#include "case_name.h"
#include "kind_of.h"

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "core/dashcam.h"
#include "core/loading.h"
#include "core/stopping.h"

using namespace core;

namespace {} // namespace

// ---- Stopping distance and speed from the skid mark ----

struct StoppingCase {
    const char* name;
    StoppingInputs in;
    StoppingMode mode;
    StoppingResults out;
};

class StoppingExamples : public testing::TestWithParam<StoppingCase> {};

TEST_P(StoppingExamples, GiveTheWorkedResults) {
    StoppingResults r = ComputeStopping(GetParam().in, GetParam().mode);
    EXPECT_EQ(r.first, GetParam().out.first);
    EXPECT_EQ(r.speedMs, GetParam().out.speedMs);
    EXPECT_EQ(r.distance, GetParam().out.distance);
    EXPECT_EQ(r.time, GetParam().out.time);
}

// Braking times take the speed in m/s: 60 km/h at 6,8 m/s² stops in about 2,3 s.
INSTANTIATE_TEST_SUITE_P(Examples, StoppingExamples,
                         testing::Values(StoppingCase{"Skid_10m_Dry",
                                                      {"0,8", "0,2", "0,3", "10", "6,8"},
                                                      StoppingMode::SkidKnown,
                                                      {"45,7", "12,7", "26,4", "1,7"}},
                                         StoppingCase{"Skid_20m_Dry",
                                                      {"0,8", "0,2", "0,3", "20", "6,8"},
                                                      StoppingMode::SkidKnown,
                                                      {"63", "17,5", "42,6", "2,4"}},
                                         StoppingCase{"Speed_60kmh_Dry",
                                                      {"0,8", "0,2", "0,3", "60", "6,8"},
                                                      StoppingMode::SpeedKnown,
                                                      {"18", "16,7", "39,5", "2,3"}},
                                         StoppingCase{"Speed_100kmh_Reaction1s",
                                                      {"1", "0,2", "0,3", "100", "6,8"},
                                                      StoppingMode::SpeedKnown,
                                                      {"52,6", "27,8", "94,1", "3,9"}},
                                         // Wet road preset and a point typed on a numeric keypad.
                                         StoppingCase{"Skid_10m_Wet_PointTyped",
                                                      {"0.8", "0,2", "0,3", "10", "5"},
                                                      StoppingMode::SkidKnown,
                                                      {"38,7", "10,8", "23,9", "2"}}),
                         CaseName());

TEST(Stopping, OnlyTheStoppingDistanceDependsOnTheReactionTime) {
    StoppingResults a =
        ComputeStopping({"0,8", "0,2", "0,3", "10", "6,8"}, StoppingMode::SkidKnown);
    StoppingResults b =
        ComputeStopping({"1,4", "0,2", "0,3", "10", "6,8"}, StoppingMode::SkidKnown);
    EXPECT_EQ(a.first, b.first);
    EXPECT_EQ(a.speedMs, b.speedMs);
    EXPECT_EQ(a.time, b.time);
    EXPECT_NE(a.distance, b.distance);
}

struct StoppingFailure {
    const char* name;
    StoppingInputs in;
    StoppingMode mode;
    NumericErrorKind kind;
};

class StoppingFailures : public testing::TestWithParam<StoppingFailure> {};

TEST_P(StoppingFailures, RaiseTheirKind) {
    EXPECT_EQ(KindOf([&] { ComputeStopping(GetParam().in, GetParam().mode); }), GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(Failures, StoppingFailures,
                         testing::Values(StoppingFailure{"Speed_ZeroDeceleration",
                                                         {"0,8", "0,2", "0,3", "60", "0"},
                                                         StoppingMode::SpeedKnown,
                                                         NumericErrorKind::OutOfRange},
                                         StoppingFailure{"Skid_NegativeLength",
                                                         {"0,8", "0,2", "0,3", "-5", "6,8"},
                                                         StoppingMode::SkidKnown,
                                                         NumericErrorKind::OutOfRange},
                                         StoppingFailure{"Skid_ZeroDeceleration",
                                                         {"0,8", "0,2", "0,3", "10", "0"},
                                                         StoppingMode::SkidKnown,
                                                         NumericErrorKind::OutOfRange},
                                         StoppingFailure{"Skid_LettersForReaction",
                                                         {"abc", "0,2", "0,3", "10", "6,8"},
                                                         StoppingMode::SkidKnown,
                                                         NumericErrorKind::TypeMismatch},
                                         StoppingFailure{"Skid_EmptyRiseTime",
                                                         {"0,8", "0,2", "", "10", "6,8"},
                                                         StoppingMode::SkidKnown,
                                                         NumericErrorKind::TypeMismatch},
                                         StoppingFailure{"Skid_BlankDeceleration",
                                                         {"0,8", "0,2", "0,3", "10", "  "},
                                                         StoppingMode::SkidKnown,
                                                         NumericErrorKind::TypeMismatch},
                                         StoppingFailure{
                                             "Speed_TooLarge",
                                             {"0,8", "0,2", "0,3", "900000000000000", "6,8"},
                                             StoppingMode::SpeedKnown,
                                             NumericErrorKind::Overflow}),
                         CaseName());

// ---- Braking distance by vehicle load ----

TEST(EfficiencyTable, RowsHoldTheirCoefficients) {
    // Row sums of the published table catch a mistyped cell.
    const double sums[kEfficiencyRows] = {17.02, 18.28, 19.16, 19.58, 19.26,
                                          18.86, 20.68, 20.34, 20.11};
    for (int r = 0; r < kEfficiencyRows; ++r) {
        double sum = 0;
        for (double k : EfficiencyTable[r])
            sum += k;
        EXPECT_NEAR(sum, sums[r], 1e-9) << "row " << r + 1;
    }
    EXPECT_EQ(EfficiencyTable[1][6], 1.17); // row 2, column 7 equals column 8
    for (int c = 10; c < 15; ++c) {
        EXPECT_EQ(EfficiencyTable[1][c], EfficiencyTable[2][c]);
        for (int r = 4; r < 9; ++r)
            EXPECT_EQ(EfficiencyTable[3][c], EfficiencyTable[r][c]);
    }
    for (int c = 5; c < 10; ++c)
        EXPECT_EQ(EfficiencyTable[2][c], EfficiencyTable[3][c]);
}

struct LookUpCase {
    const char* name;
    VehicleGroup group;
    const char* category;
    LoadState load;
    const char* adhesion;
    const char* coefficient;
};

class LookUpExamples : public testing::TestWithParam<LookUpCase> {};

TEST_P(LookUpExamples, GiveTheCoefficientText) {
    const auto& c = GetParam();
    std::optional<int> row = RowForCategory(c.group, c.category);
    std::optional<int> column = ColumnForAdhesion(c.load, c.adhesion);
    ASSERT_TRUE(row && column);
    EXPECT_EQ(LookUpEfficiency(*row, *column), std::string(c.coefficient));
}

INSTANTIATE_TEST_SUITE_P(
    Examples, LookUpExamples,
    testing::Values(LookUpCase{"Cars_Unloaded_0_8", VehicleGroup::CarsAndBuses, "легковые",
                               LoadState::Unloaded, "0,8", "1,28"},
                    LookUpCase{"Cars_Unloaded_0_6", VehicleGroup::CarsAndBuses, "легковые",
                               LoadState::Unloaded, "0,6", "1"},
                    LookUpCase{"Cars_Unloaded_0_1", VehicleGroup::CarsAndBuses, "легковые",
                               LoadState::Unloaded, "0,1", "1"},
                    LookUpCase{"BusesTo5t_HalfLoad_0_7", VehicleGroup::CarsAndBuses,
                               "автобусы и троллейбусыдо до 5 т", LoadState::HalfLoad, "0,7",
                               "1,17"},
                    LookUpCase{"BusesOver5t_FullLoad_0_6", VehicleGroup::CarsAndBuses,
                               "автобусы и троллейбусыдо свыше 5 т", LoadState::FullLoad, "0,6",
                               "1,3"},
                    LookUpCase{"TrucksTo3_5t_Unloaded_0_8", VehicleGroup::Trucks,
                               "грузовые до 3,5 т", LoadState::Unloaded, "0,8", "1,45"},
                    LookUpCase{"RoadTrainsTo3_5t_Unloaded_0_8", VehicleGroup::RoadTrains,
                               "грузовые до 3,5 т", LoadState::Unloaded, "0,8", "1,66"},
                    LookUpCase{"RoadTrainsOver12t_HalfLoad_0_5", VehicleGroup::RoadTrains,
                               "грузовые свыше 12 т", LoadState::HalfLoad, "0,5", "1,09"},
                    LookUpCase{"Trucks3_5To12t_FullLoad_0_7", VehicleGroup::Trucks,
                               "грузовые от 3,5 до 12 т", LoadState::FullLoad, "0,7", "1,71"}),
    CaseName());

// A category is matched by its exact text; an adhesion by its value, however it is typed.
TEST(LoadMappings, MatchCategoriesByTextAdhesionsByValue) {
    EXPECT_EQ(RowForCategory(VehicleGroup::Trucks, "грузовые свыше 12 т"), 6);
    EXPECT_EQ(RowForCategory(VehicleGroup::RoadTrains, "грузовые свыше 12 т"), 9);
    EXPECT_EQ(RowForCategory(VehicleGroup::Trucks, "легковые"), std::nullopt);
    EXPECT_EQ(RowForCategory(VehicleGroup::CarsAndBuses, "Легковые"), std::nullopt);
    for (const char* low : {"0,4", "0,2", "0,1"}) {
        EXPECT_EQ(ColumnForAdhesion(LoadState::Unloaded, low), 5);
        EXPECT_EQ(ColumnForAdhesion(LoadState::HalfLoad, low), 10);
        EXPECT_EQ(ColumnForAdhesion(LoadState::FullLoad, low), 15);
    }
    EXPECT_EQ(ColumnForAdhesion(LoadState::HalfLoad, "0,8"), 6);
    for (const char* same : {"0.8", " 0,8", "0,80"})
        EXPECT_EQ(ColumnForAdhesion(LoadState::Unloaded, same), 1) << same;
    for (const char* other : {"0,3", "0,35", "0,79", "-0,8", "", "0,8 т"})
        EXPECT_EQ(ColumnForAdhesion(LoadState::Unloaded, other), std::nullopt) << other;
}

TEST(LookUpEfficiency, NeedsExactRowAndColumn) {
    EXPECT_EQ(LookUpEfficiency(9, 15), std::string("1"));
    EXPECT_EQ(LookUpEfficiency(7, 9), std::string("1,14"));
    EXPECT_EQ(LookUpEfficiency(0, 1), std::nullopt);
    EXPECT_EQ(LookUpEfficiency(1, 16), std::nullopt);
    EXPECT_EQ(LookUpEfficiency(1.5, 1), std::nullopt);
}

TEST(ComputeLoadBraking, WorkedExample) {
    // Speed, time and skid length agree with the main window's speed-known results.
    LoadBrakingResults r = ComputeLoadBraking("1,28", "60", "0,8", "6,8", "0,3");
    EXPECT_EQ(r.speedMs, "16,7");
    EXPECT_EQ(r.distance, "22,7");
    EXPECT_EQ(r.time, "2,3");
    EXPECT_EQ(r.skid, "18");
    StoppingResults main =
        ComputeStopping({"0,8", "0,2", "0,3", "60", "6,8"}, StoppingMode::SpeedKnown);
    EXPECT_EQ(r.speedMs, main.speedMs);
    EXPECT_EQ(r.time, main.time);
    EXPECT_EQ(r.skid, main.first);
    // An adhesion outside the list still enters the distance.
    EXPECT_EQ(ComputeLoadBraking("1,28", "60", "0,35", "6,8", "0,3").distance, "51,8");
}

TEST(ComputeLoadBraking, Failures) {
    EXPECT_EQ(KindOf([] { ComputeLoadBraking("", "60", "0,8", "6,8", "0,3"); }),
              NumericErrorKind::TypeMismatch);
    EXPECT_EQ(KindOf([] { ComputeLoadBraking("1", "6o", "0,8", "6,8", "0,3"); }),
              NumericErrorKind::TypeMismatch);
    EXPECT_EQ(KindOf([] { ComputeLoadBraking("1", "60", "0", "6,8", "0,3"); }),
              NumericErrorKind::OutOfRange);
    EXPECT_EQ(KindOf([] { ComputeLoadBraking("1", "60", "0,8", "0", "0,3"); }),
              NumericErrorKind::OutOfRange);
    EXPECT_EQ(KindOf([] { ComputeLoadBraking("1", "900000000000", "0,8", "6,8", "0,3"); }),
              NumericErrorKind::Overflow);
}

// ---- Speed from dashcam clock readings ----

struct DashcamCase {
    const char* name;
    DashcamReadings in; // start h, m, s; end h, m, s; distance
    const char* seconds;
    const char* speed;
};

class DashcamExamples : public testing::TestWithParam<DashcamCase> {};

// The time is exactly end − start in seconds, and the speed 3,6 · D / E rounded once.
TEST_P(DashcamExamples, GiveTheWorkedResults) {
    DashcamSpeed r = ComputeDashcamSpeed(GetParam().in);
    EXPECT_EQ(r.elapsedText, GetParam().seconds);
    EXPECT_EQ(r.speedText, GetParam().speed);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, DashcamExamples,
    testing::Values(
        DashcamCase{"TenSeconds_35m", {"10", "20", "30", "10", "20", "40", "35"}, "10", "12,6"},
        DashcamCase{"TenSeconds_31m", {"10", "20", "30", "10", "20", "40", "31"}, "10", "11,16"},
        // A published worked example: 81 m in 4 s.
        DashcamCase{"FourSeconds_81m", {"10", "33", "20", "10", "33", "24", "81"}, "4", "72,9"},
        DashcamCase{"TwoSeconds_35m", {"10", "20", "30", "10", "20", "32", "35"}, "2", "63"},
        DashcamCase{"AcrossTheHour", {"11", "59", "59", "12", "0", "0", "33"}, "1", "118,8"},
        DashcamCase{"AcrossMidnight", {"23", "59", "50", "24", "0", "10", "31"}, "20", "5,58"},
        DashcamCase{"OneMinute", {"10", "20", "0", "10", "21", "0", "36"}, "60", "2,16"},
        DashcamCase{"ThreeMinutes", {"10", "1", "0", "10", "4", "0", "100"}, "180", "2"},
        DashcamCase{"OneHour", {"9", "30", "20", "10", "30", "20", "31"}, "3600", "0,03"},
        DashcamCase{
            "FractionalSeconds", {"10", "20", "30,5", "10", "20", "40", "35"}, "9,5", "13,26"},
        // 3,6 · 1,25 / 36 is 0,125 exactly: the half goes to the even 0,12.
        DashcamCase{"HalfToEvenDown", {"0", "0", "0", "0", "0", "36", "1,25"}, "36", "0,12"},
        DashcamCase{"HalfToEvenUp", {"0", "0", "0", "0", "0", "36", "1,35"}, "36", "0,14"},
        DashcamCase{"NoDistance", {"10", "20", "30", "10", "20", "40", "0"}, "10", "0"},
        // A thousandth of a second between the readings is the time the speed is computed from.
        DashcamCase{
            "AThousandth", {"10", "20", "30", "10", "20", "30,001", "35"}, "0,001", "126000"},
        // Every part at its highest: the start's last hour to the end's hour 24.
        DashcamCase{
            "HighestParts", {"23", "59", "59,9999", "24", "59", "59,9999", "1000"}, "3600", "1"}),
    CaseName());

struct ShownTimeCase {
    const char* name;
    const char* seconds;
    std::vector<std::string> shown; // hours, minutes, seconds
};

class DashcamShownTime : public testing::TestWithParam<ShownTimeCase> {};

// Whole hours, whole minutes and the seconds with every decimal of the exact time.
TEST_P(DashcamShownTime, SplitsIntoHoursMinutesSeconds) {
    const UnitSplit hours = SplitSeconds(ShownSeconds(GetParam().seconds), 3600);
    const UnitSplit minutes = SplitSeconds(hours.rest, 60);
    EXPECT_EQ((std::vector<std::string>{hours.whole, minutes.whole, minutes.rest}),
              GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Times, DashcamShownTime,
    testing::Values(ShownTimeCase{"TenSeconds", "10", {"0", "0", "10"}},
                    ShownTimeCase{"HalfSecond", "10,5", {"0", "0", "10,5"}},
                    ShownTimeCase{"Hundredths", "59,88", {"0", "0", "59,88"}},
                    ShownTimeCase{"AThousandth", "0,001", {"0", "0", "0,001"}},
                    ShownTimeCase{"TenThousandths", "10,0049", {"0", "0", "10,0049"}},
                    ShownTimeCase{"TrailingZerosDropped", "10,500", {"0", "0", "10,5"}},
                    ShownTimeCase{"JustBelowAMinute", "59,996", {"0", "0", "59,996"}},
                    ShownTimeCase{"JustBelowAnHour", "3599,995", {"0", "59", "59,995"}},
                    ShownTimeCase{"OneMinute", "60", {"0", "1", "0"}},
                    ShownTimeCase{"AllThree", "9296,5", {"2", "34", "56,5"}},
                    ShownTimeCase{"ADay", "86400", {"24", "0", "0"}}),
    CaseName());
