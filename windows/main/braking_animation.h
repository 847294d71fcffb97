#pragma once

#include <QImage>
#include <QObject>
#include <QPixmap>
#include <map>
#include <optional>

#include "windows/toolkit/clock.h"
#include "windows/toolkit/controls_fwd.h"

// The braking animation of the main window: sixteen steps on one timer, each showing a frame of
// the strip and the two readouts above it, at the pace of a table (2,8 s from the start to the
// last step); then finished(), after which the window shows its results.
class BrakingAnimation : public QObject {
    Q_OBJECT
public:
    // The frames from the eighth step on: the car stops in time, or runs into the car ahead.
    enum class Series { Stopping, Collision };

    // One step: how long after the one before it (the first: after the start) it shows, the
    // frame it shows in either series, and the readouts' texts (speed, distance).
    struct Step {
        int delay; // ms
        int stoppingFrame, collisionFrame;
        const char* speed;
        const char* distance;
    };
    // The run: eight steps of 100 ms counting the readouts up, the stopping series' first seven
    // frames and then either series' eighth; then eight slower steps to the end of either series.
    static constexpr Step kSteps[] = {
        {100, 101, 101, "1", "1"},   {100, 102, 102, "2", "2"},   {100, 103, 103, "3", "3"},
        {100, 104, 104, "4", "4"},   {100, 105, 105, "5", "5"},   {100, 106, 106, "6", "6"},
        {100, 107, 107, "7", "7"},   {100, 108, 208, "8", "8"},   {200, 109, 209, "9", "9"},
        {200, 110, 210, "10", "10"}, {200, 111, 211, "15", "11"}, {200, 112, 212, "20", "15"},
        {200, 113, 213, "25", "19"}, {300, 114, 214, "30", "23"}, {300, 115, 215, "35", "27"},
        {400, 116, 216, "40", "31"},
    };

    // Shows on `strip` and the two readouts; the timer is a child of this object.
    BrakingAnimation(toolkit::Image* strip, toolkit::Label* speedReadout,
                     toolkit::Label* distanceReadout, QObject* parent);

    // A start while no run plays begins one. During a run it keeps the run's pace as the
    // window always did: the first and the fifth step, when next, wait their 100 ms afresh;
    // from the sixth step on, another run follows this one, its first step on the 100 ms beat
    // counted from this start.
    void Start(Series series);
    // Ends the run where it stands, without a word; the next start begins at the first step.
    void Stop();
    bool Running() const;

    // The strip's frames, decoded once: a step only swaps pictures and the run keeps its pace.
    void LoadFrames() const;

signals:
    // The last step is shown.
    void finished();

private:
    void onTick();
    void Arm(int delay);
    const QImage& FrameImage(int number) const; // decoded once, kept 8-bit indexed as the file

    toolkit::Image* strip_;
    toolkit::Label *speedReadout_, *distanceReadout_;
    toolkit::Timer* stepTimer_;
    std::size_t next_ = 0; // the step shown at the next tick
    Series series_ = Series::Stopping;
    // A run to follow this one: when it was asked for, and its series.
    std::optional<toolkit::clock::Clock::time_point> followFrom_;
    Series followSeries_ = Series::Stopping;
    mutable std::map<int, QImage> frames_;
};
