#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Semicolon-separated files as spreadsheets with a decimal comma write them: the rules of
// RFC 4180 with «;» for the comma. A field in quotes may hold semicolons, doubled quotes and
// line breaks; a quote inside a field that does not start with one is an ordinary character.
namespace cli {

// One record of the file: usually one line, more when a quoted field holds a line break.
struct CsvRecord {
    std::vector<std::string> fields;
    std::string_view text;      // as written, without its line end
    std::size_t line = 0;       // the line of the file it starts on, from 1
    bool unclosedQuote = false; // a quote opened and never closed: the record ends with the line
                                // the quote opened on, and its last field is the rest of that line
    bool Blank() const;         // nothing but spaces and tabs
};

// Reads the records of a whole text, one at a time.
class CsvReader {
public:
    explicit CsvReader(std::string_view text) : text_(text) {}
    // The next record; false at the end of the text.
    bool Next(CsvRecord& record);

private:
    std::string_view text_;
    std::size_t position_ = 0;
    std::size_t line_ = 1;
};

// The fields as one line, a field quoted where it holds a semicolon, a quote or a line break.
std::string JoinCsvLine(const std::vector<std::string>& fields);

} // namespace cli
