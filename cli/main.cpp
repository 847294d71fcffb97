// kvarnet-calc: the three calculations from the command line, one at a time or a file of them.
#include <algorithm>
#include <fstream>
#include <iostream>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

#include "cli/batch.h"
#include "cli/calculation.h"
#include "cli/help.h"

namespace {

enum ExitStatus { kComputed = 0, kRefused = 1, kUsage = 2 };

struct Command {
    const cli::Calculation* calculation = nullptr;
    cli::Values values;
    bool json = false;
    bool help = false;
    std::optional<std::string> batch;
};

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            constexpr char kHex[] = "0123456789abcdef";
            out += "\\u00";
            out += kHex[(c >> 4) & 0xF];
            out += kHex[c & 0xF];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

Command Parse(const std::vector<std::string_view>& args) {
    Command command;
    command.calculation = cli::FindCalculation(args[0]);
    if (!command.calculation)
        throw cli::UsageError("неизвестный расчёт «" + std::string(args[0]) +
                              "»; есть stopping, loading, dashcam");
    for (std::size_t i = 1; i < args.size(); ++i) {
        std::string_view arg = args[i];
        if (arg == "--help" || arg == "-h") {
            command.help = true;
            continue;
        }
        if (arg == "--json") {
            command.json = true;
            continue;
        }
        if (!arg.starts_with("--"))
            throw cli::UsageError("лишний аргумент «" + std::string(arg) + "»");
        std::string name(arg.substr(2));
        std::optional<std::string> value;
        if (auto equals = name.find('='); equals != std::string::npos) {
            value = name.substr(equals + 1);
            name.resize(equals);
        }
        const auto& options = command.calculation->options;
        const bool known =
            name == "batch" || std::any_of(options.begin(), options.end(),
                                           [&](const cli::Option& o) { return o.name == name; });
        if (!known) throw cli::UsageError("неизвестный параметр «--" + name + "»");
        if (!value) {
            if (i + 1 == args.size())
                throw cli::UsageError("у параметра --" + name + " нет значения");
            value = std::string(args[++i]);
        }
        if (name == "batch") {
            if (command.batch) throw cli::UsageError("параметр --batch задан дважды");
            command.batch = *value;
        } else if (!command.values.emplace(name, *value).second) {
            throw cli::UsageError("параметр --" + name + " задан дважды");
        }
    }
    if (command.batch && command.json)
        throw cli::UsageError("--json и --batch не задаются вместе: --batch пишет таблицу");
    return command;
}

int RunBatch(const Command& command) {
    std::ifstream file;
    std::istream* in = &std::cin;
    if (*command.batch != "-") {
        file.open(*command.batch, std::ios::binary);
        if (!file) throw cli::UsageError("не удаётся открыть файл «" + *command.batch + "»");
        in = &file;
    }
    const bool allComputed = cli::RunBatch(*command.calculation, *in, std::cout, command.values);
    return allComputed ? kComputed : kRefused;
}

int RunOne(const Command& command) {
    std::set<std::string, std::less<>> given;
    for (const auto& [name, text] : command.values)
        given.insert(name);
    command.calculation->checkShape(given);
    const cli::Outcome outcome = command.calculation->run(command.values);
    if (outcome.refusal) {
        const cli::Refusal& refusal = *outcome.refusal;
        const std::string where = refusal.option.empty() ? "" : " (--" + refusal.option + ")";
        std::cerr << "kvarnet-calc: расчёт невозможен" << where << ": " << refusal.message << "\n";
        if (command.json)
            std::cout << "{\"error\": {\"option\": " << JsonString(refusal.option)
                      << ", \"message\": " << JsonString(refusal.message) << "}}\n";
        return kRefused;
    }
    std::cout << (command.json ? core::RecordJson(outcome.record) + "\n"
                               : core::RecordText(outcome.record));
    return kComputed;
}

} // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    SetConsoleOutputCP(CP_UTF8); // the texts are UTF-8
#endif
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.empty()) {
        std::cerr << cli::GeneralHelp();
        return kUsage;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        std::cout << cli::GeneralHelp();
        return kComputed;
    }
    std::string_view calculationName = args[0];
    try {
        const Command command = Parse(args);
        if (command.help) {
            std::cout << cli::CalculationHelp(*command.calculation);
            return kComputed;
        }
        return command.batch ? RunBatch(command) : RunOne(command);
    } catch (const cli::UsageError& error) {
        std::cerr << "kvarnet-calc: " << error.what() << "\n";
        if (cli::FindCalculation(calculationName))
            std::cerr << "Справка: kvarnet-calc " << calculationName << " --help\n";
        else
            std::cerr << "Справка: kvarnet-calc --help\n";
        return kUsage;
    }
}
