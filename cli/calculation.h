#pragma once

#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/record.h"

// The calculations of the command line: their options, their result columns and how each is
// run from the texts given for its options.
namespace cli {

// An option of a calculation; in a batch file the column of the same name.
struct Option {
    std::string_view name;    // "reaction", given as --reaction
    std::string_view caption; // "Время реакции водителя": what it is
    std::string_view value;   // what to type: "с", "км/ч", "unloaded|half|full"
    // A switch, given alone with no value (--list-frames); never a column of a batch file.
    bool flag = false;
};

// Option name → text as given.
using Values = std::map<std::string, std::string, std::less<>>;

// A command that cannot run whatever its numbers: an option missing or given with another it
// excludes. Exit status 2.
class UsageError : public std::runtime_error {
public:
    // `option`: the option at fault, where the error is about one.
    explicit UsageError(const std::string& message, std::string_view option = {})
        : std::runtime_error(message), option_(option) {}
    const std::string& option() const noexcept { return option_; }

private:
    std::string option_;
};

// An input the calculation refused: which option, and why in Russian. Exit status 1.
struct Refusal {
    std::string option;
    std::string message; // completes "Расчёт невозможен: …"
};

// The kinds of error the JSON output names: a value refused (exit status 1) and a command that
// cannot run (2).
inline constexpr std::string_view kRefusedKind = "refused";
inline constexpr std::string_view kUsageKind = "usage";

// A failure as a JSON document on a line of its own, the same for one calculation and for a line
// of a batch: `members` (the run's calculation and version, or the line's number and case), then
// "error": {"kind": …, "option": …, "message": …}.
std::string JsonError(std::string_view members, std::string_view kind, std::string_view option,
                      std::string_view message);

// What a command writes instead of a record, such as the frames of a video file: as text
// and as the JSON document of --json.
struct Listing {
    std::string text, json;
};

struct Outcome {
    std::optional<Refusal> refusal;
    std::vector<std::string> columns; // result texts in the order of resultColumns
    core::CalculationRecord record;
    std::optional<Listing> listing; // written instead of the record when there is one
};

struct Calculation {
    std::string_view name;    // "stopping"
    std::string_view summary; // one Russian line for the general help
    std::vector<Option> options;
    std::vector<std::string_view> resultColumns;
    std::string_view usage;   // the command lines of the help
    std::string (*details)(); // the rest of the help: what the options need
    // Raises UsageError unless the given option names make a complete command.
    void (*checkShape)(const std::set<std::string, std::less<>>& given);
    // Computes from complete values (checkShape passed); never raises NumericError. The record
    // is made only when asked for: a table of results needs none.
    Outcome (*run)(const Values& values, bool withRecord);
};

const Calculation& Stopping();
const Calculation& Loading();
const Calculation& Dashcam();
const Calculation& Pedestrian();
const Calculation& Obstacle();
const Calculation& Impact();
const Calculation& Video();

// The names of every calculation, "stopping, loading, …", for a message.
std::string CalculationNames();

// The calculation called `name`, or nothing.
const Calculation* FindCalculation(std::string_view name);
const std::vector<const Calculation*>& AllCalculations();

// UsageError unless exactly one of the two options is given.
void RequireOneOf(const std::set<std::string, std::less<>>& given, std::string_view a,
                  std::string_view b);
// UsageError naming the first of `names` not given.
void RequireAll(const std::set<std::string, std::less<>>& given,
                std::initializer_list<std::string_view> names);

} // namespace cli
