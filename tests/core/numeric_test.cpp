#include <gtest/gtest.h>

#include "case_name.h"
#include "kind_of.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <string>

#include "core/numeric.h"

using namespace core;

namespace {

Fixed4 U(std::int64_t units) {
    return Fixed4::FromUnits(units);
}

double Volatile(double x) {
    volatile double v = x; // keeps the compiler from folding the step at compile time
    return v;
}

} // namespace

struct ParseCase {
    const char* name;
    const char* text;
    std::int64_t units;
};

class ParseFixed4Valid : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseFixed4Valid, GivesTheExactCount) {
    EXPECT_EQ(ParseFixed4(GetParam().text).units, GetParam().units) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseFixed4Valid,
    testing::Values(ParseCase{"Parse_Comma", "0,8", 8000}, ParseCase{"Parse_Point", "0.8", 8000},
                    ParseCase{"Parse_Whole", "12", 120000},
                    ParseCase{"Parse_BlanksAround", "  6,8 ", 68000},
                    ParseCase{"Parse_Negative", "-2,5", -25000},
                    ParseCase{"Parse_NegativeZero", "-0", 0},
                    ParseCase{"Parse_LeadingZeros", "007,50", 75000},
                    // Five or more decimals round half to even at the fourth.
                    ParseCase{"Parse_FifthDecimalRoundsUp", "0,00016", 2},
                    ParseCase{"Parse_HalfUnitUpToEven", "0,00015", 2},
                    ParseCase{"Parse_HalfUnitDownToEven", "0,00005", 0},
                    ParseCase{"Parse_JustAboveHalfUnit", "0,000050001", 1},
                    ParseCase{"Parse_HalfUnitAfterEven", "0,00025", 2},
                    ParseCase{"Parse_NegativeHalfUnit", "-0,00015", -2},
                    ParseCase{"Parse_CarryIntoWhole", "1,99995", 20000},
                    ParseCase{"Parse_Largest", "922337203685477,5807", INT64_MAX},
                    ParseCase{"Parse_Smallest", "-922337203685477,5808", INT64_MIN}),
    CaseName());

struct BadText {
    const char* name;
    const char* text;
    NumericErrorKind kind;
};

class ParseRejects : public testing::TestWithParam<BadText> {};

