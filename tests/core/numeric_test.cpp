#include <gtest/gtest.h>

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

TEST(NumericError, CodesAreTheDocumentedOnes) {
    EXPECT_EQ(NumericError(NumericErrorKind::TypeMismatch).code(), 13);
    EXPECT_EQ(NumericError(NumericErrorKind::Overflow).code(), 6);
    EXPECT_EQ(NumericError(NumericErrorKind::DivisionByZero).code(), 11);
    EXPECT_EQ(NumericError(NumericErrorKind::InvalidArgument).code(), 5);
}

struct ParseCase {
    const char* text;
    std::int64_t units;
};

class ParseFixed4Valid : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseFixed4Valid, GivesTheExactCount) {
    EXPECT_EQ(ParseFixed4(GetParam().text).units, GetParam().units) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseFixed4Valid,
    testing::Values(ParseCase{"0,8", 8000}, ParseCase{"0.8", 8000}, ParseCase{"12", 120000},
                    ParseCase{"  6,8 ", 68000}, ParseCase{"-2,5", -25000}, ParseCase{"-0", 0},
                    ParseCase{"007,50", 75000},
                    // Five or more decimals round half to even at the fourth.
                    ParseCase{"0,00016", 2}, ParseCase{"0,00015", 2}, ParseCase{"0,00005", 0},
                    ParseCase{"0,000050001", 1}, ParseCase{"0,00025", 2}, ParseCase{"-0,00015", -2},
                    ParseCase{"1,99995", 20000}, ParseCase{"922337203685477,5807", INT64_MAX},
                    ParseCase{"-922337203685477,5808", INT64_MIN}));

struct BadText {
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
        BadText{"", NumericErrorKind::TypeMismatch}, BadText{"  ", NumericErrorKind::TypeMismatch},
        BadText{"abc", NumericErrorKind::TypeMismatch},
        BadText{",", NumericErrorKind::TypeMismatch}, BadText{"-", NumericErrorKind::TypeMismatch},
        BadText{"1,2,3", NumericErrorKind::TypeMismatch},
        BadText{"1,2.3", NumericErrorKind::TypeMismatch},
        BadText{"1 000", NumericErrorKind::TypeMismatch},
        BadText{"1e5", NumericErrorKind::TypeMismatch},
        BadText{"+5", NumericErrorKind::TypeMismatch},
        BadText{",5", NumericErrorKind::TypeMismatch},
        BadText{"5,", NumericErrorKind::TypeMismatch},
        BadText{"\t5", NumericErrorKind::TypeMismatch},
        BadText{"5\xc2\xa0", NumericErrorKind::TypeMismatch}, // no-break space
        BadText{"--5", NumericErrorKind::TypeMismatch},
        BadText{"922337203685477,5808", NumericErrorKind::Overflow},
        BadText{"-922337203685477,5809", NumericErrorKind::Overflow},
        BadText{"100000000000000000000000000000000000000000", NumericErrorKind::Overflow}));

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
    std::int64_t a, b, product;
};

class MulFixed4Rounds : public testing::TestWithParam<MulCase> {};

TEST_P(MulFixed4Rounds, HalfToEven) {
    EXPECT_EQ(MulFixed4(U(GetParam().a), U(GetParam().b)).units, GetParam().product);
}

INSTANTIATE_TEST_SUITE_P(Products, MulFixed4Rounds,
                         testing::Values(MulCase{1200, 5000, 600}, // 0.12 × 0.5 = 0.06
                                         MulCase{1, 5000, 0},      // half a unit: even 0
                                         MulCase{3, 5000, 2},      // 1.5 units: even 2
                                         MulCase{5, 5000, 2},      // 2.5 units: even 2
                                         MulCase{-3, 5000, -2},    // negative halves too
                                         MulCase{1, 5001, 1},      // above half
                                         MulCase{200000, 68000, 1360000}));

TEST(MulFixed4, ReportsOverflow) {
    EXPECT_EQ(KindOf([] { MulFixed4(U(INT64_MAX), U(20000)); }), NumericErrorKind::Overflow);
}

TEST(PowerDouble, SquaresRootsAndTheirFailures) {
    EXPECT_EQ(PowerDouble(-4, 2), 16);
    EXPECT_EQ(PowerDouble(136, 0.5), std::sqrt(136.0));
    EXPECT_EQ(KindOf([] { PowerDouble(-4, 0.5); }), NumericErrorKind::InvalidArgument);
    EXPECT_EQ(KindOf([] { PowerDouble(0, -1); }), NumericErrorKind::DivisionByZero);
    EXPECT_EQ(KindOf([] { PowerDouble(1e200, 2); }), NumericErrorKind::Overflow);
}

