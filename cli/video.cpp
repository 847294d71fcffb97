#include "core/video.h"

#include "cli/calculation.h"
#include "cli/problem.h"
#include "cli/verdicts.h"

namespace cli {
namespace {

using Names = std::set<std::string, std::less<>>;
namespace input = core::input;

void CheckShape(const Names& given) {
    RequireAll(given, {input::kFrames.option, input::kFrameRate.option, input::kDistance.option});
}

Outcome Run(const Values& values, bool withRecord) {
    const core::InputList inputs = core::VideoInputList();
    const std::vector<std::string> texts = TextsOf(values, inputs);
    Outcome outcome;
    try {
        const core::VideoResults r = core::ComputeVideo({texts[0], texts[1], texts[2]},
                                                        withRecord ? &outcome.record : nullptr);
        outcome.columns = {r.elapsed, r.speed, r.speedRange};
    } catch (const core::NumericError& error) {
        outcome.refusal = InputProblem(error, inputs, texts);
    }
    return outcome;
}

std::string Details() {
    return std::string(
               "--frames — число интервалов между кадрами, на которых автомобиль в первом и во\n"
               "втором положении (целое, не меньше 2; на единицу меньше числа кадров от\n"
               "первого до второго включительно), --fps — частота кадров десятичной дробью (25, "
               "29,97) или точно\n"
               "дробью (30000/1001), --distance — путь между положениями, м.\n"
               "t = N/f, V = 3,6·D·f/N; момент каждого кадра известен с точностью до кадра,\n"
               "поэтому скорость лежит в пределах 3,6·D·f/(N + 1) … 3,6·D·f/(N − 1).\n\n") +
           kRangesHelp;
}

} // namespace

const Calculation& Video() {
    static const Calculation calculation{
        .name = "video",
        .summary = "скорость по числу кадров видеозаписи",
        .options = {OptionOf(input::kFrames), OptionOf(input::kFrameRate),
                    OptionOf(input::kDistance)},
        .resultColumns = {"elapsed_s", "speed_kmh", "speed_range_kmh"},
        .usage = "kvarnet-calc video --frames 45 --fps 30 --distance 10\n"
                 "kvarnet-calc video --frames 45 --fps 30000/1001 --distance 9,8..10,2\n",
        .details = Details,
        .checkShape = CheckShape,
        .run = Run,
    };
    return calculation;
}

} // namespace cli
