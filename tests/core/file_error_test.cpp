#include <gtest/gtest.h>

#include <cerrno>
#include <optional>
#include <string>

#include "case_name.h"

#include "core/file_error.h"

using namespace core;

namespace {

struct ReasonCase {
    const char* name;
    int error;
    const char* reason;
};

class WriteFailureReasons : public testing::TestWithParam<ReasonCase> {};

// The words the command line and the windows both give after «…: ».
TEST_P(WriteFailureReasons, AreTheUsersWords) {
    EXPECT_EQ(WriteFailureReason(GetParam().error),
              std::optional<std::string_view>(GetParam().reason));
}

INSTANTIATE_TEST_SUITE_P(
    Errors, WriteFailureReasons,
    testing::Values(ReasonCase{"DiskFull", ENOSPC, "нет места на диске"},
#ifdef EDQUOT
                    ReasonCase{"Quota", EDQUOT, "превышена дисковая квота"},
#endif
                    ReasonCase{"PipeClosed", EPIPE, "программа, читавшая вывод, закрыла канал"},
                    ReasonCase{"OutputClosed", EBADF, "стандартный вывод закрыт"},
                    ReasonCase{"TooLarge", EFBIG, "файл слишком велик"},
                    ReasonCase{"ReadOnly", EROFS, "диск или папка доступны только для чтения"},
                    ReasonCase{"NotAllowed", EACCES, "нет прав на запись"},
                    ReasonCase{"NotPermitted", EPERM, "нет прав на запись"},
                    ReasonCase{"InputOutput", EIO, "ошибка ввода-вывода"},
                    ReasonCase{"NoFolder", ENOENT, "папка не существует"},
                    ReasonCase{"PathNotAFolder", ENOTDIR, "папка не существует"},
                    ReasonCase{"AFolder", EISDIR, "это папка или устройство, а не файл"}),
    CaseName());

// Any other number is the caller's to word: the command line gives its code, a window the
// system's own words.
TEST(WriteFailureReasons, LeaveOtherNumbersToTheCaller) {
    EXPECT_EQ(WriteFailureReason(0), std::nullopt);
    EXPECT_EQ(WriteFailureReason(ENAMETOOLONG), std::nullopt);
    EXPECT_EQ(WriteFailureReason(EINVAL), std::nullopt);
}

} // namespace
