// Seven lines: coefficient, speed, adhesion, deceleration and rise time for the braking
// distance, then the table row and column as the loading window keeps them in its captions.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "checks.h"
#include "core/loading.h"
#include "core/numeric.h"

using namespace core;

namespace {

void CheckBraking(std::string_view coefficient, const std::vector<std::string>& lines) {
    auto results = fuzz::RunTwice([&] {
        LoadBrakingResults r =
            ComputeLoadBraking({std::string(coefficient), lines[1], lines[2], lines[3], lines[4]});
        return std::vector<std::string>{r.speedMs, r.brakingDistance, r.brakingTime, r.skid};
    });
    if (!results.value) return;
    for (const std::string& text : *results.value)
        fuzz::RequireResultText(text, 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> lines = fuzz::Lines(data, size, 7);
    CheckBraking(lines[0], lines);

    auto row = fuzz::Run([&] { return ParseDouble(lines[5]); });
    auto column = fuzz::Run([&] { return ParseDouble(lines[6]); });
    if (!row.value || !column.value) return 0;
    auto coefficient = fuzz::RunTwice([&] { return LookUpEfficiency(*row.value, *column.value); });
    fuzz::Require(coefficient.value.has_value(),
                  "LookUpEfficiency failed instead of finding nothing");
    const std::optional<std::string>& text = *coefficient.value;
    if (!text) return 0;

    // Only a whole row and column inside the table find a cell, and its text reads back as it.
    double r = *row.value, c = *column.value;
    fuzz::Require(r == int(r) && c == int(c) && r >= 1 && r <= kEfficiencyRows && c >= 1 &&
                      c <= kEfficiencyColumns,
                  "a coefficient for a cell outside the table", *text);
    fuzz::RequireNumberText(*text);
    fuzz::Require(fuzz::Run([&] { return ParseDouble(*text); }).value ==
                      EfficiencyTable[int(r) - 1][int(c) - 1],
                  "a coefficient text that does not read back as the table's value", *text);
    // The window passes the coefficient text on to the braking distance.
    CheckBraking(*text, lines);
    return 0;
}
