#include "windows/dashcam/form4_layout.h"

#include <array>

#include "core/inputs.h"

using namespace toolkit;
using namespace toolkit::table;

namespace {

constexpr FontDecl kLink{Face::Sans, 9.75, true, true};

constexpr unsigned kLinkLabel = kTransparent | kHandCursor;

// The clock lists: every value the reading's input takes, from "0" to the last below its limit
// (hours to "23" at the start and to "24" at the end, minutes and seconds to "59").
constexpr int kMaxItem = 59;
constexpr auto kItemTexts = [] {
    std::array<std::array<char, 3>, kMaxItem + 1> texts{};
    for (int n = 0; n <= kMaxItem; ++n) {
        auto& text = texts[n];
        if (n < 10) {
            text[0] = static_cast<char>('0' + n);
        } else {
            text[0] = static_cast<char>('0' + n / 10);
            text[1] = static_cast<char>('0' + n % 10);
        }
    }
    return texts;
}();
constexpr auto kItems = [] {
    std::array<const char*, kMaxItem + 1> items{};
    for (int i = 0; i <= kMaxItem; ++i)
        items[i] = kItemTexts[i].data();
    return items;
}();
constexpr std::span<const char* const> ItemsOf(const core::InputDescriptor& input) {
    return std::span(kItems).first(static_cast<std::size_t>(input.below));
}

// An editable clock box of the given list.
constexpr Control Clock(const char* name, int left, int top, int tab, const char* access,
                        std::span<const char* const> items) {
    return {.name = name,
            .kind = C,
            .container = "Form4",
            .left = left,
            .top = top,
            .width = 735,
            .height = 315,
            .tab = tab,
            .access = access,
            .items = items};
}

// clang-format off
const Control kForm4Controls[] = {
// name       kind  in        caption                   left  top   width height font     text    back      tab flags picture          accessible name
{"Command3", B, "Form4",  "",                           7320, 3600, 1095,  375, kWindow, kDefault, kDefault, 19, 0, Picture::Close, "Закрыть"},
{"Command1", B, "Form4",  "",                           1920, 3600, 1095,  375, kBold,   kDefault, kDefault, 13, 0, Picture::Start, "Старт"},
{"Frame1",   Kind::Frame, "Form4", "Frame1",            3240, 3720, 2775, 1455, kWindow, kDefault, kDefault, 23, 0, {}, "Рабочие поля расчёта времени"},
{"Text1",    T, "Frame1", "0",                           120,  720,  855,  285, kWindow, kDefault, kDefault, 27, 0, {}, "Пройдено времени, с"},
{"Text5",    T, "Frame1", "0",                          1080,  360,  855,  285, kWindow, kDefault, kDefault, 26, 0, {}, "Пройдено времени, как оно показано, с"},
{"Text6",    T, "Frame1", "0",                           240,  360,  735,  285, kWindow, kDefault, kDefault, 25, 0, {}, "Секунды сверх целых часов"},
{"Text8",    T, "Frame1", "0",                          1080,  720,  855,  285, kWindow, kDefault, kDefault, 24, 0, {}, "Секунды сверх целых минут"},
{"Text9",    T, "Form4",  "",                           3000, 2640,  735,  285, kWindow, kRed,     kDefault, 16, kResult, {}, "Пройдено времени, сек"},
{"Text7",    T, "Form4",  "",                           2160, 2640,  735,  285, kWindow, kRed,     kDefault, 15, kResult, {}, "Пройдено времени, мин"},
{"Text4",    T, "Form4",  "",                           1320, 2640,  735,  285, kWindow, kRed,     kDefault, 14, kResult, {}, "Пройдено времени, час"},
{"Text3",    T, "Form4",  "",                           1800, 1800, 1335,  285, kWindow, kDefault, kDefault, 12, 0, {}, "Расстояние, м"},
{"Text2",    T, "Form4",  "",                           2040, 3120,  975,  285, kBold,   kRed,     kDefault, 17, kResult, {}, "Скорость, км/час"},
Clock("Combo6",                                         3000,  480,                                            8, "Начальные показания времени, сек", ItemsOf(core::input::kStartSeconds)),
Clock("Combo5",                                         2160,  480,                                            7, "Начальные показания времени, мин", ItemsOf(core::input::kStartMinutes)),
Clock("Combo4",                                         1320,  480,                                            6, "Начальные показания времени, час", ItemsOf(core::input::kStartHours)),
Clock("Combo3",                                         3000, 1080,                                           11, "Конечные показания времени, сек", ItemsOf(core::input::kEndSeconds)),
Clock("Combo2",                                         2160, 1080,                                           10, "Конечные показания времени, мин", ItemsOf(core::input::kEndMinutes)),
Clock("Combo1",                                         1320, 1080,                                            9, "Конечные показания времени, час", ItemsOf(core::input::kEndHours)),
{"Label21",  L, "Form4",  "Пример работы с программой", 5040, 2760, 3495,  375, kLink,   kBlue,    kDefault, 18, kLinkLabel},
{"Label3",   L, "Form4",  "Расстояние между опорами освещения: 31, 33, 35, 36, 39,   45, 65, м",
                                                        3360, 1680, 3255,  375, kWindow, kWhite,   kDefault, 22, kLabel},
RedLine("Line5", "Form4", 360, 2400, 4200, 2400, 1, "Красная черта"),
{"Label2",   L, "Form4",  "Пройдено времени ",           240, 2640,  855,  495, kWindow, kWhite,   kDefault, 21, kLabel},
{"Label1",   L, "Form4",  "Начальные показания времени", 240,  480,  975,  735, kWindow, kWhite,   kDefault, 20, kLabel},
{"Label4",   L, "Form4",  "Скорость, км/час",            240, 3120, 1575,  255, kWindow, kWhite,   kDefault,  5, kLabel},
{"Label5",   L, "Form4",  "час",                        1560,  240,  375,  255, kBold,   kWhite,   kDefault,  4, kLabel},
{"Label7",   L, "Form4",  "Расстояние, м",               240, 1800, 1215,  255, kWindow, kWhite,   kDefault,  3, kLabel},
{"Label9",   L, "Form4",  "мин ",                       2280,  240,  615,  255, kBold,   kWhite,   kDefault,  2, kLabel | kCentred},
{"Label11",  L, "Form4",  "Конечные показания времени",  240, 1080,  975,  735, kWindow, kWhite,   kDefault,  1, kLabel},
{"Label12",  L, "Form4",  "сек",                        3120,  240,  375,  255, kBold,   kWhite,   kDefault,  0, kLabel},
RedLine("Line1", "Form4", 120, 120, 120, 4200),
RedLine("Line2", "Form4", 120, 4200, 8640, 4200),
RedLine("Line3", "Form4", 8640, 120, 8640, 4200),
RedLine("Line4", "Form4", 120, 120, 8625, 120),
};
// clang-format on

} // namespace

std::span<const Control> Form4Layout() {
    return kForm4Controls;
}
