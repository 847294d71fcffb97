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

// The steps and results both video calculations share, from the time their frames measure:
// t kept to four decimals, the speed 3,6·D/t and its ends over the longest and the shortest
// time, each exact until rounded.
void WriteSpeed(RecordWriter& rec, const VideoTiming& timing, Fixed4 distance) {
    const Fixed4 elapsed = Round(timing.elapsed, 4);
    if (rec)
        rec.Step("elapsed_s", "Время между кадрами", "t = " + timing.elapsedFormula,
                 timing.elapsedValues, elapsed, "с");
    const Exact metres = Exact::Ratio(36, 10) * Exact::Of(distance);
    const Exact speed = metres / timing.elapsed;
    const Exact low = metres / timing.longest;
    const Exact high = metres / timing.shortest;
    const Fixed4 speedKept = Round(speed, 4), lowKept = Round(low, 4), highKept = Round(high, 4);
    const std::string d = Text(distance);
    if (rec)
        rec.Step("speed_kmh", "Скорость", "V = 3,6 × D / t = " + timing.speedFormula,
                 WithDistance(timing.speedValues, d), speedKept, "км/ч");
    if (rec)
        rec.Step("speed_low_kmh", "Скорость, нижний предел", timing.lowFormula,
                 WithDistance(timing.lowValues, d), lowKept, "км/ч");
    if (rec)
        rec.Step("speed_high_kmh", "Скорость, верхний предел", timing.highFormula,
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
        WriteSpeed(rec, TimingFromFrames(frames, fps, fpsText), distance);
        rec.Finish();
    } catch (const NumericError& error) {
        throw Blamed(error, frames, fps, distance);
    }
}

constexpr const InputDescriptor* kVideoFileInputs[] = {&input::kFromFrame, &input::kToFrame,
                                                       &input::kDistance};

constexpr std::string_view kFileTitle = "Скорость по кадрам видеофайла";
constexpr std::string_view kFileMethod =
    "методика определения средней скорости по видеозаписи: путь между двумя положениями "
    "автомобиля делится на время между кадрами по меткам времени кадров в файле, с пределами для "
    "неизвестного момента между соседними кадрами на каждом конце";
constexpr std::string_view kTimesFromFile =
    "Время кадров взято из меток времени в файле видеозаписи, а не из номеров кадров и частоты "
    "кадров.";
constexpr std::string_view kVariableRate =
    "Частота кадров в файле переменная: промежутки между кадрами различаются, поэтому время по "
    "числу кадров и заявленной частоте было бы неверным.";
constexpr std::string_view kFirstFrame =
    "У кадра 1 нет предыдущего: промежуток перед ним принят равным промежутку после него, "
    "t(0) = 2 × t(1) − t(2).";

struct FramePair {
    int from = 0, to = 0;
};

constexpr int kFromAt = IndexOf(VideoFileInput::FromFrame),
              kToAt = IndexOf(VideoFileInput::ToFrame),
              kDistanceAt = IndexOf(VideoFileInput::Distance);

// The frame numbers read and checked against the file, the first at fault named.
FramePair ReadFrames(const std::string& fromText, const std::string& toText, std::size_t count) {
    int numbers[2] = {};
    for (const int index : {kFromAt, kToAt}) {
        const Fixed4 value =
            ReadInput(index == kFromAt ? fromText : toText, index, *kVideoFileInputs[index]);
        if (static_cast<std::uint64_t>(value.units / Fixed4::kScale) > count)
            throw NumericError(NumericErrorKind::FrameBeyondEnd, index);
        numbers[index] = static_cast<int>(value.units / Fixed4::kScale);
    }
    const int from = numbers[kFromAt], to = numbers[kToAt];
    if (to == from) throw NumericError(NumericErrorKind::SameFrame, kToAt);
    if (to < from) throw NumericError(NumericErrorKind::FramesReversed, kToAt);
    if (to == from + 1) throw NumericError(NumericErrorKind::AdjacentFrames, kToAt);
    return {from, to};
}

