#include "core/dashcam.h"

#include <array>

#include "cli/calculation.h"
#include "cli/problem.h"

namespace cli {
namespace {

using Names = std::set<std::string, std::less<>>;

void CheckShape(const Names& given) {
    RequireAll(given, {"start", "end", core::input::kDistance.option});
}

// "10:20:30" → hours, minutes, seconds; nothing unless there are exactly three parts.
std::optional<std::array<std::string, 3>> SplitClock(std::string_view text) {
    std::array<std::string, 3> parts;
    std::size_t part = 0;
    for (char c : text) {
        if (c != ':') {
            parts[part] += c;
        } else if (++part == parts.size()) {
            return std::nullopt;
        }
    }
    if (part != parts.size() - 1) return std::nullopt;
    return parts;
}

// The two clock readings as the command line takes them: hours:minutes:seconds.
constexpr core::InputDescriptor kStart{"start", "start",   "Начальные показания времени",
                                       "",      "ч:мин:с", core::Accepts::NonNegative};
constexpr core::InputDescriptor kEnd{"end", "end",     "Конечные показания времени",
                                     "",    "ч:мин:с", core::Accepts::NonNegative};

Outcome Run(const Values& values, bool withRecord) {
    Outcome outcome;
    const std::string& startText = values.find(kStart.option)->second;
    const std::string& endText = values.find(kEnd.option)->second;
    const auto start = SplitClock(startText);
    const auto end = SplitClock(endText);
    constexpr std::string_view kClock = "должно иметь вид часы:минуты:секунды, например 10:20:30.";
    if (!start) {
        outcome.refusal = Refuse(kStart, kClock);
        return outcome;
    }
    if (!end) {
        outcome.refusal = Refuse(kEnd, kClock);
        return outcome;
    }
    // In the order ComputeDashcam reads them.
    const std::vector<std::string> texts = {(*start)[0],
                                            (*start)[1],
                                            (*start)[2],
                                            (*end)[0],
                                            (*end)[1],
                                            (*end)[2],
                                            values.find(core::input::kDistance.option)->second};
    try {
        const core::DashcamResults r = core::ComputeDashcam(
            {texts[0], texts[1], texts[2], texts[3], texts[4], texts[5], texts[6]},
            withRecord ? &outcome.record : nullptr);
        outcome.columns = {r.elapsedText, r.speedText};
    } catch (const core::NumericError& error) {
        outcome.refusal = InputProblem(error, core::DashcamInputList(), texts);
    }
    return outcome;
}

std::string Details() {
    return "Показания часов видеорегистратора в начале и в конце отрезка задаются как\n"
           "часы:минуты:секунды (секунды могут быть дробными: 10:20:30,5); расстояние — в метрах.\n"
           "Прошедшее время считается точно, в секундах: 10:20:30 → 10:20:40 — это 10 с;\n"
           "скорость 3,6 × D / E округляется до 0,01 км/ч. Конечные показания должны быть позже\n"
           "начальных; запись, идущая через полночь, кончается часом 24: 23:59:50 → 24:00:10.\n";
}

} // namespace

const Calculation& Dashcam() {
    static const Calculation calculation{
        .name = "dashcam",
        .summary = "средняя скорость по показаниям часов видеорегистратора",
        .options = {OptionOf(kStart), OptionOf(kEnd), OptionOf(core::input::kDistance)},
        .resultColumns = {"seconds", "speed"},
        .usage = "kvarnet-calc dashcam --start 10:20:30 --end 10:20:40 --distance 35\n",
        .details = Details,
        .checkShape = CheckShape,
        .run = Run,
    };
    return calculation;
}

} // namespace cli
