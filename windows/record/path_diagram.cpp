#include "windows/record/path_diagram.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QTextDocument>
#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <vector>

namespace record {
namespace {

// The four segments' fills, from the reaction to the braking: greys apart in lightness and a
// pattern each, so that they differ on a grey print too.
struct Fill {
    QColor colour;
    Qt::BrushStyle pattern; // drawn in black over the colour; NoBrush for none
};
constexpr std::array<Fill, 4> kFills = {{
    {QColor(235, 235, 235), Qt::NoBrush},
    {QColor(205, 205, 205), Qt::VerPattern},
    {QColor(160, 160, 160), Qt::NoBrush},
    {QColor(95, 95, 95), Qt::NoBrush},
}};
// The spread of an edge over ranges: white under a diagonal hatch.
constexpr Qt::BrushStyle kSpread = Qt::BDiagPattern;

// A pattern as coarse on paper as on the screen: Qt's patterns repeat every 8 device pixels,
// which a printer's 300 dpi would make a grey haze.
QBrush Pattern(Qt::BrushStyle style, qreal scale) {
    QBrush brush(Qt::black, style);
    brush.setTransform(QTransform::fromScale(scale, scale));
    return brush;
}

void FillBox(QPainter& painter, const QRectF& box, const Fill& fill, qreal scale) {
    painter.fillRect(box, fill.colour);
    if (fill.pattern != Qt::NoBrush) painter.fillRect(box, Pattern(fill.pattern, scale));
}

void SpreadBox(QPainter& painter, const QRectF& box, qreal scale) {
    painter.fillRect(box, Qt::white);
    painter.fillRect(box, Pattern(kSpread, scale));
}

// A round step for the scale's marks: 1, 2 or 5 times a power of ten, about `wanted` long.
double NiceStep(double wanted) {
    const double power = std::pow(10.0, std::floor(std::log10(wanted)));
    for (double k : {1.0, 2.0, 5.0})
        if (k * power >= wanted) return k * power;
    return 10 * power;
}

QString Words(const std::string& text) {
    return QString::fromStdString(text);
}

// "50", "2,5": a scale mark as the program writes numbers.
QString ScaleNumber(double value) {
    QString text = QString::number(value, 'f', value == std::floor(value) ? 0 : 1);
    return text.replace(u'.', u',');
}

// Where a label centred on x stands, kept inside the area.
QRectF LabelBox(const QPainter& painter, const QRectF& area, qreal x, qreal top,
                const QString& text) {
    const QFontMetricsF metrics(painter.font(), painter.device());
    const qreal width = metrics.horizontalAdvance(text);
    return {std::clamp(x - width / 2, area.left(), area.right() - width), top, width,
            metrics.height()};
}

// The measures the diagram is drawn to: a text line's height, the scale along the path, the two
// rows of labels over the bar, the bar, and the foot of the target's marks.
struct Geometry {
    qreal line, left, right;
    double far;
    qreal upperRow = 0, lowerRow = 0, barTop = 0, barBottom = 0, markBottom = 0;
    qreal X(double metres) const { return left + (right - left) * metres / far; }
};

Geometry GeometryOf(const QRectF& area, const core::PathDiagram& diagram, qreal line) {
    double far = std::max(diagram.target.high, 0.0);
    for (const core::PathMark& edge : diagram.edges)
        far = std::max(far, edge.high);
    Geometry g{line, area.left() + line * 0.8, area.right() - line * 0.8, far > 0 ? far * 1.04 : 1};
    g.upperRow = area.top() + line * 0.2;
    g.lowerRow = g.upperRow + line * 1.1;
    g.barTop = g.lowerRow + line * 1.4;
    g.barBottom = g.barTop + line * 1.6;
    g.markBottom = g.barBottom + line * 0.5;
    return g;
}

// Where a label `width` wide starts in a row that vertical lines at `lines` pass through: centred
// on `x` if that keeps `gap` clear of them, else beside a line, as near to that as the area
// allows; nothing if no place is clear.
std::optional<qreal> ClearLeft(qreal x, qreal width, qreal gap, const QRectF& area,
                               const std::vector<qreal>& lines) {
    const qreal low = area.left(), high = std::max(low, area.right() - width);
    const qreal centred = std::clamp(x - width / 2, low, high);
    std::vector<qreal> candidates{centred};
    for (qreal at : lines) {
        candidates.push_back(std::clamp(at + gap, low, high));
        candidates.push_back(std::clamp(at - gap - width, low, high));
    }
    std::optional<qreal> best;
    for (qreal left : candidates) {
        const bool clear = std::none_of(lines.begin(), lines.end(), [&](qreal at) {
            return at > left - gap && at < left + width + gap;
        });
        if (clear && (!best || std::abs(left - centred) < std::abs(*best - centred))) best = left;
    }
    return best;
}

QString StopLabel(const core::PathMark& stop) {
    return QStringLiteral("Остановка: %1 = %2 м").arg(Words(stop.symbol), Words(stop.text));
}

QString TargetLabel(const core::PathMark& target) {
    return QStringLiteral("%1: %2 = %3 м")
        .arg(Words(target.name), Words(target.symbol), Words(target.text));
}

PathDiagramLabels PlaceLabels(const QRectF& area, const core::PathDiagram& diagram,
                              const QFontMetricsF& metrics) {
    const Geometry g = GeometryOf(area, diagram, metrics.height());
    const core::PathMark& stop = diagram.edges.back();
    const core::PathMark& target = diagram.target;
    const qreal stopWidth = metrics.horizontalAdvance(StopLabel(stop));
    const qreal targetWidth = metrics.horizontalAdvance(TargetLabel(target));
    const qreal gap = g.line * 0.3;
    const qreal leaderX = g.X(stop.low);
    std::vector<qreal> markXs{g.X(target.low)};
    if (target.high > target.low) markXs.push_back(g.X(target.high));
    const qreal stopCentre = g.X((stop.low + stop.high) / 2);
    const qreal targetCentre = g.X((target.low + target.high) / 2);
    const auto inside = [&](qreal left, qreal width) {
        return std::clamp(left, area.left(), std::max(area.left(), area.right() - width));
    };
    // A label over the line that comes down from it: centred on its values, but reaching over
    // the line.
    const auto over = [&](qreal centre, qreal width, qreal at) {
        return inside(std::clamp(centre - width / 2, at - width + gap, at - gap), width);
    };
    PathDiagramLabels labels;
    const auto marksFrom = [&](qreal top) {
        for (qreal at : markXs)
            labels.marks.emplace_back(QPointF(at, top), QPointF(at, g.markBottom));
    };
    // The target next to the bar, beside the stop's leader that passes its row; else the stop
    // next to the bar, beside the target's marks that pass its row; else as the first, with the
    // leader broken round the target's label.
    if (const auto left = ClearLeft(targetCentre, targetWidth, gap, area, {leaderX})) {
        labels.target = QRectF(*left, g.lowerRow, targetWidth, g.line);
        labels.stop = QRectF(over(stopCentre, stopWidth, leaderX), g.upperRow, stopWidth, g.line);
        labels.leader.emplace_back(QPointF(leaderX, g.upperRow + g.line),
                                   QPointF(leaderX, g.barTop));
        marksFrom(g.lowerRow + g.line);
    } else if (const auto stopLeft = ClearLeft(stopCentre, stopWidth, gap, area, markXs)) {
        labels.stop = QRectF(*stopLeft, g.lowerRow, stopWidth, g.line);
        labels.target =
            QRectF(over(targetCentre, targetWidth, (markXs.front() + markXs.back()) / 2),
                   g.upperRow, targetWidth, g.line);
        labels.leader.emplace_back(QPointF(leaderX, g.lowerRow + g.line),
                                   QPointF(leaderX, g.barTop));
        marksFrom(g.upperRow + g.line);
    } else {
        labels.target = QRectF(inside(targetCentre - targetWidth / 2, targetWidth), g.lowerRow,
                               targetWidth, g.line);
        labels.stop = QRectF(over(stopCentre, stopWidth, leaderX), g.upperRow, stopWidth, g.line);
        labels.leader.emplace_back(QPointF(leaderX, g.upperRow + g.line),
                                   QPointF(leaderX, g.lowerRow));
        labels.leader.emplace_back(QPointF(leaderX, g.lowerRow + g.line),
                                   QPointF(leaderX, g.barTop));
        marksFrom(g.lowerRow + g.line);
    }
    return labels;
}

void LabelAt(QPainter& painter, const QRectF& area, qreal x, qreal top, const QString& text) {
    const QRectF box = LabelBox(painter, area, x, top, text);
    painter.drawText(
        QPointF(box.left(), top + QFontMetricsF(painter.font(), painter.device()).ascent()), text);
}

} // namespace

qreal PathDiagramHeight(const QFont& font, QPaintDevice* device) {
    return QFontMetricsF(font, device).height() * 11.5;
}

void PaintPathDiagram(QPainter& painter, const QRectF& area, const core::PathDiagram& diagram,
                      const QFont& font) {
    painter.save();
    painter.setFont(font);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QFontMetricsF metrics(font, painter.device());
    const qreal line = metrics.height();
    const qreal thin = std::max<qreal>(1, line / 14);
    const qreal scale = std::max<qreal>(1, line / 16); // of the patterns
    painter.fillRect(area, Qt::white);

    const Geometry g = GeometryOf(area, diagram, line);
    const auto x = [&](double metres) { return g.X(metres); };
    const double far = g.far;
    const qreal barTop = g.barTop, barBottom = g.barBottom;
    const core::PathMark& stop = diagram.edges.back();
    const core::PathMark& target = diagram.target;

    // The segments up to each edge's least value, then each edge's spread over it.
    double from = 0;
    for (std::size_t i = 0; i < diagram.edges.size(); ++i) {
        const core::PathMark& edge = diagram.edges[i];
        if (edge.low > from)
            FillBox(painter, QRectF(QPointF(x(from), barTop), QPointF(x(edge.low), barBottom)),
                    kFills[std::min(i, kFills.size() - 1)], scale);
        from = std::max(from, edge.low);
    }
    for (const core::PathMark& edge : diagram.edges)
        if (edge.high > edge.low)
            SpreadBox(painter,
                      QRectF(QPointF(x(edge.low), barTop + line * 0.4),
                             QPointF(x(edge.high), barBottom - line * 0.4)),
                      scale);
    painter.setPen(QPen(Qt::black, thin));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(QPointF(x(0), barTop), QPointF(x(stop.high), barBottom)));
    for (const core::PathMark& edge : diagram.edges) {
        painter.drawLine(QPointF(x(edge.low), barTop), QPointF(x(edge.low), barBottom));
        if (edge.high > edge.low)
            painter.drawLine(QPointF(x(edge.high), barTop), QPointF(x(edge.high), barBottom));
    }
    // The labels of the stop and the target, the stop's leader, and the target as a heavy dashed
    // line through the bar, its spread hatched in a strip below it.
    const PathDiagramLabels labels = PlaceLabels(area, diagram, metrics);
    for (const QLineF& leader : labels.leader)
        painter.drawLine(leader);
    if (target.high > target.low) {
        const QRectF strip(QPointF(x(target.low), barBottom),
                           QPointF(x(target.high), g.markBottom));
        SpreadBox(painter, strip, scale);
        painter.setPen(QPen(Qt::black, thin));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(strip);
    }
    painter.setPen(QPen(Qt::black, thin * 3, Qt::DashLine, Qt::FlatCap));
    for (const QLineF& mark : labels.marks)
        painter.drawLine(mark);
    painter.setPen(Qt::black);
    for (const auto& [box, text] :
         {std::pair{labels.stop, StopLabel(stop)}, std::pair{labels.target, TargetLabel(target)}})
        painter.drawText(QPointF(box.left(), box.top() + metrics.ascent()), text);

