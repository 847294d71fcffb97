#include "core/stopping.h"

#include "core/braking.h"
#include "core/inputs.h"
#include "core/numeric.h"
#include "core/record_writer.h"

namespace core {
namespace {

// Stopping distance from a speed in km/h: V² / (26·j) + V / 3.6 · lag.
Fixed4 StoppingDistance(double speed, Fixed4 j, Fixed4 lag, RecordWriter& rec) {
    double denominator = ToDouble(MulFixed4Int(26, j));
    Fixed4 distance = ToFixed4(FloatingStep(
        [&] { return PowerDouble(speed, 2) / denominator + (speed / 3.6) * ToDouble(lag); }));
    if (rec)
        rec.Step("stopping_distance_m", "Остановочный путь",
                 "Sо = V² / (26 × j) + V / 3,6 × (t1 + t2 + t3 / 2)",
                 "(" + Text(speed) + ")² / (26 × " + Text(j) + ") + " + Text(speed) + " / 3,6 × " +
                     Text(lag),
                 distance, "м");
    return distance;
}

constexpr const InputDescriptor* kSkidKnownInputs[] = {
    &input::kReaction, &input::kDelay, &input::kRise, &input::kSkid, &input::kDeceleration};
constexpr const InputDescriptor* kSpeedKnownInputs[] = {
    &input::kReaction, &input::kDelay, &input::kRise, &input::kSpeed, &input::kDeceleration};

} // namespace

InputList StoppingInputList(StoppingMode mode) {
    return mode == StoppingMode::SkidKnown ? InputList(kSkidKnownInputs)
                                           : InputList(kSpeedKnownInputs);
}

StoppingResults ComputeStopping(const StoppingInputs& in, StoppingMode mode,
                                CalculationRecord* record) {
    const bool skidKnown = mode == StoppingMode::SkidKnown;
    RecordWriter rec(record, "stopping",
                     skidKnown ? "Скорость и остановочный путь по длине тормозного следа"
                               : "Длина тормозного следа и остановочный путь по скорости");
    const auto values = rec.ReadInputs(
        std::array<std::string_view, 5>{in.t1, in.t2, in.t3, in.x, in.j}, StoppingInputList(mode));
    // Named copies, not a structured binding: clang 14 lets no lambda capture one.
    const Fixed4 t1 = values[0], t2 = values[1], t3 = values[2], x = values[3], j = values[4];

    try {
        // Time at constant speed: reaction, brake-drive delay and half the rise time.
        Fixed4 halfT3 = ToFixed4(FloatingStep([&] { return ToDouble(t3) * 0.5; }));
        Fixed4 lag = AddFixed4(AddFixed4(t1, t2), halfT3);
        if (rec)
            rec.Step("lag_s", "Время движения с начальной скоростью", "t1 + t2 + t3 / 2",
                     Text(t1) + " + " + Text(t2) + " + " + Text(t3) + " / 2", lag, "с");

        Fixed4 first, speedMs, distance, time;
        if (skidKnown) {
            double root = FloatingStep(
                [&] { return PowerDouble(ToDouble(MulFixed4(MulFixed4Int(2, x), j)), 0.5); });
            double halfRise = FloatingStep([&] { return ToDouble(t3) * 0.5; });
            // km/h as ×3600 ÷1000, and m/s from the same double terms, not from the km/h value.
            Fixed4 speed = ToFixed4(
                FloatingStep([&] { return (ToDouble(j) * halfRise + root) * 3600 / 1000; }));
            speedMs = ToFixed4(FloatingStep([&] { return ToDouble(j) * halfRise + root; }));
            if (rec)
                rec.Step("speed_kmh", "Скорость в начале торможения",
                         "V = (j × t3 / 2 + √(2 × S × j)) × 3600 / 1000",
                         "(" + Text(j) + " × " + Text(t3) + " / 2 + √(2 × " + Text(x) + " × " +
                             Text(j) + ")) × 3600 / 1000",
                         speed, "км/ч");
            if (rec)
                rec.Step("speed_ms", "Скорость в начале торможения, м/с",
                         "v = j × t3 / 2 + √(2 × S × j)",
                         Text(j) + " × " + Text(t3) + " / 2 + √(2 × " + Text(x) + " × " + Text(j) +
                             ")",
                         speedMs, "м/с");
            distance = StoppingDistance(ToDouble(speed), j, lag, rec);
            time = BrakingTime(ToDouble(speed), j, t3, rec);
            first = speed;
        } else {
            speedMs = SpeedInMetres(x, rec);
            const AfterRise rise = SpeedAfterRise(speedMs, j, t3, rec);
            if (!rise.stopsEarly) first = SkidLength(rise.slowed, j, rec);
            distance = StoppingDistance(ToDouble(x), j, lag, rec);
            if (!rise.stopsEarly) time = BrakingTime(ToDouble(x), j, t3, rec);
        }
        StoppingResults results{ResultText(first), ResultText(speedMs), ResultText(distance),
                                ResultText(time)};
        if (skidKnown)
            rec.Result("speed_kmh", "Скорость", results.first, "км/ч");
        else
            rec.Result("skid_m", "Длина тормозного следа (юз)", results.first, "м");
        rec.Result("speed_ms", "Скорость", results.speedMs, "м/с");
        rec.Result("stopping_distance_m", "Остановочный путь", results.distance, "м");
        rec.Result("braking_time_s", "Время полного торможения", results.time, "с");
        rec.Finish();
        return results;
    } catch (const NumericError& error) {
        throw BlameOverflow(error, values);
    }
}

} // namespace core
