#include "cli/verdicts.h"

namespace cli {

std::vector<std::string> TextsOf(const Values& values, core::InputList inputs) {
    std::vector<std::string> texts;
    for (const core::InputDescriptor* input : inputs)
        texts.push_back(values.find(input->option)->second);
    return texts;
}

bool Given(const Values& values, const core::InputDescriptor& input) {
    const auto found = values.find(input.option);
    return found != values.end() && !found->second.empty();
}

std::string VerdictColumn(const core::Conclusion& conclusion) {
    return std::string(core::VerdictWord(conclusion.verdict));
}

const char* const kRangesHelp =
    "Любое числовое значение, кроме показаний часов dashcam, можно задать пределами:\n"
    "0,6..1,4 (также 0,6…1,4 и 0,6–1,4), нижний предел первым. Каждый результат тогда —\n"
    "пределы его значений при всех значениях исходных данных в заданных пределах; одно\n"
    "число остаётся одним числом.\n";

const char* const kVerdictHelp =
    "Вывод в записи — словами заключения эксперта; в пределах он верен при всех значениях,\n"
    "ни при каких или зависит от значений, и тогда запись называет значения, при которых он\n"
    "меняется. В файле --batch столбец вывода — «да», «нет» или «зависит от значений»; в\n"
    "JSON значение вывода — true, false или null, а его текст — в поле text.\n";

} // namespace cli
