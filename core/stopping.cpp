#include "core/stopping.h"

#include <algorithm>

#include "core/braking.h"
#include "core/inputs.h"
#include "core/numeric.h"
#include "core/range.h"
#include "core/record_writer.h"

namespace core {
namespace {

constexpr const InputDescriptor* kSkidKnownInputs[] = {
    &input::kReaction, &input::kDelay, &input::kRise, &input::kSkid, &input::kDeceleration};
constexpr const InputDescriptor* kSpeedKnownInputs[] = {
    &input::kReaction, &input::kDelay, &input::kRise, &input::kSpeed, &input::kDeceleration};
constexpr const InputDescriptor* kSkidToImpactInputs[] = {
    &input::kReaction, &input::kDelay,        &input::kRise,
    &input::kSkid,     &input::kDeceleration, &input::kImpactSpeed};

} // namespace

InputList StoppingInputList(StoppingMode mode, bool withImpact) {
    if (mode == StoppingMode::SpeedKnown) return kSpeedKnownInputs;
    return withImpact ? InputList(kSkidToImpactInputs) : InputList(kSkidKnownInputs);
}

StoppingResults ComputeStopping(const StoppingInputs& in, CalculationRecord* record) {
    const bool skidKnown = in.mode == StoppingMode::SkidKnown;
    RecordWriter rec(record, "stopping",
                     skidKnown ? "Скорость и остановочный путь по длине тормозного следа"
                               : "Длина тормозного следа и остановочный путь по скорости");
    const auto values =
        rec.ReadInputs(std::array<std::string_view, 5>{in.t1, in.t2, in.t3, in.skidOrSpeed, in.j},
                       StoppingInputList(in.mode));
    // Named copies, not a structured binding: clang 14 lets no lambda capture one.
    const Fixed4 t1 = values[0], t2 = values[1], t3 = values[2], x = values[3], j = values[4];
    // A skid that ended in a collision: the speed at the impact, read after the others.
    const bool withImpact = skidKnown && !in.impact.empty();
    const Fixed4 impact = withImpact ? ReadInput(in.impact, IndexOf(StoppingInput::ImpactAtSkidEnd),
                                                 input::kImpactSpeed)
                                     : Fixed4{};
    if (withImpact) rec.Input(input::kImpactSpeed, impact);

    try {
        const Fixed4 lag = LagTime(t1, t2, t3, rec);

        Fixed4 speedOrSkid, speedMs, distance, time;
        if (skidKnown) {
            // The impact speed's energy, (Vу / 3,6)² in m²/s², under the root; exactly 0
            // without one, so that the root is the skid's alone.
            const double impactTerm = FloatingStep([&] {
                const double vu = ToDouble(impact) / 3.6;
                return vu * vu;
            });
            double root = FloatingStep([&] {
                return PowerDouble(ToDouble(MulFixed4(MulFixed4Int(2, x), j)) + impactTerm, 0.5);
            });
            double halfRise = FloatingStep([&] { return ToDouble(t3) * 0.5; });
            // km/h as ×3600 ÷1000, and m/s from the same double terms, not from the km/h value.
            Fixed4 speed = ToFixed4(
                FloatingStep([&] { return (ToDouble(j) * halfRise + root) * 3600 / 1000; }));
            speedMs = ToFixed4(FloatingStep([&] { return ToDouble(j) * halfRise + root; }));
            const std::string rootFormula =
                withImpact ? "√(2 × S × j + (Vу / 3,6)²)" : "√(2 × S × j)";
            const std::string rootValues =
                "√(2 × " + Text(x) + " × " + Text(j) +
                (withImpact ? " + (" + Text(impact) + " / 3,6)²)" : std::string(")"));
            if (rec)
                rec.Step("speed_kmh", "Скорость в начале торможения",
                         "V = (j × t3 / 2 + " + rootFormula + ") × 3600 / 1000",
                         "(" + Text(j) + " × " + Text(t3) + " / 2 + " + rootValues +
                             ") × 3600 / 1000",
                         speed, "км/ч");
            if (rec)
                rec.Step("speed_ms", "Скорость в начале торможения, м/с",
                         "v = j × t3 / 2 + " + rootFormula,
                         Text(j) + " × " + Text(t3) + " / 2 + " + rootValues, speedMs, "м/с");
            distance = StoppingDistance(speed, j, lag, rec);
            time = BrakingTime(ToDouble(speed), j, t3, rec);
            speedOrSkid = speed;
        } else {
            speedMs = SpeedInMetres(x, rec);
            const AfterRise rise = SpeedAfterRise(speedMs, j, t3, rec);
            if (!rise.stopsEarly) speedOrSkid = SkidLength(rise.slowed, j, rec);
            distance = StoppingDistance(x, j, lag, rec);
            if (!rise.stopsEarly) time = BrakingTime(ToDouble(x), j, t3, rec);
        }
        StoppingResults results{ResultText(speedOrSkid), ResultText(speedMs), ResultText(distance),
                                ResultText(time)};
        if (skidKnown)
            rec.Result("speed_kmh", "Скорость", results.speedOrSkid, "км/ч");
        else
            rec.Result("skid_m", "Длина тормозного следа (юз)", results.speedOrSkid, "м");
        rec.Result("speed_ms", "Скорость", results.speedMs, "м/с");
        rec.Result("stopping_distance_m", "Остановочный путь", results.stoppingDistance, "м");
        rec.Result("braking_time_s", "Время полного торможения", results.brakingTime, "с");
        rec.Finish();
        return results;
    } catch (const NumericError& error) {
        const Fixed4 read[] = {t1, t2, t3, x, j, impact};
        throw BlameOverflow(error, std::span(read, withImpact ? 6 : 5));
    }
}

StoppingResults ComputeStoppingOverRanges(const StoppingInputs& in, CalculationRecord* record) {
    const bool withImpact = in.mode == StoppingMode::SkidKnown && !in.impact.empty();
    const InputList inputs = StoppingInputList(in.mode, withImpact);
    const std::string texts[] = {in.t1, in.t2, in.t3, in.skidOrSpeed, in.j, in.impact};
    // Without a range there is one corner, the calculation as typed: it reads and refuses each
    // value as it would be read here, and a batch of single values pays nothing for ranges.
    if (std::none_of(std::begin(texts), std::end(texts),
                     [](const std::string& t) { return SplitRange(t).has_value(); }))
        return ComputeStopping(in, record);
    const std::vector<InputValue> values = ReadInputValues(texts, inputs);
    std::vector<CalculationRecord> corners;
    const auto at = [&](const std::vector<std::string>& t, CalculationRecord& into) {
        ComputeStopping({in.mode, t[0], t[1], t[2], t[3], t[4], withImpact ? t[5] : std::string()},
                        &into);
    };
    ForEachCorner(values,
                  [&](const std::vector<std::string>& t) { at(t, corners.emplace_back()); });
    constexpr int decelerationAt = IndexOf(StoppingInput::Deceleration);
    if (withImpact && values[decelerationAt].IsRange()) {
        // Every result but one is monotone in every input. The stopping distance from a speed
        // that includes the impact's energy is not in j: V²/(26·j) holds (Vу/3,6)²/j, which
        // falls as j grows while the rest grows with it. Its derivative changes sign once, from
        // falling to rising, so its greatest value is at a corner and its least may lie inside
        // j's range: for each corner of the other inputs it is found there by halving on
        // whether the distance still falls one ten-thousandth further on.
        std::vector<InputValue> others = values;
        others[decelerationAt].high = others[decelerationAt].low;
        others[decelerationAt].highText = others[decelerationAt].lowText;
        const Fixed4 jLow = ParseFixed4(values[decelerationAt].lowText);
        const Fixed4 jHigh = ParseFixed4(values[decelerationAt].highText);
        ForEachCorner(others, [&](const std::vector<std::string>& t) {
            std::vector<std::string> point = t;
            const auto distance = [&](std::int64_t j, CalculationRecord& into) {
                point[decelerationAt] = FormatFixed4(Fixed4::FromUnits(j));
                at(point, into);
                for (const RecordStep& step : into.steps)
                    if (step.key == "stopping_distance_m") return ParseFixed4(step.value);
                return Fixed4{};
            };
            std::int64_t low = jLow.units, high = jHigh.units;
            while (low < high) {
                const std::int64_t middle = low + (high - low) / 2;
                CalculationRecord here, next;
                if (distance(middle + 1, next).units < distance(middle, here).units)
                    low = middle + 1;
                else
                    high = middle;
            }
            distance(low, corners.emplace_back());
        });
    }
    CalculationRecord merged = MergeCorners(std::move(corners), values, inputs);
    const auto& r = merged.results;
    StoppingResults results{r[0].text, r[1].text, r[2].text, r[3].text};
    if (record) *record = std::move(merged);
    return results;
}

} // namespace core
