#pragma once

#include <QWidget>
#include <optional>

#include "core/record.h"

// The path diagram of the calculation shown (record/path_diagram.h), with its distances in words
// as its accessible description; empty and hidden while there is none.
class PathDiagramView : public QWidget {
    Q_OBJECT
public:
    explicit PathDiagramView(QWidget* parent = nullptr);

    void SetDiagram(const std::optional<core::PathDiagram>& diagram);
    const std::optional<core::PathDiagram>& Diagram() const { return diagram_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<core::PathDiagram> diagram_;
};
