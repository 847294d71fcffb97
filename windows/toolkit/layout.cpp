#include "windows/toolkit/layout.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <limits>
#include <vector>

#include "windows/toolkit/controls.h"

namespace toolkit {

namespace {

QRect PixelRect(const Control& c) {
    return {TwipsToPixels(c.left), TwipsToPixels(c.top), TwipsToPixels(c.width),
            TwipsToPixels(c.height)};
}

void SetColour(QWidget* widget, QPalette::ColorRole role, Colour colour) {
    if (colour == kDefault) return;
    QPalette palette = widget->palette();
    palette.setColor(role, QColor::fromRgb(colour));
    widget->setPalette(palette);
}

// Check boxes, option buttons and frames paint their background colour over their rectangle.
void SetBackground(QWidget* widget, Colour colour) {
    if (colour == kDefault) return;
    SetColour(widget, QPalette::Window, colour);
    widget->setAutoFillBackground(true);
}

QWidget* MakeWidget(const Control& c, QWidget* parent) {
    const QString caption = QString::fromUtf8(c.caption);
    switch (c.kind) {
    case Kind::Label: {
        auto* label = new Label(parent);
        label->setLink(c.flags & kHandCursor); // before anything asks how to announce it
        label->setText(caption);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignTop |
                            ((c.flags & kCentred) ? Qt::AlignHCenter : Qt::AlignLeft));
        SetColour(label, QPalette::WindowText, c.text);
        if (!(c.flags & kTransparent)) label->setAutoFillBackground(true);
        SetBackground(label, c.back);
        return label;
    }
    case Kind::TextBox: {
        auto* edit = new QLineEdit(caption, parent);
        // Never cut what the user types or pastes; the calculation reads it whole.
        edit->setMaxLength(std::numeric_limits<int>::max());
        if (c.flags & kCentred) edit->setAlignment(Qt::AlignCenter);
        edit->setReadOnly(c.flags & kReadOnly);
        SetColour(edit, QPalette::Text, c.text);
        SetColour(edit, QPalette::Base, c.back);
        return edit;
    }
    case Kind::CheckBox: {
        auto* box = new QCheckBox(caption, parent);
        SetColour(box, QPalette::WindowText, c.text);
        SetBackground(box, c.back);
        return box;
    }
    case Kind::OptionButton: {
        auto* option = new OptionButton(parent);
        option->setText(caption);
        SetColour(option, QPalette::WindowText, c.text);
        SetBackground(option, c.back);
        return option;
    }
    case Kind::CommandButton: {
        if (c.picture) {
            auto* button = new PictureButton(parent);
            button->setPicture(LoadPicture(*c.picture));
            return button;
        }
        return new PushButton(caption, parent);
    }
    case Kind::Frame: {
        auto* frame = new QGroupBox(caption, parent);
        SetColour(frame, QPalette::WindowText, c.text);
        SetBackground(frame, c.back);
        return frame;
    }
    case Kind::Image:
        return new Image(parent);
    case Kind::Line: {
        auto* line = new Line(parent);
        line->setColor(c.text == kDefault ? QColor(Qt::black) : QColor::fromRgb(c.text));
        line->setLineWidth(c.lineWidth);
        return line;
    }
    case Kind::ListBox: {
        auto* list = new QListWidget(parent);
        SetColour(list, QPalette::Base, c.back);
        for (const char* item : c.items)
            list->addItem(QString::fromUtf8(item));
        return list;
    }
    case Kind::ComboBox: {
        auto* combo = new QComboBox(parent);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setCompleter(nullptr); // typing never turns "0" into a listed "0,8"
        combo->lineEdit()->setMaxLength(std::numeric_limits<int>::max());
        SetColour(combo, QPalette::Base, c.back);
        for (const char* item : c.items)
            combo->addItem(QString::fromUtf8(item));
        combo->setCurrentIndex(-1);
        combo->setEditText(caption);
        return combo;
    }
    case Kind::Timer:
        break;
    }
    return nullptr;
}

bool TakesFocus(const Control& c) {
    switch (c.kind) {
    case Kind::Label:
        return c.flags & kHandCursor; // a link
    case Kind::TextBox:
    case Kind::CheckBox:
    case Kind::OptionButton:
    case Kind::CommandButton:
    case Kind::ListBox:
    case Kind::ComboBox:
        return true;
    default:
        return false;
    }
}

} // namespace

