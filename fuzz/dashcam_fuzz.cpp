// Seven lines: start hours, minutes, seconds; end hours, minutes, seconds; distance.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "checks.h"
#include "core/dashcam.h"
#include "core/numeric.h"

using namespace core;

namespace {

// DashcamResults without an operator==, for comparing two runs.
struct Speed {
    std::int64_t elapsed, speed;
    std::string elapsedText, speedText;
    friend bool operator==(const Speed&, const Speed&) = default;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> lines = fuzz::Lines(data, size, 7);
    DashcamInputs in{lines[0], lines[1], lines[2], lines[3], lines[4], lines[5], lines[6]};
    auto result = fuzz::RunTwice([&] {
        DashcamResults r = ComputeDashcam(in);
        return Speed{r.elapsed.units, r.speed.units, r.elapsedText, r.speedText};
    });
    if (!result.value) return 0;
    const Speed& r = *result.value;
    // Only readings a clock shows are taken: whole hours from 0 to 23 (to 24 at the end), whole
    // minutes below 60, seconds below 60.
    constexpr struct {
        std::int64_t below;
        bool whole;
    } kClock[] = {{24, true}, {60, true}, {60, false}, {25, true}, {60, true}, {60, false}};
    for (std::size_t i = 0; i < std::size(kClock); ++i) {
        const Fixed4 part = ParseFixed4(lines[i]);
        fuzz::Require(part.units >= 0 && part.units < kClock[i].below * Fixed4::kScale &&
                          (!kClock[i].whole || part.units % Fixed4::kScale == 0),
                      "a reading no clock shows was taken", lines[i]);
    }
    fuzz::Require(r.elapsed > 0, "a time that is not after the start was computed");
    fuzz::Require(r.speed >= 0, "a negative speed");
    fuzz::Require(r.speed % 100 == 0, "a speed with more than two decimals");
    fuzz::RequireNumberText(r.elapsedText);
    fuzz::RequireNumberText(r.speedText);
    fuzz::Require(r.elapsedText == FormatFixed4(Fixed4::FromUnits(r.elapsed)),
                  "the time text is not the time");
    fuzz::Require(r.speedText == FormatFixed4(Fixed4::FromUnits(r.speed)),
                  "the speed text is not the speed");
    // The speed is 3,6 · D / E to the nearest hundredth, D as read (to four decimals): a double
    // recomputation lands within half a hundredth, give or take its own rounding.
    const double expected = 3.6 * ToDouble(ParseFixed4(in.distance)) / (r.elapsed / 10000.0);
    const double speed = r.speed / 10000.0;
    fuzz::Require(std::abs(speed - expected) <= 0.005 + 1e-9 * std::abs(expected),
                  "the speed is not 3,6 · D / E", r.speedText);
    // The shown split adds up to the exact time, with minutes and seconds below 60.
    const std::string shown = ShownSeconds(r.elapsedText);
    fuzz::Require(shown == r.elapsedText, "the time shown is not the time", shown);
    const UnitSplit hours = SplitSeconds(shown, 3600);
    const UnitSplit minutes = SplitSeconds(hours.rest, 60);
    const Fixed4 m = ParseFixed4(minutes.whole);
    const Fixed4 s = ParseFixed4(minutes.rest);
    fuzz::Require(m.units >= 0 && m.units < 60 * 10000 && s.units >= 0 && s.units < 60 * 10000,
                  "minutes or seconds outside 0..59", shown);
    const Fixed4 total =
        AddFixed4(AddFixed4(MulFixed4Int(3600, ParseFixed4(hours.whole)), MulFixed4Int(60, m)), s);
    fuzz::Require(FormatFixed4(total) == shown, "the split does not add up", shown);
    return 0;
}
