#pragma once

#include <span>
#include <string>
#include <string_view>

#include "cli/calculation.h"
#include "core/inputs.h"
#include "core/numeric_error.h"

namespace cli {

// Why the calculation failed, naming the option of the input at fault where the error names
// one. `inputs` and `texts` are the calculation's inputs and what was given for each, in the
// order the calculation reads them.
Refusal InputProblem(const core::NumericError& error, core::InputList inputs,
                     std::span<const std::string> texts);

// «значение «name»» followed by `what`, for the input's option.
Refusal Refuse(const core::InputDescriptor& input, std::string_view what);

// The option of an input, as the help lists it: its name, and its unit or, for a number
// without one, its symbol.
Option OptionOf(const core::InputDescriptor& input);

} // namespace cli
