#include "core/dashcam.h"

#include "core/numeric.h"
#include "core/record_writer.h"

namespace core {

TimeParts SplitAtComma(std::string_view time) {
    // Every comma splits; the second part is the one between the first and a second comma.
    const std::size_t comma = time.find(',');
    TimeParts parts{std::string(time.substr(0, comma)), "0", true};
    if (comma == std::string_view::npos) return parts;
    std::string_view rest = time.substr(comma + 1);
    rest = rest.substr(0, rest.find(','));
    if (rest.empty()) return parts;
    parts.fraction = "0," + std::string(rest);
    parts.wholeNumber = false;
    return parts;
}

std::string TimesSixty(std::string_view fraction) {
    const double value = ParseDouble(fraction);
    return FormatDouble(FloatingStep([&] { return value * 60; }));
}

DashcamSpeed ComputeDashcamSpeed(const DashcamReadings& in, CalculationRecord* record) {
    RecordWriter rec(record, "Средняя скорость по показаниям видеорегистратора");
    Fixed4 eh = ToFixed4(ParseDouble(in.endHours));
    double em = ParseDouble(in.endMinutes);
    double es = ParseDouble(in.endSeconds);
    double sh = ParseDouble(in.startHours);
    double sm = ParseDouble(in.startMinutes);
    double ss = ParseDouble(in.startSeconds);
    double d = ParseDouble(in.distance);
    rec.Input("Конечные показания: часы, Кч", in.endHours, "ч");
    rec.Input("Конечные показания: минуты, Км", in.endMinutes, "мин");
    rec.Input("Конечные показания: секунды, Кс", in.endSeconds, "с");
    rec.Input("Начальные показания: часы, Нч", in.startHours, "ч");
    rec.Input("Начальные показания: минуты, Нм", in.startMinutes, "мин");
    rec.Input("Начальные показания: секунды, Нс", in.startSeconds, "с");
    rec.Input("Расстояние, D", in.distance, "м");

    double t = FloatingStep([&] { return (es / 3600 + em / 60) - (ss / 3600 + sm / 60); });
    rec.Step("Разность минут и секунд", "t = (Кс / 3600 + Км / 60) − (Нс / 3600 + Нм / 60)",
             "(" + Text(es) + " / 3600 + " + Text(em) + " / 60) − (" + Text(ss) + " / 3600 + " +
                 Text(sm) + " / 60)",
             t, "ч");
    Fixed4 minutesAndSeconds = ToFixed4(t);
    rec.Step("Та же разность, округлённая до 0,0001 ч (0,36 с)", "t ≈ t с четырьмя знаками",
             Text(t), minutesAndSeconds, "ч");
    Fixed4 wholeHours = SubFixed4(eh, ToFixed4(sh));
    double hours = ToDouble(AddFixed4(wholeHours, minutesAndSeconds));
    rec.Step("Пройдено времени", "T = (Кч − Нч) + t",
             "(" + Text(eh) + " − " + Text(sh) + ") + " + Text(minutesAndSeconds), hours, "ч");
    double speed = FloatingStep([&] { return d / 1000 / hours; });
    rec.Step("Средняя скорость", "V = D / 1000 / T", Text(d) + " / 1000 / " + Text(hours), speed,
             "км/ч");

    // Both texts are made before either is shown, so a failure shows nothing.
    DashcamSpeed result{hours, speed, FormatDouble(hours), FormatDouble(RoundDecimal(speed, 2))};
    if (record) {
        // The time split as the window splits it, with the same two operations.
        const TimeParts h = SplitAtComma(result.hoursText);
        const std::string minutes = TimesSixty(h.fraction);
        const TimeParts m = SplitAtComma(minutes);
        const std::string seconds = TimesSixty(m.fraction);
        rec.Step("Доля часа в минутах", "(T − целые часы) × 60", h.fraction + " × 60",
                 ParseDouble(minutes), "мин");
        rec.Step("Доля минуты в секундах", "(минуты − целые минуты) × 60", m.fraction + " × 60",
                 ParseDouble(seconds), "с");
        if (h.wholeNumber)
            rec.Note("Время — целое число часов: минуты и секунды равны 0.");
        else if (m.wholeNumber)
            rec.Note("Время — целое число минут: секунды равны 0.");
        rec.Result("Пройдено времени: часы", h.whole, "ч");
        rec.Result("Пройдено времени: минуты", m.whole, "мин");
        rec.Result("Пройдено времени: секунды", seconds, "с");
        rec.Result("Скорость", result.speedText, "км/ч");
    }
    rec.Finish();
    return result;
}

} // namespace core
