#include "main/calculation_error.h"

#include <string>
#include <vector>

#include "core/problem.h"

QString CalculationProblem(const core::NumericError& error,
                           std::span<const CalculationInput> inputs) {
    std::vector<std::string> texts; // kept alive for the views below
    texts.reserve(2 * inputs.size());
    std::vector<core::NamedInput> named;
    for (const CalculationInput& input : inputs) {
        texts.push_back(input.name.toStdString());
        texts.push_back(input.text.toStdString());
    }
    for (std::size_t i = 0; i < texts.size(); i += 2)
        named.push_back({texts[i], texts[i + 1]});
    return QString::fromStdString(core::ProblemText(error, named));
}
