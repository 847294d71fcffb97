#include "windows/toolkit/problem.h"

#include <string>
#include <vector>

#include "core/problem.h"
#include "windows/toolkit/text.h"

namespace toolkit {

QString CalculationProblem(const core::NumericError& error, core::InputList inputs,
                           const QStringList& texts) {
    std::vector<std::string> given;
    for (const QString& text : texts)
        given.push_back(Std(text));
    return Q(core::ProblemText(error, inputs, given));
}

} // namespace toolkit
