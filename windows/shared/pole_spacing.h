#pragma once

// The spacings of lighting poles an expert most often measures between, offered beside the
// distance by the windows that time a car over it: the dashcam window and the frame viewer.
namespace shared {

inline constexpr char kPoleSpacingNote[] =
    "Расстояние между опорами освещения: 31, 33, 35, 36, 39,   45, 65, м";

} // namespace shared
