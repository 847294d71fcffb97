#pragma once

#include <QFont>
#include <QImage>
#include <QLineF>
#include <QObject>
#include <QRectF>
#include <QString>
#include <QTextObjectInterface>
#include <vector>

#include "core/record.h"

class QPainter;
class QPaintDevice;

// The path diagram of a braking record, drawn by the program: the car's path to scale from
// where it was when the danger arose, the reaction, delay and rise segments and the braking to
// the stop at Sо, and the impact point Sa (or the obstacle Sв); over ranges each edge's spread
// is hatched. In greys and hatches with black text, so that it reads in print and in grey
// scale. The window, the HTML (as a PNG) and the PDF (as vectors) draw it with this one code.
namespace record {

// The height the diagram takes with `font`'s labels, as measured on `device`.
qreal PathDiagramHeight(const QFont& font, QPaintDevice* device);

// Where the labels of the stop and the target stand over the bar, and the lines that run down
// from them to it: the stop's leader, and the target's marks at its least and greatest value.
// Staggered in two rows and moved aside so that no label covers another or a line.
struct PathDiagramLabels {
    QRectF stop, target;
    std::vector<QLineF> leader; // the stop's
    std::vector<QLineF> marks;  // the target's
};
PathDiagramLabels PlacePathDiagramLabels(const QRectF& area, const core::PathDiagram& diagram,
                                         const QFont& font, QPaintDevice* device);

// Draws the diagram into `area` (its width; PathDiagramHeight's height).
void PaintPathDiagram(QPainter& painter, const QRectF& area, const core::PathDiagram& diagram,
                      const QFont& font);

// The diagram as a picture `width` pixels wide, for the HTML.
QImage PathDiagramImage(const core::PathDiagram& diagram, int width);

// The diagram in words (core::PathDiagramText): its accessible description and its alt text.
QString PathDiagramDescription(const core::PathDiagram& diagram);

// Draws the images of a QTextDocument as the diagram, in vectors, the width of the text: the
// record's HTML has the diagram as its one image, and the PDF, laid out from the same HTML,
// draws it so (registered for QTextFormat::ImageObject on the document's layout).
class PathDiagramObject : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    PathDiagramObject(core::PathDiagram diagram, const QFont& font, QObject* parent = nullptr);
    QSizeF intrinsicSize(QTextDocument* document, int position, const QTextFormat& format) override;
    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document, int position,
                    const QTextFormat& format) override;

private:
    core::PathDiagram diagram_;
    QFont font_;
};

} // namespace record
