#include "core/avoidance.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>
#include <vector>

#include "core/braking.h"
#include "core/exact.h"
#include "core/numeric.h"
#include "core/range.h"
#include "core/record_writer.h"

namespace core {
namespace {

constexpr std::string_view kAvoid =
    "технической возможностью предотвратить наезд путём своевременного применения экстренного "
    "торможения";
constexpr std::string_view kAllValues = "При всех значениях исходных данных в заданных пределах ";
constexpr std::string_view kDepends = "Вывод зависит от значений в заданных пределах: ";
constexpr std::string_view kOthers = "при тех же значениях остальных исходных данных";

constexpr std::string_view kPedestrianTitle =
    "Техническая возможность предотвратить наезд на пешехода";
constexpr std::string_view kPedestrianMethod =
    "методика оценки технической возможности предотвратить наезд на пешехода экстренным "
    "торможением: остановочный путь Sо сравнивается с удалением Sa автомобиля от места наезда в "
    "момент возникновения опасности";
constexpr std::string_view kObstacleTitle =
    "Техническая возможность предотвратить наезд на неподвижное препятствие";
constexpr std::string_view kObstacleMethod =
    "методика оценки технической возможности предотвратить наезд на неподвижное препятствие "
    "экстренным торможением: остановочный путь Sо сравнивается с расстоянием Sв до препятствия в "
    "момент возникновения опасности";

// "располагал технической возможностью …", or "не располагал …"; `would` for what would have
// been at another speed ("располагал бы").
std::string Possibility(bool had, bool would = false) {
    return std::string(had ? "располагал" : "не располагал") + (would ? " бы " : " ") +
           std::string(kAvoid);
}

std::string Join(const std::vector<std::string>& parts) {
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : "; ") + part;
    return text;
}

Exact KmhPerMs() {
    return Exact::Ratio(36, 10);
}

// A value kept with four decimals, as a result shows it.
std::string Shown(Fixed4 kept, int decimals) {
    return FormatFixed4(RoundDecimal(kept, decimals));
}

// An exact value, as a step keeps it.
std::string Kept(const Exact& value) {
    return FormatFixed4(Round(value, 4));
}

bool AnyRange(const std::vector<InputValue>& values) {
    return std::any_of(values.begin(), values.end(),
                       [](const InputValue& v) { return v.IsRange(); });
}

// "Водитель …" from "водитель …", "При …" from "при …": the words a sentence starts with.
std::string Capitalised(std::string_view words) {
    for (const auto& [lower, upper] : {std::pair{"водитель", "Водитель"}, std::pair{"при", "При"}})
        if (words.starts_with(lower))
            return upper + std::string(words.substr(std::string_view(lower).size()));
    return std::string(words);
}

// The verdict decided for every value given: a single one, or every one in the ranges.
Conclusion Decided(bool holds, bool ranged, std::string_view who = "водитель ",
                   bool would = false) {
    const std::string start =
        ranged ? std::string(kAllValues) + std::string(who) : Capitalised(who);
    return {holds ? Verdict::Holds : Verdict::Fails, start + Possibility(holds, would) + "."};
}

// V against a speed it must stay below (Vкр, Vбез), with ranges: the verdict holds for every
// value of the other inputs below `below` (the lowest such speed rounded down to 0,1 km/h),
// fails for every one from `from` (the highest rounded up) and between them turns on the
// other inputs. Only the parts that the range of V reaches are said.
std::string OpenBySpeed(const InputValue& speed, Fixed4 below, Fixed4 from,
                        std::string_view limitName, std::string_view limitSymbol,
                        const std::string& limitRange) {
    std::vector<std::string> parts;
    const bool reachesBelow = Exact::Of(below) > speed.low;
    const bool reachesFrom = Exact::Of(from) <= speed.high;
    if (reachesBelow)
        parts.push_back("при скорости автомобиля ниже " + FormatFixed4(below) + " км/ч водитель " +
                        Possibility(true));
    if (reachesFrom)
        parts.push_back(reachesBelow
                            ? "при скорости " + FormatFixed4(from) + " км/ч и выше — не располагал"
                            : "при скорости автомобиля " + FormatFixed4(from) +
                                  " км/ч и выше водитель " + Possibility(false));
    if (below != from) {
        const std::string where =
            " (в заданных пределах " + std::string(limitSymbol) + " " + limitRange + " км/ч)";
        if (parts.empty())
            parts.push_back("водитель " + Possibility(true) + ", если скорость автомобиля ниже " +
                            std::string(limitName) + " " + std::string(kOthers) +
                            ", и не располагал, если не ниже" + where);
        else {
            // The band where the other inputs decide, within the range of V given: a speed the
            // expert did not give is not his case.
            const std::string bandLow = reachesBelow ? FormatFixed4(below) : Kept(speed.low);
            const std::string bandHigh = reachesFrom ? FormatFixed4(from) : Kept(speed.high);
            parts.push_back("при скорости от " + bandLow + " до " + bandHigh +
                            " км/ч — располагал, если она ниже " + std::string(limitName) + " " +
                            std::string(kOthers) + where);
        }
    }
    return std::string(kDepends) + Join(parts) + ".";
}

// "от 48,0912 до 60,3121", or "54,2308": a value's range over the corners, as its step keeps it.
std::string KeptRange(const Exact& low, const Exact& high) {
    return low == high ? "= " + Kept(low) : "от " + Kept(low) + " до " + Kept(high);
}

// Two results a verdict compares, equal once rounded to 0,1 m: the verdict says it was decided
// on their exact values.
void ExplainTie(Conclusion& conclusion, const std::string& a, const std::string& b,
                std::string_view what) {
    if (a == b)
        conclusion.text += " " + std::string(what) +
                           ", округлённые до 0,1 м, равны; вывод сделан по их точным значениям.";
}

const RecordValue& ResultOf(const CalculationRecord& record, std::string_view key) {
    for (const RecordValue& value : record.results)
        if (value.key == key) return value;
    throw NumericError(NumericErrorKind::InvalidArgument); // every calculation writes its keys
}

const RecordValue& InputOf(const CalculationRecord& record, std::string_view key) {
    for (const RecordValue& value : record.inputs)
        if (value.key == key) return value;
    throw NumericError(NumericErrorKind::InvalidArgument); // every calculation reads its inputs
}

RecordValue VerdictValue(std::string_view key, std::string_view name, const Conclusion& c) {
    return {std::string(name), c.text, "", std::string(key), "", {}, {}, c.verdict};
}

// Where the terms of the stopping distance end along the car's path at one corner of the
// inputs: the reaction, the brake's delay and half the rise at the starting speed, then Sо. The
// same exact values the steps keep: the lag is LagTime's, the stop StoppingDistance's.
struct PathEnds {
    Exact reaction, delay, rise, stop;
};

PathEnds PathEndsAt(Fixed4 v, Fixed4 t1, Fixed4 t2, Fixed4 j, Fixed4 lag) {
    const Exact speed = Exact::Of(v);
    return {PathAtSpeed(speed, Exact::Of(t1)), PathAtSpeed(speed, Exact::Of(t1) + Exact::Of(t2)),
            PathAtSpeed(speed, Exact::Of(lag)), StoppingDistance(speed, j, lag)};
}

// A place on the diagram from its least to its greatest value, with its text: the record's own
// where it shows the value, else to 0,1 m.
PathMark Mark(std::string key, std::string name, std::string symbol, const Exact& low,
              const Exact& high, std::string text = {}) {
    if (text.empty()) text = RangeText(FormatFixed4(Round(low, 1)), FormatFixed4(Round(high, 1)));
    return {std::move(key), std::move(name), std::move(symbol),
            ToDouble(low),  ToDouble(high),  std::move(text)};
}

template <typename Point> std::vector<PathEnds> PathsOf(const std::vector<Point>& points) {
    std::vector<PathEnds> paths;
    for (const Point& point : points)
        paths.push_back(point.path);
    return paths;
}

// The diagram over the corners: each edge spread from its least to its greatest value (each
// grows with V and the times, so the corners hold both); Sо as the record shows it.
PathDiagram DiagramOver(std::span<const PathEnds> corners, const CalculationRecord& record,
                        PathMark target) {
    const auto spread = [&](Exact PathEnds::*edge) {
        Exact low = corners.front().*edge, high = low;
        for (const PathEnds& corner : corners) {
            low = Min(low, corner.*edge);
            high = Max(high, corner.*edge);
        }
        return std::pair{low, high};
    };
    const auto [reactionLow, reactionHigh] = spread(&PathEnds::reaction);
    const auto [delayLow, delayHigh] = spread(&PathEnds::delay);
    const auto [riseLow, riseHigh] = spread(&PathEnds::rise);
    const auto [stopLow, stopHigh] = spread(&PathEnds::stop);
    return {{Mark("reaction_end_m", "Реакция водителя t1", "", reactionLow, reactionHigh),
             Mark("delay_end_m", "Запаздывание привода t2", "", delayLow, delayHigh),
             Mark("rise_end_m", "Нарастание замедления t3 / 2", "", riseLow, riseHigh),
             Mark("stopping_distance_m", "Торможение до остановки", "Sо", stopLow, stopHigh,
                  ResultOf(record, "stopping_distance_m").text)},
            std::move(target)};
}

// ---- The pedestrian ----

constexpr const InputDescriptor* kPedestrianInputs[] = {
    &input::kVehicleSpeed, &input::kReaction,       &input::kDelay,           &input::kRise,
    &input::kDeceleration, &input::kPedestrianPath, &input::kPedestrianSpeed, &input::kSpeedLimit};

constexpr DistanceStep kLimitDistanceStep{
    "stopping_distance_at_limit_m", "Остановочный путь при допустимой скорости", "Sо.доп", "Vдоп"};

// What the verdicts compare, exactly, at one corner of the inputs.
struct PedestrianPoint {
    Exact critical;      // Vкр
    Exact atDanger;      // Sa
    Exact limitDistance; // Sо.доп, with a permitted speed
    PathEnds path;
};

PedestrianPoint PedestrianAt(const std::vector<std::string>& texts, bool withLimit,
                             CalculationRecord* record) {
    RecordWriter rec(record, "pedestrian", std::string(kPedestrianTitle));
    rec.Methodology(kPedestrianMethod);
    const auto values =
        rec.ReadInputs(std::array<std::string_view, 7>{texts[0], texts[1], texts[2], texts[3],
                                                       texts[4], texts[5], texts[6]},
                       PedestrianInputList(false));
    // Named copies, not a structured binding: clang 14 lets no lambda capture one.
    const Fixed4 v = values[IndexOf(PedestrianInput::Speed)],
                 t1 = values[IndexOf(PedestrianInput::Reaction)],
                 t2 = values[IndexOf(PedestrianInput::Delay)],
                 t3 = values[IndexOf(PedestrianInput::Rise)],
                 j = values[IndexOf(PedestrianInput::Deceleration)],
                 sp = values[IndexOf(PedestrianInput::Path)],
                 vp = values[IndexOf(PedestrianInput::PedestrianSpeed)];
    const Fixed4 limit = withLimit ? ReadInput(texts[IndexOf(PedestrianInput::Limit)],
                                               IndexOf(PedestrianInput::Limit), input::kSpeedLimit)
                                   : Fixed4{};
    if (withLimit) rec.Input(input::kSpeedLimit, limit);

    try {
        const Fixed4 lag = LagTime(t1, t2, t3, rec);
        const Exact pedestrianTime = KmhPerMs() * Exact::Of(sp) / Exact::Of(vp);
        const Fixed4 timeKept = Round(pedestrianTime, 4);
        if (rec)
            rec.Step("pedestrian_time_s",
                     "Время движения пешехода от момента возникновения опасности до места наезда",
                     "Tп = 3,6 × Sп / Vп", "3,6 × " + Text(sp) + " / " + Text(vp), timeKept, "с");
        const std::string timeFormula = "3,6 × " + Text(sp) + " / " + Text(vp);

        // Sa = V·Tп/3,6, which is V·Sп/Vп: exactly, from the inputs.
        const Exact atDanger = Exact::Of(v) * Exact::Of(sp) / Exact::Of(vp);
        const Fixed4 atDangerKept = Round(atDanger, 4);
        if (rec)
            rec.Step("distance_at_danger_m",
                     "Удаление автомобиля от места наезда в момент возникновения опасности",
                     "Sa = V × Tп / 3,6 = V × Sп / Vп",
                     Text(v) + " × " + Text(sp) + " / " + Text(vp), atDangerKept, "м");

        const Fixed4 distanceKept = StoppingDistance(v, j, lag, rec);

        // The highest speed at which braking stops the car before the impact point: from
        // V²/(26·j) + V/3,6·(t1 + t2 + t3/2) < V·Tп/3,6, which for V > 0 is V < Vкр.
        Exact critical;
        const Exact lagExact = Exact::Of(lag);
        if (pedestrianTime > lagExact) {
            critical = Exact::Whole(26) * Exact::Of(j) * (pedestrianTime - lagExact) / KmhPerMs();
            if (rec)
                rec.Step("critical_speed_kmh", "Критическая скорость",
                         "Vкр = 26 × j × (Tп − (t1 + t2 + t3 / 2)) / 3,6",
                         "26 × " + Text(j) + " × (" + timeFormula + " − " + Text(lag) + ") / 3,6",
                         Round(critical, 4), "км/ч");
        } else if (rec) {
            rec.Step("critical_speed_kmh",
                     "Критическая скорость: пешеход дошёл бы до места наезда раньше, чем "
                     "автомобиль начал бы тормозить (Tп не больше t1 + t2 + t3 / 2)",
                     "Vкр = 0", "0", Fixed4{}, "км/ч");
        }
        const Fixed4 criticalKept = Round(critical, 4);

        Exact limitDistance;
        Fixed4 limitKept;
        if (withLimit) {
            limitKept = StoppingDistance(limit, j, lag, rec, kLimitDistanceStep);
            limitDistance = StoppingDistance(Exact::Of(limit), j, lag);
        }

        rec.Result("pedestrian_time_s", "Время движения пешехода до места наезда",
                   Shown(timeKept, 2), "с");
        rec.Result("distance_at_danger_m",
                   "Удаление автомобиля от места наезда в момент возникновения опасности",
                   ResultText(atDangerKept), "м");
        rec.Result("stopping_distance_m", "Остановочный путь", ResultText(distanceKept), "м");
        rec.Result("critical_speed_kmh", "Критическая скорость", ResultText(criticalKept), "км/ч");
        if (withLimit)
            rec.Result("stopping_distance_at_limit_m", "Остановочный путь при допустимой скорости",
                       ResultText(limitKept), "м");
        rec.Finish();
        return {critical, atDanger, limitDistance, PathEndsAt(v, t1, t2, j, lag)};
    } catch (const NumericError& error) {
        const Fixed4 read[] = {v, t1, t2, t3, j, sp, vp, limit};
        throw BlameOverflow(error, std::span(read, withLimit ? 8 : 7));
    }
}

// ---- The obstacle ----

constexpr const InputDescriptor* kObstacleInputs[] = {&input::kVehicleSpeed, &input::kReaction,
                                                      &input::kDelay,        &input::kRise,
                                                      &input::kDeceleration, &input::kVisibility};

// The speed whose stopping distance is Sв: kept with four decimals, and rounded down and up to
// 0,1 km/h for the speeds at which a verdict turns.
struct SafeSpeed {
    Fixed4 kept, down, up;
};

// The greatest count k of 10^-n km/h whose stopping distance is not above Sв, found on the exact
// distance: from an estimate, bracketed and halved, so that a poor estimate costs time only.
Exact::Int FittingCount(const Exact& visibility, Fixed4 j, Fixed4 lag, int n, double estimate) {
    const std::int64_t scale = n == 4 ? 10000 : 10;
    const auto fits = [&](Exact::Int k) {
        return StoppingDistance(Exact::Ratio(k, scale), j, lag) <= visibility;
    };
    const double guessed = estimate * static_cast<double>(scale);
    const Exact::Int guess = std::isfinite(guessed) && guessed > 0 && guessed < 1e30
                                 ? static_cast<Exact::Int>(guessed)
                                 : 0;
    Exact::Int low = guess > 2 ? guess - 2 : 0;
    if (!fits(low)) low = 0; // a speed of 0 stops in no distance: it always fits
    Exact::Int high = guess + 2;
    while (fits(high))
        high = high * 2 + 1; // the distance grows without bound: an overflow ends it
    while (high - low > 1) {
        const Exact::Int middle = low + (high - low) / 2;
        (fits(middle) ? low : high) = middle;
    }
    return low;
}

Fixed4 Count(Exact::Int count, std::int64_t unitsPerCount) {
    const Exact::Int units = count * unitsPerCount;
    if (units > INT64_MAX) throw NumericError(NumericErrorKind::Overflow);
    return Fixed4::FromUnits(static_cast<std::int64_t>(units));
}

SafeSpeed SafeSpeedFor(Fixed4 visibility, Fixed4 j, Fixed4 lag) {
    const Exact sv = Exact::Of(visibility);
    // The root of V²/(26·j) + V/3,6·tп = Sв in double, as a first guess only.
    const double t = ToDouble(lag) / 3.6, s = ToDouble(visibility);
    const double estimate =
        s == 0 ? 0 : 2 * s / (t + std::sqrt(t * t + 4 * s / (26 * ToDouble(j))));
    const Exact::Int k = FittingCount(sv, j, lag, 4, estimate);
    // Half to even, against the distance at the midpoint.
    const int side = Compare(StoppingDistance(Exact::Ratio(2 * k + 1, 20000), j, lag), sv);
    const Exact::Int kept = side < 0 || (side == 0 && k % 2 != 0) ? k + 1 : k;
    const Exact::Int tenths = FittingCount(sv, j, lag, 1, estimate);
    const bool exact = StoppingDistance(Exact::Ratio(tenths, 10), j, lag) == sv;
    return {Count(kept, 1), Count(tenths, 1000), Count(exact ? tenths : tenths + 1, 1000)};
}

struct ObstaclePoint {
    PathEnds path;  // up to Sо
    SafeSpeed safe; // Vбез
};

ObstaclePoint ObstacleAt(const std::vector<std::string>& texts, CalculationRecord* record) {
    RecordWriter rec(record, "obstacle", std::string(kObstacleTitle));
    rec.Methodology(kObstacleMethod);
    const auto values = rec.ReadInputs(
        std::array<std::string_view, 6>{texts[0], texts[1], texts[2], texts[3], texts[4], texts[5]},
        ObstacleInputList());
    const Fixed4 v = values[IndexOf(ObstacleInput::Speed)],
                 t1 = values[IndexOf(ObstacleInput::Reaction)],
                 t2 = values[IndexOf(ObstacleInput::Delay)],
                 t3 = values[IndexOf(ObstacleInput::Rise)],
                 j = values[IndexOf(ObstacleInput::Deceleration)],
                 sv = values[IndexOf(ObstacleInput::Visibility)];
    try {
        const Fixed4 lag = LagTime(t1, t2, t3, rec);
        const Fixed4 distanceKept = StoppingDistance(v, j, lag, rec);
        const SafeSpeed safe = SafeSpeedFor(sv, j, lag);
        if (rec)
            rec.Step("safe_speed_kmh", "Безопасная скорость",
                     "Vбез = 2 × Sв / ((t1 + t2 + t3 / 2) / 3,6 + √(((t1 + t2 + t3 / 2) / 3,6)² + "
                     "4 × Sв / (26 × j)))",
                     "2 × " + Text(sv) + " / (" + Text(lag) + " / 3,6 + √((" + Text(lag) +
                         " / 3,6)² + 4 × " + Text(sv) + " / (26 × " + Text(j) + ")))",
                     safe.kept, "км/ч");
        rec.Result("stopping_distance_m", "Остановочный путь", ResultText(distanceKept), "м");
        rec.Result("safe_speed_kmh", "Безопасная скорость", ResultText(safe.kept), "км/ч");
        rec.Finish();
        return {PathEndsAt(v, t1, t2, j, lag), safe};
    } catch (const NumericError& error) {
        throw BlameOverflow(error, values);
    }
}

} // namespace

