#include <gtest/gtest.h>

#include <string>

#include "case_name.h"
#include "kind_of.h"

#include "core/exact.h"
#include "core/numeric.h"
#include "core/problem.h"
#include "core/range.h"

using namespace core;

namespace {

// ---- Exact fractions ----

TEST(Exact, ComparesWhateverTheSizeOfTheTerms) {
    const Exact third = Exact::Ratio(1, 3);
    EXPECT_LT(Exact::Ratio(333333333, 1000000000), third);
    EXPECT_GT(Exact::Ratio(333333334, 1000000000), third);
    EXPECT_EQ(Exact::Ratio(2, 6), third);
    // Terms whose cross products would not fit in 128 bits.
    const Exact::Int big = Exact::Int(1) << 120;
    EXPECT_LT(Exact::Ratio(big - 1, big), Exact::Ratio(big, big + 1));
    EXPECT_GT(Exact::Ratio(-1, big), Exact::Ratio(-1, big - 1));
    EXPECT_EQ(Compare(Exact::Ratio(-7, 2), Exact::Ratio(-7, 2)), 0);
}

struct RoundCase {
    const char* name;
    Exact value;
    int decimals;
    Rounding rounding;
    const char* text;
};

class ExactRounding : public testing::TestWithParam<RoundCase> {};

TEST_P(ExactRounding, RoundsOnceAsAsked) {
    const RoundCase& c = GetParam();
    EXPECT_EQ(FormatFixed4(Round(c.value, c.decimals, c.rounding)), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ExactRounding,
    testing::Values(RoundCase{"HalfToEvenDown", Exact::Ratio(1, 8), 2, Rounding::HalfEven, "0,12"},
                    RoundCase{"HalfToEvenUp", Exact::Ratio(3, 8), 2, Rounding::HalfEven, "0,38"},
                    RoundCase{"Third", Exact::Ratio(1, 3), 4, Rounding::HalfEven, "0,3333"},
                    RoundCase{"ThirdUp", Exact::Ratio(1, 3), 1, Rounding::Up, "0,4"},
                    RoundCase{"ThirdDown", Exact::Ratio(2, 3), 1, Rounding::Down, "0,6"},
                    RoundCase{"ExactStaysUp", Exact::Ratio(5, 2), 1, Rounding::Up, "2,5"},
                    RoundCase{"NegativeDown", Exact::Ratio(-1, 3), 1, Rounding::Down, "-0,4"},
                    RoundCase{"NegativeHalf", Exact::Ratio(-5, 2), 0, Rounding::HalfEven, "-2"}),
    CaseName());

// The root is rounded on its exact square: 0,15 is √0,0225 exactly and goes to the even 0,2.
TEST(Exact, RootsRoundOnTheExactSquare) {
    EXPECT_EQ(FormatFixed4(RoundedRoot(Exact::Ratio(225, 100), 4)), "1,5");
    EXPECT_EQ(FormatFixed4(RoundedRoot(Exact::Whole(2), 4)), "1,4142");
    EXPECT_EQ(FormatFixed4(RoundedRoot(Exact::Ratio(225, 10000), 1)), "0,2");
    EXPECT_EQ(FormatFixed4(RoundedRoot(Exact::Ratio(625, 10000), 1)), "0,2");
    EXPECT_EQ(FormatFixed4(RoundedRoot(Exact::Whole(2), 1, Rounding::Down)), "1,4");
    EXPECT_EQ(FormatFixed4(RoundedRoot(Exact::Whole(2), 1, Rounding::Up)), "1,5");
    EXPECT_EQ(FormatFixed4(RoundedRoot(Exact::Whole(4), 1, Rounding::Up)), "2");
    EXPECT_EQ(FormatFixed4(RoundedRoot(Exact{}, 4)), "0");
    EXPECT_EQ(KindOf([] { RoundedRoot(Exact::Ratio(-1, 10000), 4); }),
              NumericErrorKind::InvalidArgument);
}

TEST(Exact, FailsAsTheCoreDoes) {
    EXPECT_EQ(KindOf([] { Exact::Ratio(1, 0); }), NumericErrorKind::DivisionByZero);
    EXPECT_EQ(KindOf([] { Exact::Whole(1) / Exact{}; }), NumericErrorKind::DivisionByZero);
    const Exact huge = Exact::Ratio(Exact::Int(1) << 100, 1);
    EXPECT_EQ(KindOf([&] { huge* huge; }), NumericErrorKind::Overflow);
    EXPECT_EQ(KindOf([&] { Round(huge, 4); }), NumericErrorKind::Overflow);
}

// ---- Ranges and fractions as typed ----

struct RangeCase {
    const char* name;
    const char* text;
    const InputDescriptor* input;
    const char* low;
    const char* high;
    const char* shown; // as the record writes the input
};

class ReadsRange : public testing::TestWithParam<RangeCase> {};

TEST_P(ReadsRange, GivesBothEndsExactly) {
    const RangeCase& c = GetParam();
    const InputValue value = ReadInputValue(c.text, 3, *c.input);
    EXPECT_EQ(value.lowText, c.low);
    EXPECT_EQ(value.highText, c.high);
    EXPECT_EQ(value.Text(), c.shown);
    EXPECT_EQ(value.IsRange(), std::string(c.low) != c.high);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadsRange,
    testing::Values(
        RangeCase{"TwoPoints", "0,6..1,4", &input::kReaction, "0,6", "1,4", "0,6…1,4"},
        RangeCase{"Ellipsis", "0,6…1,4", &input::kReaction, "0,6", "1,4", "0,6…1,4"},
        RangeCase{"EnDash", "0,6–1,4", &input::kReaction, "0,6", "1,4", "0,6…1,4"},
        RangeCase{"DecimalPoints", "0.6..1.4", &input::kReaction, "0,6", "1,4", "0,6…1,4"},
        RangeCase{"Blanks", " 0,60 … 1,4 ", &input::kReaction, "0,6", "1,4", "0,6…1,4"},
        RangeCase{"OneNumber", "0,8", &input::kReaction, "0,8", "0,8", "0,8"},
        // Two ends of the same value are one value.
        RangeCase{"EqualEnds", "0,8..0,80", &input::kReaction, "0,8", "0,8", "0,8"},
        RangeCase{"FromZero", "0..5", &input::kSkid, "0", "5", "0…5"},
        RangeCase{"Fraction", "30000/1001", &input::kFrameRate, "30000/1001", "30000/1001",
                  "30000/1001"},
        RangeCase{"FractionBlanks", " 30000 / 1001 ", &input::kFrameRate, "30000/1001",
                  "30000/1001", "30000/1001"},
        RangeCase{"DecimalRate", "29.97", &input::kFrameRate, "29,97", "29,97", "29,97"},
        RangeCase{"RateRange", "24000/1001..30", &input::kFrameRate, "24000/1001", "30",
                  "24000/1001…30"},
        RangeCase{"FrameCounts", "44..46", &input::kFrames, "44", "46", "44…46"}),
    CaseName());

// 29,97 is not 30000/1001: the rate is kept as the fraction typed.
TEST(ReadsRange, KeepsAFractionExactly) {
    const InputValue ntsc = ReadInputValue("30000/1001", 0, input::kFrameRate);
    EXPECT_EQ(ntsc.low, Exact::Ratio(30000, 1001));
    EXPECT_LT(ReadInputValue("29,97", 0, input::kFrameRate).low, ntsc.low);
    EXPECT_EQ(ntsc.lowNumber, "29,97002997003");
}

struct RefusedRange {
    const char* name;
    const char* text;
    const InputDescriptor* input;
    NumericErrorKind kind;
};

class RefusesRange : public testing::TestWithParam<RefusedRange> {};

TEST_P(RefusesRange, NamingTheInput) {
    const RefusedRange& c = GetParam();
    const auto error = FailureOf([&] { ReadInputValue(c.text, 5, *c.input); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind(), c.kind);
    EXPECT_EQ(error->input(), 5);
}

constexpr auto kMistyped = NumericErrorKind::TypeMismatch;
constexpr auto kRefused = NumericErrorKind::OutOfRange;

INSTANTIATE_TEST_SUITE_P(
    Texts, RefusesRange,
    testing::Values(RefusedRange{"Reversed", "1,4..0,6", &input::kReaction,
                                 NumericErrorKind::ReversedRange},
                    RefusedRange{"ReversedRates", "30..30000/1001", &input::kFrameRate,
                                 NumericErrorKind::ReversedRange},
                    RefusedRange{"NoUpperEnd", "0,6..", &input::kReaction, kMistyped},
                    RefusedRange{"NoLowerEnd", "..1,4", &input::kReaction, kMistyped},
                    RefusedRange{"ThreeEnds", "0,6..1..1,4", &input::kReaction, kMistyped},
                    RefusedRange{"ThreePoints", "0,6...1,4", &input::kReaction, kMistyped},
                    RefusedRange{"Hyphen", "0,6-1,4", &input::kReaction, kMistyped},
                    RefusedRange{"NegativeLowerEnd", "-1..2", &input::kReaction, kRefused},
                    RefusedRange{"ZeroDecelerationEnd", "0..6,8", &input::kDeceleration, kRefused},
                    RefusedRange{"BelowTheResolution", "0,00001..1", &input::kSkid,
                                 NumericErrorKind::BelowResolution},
                    RefusedRange{"RateZeroDenominator", "30/0", &input::kFrameRate, kMistyped},
                    RefusedRange{"RateNoNumerator", "/1001", &input::kFrameRate, kMistyped},
                    RefusedRange{"RateTwoBars", "30/1/2", &input::kFrameRate, kMistyped},
                    RefusedRange{"RateZero", "0", &input::kFrameRate, kRefused},
                    RefusedRange{"RateZeroNumerator", "0/1001", &input::kFrameRate, kRefused},
                    RefusedRange{"RateNegative", "-30", &input::kFrameRate, kRefused},
                    RefusedRange{"NoFrames", "0", &input::kFrames, kRefused},
                    RefusedRange{"OneFrame", "1", &input::kFrames, kRefused},
                    RefusedRange{"HalfAFrame", "45,5", &input::kFrames, kRefused},
                    RefusedRange{"FramesRangeFromOne", "1..5", &input::kFrames, kRefused}),
    CaseName());

struct ProblemCase {
    const char* name;
    const char* text;
    const InputDescriptor* input;
    const char* message;
};

class RangeProblem : public testing::TestWithParam<ProblemCase> {};

// The message names the field and says what is wrong with a range or a fraction.
TEST_P(RangeProblem, IsToldInWords) {
    const ProblemCase& c = GetParam();
    const auto error = FailureOf([&] { ReadInputValue(c.text, 0, *c.input); });
    ASSERT_TRUE(error);
    const std::string texts[] = {c.text};
    const InputDescriptor* inputs[] = {c.input};
    EXPECT_EQ(ProblemText(*error, inputs, texts), c.message);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, RangeProblem,
    testing::Values(
        ProblemCase{"Reversed", "1,4..0,6", &input::kReaction,
                    "значение «Время реакции водителя» задано пределами в обратном порядке "
                    "(«1,4..0,6»): нижний предел пишется первым, например 0,6..1,4."},
        ProblemCase{"NegativeEnd", "-1…2", &input::kDelay,
                    "значение «Время запаздывания срабатывания тормозного привода» не может быть "
                    "отрицательным."},
        ProblemCase{"ZeroPedestrianSpeed", "0", &input::kPedestrianSpeed,
                    "значение «Скорость пешехода» должно быть больше нуля."},
        ProblemCase{"RateNoNumber", "30/0", &input::kFrameRate,
                    "значение «Частота кадров» не является числом. Введите число, например 25 "
                    "или 29,97, или дробь, например 30000/1001."},
        ProblemCase{"ZeroRate", "0", &input::kFrameRate,
                    "значение «Частота кадров» должно быть больше нуля."},
        ProblemCase{"NoFrames", "0", &input::kFrames,
                    "значение «Число интервалов между кадрами» должно быть целым числом не меньше "
                    "2: время между кадрами известно с точностью до кадра на каждом конце."}),
    CaseName());

// ---- Corners ----

// Every combination of the ends of the ranged inputs, once; single inputs stay as they are.
TEST(ForEachCorner, VisitsEveryCombinationOfTheEndsOnce) {
    const std::vector<InputValue> values = {ReadInputValue("1..2", 0, input::kSkid),
                                            ReadInputValue("5", 1, input::kSkid),
                                            ReadInputValue("7..9", 2, input::kSkid)};
    std::vector<std::string> seen;
    ForEachCorner(values, [&](const std::vector<std::string>& texts) {
        seen.push_back(texts[0] + " " + texts[1] + " " + texts[2]);
    });
    EXPECT_EQ(seen, (std::vector<std::string>{"1 5 7", "2 5 7", "1 5 9", "2 5 9"}));
}

} // namespace
