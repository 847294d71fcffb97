#pragma once

#include <istream>
#include <ostream>

#include "cli/calculation.h"

namespace cli {

// Computes every line of a semicolon-separated file whose first line names the options, and
// writes each line again with the result columns and an `error` column added. Options given on
// the command line (`defaults`) stand for columns the file does not have. A refused line gets
// its reason in `error` and the run goes on. Returns whether every line was computed; raises
// UsageError for a header that cannot make a command.
bool RunBatch(const Calculation& calculation, std::istream& in, std::ostream& out,
              const Values& defaults);

} // namespace cli
