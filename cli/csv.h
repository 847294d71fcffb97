#pragma once

#include <string>
#include <string_view>
#include <vector>

// Semicolon-separated lines as spreadsheets with a decimal comma write them: a field holding a
// semicolon, a quote or a line break is quoted, with its quotes doubled.
namespace cli {

struct CsvFields {
    std::vector<std::string> fields;
    bool unclosedQuote = false; // the line ended inside a quoted field
};
CsvFields SplitCsvLine(std::string_view line);
std::string JoinCsvLine(const std::vector<std::string>& fields);

} // namespace cli
