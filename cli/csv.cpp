#include "cli/csv.h"

#include <algorithm>

namespace cli {
namespace {

// Splits `text` from `start` into `fields` up to the end of the record, or up to `limit` when
// the record reaches it. Returns where the record's text ends (before its line end) and whether
// a quote was left open, with where the last quote opened.
struct Split {
    std::size_t end;
    std::size_t next; // where the following record starts
    bool open;
    std::size_t openedAt;
};

Split SplitRecord(std::string_view text, std::size_t start, std::size_t limit,
                  std::vector<std::string>& fields) {
    fields.resize(1);
    fields[0].clear();
    std::size_t count = 1;
    std::string* field = &fields[0];
    bool quoted = false, fieldStart = true;
    std::size_t openedAt = start;
    std::size_t i = start;
    while (i < limit) {
        const char c = text[i];
        if (quoted) {
            if (c == '"') {
                if (i + 1 < limit && text[i + 1] == '"') {
                    *field += '"';
                    i += 2;
                    continue;
                }
                quoted = false;
            } else {
                *field += c;
            }
        } else if (c == ';') {
            if (count == fields.size()) fields.emplace_back();
            field = &fields[count++];
            field->clear();
            fieldStart = true;
            ++i;
            continue;
        } else if (c == '\n') {
            break;
        } else if (c == '"' && fieldStart) {
            quoted = true;
            openedAt = i;
        } else {
            *field += c;
        }
        fieldStart = false;
        ++i;
    }
    fields.resize(count);
    Split split{i, i < limit ? i + 1 : i, quoted, openedAt};
    // A line end written on Windows; one inside quotes is the field's own.
    if (!quoted && split.end > start && text[split.end - 1] == '\r') {
        --split.end;
        if (!field->empty() && field->back() == '\r') field->pop_back();
    }
    return split;
}

} // namespace

bool CsvRecord::Blank() const {
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

bool CsvReader::Next(CsvRecord& record) {
    if (position_ >= text_.size()) return false;
    const std::size_t start = position_;
    Split split = SplitRecord(text_, start, text_.size(), record.fields);
    record.unclosedQuote = split.open;
    if (split.open) {
        // The quote is never closed: the record ends with the line it opened on, and the
        // lines after it are read again as records of their own.
        std::size_t lineEnd = text_.find('\n', split.openedAt);
        if (lineEnd == std::string_view::npos) lineEnd = text_.size();
        split = SplitRecord(text_, start, lineEnd, record.fields);
        split.next = std::min(lineEnd + 1, text_.size());
        if (split.end > start && text_[split.end - 1] == '\r') {
            --split.end;
            record.fields.back().pop_back();
        }
    }
    record.text = text_.substr(start, split.end - start);
    record.line = line_;
    line_ += static_cast<std::size_t>(
        std::count(text_.begin() + static_cast<std::ptrdiff_t>(start),
                   text_.begin() + static_cast<std::ptrdiff_t>(split.next), '\n'));
    position_ = split.next;
    return true;
}

std::string JoinCsvLine(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i) line += ';';
        const std::string& field = fields[i];
        if (field.find_first_of(";\"\r\n") == std::string::npos) {
            line += field;
            continue;
        }
        line += '"';
        for (char c : field)
            line += c == '"' ? std::string("\"\"") : std::string(1, c);
        line += '"';
    }
    return line;
}

} // namespace cli
