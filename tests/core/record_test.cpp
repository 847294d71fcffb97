#include <gtest/gtest.h>

#include <cmath>
#include <functional>
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
    CalculationRecord record{
        "stopping",
        "Расчёт \"А\"\\",
        {{"x", "01,50", "м", "x_m", "1,5"}, {"группа", "Легковые", "", "group", ""}},
        {{"шаг", "a × b", "1 × 2", "-0,25", "м", "step_m"},
         {"мал", "a", "a", "1,5E-05", "", "tiny"}},
        {{"y", "45,7", "км/ч", "y_kmh", "45,7"}},
        {"n"}};
    EXPECT_EQ(
        RecordJson(record, "1.2.3"),
        "{\"calculation\": \"stopping\", \"version\": \"1.2.3\", \"title\": \"Расчёт "
        "\\\"А\\\"\\\\\", \"inputs\": [{\"key\": \"x_m\", \"name\": \"x\", \"unit\": \"м\", "
        "\"text\": \"01,50\", \"value\": 1.5}, {\"key\": \"group\", \"name\": \"группа\", "
        "\"unit\": \"\", \"text\": \"Легковые\"}], \"steps\": [{\"key\": \"step_m\", \"name\": "
        "\"шаг\", \"unit\": \"м\", \"formula\": \"a × b\", \"substituted\": \"1 × 2\", "
        "\"text\": \"-0,25\", \"value\": -0.25}, {\"key\": \"tiny\", \"name\": \"мал\", "
        "\"unit\": \"\", \"formula\": \"a\", \"substituted\": \"a\", \"text\": \"1,5E-05\", "
        "\"value\": 1.5E-05}], \"results\": [{\"key\": \"y_kmh\", \"name\": \"y\", \"unit\": "
        "\"км/ч\", \"text\": \"45,7\", \"value\": 45.7}], \"notes\": [\"n\"]}");
}

struct KeysCase {
    const char* name;
    std::function<CalculationRecord()> compute;
    std::vector<std::string> inputs, steps, results;
};

class RecordKeys : public testing::TestWithParam<KeysCase> {};

std::vector<std::string> KeysOf(const auto& list) {
    std::vector<std::string> keys;
    for (const auto& item : list)
        keys.push_back(item.key);
    return keys;
}

// Programs read the JSON by these keys: they stay as they are, and each is unique in its list.
TEST_P(RecordKeys, AreTheDocumentedOnes) {
    const CalculationRecord record = GetParam().compute();
    EXPECT_EQ(KeysOf(record.inputs), GetParam().inputs);
    EXPECT_EQ(KeysOf(record.steps), GetParam().steps);
    EXPECT_EQ(KeysOf(record.results), GetParam().results);
    for (const auto& value : record.inputs)
        EXPECT_EQ(value.number, FormatFixed4(ParseFixed4(value.text))) << value.key;
    for (const auto& value : record.results)
        EXPECT_EQ(value.number, value.text) << value.key;
}

CalculationRecord Recorded(const std::function<void(CalculationRecord*)>& compute) {
    CalculationRecord record;
    compute(&record);
    return record;
}

INSTANTIATE_TEST_SUITE_P(
    Calculations, RecordKeys,
    testing::Values(
        KeysCase{
            "StoppingSkidKnown",
            [] {
                return Recorded([](CalculationRecord* r) {
                    ComputeStopping({"0,8", "0,2", "0,3", "10", "6,8"}, StoppingMode::SkidKnown, r);
                });
            },
            {"reaction_s", "delay_s", "rise_s", "skid_m", "deceleration_ms2"},
            {"lag_s", "speed_kmh", "speed_ms", "stopping_distance_m", "braking_time_s"},
            {"speed_kmh", "speed_ms", "stopping_distance_m", "braking_time_s"}},
        KeysCase{"StoppingSpeedKnown",
                 [] {
                     return Recorded([](CalculationRecord* r) {
                         ComputeStopping({"0,8", "0,2", "0,3", "60", "6,8"},
                                         StoppingMode::SpeedKnown, r);
                     });
                 },
                 {"reaction_s", "delay_s", "rise_s", "speed_kmh", "deceleration_ms2"},
                 {"lag_s", "speed_ms", "rise_loss_ms", "slowed_speed_ms", "skid_m",
                  "stopping_distance_m", "braking_time_s"},
                 {"skid_m", "speed_ms", "stopping_distance_m", "braking_time_s"}},
        KeysCase{"Loading",
                 [] {
                     return Recorded([](CalculationRecord* r) {
                         ComputeLoadBraking("1,28", "60", "0,8", "6,8", "0,3", r);
                     });
                 },
                 {"coefficient", "speed_kmh", "adhesion", "deceleration_ms2", "rise_s"},
                 {"braking_distance_m", "speed_ms", "rise_loss_ms", "slowed_speed_ms",
                  "braking_time_s", "skid_m"},
                 {"speed_ms", "braking_distance_m", "braking_time_s", "skid_m"}},
        KeysCase{"Dashcam",
                 [] {
                     return Recorded([](CalculationRecord* r) {
                         ComputeDashcamSpeed({"10", "20", "40,123", "10", "20", "30", "35"}, r);
                     });
                 },
                 {"end_hours", "end_minutes", "end_seconds", "start_hours", "start_minutes",
                  "start_seconds", "distance_m"},
                 {"end_s", "start_s", "elapsed_s", "speed_kmh", "elapsed_rounded_s", "seconds_s"},
                 {"elapsed_hours", "elapsed_minutes", "elapsed_seconds", "speed_kmh"}}),
    CaseName());

// A calculation from the table names the group, category and load before the typed inputs,
// and the table cell as its first step.
TEST(RecordFromTable, NamesTheChoicesAndTheCell) {
    CalculationRecord record;
    ComputeLoadBraking("1,28", "60", "0,8", "6,8", "0,3", &record);
    const RowCategory row = CategoryOfRow(2);
    StartFromTable(record, GroupCaption(row.group), row.category, LoadCaption(LoadState::HalfLoad),
                   2, 7, "1,28");
    EXPECT_EQ(KeysOf(record.inputs),
              (std::vector<std::string>{"group", "category", "load", "coefficient", "speed_kmh",
                                        "adhesion", "deceleration_ms2", "rise_s"}));
    EXPECT_EQ(record.inputs[0].text, "Легковые и автобусы одиночные и автопоезда");
    EXPECT_EQ(record.inputs[1].text, "автобусы и троллейбусыдо до 5 т");
    EXPECT_EQ(record.inputs[2].text, "С нагрузкой 50%");
    EXPECT_EQ(record.inputs[0].number, "");
    EXPECT_EQ(record.steps.front().key, "coefficient");
    EXPECT_EQ(record.steps.front().substituted, "таблица[2; 7]");
    for (int r = 1; r <= kEfficiencyRows; ++r) {
        const RowCategory back = CategoryOfRow(r);
        EXPECT_EQ(RowForCategory(back.group, back.category), r);
    }
}

} // namespace
