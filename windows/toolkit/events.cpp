#include "toolkit/events.h"

namespace toolkit {

void OnClick(QPushButton* button, QObject* window, Handler handler) {
    QObject::connect(button, &QAbstractButton::clicked, window, [handler] { handler(); });
}

void OnClick(QCheckBox* box, QObject* window, Handler handler) {
    QObject::connect(box, &QAbstractButton::toggled, window, [handler] { handler(); });
}

void OnClick(OptionButton* option, QObject* window, Handler handler) {
    QObject::connect(option, &QAbstractButton::toggled, window, [handler](bool selected) {
        if (selected) handler();
    });
}

void OnClick(QListWidget* list, QObject* window, Handler handler) {
    QObject::connect(list, &QListWidget::currentRowChanged, window, [handler](int row) {
        if (row >= 0) handler();
    });
}

void OnClick(QComboBox* combo, QObject* window, Handler handler) {
    QObject::connect(combo, &QComboBox::activated, window, [handler] { handler(); });
}

void OnClick(Label* label, QObject* window, Handler handler) {
    QObject::connect(label, &Label::clicked, window, [handler] { handler(); });
}

void OnChange(QLineEdit* field, QObject* window, Handler handler) {
    QObject::connect(field, &QLineEdit::textChanged, window, [handler] { handler(); });
}

void OnTimer(Timer* timer, QObject* window, Handler handler) {
    QObject::connect(timer, &Timer::tick, window, [handler] { handler(); });
}

void WriteText(QLineEdit* field, const QString& text) {
    if (field->text() == text)
        emit field->textChanged(text); // setText would stay silent
    else
        field->setText(text);
}

} // namespace toolkit
