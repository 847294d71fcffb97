// kvarnet-calc: the calculations from the command line, one at a time or a file of them.
#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>
#endif

#include "cli/batch.h"
#include "cli/calculation.h"
#include "cli/encoding.h"
#include "cli/help.h"
#include "cli/origin.h"
#include "cli/output.h"
#include "core/record.h"
#include "version.h"

namespace {

enum ExitStatus { kComputed = 0, kRefused = 1, kUsage = 2, kNotWritten = 3 };

constexpr std::string_view kVersion = KVARNET_VERSION;

struct Command {
    const cli::Calculation* calculation = nullptr;
    cli::Values values; // in UTF-8
    bool json = false;
    bool help = false;
    std::optional<std::string> batch; // the file's name as given
};

// What a run's JSON document opens with: the calculation and the program's version.
std::string RunMembers(std::string_view calculation) {
    return "\"calculation\": " + core::JsonString(calculation) +
           ", \"version\": " + core::JsonString(kVersion);
}

// An argument that is an option itself, so that the option before it was left without its
// value («--case --json»). A negative number is a value.
bool IsOption(std::string_view arg) {
    return arg.starts_with("--") || arg == "-h";
}

Command Parse(const std::vector<std::string_view>& args) {
    Command command;
    command.calculation = cli::FindCalculation(args[0]);
    if (!command.calculation)
        throw cli::UsageError("неизвестный расчёт «" + cli::ShownInUtf8(args[0]) + "»; есть " +
                              cli::CalculationNames());
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
            throw cli::UsageError("лишний аргумент «" + cli::ShownInUtf8(arg) + "»");
        std::string name(arg.substr(2));
        std::optional<std::string_view> value;
        if (auto equals = name.find('='); equals != std::string::npos) {
            value = arg.substr(2 + equals + 1);
            name.resize(equals);
        }
        const auto& options = command.calculation->options;
        const auto option = std::find_if(options.begin(), options.end(),
                                         [&](const cli::Option& o) { return o.name == name; });
        const bool known = name == "batch" || cli::IsCaseOption(name) || option != options.end();
        if (!known)
            throw cli::UsageError("неизвестный параметр «--" + cli::ShownInUtf8(name) + "»");
        if (option != options.end() && option->flag) {
            if (value) throw cli::UsageError("параметр --" + name + " задаётся без значения", name);
            value = "";
        }
        if (!value) {
            if (i + 1 == args.size() || IsOption(args[i + 1]))
                throw cli::UsageError("у параметра --" + name + " нет значения", name);
            value = args[++i];
        }
        if (name == "batch") {
            if (command.batch) throw cli::UsageError("параметр --batch задан дважды", name);
            command.batch = std::string(*value); // a name of the file system, not a text
            continue;
        }
        std::optional<std::string> text = cli::TextInUtf8(*value);
        if (!text)
            throw cli::UsageError(
                "значение параметра --" + name + " не в UTF-8 и не в Windows-1251", name);
        if (!command.values.emplace(name, std::move(*text)).second)
            throw cli::UsageError("параметр --" + name + " задан дважды", name);
    }
    if (command.batch)
        for (const cli::Option& option : command.calculation->options)
            if (option.flag && command.values.contains(option.name))
                throw cli::UsageError("параметр --" + std::string(option.name) +
                                          " не задаётся вместе с --batch",
                                      option.name);
    return command;
}

// The file named on the command line, in the encoding the system gives names in: UTF-16 on
// Windows, whose arguments were made UTF-8; bytes as they are elsewhere.
std::filesystem::path PathOf(const std::string& name) {
#ifdef _WIN32
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
#else
    return std::filesystem::path(name);
#endif
}

int RunBatch(const Command& command) {
    std::ifstream file;
    std::istream* in = &std::cin;
    const std::string& name = *command.batch;
    if (name != "-") {
        const std::filesystem::path path = PathOf(name);
        const std::string shown = cli::ShownInUtf8(name);
        std::error_code error;
        if (std::filesystem::is_directory(path, error))
            throw cli::UsageError("«" + shown + "» — это папка, а не файл");
        file.open(path, std::ios::binary);
        if (!file) throw cli::UsageError("не удаётся открыть файл «" + shown + "»");
        in = &file;
    }
    const bool allComputed =
        cli::RunBatch(*command.calculation, *in, command.values,
                      command.json ? cli::BatchFormat::Json : cli::BatchFormat::Table);
    return allComputed ? kComputed : kRefused;
}

