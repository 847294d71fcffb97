#include "cli/calculation.h"

#include "core/record.h"

namespace cli {

std::string JsonError(std::string_view members, std::string_view kind, std::string_view option,
                      std::string_view message) {
    return "{" + std::string(members) + ", \"error\": {\"kind\": " + core::JsonString(kind) +
           ", \"option\": " + core::JsonString(option) +
           ", \"message\": " + core::JsonString(message) + "}}\n";
}

const std::vector<const Calculation*>& AllCalculations() {
    static const std::vector<const Calculation*> all = {
        &Stopping(), &Loading(), &Dashcam(), &Pedestrian(), &Obstacle(), &Impact(), &Video()};
    return all;
}

std::string CalculationNames() {
    std::string names;
    for (const Calculation* calculation : AllCalculations())
        names += (names.empty() ? "" : ", ") + std::string(calculation->name);
    return names;
}

const Calculation* FindCalculation(std::string_view name) {
    for (const Calculation* calculation : AllCalculations())
        if (calculation->name == name) return calculation;
    return nullptr;
}

void RequireOneOf(const std::set<std::string, std::less<>>& given, std::string_view a,
                  std::string_view b) {
    const bool hasA = given.contains(a), hasB = given.contains(b);
    if (hasA && hasB)
        throw UsageError("параметры --" + std::string(a) + " и --" + std::string(b) +
                         " не задаются вместе");
    if (!hasA && !hasB)
        throw UsageError("нужен параметр --" + std::string(a) + " или --" + std::string(b));
}

void RequireAll(const std::set<std::string, std::less<>>& given,
                std::initializer_list<std::string_view> names) {
    for (std::string_view name : names)
        if (!given.contains(name))
            throw UsageError("не задан параметр --" + std::string(name), name);
}

} // namespace cli
