#include "core/range.h"

#include <algorithm>
#include <charconv>

#include "core/numeric.h"

namespace core {
namespace {

// A step's value as a number, to order the corners by: a fixed-point text or a double's,
// exponent form included.
double StepNumber(const std::string& text) {
    std::string plain = text;
    std::replace(plain.begin(), plain.end(), ',', '.');
    double value = 0;
    std::from_chars(plain.data(), plain.data() + plain.size(), value);
    return value;
}

// The value of a fixed-point step text (four decimals at most, no exponent), exactly; nothing
// for a double's text.
std::optional<Fixed4> StepFixed4(const std::string& text) {
    const std::size_t comma = text.find(',');
    if (text.find('E') != std::string::npos ||
        (comma != std::string::npos && text.size() - comma - 1 > 4))
        return std::nullopt;
    try {
        return ParseFixed4(text);
    } catch (const NumericError&) {
        return std::nullopt;
    }
}

// Whether step value a is below b: exactly for two fixed-point values, which a double tells
// apart only to about sixteen of their nineteen digits (numeric.h); as doubles otherwise.
bool StepBelow(const std::string& a, const std::string& b) {
    const std::optional<Fixed4> x = StepFixed4(a), y = StepFixed4(b);
    if (x && y) return x->units < y->units;
    return StepNumber(a) < StepNumber(b);
}

std::string NameWithSymbol(const InputDescriptor& input) {
    return input.symbol.empty() ? std::string(input.name)
                                : std::string(input.name) + ", " + std::string(input.symbol);
}

RecordValue RangeValue(const RecordValue& like, Fixed4 low, Fixed4 high) {
    RecordValue value = like;
    value.low.clear();
    value.high.clear();
    if (low == high) {
        value.text = value.number = FormatFixed4(low);
        return value;
    }
    value.low = FormatFixed4(low);
    value.high = FormatFixed4(high);
    value.text = RangeText(value.low, value.high);
    value.number.clear();
    return value;
}

// A result over the corners: the least and the greatest value shown, each result rounded as
// a single calculation rounds it; for a result that is a range itself, its outer ends.
RecordValue MergeResult(const std::vector<const RecordValue*>& found) {
    Fixed4 low{}, high{};
    for (std::size_t i = 0; i < found.size(); ++i) {
        const RecordValue& v = *found[i];
        const Fixed4 a = ParseFixed4(v.low.empty() ? v.text : v.low);
        const Fixed4 b = ParseFixed4(v.high.empty() ? v.text : v.high);
        if (i == 0 || a.units < low.units) low = a;
        if (i == 0 || b.units > high.units) high = b;
    }
    return RangeValue(*found.front(), low, high);
}

template <typename Item>
const Item* FindKey(const std::vector<Item>& items, const std::string& key) {
    for (const Item& item : items)
        if (item.key == key) return &item;
    return nullptr;
}

} // namespace

std::optional<RangeEnds> SplitRange(std::string_view text) {
    std::size_t at = std::string_view::npos, length = 0;
    for (std::string_view separator : kRangeSeparators) {
        const std::size_t found = text.find(separator);
        if (found < at) {
            at = found;
            length = separator.size();
        }
    }
    if (at == std::string_view::npos) return std::nullopt;
    return RangeEnds{text.substr(0, at), text.substr(at + length)};
}

std::string RangeText(std::string_view low, std::string_view high) {
    if (low == high) return std::string(low);
    return std::string(low) + std::string(kRangeMark) + std::string(high);
}

Exact ReadRatio(std::string_view text, int index, const InputDescriptor& input,
                std::string* shown) {
    const std::size_t slash = text.find('/');
    if (slash == std::string_view::npos) {
        const Fixed4 value = ReadInput(text, index, input);
        if (shown) *shown = FormatFixed4(value);
        return Exact::Of(value);
    }
    const std::string_view numeratorText = text.substr(0, slash);
    const std::string_view denominatorText = text.substr(slash + 1);
    const Fixed4 numerator = ReadInput(numeratorText, index, input);
    // A denominator of zero makes no number; anything else is read as the numerator is.
    try {
        if (ParseFixed4(denominatorText).units == 0 &&
            denominatorText.find_first_of("123456789") == std::string_view::npos)
            throw NumericError(NumericErrorKind::TypeMismatch, index);
    } catch (const NumericError& error) {
        throw NumericError(error.kind(), index);
    }
    const Fixed4 denominator = ReadInput(denominatorText, index, input);
    if (shown) *shown = FormatFixed4(numerator) + "/" + FormatFixed4(denominator);
    return Exact::Of(numerator) / Exact::Of(denominator);
}

InputValue ReadInputValue(std::string_view text, int index, const InputDescriptor& input) {
    const auto readEnd = [&](std::string_view end, std::string& shown, std::string& number) {
        if (input.accepts == Accepts::PositiveRatio) {
            const Exact value = ReadRatio(end, index, input, &shown);
            number = shown.find('/') == std::string::npos ? shown : FormatDouble(ToDouble(value));
            return value;
        }
        const Fixed4 value = ReadInput(end, index, input);
        shown = number = FormatFixed4(value);
        return Exact::Of(value);
    };
    InputValue value;
    const std::optional<RangeEnds> ends = SplitRange(text);
    value.low = readEnd(ends ? ends->low : text, value.lowText, value.lowNumber);
    if (!ends) {
        value.high = value.low;
        value.highText = value.lowText;
        value.highNumber = value.lowNumber;
        return value;
    }
    value.high = readEnd(ends->high, value.highText, value.highNumber);
    if (value.high < value.low) throw NumericError(NumericErrorKind::ReversedRange, index);
    if (!value.IsRange()) {
        value.highText = value.lowText;
        value.highNumber = value.lowNumber;
    }
    return value;
}

std::vector<InputValue> ReadInputValues(std::span<const std::string> texts, InputList inputs) {
    std::vector<InputValue> values;
    for (std::size_t i = 0; i < inputs.size(); ++i)
        values.push_back(ReadInputValue(texts[i], static_cast<int>(i), *inputs[i]));
    return values;
}

RecordValue InputRecord(const InputDescriptor& input, const InputValue& value) {
    RecordValue record{NameWithSymbol(input), value.Text(), std::string(input.unit),
                       std::string(input.key), value.lowNumber};
    if (value.IsRange()) {
        record.number.clear();
        record.low = value.lowNumber;
        record.high = value.highNumber;
    }
    return record;
}

CalculationRecord MergeCorners(std::vector<CalculationRecord> corners,
                               std::span<const InputValue> values, InputList inputs) {
    if (corners.size() == 1) return std::move(corners.front());
    CalculationRecord merged;
    const CalculationRecord& first = corners.front();
    merged.calculation = first.calculation;
    merged.title = first.title;
    merged.methodology = first.methodology;
    for (std::size_t i = 0; i < inputs.size(); ++i)
        merged.inputs.push_back(InputRecord(*inputs[i], values[i]));

    // Keys in the order they first appear: a step some corners skip keeps its place.
    std::vector<std::string> stepKeys, resultKeys;
    for (const CalculationRecord& corner : corners) {
        for (const RecordStep& step : corner.steps)
            if (std::find(stepKeys.begin(), stepKeys.end(), step.key) == stepKeys.end())
                stepKeys.push_back(step.key);
        for (const RecordValue& result : corner.results)
            if (std::find(resultKeys.begin(), resultKeys.end(), result.key) == resultKeys.end())
                resultKeys.push_back(result.key);
        for (const std::string& note : corner.notes)
            if (std::find(merged.notes.begin(), merged.notes.end(), note) == merged.notes.end())
                merged.notes.push_back(note);
    }
    for (const std::string& key : stepKeys) {
        const RecordStep *least = nullptr, *greatest = nullptr;
        for (const CalculationRecord& corner : corners) {
            const RecordStep* step = FindKey(corner.steps, key);
            if (!step) continue;
            if (!least || StepBelow(step->value, least->value)) least = step;
            if (!greatest || StepBelow(greatest->value, step->value)) greatest = step;
        }
        if (least->value == greatest->value) {
            merged.steps.push_back(*least);
            continue;
        }
        RecordStep low = *least, high = *greatest;
        low.key += "_min";
        low.name += " — наименьшее значение";
        high.key += "_max";
        high.name += " — наибольшее значение";
        merged.steps.push_back(std::move(low));
        merged.steps.push_back(std::move(high));
    }
    for (const std::string& key : resultKeys) {
        std::vector<const RecordValue*> found;
        for (const CalculationRecord& corner : corners)
            if (const RecordValue* result = FindKey(corner.results, key)) found.push_back(result);
        merged.results.push_back(MergeResult(found));
    }
    return merged;
}

} // namespace core
