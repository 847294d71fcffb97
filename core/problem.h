#pragma once

#include <span>
#include <string>
#include <string_view>

#include "core/numeric_error.h"

// Why a calculation could not run, in words the user reads: the windows and the command line
// show the same sentence for the same failure.
namespace core {

// An input as the user sees it: its name ("Время реакции водителя") and the text given for it.
struct NamedInput {
    std::string_view name;
    std::string_view text;
};

// Completes "Расчёт невозможен: …", naming the input at fault where the error names one.
// `inputs` are in the order the calculation reads them, the order its errors count them in.
std::string ProblemText(const NumericError& error, std::span<const NamedInput> inputs);

} // namespace core
