#include "core/stopping.h"

#include "core/inputs.h"
#include "core/numeric.h"
#include "core/record_writer.h"

namespace core {
namespace {

std::string ResultText(Fixed4 value) {
    return FormatFixed4(RoundDecimal(value, 1));
}

// Stopping distance from a speed in km/h: V² / (26·j) + V / 3.6 · lag.
Fixed4 StoppingDistance(double speed, Fixed4 j, Fixed4 lag, RecordWriter& rec) {
    double denominator = ToDouble(MulFixed4Int(26, j));
    Fixed4 distance = ToFixed4(FloatingStep(
        [&] { return PowerDouble(speed, 2) / denominator + (speed / 3.6) * ToDouble(lag); }));
    rec.Step("stopping_distance_m", "Остановочный путь",
             "Sо = V² / (26 × j) + V / 3,6 × (t1 + t2 + t3 / 2)",
             "(" + Text(speed) + ")² / (26 × " + Text(j) + ") + " + Text(speed) + " / 3,6 × " +
                 Text(lag),
             distance, "м");
    return distance;
}

// Braking time from a speed in km/h, taken in m/s: V / 3.6 / j − t3 / 2.
Fixed4 BrakingTime(double speed, Fixed4 j, Fixed4 t3, RecordWriter& rec) {
    Fixed4 time =
        ToFixed4(FloatingStep([&] { return speed / 3.6 / ToDouble(j) - ToDouble(t3) * 0.5; }));
    rec.Step("braking_time_s", "Время полного торможения", "T = V / 3,6 / j − t3 / 2",
             Text(speed) + " / 3,6 / " + Text(j) + " − " + Text(t3) + " / 2", time, "с");
    rec.Note(kSpeedInMetres);
    return time;
}

} // namespace

StoppingResults ComputeStopping(const StoppingInputs& in, StoppingMode mode,
                                CalculationRecord* record) {
    const bool skidKnown = mode == StoppingMode::SkidKnown;
    RecordWriter rec(record, "stopping",
                     skidKnown ? "Скорость и остановочный путь по длине тормозного следа"
                               : "Длина тормозного следа и остановочный путь по скорости");
    Fixed4 t1 = ReadInput(in.t1, kReaction, Accepts::NonNegative);
    Fixed4 t2 = ReadInput(in.t2, kDelay, Accepts::NonNegative);
    Fixed4 t3 = ReadInput(in.t3, kRise, Accepts::NonNegative);
    Fixed4 x = ReadInput(in.x, kSkidOrSpeed, Accepts::NonNegative);
    Fixed4 j = ReadInput(in.j, kDeceleration, Accepts::Positive);
    rec.Input("reaction_s", "Время реакции водителя, t1", in.t1, t1, "с");
    rec.Input("delay_s", "Время запаздывания срабатывания тормозного привода, t2", in.t2, t2, "с");
    rec.Input("rise_s", "Время нарастания замедления, t3", in.t3, t3, "с");
    rec.Input(skidKnown ? "skid_m" : "speed_kmh",
              skidKnown ? "Длина тормозного следа (юза), S" : "Скорость автомобиля, V", in.x, x,
              skidKnown ? "м" : "км/ч");
    rec.Input("deceleration_ms2", "Установившееся замедление, j", in.j, j, "м/с²");

    const Fixed4 inputs[] = {t1, t2, t3, x, j};
    try {
        // Time at constant speed: reaction, brake-drive delay and half the rise time.
        Fixed4 halfT3 = ToFixed4(FloatingStep([&] { return ToDouble(t3) * 0.5; }));
        Fixed4 lag = AddFixed4(AddFixed4(t1, t2), halfT3);
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
            rec.Step("speed_kmh", "Скорость в начале торможения",
                     "V = (j × t3 / 2 + √(2 × S × j)) × 3600 / 1000",
                     "(" + Text(j) + " × " + Text(t3) + " / 2 + √(2 × " + Text(x) + " × " +
                         Text(j) + ")) × 3600 / 1000",
                     speed, "км/ч");
            rec.Step("speed_ms", "Скорость в начале торможения, м/с",
                     "v = j × t3 / 2 + √(2 × S × j)",
                     Text(j) + " × " + Text(t3) + " / 2 + √(2 × " + Text(x) + " × " + Text(j) + ")",
                     speedMs, "м/с");
            distance = StoppingDistance(ToDouble(speed), j, lag, rec);
            time = BrakingTime(ToDouble(speed), j, t3, rec);
            first = speed;
        } else {
            speedMs =
                ToFixed4(FloatingStep([&] { return ToDouble(MulFixed4Int(1000, x)) / 3600; }));
            rec.Step("speed_ms", "Скорость, м/с", "v = V × 1000 / 3600", Text(x) + " × 1000 / 3600",
                     speedMs, "м/с");
            Fixed4 loss =
                ToFixed4(FloatingStep([&] { return ToDouble(j) * (ToDouble(t3) * 0.5); }));
            rec.Step("rise_loss_ms", "Снижение скорости за время нарастания замедления",
                     "j × t3 / 2", Text(j) + " × " + Text(t3) + " / 2", loss, "м/с");
            double twiceJ = ToDouble(MulFixed4Int(2, j));
            Fixed4 slowed = SubFixed4(speedMs, loss);
            rec.Step("slowed_speed_ms", "Скорость в начале полного торможения", "v − j × t3 / 2",
                     Text(speedMs) + " − " + Text(loss), slowed, "м/с");
            // Stopped while the deceleration was still rising: no full braking, no skid mark.
            bool stopsEarly = slowed.units <= 0;
            Fixed4 skid;
            if (stopsEarly) {
                rec.Note(kStopsEarly);
            } else {
                skid = ToFixed4(
                    FloatingStep([&] { return PowerDouble(ToDouble(slowed), 2) / twiceJ; }));
                rec.Step("skid_m", "Длина тормозного следа", "S = (v − j × t3 / 2)² / (2 × j)",
                         "(" + Text(slowed) + ")² / (2 × " + Text(j) + ")", skid, "м");
            }
            distance = StoppingDistance(ToDouble(x), j, lag, rec);
            if (!stopsEarly) time = BrakingTime(ToDouble(x), j, t3, rec);
            first = skid;
        }
        StoppingResults results{ResultText(first), ResultText(speedMs), ResultText(distance),
                                ResultText(time)};
        rec.Result(skidKnown ? "speed_kmh" : "skid_m",
                   skidKnown ? "Скорость" : "Длина тормозного следа (юз)", results.first,
                   skidKnown ? "км/ч" : "м");
        rec.Result("speed_ms", "Скорость", results.speedMs, "м/с");
        rec.Result("stopping_distance_m", "Остановочный путь", results.distance, "м");
        rec.Result("braking_time_s", "Время полного торможения", results.time, "с");
        rec.Finish();
        return results;
    } catch (const NumericError& error) {
        throw BlameOverflow(error, inputs);
    }
}

} // namespace core
