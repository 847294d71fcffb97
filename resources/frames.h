#pragma once

// The numbered frames of the animations, in one table: the generator paints them, the build
// embeds them (resources/CMakeLists.txt reads the numbers from here) and the windows show them.
namespace frames {

// Frames `first` to `last`, each named frame<number>.png.
struct Series {
    int first, last;
};

// The braking strip: the car stops in time (101 to 116, then the empty road 117), or runs into
// the car ahead from the eighth step on (208 to 216).
inline constexpr Series kStopping{101, 117};
inline constexpr Series kCollision{208, 216};
inline constexpr int kEmptyRoad = kStopping.last;
// The texts of the three alert windows, one frame per timer of the ring.
inline constexpr Series kAlertMissing{301, 312};
inline constexpr Series kAlertIncomplete{401, 412};
inline constexpr Series kAlertRange{501, 512};

inline constexpr Series kAll[] = {kStopping, kCollision, kAlertMissing, kAlertIncomplete,
                                  kAlertRange};

} // namespace frames
