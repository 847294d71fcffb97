#pragma once

#include <optional>
#include <string_view>

// Why a write failed, in the user's words: the command line and the windows say the same thing
// for the same failure.
namespace core {

// The reason for the system's error number (errno) after a failed write, completing a sentence
// after its colon («нет места на диске»); nothing for a number not named here, which the caller
// words with what it knows.
std::optional<std::string_view> WriteFailureReason(int error);

} // namespace core