Controls BuildLayout(QWidget* window, std::span<const Control> table) {
    Controls controls;
    controls.add(window);
    std::vector<QWidget*> widgets(table.size(), nullptr);
    for (std::size_t i = 0; i < table.size(); ++i) {
        const Control& c = table[i];
        auto* container = controls.get<QWidget>(QString::fromUtf8(c.container));
        if (c.kind == Kind::Timer) {
            auto* timer = new Timer(container);
            timer->setObjectName(QString::fromUtf8(c.name));
            timer->setInterval(c.interval);
            timer->setEnabled(!(c.flags & kDisabled));
            controls.add(timer);
            continue;
        }
        QWidget* widget = MakeWidget(c, container);
        widget->setObjectName(QString::fromUtf8(c.name));
        // A control in its container's font inherits it: setting it again costs a font
        // resolution per control and changes nothing.
        if (const QFont font = MakeFont(c.font); font != container->font()) widget->setFont(font);
        if (c.kind == Kind::Line) {
            static_cast<Line*>(widget)->setEnds({TwipsToPixels(c.left), TwipsToPixels(c.top)},
                                                {TwipsToPixels(c.width), TwipsToPixels(c.height)});
        } else {
            widget->setGeometry(PixelRect(c));
        }
        if (c.kind == Kind::Image && c.picture)
            static_cast<Image*>(widget)->setPicture(LoadPicture(*c.picture));
        if (c.flags & kHandCursor) widget->setCursor(HandCursor());
        // A caption that its fixed rectangle cuts off can still be read whole.
        if (c.kind == Kind::Label) static_cast<Label*>(widget)->setWholeOnHover(true);
        const QString access = QString::fromUtf8(c.access);
        if (c.flags & kReadout)
            widget->setAccessibleDescription(access); // the name follows the caption
        else
            widget->setAccessibleName(access.isEmpty() ? QString::fromUtf8(c.caption) : access);
        // Screen readers name an editable combo box by its text; the meaning stays here.
        if (c.kind == Kind::ComboBox) widget->setAccessibleDescription(access);
        controls.add(widget);
        widgets[i] = widget;
        if (c.kind == Kind::OptionButton) {
            OptionGroup*& group = controls.groups_[QString::fromUtf8(c.container)];
            if (!group) group = new OptionGroup(container);
            group->add(static_cast<OptionButton*>(widget));
        }
    }
    // Front to back: raise the rearmost first, so the first row ends up on top.
    for (auto it = widgets.rbegin(); it != widgets.rend(); ++it)
        if (*it) (*it)->raise();

    std::vector<std::pair<int, QWidget*>> chain;
    for (std::size_t i = 0; i < table.size(); ++i)
        if (widgets[i] && TakesFocus(table[i]) && table[i].tab >= 0)
            chain.emplace_back(table[i].tab, widgets[i]);
    std::stable_sort(chain.begin(), chain.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1].second, chain[i].second);
    return controls;
}

void MissingControl(const QString& name, const char* kind) {
    qFatal("No control %s of kind %s", qPrintable(name), kind);
}

OptionGroup* Controls::group(const QString& container) const {
    OptionGroup* group = groups_.value(container);
    if (!group) MissingControl(container, "OptionGroup");
    return group;
}

void SetTextColour(QWidget* control, QColor colour) {
    QPalette palette = control->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    control->setPalette(palette);
}

QColor ButtonTextColour() {
    return QApplication::palette().color(QPalette::ButtonText);
}

} // namespace toolkit
