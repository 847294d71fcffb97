#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "case_name.h"
#include "core/dashcam.h"
#include "core/loading.h"
#include "core/numeric.h"
#include "core/record.h"
#include "core/stopping.h"

using namespace core;

namespace {

// Evaluates a step's substituted formula as written: numbers with a decimal comma, + − × /,
// parentheses, √(…) and a trailing ², in doubles. Independent of the core's own code.
class Evaluator {
public:
    explicit Evaluator(std::string_view text) : s_(text) {}
    double Value() {
        double v = Sum();
        Skip();
        if (i_ != s_.size())
            throw std::runtime_error("trailing text: " + std::string(s_.substr(i_)));
        return v;
    }

private:
    void Skip() {
        while (i_ < s_.size() && s_[i_] == ' ')
            ++i_;
    }
    bool Take(std::string_view token) {
        Skip();
        if (s_.substr(i_, token.size()) != token) return false;
        i_ += token.size();
        return true;
    }
    double Sum() {
        double v = Product();
        for (;;) {
            if (Take("+"))
                v += Product();
            else if (Take("−"))
                v -= Product();
            else
                return v;
        }
    }
    double Product() {
        double v = Power();
        for (;;) {
            if (Take("×"))
                v *= Power();
            else if (Take("/"))
                v /= Power();
            else
                return v;
        }
    }
    double Power() {
        double v = Primary();
        if (Take("²")) v *= v;
        return v;
    }
    double Primary() {
        if (Take("√(")) {
            double v = Sum();
            if (!Take(")")) throw std::runtime_error("unclosed root");
            return std::sqrt(v);
        }
        if (Take("(")) {
            double v = Sum();
            if (!Take(")")) throw std::runtime_error("unclosed parenthesis");
            return v;
        }
        Skip();
        std::size_t start = i_;
        if (i_ < s_.size() && s_[i_] == '-') ++i_;
        while (i_ < s_.size() &&
               (std::isdigit(static_cast<unsigned char>(s_[i_])) || s_[i_] == ','))
            ++i_;
        if (start == i_)
            throw std::runtime_error("number expected at: " + std::string(s_.substr(i_)));
        return ParseDouble(s_.substr(start, i_ - start));
    }

