#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/fixed4.h"
#include "core/inputs.h"
#include "core/numeric.h"
#include "core/record.h"

// How the calculations write their records: beside each computed value, on the same path.
// Nothing is written when the caller asked for no record, and the caller's record changes only
// when the calculation succeeds.
namespace core {

// The corrections the program makes against the classic formulas, as the record states them.
inline constexpr std::string_view kSpeedInMetres =
    "Время полного торможения вычислено по скорости в м/с: T = V / 3,6 / j − t3 / 2.";
inline constexpr std::string_view kStopsEarly =
    "Автомобиль останавливается, пока замедление ещё нарастает: полного торможения нет, время "
    "полного торможения и длина тормозного следа равны 0.";

// A value as the record shows it: a fixed-point one with its four decimals as kept, a double
// with up to fifteen significant digits.
inline std::string Text(Fixed4 value) {
    return FormatFixed4(value);
}
inline std::string Text(double value) {
    return FormatDouble(value);
}

class RecordWriter {
public:
    RecordWriter(CalculationRecord* target, std::string calculation, std::string title)
        : target_(target) {
        record_.calculation = std::move(calculation);
        record_.title = std::move(title);
    }
    // Whether a record is being written: a step's texts cost more to make than its number, so
    // callers make them only then (`if (rec) rec.Step(…)`).
    explicit operator bool() const { return target_ != nullptr; }
    // An input as the calculation read it, in the record's own number format: a typed "0.8"
    // or " 0,80" stands as "0,8", the number the formulas show.
    void Input(const InputDescriptor& input, Fixed4 value) {
        if (target_) {
            std::string text = FormatFixed4(value);
            record_.inputs.push_back({std::string(input.name) + ", " + std::string(input.symbol),
                                      text, std::string(input.unit), std::string(input.key), text});
        }
    }
    // An input that is no fixed-point number, such as a frame rate of 30000/1001: its text as
    // read and its value as a plain number text.
    void Input(const InputDescriptor& input, const std::string& text, const std::string& number) {
        if (target_)
            record_.inputs.push_back({std::string(input.name) + ", " + std::string(input.symbol),
                                      text, std::string(input.unit), std::string(input.key),
                                      number});
    }
    // A fact among the inputs that no input descriptor holds: the file a video calculation read.
    void InputValue(RecordValue value) {
        if (target_) record_.inputs.push_back(std::move(value));
    }
    template <typename Value>
    void Step(std::string key, std::string name, std::string formula, std::string substituted,
              Value value, std::string unit) {
        if (target_)
            record_.steps.push_back({std::move(name), std::move(formula), std::move(substituted),
                                     Text(value), std::move(unit), std::move(key)});
    }
    // A result as shown, which is its value too.
    void Result(std::string_view key, std::string_view name, const std::string& text,
                std::string_view unit) {
        if (target_)
            record_.results.push_back(
                {std::string(name), text, std::string(unit), std::string(key), text});
    }
    // A result that is more than a number: a range, or a verdict with its sentence.
    void Value(RecordValue value) {
        if (target_) record_.results.push_back(std::move(value));
    }
    // The methodology the calculation follows, for the record's method line.
    void Methodology(std::string_view methodology) {
        if (target_) record_.methodology = methodology;
    }
    void Note(std::string_view note) {
        if (!target_) return;
        for (const std::string& n : record_.notes)
            if (n == note) return;
        record_.notes.emplace_back(note);
    }
    // Reads every input in order (ReadInput), then writes them all as read.
    template <std::size_t N>
    std::array<Fixed4, N> ReadInputs(const std::array<std::string_view, N>& texts,
                                     InputList inputs) {
        std::array<Fixed4, N> values;
        for (std::size_t i = 0; i < N; ++i)
            values[i] = ReadInput(texts[i], static_cast<int>(i), *inputs[i]);
        for (std::size_t i = 0; i < N; ++i)
            Input(*inputs[i], values[i]);
        return values;
    }
    // The calculation succeeded: the caller gets its record.
    void Finish() {
        if (target_) *target_ = std::move(record_);
    }

private:
    CalculationRecord* target_;
    CalculationRecord record_;
};

} // namespace core
