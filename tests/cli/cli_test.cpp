// Runs kvarnet-calc as a user and a script would, through a shell, and compares its exit status
// and what it writes.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <csignal>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "../core/case_name.h"
#include "core/loading.h"
#include "version.h"

namespace {

struct ProgramRun {
    int status = -1;
    std::string out, err;
};

struct Case {
    std::string name;
    std::vector<std::string> args;
    int status;                            // expected exit status
    std::vector<std::string> outHas = {};  // each must occur in standard output
    std::vector<std::string> errHas = {};  // each must occur in standard error
    std::string stdinText = {};            // fed to standard input
    std::optional<std::string> outIs = {}; // the whole standard output, where it is known
    // More texts standard output must hold, taken from the core's own tables.
    std::function<std::vector<std::string>()> outHasFromData = nullptr;
    std::string redirect = {};     // shell redirection of standard output instead of the pipe
    std::string pipeTo = {};       // a command reading standard output
    std::string zone = {};         // the TZ the program runs in; "" for the machine's
    bool pipeSignalIgnored = true; // with pipeTo: SIGPIPE ignored, as some shells and services
                                   // do; otherwise as an interactive shell leaves it
    // Arguments in bytes that are not UTF-8, which only a POSIX system passes: Windows hands a
    // program its command line in UTF-16.
    bool argumentBytes = false;
};

std::string Quoted(const std::string& arg) {
    std::string out = "'";
    for (char c : arg)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

// Line ends as written under Windows count as plain ones.
std::string WithoutCarriageReturns(std::string text) {
    std::erase(text, '\r');
    return text;
}

// The Russian letters, «№» and plain ASCII of a UTF-8 text in Windows-1251, as a spreadsheet on
// a Russian Windows saves them.
std::string InWindows1251(std::string_view utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            out += utf8[i++];
            continue;
        }
        if (lead >= 0xE0) { // «№», U+2116, the one three-byte character used here
            out += '\xB9';
            i += 3;
            continue;
        }
        const unsigned c = (lead & 0x1Fu) << 6 | (static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu);
        out += c == 0x401 ? '\xA8' : c == 0x451 ? '\xB8' : static_cast<char>(c - 0x410 + 0xC0);
        i += 2;
    }
    return out;
}

