#include "cli/problem.h"

#include <vector>

#include "core/problem.h"

namespace cli {

Refusal Refuse(const GivenInput& input, std::string_view what) {
    return {std::string(input.option),
            "значение «" + std::string(input.caption) + "» " + std::string(what)};
}

Refusal InputProblem(const core::NumericError& error, std::span<const GivenInput> inputs) {
    std::vector<core::NamedInput> named;
    for (const GivenInput& input : inputs)
        named.push_back({input.caption, input.text});
    const int index = error.input();
    const bool namesOne = index >= 0 && index < static_cast<int>(inputs.size());
    return {namesOne ? std::string(inputs[static_cast<std::size_t>(index)].option) : std::string(),
            core::ProblemText(error, named)};
}

} // namespace cli
