#include "main/form1.h"

Form1::Form1(QWidget* parent) : QWidget(parent) {
    setObjectName("Form1");
    setWindowTitle(QStringLiteral("Кварнет "));
    setFixedSize(600, 364);
}
