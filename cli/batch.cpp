#include "cli/batch.h"

#include <algorithm>
#include <string>

#include "cli/csv.h"
#include "cli/origin.h"
#include "cli/output.h"
#include "core/record.h"

namespace cli {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool GetLine(std::istream& in, std::string& line) {
    if (!std::getline(in, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back(); // written on Windows
    return true;
}

std::string Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

// The option names of the header, checked against the calculation.
std::vector<std::string> ReadHeader(const Calculation& calculation, std::string_view line,
                                    const Values& defaults) {
    const CsvFields parsed = SplitCsvLine(line);
    if (parsed.unclosedQuote) throw UsageError("в строке заголовка не закрыта кавычка");
    std::vector<std::string> header = parsed.fields;
    std::set<std::string, std::less<>> given;
    for (const auto& [name, text] : defaults)
        given.insert(name);
    for (std::string& name : header) {
        name = Trimmed(name);
        const bool known = IsCaseOption(name) ||
                           std::any_of(calculation.options.begin(), calculation.options.end(),
                                       [&](const Option& option) { return option.name == name; });
        if (!known) {
            std::string message = "неизвестный столбец «" + name + "» в заголовке";
            if (name.find(',') != std::string::npos)
                message += "; столбцы разделяются точкой с запятой «;», а не запятой";
            throw UsageError(message);
        }
        if (std::count(header.begin(), header.end(), name) > 1)
            throw UsageError("столбец «" + name + "» в заголовке дважды");
        given.insert(name);
    }
    calculation.checkShape(given);
    return header;
}

// One input line: its fields, checked against the header, or why they cannot be computed.
struct Row {
    std::vector<std::string> fields; // as many as the header has
    std::string problem;             // completes "строка N: …"; empty when they can be
};

Row ReadRow(std::string_view line, std::size_t columns) {
    CsvFields parsed = SplitCsvLine(line);
    Row row{std::move(parsed.fields), {}};
    // The whole line goes into the reason, so that nothing the user wrote is lost.
    if (parsed.unclosedQuote)
        row.problem = "кавычка не закрыта: «" + std::string(line) + "».";
    else if (row.fields.size() != columns)
        row.problem = "полей " + std::to_string(row.fields.size()) + ", а в заголовке " +
                      std::to_string(columns) + ": «" + std::string(line) + "».";
    row.fields.resize(columns);
    return row;
}

std::string JsonError(const std::string& option, const std::string& message) {
    return "{\"option\": " + core::JsonString(option) +
           ", \"message\": " + core::JsonString(message) + "}";
}

} // namespace

bool RunBatch(const Calculation& calculation, std::istream& in, const Values& defaults,
              BatchFormat format) {
    std::string line;
    if (!GetLine(in, line)) throw UsageError("в файле нет строки заголовка");
    // A spreadsheet saving UTF-8 marks it; the output keeps the mark so that the Russian
    // messages open right in the same spreadsheet.
    const bool marked = line.starts_with(kByteOrderMark);
    if (marked) line.erase(0, kByteOrderMark.size());
    const std::vector<std::string> header = ReadHeader(calculation, line, defaults);

    const bool table = format == BatchFormat::Table;
    if (table) {
        std::vector<std::string> outHeader = {"line"};
        outHeader.insert(outHeader.end(), header.begin(), header.end());
        outHeader.insert(outHeader.end(), calculation.resultColumns.begin(),
                         calculation.resultColumns.end());
        outHeader.emplace_back("error");
        Write(std::string(marked ? kByteOrderMark : "") + JoinCsvLine(outHeader) + "\n");
    }

    bool allComputed = true;
    int lineNumber = 1;
    while (GetLine(in, line)) {
        ++lineNumber;
        if (Trimmed(line).empty()) continue;
        const std::string where = "строка " + std::to_string(lineNumber) + ": ";
        Row row = ReadRow(line, header.size());
        std::vector<std::string> results(calculation.resultColumns.size());
        std::string option, error;
        Outcome outcome;
        Values values = defaults;
        if (!row.problem.empty()) {
            error = where + row.problem;
        } else {
            for (std::size_t i = 0; i < header.size(); ++i)
                values[header[i]] = row.fields[i];
            outcome = calculation.run(values, !table);
            if (outcome.refusal) {
                option = outcome.refusal->option;
                error = where + outcome.refusal->message;
            } else {
                results = outcome.columns;
            }
        }
        allComputed = allComputed && error.empty();
        const std::string number = std::to_string(lineNumber);
        if (table) {
            std::vector<std::string> fields = {number};
            fields.insert(fields.end(), row.fields.begin(), row.fields.end());
            fields.insert(fields.end(), results.begin(), results.end());
            fields.push_back(error);
            Write(JoinCsvLine(fields) + "\n");
        } else {
            // The line's case, where it or the command names one.
            const core::CaseDetails details = CaseDetailsOf(values);
            const std::string lineCase =
                AnyCaseDetail(details) ? ", \"case\": " + core::CaseJson(details) : "";
            if (error.empty())
                Write("{\"line\": " + number + lineCase +
                      ", \"results\": " + core::JsonValues(outcome.record.results) + "}\n");
            else
                Write("{\"line\": " + number + lineCase +
                      ", \"error\": " + JsonError(option, error) + "}\n");
        }
    }
    return allComputed;
}

} // namespace cli
