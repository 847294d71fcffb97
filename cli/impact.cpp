#include "core/impact.h"

#include "cli/calculation.h"
#include "cli/problem.h"
#include "cli/verdicts.h"

namespace cli {
namespace {

using Names = std::set<std::string, std::less<>>;
namespace input = core::input;

void CheckShape(const Names& given) {
    RequireAll(given, {input::kInitialSpeed.option, input::kRise.option,
                       input::kDeceleration.option, input::kSkid.option});
}

Outcome Run(const Values& values, bool withRecord) {
    const core::InputList inputs = core::ImpactInputList();
    const std::vector<std::string> texts = TextsOf(values, inputs);
    Outcome outcome;
    try {
        const core::ImpactResults r = core::ComputeImpact({texts[0], texts[1], texts[2], texts[3]},
                                                          withRecord ? &outcome.record : nullptr);
        outcome.columns = {r.impactSpeed};
    } catch (const core::NumericError& error) {
        outcome.refusal = InputProblem(error, inputs, texts);
    }
    return outcome;
}

std::string Details() {
    return std::string(
               "Скорость в момент удара по скорости в начале торможения (--speed) и длине следа\n"
               "торможения до места удара (--skid): Vу = √((V − 1,8·t3·j)² − 25,92·j·S).\n"
               "25,92 = 2·3,6² — как в формуле скорости по следу; в методиках его часто\n"
               "округляют до 26. Если автомобиль с такой скоростью остановился бы раньше конца\n"
               "следа, расчёт не выполняется. Обратный расчёт — kvarnet-calc stopping --skid …\n"
               "--impact-speed ….\n\n") +
           kRangesHelp;
}

} // namespace

const Calculation& Impact() {
    static const Calculation calculation{
        .name = "impact",
        .summary = "скорость в момент удара по следу торможения до места удара",
        .options = {OptionOf(input::kInitialSpeed), OptionOf(input::kRise),
                    OptionOf(input::kDeceleration), OptionOf(input::kSkid)},
        .resultColumns = {"impact_speed_kmh"},
        .usage = "kvarnet-calc impact --speed 67,5 --rise 0,35 --deceleration 6,8 --skid 11,1\n",
        .details = Details,
        .checkShape = CheckShape,
        .run = Run,
    };
    return calculation;
}

} // namespace cli
