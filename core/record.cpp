#include "core/record.h"

#include <cstdio>

namespace core {
namespace {

std::string WithUnit(const std::string& text, const std::string& unit) {
    return unit.empty() ? text : text + " " + unit;
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

std::string JsonString(std::string_view text) {
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

std::string JsonNumber(std::string_view text) {
    std::string number(text);
    for (char& c : number)
        if (c == ',') c = '.';
    return number;
}

std::string JsonValues(const std::vector<RecordValue>& values) {
    std::string out = "[";
    for (std::size_t i = 0; i < values.size(); ++i) {
        const RecordValue& v = values[i];
        out += (i ? ", " : "") + std::string("{\"key\": ") + JsonString(v.key) +
               ", \"name\": " + JsonString(v.name) + ", \"unit\": " + JsonString(v.unit) +
               ", \"text\": " + JsonString(v.text);
        if (!v.number.empty()) out += ", \"value\": " + JsonNumber(v.number);
        out += "}";
    }
    return out + "]";
}

std::string RecordJson(const CalculationRecord& record, std::string_view version) {
    std::string out = "{\"calculation\": " + JsonString(record.calculation) +
                      ", \"version\": " + JsonString(version) +
                      ", \"title\": " + JsonString(record.title) +
                      ", \"inputs\": " + JsonValues(record.inputs) + ", \"steps\": [";
    for (std::size_t i = 0; i < record.steps.size(); ++i) {
        const RecordStep& s = record.steps[i];
        out += (i ? ", " : "") + std::string("{\"key\": ") + JsonString(s.key) +
               ", \"name\": " + JsonString(s.name) + ", \"unit\": " + JsonString(s.unit) +
               ", \"formula\": " + JsonString(s.formula) +
               ", \"substituted\": " + JsonString(s.substituted) +
               ", \"text\": " + JsonString(s.value) + ", \"value\": " + JsonNumber(s.value) + "}";
    }
    out += "], \"results\": " + JsonValues(record.results) + ", \"notes\": [";
    for (std::size_t i = 0; i < record.notes.size(); ++i)
        out += (i ? ", " : "") + JsonString(record.notes[i]);
    return out + "]}";
}

} // namespace core
