#include "cli/output.h"

#include <cerrno>
#include <cstdio>

#ifndef _WIN32
#include <fcntl.h>
#endif

namespace cli {
namespace {

std::string Reason(int error) {
    switch (error) {
    case ENOSPC:
        return "нет места на диске";
#ifdef EDQUOT
    case EDQUOT:
        return "превышена дисковая квота";
#endif
    case EPIPE:
        return "программа, читавшая вывод, закрыла канал";
    case EBADF:
        return "стандартный вывод закрыт";
    case EFBIG:
        return "файл слишком велик";
    case EACCES:
    case EPERM:
    case EROFS:
        return "нет прав на запись";
    case EIO:
        return "ошибка ввода-вывода";
    default:
        return "ошибка записи (код " + std::to_string(error) + ")";
    }
}

[[noreturn]] void Fail(int error) {
    throw OutputError(Reason(error));
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
        Fail(errno ? errno : EIO);
}

void FinishOutput() {
    errno = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) Fail(errno ? errno : EIO);
}

} // namespace cli