    // The car at the moment of danger: a black arrow at 0, pointing along its path.
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    const qreal mid = (barTop + barBottom) / 2, arrow = line * 0.7;
    QPainterPath car;
    car.moveTo(x(0) - arrow * 0.9, mid - arrow / 2);
    car.lineTo(x(0), mid);
    car.lineTo(x(0) - arrow * 0.9, mid + arrow / 2);
    car.closeSubpath();
    painter.drawPath(car);

    // The scale, in metres.
    const qreal axis = barBottom + line * 0.8;
    painter.setPen(QPen(Qt::black, thin));
    painter.drawLine(QPointF(x(0), axis), QPointF(x(far), axis));
    const double step = NiceStep(far / 8);
    for (double at = 0; at <= far; at += step) {
        painter.drawLine(QPointF(x(at), axis), QPointF(x(at), axis + line * 0.3));
        LabelAt(painter, area, x(at), axis + line * 0.35,
                ScaleNumber(at) + (at == 0 ? QStringLiteral(" м") : QString()));
    }

    // The legend: each segment with its fill and where it ends, the hatch, the car.
    const qreal legendTop = axis + line * 1.8, swatch = line * 0.8;
    const qreal column = (area.width() - line) / 2;
    for (std::size_t i = 0; i < diagram.edges.size(); ++i) {
        const core::PathMark& edge = diagram.edges[i];
        const qreal cx = area.left() + line * 0.5 + (i % 2) * column;
        const qreal cy = legendTop + (i / 2) * line * 1.25;
        FillBox(painter, QRectF(cx, cy + (line - swatch) / 2, swatch * 1.6, swatch),
                kFills[std::min(i, kFills.size() - 1)], scale);
        painter.setPen(QPen(Qt::black, thin));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(cx, cy + (line - swatch) / 2, swatch * 1.6, swatch));
        const QString text = QStringLiteral("%1 — до %2 м").arg(Words(edge.name), Words(edge.text));
        painter.drawText(QRectF(cx + swatch * 2, cy, column - swatch * 2.2, line),
                         Qt::AlignLeft | Qt::AlignVCenter,
                         metrics.elidedText(text, Qt::ElideMiddle, column - swatch * 2.2));
    }
    const qreal lastRow = legendTop + 2 * line * 1.25;
    SpreadBox(painter,
              QRectF(area.left() + line * 0.5, lastRow + (line - swatch) / 2, swatch * 1.6, swatch),
              scale);
    painter.setPen(QPen(Qt::black, thin));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(
        QRectF(area.left() + line * 0.5, lastRow + (line - swatch) / 2, swatch * 1.6, swatch));
    painter.drawText(QRectF(area.left() + line * 0.5 + swatch * 2, lastRow, column, line),
                     Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("пределы значений"));
    painter.drawText(QRectF(area.left() + line * 0.5 + column, lastRow, column, line),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("▶ 0 — автомобиль в момент возникновения опасности"));
    painter.restore();
}

