#include "core/record.h"

#include <cstdio>

namespace core {
namespace {

std::string WithUnit(const std::string& text, const std::string& unit) {
    return unit.empty() ? text : text + " " + unit;
}

// A JSON string: quotes, backslashes and control characters escaped; UTF-8 as it is.
std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

std::string JsonValues(const std::vector<RecordValue>& values) {
    std::string out = "[";
    for (std::size_t i = 0; i < values.size(); ++i) {
        const RecordValue& v = values[i];
        out += (i ? ", " : "") + std::string("{\"name\": ") + Quoted(v.name) +
               ", \"text\": " + Quoted(v.text) + ", \"unit\": " + Quoted(v.unit) + "}";
    }
    return out + "]";
}

} // namespace

std::string RecordText(const CalculationRecord& record) {
    std::string out = record.title + "\n\nИсходные данные\n";
    for (const RecordValue& v : record.inputs)
        out += "  " + v.name + ": " + WithUnit(v.text, v.unit) + "\n";
    out += "\nРасчёт\n";
    int n = 0;
    for (const RecordStep& s : record.steps)
        out += "  " + std::to_string(++n) + ". " + s.name + ": " + s.formula + " = " +
               s.substituted + " = " + WithUnit(s.value, s.unit) + "\n";
    out += "\nРезультаты\n";
    for (const RecordValue& v : record.results)
        out += "  " + v.name + ": " + WithUnit(v.text, v.unit) + "\n";
    if (!record.notes.empty()) {
        out += "\nПримечания\n";
        for (const std::string& note : record.notes)
            out += "  – " + note + "\n";
    }
    return out;
}

std::string RecordJson(const CalculationRecord& record) {
    std::string out = "{\"title\": " + Quoted(record.title) +
                      ", \"inputs\": " + JsonValues(record.inputs) + ", \"steps\": [";
    for (std::size_t i = 0; i < record.steps.size(); ++i) {
        const RecordStep& s = record.steps[i];
        out += (i ? ", " : "") + std::string("{\"name\": ") + Quoted(s.name) +
               ", \"formula\": " + Quoted(s.formula) +
               ", \"substituted\": " + Quoted(s.substituted) + ", \"value\": " + Quoted(s.value) +
               ", \"unit\": " + Quoted(s.unit) + "}";
    }
    out += "], \"results\": " + JsonValues(record.results) + ", \"notes\": [";
    for (std::size_t i = 0; i < record.notes.size(); ++i)
        out += (i ? ", " : "") + Quoted(record.notes[i]);
    return out + "]}";
}

} // namespace core
