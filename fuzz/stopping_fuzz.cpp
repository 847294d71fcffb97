// Six lines: reaction time, brake-drive delay, rise time, skid length or speed, deceleration,
// and the speed at an impact (empty for none); every input is computed in both modes, as
// typed and read as ranges ("0,6..1,4").
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "checks.h"
#include "core/stopping.h"

using namespace core;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> lines = fuzz::Lines(data, size, 6);
    for (StoppingMode mode : {StoppingMode::SkidKnown, StoppingMode::SpeedKnown}) {
        const StoppingInputs in{mode, lines[0], lines[1], lines[2], lines[3], lines[4], lines[5]};
        auto results = fuzz::RunTwice([&] {
            StoppingResults r = ComputeStopping(in);
            return std::vector<std::string>{r.speedOrSkid, r.speedMs, r.stoppingDistance,
                                            r.brakingTime};
        });
        if (results.value)
            for (const std::string& text : *results.value)
                fuzz::RequireResultText(text, 1);
        // Over ranges: a single number gives what the calculation gives; a range, ranges.
        auto ranged = fuzz::RunTwice([&] {
            StoppingResults r = ComputeStoppingOverRanges(in);
            return std::vector<std::string>{r.speedOrSkid, r.speedMs, r.stoppingDistance,
                                            r.brakingTime};
        });
        if (!ranged.value) continue;
        for (const std::string& text : *ranged.value)
            fuzz::RequireRangeText(text, 1);
        if (results.value)
            fuzz::Require(*results.value == *ranged.value,
                          "the same single values gave other results over ranges");
    }
    return 0;
}
