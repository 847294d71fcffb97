#include "windows/toolkit/events.h"

#include <QSignalBlocker>

namespace toolkit {

namespace {
int handlerDepth = 0; // handlers nest: a write from one runs another at once

// Runs a window's handler, counting it as running meanwhile.
void Run(const Handler& handler) {
    ++handlerDepth;
    struct Leave {
        ~Leave() { --handlerDepth; }
    } leave;
    handler();
}
} // namespace

bool HandlerRunning() {
    return handlerDepth > 0;
}

void OnClick(QPushButton* button, QObject* window, Handler handler) {
    QObject::connect(button, &QAbstractButton::clicked, window, [handler] { Run(handler); });
}

void OnClick(QCheckBox* box, QObject* window, Handler handler) {
    QObject::connect(box, &QAbstractButton::toggled, window, [handler] { Run(handler); });
}

void OnClick(OptionButton* option, QObject* window, Handler handler) {
    QObject::connect(option, &QAbstractButton::toggled, window, [handler](bool selected) {
        if (selected) Run(handler);
    });
}

void OnClick(QListWidget* list, QObject* window, Handler handler) {
    QObject::connect(list, &QListWidget::currentRowChanged, window, [handler](int row) {
        if (row >= 0) Run(handler);
    });
}

void OnClick(QComboBox* combo, QObject* window, Handler handler) {
    QObject::connect(combo, &QComboBox::activated, window, [handler] { Run(handler); });
}

void OnClick(Label* label, QObject* window, Handler handler) {
    QObject::connect(label, &Label::clicked, window, [handler] { Run(handler); });
}

void OnChange(QLineEdit* field, QObject* window, Handler handler) {
    QObject::connect(field, &QLineEdit::textChanged, window, [handler] { Run(handler); });
}

void OnReturn(QLineEdit* field, QObject* window, Handler handler) {
    QObject::connect(field, &QLineEdit::returnPressed, window, [handler] { Run(handler); });
}

void OnTimer(Timer* timer, QObject* window, Handler handler) {
    QObject::connect(timer, &Timer::tick, window, [handler] { Run(handler); });
}

void WriteText(QLineEdit* field, const QString& text) {
    if (field->text() == text) {
        // setText with the same text stays silent: empty the field unseen first, so that the
        // field itself reports the change.
        const QSignalBlocker quiet(field);
        field->clear();
    }
    field->setText(text);
}

} // namespace toolkit
