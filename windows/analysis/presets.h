#pragma once

#include <QString>
#include <vector>

// The values experts take from published tables, offered beside the fields they fill, each with
// its source: the pedestrian's speed by age, sex and pace, the steady deceleration by vehicle
// type (the brake-test norms) and the main window's dry and wet values, and the adhesion
// coefficient by surface, which only hints. A cell the tables leave out is not offered.
namespace analysis {

struct PedestrianPreset {
    QString age;             // "20–30"
    QString sex;             // "мужской"
    QString pace;            // "спокойный шаг"
    QString low, high, mean; // km/h, as the table gives them
    // "20–30 лет, мужской, спокойный шаг: 4,8–6,2 (5,7) км/ч"
    QString Caption() const;
};
const std::vector<PedestrianPreset>& PedestrianPresets();
// Where the pedestrian speeds come from, as the tooltip, the help and the record name it.
extern const QString kPedestrianSource;

struct DecelerationPreset {
    QString caption; // "Легковые и их модификации для перевозки грузов"
    QString value; // "6,8"
    QString source;
};
const std::vector<DecelerationPreset>& DecelerationPresets();

struct AdhesionHint {
    QString surface; // "Асфальтобетон"
    QString dry;     // "0,70–0,80"
    QString wet;     // "0,45–0,55"; "" where the table gives none
};
const std::vector<AdhesionHint>& AdhesionHints();
extern const QString kAdhesionSource;

} // namespace analysis
