#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/inputs.h"
#include "core/record.h"

// Braking distance by vehicle category, load and road adhesion, through a table of
// braking-efficiency coefficients.
namespace core {

// The groups of vehicles the coefficient table is arranged by.
enum class VehicleGroup {
    CarsAndBuses, // "Легковые и автобусы одиночные и автопоезда"
    Trucks,       // "Грузовые одиночное"
    RoadTrains,   // "Грузовые автопоезда с тягачами"
};

// How loaded the vehicle is; each load state has its own columns in the table.
enum class LoadState {
    Unloaded, // "Без нагрузки"
    HalfLoad, // "С нагрузкой 50%"
    FullLoad, // "С полной нагрузкой"
};

inline constexpr int kEfficiencyRows = 9;
inline constexpr int kEfficiencyColumns = 15;

// Coefficients by vehicle row (1..9) and load column (1..15), each index minus one.
extern const std::array<std::array<double, kEfficiencyColumns>, kEfficiencyRows> EfficiencyTable;

// The names of a vehicle group and of a load state, spelt right, as the record, the help and
// the command line give them.
std::string_view GroupName(VehicleGroup group);
std::string_view LoadCaption(LoadState load);

// The three category texts the loading window lists for a group, in list order: its designed
// captions, spelling included ("троллейбусыдо").
std::array<std::string_view, 3> CategoriesOf(VehicleGroup group);

// The name of the category of a table row 1..9, spelt right ("автобусы и троллейбусы до 5 т").
std::string_view CategoryName(int row);

// The seven adhesion texts of the adhesion list, in list order.
std::array<std::string_view, 7> AdhesionTexts();

// Row 1..9 for a category text of the group (exact comparison); nothing for any other text.
std::optional<int> RowForCategory(VehicleGroup group, std::string_view category);

// The group and category text of a table row 1..9; the inverse of RowForCategory.
struct RowCategory {
    VehicleGroup group;
    std::string_view category; // as the window lists it
    std::string_view name;     // as the record names it
};
RowCategory CategoryOfRow(int row);

// Column 1..15 for an adhesion of the list, read as a number ("0.7" and "0,70" are 0,7);
// nothing for any other value or text.
std::optional<int> ColumnForAdhesion(LoadState load, std::string_view adhesion);

// The load state whose columns hold column 1..15.
LoadState LoadOfColumn(int column);

// The coefficient text of the cell at (row, column), "1" for the entries equal to 1;
// nothing when no cell has exactly that row and column.
std::optional<std::string> LookUpEfficiency(double row, double column);

// The name of the braking distance this calculation gives, as its record and any window that
// shows it name it; not the stopping distance, which adds the reaction and brake delays.
inline constexpr std::string_view kBrakingDistanceName = "Тормозной путь";

// Speed in m/s, braking distance, braking time and skid length, one decimal at most.
struct LoadBrakingResults {
    std::string speedMs, brakingDistance, brakingTime, skid;
};

// The texts as typed: the braking-efficiency coefficient K, the speed V (km/h), the adhesion φ,
// the steady deceleration j (m/s²) and the rise time t3 (s).
struct LoadBrakingInputs {
    std::string coefficient, speed, adhesion, deceleration, riseTime;
};

// The inputs of ComputeLoadBraking in reading order, as NumericError::input() names them
// (IndexOf).
enum class LoadBrakingInput : int { Coefficient, Speed, Adhesion, Deceleration, Rise };
InputList LoadBrakingInputList();

// Raises NumericError on any failure, OutOfRange for a negative input or an adhesion or
// deceleration that is not above zero. A car that stops while its deceleration is still
// rising never brakes fully: braking time and skid length are 0.
LoadBrakingResults ComputeLoadBraking(const LoadBrakingInputs& in,
                                      CalculationRecord* record = nullptr);

// The same over ranges: the coefficient, speed, adhesion, deceleration and rise time may each be
// a range ("0,6..1,4"), and each result is then the range of its values over them
// (core/range.h); a single number stays one. An adhesion that picks a table column is a single
// value: the caller gives the coefficient it picked.
LoadBrakingResults ComputeLoadBrakingOverRanges(const LoadBrakingInputs& in,
                                                CalculationRecord* record = nullptr);

// The table look-up as a step of a record, for a calculation that starts from a vehicle row
// and a load column rather than from a typed coefficient.
RecordStep LookUpStep(int row, int column, const std::string& coefficient);

// A record of a calculation that started from the table cell at row 1..9 and column 1..15: the
// vehicle group, category and load of that cell lead its inputs, and the look-up of the cell is
// its first step. They are named from the cell the coefficient came from, whatever a window
// shows chosen meanwhile.
void StartFromTable(CalculationRecord& record, int row, int column, const std::string& coefficient);

} // namespace core
