#include "windows/dashcam/dashcam_layout.h"

#include <array>

#include "core/inputs.h"
#include "windows/shared/pole_spacing.h"

using namespace toolkit;
using namespace toolkit::table;

namespace {

// Named for this window: a unity batch may hold the main window's layout, whose links differ.
constexpr FontDecl kDashcamLink{Face::Sans, 9.75, true, true};

constexpr unsigned kDashcamLinkLabel = kTransparent | kHandCursor;

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
            .container = "dashcamWindow",
            .left = left,
            .top = top,
            .width = 735,
            .height = 315,
            .tab = tab,
            .access = access,
            .items = items};
}

// clang-format off
const Control kDashcamControls[] = {
// name            kind  in        caption                   left  top   width height font     text    back      tab flags picture          accessible name
{"closeButton",      B, "dashcamWindow",  "",                           7320, 3600, 1095,  375, kWindow, kDefault, kDefault, 19, 0, Picture::Close, "Закрыть"},  // Command3
{"startButton",      B, "dashcamWindow",  "",                           1920, 3600, 1095,  375, kBold,   kDefault, kDefault, 13, 0, Picture::Start, "Старт"},  // Command1
{"elapsedSeconds",   T, "dashcamWindow",  "",                           3000, 2640,  735,  285, kWindow, kRed,     kDefault, 16, kResult, {}, "Пройдено времени, сек"},  // Text9
{"elapsedMinutes",   T, "dashcamWindow",  "",                           2160, 2640,  735,  285, kWindow, kRed,     kDefault, 15, kResult, {}, "Пройдено времени, мин"},  // Text7
{"elapsedHours",     T, "dashcamWindow",  "",                           1320, 2640,  735,  285, kWindow, kRed,     kDefault, 14, kResult, {}, "Пройдено времени, час"},  // Text4
{"distance",         T, "dashcamWindow",  "",                           1800, 1800, 1335,  285, kWindow, kDefault, kDefault, 12, 0, {}, "Расстояние, м"},  // Text3
{"speed",            T, "dashcamWindow",  "",                           2040, 3120,  975,  285, kBold,   kRed,     kDefault, 17, kResult, {}, "Скорость, км/час"},  // Text2
Clock("startSeconds",    3000,  480,                                            8, "Начальные показания времени, сек", ItemsOf(core::input::kStartSeconds)),  // Combo6
Clock("startMinutes",    2160,  480,                                            7, "Начальные показания времени, мин", ItemsOf(core::input::kStartMinutes)),  // Combo5
Clock("startHours",      1320,  480,                                            6, "Начальные показания времени, час", ItemsOf(core::input::kStartHours)),  // Combo4
Clock("endSeconds",      3000, 1080,                                           11, "Конечные показания времени, сек", ItemsOf(core::input::kEndSeconds)),  // Combo3
Clock("endMinutes",      2160, 1080,                                           10, "Конечные показания времени, мин", ItemsOf(core::input::kEndMinutes)),  // Combo2
Clock("endHours",        1320, 1080,                                            9, "Конечные показания времени, час", ItemsOf(core::input::kEndHours)),  // Combo1
{"exampleVideoLink", L, "dashcamWindow",  "Пример работы с программой", 5040, 2760, 3495,  375, kDashcamLink, kBlue, kDefault, 18, kDashcamLinkLabel},  // Label21
{"videoFramesLink",  L, "dashcamWindow",  "Точнее — по кадрам видеозаписи…", 4440, 3180, 4095,  375, kDashcamLink, kBlue, kDefault, 18, kDashcamLinkLabel},  // added after the design: after exampleVideoLink in the keyboard's order
{"poleSpacingNote",  L, "dashcamWindow",  shared::kPoleSpacingNote,
                                                        3360, 1680, 3255,  375, kWindow, kWhite,   kDefault, 22, kLabel},  // Label3
RedLine("elapsedRule", "dashcamWindow", 360, 2400, 4200, 2400, 1, "Красная черта"),  // Line5
{"elapsedCaption",   L, "dashcamWindow",  "Пройдено времени ",           240, 2640,  855,  495, kWindow, kWhite,   kDefault, 21, kLabel},  // Label2
{"startCaption",     L, "dashcamWindow",  "Начальные показания времени", 240,  480,  975,  735, kWindow, kWhite,   kDefault, 20, kLabel},  // Label1
{"speedCaption",     L, "dashcamWindow",  "Скорость, км/час",            240, 3120, 1575,  255, kWindow, kWhite,   kDefault,  5, kLabel},  // Label4
{"hoursCaption",     L, "dashcamWindow",  "час",                        1560,  240,  375,  255, kBold,   kWhite,   kDefault,  4, kLabel},  // Label5
{"distanceCaption",  L, "dashcamWindow",  "Расстояние, м",               240, 1800, 1215,  255, kWindow, kWhite,   kDefault,  3, kLabel},  // Label7
{"minutesCaption",   L, "dashcamWindow",  "мин ",                       2280,  240,  615,  255, kBold,   kWhite,   kDefault,  2, kLabel | kCentred},  // Label9
{"endCaption",       L, "dashcamWindow",  "Конечные показания времени",  240, 1080,  975,  735, kWindow, kWhite,   kDefault,  1, kLabel},  // Label11
{"secondsCaption",   L, "dashcamWindow",  "сек",                        3120,  240,  375,  255, kBold,   kWhite,   kDefault,  0, kLabel},  // Label12
RedLine("frameLeft", "dashcamWindow", 120, 120, 120, 4200),  // Line1
RedLine("frameBottom", "dashcamWindow", 120, 4200, 8640, 4200),  // Line2
RedLine("frameRight", "dashcamWindow", 8640, 120, 8640, 4200),  // Line3
RedLine("frameTop", "dashcamWindow", 120, 120, 8625, 120),  // Line4
};
// clang-format on

} // namespace

std::span<const Control> DashcamLayout() {
    return kDashcamControls;
}
