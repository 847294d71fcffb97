#include "core/problem.h"

#include <algorithm>
#include <string>

#include "core/numeric.h"
#include "core/range.h"

namespace core {

namespace {

constexpr std::string_view kNotANumber =
    "не является числом. Введите число, дробную часть отделяйте запятой, например 0,8.";

std::string About(const InputDescriptor& input, std::string_view what) {
    return "значение «" + std::string(input.name) + "» " + std::string(what);
}

// The rule of a clock reading's part: "целым числом от 0 до 23", "меньше 60".
std::string Limit(const InputDescriptor& input) {
    if (input.below <= 0) return "целым числом";
    if (input.whole) return "целым числом от 0 до " + std::to_string(input.below - 1);
    return "меньше " + std::to_string(input.below);
}

// Whether the text, or an end of its range or a part of its fraction, is below zero.
bool IsNegative(std::string_view text) {
    if (const auto ends = SplitRange(text)) return IsNegative(ends->low) || IsNegative(ends->high);
    if (const std::size_t slash = text.find('/'); slash != std::string_view::npos)
        return IsNegative(text.substr(0, slash)) || IsNegative(text.substr(slash + 1));
    try {
        return ParseDouble(text) < 0;
    } catch (const NumericError&) {
        return false;
    }
}

} // namespace

std::string ProblemText(const NumericError& error, InputList inputs,
                        std::span<const std::string> texts) {
    using Kind = NumericErrorKind;
    // The clock readings are refused as a pair, whichever of their fields the error names.
    if (error.kind() == Kind::SameTime)
        return "конечные показания времени совпадают с начальными: время не прошло, скорость не "
               "определена.";
    if (error.kind() == Kind::EndBeforeStart)
        return "конечные показания времени раньше начальных. Если запись идёт через полночь, "
               "укажите конечный час как 24, например 24:00:10.";
    // The frames of a video file are refused as a pair, under the second.
    if (error.kind() == Kind::SameFrame)
        return "первый и второй кадры совпадают: время не прошло, скорость не определена.";
    if (error.kind() == Kind::FramesReversed)
        return "второй кадр показан раньше первого: номер второго кадра должен быть больше.";
    if (error.kind() == Kind::AdjacentFrames)
        return "второй кадр идёт сразу за первым: время между ними известно лишь с точностью до "
               "кадра на каждом конце, и верхний предел скорости не ограничен. Возьмите кадры "
               "хотя бы через один.";
    const int index = error.input();
    if (index < 0 || index >= static_cast<int>(std::min(inputs.size(), texts.size()))) {
        if (error.kind() == Kind::TypeMismatch) return "одно из значений не является числом.";
        if (error.kind() == Kind::Overflow) return "одно из значений слишком велико.";
        return "при этих значениях результат не определён.";
    }
    const InputDescriptor& input = *inputs[static_cast<std::size_t>(index)];
    const std::string& text = texts[static_cast<std::size_t>(index)];
    switch (error.kind()) {
    case Kind::TypeMismatch:
        if (!text.empty() && input.accepts == Accepts::PositiveRatio)
            return About(input, "не является числом. Введите число, например 25 или 29,97, или "
                                "дробь, например 30000/1001.");
        return About(input, text.empty() ? "не задано." : kNotANumber);
    case Kind::Overflow:
        if (input.below > 0) return About(input, "должно быть " + Limit(input) + ".");
        return About(input, "слишком велико.");
    case Kind::AboveLimit:
    case Kind::NotWhole:
        return About(input, "должно быть " + Limit(input) + ".");
    case Kind::OutOfRange:
        if (input.accepts == Accepts::Count)
            return About(input, "должно быть целым числом не меньше 2: время между кадрами "
                                "известно с точностью до кадра на каждом конце.");
        if (input.accepts == Accepts::FrameNumber)
            return About(input, "должно быть целым числом не меньше 1: кадры нумеруются с 1.");
        return About(input, IsNegative(text) ? "не может быть отрицательным."
                                             : "должно быть больше нуля.");
    case Kind::FrameBeyondEnd:
        return About(input, "(" + text + ") больше числа кадров в файле.");
    case Kind::ReversedRange:
        return About(input, "задано пределами в обратном порядке («" + text +
                                "»): нижний предел пишется первым, например 0,6..1,4.");
    case Kind::StopsBeforeImpact:
        return About(input, "слишком мало для такого следа торможения: автомобиль с этой "
                            "скоростью остановился бы раньше, чем кончился след, и удара не было "
                            "бы. Проверьте скорость, длину следа, замедление и время нарастания "
                            "замедления.");
    case Kind::BelowResolution:
        return About(input, "меньше разрешения программы " + FormatFixed4(Fixed4::FromUnits(1)) +
                                ": программа считает с четырьмя знаками после запятой.");
    default:
        return "значение «" + std::string(input.name) +
               "»: при этом значении результат не определён.";
    }
}

} // namespace core
