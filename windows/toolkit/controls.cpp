#include "windows/toolkit/controls.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <optional>
#include <qdrawutil.h>

namespace toolkit {

namespace {

// Screen readers' view of the controls Qt would describe wrongly: an option button that is not
// auto-exclusive (Qt says "check box") and a label that is a link (Qt says "label", with no
// action). Both are pressed as a click would, beside the focus action Qt offers for any control,
// and are named by their caption where they have no name of their own.
class PressableAccessible : public QAccessibleWidget {
public:
    PressableAccessible(QWidget* control, QAccessible::Role role, QString caption,
                        std::function<void()> press)
        : QAccessibleWidget(control, role), caption_(std::move(caption)), press_(std::move(press)) {
    }
    QString text(QAccessible::Text t) const override {
        const QString own = QAccessibleWidget::text(t);
        return t == QAccessible::Name && own.isEmpty() ? caption_ : own;
    }
    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& name) override {
        if (name == pressAction())
            press_();
        else
            QAccessibleWidget::doAction(name);
    }

private:
    QString caption_;
    std::function<void()> press_;
};

class OptionButtonAccessible : public PressableAccessible {
public:
    explicit OptionButtonAccessible(OptionButton* button)
        : PressableAccessible(button, QAccessible::RadioButton, button->text(),
                              [button] { button->click(); }) {}
    QAccessible::State state() const override {
        QAccessible::State s = PressableAccessible::state();
        s.checkable = true;
        s.checked = static_cast<OptionButton*>(widget())->isChecked();
        return s;
    }
};

class LinkAccessible : public PressableAccessible {
public:
    explicit LinkAccessible(Label* label)
        : PressableAccessible(label, QAccessible::Link, label->text(),
                              [label] { label->activate(); }) {}
    QAccessible::State state() const override {
        QAccessible::State s = PressableAccessible::state();
        s.linked = true;
        return s;
    }
};

QAccessibleInterface* ControlAccessible(const QString&, QObject* object) {
    if (auto* option = qobject_cast<OptionButton*>(object))
        return new OptionButtonAccessible(option);
    if (auto* label = qobject_cast<Label*>(object); label && label->isLink())
        return new LinkAccessible(label);
    return nullptr;
}

// Once, before the first control that needs it is asked about.
void InstallAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&ControlAccessible);
        return true;
    }();
    (void)installed;
}

} // namespace

Label::Label(QWidget* parent) : QLabel(parent) {
    InstallAccessibility();
}

void Label::setLink(bool link) {
    if (link == link_) return;
    link_ = link;
    setFocusPolicy(link ? Qt::StrongFocus : Qt::NoFocus);
    // An interface made before describes the label as it was; the next one asks again.
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(this))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

bool Label::captionCut() const {
    if (text().isEmpty()) return false;
    const QRect needed = fontMetrics().boundingRect(QRect(0, 0, width(), 10000),
                                                    Qt::TextWordWrap | alignment(), text());
    return needed.height() > height() || needed.width() > width();
}

bool Label::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && wholeOnHover_ && toolTip().isEmpty()) {
        if (captionCut())
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text(), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QLabel::event(event);
}

void Label::keyPressEvent(QKeyEvent* event) {
    const bool press = event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
                       event->key() == Qt::Key_Enter;
    if (link_ && press && !event->isAutoRepeat()) {
        event->accept();
        emit clicked();
        return;
    }
    QLabel::keyPressEvent(event);
}

// A link with the focus is framed around its caption as drawn: dots of its own colour on
// white, which show on the window's picture wherever the link stands.
void Label::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!link_ || !hasFocus()) return;
    const QRect caption = fontMetrics().boundingRect(contentsRect(),
                                                     Qt::TextWordWrap | alignment(), text());
    const QRect frame = caption.adjusted(-2, -1, 1, 0).intersected(rect().adjusted(0, 0, -1, -1));
    QPainter painter(this);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(frame);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
    painter.drawRect(frame);
}

void Label::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void Label::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click) emit clicked();
}

