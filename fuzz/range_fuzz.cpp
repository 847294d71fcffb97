// The whole input is one typed text, read as one value or a range by each kind of input: a
// length, a deceleration, a frame count and a frame rate, which may be a fraction.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "checks.h"
#include "core/exact.h"
#include "core/range.h"

using namespace core;

namespace {

struct Read {
    std::string low, high, text;
    friend bool operator==(const Read&, const Read&) = default;
};

// What the program writes of a value reads back as the same value: a fraction's parts and a
// decimal are number texts.
void RequireReadsBack(const InputValue& value, const InputDescriptor& input) {
    for (const std::string& end : {value.lowText, value.highText}) {
        const std::size_t slash = end.find('/');
        if (slash == std::string::npos) {
            fuzz::RequireNumberText(end);
        } else {
            fuzz::RequireNumberText(std::string_view(end).substr(0, slash));
            fuzz::RequireNumberText(std::string_view(end).substr(slash + 1));
        }
    }
    auto again = fuzz::Run([&] { return ReadInputValue(value.Text(), 0, input); });
    fuzz::Require(again.value.has_value(), "the program's own text of a value is refused",
                  value.Text());
    fuzz::Require(again.value->low == value.low && again.value->high == value.high,
                  "the program's own text reads back as another value", value.Text());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const InputDescriptor* input :
         {&input::kSkid, &input::kDeceleration, &input::kFrames, &input::kFrameRate}) {
        auto value = fuzz::RunTwice([&] {
            const InputValue v = ReadInputValue(text, 2, *input);
            return Read{v.lowText, v.highText, v.Text()};
        });
        if (!value.value) continue;
        const InputValue read = ReadInputValue(text, 2, *input);
        fuzz::Require(read.low <= read.high, "a range whose lower end is above its upper end",
                      read.Text());
        fuzz::Require(read.IsRange() == (read.lowText != read.highText),
                      "a range's texts disagree with its values", read.Text());
        if (input->accepts != Accepts::NonNegative)
            fuzz::Require(read.low.Sign() > 0, "a value at or below zero was accepted",
                          read.Text());
        RequireReadsBack(read, *input);
        // A text with no separator is one value, the one ReadInput (or ReadRatio) reads.
        if (!SplitRange(text)) {
            fuzz::Require(!read.IsRange(), "one number read as a range", read.Text());
            if (input->accepts != Accepts::PositiveRatio)
                fuzz::Require(read.low == Exact::Of(ReadInput(text, 2, *input)),
                              "one number read otherwise than ReadInput reads it", read.Text());
        }
    }
    return 0;
}
