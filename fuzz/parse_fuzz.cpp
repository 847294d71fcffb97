// The whole input is one typed text, read by both parsers.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "checks.h"
#include "core/numeric.h"

using namespace core;

namespace {

// Decimals typed after the separator, blanks around the number aside.
std::size_t TypedDecimals(std::string_view text) {
    std::size_t last = text.find_last_not_of(' ');
    std::size_t separator = text.find_first_of(",.");
    if (last == std::string_view::npos || separator == std::string_view::npos) return 0;
    return last - separator;
}

// RoundDecimal of a Fixed4 keeps n decimals and moves the value by at most half their step.
void CheckRounding(Fixed4 value) {
    for (int n = 0; n <= 4; ++n) {
        auto rounded = fuzz::RunTwice([&] { return RoundDecimal(value, n); });
        if (!rounded.value) continue; // only next to the ends of the range
        std::int64_t step = 1;
        for (int i = n; i < 4; ++i)
            step *= 10;
        __int128 moved = __int128(rounded.value->units) - value.units;
        fuzz::Require(rounded.value->units % step == 0, "RoundDecimal left more decimals");
        fuzz::Require(2 * (moved < 0 ? -moved : moved) <= step, "RoundDecimal moved too far");
        fuzz::RequireFixedRoundTrip(*rounded.value);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    auto fixed = fuzz::RunTwice([&] { return ParseFixed4(text); });
    auto dbl = fuzz::RunTwice([&] { return ParseDouble(text); });

    // One grammar for both: a text one of them cannot read, the other cannot read either.
    bool fixedMistyped = fixed.error == NumericErrorKind::TypeMismatch;
    bool doubleMistyped = dbl.error == NumericErrorKind::TypeMismatch;
    fuzz::Require(fixedMistyped == doubleMistyped, "the two parsers disagree on the grammar");

    if (fixed.value) {
        fuzz::RequireFixedRoundTrip(*fixed.value);
        CheckRounding(*fixed.value);
        // Both read an exact decimal: the nearest double of the count over 10000.
        constexpr std::int64_t kExact = std::int64_t(1) << 53;
        bool exact = TypedDecimals(text) <= 4;
        if (exact && fixed.value->units >= -kExact && fixed.value->units <= kExact)
            fuzz::Require(dbl.value == ToDouble(*fixed.value), "the two parsers disagree");
    }
    if (dbl.value) {
        fuzz::Require(std::isfinite(*dbl.value), "ParseDouble gave an infinity or a NaN");
        fuzz::RequireDoubleRoundTrip(*dbl.value);
        for (int n = 0; n <= 4; ++n) {
            auto rounded = fuzz::RunTwice([&] { return RoundDecimal(*dbl.value, n); });
            if (rounded.value) fuzz::RequireDoubleRoundTrip(*rounded.value);
        }
    }
    return 0;
}
