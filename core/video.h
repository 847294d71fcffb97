#pragma once

#include <cstdint>
#include <string>
#include <vector>

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

// The time the video measures, however it was read: the time t between the two frames, and the
// longest and shortest it may be for the unknown moment within a frame at each end, exactly,
// with the formulas and values that give them. From a frame count they are N/f and (N ± 1)/f;
// from a file's timestamps t(B) − t(A), t(B) − t(A − 1) and t(B − 1) − t(A).
struct VideoTiming {
    Exact elapsed, longest, shortest;
    std::string elapsedFormula, elapsedValues; // "N / f", "45 / 30"
    // The speed 3,6·D/t and its ends over the longest and the shortest time, written in this
    // timing's terms: "3,6 × D × f / N" after "V = 3,6 × D / t = ", the two ends whole
    // ("Vmin = 3,6 × D / (t + 1 / f) = 3,6 × D × f / (N + 1)"), with D; and the same with
    // values once D's value is put for "D".
    std::string speedFormula, lowFormula, highFormula;
    std::string speedValues, lowValues, highValues; // with "D" for the distance's value
};
VideoTiming TimingFromFrames(Fixed4 frames, const Exact& fps, const std::string& fpsText);

// The speed from two frames of a video file, timed by the file's own timestamps: never by a
// frame number and a nominal rate, which a camera recording at a variable rate or dropping
// frames belies.
struct VideoFileDetails {
    std::string name;       // without its folder
    std::uint64_t size = 0; // bytes
    std::string sha256;     // 64 hex digits
    std::string container;  // "QuickTime / MOV"
    std::string codec;      // "H.264 / AVC / MPEG-4 AVC / MPEG-4 part 10"
    bool variableRate = false;
    Exact nominalRate; // frames a second the file declares; 0 for none
};
struct VideoFileInputs {
    // The frame numbers A and B as typed (whole numbers from 1, in the order the frames are
    // shown) and the distance D (m, may be a range).
    std::string fromFrame, toFrame, distance;
    // Every frame's presentation time in the file, s, frame n at [n − 1], ascending.
    std::vector<Exact> frameTimes;
    VideoFileDetails file;
};

// The inputs in reading order, as NumericError::input() names them (IndexOf).
enum class VideoFileInput : int { FromFrame, ToFrame, Distance };
InputList VideoFileInputList();

// t = t(B) − t(A), V = 3,6·D/t, and its range 3,6·D/(t(B) − t(A − 1)) to
// 3,6·D/(t(B − 1) − t(A)): the moment a frame shows lies after the frame before it. Frame 1 has
// none before it: the interval after it stands in (t(0) = 2·t(1) − t(2)), as the record notes.
// Results as ComputeVideo gives them, the file's details and the frames' times in the
// record. Raises NumericError naming the input at fault: for a frame number that is no whole
// number from 1 (OutOfRange, NotWhole, TypeMismatch), past the last frame (FrameBeyondEnd);
// naming the second frame, for the same frame twice (SameFrame), the frames reversed
// (FramesReversed) or adjacent (AdjacentFrames); for the distance as ComputeVideo does.
// The same results as the frame count's.
using VideoFileResults = VideoResults;
VideoFileResults ComputeVideoFile(const VideoFileInputs& in, CalculationRecord* record = nullptr);

// A frame's time as the program writes it: seconds rounded half to even to 0,000001 s, with no
// trailing zeros ("1,033333", "4"); exact times stay exact in the calculation.
std::string SecondsText(const Exact& seconds);

} // namespace core
