#include "windows/loading/form2_layout.h"

using namespace toolkit;
using namespace toolkit::table;

namespace {

// Label12 runs on into the free room to its right, so that its caption shows whole; it stops
// above Старт. Tab goes top to bottom and left to right: the group, the category, the load from
// the top, the adhesion, the speed, then Старт and Закрыть.
// clang-format off
const Control kForm2Controls[] = {
// name       kind  in        caption                   left  top   width height font     text    back        tab flags picture            accessible name
{"Text2",    T, "Form2",  "",                           1560, 2760,  855,  285, kWindow, kDefault, kDefault,   25, 0, {}, "Время наростания замедления, с"},
{"Command3", B, "Form2",  "",                           7560, 2640, 1095,  375, kWindow, kDefault, kDefault,   24, 0, Picture::Close, "Закрыть"},
{.name = "Timer1", .kind = Kind::Timer, .container = "Form2", .interval = 500},
{"Text1",    T, "Form2",  "",                            240, 2400,  735,  285, kWindow, kDefault, kDefault,   18, 0, {}, "Скорость в км/ч в начале торможения"},
{"Command2", B, "Form2",  "Command2",                   7920, 1680,  615,  375, kWindow, kDefault, kDefault,   21, 0, {}, "Расчёт"},
{"Command1", B, "Form2",  "",                           3960, 2640, 1095,  375, kBold,   kDefault, kDefault,   19, 0, Picture::Start, "Старт"},
{"Combo1",   Kind::ComboBox, "Form2", "",               4560, 1440, 1095,  315, kWindow, kDefault, kLightCyan, 15, 0, {}, "Коэффициент сцепления"},
{"Option6",  O, "Form2",  "",                           4920,  240,  200,  200, kWindow, kDefault, kDarkGreen,  8, 0, {}, "Без нагрузки"},
{"Option5",  O, "Form2",  "",                           4920,  720,  200,  200, kWindow, kDefault, kDarkGreen,  9, 0, {}, "С нагрузкой 50%"},
{"Option4",  O, "Form2",  "",                           4920, 1080,  200,  200, kWindow, kDefault, kDarkGreen, 10, 0, {}, "С полной нагрузкой"},
{"List1",    Kind::ListBox, "Form2", "",                 240, 1560, 3375,  645, kWindow, kDefault, kLightCyan,  7, 0, {}, "Категория транспортного средства"},
{"Frame1",   Kind::Frame, "Form2", "",                   120,    0, 3255, 1455, kWindow, kDefault, kDefault,    0, 0, {}, "Группа транспортных средств"},
{"Option3",  O, "Frame1", "",                            120, 1080,  200,  200, kWindow, kDefault, kDarkGreen,  5, 0, {}, "Грузовые автопоезда с тягачами"},
{"Option2",  O, "Frame1", "",                            120,  720,  200,  200, kWindow, kDefault, kDarkGreen,  3, 0, {}, "Грузовые одиночное"},
{"Option1",  O, "Frame1", "",                            120,  240,  200,  200, kWindow, kDefault, kDarkGreen,  1, 0, {}, "Легковые и автобусы одиночные и автопоезда"},
RedLine("Line6", "Frame1", 15, 120, 0, 1440),
RedLine("Line5", "Frame1", 0, 120, 3240, 120),
{"Label3",   L, "Frame1", "Грузовые автопоезда с тягачами", 360, 1080, 2775, 255, kWindow, kWhite, kDefault,    6, kLabel},
{"Label2",   L, "Frame1", "Грузовые одиночное",          360,  720, 1695,  375, kWindow, kWhite,   kDefault,    4, kLabel},
{"Label1",   L, "Frame1", "Легковые и автобусы одиночные и автопоезда",
                                                         360,  240, 2775,  495, kWindow, kWhite,   kDefault,    2, kLabel},
{"Image1",   Kind::Image, "Frame1", "",                 -360,    0, 9000, 5460, kWindow, kDefault, kDefault,   -1, 0, Picture::Marsh, "Фон"},
RedLine("Line4", "Form2", 360, 120, 8745, 120),
RedLine("Line3", "Form2", 8760, 120, 8760, 3120),
RedLine("Line2", "Form2", 120, 3135, 8760, 3135),
RedLine("Line1", "Form2", 130, 1440, 130, 3120),
{"Label12",  L, "Form2",  "Cкорость в км/ч в начале торможения",
                                                        1080, 2400, 3375,  240, kWindow, kWhite,   kDefault,   23, kLabel, {}, "Скорость в км/ч в начале торможения"},
{"Label11",  L, "Form2",  "Коэффициент эффективности торможения",
                                                        4080, 1920, 4095,  255, kWindow, kWhite,   kDefault,   20, kLabel | kCentred},
{"Label10",  L, "Form2",  "Label10",                    4560,  960,  255,  375, kWindow, kDefault, kDefault,   18, kReadout, {}, "Столбец таблицы"},
{"Label9",   L, "Form2",  "123",                        5640, 2160,  735,  255, kBold,   kWhite,   kDefault,   17, kLabel | kCentred | kReadout, {}, "Коэффициент эффективности торможения"},
{"Label8",   L, "Form2",  "Label8",                     3120,  960,  495,  375, kWindow, kDefault, kDefault,   16, kReadout, {}, "Строка таблицы"},
{"Label7",   L, "Form2",  "Коэффициент сцепления",      5760, 1440, 2535,  255, kWindow, kWhite,   kDefault,   14, kLabel},
{"Label6",   L, "Form2",  "Без нагрузки",               5280,  240, 1215,  255, kWindow, kWhite,   kDefault,   13, kLabel},
{"Label5",   L, "Form2",  "С нагрузкой 50%",            5280,  720, 1455,  255, kWindow, kWhite,   kDefault,   12, kLabel},
{"Label4",   L, "Form2",  "С полной нагрузкой",         5280, 1080, 1695,  255, kWindow, kWhite,   kDefault,   11, kLabel},
};
// clang-format on

} // namespace

std::span<const Control> Form2Layout() {
    return kForm2Controls;
}
