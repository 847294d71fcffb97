#include "core/video.h"

#include <cmath>
#include <vector>

#include "core/braking.h"
#include "core/numeric.h"
#include "core/range.h"
#include "core/record_writer.h"

namespace core {
namespace {

constexpr const InputDescriptor* kVideoInputs[] = {&input::kFrames, &input::kFrameRate,
                                                   &input::kDistance};

constexpr std::string_view kTitle = "Скорость по кадрам видеозаписи";
constexpr std::string_view kMethod =
    "методика определения средней скорости по видеозаписи: путь между двумя положениями "
    "автомобиля делится на время между кадрами, с пределами для неизвестного момента внутри кадра "
    "на каждом конце";

// "D" in a timing's text replaced by the distance's value.
std::string WithDistance(std::string text, const std::string& distance) {
    const std::size_t at = text.find('D');
    if (at != std::string::npos) text.replace(at, 1, distance);
    return text;
}

// An overflow put down to the input of the largest magnitude, as BlameOverflow does, with the
// frame rate, which is no fixed-point number, by its size.
NumericError Blamed(const NumericError& error, Fixed4 frames, const Exact& fps, Fixed4 distance) {
    if (error.kind() != NumericErrorKind::Overflow || error.input() != kNoInput) return error;
    const double sizes[] = {std::fabs(ToDouble(frames)), std::fabs(ToDouble(fps)),
                            std::fabs(ToDouble(distance))};
    int largest = 0;
    for (int i = 1; i < 3; ++i)
        if (sizes[i] > sizes[largest]) largest = i;
    return NumericError(error.kind(), largest);
}

void VideoAt(const std::vector<std::string>& texts, CalculationRecord* record) {
    RecordWriter rec(record, "video", std::string(kTitle));
    rec.Methodology(kMethod);
    // Every input in order, so that the first at fault is the one named; then written as read.
    constexpr int framesAt = IndexOf(VideoInput::Frames), rateAt = IndexOf(VideoInput::Rate),
                  distanceAt = IndexOf(VideoInput::Distance);
    const Fixed4 frames = ReadInput(texts[framesAt], framesAt, input::kFrames);
    std::string fpsText;
    const Exact fps = ReadRatio(texts[rateAt], rateAt, input::kFrameRate, &fpsText);
    const Fixed4 distance = ReadInput(texts[distanceAt], distanceAt, input::kDistance);
    rec.Input(input::kFrames, frames);
    rec.Input(input::kFrameRate, fpsText,
              fpsText.find('/') == std::string::npos ? fpsText : FormatDouble(ToDouble(fps)));
    rec.Input(input::kDistance, distance);

    try {
        const VideoTiming timing = TimingFromFrames(frames, fps, fpsText);
        const Fixed4 elapsed = Round(timing.elapsed, 4);
        if (rec)
            rec.Step("elapsed_s", "Время между кадрами", "t = " + timing.elapsedFormula,
                     timing.elapsedValues, elapsed, "с");
        // 3,6·D/t, and the same over one frame more and one frame less: the moment each frame
        // shows lies anywhere within its frame interval.
        const Exact metres = Exact::Ratio(36, 10) * Exact::Of(distance);
        const Exact speed = metres / timing.elapsed;
        const Exact low = metres / (timing.elapsed + timing.frame);
        const Exact high = metres / (timing.elapsed - timing.frame);
        const Fixed4 speedKept = Round(speed, 4), lowKept = Round(low, 4),
                     highKept = Round(high, 4);
        const std::string d = Text(distance);
        if (rec)
            rec.Step("speed_kmh", "Скорость", "V = 3,6 × D / t = " + timing.speedFormula,
                     WithDistance(timing.speedValues, d), speedKept, "км/ч");
        if (rec)
            rec.Step("speed_low_kmh", "Скорость, нижний предел",
                     "Vmin = 3,6 × D / (t + 1 / f) = " + timing.lowFormula,
                     WithDistance(timing.lowValues, d), lowKept, "км/ч");
        if (rec)
            rec.Step("speed_high_kmh", "Скорость, верхний предел",
                     "Vmax = 3,6 × D / (t − 1 / f) = " + timing.highFormula,
                     WithDistance(timing.highValues, d), highKept, "км/ч");
        rec.Result("elapsed_s", "Время между кадрами", FormatFixed4(RoundDecimal(elapsed, 3)), "с");
        rec.Result("speed_kmh", "Скорость", ResultText(speedKept), "км/ч");
        const std::string lowText = ResultText(lowKept), highText = ResultText(highKept);
        RecordValue range{"Скорость с учётом неизвестного момента внутри кадра на каждом конце",
                          RangeText(lowText, highText), "км/ч", "speed_range_kmh",
                          lowText == highText ? lowText : ""};
        if (lowText != highText) {
            range.low = lowText;
            range.high = highText;
        }
        rec.Value(std::move(range));
        rec.Finish();
    } catch (const NumericError& error) {
        throw Blamed(error, frames, fps, distance);
    }
}

} // namespace

InputList VideoInputList() {
    return kVideoInputs;
}

VideoTiming TimingFromFrames(Fixed4 frames, const Exact& fps, const std::string& fpsText) {
    // A fraction stands in brackets wherever it is multiplied or divided by.
    const std::string f = fpsText.find('/') == std::string::npos
                              ? fpsText
                              : "(" + fpsText.substr(0, fpsText.find('/')) + " / " +
                                    fpsText.substr(fpsText.find('/') + 1) + ")";
    const std::string n = Text(frames);
    VideoTiming timing;
    timing.elapsed = Exact::Of(frames) / fps;
    timing.frame = Exact::Whole(1) / fps;
    timing.elapsedFormula = "N / f";
    timing.elapsedValues = n + " / " + f;
    timing.speedFormula = "3,6 × D × f / N";
    timing.lowFormula = "3,6 × D × f / (N + 1)";
    timing.highFormula = "3,6 × D × f / (N − 1)";
    timing.speedValues = "3,6 × D × " + f + " / " + n;
    timing.lowValues = "3,6 × D × " + f + " / (" + n + " + 1)";
    timing.highValues = "3,6 × D × " + f + " / (" + n + " − 1)";
    return timing;
}

VideoResults ComputeVideo(const VideoInputs& in, CalculationRecord* record) {
    const InputList inputs = VideoInputList();
    const std::string texts[] = {in.frames, in.fps, in.distance};
    const std::vector<InputValue> values = ReadInputValues(texts, inputs);
    std::vector<CalculationRecord> corners;
    ForEachCorner(
        values, [&](const std::vector<std::string>& at) { VideoAt(at, &corners.emplace_back()); });
    CalculationRecord merged = MergeCorners(std::move(corners), values, inputs);
    VideoResults results{merged.results[0].text, merged.results[1].text, merged.results[2].text};
    if (record) *record = std::move(merged);
    return results;
}

} // namespace core