int RunOne(const Command& command) {
    std::set<std::string, std::less<>> given;
    for (const auto& [name, text] : command.values)
        given.insert(name);
    command.calculation->checkShape(given);
    const std::optional<core::LocalTime> now = cli::Now();
    cli::Outcome outcome = command.calculation->run(command.values, true);
    if (outcome.refusal) {
        const cli::Refusal& refusal = *outcome.refusal;
        const std::string where = refusal.option.empty() ? "" : " (--" + refusal.option + ")";
        std::cerr << "kvarnet-calc: расчёт невозможен" << where << ": " << refusal.message << "\n";
        if (command.json)
            cli::Write(cli::JsonError(RunMembers(command.calculation->name), cli::kRefusedKind,
                                      refusal.option, refusal.message));
        return kRefused;
    }
    if (outcome.listing) {
        cli::Write(command.json ? outcome.listing->json : outcome.listing->text);
        return kComputed;
    }
    outcome.record.origin = cli::OriginOf(command.values, now);
    cli::Write(command.json ? core::RecordJson(outcome.record) + "\n"
                            : core::RecordText(outcome.record));
    return kComputed;
}

int Run(const std::vector<std::string_view>& args) {
    if (args.empty()) {
        std::cerr << cli::GeneralHelp();
        return kUsage;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        cli::Write(cli::GeneralHelp());
        return kComputed;
    }
    if (args[0] == "--version") {
        cli::Write("kvarnet-calc " + std::string(kVersion) + "\n");
        return kComputed;
    }
    const std::string_view calculationName = args[0];
    const bool json = std::find(args.begin(), args.end(), "--json") != args.end();
    try {
        const Command command = Parse(args);
        if (command.help) {
            cli::Write(cli::CalculationHelp(*command.calculation));
            return kComputed;
        }
        return command.batch ? RunBatch(command) : RunOne(command);
    } catch (const cli::UsageError& error) {
        std::cerr << "kvarnet-calc: " << error.what() << "\n";
        const bool known = cli::FindCalculation(calculationName) != nullptr;
        std::cerr << "Справка: kvarnet-calc " << (known ? std::string(calculationName) + " " : "")
                  << "--help\n";
        if (json)
            cli::Write(cli::JsonError(RunMembers(known ? calculationName : ""), cli::kUsageKind,
                                      error.option(), error.what()));
        return kUsage;
    }
}

// The arguments in UTF-8. Windows hands main() its arguments in the ANSI code page, where a
// Russian name may not fit; the command line as typed is in UTF-16.
std::vector<std::string> Arguments(int argc, char** argv) {
#ifdef _WIN32
    int count = 0;
    if (LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
        std::vector<std::string> arguments;
        for (int i = 1; i < count; ++i) {
            const int bytes =
                WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
            std::string argument(bytes > 0 ? bytes - 1 : 0, '\0');
            if (bytes > 1)
                WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, argument.data(), bytes, nullptr,
                                    nullptr);
            arguments.push_back(std::move(argument));
        }
        LocalFree(wide);
        return arguments;
    }
#endif
    return std::vector<std::string>(argv + 1, argv + argc);
}

} // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    SetConsoleOutputCP(CP_UTF8); // the texts are UTF-8
#else
    // A reader that closes the pipe early is a write that failed, told and ended with status 3
    // like every other one, not a death by a signal that scripts would have to tell apart.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    // Reading input must not flush the output behind the checked writes' back.
    std::cin.tie(nullptr);
    try {
        cli::CheckOutputOpen();
        const std::vector<std::string> arguments = Arguments(argc, argv);
        const int status = Run(std::vector<std::string_view>(arguments.begin(), arguments.end()));
        cli::FinishOutput();
        return status;
    } catch (const cli::OutputError& error) {
        std::cerr << "kvarnet-calc: не удалось записать результат в стандартный вывод: "
                  << error.what() << "\n";
        return kNotWritten;
    }
}
