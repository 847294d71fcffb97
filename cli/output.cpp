#include "cli/output.h"

#include <cerrno>
#include <cstdio>
#include <string>

#include "core/file_error.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#endif

namespace cli {
namespace {

std::string Reason(int error) {
    if (const auto reason = core::WriteFailureReason(error)) return std::string(*reason);
    return "ошибка записи (код " + std::to_string(error) + ")";
}

[[noreturn]] void Fail(int error) {
    throw OutputError(Reason(error));
}

// Why the last write failed. Windows' C library reports a pipe whose reader has gone as
// EINVAL; the system's own error tells it apart.
int WriteError() {
    int error = errno ? errno : EIO;
#ifdef _WIN32
    const DWORD system = GetLastError();
    if (system == ERROR_NO_DATA || system == ERROR_BROKEN_PIPE ||
        system == ERROR_PIPE_NOT_CONNECTED)
        error = EPIPE;
#endif
    return error;
}

} // namespace

void CheckOutputOpen() {
#ifndef _WIN32
    if (fcntl(1, F_GETFD) == -1 && errno == EBADF) Fail(EBADF);
#endif
}

void Write(std::string_view text) {
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::ferror(stdout))
        Fail(WriteError());
}

void FinishOutput() {
    errno = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) Fail(WriteError());
}

} // namespace cli
