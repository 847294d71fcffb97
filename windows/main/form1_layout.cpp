#include "windows/main/form1_layout.h"

using namespace toolkit;
using namespace toolkit::table;

namespace {

constexpr FontDecl kLink{Face::Sans, 8.25, true, true};
constexpr FontDecl kNotice{Face::Serif, 6.75};
constexpr FontDecl kExponent{Face::Serif, 6};

constexpr unsigned kLinkLabel = kTransparent | kCentred | kHandCursor;

constexpr Control Tick(const char* name, int interval) {
    return {.name = name, .kind = Kind::Timer, .container = "Frame1", .interval = interval};
}

// Tab goes top to bottom and left to right: the inputs and their choices, the mode and the two
// links to the other calculations, Старт, the results, then the other buttons and the footer.
// clang-format off
const Control kForm1Controls[] = {
// name       kind  in        caption                   left  top   width height font     text    back        tab flags picture              accessible name
{"Check1",  Kind::CheckBox, "Form1", "Check1",          6480, 1560,  200,  255, kWindow, kDefault, kDarkGreen,  8, 0, {}, "Извесна длина тормозного следа, юза"},
{"Frame3",   F, "Form1",  "Frame3",                     5400,  240,  735,  975, kWindow, kDefault, kDefault,   37, 0, {}, "Режим расчёта"},
{"Option4",  O, "Frame3", "",                            120,  600,  200,  200, kWindow, kDefault, kDarkGreen, 39, 0, {}, "Извесна скорость автомобиля"},
{"Option3",  O, "Frame3", "",                            120,  240,  200,  200, kWindow, kDefault, kDarkGreen, 38, 0, {}, "Извесна длина тормозного следа, юза"},
{"Text9",    T, "Form1",  "",                           3840, 3600,  855,  285, kBold,   kWhite,   kDarkGreen, 13, kResult, {}, "Скорость, м/с"},
{"Text8",    T, "Form1",  "",                            240, 4560,  855,  285, kBold,   kWhite,   kDarkGreen, 15, kResult, {}, "Время полного тормажения,с"},
{"Text4",    T, "Form1",  "",                            240, 3600,  855,  285, kBold,   kWhite,   kDarkGreen, 12, kResult, {}, "Скорость, км/час"},
{"Text6",    T, "Form1",  "",                            240, 4080,  855,  285, kBold,   kWhite,   kDarkGreen, 14, kResult, {},
 "Путь автомобиля с момента начала реагирование водителем на опасность до остановки (остановочный путь),м"},
{"Option2",  O, "Form1",  "",                           1080, 2520,  200,  200, kWindow, kDefault, kDarkGreen,  5, 0, {},
 "Установившееся замедление для сухого покрытия м/с² (ГОСТ25478-91)"},
{"Command5", B, "Form1",  "",                           7560, 4080, 1095,  375, kBold,   kDefault, kDefault,   17, 0, Picture::Gost, "ГОСТ"},
{"Command4", B, "Form1",  "",                           7560, 3600, 1095,  375, kBold,   kDefault, kDefault,   16, 0, Picture::Help, "Помощь"},
{"Option1",  O, "Form1",  "",                           1080, 2880,  200,  200, kWindow, kDefault, kDarkGreen,  7, 0, {},
 "Установившееся замедление для Для мокрого покрытия м/с² (ГОСТ25478-91)"},
{"Text5",    T, "Form1",  "",                            120, 2640,  855,  285, kWindow, kDefault, kDefault,    6, 0, {}, "Установившееся замедление, м/с²"},
{"Command3", B, "Form1",  "",                           7560, 4560, 1095,  375, kBold,   kDefault, kDefault,   18, 0, Picture::Exit, "Выход"},
{"Command2", B, "Form1",  "Command2",                   7200,  120, 1095,  375, kWindow, kDefault, kDefault,   40, 0, {}, "Расчёт"},
{"Command1", B, "Form1",  "",                           6360, 3600, 1095,  375, kBold,   kDefault, kDefault,   11, 0, Picture::Start, "Старт"},
{"Text1",    T, "Form1",  "0,8",                         120, 1080,  855,  285, kWindow, kDefault, kDefault,    1, 0, {}, "Время реакции водителя (0,6 - 1,4 с шагом 0,2), с"},
{"Text2",    T, "Form1",  "0,2",                         120, 1440,  855,  285, kWindow, kDefault, kDefault,    2, 0, {}, "Время запаздывания срабатывания тормозного привода, с"},
{"Text3",    T, "Form1",  "0,3",                         120, 1800,  855,  285, kWindow, kDefault, kDefault,    3, 0, {}, "Время наростания замедления, с"},
{"Text7",    T, "Form1",  "",                            120, 2160,  855,  285, kWindow, kDefault, kDefault,    4, 0, {}, "Длина тормозного следа (юз),м"},
{"Frame6",   F, "Form1",  "",                            120, 5080, 8775,  375, kWindow, kDefault, kWorkspace,  4, 0, {}, "Сведения о программе"},
{"Label14",  L, "Frame6", "www.example.org",             120,    0, 2415,  255, kBold,   kWhite,   kDefault,   19, kLabel | kHandCursor, {}, "Страница программы в интернете"},
{"Label13",  L, "Frame6", "info@example.org",           7080,    0, 1695,  255, kBold,   kWhite,   kDefault,   20, kLabel | kHandCursor, {}, "Написать письмо"},
{"Label12",  L, "Frame6", "Результаты расчёта носят справочный характер",
                                                        3120,  120, 2895,  255, kNotice, kWhite,   kDefault,    5, kLabel, {}, ""},
{"Frame1",   F, "Form1",  "Frame1",                     9480, 1800, 2775, 2775, kWindow, kDefault, kDefault,    0, 0, {}, "Анимация"},
Tick("Timer1", 100),
Tick("Timer2", 100),
Tick("Timer3", 100),
Tick("Timer4", 100),
Tick("Timer12", 200),
Tick("Timer11", 200),
Tick("Timer10", 200),
Tick("Timer9", 200),
Tick("Timer13", 200),
Tick("Timer14", 300),
Tick("Timer15", 300),
Tick("Timer16", 400),
{"Label1",   L, "Frame1", "1",                           840,  240,  495,  255, kWindow, kDefault, kDefault,    1, kReadout, {}, "Шаг анимации"},
{"Label24",  L, "Form1",  "2",                          3200, 3060,  255,  255, kExponent, kWhite, kDefault,   45, kLabel, {}, "Квадрат"},
{"Label23",  L, "Form1",  "2",                          2520, 2560,  135,  255, kExponent, kWhite, kDefault,   44, kLabel, {}, "Квадрат"},
{"Label22",  L, "Form1",  "Определить скорость и время по данныи видеорегистратора",
                                                        4800, 2760, 4095,  495, kLink,   kBlue,    kDefault,   10, kLinkLabel, {}, ""},
{"Label21",  L, "Form1",  "Определить тормозной путь в зависимости от загрузки автомобиля",
                                                        4800, 2280, 4095,  495, kLink,   kBlue,    kDefault,    9, kLinkLabel, {}, ""},
{"Label20",  L, "Form1",  "0",                          5160, 2040,  255,  255, kWindow, kDefault, kDefault,   41, kReadout, {}, "Признак расчёта окна загрузки"},
{"Image2",   Kind::Image, "Form1", "",                  8520,    0,  375,  390, kWindow, kDefault, kDefault,   -1, 0, Picture::SpeedSign, "Знак ограничения скорости 60"},
{"Label19",  L, "Form1",  "Label19",                    6120,  480,  375,  375, kWindow, kDefault, kDefault,   36, kReadout, {}, "Режим анимации"},
{"Line8",    N, "Form1",  "",                           8760, 1200, 8760, 2160, kWindow, kRed,     kDefault,   -1, 0, {}, "Рамка выбора режима"},
{"Line7",    N, "Form1",  "",                           6360, 2160, 8760, 2160, kWindow, kRed,     kDefault,   -1, 0, {}, "Рамка выбора режима"},
{"Line6",    N, "Form1",  "",                           6360, 1200, 6360, 2160, kWindow, kRed,     kDefault,   -1, 0, {}, "Рамка выбора режима"},
{"Line5",    N, "Form1",  "",                           6360, 1200, 8760, 1200, kWindow, kRed,     kDefault,   -1, 0, {}, "Рамка выбора режима"},
{"Label18",  L, "Form1",  "Извесна скорость автомобиля", 6840, 1680, 1815,  375, kWindow, kWhite,   kDefault,   35, kLabel, {}, ""},
{"Label17",  L, "Form1",  "Извесна длина тормозного следа, юза",
                                                        6840, 1320, 1815,  375, kWindow, kWhite,   kDefault,   34, kLabel, {}, ""},
{"Line4",    N, "Form1",  "",                           6120, 4920, 6120, 3480, kWindow, kRed,     kDefault,   -1, 0, {}, "Рамка результатов"},
{"Line3",    N, "Form1",  "",                            120, 4920, 6120, 4920, kWindow, kRed,     kDefault,   -1, 0, {}, "Рамка результатов"},
{"Line2",    N, "Form1",  "",                            120, 4920,  120, 3480, kWindow, kRed,     kDefault,   -1, 0, {}, "Рамка результатов"},
{"Line1",    N, "Form1",  "",                            120, 3480, 6120, 3480, kWindow, kRed,     kDefault,   -1, 0, {}, "Рамка результатов"},
{"Label9",   L, "Form1",  "Скорость, м/с",              4800, 3600, 1215,  255, kWindow, kWhite,   kDefault,   33, kLabel, {}, ""},
{"Label8",   L, "Form1",  "Время полного тормажения,с", 1200, 4560, 2655,  255, kWindow, kWhite,   kDefault,   31, kLabel, {}, ""},
{"Label7",   L, "Form1",  "Путь автомобиля с момента начала реагирование водителем на опасность до остановки (остановочный путь),м",
                                                        1200, 4080, 4815,  375, kWindow, kWhite,   kDefault,   30, kLabel, {}, ""},
{"Label5",   L, "Form1",  "Скорость, км/час",           1200, 3600, 2655,  255, kWindow, kWhite,   kDefault,   29, kLabel, {}, ""},
{"Label16",  L, "Form1",  "Установившееся замедление для Для мокрого покрытия м/с   (ГОСТ25478-91)",
                                                        1440, 2880, 3375,  375, kWindow, kWhite,   kDefault,   20, kLabel, {},
 "Установившееся замедление для Для мокрого покрытия м/с² (ГОСТ25478-91)"},
{"Label15",  L, "Form1",  "Установившееся замедление для сухого покрытия м/с   (ГОСТ25478-91)\r\n",
                                                        1440, 2400, 3375,  375, kWindow, kWhite,   kDefault,   19, kLabel, {},
 "Установившееся замедление для сухого покрытия м/с² (ГОСТ25478-91)"},
{"Label2",   L, "Form1",  "Время реакции водителя (0,6 - 1,4 с шагом 0,2), с",
                                                        1080, 1080, 4095,  255, kWindow, kWhite,   kDefault,   15, kLabel, {}, ""},
{"Label3",   L, "Form1",  "Время запаздывания срабатывания тормозного привода, с",
                                                        1080, 1440, 4695,  255, kWindow, kWhite,   kDefault,   14, kLabel, {}, ""},
{"Label4",   L, "Form1",  "Время наростания замедления, с",
                                                        1080, 1800, 2775,  255, kWindow, kWhite,   kDefault,   13, kLabel, {}, ""},
{"Label6",   L, "Form1",  "Длина тормозного следа (юз),м",
                                                        1080, 2160, 2895,  255, kWindow, kWhite,   kDefault,   12, kLabel, {}, ""},
{"Label11",  L, "Form1",  "Label11",                    3840,  240,  855,  255, kBold,   kRed,     kDefault,    3, kLabel | kReadout, {}, "Путь на полосе анимации"},
{"Label10",  L, "Form1",  "Label10",                    3840,    0, 1095,  255, kBold,   kRed,     kDefault,    2, kLabel | kReadout, {}, "Скорость на полосе анимации"},
{"Image1",   Kind::Image, "Form1", "",                     0,    0, 8970,  930, kWindow, kDefault, kDefault,   -1, 0, Picture::Strip, "Полоса анимации торможения"},
};
// clang-format on

} // namespace

std::span<const Control> Form1Layout() {
    return kForm1Controls;
}