Image::Image(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void Image::setPicture(const QPixmap& picture) {
    setPixmap(picture);
    if (!picture.isNull()) resize(picture.deviceIndependentSize().toSize());
}

Line::Line(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Line::setEnds(QPoint from, QPoint to) {
    from_ = from;
    to_ = to;
    setGeometry(std::min(from.x(), to.x()), std::min(from.y(), to.y()),
                std::abs(from.x() - to.x()) + width_, std::abs(from.y() - to.y()) + width_);
    update();
}

void Line::setLineWidth(int pixels) {
    width_ = std::max(1, pixels);
    setEnds(from_, to_);
}

void Line::setColor(QColor color) {
    color_ = color;
    update();
}

void Line::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (from_.x() == to_.x() || from_.y() == to_.y()) {
        // Straight lines cover exactly `width` pixels right of and below their ends.
        painter.fillRect(rect(), color_);
        return;
    }
    painter.setPen(QPen(color_, width_));
    painter.drawLine(from_ - pos(), to_ - pos());
}

OptionButton::OptionButton(QWidget* parent) : QRadioButton(parent) {
    InstallAccessibility();
    setAutoExclusive(false);
}

void OptionButton::nextCheckState() {
    if (!isChecked()) setChecked(true);
}

OptionGroup::OptionGroup(QObject* parent) : QObject(parent) {}

void OptionGroup::add(OptionButton* button) {
    buttons_.push_back(button);
    // Connected before any window handler, so the others are cleared when the handler runs.
    connect(button, &QAbstractButton::toggled, this,
            [this, button](bool selected) { onToggled(button, selected); });
}

OptionButton* OptionGroup::selected() const {
    for (OptionButton* button : buttons_)
        if (button->isChecked()) return button;
    return nullptr;
}

void OptionGroup::onToggled(OptionButton* button, bool selected) {
    if (!selected) return;
    for (OptionButton* other : buttons_)
        if (other != button) other->setChecked(false);
}

PushButton::PushButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {}

void PushButton::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    // The keypad's Enter comes with the keypad modifier; any other modifier means a shortcut.
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (enter && plain && !event->isAutoRepeat()) {
        event->accept();
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

PictureButton::PictureButton(QWidget* parent) : PushButton(QString(), parent) {}

void PictureButton::setPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const bool down = isDown() || isChecked();
    painter.fillRect(rect(), palette().button());
    const QSize size = picture_.deviceIndependentSize().toSize();
    const int shift = down ? 1 : 0; // the face seems to sink when pressed
    painter.drawPixmap(
        QPoint((width() - size.width()) / 2 + shift, (height() - size.height()) / 2 + shift),
        picture_);
    qDrawShadePanel(&painter, rect(), palette(), down, 1);
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Light), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(3, 3, -4, -4));
    }
}

namespace {
// The due time of the tick whose handlers are running, if any: a timer enabled by them
// counts from it. One user-interface thread, so one tick at a time.
std::optional<Timer::Clock::time_point> tickDue;

// Every timer alive, in the order they were made: the manual clock looks for due ticks here,
// and ticks due at the same moment go in this order.
std::vector<Timer*>& AllTimers() {
    static std::vector<Timer*> all;
    return all;
}

bool manualClock = false;
clock::Clock::time_point manualNow{};
} // namespace

namespace clock {

Clock::time_point Now() {
    return manualClock ? manualNow : Clock::now();
}

void SetManual(bool manual) {
    if (manual && !manualClock) manualNow = Clock::now();
    manualClock = manual;
}

bool IsManual() {
    return manualClock;
}

void Advance(std::chrono::milliseconds by) {
    const Clock::time_point until = manualNow + by;
    for (;;) {
        Timer* next = nullptr;
        for (Timer* t : AllTimers())
            if (t->enabled_ && t->interval_ > 0 && t->due_ <= until &&
                (!next || t->due_ < next->due_))
                next = t;
        if (!next) break;
        manualNow = std::max(manualNow, next->due_);
        next->fire();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
    manualNow = until;
}

} // namespace clock

Timer::Timer(QObject* parent) : QObject(parent), timer_(this) {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &Timer::fire);
    AllTimers().push_back(this);
}

Timer::~Timer() {
    std::erase(AllTimers(), this);
}

void Timer::setInterval(int milliseconds) {
    interval_ = milliseconds;
    if (enabled_) restart(clock::Now());
}

void Timer::setEnabled(bool enabled) {
    enabled_ = enabled;
    if (enabled_)
        restart(tickDue.value_or(clock::Now()));
    else
        timer_.stop();
}

void Timer::restart(Clock::time_point from) {
    if (interval_ <= 0) {
        timer_.stop();
        return;
    }
    due_ = from + std::chrono::milliseconds(interval_);
    arm();
}

// Waits for the due time, to the nearest millisecond Qt's timers can count. On the manual
// clock nothing waits: moving the clock delivers the tick.
void Timer::arm() {
    using namespace std::chrono;
    if (clock::IsManual()) {
        timer_.stop();
        return;
    }
    const auto wait = duration_cast<microseconds>(due_ - Clock::now()).count();
    timer_.start(static_cast<int>(std::max<long long>(0, (wait + 500) / 1000)));
}

void Timer::fire() {
    if (!enabled_ || interval_ <= 0) return;
    const Clock::time_point thisTick = due_;
    const auto period = std::chrono::milliseconds(interval_);
    due_ += period;
    // After a stall (a suspended machine), go on from now instead of ticking to catch up.
    if (due_ + period < clock::Now()) due_ = clock::Now() + period;
    arm();
    const auto outer = tickDue;
    tickDue = thisTick;
    emit tick();
    tickDue = outer;
}

} // namespace toolkit
