#include "cli/problem.h"

#include "core/problem.h"

namespace cli {

Refusal Refuse(const core::InputDescriptor& input, std::string_view what) {
    return {std::string(input.option),
            "значение «" + std::string(input.name) + "» " + std::string(what)};
}

Refusal InputProblem(const core::NumericError& error, core::InputList inputs,
                     std::span<const std::string> texts) {
    const int index = error.input();
    const bool namesOne = index >= 0 && index < static_cast<int>(inputs.size());
    return {namesOne ? std::string(inputs[static_cast<std::size_t>(index)]->option) : std::string(),
            core::ProblemText(error, inputs, texts)};
}

Option OptionOf(const core::InputDescriptor& input) {
    return {input.option, input.name, input.unit.empty() ? input.symbol : input.unit};
}

} // namespace cli
