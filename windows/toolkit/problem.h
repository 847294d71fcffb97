#pragma once

#include <QString>
#include <QStringList>

#include "core/inputs.h"
#include "core/numeric_error.h"

namespace toolkit {

// Why a calculation could not run, naming the input at fault where the error names one; it
// completes "Расчёт невозможен: …". `inputs` are the calculation's, in the order it reads
// them, and `texts` what the window holds for each, in the same order.
QString CalculationProblem(const core::NumericError& error, core::InputList inputs,
                           const QStringList& texts);

} // namespace toolkit
