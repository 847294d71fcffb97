#include "cli/encoding.h"

#include <array>
#include <cstdint>

namespace cli {
namespace {

// The characters of the Windows-1251 bytes 0x80…0xFF; 0 for 0x98, which has none.
constexpr std::array<char16_t, 128> kWindows1251 = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, //
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, //
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, //
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, //
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, //
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, //
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, //
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, //
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, //
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F, //
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, //
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, //
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447, //
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F, //
};

constexpr char16_t kReplacement = 0xFFFD;

// A character of the Basic Multilingual Plane, as every Windows-1251 one is, in UTF-8.
void AppendUtf8(std::string& out, char16_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

std::size_t Utf8Length(std::string_view bytes) {
    const auto* const data = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t size = bytes.size();
    std::size_t i = 0;
    while (i < size) {
        const unsigned char lead = data[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        // The length of the sequence and the range of its second byte, which rules out
        // overlong forms, the surrogates and everything beyond U+10FFFF.
        std::size_t length = 0;
        unsigned char low = 0x80, high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0) low = 0xA0;
            if (lead == 0xED) high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;
        } else {
            return i;
        }
        if (size - i < length || data[i + 1] < low || data[i + 1] > high) return i;
        for (std::size_t k = 2; k < length; ++k)
            if (data[i + k] < 0x80 || data[i + k] > 0xBF) return i;
        i += length;
    }
    return size;
}

std::optional<std::size_t> FirstNonWindows1251(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b >= 0x80 && kWindows1251[b - 0x80] == 0) return i;
    }
    return std::nullopt;
}

std::string FromWindows1251(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        if (b < 0x80) {
            out += byte;
        } else {
            const char16_t c = kWindows1251[b - 0x80];
            AppendUtf8(out, c ? c : kReplacement);
        }
    }
    return out;
}

std::optional<std::string> TextInUtf8(std::string_view bytes) {
    if (Utf8Length(bytes) == bytes.size()) return std::string(bytes);
    if (FirstNonWindows1251(bytes)) return std::nullopt;
    return FromWindows1251(bytes);
}

std::string ShownInUtf8(std::string_view bytes) {
    if (Utf8Length(bytes) == bytes.size()) return std::string(bytes);
    return FromWindows1251(bytes);
}

} // namespace cli
