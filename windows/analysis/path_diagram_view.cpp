#include "windows/analysis/path_diagram_view.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>
#include <cmath>

#include "windows/record/path_diagram.h"

namespace {

// Screen readers take the diagram for a picture, which its description tells.
QAccessibleInterface* DiagramAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String("PathDiagramView") && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Graphic);
    return nullptr;
}

} // namespace

PathDiagramView::PathDiagramView(QWidget* parent) : QWidget(parent) {
    static const bool installed = [] {
        QAccessible::installFactory(DiagramAccessible);
        return true;
    }();
    Q_UNUSED(installed);
    setObjectName(QStringLiteral("diagram"));
    setAccessibleName(QStringLiteral("Схема пути автомобиля"));
    setFocusPolicy(Qt::TabFocus); // a screen reader's user reaches its description
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    hide();
}

void PathDiagramView::SetDiagram(const std::optional<core::PathDiagram>& diagram) {
    diagram_ = diagram;
    setAccessibleDescription(diagram ? record::PathDiagramDescription(*diagram) : QString());
    setVisible(diagram.has_value());
    updateGeometry();
    update();
}

QSize PathDiagramView::sizeHint() const {
    const int height = static_cast<int>(
        std::ceil(record::PathDiagramHeight(font(), const_cast<PathDiagramView*>(this))));
    return {fontMetrics().averageCharWidth() * 90, height};
}

QSize PathDiagramView::minimumSizeHint() const {
    return {fontMetrics().averageCharWidth() * 50, sizeHint().height()};
}

void PathDiagramView::paintEvent(QPaintEvent*) {
    if (!diagram_) return;
    QPainter painter(this);
    record::PaintPathDiagram(painter, QRectF(rect()), *diagram_, font());
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2, Qt::DotLine));
        painter.drawRect(rect().adjusted(1, 1, -2, -2));
    }
}
