#include "cli/help.h"

namespace cli {
namespace {

std::string Padded(std::string_view text, std::size_t width) {
    std::string out(text);
    if (text.size() < width) out.append(width - text.size(), ' ');
    return out;
}

constexpr std::string_view kCommon =
    "  --json           запись расчёта в JSON вместо текста\n"
    "  --batch ФАЙЛ     рассчитать каждую строку файла с разделителем «;» (- — стандартный\n"
    "                   ввод); первая строка называет параметры без «--»\n"
    "  --help, -h       эта справка\n";

constexpr std::string_view kNumbersAndStatus =
    "Числа пишутся с десятичной запятой (точка тоже принимается).\n"
    "Код завершения: 0 — всё рассчитано, 1 — какое-то значение не принято, 2 — ошибка в\n"
    "команде (неизвестный расчёт или параметр, параметр без значения).\n";

} // namespace

std::string GeneralHelp() {
    std::string text = "kvarnet-calc — расчёты для автотехнической экспертизы ДТП.\n\n"
                       "Использование:\n"
                       "  kvarnet-calc РАСЧЁТ ПАРАМЕТРЫ… [--json]\n"
                       "  kvarnet-calc РАСЧЁТ --batch ФАЙЛ [ПАРАМЕТРЫ…]\n"
                       "  kvarnet-calc РАСЧЁТ --help\n\n"
                       "Расчёты:\n";
    for (const Calculation* calculation : AllCalculations())
        text += "  " + Padded(calculation->name, 10) + std::string(calculation->summary) + "\n";
    text += "\nОбщие параметры:\n" + std::string(kCommon) + "\n" + std::string(kNumbersAndStatus);
    return text;
}

std::string CalculationHelp(const Calculation& calculation) {
    std::string text = "kvarnet-calc " + std::string(calculation.name) + " — " +
                       std::string(calculation.summary) + ".\n\nИспользование:\n";
    std::string_view usage = calculation.usage;
    while (!usage.empty()) {
        const std::size_t end = usage.find('\n');
        text += "  " + std::string(usage.substr(0, end)) + "\n";
        usage.remove_prefix(end == std::string_view::npos ? usage.size() : end + 1);
    }
    text += "\nПараметры:\n";
    for (const Option& option : calculation.options)
        text += "  " + Padded("--" + std::string(option.name), 17) + std::string(option.caption) +
                ", " + std::string(option.value) + "\n";
    text += kCommon;
    text += "\n" + calculation.details() + "\n";
    text += "В файле --batch к столбцам добавляются:";
    for (std::string_view column : calculation.resultColumns)
        text += " " + std::string(column);
    text += " error.\n\n" + std::string(kNumbersAndStatus);
    return text;
}

} // namespace cli
