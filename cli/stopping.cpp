#include "core/stopping.h"

#include "cli/calculation.h"
#include "cli/problem.h"

namespace cli {
namespace {

using Names = std::set<std::string, std::less<>>;
namespace input = core::input;

void CheckShape(const Names& given) {
    RequireAll(given, {input::kReaction.option, input::kDelay.option, input::kRise.option,
                       input::kDeceleration.option});
    RequireOneOf(given, input::kSkid.option, input::kSpeed.option);
}

Outcome Run(const Values& values, bool withRecord) {
    const auto mode = values.contains(input::kSkid.option) ? core::StoppingMode::SkidKnown
                                                           : core::StoppingMode::SpeedKnown;
    const core::InputList inputs = core::StoppingInputList(mode);
    std::vector<std::string> texts;
    for (const core::InputDescriptor* in : inputs)
        texts.push_back(values.find(in->option)->second);
    Outcome outcome;
    try {
        const core::StoppingResults r =
            core::ComputeStopping({texts[0], texts[1], texts[2], texts[3], texts[4]}, mode,
                                  withRecord ? &outcome.record : nullptr);
        outcome.columns = {r.first, r.speedMs, r.distance, r.time};
    } catch (const core::NumericError& error) {
        outcome.refusal = InputProblem(error, inputs, texts);
    }
    return outcome;
}

std::string Details() {
    return "С --skid находит скорость в начале торможения по длине тормозного следа, с --speed —\n"
           "длину тормозного следа по скорости; в обоих случаях также скорость в м/с,\n"
           "остановочный путь и время полного торможения.\n";
}

} // namespace

const Calculation& Stopping() {
    static const Calculation calculation{
        .name = "stopping",
        .summary = "остановочный путь и скорость по длине тормозного следа (или след по скорости)",
        .options = {OptionOf(input::kReaction), OptionOf(input::kDelay), OptionOf(input::kRise),
                    OptionOf(input::kDeceleration), OptionOf(input::kSkid),
                    OptionOf(input::kSpeed)},
        .resultColumns = {"speed_or_skid", "speed_ms", "distance", "time"},
        .usage = "kvarnet-calc stopping --reaction 0,8 --delay 0,2 --rise 0,3 --deceleration 6,8 "
                 "--skid 10\n"
                 "kvarnet-calc stopping --reaction 0,8 --delay 0,2 --rise 0,3 --deceleration 6,8 "
                 "--speed 60\n",
        .details = Details,
        .checkShape = CheckShape,
        .run = Run,
    };
    return calculation;
}

} // namespace cli
