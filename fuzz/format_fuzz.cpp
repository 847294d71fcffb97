// The input's bytes as raw values: the first eight as a Fixed4 count and as a double (every
// bit pattern, infinities and NaNs included), the ninth as a count of decimals, the first two
// as a 16-bit integer.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "checks.h"
#include "core/numeric.h"

using namespace core;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::uint8_t bytes[9] = {};
    if (size > 0) std::memcpy(bytes, data, size < sizeof bytes ? size : sizeof bytes);
    std::int64_t units = 0;
    double value = 0;
    std::int16_t small = 0;
    std::memcpy(&units, bytes, sizeof units);
    std::memcpy(&value, bytes, sizeof value);
    std::memcpy(&small, bytes, sizeof small);
    int decimals = static_cast<std::int8_t>(bytes[8]); // mostly outside 0..4: those must fail

    Fixed4 fixed = Fixed4::FromUnits(units);
    fuzz::RequireFixedRoundTrip(fixed);
    auto rounded = fuzz::RunTwice([&] { return RoundDecimal(fixed, decimals); });
    if (rounded.value) {
        fuzz::Require(decimals >= 0 && decimals <= 4, "RoundDecimal took decimals outside 0..4");
        fuzz::RequireFixedRoundTrip(*rounded.value);
    }

    double asDouble = ToDouble(fixed);
    fuzz::Require(std::isfinite(asDouble), "ToDouble gave an infinity or a NaN");
    fuzz::RequireDoubleRoundTrip(asDouble);

    fuzz::RequireDoubleRoundTrip(value);
    auto roundedDouble = fuzz::RunTwice([&] { return RoundDecimal(value, decimals); });
    if (roundedDouble.value) {
        fuzz::Require(decimals >= 0 && decimals <= 4, "RoundDecimal took decimals outside 0..4");
        fuzz::RequireDoubleRoundTrip(*roundedDouble.value);
    }
    auto toFixed = fuzz::RunTwice([&] { return ToFixed4(value); });
    if (toFixed.value) fuzz::RequireFixedRoundTrip(*toFixed.value);
    fuzz::Require(toFixed.value || !std::isfinite(value) || std::fabs(value) >= 9e14,
                  "ToFixed4 refused a value inside the range");

    // Captions hold small integers written by FormatInteger and read back by ParseDouble.
    std::string integer = FormatInteger(small);
    fuzz::RequireNumberText(integer);
    fuzz::Require(integer.find_first_of(",E") == std::string::npos, "FormatInteger: not digits");
    fuzz::Require(fuzz::Run([&] { return ParseDouble(integer); }).value == double(small),
                  "ParseDouble does not read FormatInteger's text back", integer);
    return 0;
}
