// Seven lines: end hours, minutes, seconds; start hours, minutes, seconds; distance.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "checks.h"
#include "core/dashcam.h"
#include "core/numeric.h"

using namespace core;

namespace {

// DashcamSpeed without an operator==, for comparing two runs.
struct Speed {
    double hours, speed;
    std::string hoursText, speedText;
    friend bool operator==(const Speed&, const Speed&) = default;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> lines = fuzz::Lines(data, size, 7);
    DashcamReadings in{lines[0], lines[1], lines[2], lines[3], lines[4], lines[5], lines[6]};
    auto result = fuzz::RunTwice([&] {
        DashcamSpeed r = ComputeDashcamSpeed(in);
        return Speed{r.hours, r.speed, r.hoursText, r.speedText};
    });
    if (!result.value) return 0;
    const Speed& r = *result.value;
    fuzz::Require(std::isfinite(r.hours) && std::isfinite(r.speed),
                  "an infinity or a NaN among the results");
    fuzz::RequireNumberText(r.hoursText);
    fuzz::RequireNumberText(r.speedText);
    // The time is shown in full and the speed to two decimals, both as FormatDouble writes them.
    fuzz::Require(r.hoursText == FormatDouble(r.hours), "the time text is not the time");
    fuzz::Require(r.speedText == FormatDouble(RoundDecimal(r.speed, 2)),
                  "the speed text is not the rounded speed");
    fuzz::RequireDoubleRoundTrip(r.hours);
    return 0;
}
