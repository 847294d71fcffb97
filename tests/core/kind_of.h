#pragma once

#include <optional>

#include "core/numeric_error.h"

// Runs f and gives the NumericError it raised, or nothing when it raised none.
template <typename F> std::optional<core::NumericError> FailureOf(F&& f) {
    try {
        f();
    } catch (const core::NumericError& e) {
        return e;
    }
    return std::nullopt;
}

// The kind of that error alone.
template <typename F> std::optional<core::NumericErrorKind> KindOf(F&& f) {
    if (const auto failure = FailureOf(f)) return failure->kind();
    return std::nullopt;
}
