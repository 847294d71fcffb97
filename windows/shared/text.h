#pragma once

#include <QString>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/numeric.h"

// Texts between the windows (QString) and the calculation core (UTF-8 std::string). Here, not in
// the toolkit, which knows Qt only.
namespace shared {

inline std::string Std(const QString& text) {
    return text.toStdString();
}

inline QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

inline QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A small whole number as the core writes it ("1", "15").
inline QString Integer(int value) {
    return Q(core::FormatInteger(static_cast<std::int16_t>(value)));
}

} // namespace shared