TEST_P(ParseRejects, BothParsersRaise) {
    EXPECT_EQ(KindOf([&] { ParseFixed4(GetParam().text); }), GetParam().kind) << GetParam().text;
    if (GetParam().kind == NumericErrorKind::TypeMismatch) {
        EXPECT_EQ(KindOf([&] { ParseDouble(GetParam().text); }), GetParam().kind);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseRejects,
    testing::Values(
        BadText{"Parse_Empty", "", NumericErrorKind::TypeMismatch},
        BadText{"Parse_TwoBlanks", "  ", NumericErrorKind::TypeMismatch},
        BadText{"Parse_Letters", "abc", NumericErrorKind::TypeMismatch},
        BadText{"Parse_LoneComma", ",", NumericErrorKind::TypeMismatch},
        BadText{"Parse_LoneMinus", "-", NumericErrorKind::TypeMismatch},
        BadText{"Parse_TwoCommas", "1,2,3", NumericErrorKind::TypeMismatch},
        BadText{"Parse_CommaAndPoint", "1,2.3", NumericErrorKind::TypeMismatch},
        BadText{"Parse_ThousandsBlank", "1 000", NumericErrorKind::TypeMismatch},
        BadText{"Parse_Exponent", "1e5", NumericErrorKind::TypeMismatch},
        BadText{"Parse_PlusSign", "+5", NumericErrorKind::TypeMismatch},
        BadText{"Parse_NoWholeDigits", ",5", NumericErrorKind::TypeMismatch},
        BadText{"Parse_NoFractionDigits", "5,", NumericErrorKind::TypeMismatch},
        BadText{"Parse_Tab", "\t5", NumericErrorKind::TypeMismatch},
        BadText{"Parse_NoBreakSpace", "5\xc2\xa0", NumericErrorKind::TypeMismatch},
        BadText{"Parse_DoubleMinus", "--5", NumericErrorKind::TypeMismatch},
        BadText{"Parse_AboveLargest", "922337203685477,5808", NumericErrorKind::Overflow},
        BadText{"Parse_BelowSmallest", "-922337203685477,5809", NumericErrorKind::Overflow},
        BadText{"Parse_FortyTwoDigits", "100000000000000000000000000000000000000000",
                NumericErrorKind::Overflow}),
    CaseName());

TEST(ParseDouble, GivesTheNearestDouble) {
    EXPECT_EQ(ParseDouble("0,1"), 0.1);
    EXPECT_EQ(ParseDouble("-6.8"), -6.8);
    EXPECT_EQ(ParseDouble(" 15 "), 15.0);
    EXPECT_EQ(ParseDouble("0,30000000000000004"), 0.30000000000000004);
    EXPECT_EQ(ParseDouble("0," + std::string(400, '0') + "1"), 0.0);
    EXPECT_EQ(KindOf([] { ParseDouble("1" + std::string(400, '0')); }), NumericErrorKind::Overflow);
}

TEST(ToDouble, IsTheCountOverTenThousand) {
    EXPECT_EQ(ToDouble(U(8000)), 0.8);
    EXPECT_EQ(ToDouble(U(-25000)), -2.5);
    EXPECT_EQ(ToDouble(U(INT64_MAX)), 922337203685477.5807);
}

TEST(ToFixed4, RoundsTheScaledValueHalfToEven) {
    EXPECT_EQ(ToFixed4(0.15).units, 1500);
    EXPECT_EQ(ToFixed4(0.03125).units, 312); // 312.5 ten-thousandths, an exact binary half
    EXPECT_EQ(ToFixed4(0.03135).units, 314);
    EXPECT_EQ(ToFixed4(-0.03125).units, -312);
    EXPECT_EQ(ToFixed4(2.5 / 10000).units, 2);
    EXPECT_EQ(KindOf([] { ToFixed4(1e15); }), NumericErrorKind::Overflow);
    EXPECT_EQ(KindOf([] { ToFixed4(Volatile(INFINITY)); }), NumericErrorKind::Overflow);
    EXPECT_EQ(KindOf([] { ToFixed4(Volatile(NAN)); }), NumericErrorKind::InvalidArgument);
}

TEST(FixedArithmetic, IsExactAndReportsOverflow) {
    EXPECT_EQ(AddFixed4(U(8000), U(2000)).units, 10000);
    EXPECT_EQ(SubFixed4(U(8000), U(9000)).units, -1000);
    EXPECT_EQ(MulFixed4Int(26, U(68000)).units, 1768000);
    EXPECT_EQ(MulFixed4Int(-2, U(5)).units, -10);
    EXPECT_EQ(KindOf([] { AddFixed4(U(INT64_MAX), U(1)); }), NumericErrorKind::Overflow);
    EXPECT_EQ(KindOf([] { SubFixed4(U(INT64_MIN), U(1)); }), NumericErrorKind::Overflow);
    EXPECT_EQ(KindOf([] { MulFixed4Int(1000, U(INT64_MAX / 10)); }), NumericErrorKind::Overflow);
}

struct MulCase {
    const char* name;
    std::int64_t a, b, product;
};

class MulFixed4Rounds : public testing::TestWithParam<MulCase> {};

TEST_P(MulFixed4Rounds, HalfToEven) {
    EXPECT_EQ(MulFixed4(U(GetParam().a), U(GetParam().b)).units, GetParam().product);
}

INSTANTIATE_TEST_SUITE_P(
    Products, MulFixed4Rounds,
    testing::Values(MulCase{"Exact_0_12_Times_0_5", 1200, 5000, 600}, // 0.12 × 0.5 = 0.06
                    MulCase{"HalfUnitToEvenZero", 1, 5000, 0},        // half a unit: even 0
                    MulCase{"OneAndHalfUnitsToTwo", 3, 5000, 2},      // 1.5 units: even 2
                    MulCase{"TwoAndHalfUnitsToTwo", 5, 5000, 2},      // 2.5 units: even 2
                    MulCase{"NegativeHalfToEven", -3, 5000, -2},      // negative halves too
                    MulCase{"AboveHalfUp", 1, 5001, 1},               // above half
                    MulCase{"Exact_20_Times_6_8", 200000, 68000, 1360000}),
    CaseName());

TEST(MulFixed4, ReportsOverflow) {
    EXPECT_EQ(KindOf([] { MulFixed4(U(INT64_MAX), U(20000)); }), NumericErrorKind::Overflow);
}

struct MulDivCase {
    const char* name;
    std::int64_t a, b, c;
    int decimals;
    std::int64_t result;
};

class MulDivFixed4Rounds : public testing::TestWithParam<MulDivCase> {};

// a × b / c with one rounding, at the end; a double would land just off the exact half.
TEST_P(MulDivFixed4Rounds, OnceHalfToEven) {
    const MulDivCase& c = GetParam();
    EXPECT_EQ(MulDivFixed4(U(c.a), U(c.b), U(c.c), c.decimals).units, c.result);
}

INSTANTIATE_TEST_SUITE_P(
    Quotients, MulDivFixed4Rounds,
    testing::Values(MulDivCase{"Exact_3_6_Times_35_Over_10", 36000, 350000, 100000, 2, 126000},
                    MulDivCase{"ThirdToTwoDecimals", 10000, 10000, 30000, 2, 3300},
                    MulDivCase{"TwoThirdsToFourDecimals", 20000, 10000, 30000, 4, 6667},
                    MulDivCase{"HalfDownToEven", 36000, 12500, 360000, 2, 1200}, // 0,125
                    MulDivCase{"HalfUpToEven", 36000, 13500, 360000, 2, 1400},   // 0,135
                    MulDivCase{"NegativeHalfToEven", -36000, 12500, 360000, 2, -1200},
                    MulDivCase{"NegativeDivisor", 36000, 350000, -100000, 2, -126000},
                    MulDivCase{"Whole", 10000, 70000, 20000, 0, 40000}), // 3,5 → 4
    CaseName());

TEST(MulDivFixed4, ReportsDivisionByZeroAndOverflow) {
    EXPECT_EQ(KindOf([] { MulDivFixed4(U(10000), U(10000), U(0), 2); }),
              NumericErrorKind::DivisionByZero);
    EXPECT_EQ(KindOf([] { MulDivFixed4(U(INT64_MAX), U(INT64_MAX), U(1), 4); }),
              NumericErrorKind::Overflow);
    EXPECT_EQ(KindOf([] { MulDivFixed4(U(INT64_MIN), U(INT64_MIN), U(-1), 0); }),
              NumericErrorKind::Overflow);
}

TEST(PowerDouble, SquaresRootsAndTheirFailures) {
    EXPECT_EQ(PowerDouble(-4, 2), 16);
    EXPECT_EQ(PowerDouble(136, 0.5), std::sqrt(136.0));
    EXPECT_EQ(KindOf([] { PowerDouble(-4, 0.5); }), NumericErrorKind::InvalidArgument);
    EXPECT_EQ(KindOf([] { PowerDouble(0, -1); }), NumericErrorKind::DivisionByZero);
    EXPECT_EQ(KindOf([] { PowerDouble(1e200, 2); }), NumericErrorKind::Overflow);
}

struct RoundFixedCase {
    const char* name;
    std::int64_t units;
    int digits;
    std::int64_t rounded;
};

class RoundDecimalFixed : public testing::TestWithParam<RoundFixedCase> {};

TEST_P(RoundDecimalFixed, HalfToEven) {
    const auto& c = GetParam();
    EXPECT_EQ(RoundDecimal(U(c.units), c.digits).units, c.rounded);
}

INSTANTIATE_TEST_SUITE_P(Values, RoundDecimalFixed,
                         testing::Values(RoundFixedCase{"Half_2_25_To_2_2", 22500, 1, 22000},
                                         RoundFixedCase{"Half_2_35_To_2_4", 23500, 1, 24000},
                                         RoundFixedCase{"Half_2_45_To_2_4", 24500, 1, 24000},
                                         RoundFixedCase{"AboveHalf_2_4501_To_2_5", 24501, 1, 25000},
                                         RoundFixedCase{"Negative_2_45_To_2_4", -24500, 1, -24000},
                                         RoundFixedCase{"Negative_2_35_To_2_4", -23500, 1, -24000},
                                         RoundFixedCase{"Half_0_5_To_0", 5000, 0, 0},
                                         RoundFixedCase{"Half_1_5_To_2", 15000, 0, 20000},
                                         RoundFixedCase{"Half_0_0125_ToTwoDecimals", 125, 2, 100},
                                         RoundFixedCase{"Half_0_0135_ToThreeDecimals", 135, 3, 140},
                                         RoundFixedCase{"FourDecimalsKept", 12345, 4, 12345}),
                         CaseName());

TEST(RoundDecimal, DoubleHalvesGoToEven) {
    EXPECT_EQ(RoundDecimal(0.125, 2), 0.12);
    EXPECT_EQ(RoundDecimal(0.375, 2), 0.38);
    EXPECT_EQ(RoundDecimal(-0.125, 2), -0.12);
    EXPECT_EQ(RoundDecimal(12.5, 0), 12);
    EXPECT_EQ(KindOf([] { RoundDecimal(DBL_MAX, 2); }), NumericErrorKind::Overflow);
    EXPECT_EQ(KindOf([] { RoundDecimal(U(INT64_MAX), 0); }), NumericErrorKind::Overflow);
}

struct FormatFixedCase {
    const char* name;
    std::int64_t units;
    const char* text;
};

class FormatFixed4Text : public testing::TestWithParam<FormatFixedCase> {};

TEST_P(FormatFixed4Text, NoTrailingZerosAndADecimalComma) {
    EXPECT_EQ(FormatFixed4(U(GetParam().units)), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FormatFixed4Text,
    testing::Values(FormatFixedCase{"Whole_60", 600000, "60"},
                    FormatFixedCase{"OneDecimal_12_5", 125000, "12,5"},
                    FormatFixedCase{"BelowOne_0_5", 5000, "0,5"},
                    FormatFixedCase{"Negative_2_5", -25000, "-2,5"},
                    FormatFixedCase{"Zero", 0, "0"}, FormatFixedCase{"OneUnit", 1, "0,0001"},
                    FormatFixedCase{"MinusOneUnit", -1, "-0,0001"},
                    FormatFixedCase{"InnerZero_1_02", 10200, "1,02"},
                    FormatFixedCase{"Largest", INT64_MAX, "922337203685477,5807"},
                    FormatFixedCase{"Smallest", INT64_MIN, "-922337203685477,5808"}),
    CaseName());

struct FormatDoubleCase {
    const char* name;
    double value;
    const char* text;
};

class FormatDoubleText : public testing::TestWithParam<FormatDoubleCase> {};

TEST_P(FormatDoubleText, FifteenDigitsAndExponentForms) {
    EXPECT_EQ(FormatDouble(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FormatDoubleText,
    testing::Values(FormatDoubleCase{"Plain_6_8", 6.8, "6,8"},
                    FormatDoubleCase{"Plain_0_3", 0.3, "0,3"},
                    FormatDoubleCase{"Plain_1_28", 1.28, "1,28"},
                    FormatDoubleCase{"OneThird", 1.0 / 3, "0,333333333333333"},
                    FormatDoubleCase{"TwoThirds", 2.0 / 3, "0,666666666666667"},
                    FormatDoubleCase{"SumOf_0_1_And_0_2", 0.1 + 0.2, "0,3"},
                    FormatDoubleCase{"Exponent_1E15", 1e15, "1E+15"},
                    FormatDoubleCase{"Exponent_1E_05", 1e-5, "1E-05"},
                    FormatDoubleCase{"Exponent_1_5E_07", 1.5e-7, "1,5E-07"},
                    FormatDoubleCase{"NegativeExponent_2_5E20", -2.5e20, "-2,5E+20"},
                    FormatDoubleCase{"ThreeDigitExponent_1E100", 1e100, "1E+100"},
                    FormatDoubleCase{"TenThousandth", 0.0001, "0,0001"},
                    FormatDoubleCase{"Small_0_0028", 0.0028, "0,0028"},
                    FormatDoubleCase{"FifteenNines", 999999999999999.0, "999999999999999"},
                    FormatDoubleCase{"SixteenNinesRoundUp", 9999999999999999.0, "1E+16"},
                    FormatDoubleCase{"Whole_60", 60, "60"},
                    FormatDoubleCase{"NegativeZero", -0.0, "0"},
                    FormatDoubleCase{"Negative_12_5", -12.5, "-12,5"},
                    FormatDoubleCase{"NineDigits", 123456.789, "123456,789"}),
    CaseName());

TEST(FormatInteger, PlainDigits) {
    EXPECT_EQ(FormatInteger(1), "1");
    EXPECT_EQ(FormatInteger(15), "15");
    EXPECT_EQ(FormatInteger(-32768), "-32768");
}

TEST(FloatingStep, RaisesBeforeAnythingIsStored) {
    double zero = Volatile(0), one = Volatile(1), big = Volatile(1e300);
    double stored = 42;
    auto divide = [&] { stored = FloatingStep([&] { return one / zero; }); };
    EXPECT_EQ(KindOf(divide), NumericErrorKind::DivisionByZero);
    EXPECT_EQ(stored, 42);
    // An infinity that a later operation of the same step hides still fails the step.
    EXPECT_EQ(KindOf([&] { FloatingStep([&] { return one / (one / zero); }); }),
              NumericErrorKind::DivisionByZero);
    EXPECT_EQ(KindOf([&] { FloatingStep([&] { return zero / zero; }); }),
              NumericErrorKind::InvalidArgument);
    EXPECT_EQ(KindOf([&] { FloatingStep([&] { return big * big; }); }), NumericErrorKind::Overflow);
    EXPECT_EQ(FloatingStep([&] { return one / 4; }), 0.25);
}