PathDiagramLabels PlacePathDiagramLabels(const QRectF& area, const core::PathDiagram& diagram,
                                         const QFont& font, QPaintDevice* device) {
    return PlaceLabels(area, diagram, QFontMetricsF(font, device));
}

QImage PathDiagramImage(const core::PathDiagram& diagram, int width) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(std::max(10, width / 52));
    QImage image(width, 1, QImage::Format_RGB32);
    const int height = static_cast<int>(std::ceil(PathDiagramHeight(font, &image)));
    image = QImage(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintPathDiagram(painter, QRectF(0, 0, width, height), diagram, font);
    return image;
}

QString PathDiagramDescription(const core::PathDiagram& diagram) {
    return QString::fromStdString(core::PathDiagramText(diagram));
}

PathDiagramObject::PathDiagramObject(core::PathDiagram diagram, const QFont& font, QObject* parent)
    : QObject(parent), diagram_(std::move(diagram)), font_(font) {}

QSizeF PathDiagramObject::intrinsicSize(QTextDocument* document, int, const QTextFormat&) {
    return {document->pageSize().width() - 2 * document->documentMargin(),
            PathDiagramHeight(font_, document->documentLayout()->paintDevice())};
}

void PathDiagramObject::drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int,
                                   const QTextFormat&) {
    PaintPathDiagram(*painter, rect, diagram_, font_);
}

} // namespace record
