#pragma once

#include <string>

#include "cli/calculation.h"

namespace cli {

std::string GeneralHelp();
std::string CalculationHelp(const Calculation& calculation);

} // namespace cli
