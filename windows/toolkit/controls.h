#pragma once

#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

// The few control kinds Qt lacks as such: clickable labels, images that take their
// picture's size, lines, and interval timers.
namespace toolkit {

// A label that also reports a click (press and release inside it with the left button).
class Label : public QLabel {
    Q_OBJECT
public:
    explicit Label(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
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

// A push button that shows only its picture, centred on the face inside a thin raised edge.
class PictureButton : public QPushButton {
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
class Timer : public QObject {
    Q_OBJECT
public:
    explicit Timer(QObject* parent = nullptr);
    int interval() const { return interval_; }
    void setInterval(int milliseconds);
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled);

signals:
    void tick();

private:
    void restart();
    QTimer timer_;
    int interval_ = 0;
    bool enabled_ = false;
};

} // namespace toolkit
