#include "windows/loading/loading_layout.h"

using namespace toolkit;
using namespace toolkit::table;

namespace {

// speedCaption runs on into the free room to its right, so that its caption shows whole; it
// stops above Старт. Tab goes top to bottom and left to right: the group, the category, the load
// from the top, the adhesion, the speed, then Старт and Закрыть. The comment at the end of a
// row is the control's id in the window's design.
// clang-format off
const Control kLoadingControls[] = {
// name              kind  in        caption                   left  top   width height font     text    back        tab flags picture            accessible name
{"closeButton",      B, "loadingWindow", "",                   7560, 2640, 1095,  375, kWindow, kDefault, kDefault,   24, 0, Picture::Close, "Закрыть"},  // Command3
{.name = "handOverTimer", .kind = Kind::Timer, .container = "loadingWindow", .interval = 500},  // Timer1
{"speed",            T, "loadingWindow", "",                    240, 2400,  735,  285, kWindow, kDefault, kDefault,   18, 0, {}, "Скорость в км/ч в начале торможения"},  // Text1
{"startButton",      B, "loadingWindow", "",                   3960, 2640, 1095,  375, kBold,   kDefault, kDefault,   19, 0, Picture::Start, "Старт"},  // Command1
{"adhesion",         Kind::ComboBox, "loadingWindow", "",      4560, 1440, 1095,  315, kWindow, kDefault, kLightCyan, 15, 0, {}, "Коэффициент сцепления"},  // Combo1
{"unloaded",         O, "loadingWindow", "",                   4920,  240,  200,  200, kWindow, kDefault, kDarkGreen,  8, 0, {}, "Без нагрузки"},  // Option6
{"halfLoad",         O, "loadingWindow", "",                   4920,  720,  200,  200, kWindow, kDefault, kDarkGreen,  9, 0, {}, "С нагрузкой 50%"},  // Option5
{"fullLoad",         O, "loadingWindow", "",                   4920, 1080,  200,  200, kWindow, kDefault, kDarkGreen, 10, 0, {}, "С полной нагрузкой"},  // Option4
{"category",         Kind::ListBox, "loadingWindow", "",        240, 1560, 3375,  645, kWindow, kDefault, kLightCyan,  7, 0, {}, "Категория транспортного средства"},  // List1
{"vehicleGroup",     Kind::Frame, "loadingWindow", "",          120,    0, 3255, 1455, kWindow, kDefault, kDefault,    0, 0, {}, "Группа транспортных средств"},  // Frame1
{"roadTrains",       O, "vehicleGroup", "",                     120, 1080,  200,  200, kWindow, kDefault, kDarkGreen,  5, 0, {}, "Грузовые автопоезда с тягачами"},  // Option3
{"trucks",           O, "vehicleGroup", "",                     120,  720,  200,  200, kWindow, kDefault, kDarkGreen,  3, 0, {}, "Грузовые одиночное"},  // Option2
{"carsAndBuses",     O, "vehicleGroup", "",                     120,  240,  200,  200, kWindow, kDefault, kDarkGreen,  1, 0, {}, "Легковые и автобусы одиночные и автопоезда"},  // Option1
RedLine("groupLeft", "vehicleGroup", 15, 120, 0, 1440),  // Line6
RedLine("groupTop", "vehicleGroup", 0, 120, 3240, 120),  // Line5
{"roadTrainsCaption", L, "vehicleGroup", "Грузовые автопоезда с тягачами", 360, 1080, 2775, 255, kWindow, kWhite, kDefault, 6, kLabel},  // Label3
{"trucksCaption",    L, "vehicleGroup", "Грузовые одиночное",   360,  720, 1695,  375, kWindow, kWhite,   kDefault,    4, kLabel},  // Label2
{"carsAndBusesCaption", L, "vehicleGroup", "Легковые и автобусы одиночные и автопоезда",
                                                                360,  240, 2775,  495, kWindow, kWhite,   kDefault,    2, kLabel},  // Label1
{"groupBackground",  Kind::Image, "vehicleGroup", "",          -360,    0, 9000, 5460, kWindow, kDefault, kDefault,   -1, 0, Picture::Marsh, "Фон"},  // Image1
RedLine("frameTop", "loadingWindow", 360, 120, 8745, 120),  // Line4
RedLine("frameRight", "loadingWindow", 8760, 120, 8760, 3120),  // Line3
RedLine("frameBottom", "loadingWindow", 120, 3135, 8760, 3135),  // Line2
RedLine("frameLeft", "loadingWindow", 130, 1440, 130, 3120),  // Line1
{"speedCaption",     L, "loadingWindow", "Cкорость в км/ч в начале торможения",
                                                               1080, 2400, 3375,  240, kWindow, kWhite,   kDefault,   23, kLabel, {}, "Скорость в км/ч в начале торможения"},  // Label12
{"coefficientCaption", L, "loadingWindow", "Коэффициент эффективности торможения",
                                                               4080, 1920, 4095,  255, kWindow, kWhite,   kDefault,   20, kLabel | kCentred},  // Label11
{"coefficient",      L, "loadingWindow", "123",                5640, 2160,  735,  255, kBold,   kWhite,   kDefault,   17, kLabel | kCentred | kReadout, {}, "Коэффициент эффективности торможения"},  // Label9
{"adhesionCaption",  L, "loadingWindow", "Коэффициент сцепления", 5760, 1440, 2535, 255, kWindow, kWhite,  kDefault,   14, kLabel},  // Label7
{"unloadedCaption",  L, "loadingWindow", "Без нагрузки",       5280,  240, 1215,  255, kWindow, kWhite,   kDefault,   13, kLabel},  // Label6
{"halfLoadCaption",  L, "loadingWindow", "С нагрузкой 50%",    5280,  720, 1455,  255, kWindow, kWhite,   kDefault,   12, kLabel},  // Label5
{"fullLoadCaption",  L, "loadingWindow", "С полной нагрузкой", 5280, 1080, 1695,  255, kWindow, kWhite,   kDefault,   11, kLabel},  // Label4
};
// clang-format on

} // namespace

std::span<const Control> LoadingLayout() {
    return kLoadingControls;
}
