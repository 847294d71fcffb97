#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The record of a calculation: how its results were obtained, for an expert's written opinion.
// The calculations fill it on the same code path as their results, so the two never disagree.
namespace core {

// A verdict's answer: it holds, it fails, or, over ranges, it holds for some of the values and
// fails for others (open). A value that is no verdict has none.
enum class Verdict { None, Holds, Fails, Open };

// An input as the calculation read it, or a result as shown, with its name and unit.
struct RecordValue {
    std::string name;   // "Время реакции водителя"
    std::string text;   // "0,8"; a range as "0,6…1,4"; a verdict as its sentence
    std::string unit;   // "с"; "" for a dimensionless value
    std::string key;    // "reaction_s": stable, ASCII, unique within its list
    std::string number; // the value used, as a plain number text ("0,8"); "" for a text that
                        // is no number, such as a vehicle group, and for a range
    std::string low = {}, high = {}; // a range's ends as plain number texts; "" for a single value
    Verdict verdict = Verdict::None;
};

// Whether a value is words to read rather than a number to look up: a verdict's sentence. The
// record's forms give it the whole width under its name, where a number keeps its column.
bool ReadsAsText(const RecordValue& value);

// One named step of a calculation: its formula, the same formula with the values it used, and
// the value it kept (with the decimals it kept: four for a fixed-point value).
struct RecordStep {
    std::string name;        // "Скорость в начале торможения"
    std::string formula;     // "V = (j × t3 / 2 + √(2 × S × j)) × 3600 / 1000"
    std::string substituted; // "(6,8 × 0,15 + √(2 × 10 × 6,8)) × 3600 / 1000"
    std::string value;       // "45,7188"
    std::string unit;        // "км/ч"
    std::string key;         // "speed_kmh": stable, ASCII, unique within the steps
};

// The program's name, as a record names it.
inline constexpr std::string_view kProgramName = "Кварнет";

// The case a record belongs to and who computed it, as the expert gave them. A field that is
// empty, or only spaces, is left out of the record.
struct CaseDetails {
    std::string number; // of the case or file
    std::string expert;
    std::string organisation;
    std::string note;
};

// A case detail: its command-line option (and batch column), its JSON key under "case" and its
// label in the record and in the window that asks for it.
struct CaseField {
    std::string_view option; // "case", given as --case
    std::string_view key;    // "number"
    std::string_view label;  // "№ дела / материала"
    std::string CaseDetails::*member;
};
inline constexpr std::array<CaseField, 4> kCaseFields = {{
    {"case", "number", "№ дела / материала", &CaseDetails::number},
    {"expert", "expert", "Эксперт", &CaseDetails::expert},
    {"organisation", "organisation", "Организация", &CaseDetails::organisation},
    {"note", "note", "Примечание", &CaseDetails::note},
}};

// A field as the record writes it: on one line, without the spaces around it; "" when it is to
// be left out.
std::string CaseText(std::string_view field);

// A local date and time with its offset from UTC. The caller reads the clock and the zone:
// the core never asks the machine.
struct LocalTime {
    int year = 1970, month = 1, day = 1;
    int hour = 0, minute = 0, second = 0;
    int utcOffsetMinutes = 0; // east of Greenwich positive: +180 for UTC+03:00
};

// "2025-03-07T14:05:09+03:00" (ISO 8601).
std::string IsoTime(const LocalTime& time);
// "07.03.2025 14:05:09 (UTC+03:00)", as the record shows it.
std::string ShownTime(const LocalTime& time);

// Where a record comes from, for its header: the case, when it was computed and by what.
// The calculations leave it empty; the window or the command line that keeps the record fills
// it in.
struct RecordOrigin {
    CaseDetails caseDetails;
    std::optional<LocalTime> computedAt;
    std::string program; // "«Кварнет»"; "" leaves the program out
    std::string version; // the program's, "1.0.0"
};

// A place along the car's path, in metres from where the car was when the danger arose: one
// value, or over ranges the least and the greatest.
struct PathMark {
    std::string key; // "reaction_end_m"
    std::string name; // "Путь за время реакции водителя t1": what ends here
    std::string symbol; // "Sо", "Sa"; "" for an edge that has no symbol of its own
    double low = 0, high = 0;
    std::string text; // as shown, to 0,1 m: "13,3", or a range "12,5…14,2"
};

// The distances of a braking calculation along the car's path, for the record's diagram: where
// the reaction, the brake's delay and half the deceleration's rise end, where braking stops the
// car (Sо), and the place of the impact (Sa) or of the obstacle (Sв). The calculation that
// computes the stopping distance fills it from the same exact terms.
struct PathDiagram {
    std::vector<PathMark> edges; // reaction, delay, rise, stop: in order along the path
    PathMark target;             // Sa or Sв
};

// A picture the record shows as evidence, such as a frame of a video, encoded as the window
// that attaches it made it: the core only carries it into the documents.
struct RecordImage {
    std::string caption; // "Кадр 31, t(A) = 1,033333 с"
    std::string format;  // the encoding: "png"
    std::string bytes;   // the encoded file's bytes
};

struct CalculationRecord {
    std::string calculation; // "stopping", "loading", "dashcam"
    std::string title; // "Остановочный путь по длине тормозного следа"
    std::vector<RecordValue> inputs; // in the order the calculation reads them
    std::vector<RecordStep> steps;   // in the order they are computed
    std::vector<RecordValue> results;
    std::vector<std::string> notes; // the corrections the program made, where they applied
    RecordOrigin origin;
    std::string methodology = {}; // the method the calculation follows, where it names one
    std::optional<PathDiagram> diagram = {}; // the calculation's, where the window adds it
    // Shown side by side in HTML and PDF, named by their captions in the text; not in the JSON.
    std::vector<RecordImage> images = {};
};

// The diagram in words, for a reader who cannot see it: "…: Реакция водителя t1 — до 13,3 м; …;
// место наезда Sa — 41,7 м."
std::string PathDiagramText(const PathDiagram& diagram);

// Where the values the program offers come from, as a record that uses them states it after
// the corrections in its notes: the deceleration the main window offers for a dry and a wet
// road, beside captions that name a standard no longer in force; and the loading window's
// table of coefficients.
inline constexpr std::string_view kDecelerationSource =
    "Замедление j задано экспертом. Окно программы предлагает 6,8 м/с² для сухого покрытия "
    "(норматив проверки тормозов легкового автомобиля: ПДД РФ, Перечень неисправностей, п. 1.1) и "
    "5 м/с² для мокрого (без нормативного источника); названный в окне ГОСТ 25478-91 не "
    "действует.";
inline constexpr std::string_view kEfficiencyTableSource =
    "Коэффициент эффективности торможения K взят из таблицы программы; её источник в программе "
    "не указан — сверьте коэффициент с методикой, по которой работаете.";

// One line of a record's header: "Эксперт" and "Иванов И. И.".
struct HeaderLine {
    std::string label;
    std::string value;
};

// The header under the title, in this order: the case details given, the date and time of
// the calculation, the program with its version, and the method. Every form of the record
// (text, HTML, PDF) writes these lines.
std::vector<HeaderLine> RecordHeader(const CalculationRecord& record);

// The method in one line: the methodology, where the record names one, then the formulas of the
// record's steps, with or without the corrections its notes state.
std::string MethodLine(const CalculationRecord& record);

// The notes every form of the record shows: the corrections the program made (record.notes),
// then where the values it offers come from, for a record that has them: the deceleration for
// one with a deceleration input, the table for one whose coefficient is a step (a look-up).
std::vector<std::string> RecordNotes(const CalculationRecord& record);

// The record as plain Russian text: title, header, inputs, steps, results, the diagram in words
// where it has one, the pictures by their captions, notes (RecordNotes).
std::string RecordText(const CalculationRecord& record);

// The record as one JSON object: calculation, version (the program's), computed_at (ISO 8601,
// when known), case (the details given, by key), method, title, inputs, steps, results and
// notes (RecordNotes). Every input, step and result has its key, name, unit, text as shown and
// value as a JSON number (an input that is no number has no value); a range has "min" and "max"
// in place of the value, a verdict a value of true, false or null (open).
std::string RecordJson(const CalculationRecord& record);

// The case details given, as the JSON object under "case": {"number": "…", …}.
std::string CaseJson(const CaseDetails& details);

// A list of values as a JSON array, as RecordJson writes it.
std::string JsonValues(const std::vector<RecordValue>& values);

// A JSON string: quotes, backslashes and control characters escaped; UTF-8 as it is.
std::string JsonString(std::string_view text);

// A number text with a decimal comma ("-12,5", "1,5E-05") as a JSON number ("-12.5").
std::string JsonNumber(std::string_view text);

} // namespace core
