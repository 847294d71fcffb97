#pragma once

#include <QString>
#include <span>

namespace core {
class NumericError;
}

// One input of a braking calculation as the user sees it: its caption and its text.
struct CalculationInput {
    QString name;
    QString text;
};

// Why a braking calculation could not run, naming the input at fault where one is: it
// completes the message "Расчёт невозможен: …". `inputs` are in the order the calculation
// reads them, the order its errors count them in.
QString CalculationProblem(const core::NumericError& error,
                           std::span<const CalculationInput> inputs);
