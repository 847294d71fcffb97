#include "core/dashcam.h"

#include "core/inputs.h"
#include "core/numeric.h"
#include "core/record_writer.h"

namespace core {

namespace {

// A reading in seconds, h·3600 + m·60 + s, exactly: the limits its parts were read against keep
// it below 25 hours.
Fixed4 ReadingSeconds(const Fixed4 (&parts)[3]) {
    return AddFixed4(AddFixed4(MulFixed4Int(kSecondsPerHour, parts[0]),
                               MulFixed4Int(kSecondsPerMinute, parts[1])),
                     parts[2]);
}

std::string ReadingFormula(const Fixed4 (&parts)[3]) {
    return Text(parts[0]) + " × 3600 + " + Text(parts[1]) + " × 60 + " + Text(parts[2]);
}

constexpr const InputDescriptor* kDashcamInputs[] = {
    &input::kStartHours, &input::kStartMinutes, &input::kStartSeconds, &input::kEndHours,
    &input::kEndMinutes, &input::kEndSeconds,   &input::kDistance};

} // namespace

InputList DashcamInputList() {
    return kDashcamInputs;
}

std::string ShownSeconds(std::string_view seconds) {
    return FormatFixed4(ParseFixed4(seconds));
}

UnitSplit SplitSeconds(std::string_view seconds, std::int16_t unit) {
    const Fixed4 total = ParseFixed4(seconds);
    const Fixed4 unitSeconds = MulFixed4Int(unit, Fixed4::FromUnits(Fixed4::kScale));
    // Whole units towards minus infinity, so that the rest is never negative.
    std::int64_t whole = total.units / unitSeconds.units;
    if (total.units % unitSeconds.units < 0) --whole;
    const Fixed4 rest = Fixed4::FromUnits(total.units - whole * unitSeconds.units);
    return {std::to_string(whole), FormatFixed4(rest)};
}

DashcamResults ComputeDashcam(const DashcamInputs& in, CalculationRecord* record) {
    RecordWriter rec(record, "dashcam", "Средняя скорость по показаниям видеорегистратора");
    const auto values = rec.ReadInputs(
        std::array<std::string_view, 7>{in.startHours, in.startMinutes, in.startSeconds,
                                        in.endHours, in.endMinutes, in.endSeconds, in.distance},
        DashcamInputList());
    using enum DashcamInput;
    const Fixed4 start[] = {values[IndexOf(StartHours)], values[IndexOf(StartMinutes)],
                            values[IndexOf(StartSeconds)]};
    const Fixed4 end[] = {values[IndexOf(EndHours)], values[IndexOf(EndMinutes)],
                          values[IndexOf(EndSeconds)]};
    const Fixed4 d = values[IndexOf(Distance)];

    const Fixed4 startSeconds = ReadingSeconds(start);
    const Fixed4 endSeconds = ReadingSeconds(end);
    const Fixed4 elapsed = SubFixed4(endSeconds, startSeconds);
    if (elapsed.units == 0) throw NumericError(NumericErrorKind::SameTime, IndexOf(EndHours));
    if (elapsed.units < 0) throw NumericError(NumericErrorKind::EndBeforeStart, IndexOf(EndHours));
    if (rec)
        rec.Step("start_s", "Начальные показания в секундах", "Нч × 3600 + Нм × 60 + Нс",
                 ReadingFormula(start), startSeconds, "с");
    if (rec)
        rec.Step("end_s", "Конечные показания в секундах", "Кч × 3600 + Км × 60 + Кс",
                 ReadingFormula(end), endSeconds, "с");
    if (rec)
        rec.Step("elapsed_s", "Пройдено времени",
                 "E = (Кч × 3600 + Км × 60 + Кс) − (Нч × 3600 + Нм × 60 + Нс)",
                 Text(endSeconds) + " − " + Text(startSeconds), elapsed, "с");

    const Fixed4 kmhPerMs = Fixed4::FromUnits(36000); // 3,6 km/h in 1 m/s
    Fixed4 speed;
    try {
        speed = MulDivFixed4(kmhPerMs, d, elapsed, 2);
        if (rec)
            rec.Step("speed_kmh", "Средняя скорость", "V = 3,6 × D / E",
                     "3,6 × " + Text(d) + " / " + Text(elapsed),
                     MulDivFixed4(kmhPerMs, d, elapsed, 4), "км/ч");
    } catch (const NumericError& error) {
        throw NumericError(error.kind(), IndexOf(Distance)); // the time is at least 0,0001 s
    }

    // The time split for showing, once, for the caller and the record alike.
    const std::string elapsedText = FormatFixed4(elapsed);
    const UnitSplit hours = SplitSeconds(elapsedText, kSecondsPerHour);
    const UnitSplit minutes = SplitSeconds(hours.rest, kSecondsPerMinute);
    DashcamResults result{elapsed,     speed,         elapsedText, FormatFixed4(speed),
                          hours.whole, minutes.whole, minutes.rest};
    if (rec) {
        rec.Step("seconds_s", "Секунды сверх целых часов и минут", "Пс = E − Пч × 3600 − Пм × 60",
                 elapsedText + " − " + hours.whole + " × 3600 − " + minutes.whole + " × 60",
                 ParseFixed4(minutes.rest), "с");
        rec.Result("elapsed_hours", "Пройдено времени, целых часов, Пч", hours.whole, "ч");
        rec.Result("elapsed_minutes", "Пройдено времени, целых минут сверх часов, Пм",
                   minutes.whole, "мин");
        rec.Result("elapsed_seconds", "Пройдено времени, секунд сверх минут, Пс", minutes.rest,
                   "с");
        rec.Result("speed_kmh", "Скорость", result.speedText, "км/ч");
    }
    rec.Finish();
    return result;
}

} // namespace core
