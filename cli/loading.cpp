#include "core/loading.h"

#include <algorithm>

#include "cli/calculation.h"
#include "cli/problem.h"

namespace cli {
namespace {

using Names = std::set<std::string, std::less<>>;

constexpr GivenInput kRowInput{"row", "Строка таблицы (группа и категория)", ""};
constexpr GivenInput kLoadInput{"load", "Нагрузка", ""};
constexpr GivenInput kAdhesionInput{"adhesion", "Коэффициент сцепления", ""};

void CheckShape(const Names& given) {
    RequireAll(given, {"speed", "adhesion", "deceleration", "rise"});
    RequireOneOf(given, "coefficient", "row");
    if (given.contains("row")) RequireAll(given, {"load"});
    if (given.contains("load") && !given.contains("row"))
        throw UsageError("параметр --load задаётся только вместе с --row");
}

std::optional<int> ReadRow(std::string_view text) {
    if (text.size() != 1 || text[0] < '1' || text[0] > '9') return std::nullopt;
    return text[0] - '0';
}

std::optional<core::LoadState> ReadLoad(std::string_view text) {
    if (text == "unloaded") return core::LoadState::Unloaded;
    if (text == "half") return core::LoadState::HalfLoad;
    if (text == "full") return core::LoadState::FullLoad;
    return std::nullopt;
}

// The table's column is picked from the adhesion list, whose texts have a comma; a point
// stands for it as everywhere else.
std::string WithComma(std::string text) {
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

std::string AdhesionList() {
    std::string list;
    for (std::string_view text : core::AdhesionTexts())
        list += (list.empty() ? "" : " ") + std::string(text);
    return list;
}

Outcome Run(const Values& values) {
    Outcome outcome;
    std::string coefficient;
    // The row and column of a coefficient taken from the table, and the load chosen.
    struct TableChoice {
        int row, column;
        core::LoadState load;
    };
    std::optional<TableChoice> fromTable;
    if (auto given = values.find("coefficient"); given != values.end()) {
        coefficient = given->second;
    } else {
        const std::optional<int> row = ReadRow(values.at("row"));
        if (!row) {
            outcome.refusal = Refuse(kRowInput, "должно быть целым числом от 1 до 9.");
            return outcome;
        }
        const std::optional<core::LoadState> load = ReadLoad(values.at("load"));
        if (!load) {
            outcome.refusal = Refuse(kLoadInput, "должно быть unloaded, half или full.");
            return outcome;
        }
        const std::optional<int> column =
            core::ColumnForAdhesion(*load, WithComma(values.at("adhesion")));
        if (!column) {
            outcome.refusal =
                Refuse(kAdhesionInput,
                       "для выбора по таблице должно быть одним из: " + AdhesionList() + ".");
            return outcome;
        }
        coefficient = *core::LookUpEfficiency(*row, *column); // every row and column has a cell
        fromTable = TableChoice{*row, *column, *load};
    }

    const std::string& speed = values.at("speed");
    const std::string& adhesion = values.at("adhesion");
    const std::string& deceleration = values.at("deceleration");
    const std::string& rise = values.at("rise");
    try {
        const core::LoadBrakingResults r = core::ComputeLoadBraking(
            coefficient, speed, adhesion, deceleration, rise, &outcome.record);
        outcome.columns = {coefficient, r.speedMs, r.distance, r.time, r.skid};
        if (fromTable) {
            const core::RowCategory category = core::CategoryOfRow(fromTable->row);
            core::StartFromTable(outcome.record, core::GroupCaption(category.group),
                                 category.category, core::LoadCaption(fromTable->load),
                                 fromTable->row, fromTable->column, coefficient);
        }
    } catch (const core::NumericError& error) {
        // In the order ComputeLoadBraking reads them.
        const GivenInput inputs[] = {
            {"coefficient", "Коэффициент эффективности торможения", coefficient},
            {"speed", "Скорость в начале торможения", speed},
            {"adhesion", "Коэффициент сцепления", adhesion},
            {"deceleration", "Установившееся замедление", deceleration},
            {"rise", "Время наростания замедления", rise},
        };
        outcome.refusal = InputProblem(error, inputs);
    }
    return outcome;
}

std::string Details() {
    std::string text =
        "Коэффициент эффективности торможения задаётся числом (--coefficient) или берётся из\n"
        "таблицы по строке (--row), нагрузке (--load: unloaded — без нагрузки, half — с\n"
        "нагрузкой 50%, full — с полной нагрузкой) и коэффициенту сцепления; тогда --adhesion\n"
        "должен быть одним из: " +
        AdhesionList() +
        " (через запятую или точку).\n"
        "Коэффициент сцепления всегда входит в тормозной путь как φ.\n\n"
        "Строки таблицы (--row):\n";
    const core::VehicleGroup groups[] = {core::VehicleGroup::CarsAndBuses,
                                         core::VehicleGroup::Trucks,
                                         core::VehicleGroup::RoadTrains};
    for (core::VehicleGroup group : groups) {
        text += "  " + std::string(core::GroupCaption(group)) + ":\n";
        for (std::string_view category : core::CategoriesOf(group)) {
            const int row = *core::RowForCategory(group, category);
            text += "    " + std::to_string(row) + "  " + std::string(category) + "\n";
        }
    }
    return text;
}

} // namespace

const Calculation& Loading() {
    static const Calculation calculation{
        .name = "loading",
        .summary = "тормозной путь в зависимости от загрузки автомобиля",
        .options = {{"speed", "Скорость в начале торможения", "км/ч"},
                    {"adhesion", "Коэффициент сцепления", "φ"},
                    {"deceleration", "Установившееся замедление", "м/с²"},
                    {"rise", "Время наростания замедления", "с"},
                    {"coefficient", "Коэффициент эффективности торможения", "K"},
                    {"row", "Строка таблицы (группа и категория)", "1…9"},
                    {"load", "Нагрузка", "unloaded|half|full"}},
        .resultColumns = {"coefficient_used", "speed_ms", "distance", "time", "skid"},
        .usage = "kvarnet-calc loading --speed 60 --adhesion 0,8 --deceleration 6,8 --rise 0,3 "
                 "--coefficient 1,28\n"
                 "kvarnet-calc loading --speed 60 --adhesion 0,8 --deceleration 6,8 --rise 0,3 "
                 "--row 1 --load unloaded\n",
        .details = Details,
        .checkShape = CheckShape,
        .run = Run,
    };
    return calculation;
}

} // namespace cli
