#pragma once

#include <span>
#include <string>
#include <string_view>

#include "cli/calculation.h"
#include "core/numeric_error.h"

namespace cli {

// An input of a calculation as given, in the order the calculation reads its inputs.
struct GivenInput {
    std::string_view option;
    std::string_view caption;
    std::string_view text;
};

// Why the calculation failed, naming the input at fault as the windows do where the error
// names one.
Refusal InputProblem(const core::NumericError& error, std::span<const GivenInput> inputs);

// «значение «caption»» followed by `what`.
Refusal Refuse(const GivenInput& input, std::string_view what);

} // namespace cli
