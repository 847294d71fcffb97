#include "windows/alerts/alert_window.h"

#include <QKeyEvent>
#include <QPainter>
#include <array>

#include "resources/frames.h"
#include "windows/toolkit/forms.h"
#include "windows/toolkit/window.h"

AlertWindow::AlertWindow(const Design& design) {
    setObjectName(QString::fromUtf8(design.name));
    setWindowTitle(QStringLiteral("Кварнет "));
    setWindowIcon(toolkit::AppIcon());
    // A fixed single border: a title and nothing to minimise, maximise or resize.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(design.client);
    background_ = toolkit::LoadPicture(design.background);
    for (int k = 1; k <= kTimers; ++k)
        frames_[k - 1] = toolkit::LoadBitmap(design.frameBase + k);
    controls_ = toolkit::BuildLayout(this, design.table);
    image()->setAccessibleName(QString::fromUtf8(design.message));
    connect(controls_.get<QPushButton>(QStringLiteral("Command1")), &QPushButton::clicked, this,
            &AlertWindow::Command1_Click);
    for (int k = 1; k <= kTimers; ++k)
        connect(timer(k), &toolkit::Timer::tick, this, [this, k] { TimerK_Timer(k); });
}

toolkit::Timer* AlertWindow::timer(int k) const {
    return controls_.get<toolkit::Timer>(QStringLiteral("Timer%1").arg(k));
}

toolkit::Image* AlertWindow::image() const {
    return controls_.get<toolkit::Image>(QStringLiteral("Image1"));
}

void AlertWindow::paintEvent(QPaintEvent*) {
    QPainter(this).drawPixmap(0, 0, background_);
}

void AlertWindow::Form_Load() {
    toolkit::MakeTopmost(this);
    toolkit::DisableXbutton(this);
    toolkit::CenterOnScreen(this);
    timer(1)->setEnabled(true);
    for (int k = 2; k <= kTimers; ++k)
        timer(k)->setEnabled(false);
}

void AlertWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        Command1_Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

// One step of the ring: show frame K, hand over to the next timer.
void AlertWindow::TimerK_Timer(int k) {
    image()->setPicture(frames_[k - 1]);
    timer(k)->setEnabled(false);
    timer(k == kTimers ? 1 : k + 1)->setEnabled(true);
}

void AlertWindow::Command1_Click() {
    hide();
    Discard();
}

// ---- The three designs ----

namespace {

using toolkit::Control;
using toolkit::Kind;
using toolkit::table::RedLine;

Control AlertTimer(const char* name, const char* form) {
    return {.name = name, .kind = Kind::Timer, .container = form, .interval = 100};
}

Control OkButton(const char* form, int left) {
    return {.name = "Command1",
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

Control AlertImage(const char* form, int left, int width, int height) {
    return {.name = "Image1",
            .kind = Kind::Image,
            .container = form,
            .left = left,
            .top = 120,
            .width = width,
            .height = height};
}

const Control kForm3Table[] = {
    AlertTimer("Timer12", "Form3"),
    AlertTimer("Timer11", "Form3"),
    AlertTimer("Timer10", "Form3"),
    AlertTimer("Timer9", "Form3"),
    AlertTimer("Timer8", "Form3"),
    AlertTimer("Timer7", "Form3"),
    AlertTimer("Timer6", "Form3"),
    AlertTimer("Timer5", "Form3"),
    AlertTimer("Timer4", "Form3"),
    AlertTimer("Timer3", "Form3"),
    AlertTimer("Timer2", "Form3"),
    AlertTimer("Timer1", "Form3"),
    OkButton("Form3", 3960),
    RedLine("Line4", "Form3", 9360, 60, 9360, 1160),
    RedLine("Line3", "Form3", 120, 60, 120, 1160),
    RedLine("Line2", "Form3", 120, 60, 9360, 60),
    RedLine("Line1", "Form3", 120, 1160, 9360, 1160),
    AlertImage("Form3", 2760, 735, 375),
};

// The two alerts whose red frame is painted into their background share one table.
std::array<Control, 14> FramedAlertTable(const char* form, int imageWidth, int imageHeight) {
    return std::array<Control, 14>{
        OkButton(form, 3840),        AlertTimer("Timer1", form),
        AlertTimer("Timer2", form),  AlertTimer("Timer3", form),
        AlertTimer("Timer4", form),  AlertTimer("Timer5", form),
        AlertTimer("Timer6", form),  AlertTimer("Timer7", form),
        AlertTimer("Timer8", form),  AlertTimer("Timer9", form),
        AlertTimer("Timer10", form), AlertTimer("Timer11", form),
        AlertTimer("Timer12", form), AlertImage(form, 2880, imageWidth, imageHeight),
    };
}

const auto kForm5Table = FramedAlertTable("Form5", 4530, 360);
const auto kForm6Table = FramedAlertTable("Form6", 4440, 345);

const AlertWindow::Design kForm3{
    "Form3",   frames::kAlertMissing.first - 1, "Не установлено одно из значений",
    {630, 83}, toolkit::Picture::Forest,        kForm3Table};
const AlertWindow::Design kForm5{
    "Form5",   frames::kAlertIncomplete.first - 1, "Не все данные введены для расчета",
    {628, 82}, toolkit::Picture::ForestFramed,     kForm5Table};
const AlertWindow::Design kForm6{
    "Form6",   frames::kAlertRange.first - 1,  "Ошибка ввода заданного диапазона",
    {628, 82}, toolkit::Picture::ForestFramed, kForm6Table};

} // namespace

Form3::Form3() : AlertWindow(kForm3) {}
void Form3::Discard() {
    toolkit::Discard<Form3>();
}

Form5::Form5() : AlertWindow(kForm5) {}
void Form5::Discard() {
    toolkit::Discard<Form5>();
}

Form6::Form6() : AlertWindow(kForm6) {}
void Form6::Discard() {
    toolkit::Discard<Form6>();
}