struct RoundFixedCase {
    std::int64_t units;
    int digits;
    std::int64_t rounded;
};

class RoundDecimalFixed : public testing::TestWithParam<RoundFixedCase> {};

TEST_P(RoundDecimalFixed, HalfToEven) {
    const auto& c = GetParam();
    EXPECT_EQ(RoundDecimal(U(c.units), c.digits).units, c.rounded);
}

INSTANTIATE_TEST_SUITE_P(
    Values, RoundDecimalFixed,
    testing::Values(RoundFixedCase{22500, 1, 22000}, RoundFixedCase{23500, 1, 24000},
                    RoundFixedCase{24500, 1, 24000}, RoundFixedCase{24501, 1, 25000},
                    RoundFixedCase{-24500, 1, -24000}, RoundFixedCase{-23500, 1, -24000},
                    RoundFixedCase{5000, 0, 0}, RoundFixedCase{15000, 0, 20000},
                    RoundFixedCase{125, 2, 100}, RoundFixedCase{135, 3, 140},
                    RoundFixedCase{12345, 4, 12345}));

TEST(RoundDecimal, DoubleHalvesGoToEven) {
    EXPECT_EQ(RoundDecimal(0.125, 2), 0.12);
    EXPECT_EQ(RoundDecimal(0.375, 2), 0.38);
    EXPECT_EQ(RoundDecimal(-0.125, 2), -0.12);
    EXPECT_EQ(RoundDecimal(12.5, 0), 12);
    EXPECT_EQ(KindOf([] { RoundDecimal(DBL_MAX, 2); }), NumericErrorKind::Overflow);
    EXPECT_EQ(KindOf([] { RoundDecimal(U(INT64_MAX), 0); }), NumericErrorKind::Overflow);
}

struct FormatFixedCase {
    std::int64_t units;
    const char* text;
};

class FormatFixed4Text : public testing::TestWithParam<FormatFixedCase> {};

TEST_P(FormatFixed4Text, NoTrailingZerosAndADecimalComma) {
    EXPECT_EQ(FormatFixed4(U(GetParam().units)), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FormatFixed4Text,
    testing::Values(FormatFixedCase{600000, "60"}, FormatFixedCase{125000, "12,5"},
                    FormatFixedCase{5000, "0,5"}, FormatFixedCase{-25000, "-2,5"},
                    FormatFixedCase{0, "0"}, FormatFixedCase{1, "0,0001"},
                    FormatFixedCase{-1, "-0,0001"}, FormatFixedCase{10200, "1,02"},
                    FormatFixedCase{INT64_MAX, "922337203685477,5807"},
                    FormatFixedCase{INT64_MIN, "-922337203685477,5808"}));

struct FormatDoubleCase {
    double value;
    const char* text;
};

class FormatDoubleText : public testing::TestWithParam<FormatDoubleCase> {};

TEST_P(FormatDoubleText, FifteenDigitsAndExponentForms) {
    EXPECT_EQ(FormatDouble(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FormatDoubleText,
    testing::Values(FormatDoubleCase{6.8, "6,8"}, FormatDoubleCase{0.3, "0,3"},
                    FormatDoubleCase{1.28, "1,28"}, FormatDoubleCase{1.0 / 3, "0,333333333333333"},
                    FormatDoubleCase{2.0 / 3, "0,666666666666667"},
                    FormatDoubleCase{0.1 + 0.2, "0,3"}, FormatDoubleCase{1e15, "1E+15"},
                    FormatDoubleCase{1e-5, "1E-05"}, FormatDoubleCase{1.5e-7, "1,5E-07"},
                    FormatDoubleCase{-2.5e20, "-2,5E+20"}, FormatDoubleCase{1e100, "1E+100"},
                    FormatDoubleCase{0.0001, "0,0001"}, FormatDoubleCase{0.0028, "0,0028"},
                    FormatDoubleCase{999999999999999.0, "999999999999999"},
                    FormatDoubleCase{9999999999999999.0, "1E+16"}, FormatDoubleCase{60, "60"},
                    FormatDoubleCase{-0.0, "0"}, FormatDoubleCase{-12.5, "-12,5"},
                    FormatDoubleCase{123456.789, "123456,789"}));

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
