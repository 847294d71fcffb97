#pragma once

#include <QString>
#include <QStringList>

#include "core/inputs.h"
#include "core/numeric_error.h"

// The message of a calculation that cannot run, as every window shows it.
namespace shared {

// "Расчёт невозможен: " followed by `reason`.
QString Refusal(const QString& reason);

// The refusal for `error`, naming the input at fault where the error names one. `inputs` are
// the calculation's, in the order it reads them, and `texts` what the window holds for each, in
// the same order.
QString CalculationRefusal(const core::NumericError& error, core::InputList inputs,
                           const QStringList& texts);

} // namespace shared
