#pragma once

#include <istream>
#include <string_view>

#include "cli/calculation.h"

namespace cli {

// How a batch writes its rows.
enum class BatchFormat {
    Table, // the input's columns again, led by `line` and followed by the results and `error`
    Json,  // one JSON object a line: `line`, `case` when one is given, and `results` or `error`
};

// Computes every line of a semicolon-separated file whose first line names the options. Options
// given on the command line (`defaults`) stand for columns the file does not have. Every row
// names the input line it comes from; a blank line makes no row. A refused or malformed line
// gets its reason, naming the line, and the run goes on. Writes through cli::Write. Returns
// whether every line was computed; raises UsageError for a header that cannot make a command.
bool RunBatch(const Calculation& calculation, std::istream& in, const Values& defaults,
              BatchFormat format);

} // namespace cli
