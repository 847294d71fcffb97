#include "core/video.h"

#include <filesystem>

#include "cli/calculation.h"
#include "cli/problem.h"
#include "cli/verdicts.h"
#include "media/file_inputs.h"
#include "media/video_file.h"
#include "version.h"

namespace cli {
namespace {

using Names = std::set<std::string, std::less<>>;
namespace input = core::input;

// The video file and what is asked of it; its frames' times come from the file, not from --frames
// and --fps.
constexpr std::string_view kFile = "file";
constexpr std::string_view kListFrames = "list-frames";

void CheckShape(const Names& given) {
    const auto excludes = [&](std::string_view present,
                              std::initializer_list<std::string_view> others,
                              std::string_view why) {
        for (std::string_view other : others)
            if (given.contains(other))
                throw UsageError("параметры --" + std::string(present) + " и --" +
                                     std::string(other) +
                                     " исключают друг друга: " + std::string(why),
                                 other);
    };
    if (given.contains(kListFrames)) {
        RequireAll(given, {kFile});
        excludes(kListFrames,
                 {input::kFrames.option, input::kFrameRate.option, input::kFromFrame.option,
                  input::kToFrame.option, input::kDistance.option},
                 "список кадров не рассчитывает скорость");
        return;
    }
    if (given.contains(kFile)) {
        excludes(kFile, {input::kFrames.option, input::kFrameRate.option},
                 "время между кадрами берётся из меток времени кадров в файле");
        RequireAll(given,
                   {input::kFromFrame.option, input::kToFrame.option, input::kDistance.option});
        return;
    }
    excludes(input::kFrames.option, {input::kFromFrame.option, input::kToFrame.option},
             "номера кадров задаются вместе с --file");
    RequireAll(given, {input::kFrames.option, input::kFrameRate.option, input::kDistance.option});
}

// A name as given in UTF-8, as the file system takes it: UTF-16 on Windows.
std::filesystem::path PathOf(const std::string& name) {
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
}

Refusal FileRefusal(const media::MediaError& error) {
    return {std::string(kFile), error.what()};
}

// The frames of the file, one a line: its number and its time in seconds.
Outcome ListFrames(const Values& values) {
    Outcome outcome;
    try {
        const media::VideoFile video = media::VideoFile::Open(PathOf(values.find(kFile)->second));
        const media::FileInfo& info = video.Info();
        std::string text = "frame;time_s\n";
        std::string json =
            "{\"calculation\": \"video\", \"version\": " + core::JsonString(KVARNET_VERSION) +
            ", \"file\": {\"name\": " + core::JsonString(info.name) +
            ", \"size_bytes\": " + std::to_string(info.size) +
            ", \"container\": " + core::JsonString(info.container) +
            ", \"codec\": " + core::JsonString(info.codec) +
            ", \"variable_rate\": " + (info.variableRate ? "true" : "false") +
            ", \"truncated\": " + (info.truncated ? "true" : "false") + "}, \"frames\": [";
        const std::vector<media::Rational>& times = video.FrameTimes();
        for (std::size_t i = 0; i < times.size(); ++i) {
            const std::string seconds = core::SecondsText(media::ExactOf(times[i]));
            const std::string number = std::to_string(i + 1);
            text += number + ";" + seconds + "\n";
            json += (i ? ", " : "") + std::string("{\"frame\": ") + number +
                    ", \"time_s\": " + core::JsonNumber(seconds) + "}";
        }
        outcome.listing = Listing{std::move(text), std::move(json) + "]}\n"};
    } catch (const media::MediaError& error) {
        outcome.refusal = FileRefusal(error);
    }
    return outcome;
}

// The speed between two frames of the file, by their own times.
Outcome RunFromFile(const Values& values, bool withRecord) {
    if (values.contains(kListFrames)) return ListFrames(values);
    const core::InputList inputs = core::VideoFileInputList();
    const std::vector<std::string> texts = TextsOf(values, inputs);
    Outcome outcome;
    const std::filesystem::path path = PathOf(values.find(kFile)->second);
    std::optional<media::VideoFile> video;
    core::VideoFileInputs in{texts[0], texts[1], texts[2], {}, {}};
    try {
        video.emplace(media::VideoFile::Open(path));
        in.frameTimes = media::ExactTimes(video->FrameTimes());
        // The hash is evidence for the record; a table of results needs none.
        in.file = media::DetailsOf(video->Info(), withRecord ? media::Sha256(path) : "");
    } catch (const media::MediaError& error) {
        outcome.refusal = FileRefusal(error);
        return outcome;
    }
    try {
        const core::VideoFileResults r =
            core::ComputeVideoFile(in, withRecord ? &outcome.record : nullptr);
        outcome.columns = {r.elapsed, r.speed, r.speedRange};
    } catch (const core::NumericError& error) {
        outcome.refusal = InputProblem(error, inputs, texts);
        // How many frames there are, and why no more when the file is cut short.
        if (error.kind() == core::NumericErrorKind::FrameBeyondEnd) {
            outcome.refusal->message += " Кадров в файле: " + std::to_string(video->FrameCount());
            const media::FileInfo& info = video->Info();
            outcome.refusal->message += info.truncated ? "; " + info.truncation + "." : ".";
        }
    }
    return outcome;
}

Outcome Run(const Values& values, bool withRecord) {
    if (values.contains(kFile)) return RunFromFile(values, withRecord);
    const core::InputList inputs = core::VideoInputList();
    const std::vector<std::string> texts = TextsOf(values, inputs);
    Outcome outcome;
    try {
        const core::VideoResults r = core::ComputeVideo({texts[0], texts[1], texts[2]},
                                                        withRecord ? &outcome.record : nullptr);
        outcome.columns = {r.elapsed, r.speed, r.speedRange};
    } catch (const core::NumericError& error) {
        outcome.refusal = InputProblem(error, inputs, texts);
    }
    return outcome;
}

std::string Details() {
    return std::string(
               "--file — видеофайл (MP4, MOV, AVI, MKV, TS), --from-frame и --to-frame — номера\n"
               "кадров, на которых автомобиль в первом и во втором положении (кадры нумеруются\n"
               "с 1 в порядке показа; второй — не раньше чем через кадр после первого),\n"
               "--distance — путь между положениями, м. Время каждого кадра берётся из его\n"
               "метки времени в файле, а не из номера и частоты кадров: видеорегистраторы\n"
               "часто пишут с переменной частотой и пропускают кадры. t = t(B) − t(A),\n"
               "V = 3,6·D/t; момент, который показывает кадр, лежит после предыдущего кадра,\n"
               "поэтому скорость лежит в пределах 3,6·D/(t(B) − t(A − 1)) …\n"
               "3,6·D/(t(B − 1) − t(A)). В записи — имя, размер и SHA-256 файла, его формат\n"
               "и кодек, оба кадра и время их и соседних кадров.\n"
               "--list-frames выводит кадры файла: номер и время в секундах, по строке на кадр\n"
               "(frame;time_s), с --json — массив frames.\n\n") +
           std::string(
               "--frames — число интервалов между кадрами, на которых автомобиль в первом и во\n"
               "втором положении (целое, не меньше 2; на единицу меньше числа кадров от\n"
               "первого до второго включительно), --fps — частота кадров десятичной дробью (25, "
               "29,97) или точно\n"
               "дробью (30000/1001), --distance — путь между положениями, м.\n"
               "t = N/f, V = 3,6·D·f/N; момент каждого кадра известен с точностью до кадра,\n"
               "поэтому скорость лежит в пределах 3,6·D·f/(N + 1) … 3,6·D·f/(N − 1).\n\n") +
           kRangesHelp;
}

} // namespace

const Calculation& Video() {
    static const Calculation calculation{
        .name = "video",
        .summary = "скорость по кадрам видеозаписи: по их числу и частоте или по файлу",
        .options = {OptionOf(input::kFrames),
                    OptionOf(input::kFrameRate),
                    OptionOf(input::kDistance),
                    {kFile, "Файл видеозаписи", "путь"},
                    OptionOf(input::kFromFrame),
                    OptionOf(input::kToFrame),
                    {kListFrames, "Вывести номера и время кадров файла", "", true}},
        .resultColumns = {"elapsed_s", "speed_kmh", "speed_range_kmh"},
        .usage =
            "kvarnet-calc video --frames 45 --fps 30 --distance 10\n"
            "kvarnet-calc video --frames 45 --fps 30000/1001 --distance 9,8..10,2\n"
            "kvarnet-calc video --file запись.mp4 --from-frame 31 --to-frame 91 --distance 50\n"
            "kvarnet-calc video --file запись.mp4 --list-frames\n",
        .details = Details,
        .checkShape = CheckShape,
        .run = Run,
    };
    return calculation;
}

} // namespace cli
