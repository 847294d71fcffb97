#pragma once

#include <string>
#include <vector>

#include "cli/calculation.h"
#include "core/avoidance.h"
#include "core/inputs.h"

// What the calculations added for the expert's question share on the command line.
namespace cli {

// The texts given for the inputs, in the order the calculation reads them.
std::vector<std::string> TextsOf(const Values& values, core::InputList inputs);

// Whether an optional input is given: an empty field of a batch file leaves it out for its line.
bool Given(const Values& values, const core::InputDescriptor& input);

// A verdict in a column of a batch table: «да», «нет» or «зависит от значений»; the sentence is
// in the record and in the JSON.
std::string VerdictColumn(const core::Conclusion& conclusion);

// Help text on ranges, which every calculation but dashcam takes, and on verdicts.
extern const char* const kRangesHelp;
extern const char* const kVerdictHelp;

} // namespace cli
