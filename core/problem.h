#pragma once

#include <span>
#include <string>
#include <string_view>

#include "core/inputs.h"
#include "core/numeric_error.h"

// Why a calculation could not run, in words the user reads: the windows and the command line
// show the same sentence for the same failure.
namespace core {

// Completes "Расчёт невозможен: …", naming the input at fault where the error names one.
// `inputs` are the calculation's, in the order it reads them, and `texts` what was given for
// each, in the same order.
std::string ProblemText(const NumericError& error, InputList inputs,
                        std::span<const std::string> texts);

} // namespace core
