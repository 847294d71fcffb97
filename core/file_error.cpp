#include "core/file_error.h"

#include <cerrno>

namespace core {

std::optional<std::string_view> WriteFailureReason(int error) {
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
    case EROFS:
        return "диск или папка доступны только для чтения";
    case EACCES:
    case EPERM:
        return "нет прав на запись";
    case EIO:
        return "ошибка ввода-вывода";
    case ENOENT:
    case ENOTDIR:
        return "папка не существует";
    case EISDIR:
        return "это папка или устройство, а не файл";
    default:
        return std::nullopt;
    }
}

} // namespace core
