#pragma once

#include <QWidget>

// The main window: the stopping-distance calculator.
class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(QWidget* parent = nullptr);
};