// "t(A − 1)", "t(31)": a frame's time by its symbol and by its number.
std::string TimeOf(std::string_view frame) {
    return "t(" + std::string(frame) + ")";
}

void VideoFileAt(const VideoFileInputs& in, const FramePair& frames,
                 const std::string& distanceText, CalculationRecord* record) {
    RecordWriter rec(record, "video", std::string(kFileTitle));
    rec.Methodology(kFileMethod);
    const Fixed4 distance = ReadInput(distanceText, kDistanceAt, input::kDistance);
    const std::vector<Exact>& t = in.frameTimes;
    const Exact from = t[frames.from - 1], to = t[frames.to - 1], beforeTo = t[frames.to - 2];
    // Frame 1 has no frame before it; the checks above keep frame 2 within the file.
    const bool firstFrame = frames.from == 1;
    const Exact beforeFrom = firstFrame ? Exact::Whole(2) * t[0] - t[1] : t[frames.from - 2];

    const std::string a = std::to_string(frames.from), b = std::to_string(frames.to);
    const std::string aBefore = std::to_string(frames.from - 1),
                      bBefore = std::to_string(frames.to - 1);
    if (rec) {
        const VideoFileDetails& f = in.file;
        rec.InputValue({"Файл видеозаписи", f.name, "", "file_name", ""});
        rec.InputValue({"Размер файла", std::to_string(f.size), "байт", "file_size_bytes",
                        std::to_string(f.size)});
        rec.InputValue({"SHA-256 файла", f.sha256, "", "file_sha256", ""});
        rec.InputValue({"Формат файла", f.container, "", "container", ""});
        rec.InputValue({"Кодек видео", f.codec, "", "codec", ""});
        std::string rate = f.variableRate ? "переменная" : "постоянная";
        if (f.nominalRate.Sign() > 0)
            rate +=
                " (заявлена в файле: " + FormatDouble(RoundDecimal(ToDouble(f.nominalRate), 3)) +
                " кадр/с)";
        rec.InputValue({"Частота кадров", rate, "", "variable_rate", ""});
        const auto frame = [&](const InputDescriptor& input, const std::string& number) {
            rec.InputValue({std::string(input.name) + ", " + std::string(input.symbol), number, "",
                            std::string(input.key), number});
        };
        const auto time = [&](std::string name, std::string symbol, const Exact& value,
                              std::string key) {
            const std::string text = SecondsText(value);
            rec.InputValue(
                {std::move(name) + ", " + TimeOf(symbol), text, "с", std::move(key), text});
        };
        frame(input::kFromFrame, a);
        time("Время первого кадра", "A", from, "from_frame_time_s");
        time(firstFrame ? "Время кадра перед первым (принято)" : "Время кадра перед первым",
             "A − 1", beforeFrom, "before_from_frame_time_s");
        frame(input::kToFrame, b);
        time("Время второго кадра", "B", to, "to_frame_time_s");
        time("Время кадра перед вторым", "B − 1", beforeTo, "before_to_frame_time_s");
        rec.Input(input::kDistance, distance);
    }

    VideoTiming timing;
    timing.elapsed = to - from;
    timing.longest = to - beforeFrom;
    timing.shortest = beforeTo - from;
    const std::string tFrom = SecondsText(from), tTo = SecondsText(to),
                      tBeforeFrom = SecondsText(beforeFrom), tBeforeTo = SecondsText(beforeTo);
    // Times written in brackets when below zero, as a file's first frames may be.
    const auto v = [](const std::string& text) {
        return text.starts_with('-') ? "(" + text + ")" : text;
    };
    timing.elapsedFormula = "t(B) − t(A) = " + TimeOf(b) + " − " + TimeOf(a);
    timing.elapsedValues = v(tTo) + " − " + v(tFrom);
    timing.speedFormula = "3,6 × D / (" + TimeOf(b) + " − " + TimeOf(a) + ")";
    timing.lowFormula = "Vmin = 3,6 × D / (t(B) − t(A − 1)) = 3,6 × D / (" + TimeOf(b) + " − " +
                        TimeOf(aBefore) + ")";
    timing.highFormula = "Vmax = 3,6 × D / (t(B − 1) − t(A)) = 3,6 × D / (" + TimeOf(bBefore) +
                         " − " + TimeOf(a) + ")";
    timing.speedValues = "3,6 × D / (" + v(tTo) + " − " + v(tFrom) + ")";
    timing.lowValues = "3,6 × D / (" + v(tTo) + " − " + v(tBeforeFrom) + ")";
    timing.highValues = "3,6 × D / (" + v(tBeforeTo) + " − " + v(tFrom) + ")";
    try {
        WriteSpeed(rec, timing, distance);
    } catch (const NumericError& error) {
        // Times so far apart or so close that a step overflows: the distance is the one input
        // that can be too large, the frames' times being the file's.
        if (error.kind() == NumericErrorKind::Overflow && error.input() == kNoInput)
            throw NumericError(error.kind(), kDistanceAt);
        throw;
    }
    rec.Note(kTimesFromFile);
    if (in.file.variableRate) rec.Note(kVariableRate);
    if (firstFrame) rec.Note(kFirstFrame);
    rec.Finish();
}

} // namespace

