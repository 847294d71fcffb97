#include "core/avoidance.h"

#include "cli/calculation.h"
#include "cli/problem.h"
#include "cli/verdicts.h"

namespace cli {
namespace {

using Names = std::set<std::string, std::less<>>;
namespace input = core::input;

void CheckShape(const Names& given) {
    RequireAll(given,
               {input::kVehicleSpeed.option, input::kReaction.option, input::kDelay.option,
                input::kRise.option, input::kDeceleration.option, input::kVisibility.option});
}

Outcome Run(const Values& values, bool withRecord) {
    const core::InputList inputs = core::ObstacleInputList();
    const std::vector<std::string> texts = TextsOf(values, inputs);
    Outcome outcome;
    try {
        const core::ObstacleResults r =
            core::ComputeObstacle({texts[0], texts[1], texts[2], texts[3], texts[4], texts[5]},
                                  withRecord ? &outcome.record : nullptr);
        outcome.columns = {r.stoppingDistance, VerdictColumn(r.avoidable), r.safeSpeed};
    } catch (const core::NumericError& error) {
        outcome.refusal = InputProblem(error, inputs, texts);
    }
    return outcome;
}

std::string Details() {
    return std::string(
               "Неподвижное препятствие, или расстояние, на котором опасность стала видна:\n"
               "остановочный путь Sо = V²/(26·j) + V/3,6·(t1 + t2 + t3/2) против расстояния Sв.\n"
               "При Sо < Sв водитель располагал технической возможностью предотвратить наезд\n"
               "путём своевременного применения экстренного торможения, при Sо ≥ Sв — нет.\n"
               "Безопасная скорость Vбез — та, при которой Sо = Sв (по той же формуле, так что\n"
               "Sо < Sв ровно тогда, когда V < Vбез).\n\n") +
           kRangesHelp + kVerdictHelp;
}

} // namespace

const Calculation& Obstacle() {
    static const Calculation calculation{
        .name = "obstacle",
        .summary = "техническая возможность предотвратить наезд на неподвижное препятствие",
        .options = {OptionOf(input::kVehicleSpeed), OptionOf(input::kReaction),
                    OptionOf(input::kDelay), OptionOf(input::kRise), OptionOf(input::kDeceleration),
                    OptionOf(input::kVisibility)},
        .resultColumns = {"stopping_distance_m", "avoidable", "safe_speed_kmh"},
        .usage = "kvarnet-calc obstacle --speed 60 --reaction 0,8 --delay 0,2 --rise 0,3 "
                 "--deceleration 6,8 --visibility 40\n",
        .details = Details,
        .checkShape = CheckShape,
        .run = Run,
    };
    return calculation;
}

} // namespace cli
