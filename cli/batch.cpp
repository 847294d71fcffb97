#include "cli/batch.h"

#include <algorithm>
#include <string>

#include "cli/csv.h"
#include "cli/encoding.h"
#include "cli/origin.h"
#include "cli/output.h"
#include "core/record.h"

namespace cli {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string ReadAll(std::istream& in) {
    std::string bytes;
    char buffer[1 << 16];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
        bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
    return bytes;
}

std::string LineOf(std::string_view text, std::size_t offset) {
    const auto before = text.substr(0, offset);
    return "строка " + std::to_string(std::count(before.begin(), before.end(), '\n') + 1);
}

// The text of a file in UTF-8, and how the file was written.
struct Input {
    std::string text;
    bool marked = false;      // UTF-8 with a byte order mark, as spreadsheets save it
    bool windows1251 = false; // saved by a spreadsheet on a Russian Windows
};

// The whole file is read before its first line is computed: one stray byte anywhere tells
// Windows-1251 from UTF-8, and the two must not be mixed within one output.
Input Decode(std::string bytes) {
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))
        throw UsageError("файл в кодировке UTF-16; сохраните его как CSV с разделителем «;» в "
                         "UTF-8 или в Windows-1251");
    Input input;
    input.marked = bytes.starts_with(kByteOrderMark);
    if (input.marked) bytes.erase(0, kByteOrderMark.size());
    const std::size_t valid = Utf8Length(bytes);
    if (valid == bytes.size()) {
        input.text = std::move(bytes);
        return input;
    }
    if (input.marked)
        throw UsageError(LineOf(bytes, valid) +
                         ": текст не в UTF-8, хотя файл начинается с метки UTF-8");
    if (const auto stray = FirstNonWindows1251(bytes))
        throw UsageError(LineOf(bytes, *stray) + ": текст не в UTF-8 и не в Windows-1251");
    input.text = FromWindows1251(bytes);
    input.windows1251 = true;
    return input;
}

std::string Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

// The option names of the header, checked against the calculation and the command line.
std::vector<std::string> ReadHeader(const Calculation& calculation, const CsvRecord& record,
                                    const Values& defaults) {
    if (record.unclosedQuote) throw UsageError("в строке заголовка не закрыта кавычка");
    std::vector<std::string> header = record.fields;
    std::set<std::string, std::less<>> given;
    for (const auto& [name, text] : defaults)
        given.insert(name);
    for (std::string& name : header) {
        name = Trimmed(name);
        const bool known =
            IsCaseOption(name) ||
            std::any_of(calculation.options.begin(), calculation.options.end(),
                        [&](const Option& option) { return option.name == name && !option.flag; });
        if (!known) {
            std::string message = "неизвестный столбец «" + name + "» в заголовке";
            if (name.find(',') != std::string::npos)
                message += "; столбцы разделяются точкой с запятой «;», а не запятой";
            throw UsageError(message);
        }
        if (std::count(header.begin(), header.end(), name) > 1)
            throw UsageError("столбец «" + name + "» в заголовке дважды");
        // Which of the two was meant cannot be told; neither may be dropped unseen.
        if (defaults.contains(name))
            throw UsageError("параметр --" + name + " задан и в командной строке, и столбцом «" +
                                 name + "» в файле; оставьте одно из двух",
                             name);
        given.insert(name);
    }
    calculation.checkShape(given);
    return header;
}

// Why a record cannot be computed, completing "строка N: …"; empty when it can. The whole
// record goes into the reason, so that nothing the user wrote is lost.
std::string Malformed(const CsvRecord& record, std::size_t columns) {
    const std::string written = "«" + std::string(record.text) + "».";
    if (record.unclosedQuote) return "кавычка не закрыта: " + written;
    if (record.fields.size() != columns)
        return "полей " + std::to_string(record.fields.size()) + ", а в заголовке " +
               std::to_string(columns) + ": " + written;
    return {};
}

} // namespace

bool RunBatch(const Calculation& calculation, std::istream& in, const Values& defaults,
              BatchFormat format) {
    const Input input = Decode(ReadAll(in));
    CsvReader reader(input.text);
    CsvRecord record;
    if (!reader.Next(record)) throw UsageError("в файле нет строки заголовка");
    const std::vector<std::string> header = ReadHeader(calculation, record, defaults);

    const bool table = format == BatchFormat::Table;
    if (table) {
        std::vector<std::string> outHeader = {"line"};
        outHeader.insert(outHeader.end(), header.begin(), header.end());
        outHeader.insert(outHeader.end(), calculation.resultColumns.begin(),
                         calculation.resultColumns.end());
        outHeader.emplace_back("error");
        // The output is UTF-8 whatever the input was. A spreadsheet reads UTF-8 as such only
        // when it is marked: the mark goes with a file that came from one.
        const bool mark = input.marked || input.windows1251;
        Write(std::string(mark ? kByteOrderMark : "") + JoinCsvLine(outHeader) + "\n");
    }

    bool allComputed = true;
    while (reader.Next(record)) {
        if (record.Blank()) continue;
        const std::string number = std::to_string(record.line);
        const std::string where = "строка " + number + ": ";
        std::vector<std::string> results(calculation.resultColumns.size());
        std::string option, error;
        Outcome outcome;
        Values values = defaults;
        if (const std::string problem = Malformed(record, header.size()); !problem.empty()) {
            error = where + problem;
        } else {
            for (std::size_t i = 0; i < header.size(); ++i)
                values[header[i]] = record.fields[i];
            outcome = calculation.run(values, !table);
            if (outcome.refusal) {
                option = outcome.refusal->option;
                error = where + outcome.refusal->message;
            } else {
                results = outcome.columns;
            }
        }
        allComputed = allComputed && error.empty();
        if (table) {
            record.fields.resize(header.size());
            std::vector<std::string> fields = {number};
            fields.insert(fields.end(), record.fields.begin(), record.fields.end());
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
                Write(JsonError("\"line\": " + number + lineCase, kRefusedKind, option, error));
        }
    }
    return allComputed;
}

} // namespace cli
