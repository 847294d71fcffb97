#include "core/loading.h"

#include <algorithm>

#include "cli/calculation.h"
#include "cli/problem.h"
#include "cli/verdicts.h"
#include "core/range.h"

namespace cli {
namespace {

using Names = std::set<std::string, std::less<>>;
namespace input = core::input;

// The table's row and load, which the command line takes in place of a coefficient.
constexpr core::InputDescriptor kRow{"row", "row", "Строка таблицы (группа и категория)",
                                     "",    "1…9", core::Accepts::Positive};
constexpr core::InputDescriptor kLoad{
    "load", "load", "Нагрузка", "", "unloaded|half|full", core::Accepts::NonNegative};

void CheckShape(const Names& given) {
    RequireAll(given, {input::kInitialSpeed.option, input::kAdhesion.option,
                       input::kDeceleration.option, input::kRise.option});
    RequireOneOf(given, input::kCoefficient.option, kRow.option);
    if (given.contains(kRow.option)) RequireAll(given, {kLoad.option});
    if (given.contains(kLoad.option) && !given.contains(kRow.option))
        throw UsageError("параметр --load задаётся только вместе с --row", kLoad.option);
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

Outcome Run(const Values& values, bool withRecord) {
    Outcome outcome;
    std::string coefficient;
    // The row and column of a coefficient taken from the table.
    struct TableChoice {
        int row, column;
    };
    std::optional<TableChoice> fromTable;
    if (auto given = values.find(input::kCoefficient.option); given != values.end()) {
        coefficient = given->second;
    } else {
        const std::optional<int> row = ReadRow(values.find(kRow.option)->second);
        if (!row) {
            outcome.refusal = Refuse(kRow, "должно быть целым числом от 1 до 9.");
            return outcome;
        }
        const std::optional<core::LoadState> load = ReadLoad(values.find(kLoad.option)->second);
        if (!load) {
            outcome.refusal = Refuse(kLoad, "должно быть unloaded, half или full.");
            return outcome;
        }
        const std::string& adhesion = values.find(input::kAdhesion.option)->second;
        if (core::SplitRange(adhesion)) {
            outcome.refusal =
                Refuse(input::kAdhesion, "для выбора по таблице должно быть одним числом, а не "
                                         "пределами: каждое значение даёт свой столбец.");
            return outcome;
        }
        const std::optional<int> column = core::ColumnForAdhesion(*load, WithComma(adhesion));
        if (!column) {
            outcome.refusal =
                Refuse(input::kAdhesion,
                       "для выбора по таблице должно быть одним из: " + AdhesionList() + ".");
            return outcome;
        }
        coefficient = *core::LookUpEfficiency(*row, *column); // every row and column has a cell
        fromTable = TableChoice{*row, *column};
    }

    const core::InputList inputs = core::LoadBrakingInputList();
    std::vector<std::string> texts = {coefficient};
    for (const core::InputDescriptor* in : inputs.subspan(1))
        texts.push_back(values.find(in->option)->second);
    try {
        const core::LoadBrakingResults r =
            core::ComputeLoadBrakingOverRanges({texts[0], texts[1], texts[2], texts[3], texts[4]},
                                               withRecord ? &outcome.record : nullptr);
        outcome.columns = {coefficient, r.speedMs, r.brakingDistance, r.brakingTime, r.skid};
        if (fromTable && withRecord)
            core::StartFromTable(outcome.record, fromTable->row, fromTable->column, coefficient);
    } catch (const core::NumericError& error) {
        outcome.refusal = InputProblem(error, inputs, texts);
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
        "Коэффициент сцепления всегда входит в тормозной путь как φ.\n\n" +
        std::string(kRangesHelp) +
        "Коэффициент сцепления, по которому выбирается столбец таблицы, — одно число.\n\n"
        "Строки таблицы (--row):\n";
    const core::VehicleGroup groups[] = {core::VehicleGroup::CarsAndBuses,
                                         core::VehicleGroup::Trucks,
                                         core::VehicleGroup::RoadTrains};
    for (core::VehicleGroup group : groups) {
        text += "  " + std::string(core::GroupName(group)) + ":\n";
        for (std::string_view category : core::CategoriesOf(group)) {
            const int row = *core::RowForCategory(group, category);
            text +=
                "    " + std::to_string(row) + "  " + std::string(core::CategoryName(row)) + "\n";
        }
    }
    return text;
}

} // namespace

const Calculation& Loading() {
    static const Calculation calculation{
        .name = "loading",
        .summary = "тормозной путь в зависимости от загрузки автомобиля",
        .options = {OptionOf(input::kInitialSpeed), OptionOf(input::kAdhesion),
                    OptionOf(input::kDeceleration), OptionOf(input::kRise),
                    OptionOf(input::kCoefficient), OptionOf(kRow), OptionOf(kLoad)},
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
