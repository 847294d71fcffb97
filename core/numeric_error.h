#pragma once

#include <exception>

namespace core {

// Why a numeric operation failed; the value is the code that callers may test.
enum class NumericErrorKind : int {
    InvalidArgument = 5, // root of a negative number, or an invalid double step such as 0/0
    Overflow = 6,        // a result outside the range of its type
    DivisionByZero = 11, // a double division by zero somewhere in a step
    TypeMismatch = 13,   // a text that is not a number (empty, blanks only, letters, ...)
};

// The one failure that every numeric operation raises; nothing returns a special value instead.
class NumericError : public std::exception {
public:
    explicit NumericError(NumericErrorKind kind) : kind_(kind) {}
    NumericErrorKind kind() const noexcept { return kind_; }
    int code() const noexcept { return static_cast<int>(kind_); }
    const char* what() const noexcept override;

private:
    NumericErrorKind kind_;
};

} // namespace core
