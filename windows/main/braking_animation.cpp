#include "windows/main/braking_animation.h"

#include <chrono>

#include "resources/frames.h"
#include "windows/toolkit/controls.h"
#include "windows/toolkit/pictures.h"

namespace {

constexpr int kFirstStep = 0, kFifthStep = 4, kSixthStep = 5;
constexpr int kBeat = 100; // ms, the pace of the first steps

constexpr int RunLength() {
    int total = 0;
    for (const BrakingAnimation::Step& step : BrakingAnimation::kSteps)
        total += step.delay;
    return total;
}

} // namespace

static_assert(std::size(BrakingAnimation::kSteps) == 16 && RunLength() == 2800,
              "the run takes 2,8 s in sixteen steps");
static_assert(BrakingAnimation::kSteps[0].stoppingFrame == frames::kStopping.first &&
                  BrakingAnimation::kSteps[15].stoppingFrame == frames::kStopping.last - 1 &&
                  BrakingAnimation::kSteps[7].collisionFrame == frames::kCollision.first &&
                  BrakingAnimation::kSteps[15].collisionFrame == frames::kCollision.last,
              "the steps show the frames of resources/frames.h");

BrakingAnimation::BrakingAnimation(toolkit::Image* strip, toolkit::Label* speedReadout,
                                   toolkit::Label* distanceReadout, QObject* parent)
    : QObject(parent), strip_(strip), speedReadout_(speedReadout),
      distanceReadout_(distanceReadout), stepTimer_(new toolkit::Timer(this)) {
    setObjectName(QStringLiteral("brakingAnimation"));
    stepTimer_->setObjectName(QStringLiteral("stepTimer"));
    connect(stepTimer_, &toolkit::Timer::tick, this, &BrakingAnimation::onTick);
}

bool BrakingAnimation::Running() const {
    return stepTimer_->isEnabled();
}

void BrakingAnimation::Start(Series series) {
    if (!Running() || next_ == kFirstStep || next_ == kFifthStep) {
        if (!Running()) next_ = kFirstStep;
        series_ = series;
        Arm(kSteps[next_].delay);
    } else if (next_ >= kSixthStep) {
        followFrom_ = toolkit::clock::Now();
        followSeries_ = series;
    }
}

void BrakingAnimation::Stop() {
    stepTimer_->setEnabled(false);
    next_ = kFirstStep;
    followFrom_.reset();
}

// Timed from the due time of the tick that calls it, so that the run keeps its pace however
// long the steps take; from now otherwise.
void BrakingAnimation::Arm(int delay) {
    stepTimer_->setEnabled(false);
    stepTimer_->setInterval(delay);
    stepTimer_->setEnabled(true);
}

void BrakingAnimation::onTick() {
    const auto due = stepTimer_->due() - std::chrono::milliseconds(stepTimer_->interval());
    const Step& step = kSteps[next_];
    speedReadout_->setText(QString::fromLatin1(step.speed));
    distanceReadout_->setText(QString::fromLatin1(step.distance));
    const int frame = series_ == Series::Collision ? step.collisionFrame : step.stoppingFrame;
    strip_->setPicture(QPixmap::fromImage(FrameImage(frame)));
    if (++next_ < std::size(kSteps)) {
        Arm(kSteps[next_].delay);
        return;
    }
    const std::optional<toolkit::clock::Clock::time_point> follow = followFrom_;
    Stop();
    emit finished();
    if (follow && !Running()) {
        using std::chrono::duration_cast, std::chrono::milliseconds;
        const auto sinceStart = duration_cast<milliseconds>(due - *follow).count();
        series_ = followSeries_;
        Arm(kBeat - static_cast<int>(sinceStart % kBeat));
    }
}

// The strip's frames are decoded on first use, all of them when the window asks (after its
// first paint) or a run is about to start: no 100 ms tick waits for a decoder. They are kept
// 8-bit indexed, as their files are; a step converts the one it shows.
const QImage& BrakingAnimation::FrameImage(int number) const {
    auto it = frames_.find(number);
    if (it == frames_.end()) it = frames_.emplace(number, toolkit::LoadBitmapIndexed(number)).first;
    return it->second;
}

void BrakingAnimation::LoadFrames() const {
    for (const frames::Series& series : {frames::kStopping, frames::kCollision})
        for (int n = series.first; n <= series.last; ++n)
            FrameImage(n);
}
