#pragma once

#include <string>

#include "core/inputs.h"
#include "core/record.h"

// The speed at the impact of a car that braked and skidded into a collision, from its speed at
// the start of braking and the skid up to the impact. The other way round, the speed at the
// start of braking from the impact speed, is ComputeStopping's with an impact speed.
namespace core {

// The texts as typed: the speed at the start of braking V (km/h), the rise time t3 (s), the
// steady deceleration j (m/s²) and the skid up to the impact S (m). Each may be a range.
struct ImpactInputs {
    std::string speed, t3, j, skid;
};

// The inputs in reading order, as NumericError::input() names them (IndexOf).
enum class ImpactInput : int { StartSpeed, Rise, Deceleration, Skid };
InputList ImpactInputList();

// The speed at the impact (km/h), one decimal at most; over ranges, the range "a…b".
struct ImpactResults {
    std::string impactSpeed;
};

// Vу = √((V − 1,8·t3·j)² − 25,92·j·S), 0,1 km/h: the skid formula's energy, with 25,92 =
// 2·3,6², taken from the energy at the start of full braking. It grows with V and falls as t3,
// j and S grow. Where the car would have stopped before the end of the skid (V ≤ 1,8·t3·j, or
// the root's argument below zero) there was no impact at speed: StopsBeforeImpact, naming the
// speed; over ranges, when it is so for any of the values. Raises NumericError for an input
// that cannot be read, as the other calculations do.
ImpactResults ComputeImpact(const ImpactInputs& in, CalculationRecord* record = nullptr);

} // namespace core
