#include "cli/problem.h"

#include "core/numeric.h"

namespace cli {

Refusal Refuse(const GivenInput& input, std::string_view what) {
    return {std::string(input.option),
            "значение «" + std::string(input.caption) + "» " + std::string(what)};
}

Refusal InputProblem(const core::NumericError& error, std::span<const GivenInput> inputs) {
    using Kind = core::NumericErrorKind;
    const int index = error.input();
    if (index < 0 || index >= static_cast<int>(inputs.size())) {
        if (error.kind() == Kind::TypeMismatch) return {"", "одно из значений не является числом."};
        if (error.kind() == Kind::Overflow) return {"", "одно из значений слишком велико."};
        return {"", "при этих значениях результат не определён."};
    }
    const GivenInput& input = inputs[static_cast<std::size_t>(index)];
    switch (error.kind()) {
    case Kind::TypeMismatch:
        if (input.text.empty()) return Refuse(input, "не задано.");
        return Refuse(input, "не является числом. Введите число, дробную часть отделяйте "
                             "запятой, например 0,8.");
    case Kind::Overflow:
        return Refuse(input, "слишком велико.");
    case Kind::OutOfRange: {
        bool negative = false;
        try {
            negative = core::ParseDouble(input.text) < 0;
        } catch (const core::NumericError&) {
        }
        return Refuse(input,
                      negative ? "не может быть отрицательным." : "должно быть больше нуля.");
    }
    case Kind::DivisionByZero:
    case Kind::InvalidArgument:
        break;
    }
    Refusal refusal = Refuse(input, "");
    refusal.message.pop_back(); // the blank before the empty `what`
    refusal.message += ": при этом значении результат не определён.";
    return refusal;
}

} // namespace cli
