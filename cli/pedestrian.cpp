#include "core/avoidance.h"

#include "cli/calculation.h"
#include "cli/problem.h"
#include "cli/verdicts.h"

namespace cli {
namespace {

using Names = std::set<std::string, std::less<>>;
namespace input = core::input;

void CheckShape(const Names& given) {
    RequireAll(given, {input::kVehicleSpeed.option, input::kReaction.option, input::kDelay.option,
                       input::kRise.option, input::kDeceleration.option,
                       input::kPedestrianPath.option, input::kPedestrianSpeed.option});
}

Outcome Run(const Values& values, bool withRecord) {
    const bool withLimit = Given(values, input::kSpeedLimit);
    const core::InputList inputs = core::PedestrianInputList(withLimit);
    const std::vector<std::string> texts = TextsOf(values, inputs);
    Outcome outcome;
    try {
        const core::PedestrianResults r =
            core::ComputePedestrian({texts[0], texts[1], texts[2], texts[3], texts[4], texts[5],
                                     texts[6], withLimit ? texts[7] : std::string()},
                                    withRecord ? &outcome.record : nullptr);
        outcome.columns = {r.pedestrianTime,
                           r.distanceAtDanger,
                           r.stoppingDistance,
                           r.criticalSpeed,
                           VerdictColumn(r.avoidable),
                           r.stoppingDistanceAtLimit,
                           r.avoidableAtLimit ? VerdictColumn(*r.avoidableAtLimit) : ""};
    } catch (const core::NumericError& error) {
        outcome.refusal = InputProblem(error, inputs, texts);
    }
    return outcome;
}

std::string Details() {
    return std::string(
               "Пешеход пересекает путь автомобиля, автомобиль до наезда не тормозил.\n"
               "Tп = 3,6·Sп/Vп — время пешехода от момента возникновения опасности до наезда;\n"
               "Sa = V·Tп/3,6 — удаление автомобиля от места наезда в этот момент;\n"
               "Sо = V²/(26·j) + V/3,6·(t1 + t2 + t3/2) — остановочный путь.\n"
               "При Sо < Sa водитель располагал технической возможностью предотвратить наезд\n"
               "путём своевременного применения экстренного торможения, при Sо ≥ Sa — нет.\n"
               "Критическая скорость Vкр = 26·j·(Tп − (t1 + t2 + t3/2))/3,6 (0, если Tп не\n"
               "больше): Sо < Sa ровно тогда, когда V < Vкр. С --limit — остановочный путь\n"
               "при допустимой скорости против того же Sa.\n\n") +
           kRangesHelp + kVerdictHelp;
}

} // namespace

const Calculation& Pedestrian() {
    static const Calculation calculation{
        .name = "pedestrian",
        .summary = "техническая возможность предотвратить наезд на пешехода торможением",
        .options = {OptionOf(input::kVehicleSpeed), OptionOf(input::kReaction),
                    OptionOf(input::kDelay), OptionOf(input::kRise), OptionOf(input::kDeceleration),
                    OptionOf(input::kPedestrianPath), OptionOf(input::kPedestrianSpeed),
                    OptionOf(input::kSpeedLimit)},
        .resultColumns = {"pedestrian_time_s", "distance_at_danger_m", "stopping_distance_m",
                          "critical_speed_kmh", "avoidable", "stopping_distance_at_limit_m",
                          "avoidable_at_limit"},
        .usage = "kvarnet-calc pedestrian --speed 60 --reaction 0,8 --delay 0,2 --rise 0,3 "
                 "--deceleration 6,8 --pedestrian-path 3 --pedestrian-speed 5\n"
                 "kvarnet-calc pedestrian --speed 55..65 --reaction 0,6..1,4 --delay 0,2 --rise "
                 "0,3 --deceleration 6,8 --pedestrian-path 3 --pedestrian-speed 4,6..5,8 --limit "
                 "60\n",
        .details = Details,
        .checkShape = CheckShape,
        .run = Run,
    };
    return calculation;
}

} // namespace cli
