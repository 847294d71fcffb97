#include "core/dashcam.h"

#include <array>

#include "cli/calculation.h"
#include "cli/problem.h"

namespace cli {
namespace {

using Names = std::set<std::string, std::less<>>;

void CheckShape(const Names& given) {
    RequireAll(given, {"start", "end", "distance"});
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

Outcome Run(const Values& values) {
    Outcome outcome;
    const std::string& startText = values.at("start");
    const std::string& endText = values.at("end");
    const auto start = SplitClock(startText);
    const auto end = SplitClock(endText);
    constexpr std::string_view kClock = "должно иметь вид часы:минуты:секунды, например 10:20:30.";
    if (!start) {
        outcome.refusal = Refuse({"start", "Начальные показания времени", startText}, kClock);
        return outcome;
    }
    if (!end) {
        outcome.refusal = Refuse({"end", "Конечные показания времени", endText}, kClock);
        return outcome;
    }

    const core::DashcamReadings readings{(*end)[0],
                                         (*end)[1],
                                         (*end)[2],
                                         (*start)[0],
                                         (*start)[1],
                                         (*start)[2],
                                         values.at("distance")};
    // In the order ComputeDashcamSpeed reads them.
    const GivenInput inputs[] = {
        {"end", "Конечные показания времени, час", readings.endHours},
        {"end", "Конечные показания времени, мин", readings.endMinutes},
        {"end", "Конечные показания времени, сек", readings.endSeconds},
        {"start", "Начальные показания времени, час", readings.startHours},
        {"start", "Начальные показания времени, мин", readings.startMinutes},
        {"start", "Начальные показания времени, сек", readings.startSeconds},
        {"distance", "Расстояние, м", readings.distance},
    };
    try {
        const core::DashcamSpeed speed = core::ComputeDashcamSpeed(readings, &outcome.record);
        outcome.columns = {speed.elapsedText, speed.speedText};
    } catch (const core::NumericError& error) {
        outcome.refusal = InputProblem(error, inputs);
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
        .options = {{"start", "Начальные показания времени", "ч:мин:с"},
                    {"end", "Конечные показания времени", "ч:мин:с"},
                    {"distance", "Расстояние", "м"}},
        .resultColumns = {"seconds", "speed"},
        .usage = "kvarnet-calc dashcam --start 10:20:30 --end 10:20:40 --distance 35\n",
        .details = Details,
        .checkShape = CheckShape,
        .run = Run,
    };
    return calculation;
}

} // namespace cli