InputList VideoFileInputList() {
    return kVideoFileInputs;
}

VideoFileResults ComputeVideoFile(const VideoFileInputs& in, CalculationRecord* record) {
    const FramePair frames = ReadFrames(in.fromFrame, in.toFrame, in.frameTimes.size());
    // The distance may be a range; the frames are single values.
    const InputValue distance = ReadInputValue(in.distance, kDistanceAt, input::kDistance);
    std::vector<CalculationRecord> corners;
    ForEachCorner(std::span(&distance, 1), [&](const std::vector<std::string>& at) {
        VideoFileAt(in, frames, at[0], &corners.emplace_back());
    });
    std::vector<RecordValue> details = corners.front().inputs;
    const InputDescriptor* const distanceOnly[] = {&input::kDistance};
    CalculationRecord merged =
        MergeCorners(std::move(corners), std::span(&distance, 1), distanceOnly);
    if (merged.inputs.size() == 1) { // over a range: the file's details and the frames again
        details.back() = merged.inputs.front();
        merged.inputs = std::move(details);
    }
    VideoFileResults results{merged.results[0].text, merged.results[1].text,
                             merged.results[2].text};
    if (record) *record = std::move(merged);
    return results;
}

std::string SecondsText(const Exact& seconds) {
    // Millionths, rounded half to even, then written with a decimal comma.
    const Exact::Int scaled = seconds.numerator() * 1000000;
    const Exact::Int den = seconds.denominator();
    Exact::Int q = scaled / den, r = scaled % den;
    if (r < 0) q -= 1, r += den; // floor
    if (2 * r > den || (2 * r == den && q % 2 != 0)) q += 1;
    const bool negative = q < 0;
    const Exact::Int magnitude = negative ? -q : q;
    std::string whole = std::to_string(static_cast<unsigned long long>(magnitude / 1000000));
    std::string fraction = std::to_string(static_cast<unsigned long long>(magnitude % 1000000));
    fraction.insert(0, 6 - fraction.size(), '0');
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    return (negative ? "-" : "") + whole + (fraction.empty() ? "" : "," + fraction);
}

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
    timing.longest = (Exact::Of(frames) + Exact::Whole(1)) / fps;
    timing.shortest = (Exact::Of(frames) - Exact::Whole(1)) / fps;
    timing.elapsedFormula = "N / f";
    timing.elapsedValues = n + " / " + f;
    timing.speedFormula = "3,6 × D × f / N";
    timing.lowFormula = "Vmin = 3,6 × D / (t + 1 / f) = 3,6 × D × f / (N + 1)";
    timing.highFormula = "Vmax = 3,6 × D / (t − 1 / f) = 3,6 × D × f / (N − 1)";
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
