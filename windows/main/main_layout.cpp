#include "windows/main/main_layout.h"

using namespace toolkit;
using namespace toolkit::table;

namespace {

constexpr FontDecl kMainLinkFont{Face::Sans, 8.25, true, true};
constexpr FontDecl kNotice{Face::Serif, 6.75};
constexpr FontDecl kExponent{Face::Serif, 6};

constexpr unsigned kMainLinkFlags = kTransparent | kCentred | kHandCursor;

// Tab goes top to bottom and left to right: the inputs and their choices, the mode and the three
// links to the other calculations, Старт, the results, then the other buttons and the footer.
// The comment at the end of a row is the control's id in the window's design. The check box
// keeps its designed caption, which lies beyond its width: its focus frame is drawn around it.
// clang-format off
const Control kMainControls[] = {
// name                 kind  in        caption                   left  top   width height font     text    back        tab flags picture              accessible name
{"skidKnown",  Kind::CheckBox, "mainWindow", "Check1",       6480, 1560,  200,  255, kWindow, kDefault, kDarkGreen,  8, 0, {}, "Извесна длина тормозного следа, юза"},  // Check1
{"speedMsResult",          T, "mainWindow", "",             3840, 3600,  855,  285, kBold,   kWhite,   kDarkGreen, 14, kResult, {}, "Скорость, м/с"},  // Text9
{"brakingTimeResult",      T, "mainWindow", "",              240, 4560,  855,  285, kBold,   kWhite,   kDarkGreen, 16, kResult, {}, "Время полного тормажения,с"},  // Text8
{"speedOrSkidResult",      T, "mainWindow", "",              240, 3600,  855,  285, kBold,   kWhite,   kDarkGreen, 13, kResult, {}, "Скорость, км/час"},  // Text4
{"stoppingDistanceResult", T, "mainWindow", "",              240, 4080,  855,  285, kBold,   kWhite,   kDarkGreen, 15, kResult, {},
 "Путь автомобиля с момента начала реагирование водителем на опасность до остановки (остановочный путь),м"},  // Text6
{"dryRoad",                O, "mainWindow", "",             1080, 2520,  200,  200, kWindow, kDefault, kDarkGreen,  5, 0, {},
 "Установившееся замедление для сухого покрытия м/с² (ГОСТ25478-91)"},  // Option2
{"standardButton",         B, "mainWindow", "",             7560, 4080, 1095,  375, kBold,   kDefault, kDefault,   18, 0, Picture::Gost, "ГОСТ"},  // Command5
{"helpButton",             B, "mainWindow", "",             7560, 3600, 1095,  375, kBold,   kDefault, kDefault,   17, 0, Picture::Help, "Помощь"},  // Command4
{"wetRoad",                O, "mainWindow", "",             1080, 2880,  200,  200, kWindow, kDefault, kDarkGreen,  7, 0, {},
 "Установившееся замедление для Для мокрого покрытия м/с² (ГОСТ25478-91)"},  // Option1
{"deceleration",           T, "mainWindow", "",              120, 2640,  855,  285, kWindow, kDefault, kDefault,    6, 0, {}, "Установившееся замедление, м/с²"},  // Text5
{"exitButton",             B, "mainWindow", "",             7560, 4560, 1095,  375, kBold,   kDefault, kDefault,   19, 0, Picture::Exit, "Выход"},  // Command3
{"startButton",            B, "mainWindow", "",             6360, 3600, 1095,  375, kBold,   kDefault, kDefault,   12, 0, Picture::Start, "Старт"},  // Command1
{"reactionTime",           T, "mainWindow", "0,8",           120, 1080,  855,  285, kWindow, kDefault, kDefault,    1, 0, {}, "Время реакции водителя (0,6 - 1,4 с шагом 0,2), с"},  // Text1
{"brakeDelay",             T, "mainWindow", "0,2",           120, 1440,  855,  285, kWindow, kDefault, kDefault,    2, 0, {}, "Время запаздывания срабатывания тормозного привода, с"},  // Text2
{"riseTime",               T, "mainWindow", "0,3",           120, 1800,  855,  285, kWindow, kDefault, kDefault,    3, 0, {}, "Время наростания замедления, с"},  // Text3
{"skidOrSpeed",            T, "mainWindow", "",              120, 2160,  855,  285, kWindow, kDefault, kDefault,    4, 0, {}, "Длина тормозного следа (юз),м"},  // Text7
{"footer",                 F, "mainWindow", "",              120, 5080, 8775,  375, kWindow, kDefault, kWorkspace,  4, 0, {}, "Сведения о программе"},  // Frame6
{"webAddress",             L, "footer",     "www.example.org",   120,    0, 2415,  255, kBold,   kWhite,   kDefault,   20, kLabel | kHandCursor, {}, "Страница программы в интернете"},  // Label14
{"mailAddress",            L, "footer",     "info@example.org", 7080,    0, 1695,  255, kBold,   kWhite,   kDefault,   21, kLabel | kHandCursor, {}, "Написать письмо"},  // Label13
{"notice",                 L, "footer",     "Результаты расчёта носят справочный характер",
                                                            3120,  120, 2895,  255, kNotice, kWhite,   kDefault,    5, kLabel, {}, ""},  // Label12
{"wetRoadSquare",          L, "mainWindow", "2",            3200, 3060,  255,  255, kExponent, kWhite, kDefault,   45, kLabel, {}, "Квадрат"},  // Label24
{"dryRoadSquare",          L, "mainWindow", "2",            2520, 2560,  135,  255, kExponent, kWhite, kDefault,   44, kLabel, {}, "Квадрат"},  // Label23
{"dashcamLink",            L, "mainWindow", "Определить скорость и время по данныи видеорегистратора",
                                                            4800, 2760, 4095,  495, kMainLinkFont, kBlue,    kDefault,   10, kMainLinkFlags, {}, ""},  // Label22
{"analysisLink",           L, "mainWindow", "Оценить техническую возможность предотвратить наезд",
                                                            3900, 3255, 5070,  225, kMainLinkFont, kBlue,    kDefault,   11, kMainLinkFlags, {}, ""},
{"loadingLink",            L, "mainWindow", "Определить тормозной путь в зависимости от загрузки автомобиля",
                                                            4800, 2280, 4095,  495, kMainLinkFont, kBlue,    kDefault,    9, kMainLinkFlags, {}, ""},  // Label21
{"speedSign",  Kind::Image, "mainWindow", "",               8520,    0,  375,  390, kWindow, kDefault, kDefault,   -1, 0, Picture::SpeedSign, "Знак ограничения скорости 60"},  // Image2
{"modeFrameRight",         N, "mainWindow", "",             8760, 1200, 8760, 2160, kWindow, kRed,     kDefault,   -1, 0, {}, "Рамка выбора режима"},  // Line8
{"modeFrameBottom",        N, "mainWindow", "",             6360, 2160, 8760, 2160, kWindow, kRed,     kDefault,   -1, 0, {}, "Рамка выбора режима"},  // Line7
{"modeFrameLeft",          N, "mainWindow", "",             6360, 1200, 6360, 2160, kWindow, kRed,     kDefault,   -1, 0, {}, "Рамка выбора режима"},  // Line6
{"modeFrameTop",           N, "mainWindow", "",             6360, 1200, 8760, 1200, kWindow, kRed,     kDefault,   -1, 0, {}, "Рамка выбора режима"},  // Line5
{"speedKnownCaption",      L, "mainWindow", "Извесна скорость автомобиля",
                                                            6840, 1680, 1815,  375, kWindow, kWhite,   kDefault,   35, kLabel, {}, ""},  // Label18
{"skidKnownCaption",       L, "mainWindow", "Извесна длина тормозного следа, юза",
                                                            6840, 1320, 1815,  375, kWindow, kWhite,   kDefault,   34, kLabel, {}, ""},  // Label17
{"resultsFrameRight",      N, "mainWindow", "",             6120, 4920, 6120, 3480, kWindow, kRed,     kDefault,   -1, 0, {}, "Рамка результатов"},  // Line4
{"resultsFrameBottom",     N, "mainWindow", "",              120, 4920, 6120, 4920, kWindow, kRed,     kDefault,   -1, 0, {}, "Рамка результатов"},  // Line3
{"resultsFrameLeft",       N, "mainWindow", "",              120, 4920,  120, 3480, kWindow, kRed,     kDefault,   -1, 0, {}, "Рамка результатов"},  // Line2
{"resultsFrameTop",        N, "mainWindow", "",              120, 3480, 6120, 3480, kWindow, kRed,     kDefault,   -1, 0, {}, "Рамка результатов"},  // Line1
{"speedMsCaption",         L, "mainWindow", "Скорость, м/с",              4800, 3600, 1215,  255, kWindow, kWhite,   kDefault,   33, kLabel, {}, ""},  // Label9
{"brakingTimeCaption",     L, "mainWindow", "Время полного тормажения,с", 1200, 4560, 2655,  255, kWindow, kWhite,   kDefault,   31, kLabel, {}, ""},  // Label8
{"stoppingDistanceCaption", L, "mainWindow", "Путь автомобиля с момента начала реагирование водителем на опасность до остановки (остановочный путь),м",
                                                            1200, 4080, 4815,  375, kWindow, kWhite,   kDefault,   30, kLabel, {}, ""},  // Label7
{"speedOrSkidCaption",     L, "mainWindow", "Скорость, км/час",           1200, 3600, 2655,  255, kWindow, kWhite,   kDefault,   29, kLabel, {}, ""},  // Label5
{"wetRoadCaption",         L, "mainWindow", "Установившееся замедление для Для мокрого покрытия м/с   (ГОСТ25478-91)",
                                                            1440, 2880, 3375,  375, kWindow, kWhite,   kDefault,   20, kLabel, {},
 "Установившееся замедление для Для мокрого покрытия м/с² (ГОСТ25478-91)"},  // Label16
{"dryRoadCaption",         L, "mainWindow", "Установившееся замедление для сухого покрытия м/с   (ГОСТ25478-91)\r\n",
                                                            1440, 2400, 3375,  375, kWindow, kWhite,   kDefault,   19, kLabel, {},
 "Установившееся замедление для сухого покрытия м/с² (ГОСТ25478-91)"},  // Label15
{"reactionTimeCaption",    L, "mainWindow", "Время реакции водителя (0,6 - 1,4 с шагом 0,2), с",
                                                            1080, 1080, 4095,  255, kWindow, kWhite,   kDefault,   15, kLabel, {}, ""},  // Label2
{"brakeDelayCaption",      L, "mainWindow", "Время запаздывания срабатывания тормозного привода, с",
                                                            1080, 1440, 4695,  255, kWindow, kWhite,   kDefault,   14, kLabel, {}, ""},  // Label3
{"riseTimeCaption",        L, "mainWindow", "Время наростания замедления, с",
                                                            1080, 1800, 2775,  255, kWindow, kWhite,   kDefault,   13, kLabel, {}, ""},  // Label4
{"skidOrSpeedCaption",     L, "mainWindow", "Длина тормозного следа (юз),м",
                                                            1080, 2160, 2895,  255, kWindow, kWhite,   kDefault,   12, kLabel, {}, ""},  // Label6
{"stripDistanceReadout",   L, "mainWindow", "",             3840,  240,  855,  255, kBold,   kRed,     kDefault,    3, kLabel | kReadout, {}, "Путь на полосе анимации"},  // Label11
{"stripSpeedReadout",      L, "mainWindow", "",             3840,    0, 1095,  255, kBold,   kRed,     kDefault,    2, kLabel | kReadout, {}, "Скорость на полосе анимации"},  // Label10
{"strip",      Kind::Image, "mainWindow", "",                  0,    0, 8970,  930, kWindow, kDefault, kDefault,   -1, 0, Picture::Strip, "Полоса анимации торможения"},  // Image1
};
// clang-format on

} // namespace

std::span<const Control> MainLayout() {
    return kMainControls;
}
