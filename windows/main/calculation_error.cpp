#include "main/calculation_error.h"

#include "core/numeric.h"
#include "core/numeric_error.h"

QString CalculationProblem(const core::NumericError& error,
                           std::span<const CalculationInput> inputs) {
    using Kind = core::NumericErrorKind;
    const int index = error.input();
    if (index < 0 || index >= static_cast<int>(inputs.size())) {
        if (error.kind() == Kind::TypeMismatch)
            return QStringLiteral("одно из значений не является числом.");
        if (error.kind() == Kind::Overflow)
            return QStringLiteral("одно из значений слишком велико.");
        return QStringLiteral("при этих значениях результат не определён.");
    }
    const CalculationInput& input = inputs[static_cast<std::size_t>(index)];
    const QString value = QStringLiteral("значение «%1»").arg(input.name);
    switch (error.kind()) {
    case Kind::TypeMismatch:
        if (input.text.isEmpty()) return value + QStringLiteral(" не задано.");
        return value + QStringLiteral(" не является числом. Введите число, дробную часть "
                                      "отделяйте запятой, например 0,8.");
    case Kind::Overflow:
        return value + QStringLiteral(" слишком велико.");
    case Kind::OutOfRange: {
        bool negative = false;
        try {
            negative = core::ParseDouble(input.text.toStdString()) < 0;
        } catch (const core::NumericError&) {
        }
        return value + (negative ? QStringLiteral(" не может быть отрицательным.")
                                 : QStringLiteral(" должно быть больше нуля."));
    }
    case Kind::DivisionByZero:
    case Kind::InvalidArgument:
        break;
    }
    return value + QStringLiteral(": при этом значении результат не определён.");
}
