// Five lines: reaction time, brake-drive delay, rise time, skid length or speed, deceleration;
// every input is computed in both modes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "checks.h"
#include "core/stopping.h"

using namespace core;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> lines = fuzz::Lines(data, size, 5);
    StoppingInputs in{lines[0], lines[1], lines[2], lines[3], lines[4]};
    for (StoppingMode mode : {StoppingMode::SkidKnown, StoppingMode::SpeedKnown}) {
        auto results = fuzz::RunTwice([&] {
            StoppingResults r = ComputeStopping(in, mode);
            return std::vector<std::string>{r.first, r.speedMs, r.distance, r.time};
        });
        if (!results.value) continue;
        for (const std::string& text : *results.value)
            fuzz::RequireResultText(text, 1);
    }
    return 0;
}
