#include "core/loading.h"

#include "core/inputs.h"
#include "core/numeric.h"
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

std::string_view GroupCaption(VehicleGroup group) {
    switch (group) {
    case VehicleGroup::CarsAndBuses:
        return "Легковые и автобусы одиночные и автопоезда";
    case VehicleGroup::Trucks:
        return "Грузовые одиночное";
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
    return {group, CategoriesOf(group)[static_cast<std::size_t>((row - 1) % 3)]};
}

std::optional<int> ColumnForAdhesion(LoadState load, std::string_view adhesion) {
    // The three lowest adhesion texts share the last column of each load state.
    constexpr int kOffsetInLoad[7] = {1, 2, 3, 4, 5, 5, 5};
    int firstColumn = 5 * static_cast<int>(load);
    auto texts = AdhesionTexts();
    for (int i = 0; i < 7; ++i)
        if (texts[i] == adhesion) return firstColumn + kOffsetInLoad[i];
    return std::nullopt;
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

LoadBrakingResults ComputeLoadBraking(std::string_view coefficient, std::string_view speed,
                                      std::string_view adhesion, std::string_view deceleration,
                                      std::string_view riseTime, CalculationRecord* record) {
    RecordWriter rec(record, "loading", "Тормозной путь в зависимости от загрузки автомобиля");
    Fixed4 k = ReadInput(coefficient, kLoadCoefficient, Accepts::Positive);
    Fixed4 v = ReadInput(speed, kLoadSpeed, Accepts::NonNegative);
    Fixed4 phi = ReadInput(adhesion, kLoadAdhesion, Accepts::Positive);
    Fixed4 j = ReadInput(deceleration, kLoadDeceleration, Accepts::Positive);
    Fixed4 t3 = ReadInput(riseTime, kLoadRise, Accepts::NonNegative);
    rec.Input("coefficient", "Коэффициент эффективности торможения, K", coefficient, k, "");
    rec.Input("speed_kmh", "Скорость в начале торможения, V", speed, v, "км/ч");
    rec.Input("adhesion", "Коэффициент сцепления, φ", adhesion, phi, "");
    rec.Input("deceleration_ms2", "Установившееся замедление, j", deceleration, j, "м/с²");
    rec.Input("rise_s", "Время нарастания замедления, t3", riseTime, t3, "с");

    const Fixed4 inputs[] = {k, v, phi, j, t3};
    try {
        // Braking distance K·V² / (254·φ).
        double p = ToDouble(MulFixed4(MulFixed4(k, v), v));
        double d = ToDouble(MulFixed4Int(254, phi));
        Fixed4 distance = ToFixed4(FloatingStep([&] { return p / d; }));
        rec.Step("braking_distance_m", "Тормозной путь", "Sт = K × V × V / (254 × φ)",
                 Text(k) + " × " + Text(v) + " × " + Text(v) + " / (254 × " + Text(phi) + ")",
                 distance, "м");

        Fixed4 speedMs =
            ToFixed4(FloatingStep([&] { return ToDouble(MulFixed4Int(1000, v)) / 3600; }));
        rec.Step("speed_ms", "Скорость в начале торможения, м/с", "v = V × 1000 / 3600",
                 Text(v) + " × 1000 / 3600", speedMs, "м/с");

        // Stopped while the deceleration was still rising: no full braking, no skid mark.
        Fixed4 loss = ToFixed4(FloatingStep([&] { return ToDouble(t3) * 0.5 * ToDouble(j); }));
        rec.Step("rise_loss_ms", "Снижение скорости за время нарастания замедления", "t3 / 2 × j",
                 Text(t3) + " / 2 × " + Text(j), loss, "м/с");
        Fixed4 slowed = SubFixed4(speedMs, loss);
        rec.Step("slowed_speed_ms", "Скорость в начале полного торможения", "v − t3 / 2 × j",
                 Text(speedMs) + " − " + Text(loss), slowed, "м/с");
        bool stopsEarly = slowed.units <= 0;

        // Braking time with the speed taken in m/s: V / 3.6 / j − t3 / 2.
        Fixed4 time;
        if (stopsEarly) {
            rec.Note(kStopsEarly);
        } else {
            time = ToFixed4(
                FloatingStep([&] { return ToDouble(v) / 3.6 / ToDouble(j) - ToDouble(t3) * 0.5; }));
            rec.Step("braking_time_s", "Время полного торможения", "T = V / 3,6 / j − t3 / 2",
                     Text(v) + " / 3,6 / " + Text(j) + " − " + Text(t3) + " / 2", time, "с");
            rec.Note(kSpeedInMetres);
        }

        // Skid length (v − j·t3/2)² / (2·j).
        double twiceJ = ToDouble(MulFixed4Int(2, j));
        Fixed4 skid;
        if (!stopsEarly) {
            skid =
                ToFixed4(FloatingStep([&] { return PowerDouble(ToDouble(slowed), 2) / twiceJ; }));
            rec.Step("skid_m", "Длина тормозного следа", "L = (v − t3 / 2 × j)² / (2 × j)",
                     "(" + Text(slowed) + ")² / (2 × " + Text(j) + ")", skid, "м");
        }

        auto text = [](Fixed4 value) { return FormatFixed4(RoundDecimal(value, 1)); };
        LoadBrakingResults results{text(speedMs), text(distance), text(time), text(skid)};
        rec.Result("speed_ms", "Скорость в начале торможения", results.speedMs, "м/с");
        rec.Result("braking_distance_m", "Тормозной путь", results.distance, "м");
        rec.Result("braking_time_s", "Время полного торможения", results.time, "с");
        rec.Result("skid_m", "Длина тормозного следа", results.skid, "м");
        rec.Finish();
        return results;
    } catch (const NumericError& error) {
        throw BlameOverflow(error, inputs);
    }
}

RecordStep LookUpStep(int row, int column, const std::string& coefficient) {
    return {"Коэффициент эффективности торможения по таблице",
            "K = таблица[строка; столбец]",
            "таблица[" + std::to_string(row) + "; " + std::to_string(column) + "]",
            coefficient,
            "",
            "coefficient"};
}

void StartFromTable(CalculationRecord& record, std::string_view group, std::string_view category,
                    std::string_view load, int row, int column, const std::string& coefficient) {
    record.inputs.insert(record.inputs.begin(),
                         {{"Группа транспортных средств", std::string(group), "", "group", ""},
                          {"Категория", std::string(category), "", "category", ""},
                          {"Загрузка", std::string(load), "", "load", ""}});
    record.steps.insert(record.steps.begin(), LookUpStep(row, column, coefficient));
}

} // namespace core
