#pragma once

#include <string>
#include <string_view>
#include <vector>

// The record of a calculation: how its results were obtained, for an expert's written opinion.
// The calculations fill it on the same code path as their results, so the two never disagree.
namespace core {

// An input as typed, or a result as shown, with its name and unit.
struct RecordValue {
    std::string name;   // "Время реакции водителя"
    std::string text;   // "0,8"
    std::string unit;   // "с"; "" for a dimensionless value
    std::string key;    // "reaction_s": stable, ASCII, unique within its list
    std::string number; // the value used, as a plain number text ("0,8"); "" for a text that
                        // is no number, such as a vehicle group
};

// One named step of a calculation: its formula, the same formula with the values it used, and
// the value it kept (with the decimals it kept: four for a fixed-point value).
struct RecordStep {
    std::string name;        // "Скорость в начале торможения"
    std::string formula;     // "V = (j × t3 / 2 + √(2 × S × j)) × 3600 / 1000"
    std::string substituted; // "(6,8 × 0,15 + √(2 × 10 × 6,8)) × 3600 / 1000"
    std::string value;       // "45,7188"
    std::string unit;        // "км/ч"
    std::string key;         // "speed_kmh": stable, ASCII, unique within the steps
};

struct CalculationRecord {
    std::string calculation; // "stopping", "loading", "dashcam"
    std::string title; // "Остановочный путь по длине тормозного следа"
    std::vector<RecordValue> inputs; // in the order the calculation reads them
    std::vector<RecordStep> steps;   // in the order they are computed
    std::vector<RecordValue> results;
    std::vector<std::string> notes; // the corrections the program made, where they applied
};

// The record as plain Russian text: title, inputs, steps, results, notes.
std::string RecordText(const CalculationRecord& record);

// The record as one JSON object: calculation, version (the program's), title, inputs, steps,
// results and notes. Every input, step and result has its key, name, unit, text as shown and
// value as a JSON number (an input that is no number has no value).
std::string RecordJson(const CalculationRecord& record, std::string_view version);

// A list of values as a JSON array, as RecordJson writes it.
std::string JsonValues(const std::vector<RecordValue>& values);

// A JSON string: quotes, backslashes and control characters escaped; UTF-8 as it is.
std::string JsonString(std::string_view text);

// A number text with a decimal comma ("-12,5", "1,5E-05") as a JSON number ("-12.5").
std::string JsonNumber(std::string_view text);

} // namespace core
