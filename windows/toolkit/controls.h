#pragma once

#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <vector>

#include "windows/toolkit/clock.h"

// The few control kinds Qt lacks as such: clickable labels, images that take their
// picture's size, lines, and interval timers.
namespace toolkit {

// A label that also reports a click (press and release inside it with the left button). A
// label made a link is announced to screen readers as one, with an action that clicks it, and
// is a tab stop like any control: it shows the focus and Space, Return and Enter click it.
class Label : public QLabel {
    Q_OBJECT
public:
    explicit Label(QWidget* parent = nullptr);
    void setLink(bool link);
    bool isLink() const { return link_; }
    // What a click does, for a screen reader's action.
    void activate() { emit clicked(); }
    // Whether the caption its rectangle cuts off is shown whole in a tooltip on hover. Measured
    // on hover, not at start: most captions are never hovered.
    void setWholeOnHover(bool whole) { wholeOnHover_ = whole; }
    // Whether the rectangle cuts the caption off, wrapped as the label wraps it.
    bool captionCut() const;

signals:
    void clicked();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool pressed_ = false;
    bool link_ = false;
    bool wholeOnHover_ = false;
};

// A picture, unstretched: the image takes the pixel size of whatever it shows.
class Image : public QLabel {
    Q_OBJECT
public:
    explicit Image(QWidget* parent = nullptr);
    void setPicture(const QPixmap& picture);
    QPixmap picture() const { return pixmap(); }
};

// A straight line between two points of its parent, one pixel wide unless told otherwise.
class Line : public QWidget {
    Q_OBJECT
public:
    explicit Line(QWidget* parent = nullptr);
    void setEnds(QPoint from, QPoint to);
    void setColor(QColor color);
    void setLineWidth(int pixels);
    QPoint from() const { return from_; }
    QPoint to() const { return to_; }
    QColor color() const { return color_; }
    int lineWidth() const { return width_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPoint from_, to_;
    QColor color_ = Qt::black;
    int width_ = 1;
};

// An option button of a group that the window's table states. Qt's own exclusivity works per
// parent widget and takes every button but the selected one out of the Tab chain; the windows
// need a group per container and every button a tab stop. So a button here is exclusive only
// through its OptionGroup, and clicking the selected button keeps it selected. Qt would then
// announce it as a check box; screen readers are told it is an option button.
class OptionButton : public QRadioButton {
    Q_OBJECT
public:
    explicit OptionButton(QWidget* parent = nullptr);

protected:
    void nextCheckState() override;
};

// Selecting one button of the group (by the user or from code) clears the others, before any
// handler of the selected button runs; the other groups of the window are never touched.
class OptionGroup : public QObject {
    Q_OBJECT
public:
    explicit OptionGroup(QObject* parent = nullptr);
    void add(OptionButton* button);
    const std::vector<OptionButton*>& buttons() const { return buttons_; }
    OptionButton* selected() const;

private:
    void onToggled(OptionButton* button, bool selected);
    std::vector<OptionButton*> buttons_;
};

// A push button that Return and Enter (the keypad's too) press as Space does, wherever it
// stands: the windows are no dialogs, so Qt's default-button rules would leave Return without
// effect.
class PushButton : public QPushButton {
    Q_OBJECT
public:
    explicit PushButton(const QString& caption = QString(), QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// A push button that shows only its picture, centred on the face inside a thin raised edge.
class PictureButton : public PushButton {
    Q_OBJECT
public:
    explicit PictureButton(QWidget* parent = nullptr);
    void setPicture(const QPixmap& picture);
    QPixmap picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture_;
};

// An interval timer with an enabled flag: it ticks first one interval after it is enabled
// and then once per interval while it stays enabled. Enabling it (even when it already is)
// starts the interval afresh; disabling it stops it. An interval of 0 never ticks.
//
// Ticks are kept on a schedule rather than restarted after the work: the n-th tick of a
// timer that stays enabled is due n intervals after it was enabled, and a timer enabled by a
// tick handler counts its interval from when that tick was due, not from when the handler
// ran. So a chain or ring of timers handing over to each other keeps its pace however long
// the handlers take, and a late tick does not delay the ones after it.
class Timer : public QObject {
    Q_OBJECT
public:
    using Clock = clock::Clock;

    explicit Timer(QObject* parent = nullptr);
    ~Timer() override;
    int interval() const { return interval_; }
    void setInterval(int milliseconds);
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled);
    // When the next tick is due; meaningful while enabled.
    Clock::time_point due() const { return due_; }

signals:
    void tick();

private:
    friend void clock::Advance(std::chrono::milliseconds);
    void restart(Clock::time_point from);
    void arm();
    void fire();
    QTimer timer_;
    int interval_ = 0;
    bool enabled_ = false;
    Clock::time_point due_;
};

} // namespace toolkit
