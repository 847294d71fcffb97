#include "cli/batch.h"

#include <algorithm>
#include <string>

#include "cli/csv.h"

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

} // namespace

bool RunBatch(const Calculation& calculation, std::istream& in, std::ostream& out,
              const Values& defaults) {
    std::string line;
    if (!GetLine(in, line)) throw UsageError("в файле нет строки заголовка");
    // A spreadsheet saving UTF-8 marks it; the output keeps the mark so that the Russian
    // messages open right in the same spreadsheet.
    const bool marked = line.starts_with(kByteOrderMark);
    if (marked) line.erase(0, kByteOrderMark.size());

    std::vector<std::string> header = SplitCsvLine(line);
    std::set<std::string, std::less<>> given;
    for (auto& [name, text] : defaults)
        given.insert(name);
    for (std::string& name : header) {
        name = Trimmed(name);
        const bool known = std::any_of(calculation.options.begin(), calculation.options.end(),
                                       [&](const Option& option) { return option.name == name; });
        if (!known) throw UsageError("неизвестный столбец «" + name + "» в заголовке");
        if (std::count(header.begin(), header.end(), name) > 1)
            throw UsageError("столбец «" + name + "» в заголовке дважды");
        given.insert(name);
    }
    calculation.checkShape(given);

    std::vector<std::string> outHeader = header;
    outHeader.insert(outHeader.end(), calculation.resultColumns.begin(),
                     calculation.resultColumns.end());
    outHeader.emplace_back("error");
    out << (marked ? kByteOrderMark : "") << JoinCsvLine(outHeader) << '\n';

    bool allComputed = true;
    int lineNumber = 1;
    while (GetLine(in, line)) {
        ++lineNumber;
        if (Trimmed(line).empty()) continue;
        std::vector<std::string> fields = SplitCsvLine(line);
        std::vector<std::string> results(calculation.resultColumns.size());
        std::string error;
        if (fields.size() != header.size()) {
            error = "в строке " + std::to_string(lineNumber) + " полей " +
                    std::to_string(fields.size()) + ", а в заголовке " +
                    std::to_string(header.size()) + ".";
            fields.resize(header.size());
        } else {
            Values values = defaults;
            for (std::size_t i = 0; i < header.size(); ++i)
                values[header[i]] = fields[i];
            Outcome outcome = calculation.run(values);
            if (outcome.refusal)
                error = outcome.refusal->message;
            else
                results = outcome.columns;
        }
        allComputed = allComputed && error.empty();
        fields.insert(fields.end(), results.begin(), results.end());
        fields.push_back(error);
        out << JoinCsvLine(fields) << '\n';
    }
    return allComputed;
}

} // namespace cli
