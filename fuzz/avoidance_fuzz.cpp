// Eight lines: the car's speed, reaction time, brake-drive delay, rise time, deceleration, the
// pedestrian's path and speed and the permitted speed (empty for none), for the pedestrian;
// the obstacle takes the first five and the path as its distance, the impact speed the speed,
// rise time, deceleration and path as its skid, and the video speed lines 6, 7 and 8 as its
// frame count, frame rate and distance; the same video speed is timed again by a file's frame
// times at that rate.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "checks.h"
#include "core/avoidance.h"
#include "core/impact.h"
#include "core/range.h"
#include "core/video.h"

using namespace core;

namespace {

// A verdict: holds, fails or open, with a sentence; open only over ranges.
void RequireConclusion(const Conclusion& c, bool ranged) {
    fuzz::Require(c.verdict != Verdict::None, "a verdict without an answer", c.text);
    fuzz::Require(!c.text.empty(), "a verdict without its sentence");
    fuzz::Require(ranged || c.verdict != Verdict::Open, "an open verdict without a range", c.text);
}

bool Ranged(const std::vector<std::string>& texts) {
    for (const std::string& text : texts)
        if (text.find("..") != std::string::npos || text.find("…") != std::string::npos ||
            text.find("–") != std::string::npos)
            return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> l = fuzz::Lines(data, size, 8);
    const bool ranged = Ranged(l);

    auto pedestrian = fuzz::RunTwice([&] {
        const PedestrianResults r =
            ComputePedestrian({l[0], l[1], l[2], l[3], l[4], l[5], l[6], l[7]});
        RequireConclusion(r.avoidable, ranged);
        if (r.avoidableAtLimit) RequireConclusion(*r.avoidableAtLimit, ranged);
        fuzz::Require(r.avoidableAtLimit.has_value() == !l[7].empty(),
                      "a verdict at the limit without a limit, or none with one");
        return std::vector<std::string>{r.pedestrianTime,   r.distanceAtDanger,
                                        r.stoppingDistance, r.criticalSpeed,
                                        r.avoidable.text,   r.stoppingDistanceAtLimit};
    });
    if (pedestrian.value) {
        fuzz::RequireRangeText((*pedestrian.value)[0], 2);
        for (std::size_t i = 1; i < 4; ++i)
            fuzz::RequireRangeText((*pedestrian.value)[i], 1);
    }

    auto obstacle = fuzz::RunTwice([&] {
        const ObstacleResults r = ComputeObstacle({l[0], l[1], l[2], l[3], l[4], l[5]});
        RequireConclusion(r.avoidable, ranged);
        return std::vector<std::string>{r.stoppingDistance, r.safeSpeed, r.avoidable.text};
    });
    if (obstacle.value) {
        fuzz::RequireRangeText((*obstacle.value)[0], 1);
        fuzz::RequireRangeText((*obstacle.value)[1], 1);
    }

    auto impact = fuzz::RunTwice([&] {
        return ComputeImpact({l[0], l[3], l[4], l[5]}).impactSpeed;
    });
    if (impact.value) fuzz::RequireRangeText(*impact.value, 1);

    auto video = fuzz::RunTwice([&] {
        const VideoResults r = ComputeVideo({l[5], l[6], l[7]});
        return std::vector<std::string>{r.elapsed, r.speed, r.speedRange};
    });
    if (video.value) {
        fuzz::RequireRangeText((*video.value)[0], 3);
        fuzz::RequireRangeText((*video.value)[1], 1);
        fuzz::RequireRangeText((*video.value)[2], 1);
    }

    // A file whose frames come at the constant rate f, frame n at (n − 1)/f: frames 2 and N + 2
    // must give what N intervals at f give, wherever both compute (a file of a few thousand
    // frames at most).
    if (video.value && !Ranged({l[5], l[6]})) {
        const auto frames = fuzz::Run([&] { return ReadInput(l[5], 0, input::kFrames).units; });
        const auto rate = fuzz::Run([&] { return ReadRatio(l[6], 1, input::kFrameRate); });
        const std::int64_t n = frames.value ? *frames.value / Fixed4::kScale : 0;
        if (rate.value && n >= 2 && n <= 5000) {
            auto byTimes = fuzz::RunTwice([&] {
                VideoFileInputs in{"2", std::to_string(n + 2), l[7], {}, {}};
                for (std::int64_t i = 0; i < n + 3; ++i)
                    in.frameTimes.push_back(Exact::Whole(i) / *rate.value);
                const VideoFileResults r = ComputeVideoFile(in);
                return std::vector<std::string>{r.elapsed, r.speed, r.speedRange};
            });
            if (byTimes.value)
                fuzz::Require(*byTimes.value == *video.value,
                              "a file's frame times at a constant rate gave another speed",
                              (*byTimes.value)[1] + " / " + (*video.value)[1]);
        }
    }
    return 0;
}
