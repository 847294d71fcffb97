#include "core/record.h"

#include <algorithm>
#include <cstdio>

#include "core/inputs.h"

namespace core {
namespace {

std::string WithUnit(const std::string& text, const std::string& unit) {
    return unit.empty() ? text : text + " " + unit;
}

// Two digits, zero-padded: a field of a date or time.
std::string TwoDigits(int n) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", n);
    return text;
}

std::string Offset(int minutes) {
    const char sign = minutes < 0 ? '-' : '+';
    if (minutes < 0) minutes = -minutes;
    return sign + TwoDigits(minutes / 60) + ":" + TwoDigits(minutes % 60);
}

std::string Year(int year) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d", year);
    return text;
}

} // namespace

std::string CaseText(std::string_view field) {
    // Line breaks and tabs as spaces, runs of spaces as one: a detail stands on its line.
    std::string out;
    bool space = false;
    for (char c : field) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f') {
            space = true;
            continue;
        }
        if (space && !out.empty()) out += ' ';
        space = false;
        out += c;
    }
    return out;
}

std::string IsoTime(const LocalTime& t) {
    return Year(t.year) + "-" + TwoDigits(t.month) + "-" + TwoDigits(t.day) + "T" +
           TwoDigits(t.hour) + ":" + TwoDigits(t.minute) + ":" + TwoDigits(t.second) +
           Offset(t.utcOffsetMinutes);
}

std::string ShownTime(const LocalTime& t) {
    return TwoDigits(t.day) + "." + TwoDigits(t.month) + "." + Year(t.year) + " " +
           TwoDigits(t.hour) + ":" + TwoDigits(t.minute) + ":" + TwoDigits(t.second) + " (UTC" +
           Offset(t.utcOffsetMinutes) + ")";
}

std::string MethodLine(const CalculationRecord& record) {
    const std::string formulas =
        record.notes.empty()
            ? "по формулам раздела «Расчёт», без поправок программы"
            : "по формулам раздела «Расчёт», с поправками программы из раздела «Примечания»";
    return record.methodology.empty() ? formulas : record.methodology + "; " + formulas;
}

std::vector<std::string> RecordNotes(const CalculationRecord& record) {
    std::vector<std::string> notes = record.notes;
    const auto hasKey = [](const auto& list, std::string_view key) {
        return std::any_of(list.begin(), list.end(),
                           [key](const auto& item) { return item.key == key; });
    };
    if (hasKey(record.inputs, input::kDeceleration.key)) notes.emplace_back(kDecelerationSource);
    if (hasKey(record.steps, input::kCoefficient.key)) notes.emplace_back(kEfficiencyTableSource);
    return notes;
}

std::vector<HeaderLine> RecordHeader(const CalculationRecord& record) {
    const RecordOrigin& origin = record.origin;
    std::vector<HeaderLine> lines;
    for (const CaseField& field : kCaseFields) {
        std::string value = CaseText(origin.caseDetails.*field.member);
        if (!value.empty()) lines.push_back({std::string(field.label), std::move(value)});
    }
    if (origin.computedAt) lines.push_back({"Дата и время расчёта", ShownTime(*origin.computedAt)});
    if (!origin.program.empty())
        lines.push_back({"Программа",
                         origin.program + (origin.version.empty() ? std::string()
                                                                  : ", версия " + origin.version)});
    lines.push_back({"Метод", MethodLine(record)});
    return lines;
}

bool ReadsAsText(const RecordValue& value) {
    return value.verdict != Verdict::None;
}

std::string RecordText(const CalculationRecord& record) {
    std::string out = record.title + "\n\n";
    for (const HeaderLine& line : RecordHeader(record))
        out += line.label + ": " + line.value + "\n";
    out += "\nИсходные данные\n";
    for (const RecordValue& v : record.inputs)
        out += "  " + v.name + ": " + WithUnit(v.text, v.unit) + "\n";
    out += "\nРасчёт\n";
    int n = 0;
    for (const RecordStep& s : record.steps)
        out += "  " + std::to_string(++n) + ". " + s.name + ": " + s.formula + " = " +
               s.substituted + " = " + WithUnit(s.value, s.unit) + "\n";
    out += "\nРезультаты\n";
    for (const RecordValue& v : record.results)
        out += "  " + v.name + ":" + (ReadsAsText(v) ? "\n    " : " ") + WithUnit(v.text, v.unit) +
               "\n";
    if (record.diagram) out += "\nСхема\n  " + PathDiagramText(*record.diagram) + "\n";
    if (!record.images.empty()) { // the pictures themselves are in the HTML and the PDF
        out += "\nКадры (изображения — в записи HTML и PDF)\n";
        for (const RecordImage& image : record.images)
            out += "  " + image.caption + "\n";
    }
    if (const std::vector<std::string> notes = RecordNotes(record); !notes.empty()) {
        out += "\nПримечания\n";
        for (const std::string& note : notes)
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
        if (v.verdict != Verdict::None)
            out += std::string(", \"value\": ") + (v.verdict == Verdict::Holds   ? "true"
                                                   : v.verdict == Verdict::Fails ? "false"
                                                                                 : "null");
        else if (!v.low.empty())
            out += ", \"min\": " + JsonNumber(v.low) + ", \"max\": " + JsonNumber(v.high);
        else if (!v.number.empty())
            out += ", \"value\": " + JsonNumber(v.number);
        out += "}";
    }
    return out + "]";
}

std::string CaseJson(const CaseDetails& details) {
    std::string out = "{";
    for (const CaseField& field : kCaseFields) {
        const std::string value = CaseText(details.*field.member);
        if (value.empty()) continue;
        out += (out.size() > 1 ? ", " : "") + JsonString(field.key) + ": " + JsonString(value);
    }
    return out + "}";
}

std::string RecordJson(const CalculationRecord& record) {
    const RecordOrigin& origin = record.origin;
    std::string out = "{\"calculation\": " + JsonString(record.calculation) +
                      ", \"version\": " + JsonString(origin.version);
    if (origin.computedAt) out += ", \"computed_at\": " + JsonString(IsoTime(*origin.computedAt));
    out += ", \"case\": " + CaseJson(origin.caseDetails) +
           ", \"method\": " + JsonString(MethodLine(record)) +
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
    const std::vector<std::string> notes = RecordNotes(record);
    for (std::size_t i = 0; i < notes.size(); ++i)
        out += (i ? ", " : "") + JsonString(notes[i]);
    return out + "]}";
}

std::string PathDiagramText(const PathDiagram& diagram) {
    std::string text = "Схема пути автомобиля от места, где он был в момент возникновения "
                       "опасности: ";
    for (const PathMark& edge : diagram.edges)
        text += edge.name + (edge.symbol.empty() ? "" : " " + edge.symbol) + " — до " + edge.text +
                " м; ";
    const PathMark& target = diagram.target;
    const std::string what = target.key == "distance_at_danger_m" ? "место наезда" : "препятствие";
    return text + what + " " + target.symbol + " — " + target.text + " м.";
}

} // namespace core
