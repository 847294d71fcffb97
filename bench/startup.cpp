// Start-up cost of the main window against a plain Qt window of the same size and widget mix
// (startup-bare, a program of its own): the time from process start to the first paint, and
// the peak memory of the process. A benchmark, not a test: it prints figures and exits with 0
// whenever the window painted.
//
//   startup-bench ours                    the main window, started as the program starts it
//   startup-bench run ours                the above as a child process, with its figures
//   startup-bench run PROGRAM ARGS...     any other program as a child, e.g. startup-bare
//   startup-bench ordinary-png IN OUT     writes picture IN as Qt writes a PNG, compressed
//
// Either window exits at once after its first paint. `run` prints the child's lines and then
// `first-paint-ms` (from the fork to the painted window) and `max-rss-kib` (the child's peak
// resident memory, as the kernel reports it on wait).

#include <memory>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "bench/startup_common.h"
#include "windows/app_windows.h"
#include "windows/main/main_window.h"
#include "windows/toolkit/application.h"
#include "windows/toolkit/forms.h"

namespace {

using namespace startup;

int StartOurs(int argc, char* argv[]) {
    // As the program's main() starts it.
    QApplication app(argc, argv);
    std::unique_ptr<AppWindows> windows;
    FirstPaint first([&windows] { ReportWindow(windows->Main()); });
    app.installEventFilter(&first);
    toolkit::SetUpApplication();
    windows = std::make_unique<AppWindows>();
    windows->Start();
    return app.exec();
}

// Starts a program (this one again for `ours`) and reports on the child.
int Run(int argc, char* argv[]) {
    const bool ours = std::strcmp(argv[2], "ours") == 0;
    std::vector<char*> args;
    if (ours) args.push_back(argv[0]);
    args.insert(args.end(), argv + 2, argv + argc);
    args.push_back(nullptr);
    std::fflush(stdout);
    char start[32];
    std::snprintf(start, sizeof start, "%lld", MonotonicNs());
    setenv(kStartVariable, start, 1);
    const pid_t child = fork();
    if (child < 0) {
        std::perror("startup-bench: fork");
        return 2;
    }
    if (child == 0) {
        execv(ours ? "/proc/self/exe" : args[0], args.data());
        std::perror("startup-bench: exec");
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) < 0) {
        std::perror("startup-bench: wait");
        return 2;
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "startup-bench: the window did not start (status %d)\n", status);
        return 1;
    }
    std::printf("max-rss-kib %ld\n", usage.ru_maxrss);
    return 0;
}

// The program stores the pictures it shows at start uncompressed; a plain program would ship an
// ordinary PNG, as Qt writes one, so that is what the plain window reads.
int WriteOrdinaryPng(const char* in, const char* out) {
    const QImage picture(QString::fromLocal8Bit(in));
    if (picture.isNull() || !picture.save(QString::fromLocal8Bit(out), "PNG")) {
        std::fprintf(stderr, "startup-bench: cannot copy %s to %s\n", in, out);
        return 2;
    }
    return 0;
}

int Usage() {
    std::fprintf(stderr, "usage: startup-bench [run] ours | run PROGRAM ARGS... | "
                         "ordinary-png IN OUT\n");
    return 2;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc >= 3 && std::strcmp(argv[1], "run") == 0) return Run(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "ours") == 0) return StartOurs(argc, argv);
    if (argc == 4 && std::strcmp(argv[1], "ordinary-png") == 0) {
        return WriteOrdinaryPng(argv[2], argv[3]);
    }
    return Usage();
}
