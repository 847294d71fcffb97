#include "core/dashcam.h"

#include "core/numeric.h"

namespace core {

DashcamSpeed ComputeDashcamSpeed(const DashcamReadings& in) {
    Fixed4 eh = ToFixed4(ParseDouble(in.endHours));
    double em = ParseDouble(in.endMinutes);
    double es = ParseDouble(in.endSeconds);
    double sh = ParseDouble(in.startHours);
    double sm = ParseDouble(in.startMinutes);
    double ss = ParseDouble(in.startSeconds);
    double d = ParseDouble(in.distance);

    double t = FloatingStep([&] { return (es / 3600 + em / 60) - (ss / 3600 + sm / 60); });
    Fixed4 minutesAndSeconds = ToFixed4(t);
    Fixed4 wholeHours = SubFixed4(eh, ToFixed4(sh));
    double hours = ToDouble(AddFixed4(wholeHours, minutesAndSeconds));
    double speed = FloatingStep([&] { return d / 1000 / hours; });

    // Both texts are made before either is shown, so a failure shows nothing.
    return {hours, speed, FormatDouble(hours), FormatDouble(RoundDecimal(speed, 2))};
}

} // namespace core
