#include "windows/video/frame_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace {

constexpr double kMaxZoom = 32;
constexpr double kZoomStep = 1.25;
// How near the guide, in view pixels, a press takes it rather than the frame.
constexpr double kGuideGrip = 6;

// The guide in the colour that stands out on a road by day and by night: a yellow line edged
// in black, one frame pixel wide at least.
void PaintGuide(QPainter& painter, double x, double top, double bottom, double width) {
    const double line = std::max(2.0, width);
    painter.setPen(QPen(Qt::black, line + 2, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(x, top), QPointF(x, bottom));
    painter.setPen(QPen(QColor(255, 220, 0), line, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(x, top), QPointF(x, bottom));
}

} // namespace

FrameView::FrameView(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(320, 180);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAutoFillBackground(false);
}

void FrameView::SetFrame(const QImage& frame) {
    const bool sameSize = frame.size() == frame_.size();
    frame_ = frame;
    if (!sameSize) { // another file: fitted, the guide in the middle
        zoom_ = 1;
        pan_ = {};
        guide_ = frame_.width() / 2 + 0.5;
    }
    update();
}

void FrameView::SetGuide(double x) {
    guide_ = frame_.isNull() ? x : std::clamp(x, 0.5, frame_.width() - 0.5);
    update();
}

void FrameView::MoveGuide(double x) {
    const double before = guide_;
    SetGuide(std::floor(x) + 0.5); // through the middle of a pixel column
    if (guide_ != before) emit guideMoved(guide_);
}

double FrameView::Scale() const {
    if (frame_.isNull()) return 1;
    const double fit =
        std::min(width() / double(frame_.width()), height() / double(frame_.height()));
    return fit * zoom_;
}

QPointF FrameView::Origin() const {
    const double s = Scale();
    return QPointF(width() / 2.0 - frame_.width() * s / 2,
                   height() / 2.0 - frame_.height() * s / 2) +
           pan_;
}

double FrameView::FrameX(double viewX) const {
    return (viewX - Origin().x()) / Scale();
}

double FrameView::ViewX(double frameX) const {
    return Origin().x() + frameX * Scale();
}

QImage FrameView::WithGuide(const QImage& frame, double guide) {
    QImage out = frame.convertToFormat(QImage::Format_RGB32);
    QPainter painter(&out);
    // As wide on a page as in the view: the record shows the frame at about a quarter of 1280.
    PaintGuide(painter, guide, 0, out.height(), std::max(1.0, out.width() / 320.0));
    return out;
}

void FrameView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(32, 32, 32));
    if (frame_.isNull()) return;
    const double s = Scale();
    const QRectF target(Origin(), QSizeF(frame_.width() * s, frame_.height() * s));
    // Pixels stay square blocks when zoomed in, so that an edge is read where it is.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, s < 1);
    painter.drawImage(target, frame_);
    PaintGuide(painter, ViewX(guide_), target.top(), target.bottom(), s);
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(1, 1, -1, -1));
    }
}

void FrameView::ZoomAbout(double factor, QPointF at) {
    if (frame_.isNull()) return;
    const double zoom = std::clamp(zoom_ * factor, 1.0, kMaxZoom);
    // The frame's point under `at` stays under it.
    const QPointF framePoint = (at - Origin()) / Scale();
    zoom_ = zoom;
    if (zoom_ == 1) {
        pan_ = {};
    } else {
        pan_ += at - (Origin() + framePoint * Scale());
    }
    update();
}

void FrameView::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0) ZoomAbout(std::pow(kZoomStep, steps), event->position());
    event->accept();
}

void FrameView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || frame_.isNull())
        return QWidget::mousePressEvent(event);
    setFocus(Qt::MouseFocusReason);
    drag_ =
        std::abs(event->position().x() - ViewX(guide_)) <= kGuideGrip ? Drag::Guide : Drag::Frame;
    dragFrom_ = event->position();
    setCursor(drag_ == Drag::Guide ? Qt::SizeHorCursor : Qt::ClosedHandCursor);
}

void FrameView::mouseMoveEvent(QMouseEvent* event) {
    if (drag_ == Drag::Guide) {
        SetGuide(std::floor(FrameX(event->position().x())) + 0.5);
    } else if (drag_ == Drag::Frame) {
        pan_ += event->position() - dragFrom_;
        dragFrom_ = event->position();
        update();
    } else if (!frame_.isNull()) {
        setCursor(std::abs(event->position().x() - ViewX(guide_)) <= kGuideGrip
                      ? Qt::SizeHorCursor
                      : Qt::OpenHandCursor);
    }
}

void FrameView::mouseReleaseEvent(QMouseEvent* event) {
    if (drag_ == Drag::Guide) emit guideMoved(guide_);
    drag_ = Drag::None;
    unsetCursor();
    QWidget::mouseReleaseEvent(event);
}

void FrameView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && !frame_.isNull())
        MoveGuide(FrameX(event->position().x()));
}

void FrameView::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    const double pan = 40;
    if (mods == Qt::NoModifier && (key == Qt::Key_Plus || key == Qt::Key_Equal)) {
        ZoomAbout(kZoomStep, rect().center());
    } else if (mods == Qt::NoModifier && key == Qt::Key_Minus) {
        ZoomAbout(1 / kZoomStep, rect().center());
    } else if (mods == Qt::NoModifier && key == Qt::Key_0) {
        ZoomAbout(1 / zoom_, rect().center());
    } else if ((mods & Qt::ShiftModifier) && (key == Qt::Key_Left || key == Qt::Key_Right)) {
        const double by = (mods & Qt::ControlModifier) ? 10 : 1;
        MoveGuide(guide_ + (key == Qt::Key_Left ? -by : by));
    } else if (mods == Qt::ControlModifier && key == Qt::Key_Left) {
        pan_.rx() += pan, update();
    } else if (mods == Qt::ControlModifier && key == Qt::Key_Right) {
        pan_.rx() -= pan, update();
    } else if (mods == Qt::ControlModifier && key == Qt::Key_Up) {
        pan_.ry() += pan, update();
    } else if (mods == Qt::ControlModifier && key == Qt::Key_Down) {
        pan_.ry() -= pan, update();
    } else {
        return QWidget::keyPressEvent(event); // stepping and the rest: the window's
    }
    event->accept();
}
