#pragma once

#include <cstdint>

namespace core {

// A decimal number with four decimals, held exactly as a count of ten-thousandths.
struct Fixed4 {
    std::int64_t units = 0;

    static constexpr std::int64_t kScale = 10000;
    static constexpr Fixed4 FromUnits(std::int64_t u) { return Fixed4{u}; }
    friend constexpr bool operator==(Fixed4, Fixed4) = default;
};

} // namespace core
