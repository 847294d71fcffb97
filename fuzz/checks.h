#pragma once

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/numeric.h"

// What every fuzz target holds the core to, whatever it feeds it. A broken promise aborts, so
// libFuzzer and the replayer both report the input that broke it.
namespace fuzz {

[[noreturn]] inline void Fail(std::string_view what, std::string_view detail = {}) {
    std::fprintf(stderr, "broken promise: %.*s [%.*s]\n", static_cast<int>(what.size()),
                 what.data(), static_cast<int>(detail.size()), detail.data());
    std::abort();
}

inline void Require(bool ok, std::string_view what, std::string_view detail = {}) {
    if (!ok) Fail(what, detail);
}

// A value, or the kind of NumericError raised instead.
template <typename T> struct Outcome {
    std::optional<T> value;
    std::optional<core::NumericErrorKind> error;
    friend bool operator==(const Outcome&, const Outcome&) = default;
};

// Runs f; a NumericError is an answer, anything else thrown is a fault.
template <typename F> auto Run(F&& f) -> Outcome<decltype(f())> {
    try {
        return {f(), std::nullopt};
    } catch (const core::NumericError& e) {
        return {std::nullopt, e.kind()};
    } catch (const std::exception& e) {
        Fail("a failure other than NumericError", e.what());
    } catch (...) {
        Fail("a failure other than NumericError", "not even a std::exception");
    }
}

// Runs f twice; the core keeps no state, so both answers must be the same.
template <typename F> auto RunTwice(F&& f) -> Outcome<decltype(f())> {
    auto first = Run(f);
    Require(first == Run(f), "the same input gave two answers");
    return first;
}

// A text the program may show: digits, minus, decimal comma and the exponent forms only, so
// never an infinity, a NaN, a decimal point or anything the machine's locale put there.
inline void RequireNumberText(std::string_view text) {
    Require(!text.empty(), "an empty result text");
    for (std::string_view bad : {"inf", "INF", "Inf", "nan", "NAN", "NaN"})
        Require(text.find(bad) == std::string_view::npos, "an infinity or NaN in a text", text);
    Require(text.find_first_not_of("0123456789-,E+") == std::string_view::npos,
            "a character outside the number alphabet", text);
}

// FormatFixed4 writes every value so that ParseFixed4 reads exactly that value back.
inline void RequireFixedRoundTrip(core::Fixed4 value) {
    std::string text = core::FormatFixed4(value);
    RequireNumberText(text);
    Require(text.find('E') == std::string::npos, "an exponent in a Fixed4 text", text);
    auto back = Run([&] { return core::ParseFixed4(text); });
    Require(back.value == value, "ParseFixed4 does not read FormatFixed4's text back", text);
}

// Significant digits of the shortest decimal that reads back as the value.
inline int ShortestDigits(double value) {
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
    int digits = 0;
    for (const char* p = buf; p != end && *p != 'e'; ++p)
        digits += *p >= '0' && *p <= '9';
    return digits;
}

// FormatDouble fails only for an infinity or a NaN. It keeps 15 significant digits, so a value
// with at most 15 reads back exactly; its exponent forms are for showing, not for reading.
inline void RequireDoubleRoundTrip(double value) {
    auto text = Run([&] { return core::FormatDouble(value); });
    if (!std::isfinite(value)) {
        Require(text.error.has_value(), "FormatDouble wrote an infinity or a NaN");
        return;
    }
    Require(text.value.has_value(), "FormatDouble refused a finite value");
    RequireNumberText(*text.value);
    if (text.value->find('E') != std::string::npos || ShortestDigits(value) > 15) return;
    auto back = Run([&] { return core::ParseDouble(*text.value); });
    Require(back.value == value, "ParseDouble does not read FormatDouble's text back", *text.value);
}

// A result shown with at most `decimals` decimals: a Fixed4 text that reads back as itself.
inline void RequireResultText(std::string_view text, std::size_t decimals) {
    RequireNumberText(text);
    auto value = Run([&] { return core::ParseFixed4(text); });
    Require(value.value.has_value(), "a result text that does not read back", text);
    Require(core::FormatFixed4(*value.value) == text, "a result text not in its own form", text);
    std::size_t comma = text.find(',');
    Require(comma == std::string_view::npos || text.size() - comma - 1 <= decimals,
            "a result text with too many decimals", text);
}

// A result shown as one value or as a range "a…b" of two, each a result text, the lower first.
inline void RequireRangeText(std::string_view text, std::size_t decimals) {
    constexpr std::string_view kMark = "…";
    const std::size_t mark = text.find(kMark);
    if (mark == std::string_view::npos) return RequireResultText(text, decimals);
    const std::string_view low = text.substr(0, mark), high = text.substr(mark + kMark.size());
    RequireResultText(low, decimals);
    RequireResultText(high, decimals);
    Require(core::ParseFixed4(low).units < core::ParseFixed4(high).units,
            "a range whose ends are not in order", text);
}

// The fuzzer's bytes as `count` input texts, one per line; missing lines are empty texts.
inline std::vector<std::string> Lines(const std::uint8_t* data, std::size_t size,
                                      std::size_t count) {
    std::vector<std::string> lines(count);
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    for (std::size_t i = 0; i < count && !rest.empty(); ++i) {
        std::size_t end = rest.find('\n');
        lines[i] = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
    }
    return lines;
}

} // namespace fuzz
