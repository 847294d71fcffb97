#include <gtest/gtest.h>

#include "case_name.h"

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "core/dashcam.h"
#include "core/loading.h"
#include "core/stopping.h"

using namespace core;

// ---- Stopping distance and speed from the skid mark ----

struct StoppingCase {
    const char* name;
    StoppingInputs in;
    StoppingResults out;
};

class StoppingExamples : public testing::TestWithParam<StoppingCase> {};

TEST_P(StoppingExamples, GiveTheWorkedResults) {
    StoppingResults r = ComputeStopping(GetParam().in);
    EXPECT_EQ(r.speedOrSkid, GetParam().out.speedOrSkid);
    EXPECT_EQ(r.speedMs, GetParam().out.speedMs);
    EXPECT_EQ(r.stoppingDistance, GetParam().out.stoppingDistance);
    EXPECT_EQ(r.brakingTime, GetParam().out.brakingTime);
}

// Braking times take the speed in m/s: 60 km/h at 6,8 m/s² stops in about 2,3 s.
INSTANTIATE_TEST_SUITE_P(
    Examples, StoppingExamples,
    testing::Values(StoppingCase{"Skid_10m_Dry",
                                 {StoppingMode::SkidKnown, "0,8", "0,2", "0,3", "10", "6,8"},
                                 {"45,7", "12,7", "26,4", "1,7"}},
                    StoppingCase{"Skid_20m_Dry",
                                 {StoppingMode::SkidKnown, "0,8", "0,2", "0,3", "20", "6,8"},
                                 {"63", "17,5", "42,6", "2,4"}},
                    StoppingCase{"Speed_60kmh_Dry",
                                 {StoppingMode::SpeedKnown, "0,8", "0,2", "0,3", "60", "6,8"},
                                 {"18", "16,7", "39,5", "2,3"}},
                    StoppingCase{"Speed_100kmh_Reaction1s",
                                 {StoppingMode::SpeedKnown, "1", "0,2", "0,3", "100", "6,8"},
                                 {"52,6", "27,8", "94,1", "3,9"}},
                    // Wet road preset and a point typed on a numeric keypad.
                    StoppingCase{"Skid_10m_Wet_PointTyped",
                                 {StoppingMode::SkidKnown, "0.8", "0,2", "0,3", "10", "5"},
                                 {"38,7", "10,8", "23,9", "2"}}),
    CaseName());

TEST(Stopping, OnlyTheStoppingDistanceDependsOnTheReactionTime) {
    StoppingResults a =
        ComputeStopping({StoppingMode::SkidKnown, "0,8", "0,2", "0,3", "10", "6,8"});
    StoppingResults b =
        ComputeStopping({StoppingMode::SkidKnown, "1,4", "0,2", "0,3", "10", "6,8"});
    EXPECT_EQ(a.speedOrSkid, b.speedOrSkid);
    EXPECT_EQ(a.speedMs, b.speedMs);
    EXPECT_EQ(a.brakingTime, b.brakingTime);
    EXPECT_NE(a.stoppingDistance, b.stoppingDistance);
}

// The failures, each with the input it names: input_range_test.cpp.

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
    LoadBrakingResults r = ComputeLoadBraking({"1,28", "60", "0,8", "6,8", "0,3"});
    EXPECT_EQ(r.speedMs, "16,7");
    EXPECT_EQ(r.brakingDistance, "22,7");
    EXPECT_EQ(r.brakingTime, "2,3");
    EXPECT_EQ(r.skid, "18");
    StoppingResults main =
        ComputeStopping({StoppingMode::SpeedKnown, "0,8", "0,2", "0,3", "60", "6,8"});
    EXPECT_EQ(r.speedMs, main.speedMs);
    EXPECT_EQ(r.brakingTime, main.brakingTime);
    EXPECT_EQ(r.skid, main.speedOrSkid);
    // An adhesion outside the list still enters the distance.
    EXPECT_EQ(ComputeLoadBraking({"1,28", "60", "0,35", "6,8", "0,3"}).brakingDistance, "51,8");
}

// ---- Speed from dashcam clock readings ----

struct DashcamCase {
    const char* name;
    DashcamInputs in; // start h, m, s; end h, m, s; distance
    const char* seconds;
    const char* speed;
};

class DashcamExamples : public testing::TestWithParam<DashcamCase> {};

// The time is exactly end − start in seconds, and the speed 3,6 · D / E rounded once.
TEST_P(DashcamExamples, GiveTheWorkedResults) {
    DashcamResults r = ComputeDashcam(GetParam().in);
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
