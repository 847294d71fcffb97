#include "core/loading.h"

#include <algorithm>

#include "core/braking.h"
#include "core/inputs.h"
#include "core/numeric.h"
#include "core/range.h"
#include "core/record_writer.h"

namespace core {

// clang-format off
const std::array<std::array<double, kEfficiencyColumns>, kEfficiencyRows> EfficiencyTable = {{
    {1.28, 1.12, 1,    1,    1, 1.4,  1.22, 1.05, 1,    1, 1.5,  1.32, 1.13, 1,    1},
    {1.42, 1.24, 1.07, 1,    1, 1.56, 1.17, 1.17, 1,    1, 1.74, 1.52, 1.3,  1.09, 1},
    {1.56, 1.37, 1.17, 1,    1, 1.66, 1.46, 1.25, 1.04, 1, 1.74, 1.52, 1.3,  1.09, 1},
    {1.45, 1.27, 1.09, 1,    1, 1.66, 1.46, 1.25, 1.04, 1, 1.96, 1.71, 1.47, 1.22, 1},
    {1.37, 1.2,  1.03, 1,    1, 1.63, 1.43, 1.22, 1.02, 1, 1.96, 1.71, 1.47, 1.22, 1},
    {1.28, 1.12, 1,    1,    1, 1.56, 1.37, 1.17, 1,    1, 1.96, 1.71, 1.47, 1.22, 1},
    {1.66, 1.46, 1.25, 1.04, 1, 1.82, 1.59, 1.36, 1.14, 1, 1.96, 1.71, 1.47, 1.22, 1},
    {1.6,  1.4,  1.2,  1,    1, 1.78, 1.56, 1.33, 1.11, 1, 1.96, 1.71, 1.47, 1.22, 1},
    {1.56, 1.37, 1.17, 1,    1, 1.74, 1.52, 1.3,  1.09, 1, 1.96, 1.71, 1.47, 1.22, 1},
}};
// clang-format on

std::string_view GroupName(VehicleGroup group) {
    switch (group) {
    case VehicleGroup::CarsAndBuses:
        return "Легковые и автобусы одиночные и автопоезда";
    case VehicleGroup::Trucks:
        return "Грузовые одиночные";
    case VehicleGroup::RoadTrains:
        break;
    }
    return "Грузовые автопоезда с тягачами";
}

std::string_view LoadCaption(LoadState load) {
    switch (load) {
    case LoadState::Unloaded:
        return "Без нагрузки";
    case LoadState::HalfLoad:
        return "С нагрузкой 50%";
    case LoadState::FullLoad:
        break;
    }
    return "С полной нагрузкой";
}

std::array<std::string_view, 3> CategoriesOf(VehicleGroup group) {
    if (group == VehicleGroup::CarsAndBuses)
        return {"легковые", "автобусы и троллейбусыдо до 5 т",
                "автобусы и троллейбусыдо свыше 5 т"};
    return {"грузовые до 3,5 т", "грузовые от 3,5 до 12 т", "грузовые свыше 12 т"};
}

std::string_view CategoryName(int row) {
    // Rows 1..3 are the cars and buses; 4..6 the single trucks and 7..9 the road trains, by the
    // truck or tractor's gross mass.
    constexpr std::string_view kCarsAndBuses[] = {"легковые", "автобусы и троллейбусы до 5 т",
                                                  "автобусы и троллейбусы свыше 5 т"};
    constexpr std::string_view kTrucks[] = {"грузовые до 3,5 т", "грузовые от 3,5 до 12 т",
                                            "грузовые свыше 12 т"};
    const auto index = static_cast<std::size_t>((row - 1) % 3);
    return row <= 3 ? kCarsAndBuses[index] : kTrucks[index];
}

std::array<std::string_view, 7> AdhesionTexts() {
    return {"0,8", "0,7", "0,6", "0,5", "0,4", "0,2", "0,1"};
}

std::optional<int> RowForCategory(VehicleGroup group, std::string_view category) {
    int firstRow = 1 + 3 * static_cast<int>(group);
    auto texts = CategoriesOf(group);
    for (int i = 0; i < 3; ++i)
        if (texts[i] == category) return firstRow + i;
    return std::nullopt;
}

RowCategory CategoryOfRow(int row) {
    const auto group = static_cast<VehicleGroup>((row - 1) / 3);
    return {group, CategoriesOf(group)[static_cast<std::size_t>((row - 1) % 3)], CategoryName(row)};
}

namespace {
// Each load state has its five columns of the table, in the order of the states.
constexpr int kColumnsPerLoad = kEfficiencyColumns / 3;
} // namespace

std::optional<int> ColumnForAdhesion(LoadState load, std::string_view adhesion) {
    // The three lowest adhesion texts share the last column of each load state.
    constexpr int kOffsetInLoad[7] = {1, 2, 3, 4, 5, 5, 5};
    int firstColumn = kColumnsPerLoad * static_cast<int>(load);
    Fixed4 value;
    try {
        value = ParseFixed4(adhesion);
    } catch (const NumericError&) {
        return std::nullopt;
    }
    auto texts = AdhesionTexts();
    for (int i = 0; i < 7; ++i)
        if (ParseFixed4(texts[i]) == value) return firstColumn + kOffsetInLoad[i];
    return std::nullopt;
}

LoadState LoadOfColumn(int column) {
    return static_cast<LoadState>((column - 1) / kColumnsPerLoad);
}

std::optional<std::string> LookUpEfficiency(double row, double column) {
    for (int r = 1; r <= kEfficiencyRows; ++r) {
        for (int c = 1; c <= kEfficiencyColumns; ++c) {
            if (row != r || column != c) continue;
            double k = EfficiencyTable[r - 1][c - 1];
            return k == 1 ? FormatInteger(1) : FormatDouble(k);
        }
    }
    return std::nullopt;
}

namespace {
constexpr const InputDescriptor* kLoadInputs[] = {&input::kCoefficient, &input::kInitialSpeed,
                                                  &input::kAdhesion, &input::kDeceleration,
                                                  &input::kRise};
} // namespace

InputList LoadBrakingInputList() {
    return kLoadInputs;
}

LoadBrakingResults ComputeLoadBraking(const LoadBrakingInputs& in, CalculationRecord* record) {
    RecordWriter rec(record, "loading", "Тормозной путь в зависимости от загрузки автомобиля");
    const auto values =
        rec.ReadInputs(std::array<std::string_view, 5>{in.coefficient, in.speed, in.adhesion,
                                                       in.deceleration, in.riseTime},
                       kLoadInputs);
    // Named copies, not a structured binding: clang 14 lets no lambda capture one.
    const Fixed4 k = values[0], v = values[1], phi = values[2], j = values[3], t3 = values[4];

    try {
        // Braking distance K·V² / (254·φ).
        double p = ToDouble(MulFixed4(MulFixed4(k, v), v));
        double d = ToDouble(MulFixed4Int(254, phi));
        Fixed4 distance = ToFixed4(FloatingStep([&] { return p / d; }));
        if (rec)
            rec.Step("braking_distance_m", std::string(kBrakingDistanceName),
                     "Sт = K × V × V / (254 × φ)",
                     Text(k) + " × " + Text(v) + " × " + Text(v) + " / (254 × " + Text(phi) + ")",
                     distance, "м");

        const Fixed4 speedMs = SpeedInMetres(v, rec);
        const AfterRise rise = SpeedAfterRise(speedMs, j, t3, rec);
        Fixed4 time, skid;
        if (!rise.stopsEarly) {
            time = BrakingTime(ToDouble(v), j, t3, rec);
            skid = SkidLength(rise.slowed, j, rec);
        }

        LoadBrakingResults results{ResultText(speedMs), ResultText(distance), ResultText(time),
                                   ResultText(skid)};
        rec.Result("speed_ms", "Скорость в начале торможения", results.speedMs, "м/с");
        rec.Result("braking_distance_m", kBrakingDistanceName, results.brakingDistance, "м");
        rec.Result("braking_time_s", "Время полного торможения", results.brakingTime, "с");
        rec.Result("skid_m", "Длина тормозного следа", results.skid, "м");
        rec.Finish();
        return results;
    } catch (const NumericError& error) {
        throw BlameOverflow(error, values);
    }
}

LoadBrakingResults ComputeLoadBrakingOverRanges(const LoadBrakingInputs& in,
                                                CalculationRecord* record) {
    const std::string texts[] = {in.coefficient, in.speed, in.adhesion, in.deceleration,
                                 in.riseTime};
    // Without a range, the calculation as typed (see ComputeStoppingOverRanges).
    if (std::none_of(std::begin(texts), std::end(texts),
                     [](const std::string& t) { return SplitRange(t).has_value(); }))
        return ComputeLoadBraking(in, record);
    const std::vector<InputValue> values = ReadInputValues(texts, kLoadInputs);
    std::vector<CalculationRecord> corners;
    ForEachCorner(values, [&](const std::vector<std::string>& at) {
        ComputeLoadBraking({at[0], at[1], at[2], at[3], at[4]}, &corners.emplace_back());
    });
    CalculationRecord merged = MergeCorners(std::move(corners), values, kLoadInputs);
    const auto& r = merged.results;
    LoadBrakingResults results{r[0].text, r[1].text, r[2].text, r[3].text};
    if (record) *record = std::move(merged);
    return results;
}

RecordStep LookUpStep(int row, int column, const std::string& coefficient) {
    return {"Коэффициент эффективности торможения по таблице",
            "K = таблица[строка; столбец]",
            "таблица[" + std::to_string(row) + "; " + std::to_string(column) + "]",
            coefficient,
            "",
            "coefficient"};
}

void StartFromTable(CalculationRecord& record, int row, int column,
                    const std::string& coefficient) {
    const RowCategory vehicle = CategoryOfRow(row);
    record.inputs.insert(
        record.inputs.begin(),
        {{"Группа транспортных средств", std::string(GroupName(vehicle.group)), "", "group", ""},
         {"Категория", std::string(vehicle.name), "", "category", ""},
         {"Загрузка", std::string(LoadCaption(LoadOfColumn(column))), "", "load", ""}});
    record.steps.insert(record.steps.begin(), LookUpStep(row, column, coefficient));
}

} // namespace core
