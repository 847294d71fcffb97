#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/exact.h"
#include "core/inputs.h"
#include "core/record.h"

// Inputs given as one value or as a range of values, and a calculation over ranges: run at
// every corner of the box the ranges span, its results are the least and greatest values
// found there.
namespace core {

// What separates the two ends of a range: two points on the command line, the ellipsis the
// program writes, and the en dash of a typed document.
inline constexpr std::array<std::string_view, 3> kRangeSeparators = {"..", "…", "–"};
// A range as the program writes it: "0,6…1,4".
inline constexpr std::string_view kRangeMark = "…";

// The two ends of a range text as typed; nothing for a text with no separator.
struct RangeEnds {
    std::string_view low, high;
};
std::optional<RangeEnds> SplitRange(std::string_view text);

// "0,6…1,4", or the one end when the two are the same text.
std::string RangeText(std::string_view low, std::string_view high);

// An input as read: one value, or the two ends of a range, each exactly, as the program writes
// it ("0,8", "30000/1001") and as a plain number ("0,8", "29,97002997003").
struct InputValue {
    Exact low, high;
    std::string lowText, highText;
    std::string lowNumber, highNumber;
    bool IsRange() const { return low != high; }
    std::string Text() const { return IsRange() ? RangeText(lowText, highText) : lowText; }
};

// A frame rate: a decimal ("29,97") or a fraction of two decimals ("30000/1001"), exactly.
// Each part reads as ReadInput reads a number; a zero denominator is no number
// (TypeMismatch), and the rate must be above zero (OutOfRange). `shown` gets the text as the
// program writes it.
Exact ReadRatio(std::string_view text, int index, const InputDescriptor& input,
                std::string* shown = nullptr);

// One value, or a range of two, for the input: each end as ReadInput (or ReadRatio for a
// ratio input) reads it, raising NumericError with `index` as its input(); ReversedRange when
// the lower end is above the upper one.
InputValue ReadInputValue(std::string_view text, int index, const InputDescriptor& input);

// Reads every input in order, so that the first one at fault is the one named.
std::vector<InputValue> ReadInputValues(std::span<const std::string> texts, InputList inputs);

// The input as a record lists it: its range as "0,6…1,4" with both ends, or its one value.
RecordValue InputRecord(const InputDescriptor& input, const InputValue& value);

// Calls point(texts) once for every corner of the box the inputs span: every ranged input at
// its lower or its upper end, every single one at its value, as texts the calculation reads.
// Each formula of the calculations is monotone in each of its inputs, so the least and the
// greatest value of each result over the whole box are found at its corners; without a range
// there is the one corner, the inputs as given. (The one exception, the stopping distance of a
// skid that ended in an impact, searches j's range besides: ComputeStoppingOverRanges.)
template <typename Point> void ForEachCorner(std::span<const InputValue> inputs, Point&& point) {
    std::vector<std::size_t> ranged;
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        texts.push_back(inputs[i].lowText);
        if (inputs[i].IsRange()) ranged.push_back(i);
    }
    for (std::size_t corner = 0; corner < (std::size_t(1) << ranged.size()); ++corner) {
        for (std::size_t r = 0; r < ranged.size(); ++r) {
            const InputValue& value = inputs[ranged[r]];
            texts[ranged[r]] = (corner >> r) & 1 ? value.highText : value.lowText;
        }
        point(std::as_const(texts));
    }
}

// The record of a calculation over ranges, from the records its corners made (at least one):
// the inputs as `values` give them; each step once where every corner kept the same value,
// otherwise twice, as the corner of its least value and the corner of its greatest
// (`_min`, `_max`), each with its own values substituted; each result as the range of its
// values (a result that is itself a range, from the least of its lower ends to the greatest of
// its upper ends); the notes of every corner. With one corner, its record as it is.
CalculationRecord MergeCorners(std::vector<CalculationRecord> corners,
                               std::span<const InputValue> values, InputList inputs);

} // namespace core
