#pragma once

#include <span>
#include <string_view>
#include <type_traits>

#include "core/fixed4.h"
#include "core/numeric_error.h"

// The inputs of the calculations: what each one is, in one place, and the one place their
// texts are read and checked, so that a failure names the input it came from.
namespace core {

enum class Accepts {
    NonNegative,   // times, lengths, speeds, clock readings: zero is a value, a negative one is a
                   // typing error
    Positive,      // deceleration, adhesion, coefficient: the formulas divide by them
    Count,         // a count of frame intervals: a whole number, at least 2, so that the speed's
                   // range for the unknown moment within a frame at each end is bounded
    PositiveRatio, // a frame rate: above zero, typed as a decimal or as a fraction such as
                   // 30000/1001, which no decimal holds exactly
    FrameNumber,   // a frame of a video file: a whole number, at least 1 (frames count from 1)
};

// An input of a calculation. The command line, the record, the JSON and every message read it
// from here. The windows' own captions are the designed texts and stay as they are, spelling
// included ("Время наростания замедления, с"); the names here are spelt right ("нарастания").
struct InputDescriptor {
    std::string_view option; // "reaction": the command line's option and batch column
    std::string_view key;    // "reaction_s": the record's and the JSON's key
    std::string_view name;   // "Время реакции водителя"
    std::string_view symbol; // "t1", as the formulas write it
    std::string_view unit;   // "с"; "" for a dimensionless value
    Accepts accepts;
    // The parts of a clock reading have an upper limit, which the value stays below
    // (AboveLimit), 0 for none; hours and minutes are whole numbers (NotWhole).
    int below = 0;
    bool whole = false;
};

namespace input {
using enum Accepts;
// The braking calculations.
inline constexpr InputDescriptor kReaction{"reaction", "reaction_s", "Время реакции водителя",
                                           "t1",       "с",          NonNegative};
inline constexpr InputDescriptor kDelay{
    "delay", "delay_s", "Время запаздывания срабатывания тормозного привода",
    "t2",    "с",       NonNegative};
inline constexpr InputDescriptor kRise{"rise", "rise_s", "Время нарастания замедления",
                                       "t3",   "с",      NonNegative};
inline constexpr InputDescriptor kDeceleration{
    "deceleration", "deceleration_ms2", "Установившееся замедление", "j", "м/с²", Positive};
inline constexpr InputDescriptor kSkid{"skid", "skid_m", "Длина тормозного следа (юз)",
                                       "S",    "м",      NonNegative};
inline constexpr InputDescriptor kSpeed{"speed", "speed_kmh", "Скорость", "V", "км/ч", NonNegative};
inline constexpr InputDescriptor kInitialSpeed{"speed", "speed_kmh", "Скорость в начале торможения",
                                               "V",     "км/ч",      NonNegative};
inline constexpr InputDescriptor kCoefficient{
    "coefficient", "coefficient", "Коэффициент эффективности торможения", "K", "", Positive};
inline constexpr InputDescriptor kAdhesion{"adhesion", "adhesion", "Коэффициент сцепления",
                                           "φ",        "",         Positive};
// The dashcam calculation: two clock readings, given on the command line as --start and --end
// (hours:minutes:seconds), and the distance between the two points. A clock shows whole hours
// from 0 to 23, whole minutes below 60 and seconds below 60, whose fraction the expert may find
// from the frames; a recording past midnight ends at hour 24, so the end hours go up to 24.
inline constexpr InputDescriptor kStartHours{
    "start", "start_hours", "Часы начальных показаний", "Нч", "ч", NonNegative, 24, true};
inline constexpr InputDescriptor kStartMinutes{
    "start", "start_minutes", "Минуты начальных показаний", "Нм", "мин", NonNegative, 60, true};
inline constexpr InputDescriptor kStartSeconds{
    "start", "start_seconds", "Секунды начальных показаний", "Нс", "с", NonNegative, 60};
inline constexpr InputDescriptor kEndHours{
    "end", "end_hours", "Часы конечных показаний", "Кч", "ч", NonNegative, 25, true};
inline constexpr InputDescriptor kEndMinutes{
    "end", "end_minutes", "Минуты конечных показаний", "Км", "мин", NonNegative, 60, true};
inline constexpr InputDescriptor kEndSeconds{
    "end", "end_seconds", "Секунды конечных показаний", "Кс", "с", NonNegative, 60};
inline constexpr InputDescriptor kDistance{"distance", "distance_m", "Расстояние",
                                           "D",        "м",          NonNegative};
// Whether the driver could have avoided the collision by braking in time. The car's speed is
// above zero: at rest it would meet no one.
inline constexpr InputDescriptor kVehicleSpeed{"speed", "speed_kmh", "Скорость автомобиля",
                                               "V",     "км/ч",      Positive};
inline constexpr InputDescriptor kPedestrianPath{
    "pedestrian-path",
    "pedestrian_path_m",
    "Путь пешехода от момента возникновения опасности до места наезда",
    "Sп",
    "м",
    NonNegative};
inline constexpr InputDescriptor kPedestrianSpeed{
    "pedestrian-speed", "pedestrian_speed_kmh", "Скорость пешехода", "Vп", "км/ч", Positive};
inline constexpr InputDescriptor kSpeedLimit{"limit", "limit_kmh", "Допустимая скорость",
                                             "Vдоп",  "км/ч",      Positive};
inline constexpr InputDescriptor kVisibility{
    "visibility",
    "visibility_m",
    "Расстояние до препятствия в момент возникновения опасности",
    "Sв",
    "м",
    NonNegative};
inline constexpr InputDescriptor kImpactSpeed{
    "impact-speed", "impact_speed_kmh", "Скорость в момент удара", "Vу", "км/ч", NonNegative};
// The speed from a video: frame intervals counted between two positions, the frame rate and
// the distance between the positions.
inline constexpr InputDescriptor kFrames{"frames", "frames", "Число интервалов между кадрами",
                                         "N",      "",       Count};
inline constexpr InputDescriptor kFrameRate{"fps", "fps",    "Частота кадров",
                                            "f",   "кадр/с", PositiveRatio};
// The speed from a video file: the numbers of the two frames that show the car in its two
// positions, counted from 1 in the order they are shown; the file gives their times.
inline constexpr InputDescriptor kFromFrame{"from-frame", "from_frame", "Номер первого кадра",
                                            "A",          "",           FrameNumber};
inline constexpr InputDescriptor kToFrame{"to-frame", "to_frame", "Номер второго кадра",
                                          "B",        "",         FrameNumber};
} // namespace input

// The inputs of a calculation in the order it reads them, as NumericError::input() counts them.
using InputList = std::span<const InputDescriptor* const>;

// Each calculation names its inputs' places in that order with a scoped enum (StoppingInput,
// DashcamInput, ...); IndexOf gives the place as NumericError::input() and the lists count it.
template <typename Input>
requires std::is_enum_v<Input>
constexpr int IndexOf(Input input) {
    return static_cast<int>(input);
}

// ParseFixed4 of the text; a failure, a value the input does not accept (OutOfRange for one
// below zero or zero where it must be positive, NotWhole, AboveLimit) and a value other than
// zero that rounds to zero (BelowResolution) raise NumericError with `index` as its input().
// A ratio input reads through ReadRatio (core/range.h).
Fixed4 ReadInput(std::string_view text, int index, const InputDescriptor& input);

// An overflow in a step after the inputs were read, put down to the input of the largest
// magnitude: the one a mistyped extra digit made too large. Any other error comes back as it is.
NumericError BlameOverflow(const NumericError& error, std::span<const Fixed4> inputs);

} // namespace core
