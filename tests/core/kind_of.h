#pragma once

#include <optional>

#include "core/numeric_error.h"

// Runs f and gives the kind of NumericError it raised, or nothing when it raised none.
template <typename F> std::optional<core::NumericErrorKind> KindOf(F&& f) {
    try {
        f();
    } catch (const core::NumericError& e) {
        return e.kind();
    }
    return std::nullopt;
}
