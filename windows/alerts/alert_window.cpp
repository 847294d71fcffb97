#include "windows/alerts/alert_window.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <array>

#include "resources/frames.h"
#include "windows/toolkit/events.h"
#include "windows/toolkit/forms.h"
#include "windows/toolkit/window.h"

// ---- The three designs ----

namespace {

using toolkit::Control;
using toolkit::Kind;
using toolkit::table::RedLine;

constexpr int kFrameInterval = 100; // ms

Control FrameTimer(const char* form) {
    return {
        .name = "frameTimer", .kind = Kind::Timer, .container = form, .interval = kFrameInterval};
}

// Designed as Command1.
Control OkButton(const char* form, int left) {
    return {.name = "okButton",
            .kind = Kind::CommandButton,
            .container = form,
            .left = left,
            .top = 600,
            .width = 1215,
            .height = 375,
            .tab = 0,
            .picture = toolkit::Picture::Ok,
            .access = "ОК"};
}

// The picture of the sentence, designed as Image1.
Control Sentence(const char* form, int left, int width, int height) {
    return {.name = "sentence",
            .kind = Kind::Image,
            .container = form,
            .left = left,
            .top = 120,
            .width = width,
            .height = height};
}

// The first alert draws its red frame as four lines (designed as Line4 to Line1), above its
// picture.
const Control kMissingValueTable[] = {
    FrameTimer("missingValueAlert"),
    OkButton("missingValueAlert", 3960),
    RedLine("frameRight", "missingValueAlert", 9360, 60, 9360, 1160),
    RedLine("frameLeft", "missingValueAlert", 120, 60, 120, 1160),
    RedLine("frameTop", "missingValueAlert", 120, 60, 9360, 60),
    RedLine("frameBottom", "missingValueAlert", 120, 1160, 9360, 1160),
    Sentence("missingValueAlert", 2760, 735, 375),
};

// The two alerts whose red frame is painted into their background share one table.
std::array<Control, 3> FramedAlertTable(const char* form, int imageWidth, int imageHeight) {
    return {OkButton(form, 3840), FrameTimer(form), Sentence(form, 2880, imageWidth, imageHeight)};
}

const auto kIncompleteReadingsTable = FramedAlertTable("incompleteReadingsAlert", 4530, 360);
const auto kOutOfRangeTable = FramedAlertTable("outOfRangeAlert", 4440, 345);

// In the order of enum Alert.
const std::array<AlertWindow::Design, 3> kDesigns = {{
    {"missingValueAlert",
     frames::kAlertMissing.first,
     "Не установлено одно из значений",
     {630, 83},
     toolkit::Picture::Forest,
     kMissingValueTable},
    {"incompleteReadingsAlert",
     frames::kAlertIncomplete.first,
     "Не все данные введены для расчета",
     {628, 82},
     toolkit::Picture::ForestFramed,
     kIncompleteReadingsTable},
    {"outOfRangeAlert",
     frames::kAlertRange.first,
     "Ошибка ввода заданного диапазона",
     {628, 82},
     toolkit::Picture::ForestFramed,
     kOutOfRangeTable},
}};

// The alert of each kind while it is open; one at most of each.
std::array<QPointer<AlertWindow>, 3>& OpenAlerts() {
    static std::array<QPointer<AlertWindow>, 3> open;
    return open;
}

std::size_t Index(Alert alert) {
    return static_cast<std::size_t>(alert);
}

// Forgets the open alert of one kind, for the application's end, which discards what is open.
template <Alert A> void Forget() {
    OpenAlerts()[Index(A)] = nullptr;
}
constexpr std::array<void (*)(), 3> kForget = {
    &Forget<Alert::MissingValue>, &Forget<Alert::IncompleteReadings>, &Forget<Alert::OutOfRange>};

} // namespace

AlertWindow::AlertWindow(const Design& design) {
    setObjectName(QString::fromUtf8(design.name));
    setWindowTitle(QStringLiteral("Кварнет "));
    setWindowIcon(toolkit::AppIcon());
    // A fixed single border: a title and nothing to minimise, maximise or resize.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(design.client);
    background_ = toolkit::LoadPicture(design.background);
    for (std::size_t k = 0; k < frames_.size(); ++k)
        frames_[k] = toolkit::LoadBitmap(design.firstFrame + static_cast<int>(k));
    controls_ = toolkit::BuildLayout(this, design.table);
    controls_.bind(frameTimer_, "frameTimer");
    controls_.bind(sentence_, "sentence");
    controls_.bind(okButton_, "okButton");
    sentence_->setAccessibleName(QString::fromUtf8(design.message));
    toolkit::OnClick(okButton_, this, &AlertWindow::onOkClicked);
    toolkit::OnTimer(frameTimer_, this, &AlertWindow::onFrameDue);

    toolkit::MakeTopmost(this);
    toolkit::DisableXbutton(this);
    toolkit::CenterOnScreen(this);
    frameTimer_->setEnabled(true);
}

void AlertWindow::paintEvent(QPaintEvent*) {
    QPainter(this).drawPixmap(0, 0, background_);
}

void AlertWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        onOkClicked();
        return;
    }
    QWidget::keyPressEvent(event);
}

void AlertWindow::onFrameDue() {
    sentence_->setPicture(frames_[static_cast<std::size_t>(nextFrame_)]);
    nextFrame_ = (nextFrame_ + 1) % kFrames;
}

void AlertWindow::onOkClicked() {
    for (auto& open : OpenAlerts())
        if (open == this) open = nullptr;
    // Hidden and its timer stopped at once, destroyed when control is back in the event loop:
    // this may be its own button's handler.
    toolkit::detail::Destroy(this);
}

AlertWindow* ShowAlert(Alert alert) {
    QPointer<AlertWindow>& open = OpenAlerts()[Index(alert)];
    if (!open) {
        open = new AlertWindow(kDesigns[Index(alert)]);
        toolkit::detail::Track(open, kForget[Index(alert)]);
    }
    open->show();
    open->raise();
    return open;
}

AlertWindow* OpenAlert(Alert alert) {
    return OpenAlerts()[Index(alert)];
}

bool AlertShown(Alert alert) {
    const AlertWindow* open = OpenAlert(alert);
    return open && open->isVisible();
}

bool CloseOpenAlert(Alert alert) {
    if (!AlertShown(alert)) return false;
    OpenAlert(alert)->onOkClicked();
    return true;
}
