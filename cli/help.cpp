#include "cli/help.h"

#include "cli/origin.h"
#include "cli/verdicts.h"

namespace cli {
namespace {

std::string Padded(std::string_view text, std::size_t width) {
    std::string out(text);
    if (text.size() < width) out.append(width - text.size(), ' ');
    return out;
}

constexpr std::string_view kCommon =
    "  --json           запись расчёта в JSON вместо текста; с --batch — строки JSON\n"
    "  --batch ФАЙЛ     рассчитать каждую строку файла с разделителем «;» (- — стандартный\n"
    "                   ввод); первая строка называет параметры без «--»\n"
    "  --help, -h       эта справка\n";

// An option as the help lists it: name, what it is, what to type.
std::string OptionLine(const Option& option) {
    // A name as long as the column puts what it is on a line of its own, under the column.
    const std::string name = "--" + std::string(option.name);
    const std::string head =
        name.size() < 17 ? Padded(name, 17) : name + "\n" + std::string(19, ' ');
    return "  " + head + std::string(option.caption) +
           (option.value.empty() ? "" : ", " + std::string(option.value)) + "\n";
}

std::string CaseHelp() {
    std::string text =
        "Сведения о деле (любого расчёта; в заголовке записи, пустые не выводятся):\n";
    for (const Option& option : CaseOptions())
        text += OptionLine(option);
    return text;
}

constexpr std::string_view kHeader =
    "Запись расчёта начинается с заголовка: сведения о деле, дата и время расчёта (местное\n"
    "время с часовым поясом), программа с версией и метод — методика, если расчёт её\n"
    "называет, и формулы раздела «Расчёт», с поправками программы из раздела «Примечания»,\n"
    "если они были.\n";

constexpr std::string_view kNumbersAndStatus =
    "Числа пишутся с десятичной запятой (точка тоже принимается). Тексты параметров и файла\n"
    "--batch — в UTF-8 или в Windows-1251; вывод всегда в UTF-8. За параметром идёт его\n"
    "значение; значение, начинающееся с «--», задаётся через «=»: --note=--черновик.\n"
    "Код завершения: 0 — всё рассчитано, 1 — какое-то значение не принято, 2 — ошибка в\n"
    "команде (неизвестный расчёт или параметр, параметр без значения), 3 — результат не\n"
    "удалось записать (нет места на диске, стандартный вывод закрыт, читающая программа\n"
    "закрыла канал, как head); причина — в стандартном потоке ошибок.\n";

constexpr std::string_view kBatchAndJson =
    "Файл --batch: поле в кавычках может содержать «;», удвоенные кавычки и переносы строк;\n"
    "кавычка внутри поля без кавычек — обычный символ. В вывод идут столбец line (номер\n"
    "строки входного файла, с которой начинается запись), столбцы файла, столбцы\n"
    "результатов и error (причина отказа с номером строки); поле с «;», кавычкой или\n"
    "переносом строки выводится в кавычках. Пустая строка пропускается, её номер не\n"
    "выводится. Строка с лишним или недостающим полем или с незакрытой кавычкой не\n"
    "считается; в error она приводится целиком. Вывод файла из Windows-1251 или с меткой\n"
    "UTF-8 начинается с метки UTF-8, чтобы табличный редактор прочёл его верно.\n"
    "\n"
    "В файле столбцы case, expert, organisation и note задают сведения о деле для своей\n"
    "строки. Параметр командной строки заменяет недостающий столбец; параметр, заданный и\n"
    "столбцом файла, — ошибка в команде.\n"
    "\n"
    "JSON (--json): объект с полями calculation (имя расчёта, например stopping), version,\n"
    "computed_at (дата и время расчёта по ISO 8601, например 2025-03-07T14:05:09+03:00),\n"
    "case (сведения о деле: number, expert, organisation, note — только заданные), method,\n"
    "title, inputs, steps, results, notes. Каждый элемент inputs, steps и results имеет\n"
    "key (постоянное имя латиницей, например reaction_s, speed_kmh, stopping_distance_m,\n"
    "braking_time_s, elapsed_s), name, unit, text (как показано, с запятой) и value (число\n"
    "JSON, например 45.7; у нечисловых исходных данных его нет); у шагов ещё formula и\n"
    "substituted. У значения, заданного пределами, и у результата в пределах вместо value —\n"
    "min и max, а text — «0,6…1,4»; у вывода о технической возможности value — true, false\n"
    "или null (зависит от значений), а text — сам вывод. Отказ и ошибка в команде — объект error с "
    "полями kind (refused, usage),\n"
    "option и message. С --batch каждая строка вывода — объект с line, case (если сведения\n"
    "о деле заданы) и results или error с теми же полями (kind — refused).\n";

} // namespace

std::string GeneralHelp() {
    std::string text = "kvarnet-calc — расчёты для автотехнической экспертизы ДТП.\n\n"
                       "Использование:\n"
                       "  kvarnet-calc РАСЧЁТ ПАРАМЕТРЫ… [--json]\n"
                       "  kvarnet-calc РАСЧЁТ --batch ФАЙЛ [ПАРАМЕТРЫ…] [--json]\n"
                       "  kvarnet-calc РАСЧЁТ --help\n"
                       "  kvarnet-calc --version\n\n"
                       "Расчёты:\n";
    for (const Calculation* calculation : AllCalculations())
        text += "  " + Padded(calculation->name, 12) + std::string(calculation->summary) + "\n";
    text += "\nОбщие параметры:\n" + std::string(kCommon) + "\n" + CaseHelp() + "\n" +
            std::string(kHeader) + "\n" + std::string(kRangesHelp) + "\n" +
            std::string(kBatchAndJson) + "\n" + std::string(kNumbersAndStatus);
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
        text += OptionLine(option);
    text += kCommon;
    text += "\n" + CaseHelp() + "\n" + calculation.details() + "\n";
    text += "В файле --batch к столбцам добавляются: line (первым),";
    for (std::string_view column : calculation.resultColumns)
        text += " " + std::string(column);
    text += " error.\n\n" + std::string(kHeader) + "\n" + std::string(kNumbersAndStatus);
    return text;
}

} // namespace cli
