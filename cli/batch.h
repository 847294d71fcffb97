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

// Computes every record of a semicolon-separated file (cli/csv.h) whose first line names the
// options; the file is UTF-8, marked or not, or Windows-1251, and the output UTF-8. Options
// given on the command line (`defaults`) stand for columns the file does not have; an option
// given as a column too is refused. Every row names the input line it comes from; a blank line
// makes no row. A refused or malformed record gets its reason, naming the line, and the run goes
// on. Writes through cli::Write. Returns whether every record was computed; raises UsageError
// for a file that is neither encoding and for a header that cannot make a command.
bool RunBatch(const Calculation& calculation, std::istream& in, const Values& defaults,
              BatchFormat format);

} // namespace cli
