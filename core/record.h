#pragma once

#include <string>
#include <vector>

// The record of a calculation: how its results were obtained, for an expert's written opinion.
// The calculations fill it on the same code path as their results, so the two never disagree.
namespace core {

// An input as typed, or a result as shown, with its name and unit.
struct RecordValue {
    std::string name; // "Время реакции водителя"
    std::string text; // "0,8"
    std::string unit; // "с"; "" for a dimensionless value
};

// One named step of a calculation: its formula, the same formula with the values it used, and
// the value it kept (with the decimals it kept: four for a fixed-point value).
struct RecordStep {
    std::string name;        // "Скорость в начале торможения"
    std::string formula;     // "V = (j × t3 / 2 + √(2 × S × j)) × 3600 / 1000"
    std::string substituted; // "(6,8 × 0,15 + √(2 × 10 × 6,8)) × 3600 / 1000"
    std::string value;       // "45,7188"
    std::string unit;        // "км/ч"
};

struct CalculationRecord {
    std::string title; // "Остановочный путь по длине тормозного следа"
    std::vector<RecordValue> inputs; // in the order the calculation reads them
    std::vector<RecordStep> steps;   // in the order they are computed
    std::vector<RecordValue> results;
    std::vector<std::string> notes; // the corrections the program made, where they applied
};

// The record as plain Russian text: title, inputs, steps, results, notes.
std::string RecordText(const CalculationRecord& record);

// The record as a JSON object with the members title, inputs, steps, results and notes.
std::string RecordJson(const CalculationRecord& record);

} // namespace core