std::string_view VerdictWord(Verdict verdict) {
    switch (verdict) {
    case Verdict::Holds:
        return "да";
    case Verdict::Fails:
        return "нет";
    case Verdict::Open:
    case Verdict::None:
        break;
    }
    return "зависит от значений";
}

InputList PedestrianInputList(bool withLimit) {
    return InputList(kPedestrianInputs).first(withLimit ? 8 : 7);
}

PedestrianResults ComputePedestrian(const PedestrianInputs& in, CalculationRecord* record) {
    const bool withLimit = !in.limit.empty();
    const InputList inputs = PedestrianInputList(withLimit);
    const std::string texts[] = {in.speed,           in.t1,   in.t2, in.t3, in.j, in.path,
                                 in.pedestrianSpeed, in.limit};
    const std::vector<InputValue> values =
        ReadInputValues(std::span(texts).first(inputs.size()), inputs);
    std::vector<CalculationRecord> corners;
    std::vector<PedestrianPoint> points;
    ForEachCorner(values, [&](const std::vector<std::string>& at) {
        points.push_back(PedestrianAt(at, withLimit, &corners.emplace_back()));
    });
    CalculationRecord merged = MergeCorners(std::move(corners), values, inputs);
    const bool ranged = AnyRange(values);

    // V against Vкр: the two share no input, so every pair of their values occurs.
    Exact criticalLow = points.front().critical, criticalHigh = criticalLow;
    Exact dangerLow = points.front().atDanger, dangerHigh = dangerLow;
    Exact limitLow = points.front().limitDistance, limitHigh = limitLow;
    for (const PedestrianPoint& p : points) {
        criticalLow = Min(criticalLow, p.critical);
        criticalHigh = Max(criticalHigh, p.critical);
        dangerLow = Min(dangerLow, p.atDanger);
        dangerHigh = Max(dangerHigh, p.atDanger);
        limitLow = Min(limitLow, p.limitDistance);
        limitHigh = Max(limitHigh, p.limitDistance);
    }
    const InputValue& speed = values[IndexOf(PedestrianInput::Speed)];
    Conclusion avoidable;
    if (speed.high < criticalLow) {
        avoidable = Decided(true, ranged);
    } else if (speed.low >= criticalHigh) {
        avoidable = Decided(false, ranged);
    } else {
        avoidable = {Verdict::Open,
                     OpenBySpeed(speed, Round(criticalLow, 1, Rounding::Down),
                                 Round(criticalHigh, 1, Rounding::Up), "критической скорости Vкр",
                                 "Vкр", KeptRange(criticalLow, criticalHigh))};
    }
    if (!ranged)
        ExplainTie(avoidable, ResultOf(merged, "stopping_distance_m").text,
                   ResultOf(merged, "distance_at_danger_m").text, "Остановочный путь и удаление");
    merged.results.insert(
        merged.results.begin() + 4,
        VerdictValue("avoidable", "Техническая возможность предотвратить наезд", avoidable));

    // Sо.доп against the same Sa: again no input in common.
    std::optional<Conclusion> atLimit;
    if (withLimit) {
        constexpr std::string_view kWho = "при движении с допустимой скоростью водитель ";
        if (limitHigh < dangerLow) {
            atLimit = Decided(true, ranged, kWho, true);
        } else if (limitLow >= dangerHigh) {
            atLimit = Decided(false, ranged, kWho, true);
        } else {
            const Fixed4 notAbove = Round(limitLow, 1, Rounding::Down);
            const Fixed4 above = Round(limitHigh, 1, Rounding::Up);
            std::vector<std::string> parts;
            const bool reachesAbove = Exact::Of(above) < dangerHigh;
            const bool reachesNotAbove = Exact::Of(notAbove) >= dangerLow;
            if (reachesAbove)
                parts.push_back("при удалении Sa больше " + FormatFixed4(above) + " м водитель " +
                                Possibility(true, true));
            if (reachesNotAbove)
                parts.push_back(reachesAbove
                                    ? "при удалении не больше " + FormatFixed4(notAbove) +
                                          " м — не располагал бы"
                                    : "при удалении Sa не больше " + FormatFixed4(notAbove) +
                                          " м водитель " + Possibility(false, true));
            if (notAbove != above) {
                const std::string where =
                    " (в заданных пределах Sо.доп " + KeptRange(limitLow, limitHigh) + " м)";
                if (parts.empty())
                    parts.push_back("водитель " + Possibility(true, true) +
                                    ", если удаление Sa больше остановочного пути Sо.доп " +
                                    std::string(kOthers) + ", и не располагал бы, если не больше" +
                                    where);
                else
                    parts.push_back("при удалении от " + FormatFixed4(notAbove) + " до " +
                                    FormatFixed4(above) +
                                    " м — располагал бы, если оно больше остановочного пути "
                                    "Sо.доп " +
                                    std::string(kOthers) + where);
            }
            atLimit = Conclusion{Verdict::Open,
                                 "При движении с допустимой скоростью вывод зависит от значений в "
                                 "заданных пределах: " +
                                     Join(parts) + "."};
        }
        if (!ranged)
            ExplainTie(*atLimit, ResultOf(merged, "stopping_distance_at_limit_m").text,
                       ResultOf(merged, "distance_at_danger_m").text,
                       "Остановочный путь при допустимой скорости и удаление");
        merged.results.push_back(VerdictValue(
            "avoidable_at_limit",
            "Техническая возможность предотвратить наезд при движении с допустимой скоростью",
            *atLimit));
    }

    PedestrianResults results{
        ResultOf(merged, "pedestrian_time_s").text,
        ResultOf(merged, "distance_at_danger_m").text,
        ResultOf(merged, "stopping_distance_m").text,
        ResultOf(merged, "critical_speed_kmh").text,
        avoidable,
        withLimit ? ResultOf(merged, "stopping_distance_at_limit_m").text : std::string(),
        atLimit,
        DiagramOver(PathsOf(points), merged,
                    Mark("distance_at_danger_m", "Место наезда", "Sa", dangerLow, dangerHigh,
                         ResultOf(merged, "distance_at_danger_m").text))};
    if (record) *record = std::move(merged);
    return results;
}

