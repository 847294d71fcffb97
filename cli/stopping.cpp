#include "core/stopping.h"

#include "cli/calculation.h"
#include "cli/problem.h"

namespace cli {
namespace {

using Names = std::set<std::string, std::less<>>;

void CheckShape(const Names& given) {
    RequireAll(given, {"reaction", "delay", "rise", "deceleration"});
    RequireOneOf(given, "skid", "speed");
}

Outcome Run(const Values& values) {
    const bool skidKnown = values.contains("skid");
    const std::string_view xOption = skidKnown ? "skid" : "speed";
    const core::StoppingInputs in{values.at("reaction"), values.at("delay"), values.at("rise"),
                                  values.find(xOption)->second, values.at("deceleration")};
    Outcome outcome;
    try {
        const core::StoppingResults r = core::ComputeStopping(
            in, skidKnown ? core::StoppingMode::SkidKnown : core::StoppingMode::SpeedKnown,
            &outcome.record);
        outcome.columns = {r.first, r.speedMs, r.distance, r.time};
    } catch (const core::NumericError& error) {
        // In the order ComputeStopping reads them.
        const GivenInput inputs[] = {
            {"reaction", "Время реакции водителя", in.t1},
            {"delay", "Время запаздывания срабатывания тормозного привода", in.t2},
            {"rise", "Время наростания замедления", in.t3},
            {xOption, skidKnown ? "Длина тормозного следа (юз)" : "Скорость", in.x},
            {"deceleration", "Установившееся замедление", in.j},
        };
        outcome.refusal = InputProblem(error, inputs);
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
        .options = {{"reaction", "Время реакции водителя", "с"},
                    {"delay", "Время запаздывания срабатывания тормозного привода", "с"},
                    {"rise", "Время наростания замедления", "с"},
                    {"deceleration", "Установившееся замедление", "м/с²"},
                    {"skid", "Длина тормозного следа (юз)", "м"},
                    {"speed", "Скорость", "км/ч"}},
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
