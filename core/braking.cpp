#include "core/braking.h"

#include "core/numeric.h"

namespace core {

std::string ResultText(Fixed4 value) {
    return FormatFixed4(RoundDecimal(value, 1));
}

Fixed4 SpeedInMetres(Fixed4 speedKmh, RecordWriter& rec) {
    const Fixed4 speedMs =
        ToFixed4(FloatingStep([&] { return ToDouble(MulFixed4Int(1000, speedKmh)) / 3600; }));
    if (rec)
        rec.Step("speed_ms", "Скорость в начале торможения, м/с", "v = V × 1000 / 3600",
                 Text(speedKmh) + " × 1000 / 3600", speedMs, "м/с");
    return speedMs;
}

AfterRise SpeedAfterRise(Fixed4 speedMs, Fixed4 j, Fixed4 t3, RecordWriter& rec) {
    const Fixed4 loss = ToFixed4(FloatingStep([&] { return ToDouble(j) * (ToDouble(t3) * 0.5); }));
    if (rec)
        rec.Step("rise_loss_ms", "Снижение скорости за время нарастания замедления", "j × t3 / 2",
                 Text(j) + " × " + Text(t3) + " / 2", loss, "м/с");
    const Fixed4 slowed = SubFixed4(speedMs, loss);
    if (rec)
        rec.Step("slowed_speed_ms", "Скорость в начале полного торможения", "v − j × t3 / 2",
                 Text(speedMs) + " − " + Text(loss), slowed, "м/с");
    const bool stopsEarly = slowed.units <= 0;
    if (stopsEarly) rec.Note(kStopsEarly);
    return {slowed, stopsEarly};
}

Fixed4 BrakingTime(double speedKmh, Fixed4 j, Fixed4 t3, RecordWriter& rec) {
    const Fixed4 time =
        ToFixed4(FloatingStep([&] { return speedKmh / 3.6 / ToDouble(j) - ToDouble(t3) * 0.5; }));
    if (rec)
        rec.Step("braking_time_s", "Время полного торможения", "T = V / 3,6 / j − t3 / 2",
                 Text(speedKmh) + " / 3,6 / " + Text(j) + " − " + Text(t3) + " / 2", time, "с");
    rec.Note(kSpeedInMetres);
    return time;
}

Fixed4 SkidLength(Fixed4 slowed, Fixed4 j, RecordWriter& rec) {
    const double twiceJ = ToDouble(MulFixed4Int(2, j));
    const Fixed4 skid =
        ToFixed4(FloatingStep([&] { return PowerDouble(ToDouble(slowed), 2) / twiceJ; }));
    if (rec)
        rec.Step("skid_m", "Длина тормозного следа", "S = (v − j × t3 / 2)² / (2 × j)",
                 "(" + Text(slowed) + ")² / (2 × " + Text(j) + ")", skid, "м");
    return skid;
}

Fixed4 LagTime(Fixed4 t1, Fixed4 t2, Fixed4 t3, RecordWriter& rec) {
    const Fixed4 halfT3 = ToFixed4(FloatingStep([&] { return ToDouble(t3) * 0.5; }));
    const Fixed4 lag = AddFixed4(AddFixed4(t1, t2), halfT3);
    if (rec)
        rec.Step("lag_s", "Время движения с начальной скоростью", "t1 + t2 + t3 / 2",
                 Text(t1) + " + " + Text(t2) + " + " + Text(t3) + " / 2", lag, "с");
    return lag;
}

Exact PathAtSpeed(const Exact& speedKmh, const Exact& time) {
    return speedKmh / Exact::Ratio(36, 10) * time;
}

Exact StoppingDistance(const Exact& speedKmh, Fixed4 j, Fixed4 lag) {
    return speedKmh * speedKmh / (Exact::Whole(26) * Exact::Of(j)) +
           PathAtSpeed(speedKmh, Exact::Of(lag));
}

Fixed4 StoppingDistance(Fixed4 speedKmh, Fixed4 j, Fixed4 lag, RecordWriter& rec,
                        const DistanceStep& step) {
    const Fixed4 distance = Round(StoppingDistance(Exact::Of(speedKmh), j, lag), 4);
    if (rec) {
        const std::string v(step.speedSymbol);
        rec.Step(std::string(step.key), std::string(step.name),
                 std::string(step.symbol) + " = " + v + "² / (26 × j) + " + v +
                     " / 3,6 × (t1 + t2 + t3 / 2)",
                 "(" + Text(speedKmh) + ")² / (26 × " + Text(j) + ") + " + Text(speedKmh) +
                     " / 3,6 × " + Text(lag),
                 distance, "м");
    }
    return distance;
}

} // namespace core
