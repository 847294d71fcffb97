#pragma once

#include <optional>
#include <string>

#include "core/inputs.h"
#include "core/record.h"

// The question an expert's conclusion answers: could the driver have avoided the collision by
// braking in time? For a pedestrian crossing the car's path, and for a fixed obstacle (or the
// distance at which the danger became visible). Every input may be a range ("0,6..1,4"); the
// verdict then holds for every value in the ranges, for none, or is open, and says for which
// values it turns. Verdicts are decided on exact values, never on rounded ones.
namespace core {

// A verdict with its sentence, in the words of an expert's conclusion.
struct Conclusion {
    Verdict verdict = Verdict::None; // Holds, Fails or, over ranges, Open
    std::string text;
};

// A verdict in a word or two, for a table: «да», «нет» or «зависит от значений»; the sentence
// says the rest.
std::string_view VerdictWord(Verdict verdict);

// ---- A pedestrian crossing, the car not braking before the impact ----

// The texts as typed: the car's speed V (km/h), reaction time t1, brake-drive delay t2, rise
// time t3 (s), steady deceleration j (m/s²), the pedestrian's path from the moment the danger
// arose to the impact point Sп (m), the pedestrian's speed Vп (km/h) and, optionally, the
// permitted speed Vдоп (km/h; empty when not given).
struct PedestrianInputs {
    std::string speed, t1, t2, t3, j, path, pedestrianSpeed;
    std::string limit = {};
};

// The inputs in reading order, as NumericError::input() names them (IndexOf).
enum class PedestrianInput : int {
    Speed,
    Reaction,
    Delay,
    Rise,
    Deceleration,
    Path,
    PedestrianSpeed,
    Limit,
};
InputList PedestrianInputList(bool withLimit);

// Tп = 3,6·Sп/Vп (0,01 s), Sa = V·Tп/3,6, Sо (0,1 m), Vкр = 26·j·(Tп − (t1 + t2 + t3/2))/3,6,
// 0 when Tп is not longer (0,1 km/h): each a number or a range "a…b". The driver could have
// avoided the impact when Sо < Sa, which for V > 0 is V < Vкр; over ranges the range of V is
// compared with the range of Vкр. With Vдоп, Sо.доп at the permitted speed against the same Sa.
struct PedestrianResults {
    std::string pedestrianTime, distanceAtDanger, stoppingDistance, criticalSpeed;
    Conclusion avoidable;
    std::string stoppingDistanceAtLimit; // "" without a permitted speed
    std::optional<Conclusion> avoidableAtLimit;
    PathDiagram path; // the terms of Sо along the path, up to the impact point Sa
};

// Raises NumericError naming the input at fault: OutOfRange for a speed, a pedestrian speed, a
// permitted speed or a deceleration that is not above zero and for a negative time or path,
// ReversedRange for a range written high to low, Overflow for a value too large.
PedestrianResults ComputePedestrian(const PedestrianInputs& in,
                                    CalculationRecord* record = nullptr);

// ---- A fixed obstacle, or the distance at which the danger became visible ----

// The texts as typed: V, t1, t2, t3, j as above and the distance Sв (m) to the obstacle when
// the danger arose.
struct ObstacleInputs {
    std::string speed, t1, t2, t3, j, visibility;
};

enum class ObstacleInput : int {
    Speed,
    Reaction,
    Delay,
    Rise,
    Deceleration,
    Visibility,
};
InputList ObstacleInputList();

// Sо against Sв, and the speed Vбез whose stopping distance is Sв (the speed safe for that
// distance), found on the same exact Sо so that the two agree: Sо < Sв exactly when V < Vбез.
struct ObstacleResults {
    std::string stoppingDistance;
    Conclusion avoidable;
    std::string safeSpeed;
    PathDiagram path; // the terms of Sо along the path, up to the obstacle at Sв
};
ObstacleResults ComputeObstacle(const ObstacleInputs& in, CalculationRecord* record = nullptr);

} // namespace core
