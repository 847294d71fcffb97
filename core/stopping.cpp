#include "core/stopping.h"

#include "core/inputs.h"
#include "core/numeric.h"

namespace core {
namespace {

std::string ResultText(Fixed4 value) {
    return FormatFixed4(RoundDecimal(value, 1));
}

// Stopping distance from a speed in km/h: V² / (26·j) + V / 3.6 · lag.
Fixed4 StoppingDistance(double speed, Fixed4 j, Fixed4 lag) {
    double denominator = ToDouble(MulFixed4Int(26, j));
    return ToFixed4(FloatingStep(
        [&] { return PowerDouble(speed, 2) / denominator + (speed / 3.6) * ToDouble(lag); }));
}

// Braking time from a speed in km/h, taken in m/s: V / 3.6 / j − t3 / 2.
Fixed4 BrakingTime(double speed, Fixed4 j, Fixed4 t3) {
    return ToFixed4(FloatingStep([&] { return speed / 3.6 / ToDouble(j) - ToDouble(t3) * 0.5; }));
}

} // namespace

StoppingResults ComputeStopping(const StoppingInputs& in, StoppingMode mode) {
    Fixed4 t1 = ReadInput(in.t1, kReaction, Accepts::NonNegative);
    Fixed4 t2 = ReadInput(in.t2, kDelay, Accepts::NonNegative);
    Fixed4 t3 = ReadInput(in.t3, kRise, Accepts::NonNegative);
    Fixed4 x = ReadInput(in.x, kSkidOrSpeed, Accepts::NonNegative);
    Fixed4 j = ReadInput(in.j, kDeceleration, Accepts::Positive);

    // Time at constant speed: reaction, brake-drive delay and half the rise time.
    Fixed4 halfT3 = ToFixed4(FloatingStep([&] { return ToDouble(t3) * 0.5; }));
    Fixed4 lag = AddFixed4(AddFixed4(t1, t2), halfT3);

    Fixed4 first, speedMs, distance, time;
    if (mode == StoppingMode::SkidKnown) {
        double root = FloatingStep(
            [&] { return PowerDouble(ToDouble(MulFixed4(MulFixed4Int(2, x), j)), 0.5); });
        double halfRise = FloatingStep([&] { return ToDouble(t3) * 0.5; });
        // km/h as ×3600 ÷1000, and m/s from the same double terms, not from the km/h value.
        Fixed4 speed =
            ToFixed4(FloatingStep([&] { return (ToDouble(j) * halfRise + root) * 3600 / 1000; }));
        speedMs = ToFixed4(FloatingStep([&] { return ToDouble(j) * halfRise + root; }));
        distance = StoppingDistance(ToDouble(speed), j, lag);
        time = BrakingTime(ToDouble(speed), j, t3);
        first = speed;
    } else {
        speedMs = ToFixed4(FloatingStep([&] { return ToDouble(MulFixed4Int(1000, x)) / 3600; }));
        Fixed4 loss = ToFixed4(FloatingStep([&] { return ToDouble(j) * (ToDouble(t3) * 0.5); }));
        double twiceJ = ToDouble(MulFixed4Int(2, j));
        Fixed4 slowed = SubFixed4(speedMs, loss);
        // Stopped while the deceleration was still rising: no full braking, no skid mark.
        bool stopsEarly = slowed.units <= 0;
        Fixed4 skid = stopsEarly ? Fixed4{} : ToFixed4(FloatingStep([&] {
            return PowerDouble(ToDouble(slowed), 2) / twiceJ;
        }));
        distance = StoppingDistance(ToDouble(x), j, lag);
        time = stopsEarly ? Fixed4{} : BrakingTime(ToDouble(x), j, t3);
        first = skid;
    }
    return {ResultText(first), ResultText(speedMs), ResultText(distance), ResultText(time)};
}

} // namespace core
