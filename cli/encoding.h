#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Texts from outside the program, a batch file or the command line, as UTF-8. A spreadsheet on
// a Russian Windows saves its files in Windows-1251, a script may pass its arguments so, while
// everything the program writes is UTF-8. A text is taken as UTF-8 when its bytes are valid
// UTF-8 and as Windows-1251 otherwise: Russian text in Windows-1251 is almost never valid UTF-8.
namespace cli {

// How many bytes at the start of `bytes` are whole, valid UTF-8 characters (all of them when
// the text is UTF-8).
std::size_t Utf8Length(std::string_view bytes);

// The Windows-1251 byte at `bytes[offset]` that stands for no character (0x98); nothing when
// every byte stands for one.
std::optional<std::size_t> FirstNonWindows1251(std::string_view bytes);

// Windows-1251 bytes in UTF-8; a byte that stands for no character becomes «�».
std::string FromWindows1251(std::string_view bytes);

// The text in UTF-8: as it is when it is UTF-8, read as Windows-1251 otherwise; nothing when it
// is neither.
std::optional<std::string> TextInUtf8(std::string_view bytes);

// The same for a text that is only shown (a file name in a message): a byte of neither becomes
// the replacement character «�».
std::string ShownInUtf8(std::string_view bytes);

} // namespace cli
