#pragma once

#include <string>

#include "core/exact.h"
#include "core/inputs.h"
#include "core/record.h"

// The speed from a video: the distance between two positions of the car and the time between
// the frames that show them. A frame shows some moment within its own frame interval, so the
// time is known to one frame at each end, and the speed is given with its range for that.
namespace core {

// The texts as typed: the frame intervals N between the two frames (a whole number, at least
// 2), the frame rate f (frames a second, "30", "29,97" or exactly "30000/1001") and the
// distance D (m). Each may be a range.
struct VideoInputs {
    std::string frames, fps, distance;
};

// The inputs in reading order, as NumericError::input() names them (IndexOf).
enum class VideoInput : int { Frames, Rate, Distance };
InputList VideoInputList();

// The time between the two frames, t (0,001 s), the speed 3,6·D/t (0,1 km/h) and its range for
// the unknown moment within a frame at each end, 3,6·D/(t + 1/f) to 3,6·D/(t − 1/f), as the
// text "a…b". Over ranges of the inputs each is the range of its values.
struct VideoResults {
    std::string elapsed, speed, speedRange;
};

// By frame count: t = N/f, so the speed is 3,6·D·f/N and its range 3,6·D·f/(N + 1) to
// 3,6·D·f/(N − 1), all exact until rounded. Raises NumericError naming the input at fault:
// OutOfRange for a frame count that is not a whole number of at least 2, for a frame rate that
// is not above zero and for a negative distance; TypeMismatch for a fraction with no number
// above or below its bar, or a denominator of 0.
VideoResults ComputeVideo(const VideoInputs& in, CalculationRecord* record = nullptr);

// The time the video measures, however it was read: the time t between the two frames and the
// length of one frame, exactly, with the formulas and values that give t, t + 1 frame and
// t − 1 frame. From a frame count it is N/f and 1/f; two timestamps of the frames give t as
// their difference in the same way.
struct VideoTiming {
    Exact elapsed, frame;
    std::string elapsedFormula, elapsedValues; // "N / f", "45 / 30"
    // The speed 3,6·D/t and its ends over t + 1 frame and t − 1 frame, written in this timing's
    // terms: "3,6 × D × f / N", "3,6 × D × f / (N + 1)", "3,6 × D × f / (N − 1)" with D, and
    // the same with values once D's value is put for "D".
    std::string speedFormula, lowFormula, highFormula;
    std::string speedValues, lowValues, highValues; // with "D" for the distance's value
};
VideoTiming TimingFromFrames(Fixed4 frames, const Exact& fps, const std::string& fpsText);

} // namespace core
