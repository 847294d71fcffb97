#include "core/stopping.h"

#include "cli/calculation.h"
#include "cli/problem.h"
#include "cli/verdicts.h"

namespace cli {
namespace {

using Names = std::set<std::string, std::less<>>;
namespace input = core::input;

void CheckShape(const Names& given) {
    RequireAll(given, {input::kReaction.option, input::kDelay.option, input::kRise.option,
                       input::kDeceleration.option});
    RequireOneOf(given, input::kSkid.option, input::kSpeed.option);
    if (given.contains(input::kImpactSpeed.option) && !given.contains(input::kSkid.option))
        throw UsageError("параметр --impact-speed задаётся только вместе с --skid",
                         input::kImpactSpeed.option);
}

Outcome Run(const Values& values, bool withRecord) {
    const auto mode = values.contains(input::kSkid.option) ? core::StoppingMode::SkidKnown
                                                           : core::StoppingMode::SpeedKnown;
    const bool withImpact = Given(values, input::kImpactSpeed);
    const core::InputList inputs = core::StoppingInputList(mode, withImpact);
    const std::vector<std::string> texts = TextsOf(values, inputs);
    Outcome outcome;
    try {
        const core::StoppingResults r =
            core::ComputeStoppingOverRanges({mode, texts[0], texts[1], texts[2], texts[3], texts[4],
                                             withImpact ? texts[5] : std::string()},
                                            withRecord ? &outcome.record : nullptr);
        outcome.columns = {r.speedOrSkid, r.speedMs, r.stoppingDistance, r.brakingTime};
    } catch (const core::NumericError& error) {
        outcome.refusal = InputProblem(error, inputs, texts);
    }
    return outcome;
}

std::string Details() {
    return std::string(
               "С --skid находит скорость в начале торможения по длине тормозного следа, с --speed "
               "—\n"
               "длину тормозного следа по скорости; в обоих случаях также скорость в м/с,\n"
               "остановочный путь и время полного торможения.\n"
               "С --impact-speed (только вместе с --skid) след кончился ударом на этой скорости:\n"
               "V = (j·t3/2 + √(2·S·j + (Vу/3,6)²))·3,6 — скорость в начале торможения; при\n"
               "--impact-speed 0 результат тот же, что без него.\n\n") +
           kRangesHelp;
}

} // namespace

const Calculation& Stopping() {
    static const Calculation calculation{
        .name = "stopping",
        .summary = "остановочный путь и скорость по длине тормозного следа (или след по скорости)",
        .options = {OptionOf(input::kReaction), OptionOf(input::kDelay), OptionOf(input::kRise),
                    OptionOf(input::kDeceleration), OptionOf(input::kSkid), OptionOf(input::kSpeed),
                    OptionOf(input::kImpactSpeed)},
        .resultColumns = {"speed_or_skid", "speed_ms", "distance", "time"},
        .usage = "kvarnet-calc stopping --reaction 0,8 --delay 0,2 --rise 0,3 --deceleration 6,8 "
                 "--skid 10\n"
                 "kvarnet-calc stopping --reaction 0,8 --delay 0,2 --rise 0,3 --deceleration 6,8 "
                 "--speed 60\n"
                 "kvarnet-calc stopping --reaction 0,8 --delay 0,2 --rise 0,35 --deceleration 6,8 "
                 "--skid 11,1 --impact-speed 45,2\n",
        .details = Details,
        .checkShape = CheckShape,
        .run = Run,
    };
    return calculation;
}

} // namespace cli
