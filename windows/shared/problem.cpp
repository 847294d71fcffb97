#include "windows/shared/problem.h"

#include <string>
#include <vector>

#include "core/problem.h"
#include "windows/shared/text.h"

namespace shared {

QString Refusal(const QString& reason) {
    return QStringLiteral("Расчёт невозможен: ") + reason;
}

QString CalculationRefusal(const core::NumericError& error, core::InputList inputs,
                           const QStringList& texts) {
    std::vector<std::string> given;
    for (const QString& text : texts)
        given.push_back(Std(text));
    return Refusal(Q(core::ProblemText(error, inputs, given)));
}

} // namespace shared