// Whether the bytes are UTF-8 (RFC 3629: no overlong forms, no surrogates, up to U+10FFFF).
bool IsUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        const std::size_t length = b < 0x80       ? 1
                                   : b >> 5 == 6  ? 2
                                   : b >> 4 == 14 ? 3
                                   : b >> 3 == 30 ? 4
                                                  : 0;
        if (length == 0 || i + length > text.size()) return false;
        unsigned code = length == 1 ? b : b & (0x7Fu >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if (next >> 6 != 2) return false;
            code = code << 6 | (next & 0x3Fu);
        }
        const unsigned least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < least[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

ProgramRun Start(const std::vector<std::string>& command, const Case& c,
                 const std::filesystem::path& dir) {
    const auto input = dir / "stdin.txt", errors = dir / "stderr.txt";
    std::ofstream(input, std::ios::binary) << c.stdinText;
    std::string line = c.zone.empty() ? "" : "TZ=" + Quoted(c.zone) + " ";
    for (const std::string& part : command)
        line += Quoted(part) + " ";
    for (const std::string& arg : c.args)
        line += Quoted(arg) + " ";
    line += "<" + Quoted(input.string()) + " 2>" + Quoted(errors.string()) + " " + c.redirect;
    const auto status = dir / "status.txt";
    std::filesystem::remove(status);
    if (!c.pipeTo.empty())
        line = std::string(c.pipeSignalIgnored ? "trap '' PIPE; " : "") + "{ " + line +
               "; echo $? >" + Quoted(status.string()) + "; } | " + c.pipeTo + " >/dev/null";
    ProgramRun run;
    FILE* pipe = popen(line.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        run.out.append(buffer, n);
    const int wait = pclose(pipe);
    run.status = WIFEXITED(wait) ? WEXITSTATUS(wait) : -1;
    if (!c.pipeTo.empty()) run.status = std::stoi("0" + ReadFile(status));
    run.out = WithoutCarriageReturns(run.out);
    run.err = WithoutCarriageReturns(ReadFile(errors));
    return run;
}

const std::vector<std::string> kStoppingBase = {
    "stopping", "--reaction", "0,8", "--delay", "0,2", "--rise", "0,3", "--deceleration", "6,8"};
const std::vector<std::string> kPedestrianBase = {
    "pedestrian", "--reaction",         "0,8", "--delay", "0,2", "--rise", "0,3", "--deceleration",
    "6,8",        "--pedestrian-speed", "5"};
const std::vector<std::string> kLoadingBase = {
    "loading", "--speed", "60", "--adhesion", "0,8", "--rise", "0,3", "--deceleration", "6,8"};

std::vector<std::string> With(std::vector<std::string> base, std::vector<std::string> more) {
    base.insert(base.end(), more.begin(), more.end());
    return base;
}

// Every row of the coefficient table as the help must list it: number and category name.
std::vector<std::string> TableRows() {
    std::vector<std::string> rows;
    for (auto group : {core::VehicleGroup::CarsAndBuses, core::VehicleGroup::Trucks,
                       core::VehicleGroup::RoadTrains})
        for (std::string_view category : core::CategoriesOf(group)) {
            const int row = *core::RowForCategory(group, category);
            rows.push_back(std::to_string(row) + "  " + std::string(core::CategoryName(row)) +
                           "\n");
        }
    return rows;
}

const std::string kNotANumber = "значение «Время реакции водителя» не является числом";

// A batch of `lines` stopping calculations.
std::string ManyLines(int lines) {
    std::string text = "reaction;delay;rise;deceleration;skid\n";
    for (int i = 0; i < lines; ++i)
        text += "0,8;0,2;0,3;6,8;" + std::to_string(i % 50) + "\n";
    return text;
}

const std::string kMark = "\xEF\xBB\xBF"; // UTF-8's byte order mark

// A batch with Russian letters and «№» in its case column and a short line quoting them, and
// what the program writes for it, in UTF-8 whatever the file's encoding.
const std::string kRussianCase = "Дело №5-12/2025, Ёлкин";
const std::string kRussianBatch = "case;reaction;delay;rise;deceleration;skid\n" + kRussianCase +
                                  ";0,8;0,2;0,3;6,8;10\nЁлкин;0,8\n";
const std::string kRussianBatchOut =
    "line;case;reaction;delay;rise;deceleration;skid;speed_or_skid;speed_ms;distance;time;error\n"
    "2;" +
    kRussianCase +
    ";0,8;0,2;0,3;6,8;10;45,7;12,7;26,4;1,7;\n"
    "3;Ёлкин;0,8;;;;;;;;;\"строка 3: полей 2, а в заголовке 6: «Ёлкин;0,8».\"\n";

// Row 9 of the coefficient table, fully loaded, at adhesion 0,8: its category and its cell, as
// the record names them.
std::vector<std::string> Row9FullLoad() {
    const int column = *core::ColumnForAdhesion(core::LoadState::FullLoad, "0,8");
    return {"Категория: " + std::string(core::CategoryOfRow(9).category) + "\n",
            "таблица[9; " + std::to_string(column) + "] = " + *core::LookUpEfficiency(9, column) +
                "\n"};
}

// The version line: the name, then digits and points.
std::vector<std::string> VersionLine() {
    return {"kvarnet-calc " KVARNET_VERSION "\n"};
}

std::vector<Case> Cases() {
    return {
        // Worked examples.
        {.name = "Stopping_Skid10_Text",
         .args = With(kStoppingBase, {"--skid", "10"}),
         .status = 0,
         .outHas = {"Скорость: 45,7 км/ч\n", "Скорость: 12,7 м/с\n", "Остановочный путь: 26,4 м\n",
                    "Время полного торможения: 1,7 с\n"}},
        {.name = "Stopping_Skid10_Json",
         .args = With(kStoppingBase, {"--skid", "10", "--json"}),
         .status = 0,
         .outHas =
             {"{\"calculation\": \"stopping\", \"version\": \"", "\"title\": ",
              "{\"key\": \"reaction_s\", \"name\": \"Время реакции водителя, t1\", \"unit\": "
              "\"с\", "
              "\"text\": \"0,8\", \"value\": 0.8}",
              "\"results\": [{\"key\": \"speed_kmh\", \"name\": \"Скорость\", \"unit\": \"км/ч\", "
              "\"text\": \"45,7\", \"value\": 45.7}, {\"key\": \"speed_ms\", \"name\": "
              "\"Скорость\", "
              "\"unit\": \"м/с\", \"text\": \"12,7\", \"value\": 12.7}, {\"key\": "
              "\"stopping_distance_m\", \"name\": \"Остановочный путь\", \"unit\": \"м\", "
              "\"text\": "
              "\"26,4\", \"value\": 26.4}, {\"key\": \"braking_time_s\", \"name\": \"Время полного "
              "торможения\", \"unit\": \"с\", \"text\": \"1,7\", \"value\": 1.7}]"}},
        {.name = "Stopping_Speed60_Text",
         .args = With(kStoppingBase, {"--speed", "60"}),
         .status = 0,
         .outHas = {"Длина тормозного следа (юз): 18 м\n", "Скорость: 16,7 м/с\n",
                    "Остановочный путь: 39,5 м\n", "Время полного торможения: 2,3 с\n"}},
        {.name = "Stopping_Speed60_Json",
         .args = With(kStoppingBase, {"--speed", "60", "--json"}),
         .status = 0,
         .outHas =
             {"{\"key\": \"skid_m\", \"name\": \"Длина тормозного следа (юз)\", \"unit\": \"м\", "
              "\"text\": \"18\", \"value\": 18}",
              "{\"key\": \"stopping_distance_m\", \"name\": \"Остановочный путь\", \"unit\": "
              "\"м\", "
              "\"text\": \"39,5\", \"value\": 39.5}"}},
        {.name = "Stopping_PointForComma",
         .args = {"stopping", "--reaction", "0.8", "--delay", "0.2", "--rise", "0.3",
                  "--deceleration", "6.8", "--skid=10.0"},
         .status = 0,
         .outHas = {"Скорость: 45,7 км/ч\n", "Остановочный путь: 26,4 м\n"}},
        {.name = "Loading_Row1Unloaded_Text",
         .args = With(kLoadingBase, {"--row", "1", "--load", "unloaded"}),
         .status = 0,
         .outHas = {"Группа транспортных средств: Легковые и автобусы одиночные и автопоезда\n",
                    "Категория: легковые\n", "Загрузка: Без нагрузки\n", "таблица[1; 1] = 1,28\n",
                    "Скорость в начале торможения: 16,7 м/с\n", "Тормозной путь: 22,7 м\n",
                    "Время полного торможения: 2,3 с\n", "Длина тормозного следа: 18 м\n"}},
        {.name = "Loading_Row1Unloaded_Json",
         .args = With(kLoadingBase, {"--row", "1", "--load", "unloaded", "--json"}),
         .status = 0,
         .outHas =
             {"{\"key\": \"group\", \"name\": \"Группа транспортных средств\", \"unit\": \"\", "
              "\"text\": \"Легковые и автобусы одиночные и автопоезда\"}",
              "\"substituted\": \"таблица[1; 1]\", \"text\": \"1,28\", \"value\": 1.28}",
              "{\"key\": \"braking_distance_m\", \"name\": \"Тормозной путь\", \"unit\": \"м\", "
              "\"text\": \"22,7\", \"value\": 22.7}"}},
        {.name = "Loading_Coefficient128_Text",
         .args = With(kLoadingBase, {"--coefficient", "1,28"}),
         .status = 0,
         .outHas = {"Тормозной путь: 22,7 м\n", "Длина тормозного следа: 18 м\n"}},
        {.name = "Dashcam_10s_35m_Text",
         .args = {"dashcam", "--start", "10:20:30", "--end", "10:20:40", "--distance", "35"},
         .status = 0,
         .outHas = {"= 37240 − 37230 = 10 с\n", "Скорость: 12,6 км/ч\n"}},
        {.name = "Dashcam_10s_35m_Json",
         .args = {"dashcam", "--start", "10:20:30", "--end", "10:20:40", "--distance", "35",
                  "--json"},
         .status = 0,
         .outHas =
             {"{\"calculation\": \"dashcam\"",
              "{\"key\": \"elapsed_s\", \"name\": \"Пройдено времени\", \"unit\": \"с\", "
              "\"formula\": \"E = (Кч × 3600 + Км × 60 + Кс) − (Нч × 3600 + Нм × 60 + Нс)\", "
              "\"substituted\": \"37240 − 37230\", \"text\": \"10\", \"value\": 10}",
              "{\"key\": \"speed_kmh\", \"name\": \"Скорость\", \"unit\": \"км/ч\", \"text\": "
              "\"12,6\", \"value\": 12.6}"}},

        // The case details head the record, each given one on its line, with the time, the
        // program and the method; a blank one is left out.
        {.name = "Stopping_CaseDetails_Text",
         .args =
             With(kStoppingBase, {"--skid", "10", "--case", "5-12/2025", "--expert", "Иванов И. И.",
                                  "--organisation", "ЭКЦ", "--note=повторный  расчёт"}),
         .status = 0,
         .outHas = {"Скорость и остановочный путь по длине тормозного следа\n\n"
                    "№ дела / материала: 5-12/2025\n"
                    "Эксперт: Иванов И. И.\n"
                    "Организация: ЭКЦ\n"
                    "Примечание: повторный расчёт\n"
                    "Дата и время расчёта: ",
                    "Программа: «Кварнет» (kvarnet-calc), версия " KVARNET_VERSION "\n"
                    "Метод: по формулам раздела «Расчёт», с поправками программы из раздела "
                    "«Примечания»\n\nИсходные данные\n",
                    "Скорость: 45,7 км/ч\n"}},
        {.name = "Dashcam_BlankExpert_Text",
         .args = {"dashcam", "--start", "10:20:30", "--end", "10:20:40", "--distance", "35",
                  "--expert", " ", "--case", "7"},
         .status = 0,
         .outHas = {"\n\n№ дела / материала: 7\nДата и время расчёта: ",
                    "Метод: по формулам раздела «Расчёт», без поправок программы\n"}},
        {.name = "Stopping_CaseDetails_Json",
         .args =
             With(kStoppingBase, {"--skid", "10", "--json", "--case", "5-12/2025", "--expert",
                                  "Иванов И. И.", "--organisation", "ЭКЦ «Юг»", "--note", "\"а\""}),
         .status = 0,
         .outHas =
             {"\"version\": \"" KVARNET_VERSION "\", \"computed_at\": \"",
              "\"case\": {\"number\": \"5-12/2025\", \"expert\": \"Иванов И. И.\", "
              "\"organisation\": \"ЭКЦ «Юг»\", \"note\": \"\\\"а\\\"\"}, \"method\": \"по формулам "
              "раздела «Расчёт», с поправками программы из раздела «Примечания»\", \"title\": "}},
        {.name = "Stopping_NoCase_Json",
         .args = With(kStoppingBase, {"--skid", "10", "--json"}),
         .status = 0,
         .outHas = {"\"case\": {}, \"method\": "}},
        // The time of the run in the zone it runs in.
        {.name = "Stopping_ZoneEastHalfHour",
         .args = With(kStoppingBase, {"--skid", "10", "--json"}),
         .status = 0,
         .outHas = {"+05:30\", \"case\": {}"},
         .zone = "XYZ-05:30"},
        {.name = "Stopping_ZoneWest_Text",
         .args = With(kStoppingBase, {"--skid", "10"}),
         .status = 0,
         .outHas = {" (UTC-03:00)\nПрограмма: "},
         .zone = "XYZ+03"},
        {.name = "Loading_Row5HalfLoad_NamesTheCell",
         .args = With(kLoadingBase, {"--row", "5", "--load", "half"}),
         .status = 0,
         .outHas = {"Группа транспортных средств: Грузовые одиночные\n",
                    "Категория: грузовые от 3,5 до 12 т\n", "Загрузка: С нагрузкой 50%\n",
                    "таблица[5; 6] = 1,63\n"}},

        // The last row of the table, as typed on the command line.
        {.name = "Loading_Row9FullLoad_NamesTheCell",
         .args = With(kLoadingBase, {"--row", "9", "--load", "full"}),
         .status = 0,
         .outHas = {"Загрузка: С полной нагрузкой\n"},
         .outHasFromData = Row9FullLoad},

        // The table column from a listed adhesion only; φ is always the adhesion given.
        {.name = "Loading_AdhesionWithPoint_Row1",
         .args = {"loading", "--speed", "60", "--adhesion", "0.8", "--rise", "0,3",
                  "--deceleration", "6,8", "--row", "1", "--load", "unloaded"},
         .status = 0,
         .outHas = {"таблица[1; 1] = 1,28\n", "Тормозной путь: 22,7 м\n"}},
        {.name = "Loading_AdhesionOffList_Row1_Refused",
         .args = {"loading", "--speed", "60", "--adhesion", "0,35", "--rise", "0,3",
                  "--deceleration", "6,8", "--row", "1", "--load", "unloaded"},
         .status = 1,
         .errHas = {"(--adhesion)", "0,8 0,7 0,6 0,5 0,4 0,2 0,1"}},
        {.name = "Loading_AdhesionOffList_Coefficient_EntersDistance",
         .args = {"loading", "--speed", "60", "--adhesion", "0,35", "--rise", "0,3",
                  "--deceleration", "6,8", "--coefficient", "1,28"},
         .status = 0,
         .outHas = {"Тормозной путь: 51,8 м\n"}},
        {.name = "Loading_Row10_Refused",
         .args = With(kLoadingBase, {"--row", "10", "--load", "full"}),
         .status = 1,
         .errHas = {"(--row)"}},
        {.name = "Loading_UnknownLoad_Refused",
         .args = With(kLoadingBase, {"--row", "1", "--load", "empty"}),
         .status = 1,
         .errHas = {"(--load)"}},

        // Refused inputs.
        {.name = "Stopping_ReactionNotANumber_Text",
         .args = {"stopping", "--reaction", "abc", "--delay", "0,2", "--rise", "0,3",
                  "--deceleration", "6,8", "--skid", "10"},
         .status = 1,
         .errHas = {"(--reaction)", kNotANumber},
         .outIs = ""},
        {.name = "Stopping_ReactionNotANumber_Json",
         .args = {"stopping", "--reaction", "abc", "--delay", "0,2", "--rise", "0,3",
                  "--deceleration", "6,8", "--skid", "10", "--json"},
         .status = 1,
         .outHas = {"{\"calculation\": \"stopping\", \"version\": \"",
                    "\"error\": {\"kind\": \"refused\", \"option\": \"reaction\", \"message\": \"" +
                        kNotANumber},
         .errHas = {kNotANumber}},
        {.name = "Stopping_ZeroDeceleration_Refused",
         .args = {"stopping", "--reaction", "0,8", "--delay", "0,2", "--rise", "0,3",
                  "--deceleration", "0", "--skid", "10"},
         .status = 1,
         .errHas = {"значение «Установившееся замедление» должно быть больше нуля"}},
        {.name = "Stopping_StepOverflow_NamesTheOption",
         .args = With(kStoppingBase, {"--speed", "900000000000000"}),
         .status = 1,
         .errHas = {"(--speed)", "значение «Скорость» слишком велико"}},
        {.name = "Dashcam_EqualReadings_Refused",
         .args = {"dashcam", "--start", "10:20:30", "--end", "10:20:30", "--distance", "35"},
         .status = 1,
         .errHas = {"(--end)", "совпадают"}},
        {.name = "Dashcam_PastMidnightAsHourZero_Refused",
         .args = {"dashcam", "--start", "23:59:50", "--end", "00:00:10", "--distance", "35"},
         .status = 1,
         .errHas = {"(--end)", "раньше начальных", "24:00:10"}},
        {.name = "Dashcam_PastMidnightAsHour24",
         .args = {"dashcam", "--start", "23:59:50", "--end", "24:00:10", "--distance", "31"},
         .status = 0,
         .outHas = {"Пройдено времени, секунд сверх минут, Пс: 20 с\n", "Скорость: 5,58 км/ч\n"}},
        {.name = "Dashcam_NegativeDistance_Refused",
         .args = {"dashcam", "--start", "10:20:30", "--end", "10:20:40", "--distance", "-35"},
         .status = 1,
         .errHas = {"(--distance)", "«Расстояние» не может быть отрицательным"}},
        {.name = "Dashcam_MinutesNotANumber_Refused",
         .args = {"dashcam", "--start", "10:2x:30", "--end", "10:20:40", "--distance", "35"},
         .status = 1,
         .errHas = {"(--start)", "«Минуты начальных показаний» не является числом"}},
        {.name = "Dashcam_TwoPartClock_Refused",
         .args = {"dashcam", "--start", "10:20", "--end", "10:20:40", "--distance", "35"},
         .status = 1,
         .errHas = {"часы:минуты:секунды"}},
        {.name = "Dashcam_TwoPartEnd_NamesTheEnd",
         .args = {"dashcam", "--start", "10:20:30", "--end", "10:20", "--distance", "35"},
         .status = 1,
         .errHas = {"(--end)",
                    "«Конечные показания времени» должно иметь вид часы:минуты:секунды"}},
        {.name = "Dashcam_TwoPartEnd_Json",
         .args = {"dashcam", "--start", "10:20:30", "--end", "10:20", "--distance", "35", "--json"},
         .status = 1,
         .outHas = {"\"error\": {\"kind\": \"refused\", \"option\": \"end\", "}},
        // A negative number after an option is its value, refused by the calculation.
        {.name = "Stopping_NegativeSkid_IsItsValue",
         .args = With(kStoppingBase, {"--skid", "-1"}),
         .status = 1,
         .errHas = {"(--skid)", "«Длина тормозного следа (юз)» не может быть отрицательным"}},
        // Texts on the command line in Windows-1251 are read as such and written in UTF-8.
        {.name = "Stopping_CaseInWindows1251_Json",
         .args =
             With(kStoppingBase, {"--skid", "10", "--json", "--case", InWindows1251(kRussianCase),
                                  "--expert", InWindows1251("Ёлкин Ё. Ё.")}),
         .status = 0,
         .outHas = {"\"case\": {\"number\": \"" + kRussianCase +
                    "\", \"expert\": \"Ёлкин Ё. Ё.\"}"},
         .argumentBytes = true},
        {.name = "Stopping_NoteStartingWithDashes",
         .args = With(kStoppingBase, {"--skid", "10", "--note=--черновик"}),
         .status = 0,
         .outHas = {"Примечание: --черновик\n"}},

        // Usage errors.
        {.name = "Usage_NoArguments", .args = {}, .status = 2, .errHas = {"Использование:"}},
        {.name = "Usage_UnknownCalculation",
         .args = {"braking"},
         .status = 2,
         .errHas = {"неизвестный расчёт «braking»"}},
        {.name = "Usage_UnknownOption",
         .args = With(kStoppingBase, {"--skid", "10", "--wind", "3"}),
         .status = 2,
         .errHas = {"неизвестный параметр «--wind»"}},
        {.name = "Usage_MissingValue",
         .args = With(kStoppingBase, {"--skid"}),
         .status = 2,
         .errHas = {"у параметра --skid нет значения"}},
        // An option followed by another has no value, whatever the other one is.
        {.name = "Usage_CaseFollowedByJson",
         .args = With(kStoppingBase, {"--skid", "10", "--case", "--json"}),
         .status = 2,
         .outHas =
             {"\"error\": {\"kind\": \"usage\", \"option\": \"case\", \"message\": \"у параметра "
              "--case нет значения\"}"},
         .errHas = {"у параметра --case нет значения"}},
        {.name = "Usage_SkidFollowedByJson",
         .args = With(kStoppingBase, {"--skid", "--json"}),
         .status = 2,
         .outHas = {"\"option\": \"skid\", \"message\": \"у параметра --skid нет значения\""},
         .errHas = {"у параметра --skid нет значения"}},
        {.name = "Usage_ExpertFollowedByHelp",
         .args = With(kStoppingBase, {"--skid", "10", "--expert", "-h"}),
         .status = 2,
         .errHas = {"у параметра --expert нет значения"}},
        {.name = "Usage_CaseNeitherEncoding",
         .args = With(kStoppingBase, {"--skid", "10", "--case", "\x98"}),
         .status = 2,
         .errHas = {"значение параметра --case не в UTF-8 и не в Windows-1251"},
         .argumentBytes = true},
        {.name = "Usage_MissingOption",
         .args = {"dashcam", "--start", "10:20:30", "--end", "10:20:40"},
         .status = 2,
         .errHas = {"не задан параметр --distance"}},
        {.name = "Usage_SkidAndSpeed",
         .args = With(kStoppingBase, {"--skid", "10", "--speed", "60"}),
         .status = 2,
         .errHas = {"--skid и --speed"}},
        {.name = "Usage_RowWithoutLoad",
         .args = With(kLoadingBase, {"--row", "1"}),
         .status = 2,
         .errHas = {"не задан параметр --load"}},
        {.name = "Usage_OptionTwice",
         .args = With(kStoppingBase, {"--skid", "10", "--skid", "20"}),
         .status = 2,
         .errHas = {"--skid задан дважды"}},

        // Help.
        {.name = "Help_General",
         .args = {"--help"},
         .status = 0,
         .outHas = {"stopping", "loading", "dashcam", "Код завершения",
                    "  kvarnet-calc РАСЧЁТ --batch ФАЙЛ [ПАРАМЕТРЫ…] [--json]\n"}},
        {.name = "Help_Stopping",
         .args = {"stopping", "--help"},
         .status = 0,
         .outHas = {"--reaction", "--skid", "--speed",
                    "  --case           № дела / материала, текст\n",
                    "  --expert         Эксперт, текст\n",
                    "  --organisation   Организация, текст\n",
                    "  --note           Примечание, текст\n"}},
        {.name = "Help_General_CaseAndJson",
         .args = {"--help"},
         .status = 0,
         .outHas = {"--case", "--expert", "--organisation", "--note", "computed_at", "case",
                    "столбцы case"}},
        {.name = "Help_Loading_ListsTheNineRows",
         .args = {"loading", "-h"},
         .status = 0,
         .outHas = {"Легковые и автобусы одиночные и автопоезда:\n", "Грузовые одиночные:\n",
                    "Грузовые автопоезда с тягачами:\n"},
         .outHasFromData = TableRows},

        // Files of calculations.
        {.name = "Batch_Stopping_GoodAndBadLine",
         .args = {"stopping", "--batch", "-"},
         .status = 1,
         .stdinText = "reaction;delay;rise;deceleration;skid\n"
                      "0,8;0,2;0,3;6,8;10\n"
                      "0,8;0,2;0,3;6,8;десять\n",
         .outIs =
             "line;reaction;delay;rise;deceleration;skid;speed_or_skid;speed_ms;distance;time;"
             "error\n"
             "2;0,8;0,2;0,3;6,8;10;45,7;12,7;26,4;1,7;\n"
             "3;0,8;0,2;0,3;6,8;десять;;;;;строка 3: значение «Длина тормозного следа (юз)» не "
             "является числом. Введите число, дробную часть отделяйте запятой, например 0,8.\n"},
        {.name = "Batch_Stopping_AllGood_WindowsLinesAndMark",
         .args = {"stopping", "--batch", "-"},
         .status = 0,
         .stdinText =
             "\xEF\xBB\xBFreaction;delay;rise;deceleration;speed\r\n0,8;0,2;0,3;6,8;60\r\n\r\n",
         .outIs = "\xEF\xBB\xBFline;reaction;delay;rise;deceleration;speed;speed_or_skid;speed_ms;"
                  "distance;time;error\n"
                  "2;0,8;0,2;0,3;6,8;60;18;16,7;39,5;2,3;\n"},
        {.name = "Batch_Loading_ColumnsAndOptions",
         .args = {"loading", "--batch", "-", "--deceleration", "6,8", "--rise", "0,3"},
         .status = 1,
         .stdinText = "speed;adhesion;row;load\n"
                      "60;0,8;1;unloaded\n"
                      "60;0.8;2;half\n"
                      "60;0,35;1;unloaded\n"
                      "60;0,8;1\n",
         .outIs =
             "line;speed;adhesion;row;load;coefficient_used;speed_ms;distance;time;skid;error\n"
             "2;60;0,8;1;unloaded;1,28;16,7;22,7;2,3;18;\n"
             "3;60;0.8;2;half;1,56;16,7;27,6;2,3;18;\n"
             "4;60;0,35;1;unloaded;;;;;;строка 4: значение «Коэффициент сцепления» для выбора по "
             "таблице должно быть одним из: 0,8 0,7 0,6 0,5 0,4 0,2 0,1.\n"
             "5;60;0,8;1;;;;;;;\"строка 5: полей 3, а в заголовке 4: «60;0,8;1».\"\n"},
        // A coefficient column in the input and the coefficient used keep apart.
        {.name = "Batch_Loading_CoefficientColumn",
         .args = {"loading", "--batch", "-", "--deceleration", "6,8", "--rise", "0,3"},
         .status = 0,
         .stdinText = "speed;adhesion;coefficient\n60;0,8;1,28\n",
         .outIs =
             "line;speed;adhesion;coefficient;coefficient_used;speed_ms;distance;time;skid;error\n"
             "2;60;0,8;1,28;1,28;16,7;22,7;2,3;18;\n"},
        // Blank lines make no row but keep their numbers; a line with a field too many or an
        // unclosed quote is refused whole, with nothing of it left out.
        {.name = "Batch_Stopping_LinesAndMalformedRows",
         .args = {"stopping", "--batch", "-"},
         .status = 1,
         .stdinText = "reaction;delay;rise;deceleration;skid\n"
                      "\n"
                      "0,8;0,2;0,3;6,8;10\n"
                      "   \n"
                      "0,8;0,2;0,3;6,8;5;7\n"
                      "0,8;0,2;0,3;6,8;\"10\n"
                      "0,8;0,2;0,3;6,8;20\n",
         .outIs = "line;reaction;delay;rise;deceleration;skid;speed_or_skid;speed_ms;distance;time;"
                  "error\n"
                  "3;0,8;0,2;0,3;6,8;10;45,7;12,7;26,4;1,7;\n"
                  "5;0,8;0,2;0,3;6,8;5;;;;;\"строка 5: полей 6, а в заголовке 5: "
                  "«0,8;0,2;0,3;6,8;5;7».\"\n"
                  "6;0,8;0,2;0,3;6,8;10;;;;;\"строка 6: кавычка не закрыта: "
                  "«0,8;0,2;0,3;6,8;\"\"10».\"\n"
                  "7;0,8;0,2;0,3;6,8;20;63;17,5;42,6;2,4;\n"},
        {.name = "Batch_Json_Lines",
         .args = {"stopping", "--batch", "-", "--json"},
         .status = 1,
         .stdinText =
             "reaction;delay;rise;deceleration;skid\n0,8;0,2;0,3;6,8;10\n\n0,8;0,2;0,3;6,8;-1\n",
         .outIs =
             "{\"line\": 2, \"results\": [{\"key\": \"speed_kmh\", \"name\": \"Скорость\", "
             "\"unit\": "
             "\"км/ч\", \"text\": \"45,7\", \"value\": 45.7}, {\"key\": \"speed_ms\", \"name\": "
             "\"Скорость\", \"unit\": \"м/с\", \"text\": \"12,7\", \"value\": 12.7}, {\"key\": "
             "\"stopping_distance_m\", \"name\": \"Остановочный путь\", \"unit\": \"м\", \"text\": "
             "\"26,4\", \"value\": 26.4}, {\"key\": \"braking_time_s\", \"name\": \"Время полного "
             "торможения\", \"unit\": \"с\", \"text\": \"1,7\", \"value\": 1.7}]}\n"
             "{\"line\": 4, \"error\": {\"kind\": \"refused\", \"option\": \"skid\", \"message\": "
             "\"строка 4: значение "
             "«Длина тормозного следа (юз)» не может быть отрицательным.\"}}\n"},
        // A case column names each line's case; an option stands for a column the file lacks.
        {.name = "Batch_CaseColumn_Table",
         .args = {"dashcam", "--batch", "-", "--expert", "Иванов И. И."},
         .status = 0,
         .stdinText =
             "case;start;end;distance\n5-12/2025;10:20:30;10:20:40;35\n;10:20:30;10:20:50;35\n",
         .outIs = "line;case;start;end;distance;seconds;speed;error\n"
                  "2;5-12/2025;10:20:30;10:20:40;35;10;12,6;\n"
                  "3;;10:20:30;10:20:50;35;20;6,3;\n"},
        {.name = "Batch_CaseColumn_Json",
         .args = {"dashcam", "--batch", "-", "--json", "--expert", "Иванов И. И."},
         .status = 1,
         .outHas =
             {"{\"line\": 2, \"case\": {\"number\": \"5-12/2025\", \"expert\": \"Иванов И. И.\"}, "
              "\"results\": [{\"key\": \"elapsed_hours\", ",
              "{\"line\": 3, \"case\": {\"number\": \"6\", \"expert\": \"Иванов И. И.\"}, "
              "\"error\": {\"kind\": \"refused\", \"option\": \"end\", "},
         .stdinText =
             "start;end;distance;case\n10:20:30;10:20:40;35;5-12/2025\n10:20:30;10:20:30;35;6\n"},
        {.name = "Batch_Json_MalformedLine",
         .args = {"stopping", "--batch", "-", "--json"},
         .status = 1,
         .stdinText = "reaction;delay;rise;deceleration;skid\n0,8;0,2\n",
         .outIs = "{\"line\": 2, \"error\": {\"kind\": \"refused\", \"option\": \"\", \"message\": "
                  "\"строка 2: полей 2, а в заголовке 5: «0,8;0,2».\"}}\n"},
        // Fields as spreadsheets quote them: a quote inside a field is a character of it, a
        // field in quotes holds semicolons, doubled quotes and line breaks, and each is written
        // back quoted. A record over two lines is numbered by its first.
        {.name = "Batch_QuotedFields",
         .args = {"dashcam", "--batch", "-"},
         .status = 0,
         .stdinText = "note;start;end;distance\n"
                      "шины 16\" и 17\";10:20:30;10:20:40;35\n"
                      "\"ЭКЦ \"\"Юг\"\"; отдел 2\";10:20:30;10:20:40;35\n"
                      "\"осмотр\r\nна месте\";10:20:30;10:20:50;35\r\n"
                      ";10:20:30;10:20:40;35\n",
         .outIs = "line;note;start;end;distance;seconds;speed;error\n"
                  "2;\"шины 16\"\" и 17\"\"\";10:20:30;10:20:40;35;10;12,6;\n"
                  "3;\"ЭКЦ \"\"Юг\"\"; отдел 2\";10:20:30;10:20:40;35;10;12,6;\n"
                  "4;\"осмотр\nна месте\";10:20:30;10:20:50;35;20;6,3;\n"
                  "6;;10:20:30;10:20:40;35;10;12,6;\n"},
        {.name = "Batch_QuotedFields_Json",
         .args = {"dashcam", "--batch", "-", "--json"},
         .status = 0,
         .outHas = {"{\"line\": 2, \"case\": {\"note\": \"шины 16\\\" и 17\\\"\"}, \"results\": ",
                    "{\"line\": 3, \"case\": {\"note\": \"осмотр на месте\"}, \"results\": "},
         .stdinText = "note;start;end;distance\nшины 16\" и 17\";10:20:30;10:20:40;35\n"
                      "\"осмотр\nна месте\";10:20:30;10:20:50;35\n"},
        // A file in UTF-8, marked or not, or in Windows-1251 as a spreadsheet on a Russian
        // Windows saves it: the output is UTF-8, marked where a spreadsheet needs the mark.
        {.name = "Batch_Utf8",
         .args = {"stopping", "--batch", "-"},
         .status = 1,
         .stdinText = kRussianBatch,
         .outIs = kRussianBatchOut},
        {.name = "Batch_Utf8Marked",
         .args = {"stopping", "--batch", "-"},
         .status = 1,
         .stdinText = kMark + kRussianBatch,
         .outIs = kMark + kRussianBatchOut},
        {.name = "Batch_Windows1251",
         .args = {"stopping", "--batch", "-"},
         .status = 1,
         .stdinText = InWindows1251(kRussianBatch),
         .outIs = kMark + kRussianBatchOut},
        {.name = "Batch_Windows1251_Json",
         .args = {"stopping", "--batch", "-", "--json"},
         .status = 1,
         .outHas =
             {"{\"line\": 2, \"case\": {\"number\": \"" + kRussianCase + "\"}, \"results\": ",
              "{\"line\": 3, \"error\": {\"kind\": \"refused\", \"option\": \"\", \"message\": "
              "\"строка 3: полей 2, а в заголовке 6: «Ёлкин;0,8».\"}}\n"},
         .stdinText = InWindows1251(kRussianBatch)},
        {.name = "Batch_NeitherEncoding",
         .args = {"stopping", "--batch", "-"},
         .status = 2,
         .errHas = {"строка 3: текст не в UTF-8 и не в Windows-1251"},
         .stdinText =
             "reaction;delay;rise;deceleration;skid\n0,8;0,2;0,3;6,8;10\n0,8;0,2;0,3;6,8;1\x98\n",
         .outIs = ""},
        {.name = "Batch_MarkedButWindows1251",
         .args = {"stopping", "--batch", "-"},
         .status = 2,
         .errHas = {"строка 2: текст не в UTF-8, хотя файл начинается с метки UTF-8"},
         .stdinText = kMark + InWindows1251(kRussianBatch),
         .outIs = ""},
        {.name = "Batch_Utf16",
         .args = {"stopping", "--batch", "-"},
         .status = 2,
         .errHas = {"файл в кодировке UTF-16"},
         .stdinText = std::string("\xFF\xFEr\0e\0a\0", 8),
         .outIs = ""},
        {.name = "Batch_FileNameInWindows1251_Json",
         .args = {"stopping", "--batch", InWindows1251("нет такого файла.csv"), "--json"},
         .status = 2,
         .outHas = {"\"message\": \"не удаётся открыть файл «нет такого файла.csv»\""},
         .errHas = {"не удаётся открыть файл «нет такого файла.csv»"},
         .argumentBytes = true},
        // A value is given once: as an option for every line or as a column for each.
        {.name = "Batch_ColumnAndOption",
         .args = {"stopping", "--batch", "-", "--skid", "10"},
         .status = 2,
         .errHas = {"параметр --skid задан и в командной строке, и столбцом «skid» в файле"},
         .stdinText = "reaction;delay;rise;deceleration;skid\n0,8;0,2;0,3;6,8;20\n",
         .outIs = ""},
        {.name = "Batch_CaseColumnAndOption_Json",
         .args = {"dashcam", "--batch", "-", "--json", "--case", "7"},
         .status = 2,
         .outHas =
             {"\"error\": {\"kind\": \"usage\", \"option\": \"case\", \"message\": \"параметр "
              "--case задан и в командной строке, и столбцом «case» в файле"},
         .stdinText = "case;start;end;distance\n5;10:20:30;10:20:40;35\n"},
        {.name = "Batch_CommaSeparatedHeader",
         .args = {"stopping", "--batch", "-"},
         .status = 2,
         .errHas = {"неизвестный столбец «reaction,delay,rise,deceleration,skid»",
                    "точкой с запятой «;»"},
         .stdinText = "reaction,delay,rise,deceleration,skid\n0.8,0.2,0.3,6.8,10\n",
         .outIs = ""},
        {.name = "Batch_Directory",
         .args = {"stopping", "--batch", "."},
         .status = 2,
         .errHas = {"«.» — это папка, а не файл"}},
        {.name = "Batch_UsageErrorAsJson",
         .args = {"stopping", "--batch", "-", "--json"},
         .status = 2,
         .outHas = {"\"error\": {\"kind\": \"usage\", \"option\": \"\", \"message\": \"неизвестный "
                    "столбец «wind» в заголовке\"}"},
         .errHas = {"неизвестный столбец «wind»"},
         .stdinText = "reaction;wind\n0,8;3\n"},
        {.name = "Batch_Dashcam_QuotedField",
         .args = {"dashcam", "--batch", "-"},
         .status = 0,
         .stdinText = "start;end;distance\n10:20:30;10:20:40;\"35\"\n",
         .outIs = "line;start;end;distance;seconds;speed;error\n2;10:20:30;10:20:40;35;10;12,6;\n"},
        {.name = "Batch_UnknownColumn",
         .args = {"stopping", "--batch", "-"},
         .status = 2,
         .errHas = {"неизвестный столбец «wind»"},
         .stdinText = "reaction;wind\n0,8;3\n",
         .outIs = ""},
        {.name = "Batch_IncompleteHeader",
         .args = {"stopping", "--batch", "-"},
         .status = 2,
         .errHas = {"не задан параметр --delay"},
         .stdinText = "reaction;skid\n0,8;10\n",
         .outIs = ""},
        {.name = "Batch_MissingFile",
         .args = {"stopping", "--batch", "no-such-file.csv"},
         .status = 2,
         .errHas = {"no-such-file.csv"}},

        // Output that does not arrive is a failure, named on standard error.
        {.name = "Output_FullDisk",
         .args = With(kStoppingBase, {"--skid", "10"}),
         .status = 3,
         .errHas = {"не удалось записать результат в стандартный вывод: нет места на диске"},
         .redirect = ">/dev/full"},
        {.name = "Output_FullDisk_Json",
         .args = With(kStoppingBase, {"--skid", "10", "--json"}),
         .status = 3,
         .errHas = {"нет места на диске"},
         .redirect = ">/dev/full"},
        {.name = "Output_FullDisk_Help",
         .args = {"--help"},
         .status = 3,
         .errHas = {"нет места на диске"},
         .redirect = ">/dev/full"},
        {.name = "Output_FullDisk_Batch",
         .args = {"stopping", "--batch", "-"},
         .status = 3,
         .errHas = {"нет места на диске"},
         .stdinText = ManyLines(10),
         .redirect = ">/dev/full"},
        {.name = "Output_Closed",
         .args = With(kStoppingBase, {"--skid", "10"}),
         .status = 3,
         .errHas = {"не удалось записать результат в стандартный вывод"},
         .redirect = ">&-"},
        // A reader that stops early, with SIGPIPE ignored as some shells and services do.
        {.name = "Output_ReaderGone",
         .args = {"stopping", "--batch", "-"},
         .status = 3,
         .errHas = {"не удалось записать результат в стандартный вывод"},
         .stdinText = ManyLines(20000),
         .pipeTo = "head -c 1"},

        // A reader that stops early, SIGPIPE as a shell leaves it: the same status and reason.
        {.name = "Output_ReaderGone_DefaultSignal",
         .args = {"stopping", "--batch", "-"},
         .status = 3,
         .errHas = {"не удалось записать результат в стандартный вывод: программа, читавшая вывод, "
                    "закрыла канал"},
         .stdinText = ManyLines(20000),
         .pipeTo = "head -c 1",
         .pipeSignalIgnored = false},

        // The expert's question: one wiring case per calculation through --json and --batch;
        // the numbers themselves are the core's tests'.
        {.name = "Pedestrian_Limit_Json",
         .args = With(kPedestrianBase,
                      {"--speed", "90", "--pedestrian-path", "3", "--limit", "60", "--json"}),
         .status = 0,
         .outHas =
             {"{\"calculation\": \"pedestrian\"",
              "\"method\": \"методика оценки технической возможности предотвратить наезд на "
              "пешехода",
              "{\"key\": \"stopping_distance_m\", \"name\": \"Остановочный путь\", \"unit\": "
              "\"м\", "
              "\"text\": \"74,6\", \"value\": 74.6}",
              "{\"key\": \"avoidable\", \"name\": \"Техническая возможность предотвратить наезд\", "
              "\"unit\": \"\", \"text\": \"Водитель не располагал технической возможностью "
              "предотвратить наезд путём своевременного применения экстренного торможения.\", "
              "\"value\": false}",
              "{\"key\": \"stopping_distance_at_limit_m\", \"name\": \"Остановочный путь при "
              "допустимой скорости\", \"unit\": \"м\", \"text\": \"39,5\", \"value\": 39.5}",
              "{\"key\": \"avoidable_at_limit\", ",
              "располагал бы технической возможностью предотвратить наезд путём своевременного "
              "применения экстренного торможения.\", \"value\": true}"}},
        {.name = "Pedestrian_Ranges_Json",
         .args = {"pedestrian", "--speed", "30..35", "--reaction", "1", "--delay", "0", "--rise",
                  "0", "--deceleration", "5", "--pedestrian-path", "1,9", "--pedestrian-speed",
                  "3,6", "--json"},
         .status = 0,
         .outHas =
             {"{\"key\": \"speed_kmh\", \"name\": \"Скорость автомобиля, V\", \"unit\": \"км/ч\", "
              "\"text\": \"30…35\", \"min\": 30, \"max\": 35}",
              "{\"key\": \"stopping_distance_m\", \"name\": \"Остановочный путь\", \"unit\": "
              "\"м\", "
              "\"text\": \"15,3…19,1\", \"min\": 15.3, \"max\": 19.1}",
              "\"text\": \"Вывод зависит от значений в заданных пределах: при скорости автомобиля "
              "ниже 32,5 км/ч водитель располагал технической возможностью предотвратить наезд "
              "путём своевременного применения экстренного торможения; при скорости 32,5 км/ч и "
              "выше — не располагал.\", \"value\": null}"}},
        {.name = "Pedestrian_Batch",
         .args = {"pedestrian", "--batch", "-", "--reaction", "0,8", "--delay", "0,2", "--rise",
                  "0,3", "--deceleration", "6,8", "--pedestrian-speed", "5"},
         .status = 1,
         .stdinText = "speed;pedestrian-path;limit\n60;3;\n90;3;60\n60..70;3;\n60;3;0\n",
         .outIs =
             "line;speed;pedestrian-path;limit;pedestrian_time_s;distance_at_danger_m;"
             "stopping_distance_m;critical_speed_kmh;avoidable;stopping_distance_at_limit_m;"
             "avoidable_at_limit;error\n"
             "2;60;3;;2,16;36;39,5;49,6;нет;;;\n"
             "3;90;3;60;2,16;54;74,6;49,6;нет;39,5;да;\n"
             "4;60..70;3;;2,16;36…42;39,5…50,1;49,6;нет;;;\n"
             "5;60;3;0;;;;;;;;строка 5: значение «Допустимая скорость» должно быть больше нуля.\n"},
        {.name = "Pedestrian_ZeroPedestrianSpeed_Json",
         .args = {"pedestrian", "--speed", "60", "--reaction", "0,8", "--delay", "0,2", "--rise",
                  "0,3", "--deceleration", "6,8", "--pedestrian-path", "3", "--pedestrian-speed",
                  "0", "--json"},
         .status = 1,
         .outHas =
             {"\"error\": {\"kind\": \"refused\", \"option\": \"pedestrian-speed\", \"message\": "
              "\"значение «Скорость пешехода» должно быть больше нуля.\"}"},
         .errHas = {"(--pedestrian-speed)"}},
        {.name = "Pedestrian_ReversedRange",
         .args = With(kPedestrianBase, {"--speed", "60", "--pedestrian-path", "1,4..0,6"}),
         .status = 1,
         .errHas = {"(--pedestrian-path)", "задано пределами в обратном порядке («1,4..0,6»)"}},
        {.name = "Obstacle_Batch",
         .args = {"obstacle", "--batch", "-", "--reaction", "0,8", "--delay", "0,2", "--rise",
                  "0,3", "--deceleration", "6,8"},
         .status = 0,
         .stdinText = "speed;visibility\n60;40\n60;39\n50..70;40\n",
         .outIs = "line;speed;visibility;stopping_distance_m;avoidable;safe_speed_kmh;error\n"
                  "2;60;40;39,5;да;60,5;\n"
                  "3;60;39;39,5;нет;59,5;\n"
                  "4;50..70;40;30,1…50,1;зависит от значений;60,5;\n"},
        {.name = "Obstacle_Json",
         .args = {"obstacle", "--speed", "60", "--reaction", "0,8", "--delay", "0,2", "--rise",
                  "0,3", "--deceleration", "6,8", "--visibility", "40", "--json"},
         .status = 0,
         .outHas =
             {"{\"calculation\": \"obstacle\"",
              "\"results\": [{\"key\": \"stopping_distance_m\", \"name\": \"Остановочный путь\", "
              "\"unit\": \"м\", \"text\": \"39,5\", \"value\": 39.5}, {\"key\": \"avoidable\", ",
              "\"value\": true}, {\"key\": \"safe_speed_kmh\", \"name\": \"Безопасная скорость\", "
              "\"unit\": \"км/ч\", \"text\": \"60,5\", \"value\": 60.5}]"}},
        {.name = "Impact_Text",
         .args = {"impact", "--speed", "67,5", "--rise", "0,35", "--deceleration", "6,8", "--skid",
                  "11,1"},
         .status = 0,
         .outHas =
             {"Vу = √((V − 1,8 × t3 × j)² − 25,92 × j × S) = √((67,5 − 1,8 × 0,35 × 6,8)² − 25,92 "
              "× 6,8 × 11,1) = 45,1644 км/ч\n",
              "Скорость в момент удара: 45,2 км/ч\n"}},
        {.name = "Impact_StopsBefore_Json",
         .args = {"impact", "--speed", "20", "--rise", "0,35", "--deceleration", "6,8", "--skid",
                  "11,1", "--json"},
         .status = 1,
         .outHas =
             {"\"error\": {\"kind\": \"refused\", \"option\": \"speed\", \"message\": \"значение "
              "«Скорость в начале торможения» слишком мало для такого следа торможения"},
         .errHas = {"(--speed)"}},
        {.name = "Impact_Batch_Json",
         .args = {"impact", "--batch", "-", "--json", "--rise", "0,35", "--deceleration", "6,8"},
         .status = 0,
         .stdinText = "speed;skid\n67,5;11,1\n",
         .outIs =
             "{\"line\": 2, \"results\": [{\"key\": \"impact_speed_kmh\", \"name\": \"Скорость в "
             "момент удара\", \"unit\": \"км/ч\", \"text\": \"45,2\", \"value\": 45.2}]}\n"},
        {.name = "Stopping_ImpactSpeed_Json",
         .args = With(kStoppingBase, {"--skid", "11,1", "--impact-speed", "45,2", "--json"}),
         .status = 0,
         .outHas =
             {"{\"key\": \"impact_speed_kmh\", \"name\": \"Скорость в момент удара, Vу\", "
              "\"unit\": "
              "\"км/ч\", \"text\": \"45,2\", \"value\": 45.2}",
              "\"formula\": \"V = (j × t3 / 2 + √(2 × S × j + (Vу / 3,6)²)) × 3600 / 1000\"",
              "\"results\": [{\"key\": \"speed_kmh\", \"name\": \"Скорость\", \"unit\": \"км/ч\", "
              "\"text\": \"66,9\", \"value\": 66.9}"}},
        {.name = "Stopping_ImpactSpeedWithSpeed_Usage",
         .args = With(kStoppingBase, {"--speed", "60", "--impact-speed", "30"}),
         .status = 2,
         .errHas = {"параметр --impact-speed задаётся только вместе с --skid"}},
        {.name = "Stopping_Ranges_Text",
         .args = {"stopping", "--reaction", "0,6..1,4", "--delay", "0,2", "--rise", "0,3",
                  "--deceleration", "6,8", "--skid", "10"},
         .status = 0,
         .outHas =
             {"Время реакции водителя, t1: 0,6…1,4 с\n", "Скорость: 45,7 км/ч\n",
              "Остановочный путь: 23,8…34 м\n",
              "Остановочный путь — наименьшее значение: Sо = V² / (26 × j) + V / 3,6 × (t1 + t2 + "
              "t3 / 2) = (45,6549)² / (26 × 6,8) + 45,6549 / 3,6 × 0,95 = 23,8372 м\n"}},
        {.name = "Loading_CoefficientRange_Json",
         .args = With(kLoadingBase, {"--coefficient", "1,2..1,3", "--json"}),
         .status = 0,
         .outHas =
             {"{\"key\": \"coefficient\", \"name\": \"Коэффициент эффективности торможения, K\", "
              "\"unit\": \"\", \"text\": \"1,2…1,3\", \"min\": 1.2, \"max\": 1.3}",
              "{\"key\": \"braking_distance_m\", \"name\": \"Тормозной путь\", \"unit\": \"м\", "
              "\"text\": \"21,3…23\", \"min\": 21.3, \"max\": 23}"}},
        {.name = "Loading_TableAdhesionRange_Refused",
         .args = {"loading", "--speed", "60", "--adhesion", "0,7..0,8", "--rise", "0,3",
                  "--deceleration", "6,8", "--row", "1", "--load", "unloaded"},
         .status = 1,
         .errHas = {"(--adhesion)", "для выбора по таблице должно быть одним числом"}},
        {.name = "Video_Json",
         .args = {"video", "--frames", "45", "--fps", "30000/1001", "--distance", "10", "--json"},
         .status = 0,
         .outHas =
             {"{\"key\": \"fps\", \"name\": \"Частота кадров, f\", \"unit\": \"кадр/с\", \"text\": "
              "\"30000/1001\", \"value\": 29.97002997003}",
              "\"substituted\": \"45 / (30000 / 1001)\", \"text\": \"1,5015\"",
              "\"results\": [{\"key\": \"elapsed_s\", \"name\": \"Время между кадрами\", \"unit\": "
              "\"с\", \"text\": \"1,502\", \"value\": 1.502}, {\"key\": \"speed_kmh\", \"name\": "
              "\"Скорость\", \"unit\": \"км/ч\", \"text\": \"24\", \"value\": 24}, {\"key\": "
              "\"speed_range_kmh\", \"name\": \"Скорость с учётом неизвестного момента внутри "
              "кадра "
              "на каждом конце\", \"unit\": \"км/ч\", \"text\": \"23,5…24,5\", \"min\": 23.5, "
              "\"max\": 24.5}]"}},
        {.name = "Video_Batch",
         .args = {"video", "--batch", "-"},
         .status = 1,
         .stdinText = "frames;fps;distance\n45;30;10\n0;30;10\n45;30/0;10\n44..46;30;10\n",
         .outIs =
             "line;frames;fps;distance;elapsed_s;speed_kmh;speed_range_kmh;error\n"
             "2;45;30;10;1,5;24;23,5…24,5;\n"
             "3;0;30;10;;;;строка 3: значение «Число интервалов между кадрами» должно быть целым "
             "числом не меньше 2: время между кадрами известно с точностью до кадра на каждом "
             "конце.\n"
             "4;45;30/0;10;;;;строка 4: значение «Частота кадров» не является числом. Введите "
             "число, "
             "например 25 или 29,97, или дробь, например 30000/1001.\n"
             "5;44..46;30;10;1,467…1,533;23,5…24,5;23…25,1;\n"},
        {.name = "Video_ZeroFps_Refused",
         .args = {"video", "--frames", "45", "--fps", "0", "--distance", "10"},
         .status = 1,
         .errHas = {"(--fps)", "значение «Частота кадров» должно быть больше нуля."}},
        {.name = "Help_Pedestrian",
         .args = {"pedestrian", "--help"},
         .status = 0,
         .outHas =
             {"  --pedestrian-path\n                   Путь пешехода от момента возникновения "
              "опасности до места наезда, м\n",
              "  --limit          Допустимая скорость, км/ч\n", "0,6..1,4",
              "pedestrian_time_s distance_at_danger_m stopping_distance_m critical_speed_kmh "
              "avoidable stopping_distance_at_limit_m avoidable_at_limit error."}},
        {.name = "Help_Video",
         .args = {"video", "-h"},
         .status = 0,
         .outHas = {"--frames", "--fps", "30000/1001", "N − 1", "--file", "--from-frame",
                    "--to-frame", "--list-frames    Вывести номера и время кадров файла\n",
                    "t(B − 1) − t(A)"}},
        // A switch takes no value, so no batch column either.
        {.name = "Batch_ListFramesIsNoColumn",
         .args = {"video", "--batch", "-"},
         .status = 2,
         .errHas = {"неизвестный столбец «list-frames» в заголовке"},
         .stdinText = "file;list-frames\nзапись.mp4;\n"},
        {.name = "Help_General_NewCalculations",
         .args = {"--help"},
         .status = 0,
         .outHas = {"  pedestrian", "  obstacle", "  impact", "  video"}},
        {.name = "Version",
         .args = {"--version"},
         .status = 0,
         .outHas = {"kvarnet-calc "},
         .outHasFromData = VersionLine},
    };
}

// The command that starts kvarnet-calc, from the command line after GoogleTest's own options.
std::vector<std::string> command;

class KvarnetCalc : public testing::TestWithParam<Case> {};

TEST_P(KvarnetCalc, ExitsAndWritesAsDocumented) {
    const Case& c = GetParam();
    if (c.argumentBytes && command.back().ends_with(".exe"))
        GTEST_SKIP() << "a Windows program takes its command line in UTF-16";
    const auto dir = std::filesystem::current_path() / "cli_test_files";
    std::filesystem::create_directories(dir);
    const ProgramRun run = Start(command, c, dir);
    const std::string shown = "\nstandard output:\n" + run.out + "\nstandard error:\n" + run.err;
    EXPECT_EQ(run.status, c.status) << shown;
    // Whatever the input's encoding, everything written is UTF-8.
    EXPECT_TRUE(IsUtf8(run.out)) << "standard output is not UTF-8" << shown;
    EXPECT_TRUE(IsUtf8(run.err)) << "standard error is not UTF-8" << shown;
    std::vector<std::string> outHas = c.outHas;
    if (c.outHasFromData) {
        const auto more = c.outHasFromData();
        outHas.insert(outHas.end(), more.begin(), more.end());
    }
    for (const std::string& text : outHas)
        EXPECT_NE(run.out.find(text), std::string::npos)
            << "standard output lacks «" << text << "»" << shown;
    for (const std::string& text : c.errHas)
        EXPECT_NE(run.err.find(text), std::string::npos)
            << "standard error lacks «" << text << "»" << shown;
    if (c.outIs) {
        EXPECT_EQ(run.out, *c.outIs) << shown;
    }
}

INSTANTIATE_TEST_SUITE_P(Commands, KvarnetCalc, testing::ValuesIn(Cases()), CaseName());

// A batch file in a folder and under a name with Russian letters, as on an expert's desktop: a
// Windows program is given the name in UTF-16 and must open it so.
TEST(BatchFile, OpensUnderARussianName) {
    const auto dir = std::filesystem::current_path() / "cli_test_files";
    const std::string name = "cli_test_files/Дела 2025/остановочный путь.csv";
    std::filesystem::create_directories(dir / "Дела 2025");
    std::ofstream(name, std::ios::binary)
        << "reaction;delay;rise;deceleration;skid\n0,8;0,2;0,3;6,8;10\n";
    const ProgramRun run = Start(command, {"", {"stopping", "--batch", name}, 0}, dir);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "line;reaction;delay;rise;deceleration;skid;speed_or_skid;speed_ms;"
                       "distance;time;error\n2;0,8;0,2;0,3;6,8;10;45,7;12,7;26,4;1,7;\n")
        << run.err;
}

// ---- Speed from a video file: files made here by Debian's ffmpeg ----

bool HaveFfmpeg() {
    static const bool have = std::system("ffmpeg -version >/dev/null 2>&1") == 0;
    return have;
}

// The files of the video cases, made once, named relative to the folder the program runs in
// (which a Windows program under wine reads as well).
const std::string kVideoDir = "cli_test_files/video/";

std::string Output(const std::string& line) {
    std::string out;
    if (FILE* pipe = popen(line.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            out.append(buffer, n);
        pclose(pipe);
    }
    return out;
}

void MakeVideos() {
    static bool made = false;
    if (made) return;
    made = true;
    std::filesystem::create_directories(kVideoDir);
    const std::string source = "ffmpeg -v error -y -f lavfi -i testsrc=size=160x120:rate=30:";
    // Frames at 1/30 s for 2 s, then at 1/15 s; in MP4 at 1/90 000 s, so every time is exact.
    std::system((source +
                 "duration=4 -vf \"setpts='if(lt(N,60),N/30,2+(N-60)/15)/TB'\" "
                 "-fps_mode passthrough -c:v libx264 -bf 2 -g 15 "
                 "-video_track_timescale 90000 " +
                 kVideoDir + "vfr.mp4")
                    .c_str());
    std::system((source + "duration=3 -c:v libx264 -bf 2 -g 15 -movflags +faststart " + kVideoDir +
                 "whole.mp4")
                    .c_str());
    std::ifstream whole(kVideoDir + "whole.mp4", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(whole)), std::istreambuf_iterator<char>());
    std::ofstream(kVideoDir + "cut.mp4", std::ios::binary) << bytes.substr(0, bytes.size() / 2);
    std::ofstream(kVideoDir + "протокол.mp4", std::ios::binary) << "Протокол осмотра.\n";
}

std::string Sha256Of(const std::string& file) {
    return Output("sha256sum '" + file + "'").substr(0, 64);
}

struct VideoCase {
    std::string name;
    std::vector<std::string> args; // after "video"
    int status;
    std::vector<std::string> outHas = {}, errHas = {};
    bool nothingWritten = false; // a refusal: standard output stays empty
};

class VideoFile : public testing::TestWithParam<VideoCase> {};

TEST_P(VideoFile, ExitsAndWritesAsDocumented) {
    if (!HaveFfmpeg()) GTEST_SKIP() << "Debian's ffmpeg is not installed: no video to read";
    MakeVideos();
    const VideoCase& v = GetParam();
    const auto dir = std::filesystem::current_path() / "cli_test_files";
    const Case c{.name = v.name, .args = With({"video"}, v.args), .status = v.status};
    const ProgramRun run = Start(command, c, dir);
    const std::string shown = "\nstandard output:\n" + run.out + "\nstandard error:\n" + run.err;
    EXPECT_EQ(run.status, v.status) << shown;
    for (std::string text : v.outHas) {
        if (text == "SHA") text = "SHA-256 файла: " + Sha256Of(kVideoDir + "vfr.mp4") + "\n";
        EXPECT_NE(run.out.find(text), std::string::npos)
            << "standard output lacks «" << text << "»" << shown;
    }
    for (const std::string& text : v.errHas)
        EXPECT_NE(run.err.find(text), std::string::npos)
            << "standard error lacks «" << text << "»" << shown;
    if (v.nothingWritten) {
        EXPECT_EQ(run.out, "") << shown;
    }
}

const std::string kVfr = kVideoDir + "vfr.mp4";

INSTANTIATE_TEST_SUITE_P(
    Cases, VideoFile,
    testing::Values(
        // Frames 31 and 91 are 3 s apart, not the 2 s of 60 intervals at 30 frames a second.
        VideoCase{
            .name = "VariableRate",
            .args = {"--file", kVfr, "--from-frame", "31", "--to-frame", "91", "--distance", "50"},
            .status = 0,
            .outHas = {"Файл видеозаписи: vfr.mp4\n", "SHA", "Частота кадров: переменная",
                       "t = t(B) − t(A) = t(91) − t(31) = 4 − 1 = 3 с\n", "Скорость: 60 км/ч\n",
                       "на каждом конце: 59,3…61,4 км/ч\n",
                       "3,6 × 50 / (4 − 0,966667) = 59,3407 км/ч"}},
        VideoCase{.name = "VariableRateJson",
                  .args = {"--file", kVfr, "--from-frame", "31", "--to-frame", "91", "--distance",
                           "50", "--json"},
                  .status = 0,
                  .outHas = {"{\"key\": \"elapsed_s\", \"name\": \"Время между кадрами\", "
                             "\"unit\": \"с\", \"text\": \"3\", \"value\": 3}",
                             "\"key\": \"speed_range_kmh\"", "\"min\": 59.3, \"max\": 61.4}",
                             "{\"key\": \"file_name\", \"name\": \"Файл видеозаписи\", "
                             "\"unit\": \"\", \"text\": \"vfr.mp4\"}",
                             "\"key\": \"file_sha256\""}},
        VideoCase{.name = "ListFrames",
                  .args = {"--file", kVfr, "--list-frames"},
                  .status = 0,
                  .outHas = {"frame;time_s\n1;0\n2;0,033333\n", "\n31;1\n", "\n60;1,966667\n61;2\n",
                             "\n91;4\n", "\n120;5,933333\n"}},
        VideoCase{.name = "ListFramesJson",
                  .args = {"--file", kVfr, "--list-frames", "--json"},
                  .status = 0,
                  .outHas = {"\"variable_rate\": true", "{\"frame\": 91, \"time_s\": 4}"}},
        VideoCase{.name = "MissingFile",
                  .args = {"--file", kVideoDir + "нет.mp4", "--from-frame", "1", "--to-frame", "3",
                           "--distance", "5"},
                  .status = 1,
                  .errHas = {"(--file): файл «нет.mp4» не найден"},
                  .nothingWritten = true},
        VideoCase{.name = "TextNamedMp4",
                  .args = {"--file", kVideoDir + "протокол.mp4", "--from-frame", "1", "--to-frame",
                           "3", "--distance", "5"},
                  .status = 1,
                  .errHas = {"(--file): файл «протокол.mp4» — не видеозапись"},
                  .nothingWritten = true},
        VideoCase{
            .name = "PastTheLastFrame",
            .args = {"--file", kVfr, "--from-frame", "31", "--to-frame", "121", "--distance", "5"},
            .status = 1,
            .errHas = {"(--to-frame): значение «Номер второго кадра» (121) больше числа "
                       "кадров в файле. Кадров в файле: 120."},
            .nothingWritten = true},
        VideoCase{.name = "PastTheCut",
                  .args = {"--file", kVideoDir + "cut.mp4", "--from-frame", "1", "--to-frame", "80",
                           "--distance", "5"},
                  .status = 1,
                  .errHas = {"(--to-frame): значение «Номер второго кадра» (80) больше числа "
                             "кадров",
                             "файл «cut.mp4» обрывается или повреждён после кадра"},
                  .nothingWritten = true},
        VideoCase{
            .name = "SameFrame",
            .args = {"--file", kVfr, "--from-frame", "31", "--to-frame", "31", "--distance", "5"},
            .status = 1,
            .errHas = {"(--to-frame): первый и второй кадры совпадают"},
            .nothingWritten = true},
        VideoCase{
            .name = "Reversed",
            .args = {"--file", kVfr, "--from-frame", "91", "--to-frame", "31", "--distance", "5"},
            .status = 1,
            .errHas = {"(--to-frame): второй кадр показан раньше первого"},
            .nothingWritten = true},
        VideoCase{
            .name = "FrameZero",
            .args = {"--file", kVfr, "--from-frame", "0", "--to-frame", "31", "--distance", "5"},
            .status = 1,
            .errHas = {"(--from-frame): значение «Номер первого кадра» должно быть целым "
                       "числом не меньше 1"},
            .nothingWritten = true},
        VideoCase{.name = "FileAndFrameCount",
                  .args = {"--file", kVfr, "--frames", "45", "--from-frame", "1", "--to-frame", "3",
                           "--distance", "5"},
                  .status = 2,
                  .errHas = {"параметры --file и --frames исключают друг друга"},
                  .nothingWritten = true},
        VideoCase{.name = "ListFramesInABatch",
                  .args = {"--file", kVfr, "--list-frames", "--batch", "-"},
                  .status = 2,
                  .errHas = {"параметр --list-frames не задаётся вместе с --batch"},
                  .nothingWritten = true}),
    CaseName());

// Seconds since 1970 of an ISO 8601 time with its offset ("2025-03-07T14:05:09+03:00"); nothing
// when the text is not one.
std::optional<long long> SecondsOf(const std::string& iso) {
    int y, mo, d, h, mi, sec, oh, om;
    char sign;
    if (iso.size() != 25 || std::sscanf(iso.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%c%2d:%2d", &y, &mo,
                                        &d, &h, &mi, &sec, &sign, &oh, &om) != 9)
        return std::nullopt;
    if (sign != '+' && sign != '-') return std::nullopt;
    // Days from civil, after Howard Hinnant's algorithm.
    const long long yy = y - (mo <= 2);
    const long long era = (yy >= 0 ? yy : yy - 399) / 400;
    const long long yoe = yy - era * 400;
    const long long doy = (153 * (mo + (mo > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long days = era * 146097 + yoe * 365 + yoe / 4 - yoe / 100 + doy - 719468;
    const long long offset = (sign == '+' ? 1 : -1) * (oh * 3600LL + om * 60LL);
    return days * 86400 + h * 3600LL + mi * 60LL + sec - offset;
}

struct ZoneCase {
    const char* name;
    const char* zone; // TZ; "" for the machine's
};

class ComputedAt : public testing::TestWithParam<ZoneCase> {};

// The time in the record is the moment of the run, told in the zone the program runs in: read
// back through its offset it is the test's own clock.
TEST_P(ComputedAt, IsTheRunsMomentInItsZone) {
    Case c{"", With(kStoppingBase, {"--skid", "10", "--json"}), 0};
    c.zone = GetParam().zone;
    const auto dir = std::filesystem::current_path() / "cli_test_files";
    std::filesystem::create_directories(dir);
    const long long before = std::time(nullptr);
    const ProgramRun run = Start(command, c, dir);
    const long long after = std::time(nullptr);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string key = "\"computed_at\": \"";
    const std::size_t at = run.out.find(key);
    ASSERT_NE(at, std::string::npos) << run.out;
    const std::string iso = run.out.substr(at + key.size(), 25);
    const std::optional<long long> seconds = SecondsOf(iso);
    ASSERT_TRUE(seconds) << iso;
    EXPECT_GE(*seconds, before) << iso;
    EXPECT_LE(*seconds, after) << iso;
}

INSTANTIATE_TEST_SUITE_P(Zones, ComputedAt,
                         testing::Values(ZoneCase{"MachineZone", ""},
                                         ZoneCase{"HalfHourEast", "XYZ-05:30"},
                                         ZoneCase{"ThreeHoursWest", "XYZ+03"},
                                         ZoneCase{"Utc", "UTC0"}),
                         CaseName());

} // namespace

// Usage: cli_test [GoogleTest options] COMMAND... (the command that starts kvarnet-calc, e.g.
// "wine64 kvarnet-calc.exe").
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        std::cerr << "usage: cli_test [GoogleTest options] COMMAND...\n";
        return 2;
    }
    command.assign(argv + 1, argv + argc);
    // The shells started for the cases get SIGPIPE as a user's shell has it, whatever this
    // runner was started with.
    std::signal(SIGPIPE, SIG_DFL);
    return RUN_ALL_TESTS();
}
