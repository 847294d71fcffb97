#pragma once

#include <QImage>
#include <QPointF>
#include <QWidget>

// A video frame the user can zoom into and move about, so that a lamp post or a road marking
// can be read, with the vertical guide line the car is judged against. The guide is kept in
// the frame's own pixels, so that it stands at the same place in every frame shown.
//
// Mouse: the wheel zooms about the pointer; dragging the guide moves it, dragging elsewhere
// moves the frame; a double click puts the guide there. Keys: + and − zoom, 0 fits the frame
// to the view; Ctrl with an arrow moves the frame; Shift+← and Shift+→ move the guide by one
// pixel of the frame, with Ctrl by ten. Other keys go on to the window.
class FrameView : public QWidget {
    Q_OBJECT
public:
    explicit FrameView(QWidget* parent = nullptr);

    void SetFrame(const QImage& frame); // an empty image shows nothing
    const QImage& Frame() const { return frame_; }

    // The guide's place across the frame, in its pixels from the left edge (the middle of the
    // pixel column it runs through: 0,5 is the first column).
    double Guide() const { return guide_; }
    void SetGuide(double x);
    // How much larger than fitted to the view the frame is shown: 1 fits it.
    double Zoom() const { return zoom_; }

    // The frame with the guide drawn through it, at the frame's own size.
    static QImage WithGuide(const QImage& frame, double guide);

    QSize sizeHint() const override { return {640, 360}; }

signals:
    // The user has put the guide at a new place (at the end of a drag, or after a key).
    void guideMoved(double x);

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    enum class Drag { None, Frame, Guide };

    // The frame's scale on the screen and where its top left corner is drawn.
    double Scale() const;
    QPointF Origin() const;
    double FrameX(double viewX) const; // a point of the view in the frame's pixels
    double ViewX(double frameX) const;
    void ZoomAbout(double factor, QPointF viewPoint);
    void MoveGuide(double x); // kept within the frame; tells when it moved

    QImage frame_;
    double guide_ = 0;
    double zoom_ = 1;
    QPointF pan_; // of the frame's centre from the view's, in view pixels
    Drag drag_ = Drag::None;
    QPointF dragFrom_;
};