    std::string_view s_;
    std::size_t i_ = 0;
};

// Every step recomputed from the values it names gives the value it kept, to the half
// ten-thousandth a fixed-point value is rounded to.
void ExpectStepsRecompute(const CalculationRecord& record) {
    ASSERT_FALSE(record.steps.empty());
    for (const RecordStep& step : record.steps) {
        if (step.formula.find("таблица") != std::string::npos) continue; // a look-up
        if (step.formula.find("≈") != std::string::npos) continue;       // a stated rounding
        const double kept = ParseDouble(step.value);
        const double again = Evaluator(step.substituted).Value();
        EXPECT_NEAR(again, kept, 0.00005 + 1e-12 * std::abs(kept))
            << step.name << ": " << step.substituted << " = " << step.value;
    }
}

struct RecordCase {
    const char* name;
    StoppingInputs in;
    StoppingMode mode;
    bool speedInMetresNote;
    bool stopsEarlyNote;
};

class StoppingRecord : public testing::TestWithParam<RecordCase> {};

TEST_P(StoppingRecord, AgreesWithTheResultsAndRecomputes) {
    CalculationRecord record;
    const StoppingResults r = ComputeStopping(GetParam().in, GetParam().mode, &record);
    ASSERT_EQ(record.results.size(), 4u);
    EXPECT_EQ(record.results[0].text, r.first);
    EXPECT_EQ(record.results[1].text, r.speedMs);
    EXPECT_EQ(record.results[2].text, r.distance);
    EXPECT_EQ(record.results[3].text, r.time);
    ASSERT_EQ(record.inputs.size(), 5u);
    EXPECT_EQ(record.inputs[3].text, GetParam().in.x); // as typed
    ExpectStepsRecompute(record);
    const auto has = [&](std::string_view note) {
        for (const std::string& n : record.notes)
            if (n.find(note) != std::string::npos) return true;
        return false;
    };
    EXPECT_EQ(has("по скорости в м/с"), GetParam().speedInMetresNote);
    EXPECT_EQ(has("останавливается, пока замедление ещё нарастает"), GetParam().stopsEarlyNote);
    const std::string text = RecordText(record);
    EXPECT_NE(text.find(record.title), std::string::npos);
    EXPECT_NE(text.find("Время полного торможения: " + r.time + " с"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StoppingRecord,
    testing::Values(
        RecordCase{"Skid_10m_Dry",
                   {"0,8", "0,2", "0,3", "10", "6,8"},
                   StoppingMode::SkidKnown,
                   true,
                   false},
        RecordCase{
            "Skid_20m_Wet", {"0,8", "0,2", "0,3", "20", "5"}, StoppingMode::SkidKnown, true, false},
        RecordCase{
            "Speed_60", {"0,8", "0,2", "0,3", "60", "6,8"}, StoppingMode::SpeedKnown, true, false},
        RecordCase{"Speed_0_StopsEarly",
                   {"0,8", "0,2", "0,3", "0", "6,8"},
                   StoppingMode::SpeedKnown,
                   false,
                   true}),
    CaseName());

TEST(StoppingRecord, AFailureLeavesTheRecordAsItWas) {
    CalculationRecord record;
    record.title = "before";
    EXPECT_THROW(
        ComputeStopping({"0,8", "0,2", "0,3", "abc", "6,8"}, StoppingMode::SkidKnown, &record),
        NumericError);
    EXPECT_EQ(record.title, "before");
    EXPECT_TRUE(record.steps.empty());
}

bool HasNote(const CalculationRecord& record, std::string_view note) {
    for (const std::string& n : record.notes)
        if (n.find(note) != std::string::npos) return true;
    return false;
}

TEST(LoadingRecord, AgreesWithTheResultsAndRecomputes) {
    CalculationRecord record;
    const LoadBrakingResults r = ComputeLoadBraking("1,28", "60", "0,8", "6,8", "0,3", &record);
    ASSERT_EQ(record.results.size(), 4u);
    EXPECT_EQ(record.results[0].text, r.speedMs);
    EXPECT_EQ(record.results[1].text, r.distance);
    EXPECT_EQ(record.results[2].text, r.time);
    EXPECT_EQ(record.results[3].text, r.skid);
    EXPECT_EQ(r.distance, "22,7");
    ExpectStepsRecompute(record);
    EXPECT_TRUE(HasNote(record, "по скорости в м/с"));

    CalculationRecord early;
    const LoadBrakingResults walking = ComputeLoadBraking("1,28", "5", "0,8", "6,8", "1", &early);
    EXPECT_EQ(walking.time, "0");
    EXPECT_TRUE(HasNote(early, "останавливается, пока замедление ещё нарастает"));
    EXPECT_FALSE(HasNote(early, "по скорости в м/с"));
    ExpectStepsRecompute(early);

    const RecordStep lookUp = LookUpStep(1, 1, "1,28");
    EXPECT_EQ(lookUp.value, "1,28");
    EXPECT_NE(lookUp.substituted.find("1; 1"), std::string::npos);
}

struct DashcamRecordCase {
    const char* name;
    DashcamReadings in;
    std::vector<std::string> shown; // hours, minutes, seconds, speed
    bool rounding;                  // the time has more decimals than it is shown with
};

class DashcamRecord : public testing::TestWithParam<DashcamRecordCase> {};

// The split in the record is the window's: the same operations on the exact time.
TEST_P(DashcamRecord, ShowsTheSplitTheWindowShows) {
    CalculationRecord record;
    const DashcamSpeed speed = ComputeDashcamSpeed(GetParam().in, &record);
    std::vector<std::string> shown;
    for (const RecordValue& v : record.results)
        shown.push_back(v.text);
    EXPECT_EQ(shown, GetParam().shown);
    EXPECT_EQ(shown.back(), speed.speedText);
    ExpectStepsRecompute(record);
    bool rounding = false;
    for (const RecordStep& step : record.steps) {
        rounding = rounding || step.formula.find("≈") != std::string::npos;
        if (step.name == "Пройдено времени") {
            EXPECT_EQ(step.value, speed.elapsedText);
        }
    }
    EXPECT_EQ(rounding, GetParam().rounding);
    EXPECT_TRUE(record.notes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Readings, DashcamRecord,
    testing::Values(DashcamRecordCase{"TenSeconds_35m",
                                      {"10", "20", "40", "10", "20", "30", "35"},
                                      {"0", "0", "10", "12,6"},
                                      false},
                    DashcamRecordCase{"WholeMinutes_100m",
                                      {"10", "4", "0", "10", "1", "0", "100"},
                                      {"0", "3", "0", "2"},
                                      false},
                    DashcamRecordCase{"WholeHour_31m",
                                      {"10", "30", "20", "9", "30", "20", "31"},
                                      {"1", "0", "0", "0,03"},
                                      false},
                    DashcamRecordCase{"AllThree_1000m",
                                      {"12", "34", "56,5", "10", "0", "0", "1000"},
                                      {"2", "34", "56,5", "0,39"},
                                      false},
                    DashcamRecordCase{"RoundedSeconds_35m",
                                      {"10", "20", "40,1234", "10", "20", "30", "35"},
                                      {"0", "0", "10,12", "12,45"},
                                      true}),
    CaseName());

TEST(RecordJson, EscapesAndKeepsEveryPart) {
    CalculationRecord record{"Расчёт \"А\"\\", {{"x", "1,5", "м"}}, {}, {{"y", "2", ""}}, {"n"}};
    record.steps.push_back({"шаг", "a × b", "1 × 2", "2", "м"});
    EXPECT_EQ(RecordJson(record),
              "{\"title\": \"Расчёт \\\"А\\\"\\\\\", \"inputs\": [{\"name\": \"x\", \"text\": "
              "\"1,5\", \"unit\": \"м\"}], \"steps\": [{\"name\": \"шаг\", \"formula\": \"a × b\", "
              "\"substituted\": \"1 × 2\", \"value\": \"2\", \"unit\": \"м\"}], \"results\": "
              "[{\"name\": \"y\", \"text\": \"2\", \"unit\": \"\"}], \"notes\": [\"n\"]}");
}

} // namespace
