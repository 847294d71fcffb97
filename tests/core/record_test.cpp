#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "case_name.h"
#include "core/avoidance.h"
#include "core/dashcam.h"
#include "core/impact.h"
#include "core/loading.h"
#include "core/numeric.h"
#include "core/record.h"
#include "core/record_writer.h"
#include "core/stopping.h"
#include "core/video.h"

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
    bool speedInMetresNote;
    bool stopsEarlyNote;
};

class StoppingRecord : public testing::TestWithParam<RecordCase> {};

TEST_P(StoppingRecord, AgreesWithTheResultsAndRecomputes) {
    CalculationRecord record;
    const StoppingResults r = ComputeStopping(GetParam().in, &record);
    ASSERT_EQ(record.results.size(), 4u);
    EXPECT_EQ(record.results[0].text, r.speedOrSkid);
    EXPECT_EQ(record.results[1].text, r.speedMs);
    EXPECT_EQ(record.results[2].text, r.stoppingDistance);
    EXPECT_EQ(record.results[3].text, r.brakingTime);
    ASSERT_EQ(record.inputs.size(), 5u);
    EXPECT_EQ(record.inputs[3].text,
              GetParam().in.skidOrSpeed); // typed as the record writes numbers
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
    EXPECT_NE(text.find("Время полного торможения: " + r.brakingTime + " с"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StoppingRecord,
    testing::Values(
        RecordCase{"Skid_10m_Dry",
                   {StoppingMode::SkidKnown, "0,8", "0,2", "0,3", "10", "6,8"},
                   true,
                   false},
        RecordCase{
            "Skid_20m_Wet", {StoppingMode::SkidKnown, "0,8", "0,2", "0,3", "20", "5"}, true, false},
        RecordCase{
            "Speed_60", {StoppingMode::SpeedKnown, "0,8", "0,2", "0,3", "60", "6,8"}, true, false},
        RecordCase{"Speed_0_StopsEarly",
                   {StoppingMode::SpeedKnown, "0,8", "0,2", "0,3", "0", "6,8"},
                   false,
                   true}),
    CaseName());

TEST(StoppingRecord, AFailureLeavesTheRecordAsItWas) {
    CalculationRecord record;
    record.title = "before";
    EXPECT_THROW(
        ComputeStopping({StoppingMode::SkidKnown, "0,8", "0,2", "0,3", "abc", "6,8"}, &record),
        NumericError);
    EXPECT_EQ(record.title, "before");
    EXPECT_TRUE(record.steps.empty());
}

// The record gives each input as the calculation read it, in its own number format, so that
// the inputs and the formulas that use them read alike.
TEST(StoppingRecord, ShowsTheInputsAsRead) {
    CalculationRecord record;
    ComputeStopping({StoppingMode::SkidKnown, "0.8", " 0,20 ", "0,3", " 010.50", "6.8"}, &record);
    ASSERT_EQ(record.inputs.size(), 5u);
    const char* read[] = {"0,8", "0,2", "0,3", "10,5", "6,8"};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(record.inputs[i].text, read[i]) << record.inputs[i].name;
        EXPECT_EQ(record.inputs[i].number, read[i]) << record.inputs[i].name;
    }
    const std::string text = RecordText(record);
    EXPECT_NE(text.find("Длина тормозного следа (юз), S: 10,5 м"), std::string::npos) << text;
    EXPECT_EQ(text.find("010.50"), std::string::npos) << text;
}

bool HasNote(const CalculationRecord& record, std::string_view note) {
    for (const std::string& n : record.notes)
        if (n.find(note) != std::string::npos) return true;
    return false;
}

TEST(LoadingRecord, AgreesWithTheResultsAndRecomputes) {
    CalculationRecord record;
    const LoadBrakingResults r = ComputeLoadBraking({"1,28", "60", "0,8", "6,8", "0,3"}, &record);
    ASSERT_EQ(record.results.size(), 4u);
    EXPECT_EQ(record.results[0].text, r.speedMs);
    EXPECT_EQ(record.results[1].text, r.brakingDistance);
    EXPECT_EQ(record.results[2].text, r.brakingTime);
    EXPECT_EQ(record.results[3].text, r.skid);
    EXPECT_EQ(r.brakingDistance, "22,7");
    ExpectStepsRecompute(record);
    EXPECT_TRUE(HasNote(record, "по скорости в м/с"));

    CalculationRecord early;
    const LoadBrakingResults walking = ComputeLoadBraking({"1,28", "5", "0,8", "6,8", "1"}, &early);
    EXPECT_EQ(walking.brakingTime, "0");
    EXPECT_TRUE(HasNote(early, "останавливается, пока замедление ещё нарастает"));
    EXPECT_FALSE(HasNote(early, "по скорости в м/с"));
    ExpectStepsRecompute(early);

    const RecordStep lookUp = LookUpStep(1, 1, "1,28");
    EXPECT_EQ(lookUp.value, "1,28");
    EXPECT_NE(lookUp.substituted.find("1; 1"), std::string::npos);
}

struct DashcamRecordCase {
    const char* name;
    DashcamInputs in;
    std::vector<std::string> shown; // hours, minutes, seconds, speed
};

class DashcamRecord : public testing::TestWithParam<DashcamRecordCase> {};

// The split in the record is the window's: the same operations on the exact time, which keeps
// every decimal the readings gave.
TEST_P(DashcamRecord, ShowsTheSplitTheWindowShows) {
    CalculationRecord record;
    const DashcamResults r = ComputeDashcam(GetParam().in, &record);
    std::vector<std::string> shown;
    for (const RecordValue& v : record.results)
        shown.push_back(v.text);
    EXPECT_EQ(shown, GetParam().shown);
    EXPECT_EQ(shown.back(), r.speedText);
    ExpectStepsRecompute(record);
    for (const RecordStep& step : record.steps) {
        EXPECT_EQ(step.formula.find("≈"), std::string::npos) << step.name;
        if (step.name == "Пройдено времени") {
            EXPECT_EQ(step.value, r.elapsedText);
        }
    }
    EXPECT_TRUE(record.notes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Readings, DashcamRecord,
    testing::Values(
        DashcamRecordCase{
            "TenSeconds_35m", {"10", "20", "30", "10", "20", "40", "35"}, {"0", "0", "10", "12,6"}},
        DashcamRecordCase{
            "WholeMinutes_100m", {"10", "1", "0", "10", "4", "0", "100"}, {"0", "3", "0", "2"}},
        DashcamRecordCase{
            "WholeHour_31m", {"9", "30", "20", "10", "30", "20", "31"}, {"1", "0", "0", "0,03"}},
        DashcamRecordCase{"AllThree_1000m",
                          {"10", "0", "0", "12", "34", "56,5", "1000"},
                          {"2", "34", "56,5", "0,39"}},
        DashcamRecordCase{"TenThousandths_35m",
                          {"10", "20", "30", "10", "20", "40,1234", "35"},
                          {"0", "0", "10,1234", "12,45"}},
        DashcamRecordCase{"AThousandth_35m",
                          {"10", "20", "30", "10", "20", "30,001", "35"},
                          {"0", "0", "0,001", "126000"}}),
    CaseName());

// The record reads as the window does: the start reading before the end, and each elapsed part
// named apart from its unit.
TEST(DashcamRecordText, ListsTheStartFirst) {
    CalculationRecord record;
    ComputeDashcam({"10", "33", "20", "10", "33", "24", "81"}, &record);
    const std::string text = RecordText(record);
    const std::string inputs = "Исходные данные\n"
                               "  Часы начальных показаний, Нч: 10 ч\n"
                               "  Минуты начальных показаний, Нм: 33 мин\n"
                               "  Секунды начальных показаний, Нс: 20 с\n"
                               "  Часы конечных показаний, Кч: 10 ч\n"
                               "  Минуты конечных показаний, Км: 33 мин\n"
                               "  Секунды конечных показаний, Кс: 24 с\n"
                               "  Расстояние, D: 81 м\n";
    const std::string steps =
        "Расчёт\n"
        "  1. Начальные показания в секундах: Нч × 3600 + Нм × 60 + Нс = 10 × 3600 + 33 × 60 + 20 "
        "= 38000 с\n"
        "  2. Конечные показания в секундах: Кч × 3600 + Км × 60 + Кс = 10 × 3600 + 33 × 60 + 24 "
        "= 38004 с\n";
    const std::string results = "Результаты\n"
                                "  Пройдено времени, целых часов, Пч: 0 ч\n"
                                "  Пройдено времени, целых минут сверх часов, Пм: 0 мин\n"
                                "  Пройдено времени, секунд сверх минут, Пс: 4 с\n"
                                "  Скорость: 72,9 км/ч\n";
    EXPECT_NE(text.find(inputs), std::string::npos) << text;
    EXPECT_NE(text.find(steps), std::string::npos) << text;
    EXPECT_NE(text.find(results), std::string::npos) << text;
}

TEST(RecordJson, EscapesAndKeepsEveryPart) {
    CalculationRecord record{
        "stopping",
        "Расчёт \"А\"\\",
        {{"x", "01,50", "м", "x_m", "1,5"}, {"группа", "Легковые", "", "group", ""}},
        {{"шаг", "a × b", "1 × 2", "-0,25", "м", "step_m"},
         {"мал", "a", "a", "1,5E-05", "", "tiny"}},
        {{"y", "45,7", "км/ч", "y_kmh", "45,7"}},
        {"n"},
        {{"5-12/2025", "", " ", "«Дело» \"А\""},
         LocalTime{2025, 3, 7, 14, 5, 9, -150},
         "«Кварнет»",
         "1.2.3"}};
    EXPECT_EQ(
        RecordJson(record),
        "{\"calculation\": \"stopping\", \"version\": \"1.2.3\", \"computed_at\": "
        "\"2025-03-07T14:05:09-02:30\", \"case\": {\"number\": \"5-12/2025\", \"note\": "
        "\"«Дело» \\\"А\\\"\"}, \"method\": \"по формулам раздела «Расчёт», с поправками программы "
        "из раздела «Примечания»\", \"title\": \"Расчёт "
        "\\\"А\\\"\\\\\", \"inputs\": [{\"key\": \"x_m\", \"name\": \"x\", \"unit\": \"м\", "
        "\"text\": \"01,50\", \"value\": 1.5}, {\"key\": \"group\", \"name\": \"группа\", "
        "\"unit\": \"\", \"text\": \"Легковые\"}], \"steps\": [{\"key\": \"step_m\", \"name\": "
        "\"шаг\", \"unit\": \"м\", \"formula\": \"a × b\", \"substituted\": \"1 × 2\", "
        "\"text\": \"-0,25\", \"value\": -0.25}, {\"key\": \"tiny\", \"name\": \"мал\", "
        "\"unit\": \"\", \"formula\": \"a\", \"substituted\": \"a\", \"text\": \"1,5E-05\", "
        "\"value\": 1.5E-05}], \"results\": [{\"key\": \"y_kmh\", \"name\": \"y\", \"unit\": "
        "\"км/ч\", \"text\": \"45,7\", \"value\": 45.7}], \"notes\": [\"n\"]}");
}

// A record kept without a time or case details has neither in its JSON, and the case is an
// empty object that programs can still read.
TEST(RecordJson, WithoutOriginHasAnEmptyCase) {
    CalculationRecord record;
    record.calculation = "dashcam";
    record.origin.version = "1.0.0";
    const std::string json = RecordJson(record);
    EXPECT_EQ(json.find("computed_at"), std::string::npos);
    EXPECT_NE(json.find("\"case\": {}, \"method\": \"по формулам раздела «Расчёт», без поправок "
                        "программы\""),
              std::string::npos)
        << json;
}

struct TimeCase {
    const char* name;
    LocalTime time;
    std::string iso, shown;
};

class RecordTime : public testing::TestWithParam<TimeCase> {};

// The time as given, never the machine's: in ISO 8601 for programs and as a Russian date with
// the zone for the reader.
TEST_P(RecordTime, IsWrittenWithItsZone) {
    EXPECT_EQ(IsoTime(GetParam().time), GetParam().iso);
    EXPECT_EQ(ShownTime(GetParam().time), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Zones, RecordTime,
                         testing::Values(TimeCase{"Moscow",
                                                  {2025, 3, 7, 14, 5, 9, 180},
                                                  "2025-03-07T14:05:09+03:00",
                                                  "07.03.2025 14:05:09 (UTC+03:00)"},
                                         TimeCase{"Utc_Midnight",
                                                  {2026, 1, 1, 0, 0, 0, 0},
                                                  "2026-01-01T00:00:00+00:00",
                                                  "01.01.2026 00:00:00 (UTC+00:00)"},
                                         TimeCase{"HalfHourEast",
                                                  {2024, 12, 31, 23, 59, 59, 330},
                                                  "2024-12-31T23:59:59+05:30",
                                                  "31.12.2024 23:59:59 (UTC+05:30)"},
                                         TimeCase{"West",
                                                  {2025, 7, 4, 8, 30, 0, -210},
                                                  "2025-07-04T08:30:00-03:30",
                                                  "04.07.2025 08:30:00 (UTC-03:30)"}),
                         CaseName());

struct HeaderCase {
    const char* name;
    CaseDetails details;
    bool timed;
    std::vector<std::string> lines; // "label: value", in order
};

class Header : public testing::TestWithParam<HeaderCase> {};

// The header names the case details given, each on its line, then the time, the program and
// the method; the text of the record carries it under the title.
TEST_P(Header, ListsWhatIsGivenInOrder) {
    CalculationRecord record;
    ComputeStopping({StoppingMode::SkidKnown, "0,8", "0,2", "0,3", "10", "6,8"}, &record);
    record.origin.caseDetails = GetParam().details;
    if (GetParam().timed) record.origin.computedAt = LocalTime{2025, 3, 7, 14, 5, 9, 180};
    record.origin.program = "«Кварнет»";
    record.origin.version = "1.0.0";
    std::vector<std::string> lines;
    std::string block;
    for (const HeaderLine& line : RecordHeader(record)) {
        lines.push_back(line.label + ": " + line.value);
        block += lines.back() + "\n";
    }
    EXPECT_EQ(lines, GetParam().lines);
    EXPECT_EQ(RecordText(record).rfind(record.title + "\n\n" + block + "\nИсходные данные\n", 0),
              0u)
        << RecordText(record);
}

const std::string kTimeLine = "Дата и время расчёта: 07.03.2025 14:05:09 (UTC+03:00)";
const std::string kProgramLine = "Программа: «Кварнет», версия 1.0.0";
const std::string kMethodLine =
    "Метод: по формулам раздела «Расчёт», с поправками программы из раздела «Примечания»";

INSTANTIATE_TEST_SUITE_P(
    Details, Header,
    testing::Values(
        HeaderCase{"AllFour",
                   {"5-12/2025", "Иванов И. И.", "ЭКЦ", "повторный расчёт"},
                   true,
                   {"№ дела / материала: 5-12/2025", "Эксперт: Иванов И. И.", "Организация: ЭКЦ",
                    "Примечание: повторный расчёт", kTimeLine, kProgramLine, kMethodLine}},
        HeaderCase{"NoneGiven", {}, true, {kTimeLine, kProgramLine, kMethodLine}},
        HeaderCase{"BlankFieldsLeftOut",
                   {"  ", "Петров П. П.", "\t\n", ""},
                   true,
                   {"Эксперт: Петров П. П.", kTimeLine, kProgramLine, kMethodLine}},
        HeaderCase{"LineBreaksAndSpacesFolded",
                   {" 5-12/2025 ", "Иванов\n  И. И.", "", "первая строка\r\nвторая"},
                   true,
                   {"№ дела / материала: 5-12/2025", "Эксперт: Иванов И. И.",
                    "Примечание: первая строка вторая", kTimeLine, kProgramLine, kMethodLine}},
        HeaderCase{"NoTime",
                   {"7", "", "", ""},
                   false,
                   {"№ дела / материала: 7", kProgramLine, kMethodLine}}),
    CaseName());

// The method line says whether the program corrected the formulas, as the notes do.
TEST(Header, MethodFollowsTheNotes) {
    CalculationRecord corrected, plain;
    ComputeStopping({StoppingMode::SkidKnown, "0,8", "0,2", "0,3", "10", "6,8"}, &corrected);
    ComputeDashcam({"10", "20", "30", "10", "20", "40", "35"}, &plain);
    ASSERT_FALSE(corrected.notes.empty());
    ASSERT_TRUE(plain.notes.empty());
    EXPECT_NE(MethodLine(corrected).find("с поправками программы"), std::string::npos);
    EXPECT_NE(MethodLine(plain).find("без поправок программы"), std::string::npos);
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

bool HasStep(const CalculationRecord& record, std::string_view key) {
    for (const RecordStep& step : record.steps)
        if (step.key == key) return true;
    return false;
}

struct EarlyStopCase {
    const char* name;
    std::function<CalculationRecord()> compute;
    bool stopsEarly;
};

class EarlyStop : public testing::TestWithParam<EarlyStopCase> {};

// A speed of exactly j × t3 / 2 is used up while the deceleration rises (36 km/h = 10 m/s =
// 5 × 4 / 2): no full braking, no skid, the record says why and has no step for either. A
// hair faster, both are computed (and round to nearly nothing).
TEST_P(EarlyStop, LeavesNoSkidOrBrakingTimeAndSaysWhy) {
    const CalculationRecord record = GetParam().compute();
    const auto result = [&](std::string_view key) {
        for (const RecordValue& value : record.results)
            if (value.key == key) return value.text;
        ADD_FAILURE() << "no result " << key;
        return std::string();
    };
    const bool early = GetParam().stopsEarly;
    if (early) {
        EXPECT_EQ(result("skid_m"), "0");
        EXPECT_EQ(result("braking_time_s"), "0");
    }
    EXPECT_EQ(HasNote(record, kStopsEarly), early);
    EXPECT_EQ(HasNote(record, kSpeedInMetres), !early);
    EXPECT_EQ(HasStep(record, "skid_m"), !early);
    EXPECT_EQ(HasStep(record, "braking_time_s"), !early);
    ExpectStepsRecompute(record);
}

INSTANTIATE_TEST_SUITE_P(
    Boundary, EarlyStop,
    testing::Values(
        EarlyStopCase{
            "Stopping_36kmh_j5_t3_4",
            [] {
                return Recorded([](CalculationRecord* r) {
                    ComputeStopping({StoppingMode::SpeedKnown, "0,8", "0,2", "4", "36", "5"}, r);
                });
            },
            true},
        EarlyStopCase{
            "Stopping_36_01kmh_j5_t3_4",
            [] {
                return Recorded([](CalculationRecord* r) {
                    ComputeStopping({StoppingMode::SpeedKnown, "0,8", "0,2", "4", "36,01", "5"}, r);
                });
            },
            false},
        EarlyStopCase{"Loading_36kmh_j5_t3_4",
                      [] {
                          return Recorded([](CalculationRecord* r) {
                              ComputeLoadBraking({"1,28", "36", "0,8", "5", "4"}, r);
                          });
                      },
                      true},
        EarlyStopCase{"Loading_36_01kmh_j5_t3_4",
                      [] {
                          return Recorded([](CalculationRecord* r) {
                              ComputeLoadBraking({"1,28", "36,01", "0,8", "5", "4"}, r);
                          });
                      },
                      false}),
    CaseName());

// The steps of the text record, numbered from 1 in the order computed, each on a line of its
// own: name, formula, values and the value kept with its unit.
TEST(RecordText, NumbersTheStepsLineByLine) {
    CalculationRecord record;
    ComputeStopping({StoppingMode::SkidKnown, "0,8", "0,2", "0,3", "10", "6,8"}, &record);
    const std::string text = RecordText(record);
    const std::size_t from = text.find("\nРасчёт\n");
    const std::size_t to = text.find("\n\nРезультаты\n");
    ASSERT_NE(from, std::string::npos);
    ASSERT_NE(to, std::string::npos);
    EXPECT_EQ(
        text.substr(from, to - from + 1),
        "\nРасчёт\n"
        "  1. Время движения с начальной скоростью: t1 + t2 + t3 / 2 = 0,8 + 0,2 + 0,3 / 2 = "
        "1,15 с\n"
        "  2. Скорость в начале торможения: V = (j × t3 / 2 + √(2 × S × j)) × 3600 / 1000 = "
        "(6,8 × 0,3 / 2 + √(2 × 10 × 6,8)) × 3600 / 1000 = 45,6549 км/ч\n"
        "  3. Скорость в начале торможения, м/с: v = j × t3 / 2 + √(2 × S × j) = 6,8 × 0,3 / 2 "
        "+ √(2 × 10 × 6,8) = 12,6819 м/с\n"
        "  4. Остановочный путь: Sо = V² / (26 × j) + V / 3,6 × (t1 + t2 + t3 / 2) = "
        "(45,6549)² / (26 × 6,8) + 45,6549 / 3,6 × 1,15 = 26,3736 м\n"
        "  5. Время полного торможения: T = V / 3,6 / j − t3 / 2 = 45,6549 / 3,6 / 6,8 − 0,3 / 2 "
        "= 1,715 с\n");
}

// A step without a unit ends with its value; the numbers go on past nine.
TEST(RecordText, NumbersEveryStepOnce) {
    CalculationRecord record;
    record.title = "t";
    for (int i = 1; i <= 11; ++i)
        record.steps.push_back({"шаг " + std::to_string(i), "a", "1", std::to_string(i),
                                i % 2 ? "м" : "", "s" + std::to_string(i)});
    std::string expected = "\nРасчёт\n";
    for (int i = 1; i <= 11; ++i)
        expected += "  " + std::to_string(i) + ". шаг " + std::to_string(i) +
                    ": a = 1 = " + std::to_string(i) + (i % 2 ? " м" : "") + "\n";
    const std::string text = RecordText(record);
    EXPECT_NE(text.find(expected + "\nРезультаты\n"), std::string::npos) << text;
}

struct SourcesCase {
    const char* name;
    std::function<CalculationRecord()> compute;
    bool deceleration; // the deceleration is an input
    bool table;        // the coefficient came from the table
};

class RecordSources : public testing::TestWithParam<SourcesCase> {};

// After the corrections, the notes say where the values the program offers come from: the
// deceleration, for a record that has one as an input, and the table of coefficients, for one
// that looked its coefficient up. The text and the JSON show the same notes.
TEST_P(RecordSources, FollowTheCorrectionsInTheTextAndTheJson) {
    const CalculationRecord record = GetParam().compute();
    std::vector<std::string> expected = record.notes;
    if (GetParam().deceleration) expected.emplace_back(kDecelerationSource);
    if (GetParam().table) expected.emplace_back(kEfficiencyTableSource);
    EXPECT_EQ(RecordNotes(record), expected);

    const std::string text = RecordText(record);
    std::string section = expected.empty() ? "" : "\nПримечания\n";
    std::string json = "\"notes\": [";
    for (std::size_t i = 0; i < expected.size(); ++i) {
        section += "  – " + expected[i] + "\n";
        json += (i ? ", " : "") + JsonString(expected[i]);
    }
    if (expected.empty())
        EXPECT_EQ(text.find("\nПримечания\n"), std::string::npos) << text;
    else
        EXPECT_TRUE(text.ends_with(section)) << text;
    const std::string recordJson = RecordJson(record);
    EXPECT_EQ(recordJson.substr(recordJson.size() - json.size() - 2), json + "]}") << recordJson;
}

INSTANTIATE_TEST_SUITE_P(
    Calculations, RecordSources,
    testing::Values(
        SourcesCase{
            "StoppingSkidKnown",
            [] {
                return Recorded([](CalculationRecord* r) {
                    ComputeStopping({StoppingMode::SkidKnown, "0,8", "0,2", "0,3", "10", "6,8"}, r);
                });
            },
            true, false},
        SourcesCase{
            "StoppingStopsEarly",
            [] {
                return Recorded([](CalculationRecord* r) {
                    ComputeStopping({StoppingMode::SpeedKnown, "0,8", "0,2", "0,3", "0", "6,8"}, r);
                });
            },
            true, false},
        SourcesCase{"LoadingTypedCoefficient",
                    [] {
                        return Recorded([](CalculationRecord* r) {
                            ComputeLoadBraking({"1,28", "60", "0,8", "6,8", "0,3"}, r);
                        });
                    },
                    true, false},
        SourcesCase{"LoadingFromTheTable",
                    [] {
                        CalculationRecord record;
                        ComputeLoadBraking({"1,28", "60", "0,8", "6,8", "0,3"}, &record);
                        StartFromTable(record, 1, 1, "1,28");
                        return record;
                    },
                    true, true},
        SourcesCase{"Dashcam",
                    [] {
                        // By name, so that the case holds in whatever order the readings come.
                        DashcamInputs readings;
                        readings.startHours = readings.endHours = "10";
                        readings.startMinutes = readings.endMinutes = "20";
                        readings.startSeconds = "30";
                        readings.endSeconds = "40";
                        readings.distance = "35";
                        return Recorded(
                            [&readings](CalculationRecord* r) { ComputeDashcam(readings, r); });
                    },
                    false, false}),
    CaseName());

// The sources are no correction: a record with no corrections is still computed without any,
// and shows its notes all the same.
TEST(RecordSources, LeaveTheMethodAsTheCorrectionsSay) {
    CalculationRecord record;
    record.title = "t";
    record.inputs.push_back(
        {"Установившееся замедление, j", "6,8", "м/с²", "deceleration_ms2", "6,8"});
    EXPECT_EQ(MethodLine(record), "по формулам раздела «Расчёт», без поправок программы");
    EXPECT_NE(
        RecordText(record).find("\nПримечания\n  – " + std::string(kDecelerationSource) + "\n"),
        std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Calculations, RecordKeys,
    testing::Values(
        KeysCase{
            "StoppingSkidKnown",
            [] {
                return Recorded([](CalculationRecord* r) {
                    ComputeStopping({StoppingMode::SkidKnown, "0,8", "0,2", "0,3", "10", "6,8"}, r);
                });
            },
            {"reaction_s", "delay_s", "rise_s", "skid_m", "deceleration_ms2"},
            {"lag_s", "speed_kmh", "speed_ms", "stopping_distance_m", "braking_time_s"},
            {"speed_kmh", "speed_ms", "stopping_distance_m", "braking_time_s"}},
        KeysCase{"StoppingSpeedKnown",
                 [] {
                     return Recorded([](CalculationRecord* r) {
                         ComputeStopping(
                             {StoppingMode::SpeedKnown, "0,8", "0,2", "0,3", "60", "6,8"}, r);
                     });
                 },
                 {"reaction_s", "delay_s", "rise_s", "speed_kmh", "deceleration_ms2"},
                 {"lag_s", "speed_ms", "rise_loss_ms", "slowed_speed_ms", "skid_m",
                  "stopping_distance_m", "braking_time_s"},
                 {"skid_m", "speed_ms", "stopping_distance_m", "braking_time_s"}},
        KeysCase{"Loading",
                 [] {
                     return Recorded([](CalculationRecord* r) {
                         ComputeLoadBraking({"1,28", "60", "0,8", "6,8", "0,3"}, r);
                     });
                 },
                 {"coefficient", "speed_kmh", "adhesion", "deceleration_ms2", "rise_s"},
                 {"braking_distance_m", "speed_ms", "rise_loss_ms", "slowed_speed_ms",
                  "braking_time_s", "skid_m"},
                 {"speed_ms", "braking_distance_m", "braking_time_s", "skid_m"}},
        KeysCase{"Dashcam",
                 [] {
                     return Recorded([](CalculationRecord* r) {
                         ComputeDashcam({"10", "20", "30", "10", "20", "40,123", "35"}, r);
                     });
                 },
                 {"start_hours", "start_minutes", "start_seconds", "end_hours", "end_minutes",
                  "end_seconds", "distance_m"},
                 {"start_s", "end_s", "elapsed_s", "speed_kmh", "seconds_s"},
                 {"elapsed_hours", "elapsed_minutes", "elapsed_seconds", "speed_kmh"}}),
    CaseName());

struct TableCase {
    const char* name;
    int row, column;
    std::string group, category, load;
};

class RecordFromTable : public testing::TestWithParam<TableCase> {};

// A calculation from the table names the group, category and load of the cell it took the
// coefficient from, before the typed inputs, and the table cell as its first step.
TEST_P(RecordFromTable, NamesTheCellsGroupCategoryAndLoad) {
    const TableCase& c = GetParam();
    const std::string coefficient = *LookUpEfficiency(c.row, c.column);
    CalculationRecord record;
    ComputeLoadBraking({coefficient, "60", "0,8", "6,8", "0,3"}, &record);
    StartFromTable(record, c.row, c.column, coefficient);
    EXPECT_EQ(KeysOf(record.inputs),
              (std::vector<std::string>{"group", "category", "load", "coefficient", "speed_kmh",
                                        "adhesion", "deceleration_ms2", "rise_s"}));
    EXPECT_EQ(record.inputs[0].text, c.group);
    EXPECT_EQ(record.inputs[1].text, c.category);
    EXPECT_EQ(record.inputs[2].text, c.load);
    EXPECT_EQ(record.inputs[0].number, "");
    EXPECT_EQ(record.steps.front().key, "coefficient");
    EXPECT_EQ(record.steps.front().substituted,
              "таблица[" + std::to_string(c.row) + "; " + std::to_string(c.column) + "]");
    EXPECT_EQ(record.steps.front().value, coefficient);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, RecordFromTable,
    testing::Values(TableCase{"CarsUnloadedFirst", 1, 1,
                              "Легковые и автобусы одиночные и автопоезда", "легковые",
                              "Без нагрузки"},
                    TableCase{"BusHalfLoad", 2, 7, "Легковые и автобусы одиночные и автопоезда",
                              "автобусы и троллейбусы до 5 т", "С нагрузкой 50%"},
                    TableCase{"TruckHalfLoadLastColumn", 5, 10, "Грузовые одиночные",
                              "грузовые от 3,5 до 12 т", "С нагрузкой 50%"},
                    TableCase{"RoadTrainFullLoad", 9, 11, "Грузовые автопоезда с тягачами",
                              "грузовые свыше 12 т", "С полной нагрузкой"}),
    CaseName());

// Every row and column leads back to the choices that pick it.
TEST(RecordFromTable, RowsAndColumnsInvertTheChoices) {
    for (int r = 1; r <= kEfficiencyRows; ++r) {
        const RowCategory back = CategoryOfRow(r);
        EXPECT_EQ(RowForCategory(back.group, back.category), r);
    }
    for (LoadState load : {LoadState::Unloaded, LoadState::HalfLoad, LoadState::FullLoad})
        for (std::string_view adhesion : AdhesionTexts())
            EXPECT_EQ(LoadOfColumn(*ColumnForAdhesion(load, adhesion)), load) << adhesion;
}

// ---- The avoidance, impact and video calculations, with single values and with ranges ----

struct NewRecordCase {
    const char* name;
    std::function<std::vector<std::string>(CalculationRecord*)> compute; // the results returned
    std::vector<std::string> resultKeys;
};

class NewCalculationRecord : public testing::TestWithParam<NewRecordCase> {};

// Every step recomputes from the values it shows, a ranged step at each of its two corners; the
// results are those returned, under the documented keys; a verdict has no number but a JSON
// value of true, false or null, and a range has no value but its min and max.
TEST_P(NewCalculationRecord, RecomputesAndAgreesWithTheResults) {
    CalculationRecord record;
    const std::vector<std::string> returned = GetParam().compute(&record);
    ExpectStepsRecompute(record);
    EXPECT_EQ(KeysOf(record.results), GetParam().resultKeys);
    std::vector<std::string> texts;
    for (const RecordValue& value : record.results)
        texts.push_back(value.text);
    EXPECT_EQ(texts, returned);
    const std::string json = RecordJson(record);
    for (const RecordValue& value : record.results) {
        const std::string head = "{\"key\": " + JsonString(value.key);
        const std::size_t at = json.find(head);
        ASSERT_NE(at, std::string::npos) << value.key;
        const std::string item = json.substr(at, json.find('}', at) - at);
        if (value.verdict != Verdict::None) {
            EXPECT_TRUE(value.number.empty()) << value.key;
            const char* literal = value.verdict == Verdict::Holds   ? "\"value\": true"
                                  : value.verdict == Verdict::Fails ? "\"value\": false"
                                                                    : "\"value\": null";
            EXPECT_NE(item.find(literal), std::string::npos) << item;
        } else if (!value.low.empty()) {
            EXPECT_EQ(value.text, value.low + "…" + value.high);
            EXPECT_EQ(item.find("\"value\""), std::string::npos) << item;
            EXPECT_NE(item.find("\"min\": " + JsonNumber(value.low)), std::string::npos) << item;
        } else {
            EXPECT_EQ(value.number, value.text) << value.key;
        }
    }
    EXPECT_NE(MethodLine(record).find("методика"), std::string::npos) << MethodLine(record);
}

const std::vector<std::string> kPedestrianKeys = {"pedestrian_time_s", "distance_at_danger_m",
                                                  "stopping_distance_m", "critical_speed_kmh",
                                                  "avoidable"};
const std::vector<std::string> kPedestrianLimitKeys = {
    "pedestrian_time_s",   "distance_at_danger_m",
    "stopping_distance_m", "critical_speed_kmh",
    "avoidable",           "stopping_distance_at_limit_m",
    "avoidable_at_limit"};

std::vector<std::string> PedestrianTexts(const PedestrianResults& r) {
    std::vector<std::string> texts = {r.pedestrianTime, r.distanceAtDanger, r.stoppingDistance,
                                      r.criticalSpeed, r.avoidable.text};
    if (r.avoidableAtLimit) {
        texts.push_back(r.stoppingDistanceAtLimit);
        texts.push_back(r.avoidableAtLimit->text);
    }
    return texts;
}

NewRecordCase Pedestrian(const char* name, PedestrianInputs in) {
    const auto keys = in.limit.empty() ? kPedestrianKeys : kPedestrianLimitKeys;
    return {name, [in](CalculationRecord* r) { return PedestrianTexts(ComputePedestrian(in, r)); },
            keys};
}

NewRecordCase Obstacle(const char* name, ObstacleInputs in) {
    return {name,
            [in](CalculationRecord* r) {
                const ObstacleResults o = ComputeObstacle(in, r);
                return std::vector<std::string>{o.stoppingDistance, o.avoidable.text, o.safeSpeed};
            },
            {"stopping_distance_m", "avoidable", "safe_speed_kmh"}};
}

NewRecordCase Impact(const char* name, ImpactInputs in) {
    return {name,
            [in](CalculationRecord* r) {
                return std::vector<std::string>{ComputeImpact(in, r).impactSpeed};
            },
            {"impact_speed_kmh"}};
}

NewRecordCase Video(const char* name, VideoInputs in) {
    return {name,
            [in](CalculationRecord* r) {
                const VideoResults v = ComputeVideo(in, r);
                return std::vector<std::string>{v.elapsed, v.speed, v.speedRange};
            },
            {"elapsed_s", "speed_kmh", "speed_range_kmh"}};
}

INSTANTIATE_TEST_SUITE_P(
    Calculations, NewCalculationRecord,
    testing::Values(
        Pedestrian("Pedestrian", {"60", "0,8", "0,2", "0,3", "6,8", "3", "5"}),
        Pedestrian("Pedestrian_First", {"60", "0,8", "0,2", "0,3", "6,8", "1", "5"}),
        Pedestrian("Pedestrian_Limit", {"90", "0,8", "0,2", "0,35", "6,8", "3,3", "5,4", "60"}),
        Pedestrian("Pedestrian_Ranges",
                   {"40..70", "0,6..1,4", "0,2", "0,3", "5..6,8", "3", "4..6", "40..60"}),
        Obstacle("Obstacle", {"60", "0,8", "0,2", "0,3", "6,8", "40"}),
        Obstacle("Obstacle_Ranges", {"50..70", "0,8", "0,2", "0,3", "5..6,8", "35..40"}),
        Impact("Impact", {"67,5", "0,35", "6,8", "11,1"}),
        Impact("Impact_Ranges", {"65..70", "0,35", "6,8", "10..12"}),
        Video("Video", {"45", "30", "10"}),
        Video("Video_Ntsc_Ranges", {"44..46", "30000/1001", "9,5..10,5"})),
    CaseName());

// The record of a calculation over ranges lists each ranged input with both ends, and each step
// that differs between the corners twice, as its least and its greatest value.
TEST(RangeRecord, ShowsRangesAndBothCornersOfEachStep) {
    CalculationRecord record;
    const StoppingResults r = ComputeStoppingOverRanges(
        {StoppingMode::SkidKnown, "0,6..1,4", "0,2", "0,3", "10", "6,8"}, &record);
    EXPECT_EQ(r.speedOrSkid, "45,7");
    EXPECT_EQ(r.stoppingDistance, "23,8…34");
    ASSERT_EQ(record.inputs.size(), 5u);
    EXPECT_EQ(record.inputs[0].text, "0,6…1,4");
    EXPECT_EQ(record.inputs[0].low, "0,6");
    EXPECT_EQ(record.inputs[0].high, "1,4");
    EXPECT_EQ(record.inputs[0].number, "");
    EXPECT_EQ(record.inputs[1].number, "0,2");
    EXPECT_EQ(KeysOf(record.steps),
              (std::vector<std::string>{"lag_s_min", "lag_s_max", "speed_kmh", "speed_ms",
                                        "stopping_distance_m_min", "stopping_distance_m_max",
                                        "braking_time_s"}));
    ExpectStepsRecompute(record);
    const std::string text = RecordText(record);
    EXPECT_NE(text.find("Время реакции водителя, t1: 0,6…1,4 с\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Остановочный путь: 23,8…34 м\n"), std::string::npos) << text;
    EXPECT_NE(RecordJson(record).find("\"text\": \"0,6…1,4\", \"min\": 0.6, \"max\": 1.4}"),
              std::string::npos);
}

// Corners whose step differs in the last of a large value's nineteen digits, beyond what a
// double tells apart, still give the step twice, each corner with its own exact value.
TEST(RangeRecord, TellsCornersApartBeyondADoublesDigits) {
    CalculationRecord record;
    ComputeStoppingOverRanges(
        {StoppingMode::SpeedKnown, "10000000000000..10000000000000,0001", "0,2", "0,3", "0", "6,8"},
        &record);
    std::vector<std::string> lag;
    for (const RecordStep& step : record.steps)
        if (step.key.starts_with("lag_s")) lag.push_back(step.key + " " + step.value);
    EXPECT_EQ(lag, (std::vector<std::string>{"lag_s_min 10000000000000,35",
                                             "lag_s_max 10000000000000,3501"}));
}

// Without a range the record is the calculation's own, as it was before ranges.
TEST(RangeRecord, ASingleNumberStaysOne) {
    for (const StoppingMode mode : {StoppingMode::SkidKnown, StoppingMode::SpeedKnown}) {
        CalculationRecord plain, ranged;
        ComputeStopping({mode, "0.8", "0,2", "0,3", "10", "6,8"}, &plain);
        ComputeStoppingOverRanges({mode, "0.8", "0,2", "0,3", "10", "6,8"}, &ranged);
        EXPECT_EQ(RecordJson(plain), RecordJson(ranged));
    }
    CalculationRecord plain, ranged;
    ComputeLoadBraking({"1,28", "60", "0,8", "6,8", "0,3"}, &plain);
    ComputeLoadBrakingOverRanges({"1,28", "60", "0,8", "6,8", "0,3"}, &ranged);
    EXPECT_EQ(RecordJson(plain), RecordJson(ranged));
}

// An open verdict says at which values it turns; its JSON value is null.
TEST(RangeRecord, AnOpenVerdictSaysWhereItTurns) {
    CalculationRecord record;
    ComputePedestrian({"30..35", "1", "0", "0", "5", "1,9", "3,6"}, &record);
    const RecordValue& verdict = record.results[4];
    EXPECT_EQ(verdict.key, "avoidable");
    EXPECT_EQ(verdict.verdict, Verdict::Open);
    EXPECT_EQ(verdict.text,
              "Вывод зависит от значений в заданных пределах: при скорости автомобиля ниже "
              "32,5 км/ч водитель располагал технической возможностью предотвратить наезд путём "
              "своевременного применения экстренного торможения; при скорости 32,5 км/ч и выше — "
              "не располагал.");
    EXPECT_NE(RecordJson(record).find("\"key\": \"avoidable\", \"name\": \"Техническая "
                                      "возможность предотвратить наезд\", \"unit\": \"\", "
                                      "\"text\": \"Вывод зависит"),
              std::string::npos);
}

} // namespace

// A verdict's sentence reads as a paragraph under its name, where a number stands after its name
// on the same line.
TEST(RecordText, VerdictReadsAsAParagraph) {
    CalculationRecord record;
    const PedestrianResults results =
        ComputePedestrian({"55..65", "0,8", "0,2", "0,3", "6,8", "3", "5"}, &record);
    const std::string text = RecordText(record);
    EXPECT_NE(text.find("\n  Техническая возможность предотвратить наезд:\n    " +
                        results.avoidable.text + "\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\n  Остановочный путь: " + results.stoppingDistance + " м\n"),
              std::string::npos)
        << text;
}