InputList ObstacleInputList() {
    return kObstacleInputs;
}

ObstacleResults ComputeObstacle(const ObstacleInputs& in, CalculationRecord* record) {
    const InputList inputs = ObstacleInputList();
    const std::string texts[] = {in.speed, in.t1, in.t2, in.t3, in.j, in.visibility};
    const std::vector<InputValue> values = ReadInputValues(texts, inputs);
    std::vector<CalculationRecord> corners;
    std::vector<ObstaclePoint> points;
    ForEachCorner(values, [&](const std::vector<std::string>& at) {
        points.push_back(ObstacleAt(at, &corners.emplace_back()));
    });
    CalculationRecord merged = MergeCorners(std::move(corners), values, inputs);
    const bool ranged = AnyRange(values);

    // Sо against Sв, exactly: Sо depends on V, the times and j, Sв on nothing else.
    Exact distanceLow = points.front().path.stop, distanceHigh = distanceLow;
    Fixed4 safeDown = points.front().safe.down, safeUp = points.front().safe.up;
    Exact safeLow = Exact::Of(points.front().safe.kept), safeHigh = safeLow;
    for (const ObstaclePoint& p : points) {
        distanceLow = Min(distanceLow, p.path.stop);
        distanceHigh = Max(distanceHigh, p.path.stop);
        if (p.safe.down.units < safeDown.units) safeDown = p.safe.down;
        if (p.safe.up.units > safeUp.units) safeUp = p.safe.up;
        safeLow = Min(safeLow, Exact::Of(p.safe.kept));
        safeHigh = Max(safeHigh, Exact::Of(p.safe.kept));
    }
    const InputValue& visibility = values[IndexOf(ObstacleInput::Visibility)];
    Conclusion avoidable;
    if (distanceHigh < visibility.low) {
        avoidable = Decided(true, ranged);
    } else if (distanceLow >= visibility.high) {
        avoidable = Decided(false, ranged);
    } else {
        avoidable = {Verdict::Open,
                     OpenBySpeed(values[IndexOf(ObstacleInput::Speed)], safeDown, safeUp,
                                 "безопасной скорости Vбез", "Vбез", KeptRange(safeLow, safeHigh))};
    }
    if (!ranged)
        ExplainTie(avoidable, ResultOf(merged, "stopping_distance_m").text,
                   FormatFixed4(RoundDecimal(ParseFixed4(visibility.lowText), 1)),
                   "Остановочный путь и расстояние Sв");
    merged.results.insert(
        merged.results.begin() + 1,
        VerdictValue("avoidable", "Техническая возможность предотвратить наезд", avoidable));

    ObstacleResults results{
        ResultOf(merged, "stopping_distance_m").text, avoidable,
        ResultOf(merged, "safe_speed_kmh").text,
        DiagramOver(PathsOf(points), merged,
                    Mark(std::string(input::kVisibility.key), "Препятствие", "Sв", visibility.low,
                         visibility.high, InputOf(merged, input::kVisibility.key).text))};
    if (record) *record = std::move(merged);
    return results;
}

} // namespace core
