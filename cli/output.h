#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

// Standard output whose every write is checked: output lost to a full disk, a closed pipe or a
// closed stream ends the run as a failure, never as a success.
namespace cli {

// A write that did not arrive; what() is the reason in Russian («нет места на диске»).
class OutputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Raises OutputError unless standard output is open: a file opened later must never take its
// place.
void CheckOutputOpen();

// Writes to standard output; raises OutputError when the write fails.
void Write(std::string_view text);

// Flushes what is still buffered; raises OutputError when it does not all arrive.
void FinishOutput();

} // namespace cli
