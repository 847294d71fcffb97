#include "windows/main/form1.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "core/loading.h"
#include "core/numeric.h"
#include "core/numeric_error.h"
#include "core/stopping.h"
#include "resources/frames.h"
#include "windows/alerts/alert_window.h"
#include "windows/dashcam/dashcam_window.h"
#include "windows/help/help_window.h"
#include "windows/loading/loading_window.h"
#include "windows/main/form1_layout.h"
#include "windows/shared/problem.h"
#include "windows/shared/text.h"
#include "windows/toolkit/controls.h"
#include "windows/toolkit/events.h"
#include "windows/toolkit/forms.h"
#include "windows/toolkit/messages.h"
#include "windows/toolkit/pictures.h"
#include "windows/toolkit/window.h"

using shared::Integer;

namespace {

const QString kSkidCaption = QStringLiteral("Длина тормозного следа (юз),м");
const QString kSpeedCaption = QStringLiteral("Скорость, км/час");

} // namespace

Form1::Form1(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Кварнет "));
    setWindowIcon(toolkit::AppIcon());
    setFont(toolkit::WindowFont());
    setFixedSize(600, 364); // client area 9000 × 5460 twips; nothing lies beyond it
    background_ = toolkit::LoadPicture(toolkit::Picture::Marsh);

    const toolkit::Controls controls = toolkit::BuildLayout(this, Form1Layout());
#define BIND(name) controls.bind(name, #name)
    BIND(Text1), BIND(Text2), BIND(Text3), BIND(Text7), BIND(Text5);
    BIND(Text4), BIND(Text9), BIND(Text6), BIND(Text8);
    BIND(Check1), BIND(Option1), BIND(Option2), BIND(Option3), BIND(Option4), BIND(Frame3);
    BIND(Command1), BIND(Command2), BIND(Command3), BIND(Command4), BIND(Command5);
    BIND(Label2), BIND(Label3), BIND(Label4), BIND(Label5), BIND(Label6), BIND(Label7);
    BIND(Label8), BIND(Label9), BIND(Label15), BIND(Label16), BIND(Label17), BIND(Label18);
    BIND(Label23), BIND(Label24), BIND(Label21), BIND(Label22);
    BIND(Image1), BIND(Image2), BIND(Label10), BIND(Label11);
    BIND(Label19), BIND(Label20), BIND(Label1), BIND(Frame1);
    BIND(Timer1), BIND(Timer2), BIND(Timer3), BIND(Timer4), BIND(Timer9), BIND(Timer10);
    BIND(Timer11), BIND(Timer12), BIND(Timer13), BIND(Timer14), BIND(Timer15), BIND(Timer16);
    BIND(Frame6), BIND(Label14), BIND(Label12), BIND(Label13);
    BIND(Line1), BIND(Line2), BIND(Line3), BIND(Line4);
    BIND(Line5), BIND(Line6), BIND(Line7), BIND(Line8);
#undef BIND
    for (int k : kAnimationTimers)
        timers_[static_cast<std::size_t>(k)] =
            controls.get<toolkit::Timer>(QStringLiteral("Timer%1").arg(k));
    stoppingDistanceCaption_ = Label7->text();
    BindHandlers();
    toolkit::CenterOnScreen(this);
}

// The loading window, a child, goes with this window; it hides as it goes, and nothing of
// this window may answer then.
Form1::~Form1() {
    if (loading_) loading_->disconnect(this);
}

LoadingWindow* Form1::Loading() {
    if (loading_) return loading_;
    loading_ = new LoadingWindow(this);
    connect(loading_, &LoadingWindow::calculated, this, &Form1::ShowLoadingOutcome);
    connect(loading_, &LoadingWindow::refused, this, &Form1::DropResults);
    connect(loading_, &LoadingWindow::keyboardLeft, this,
            [this] { Command1->setFocus(Qt::OtherFocusReason); });
    // Closed, it is discarded: the next opening starts afresh.
    connect(loading_, &LoadingWindow::closed, this, [this] {
        loading_->disconnect(this);
        loading_->deleteLater();
        loading_ = nullptr;
    });
    return loading_;
}

// What the loading window needs of this window: the deceleration, and the rise time, 0,3 s
// when its field is empty.
LoadingGiven Form1::GivenToLoading() const {
    return {Text5->text(),
            Text3->text().isEmpty() ? shared::Q(core::FormatDouble(0.3)) : Text3->text()};
}

void Form1::BindHandlers() {
    using toolkit::OnClick, toolkit::OnChange, toolkit::OnTimer;
    OnClick(Check1, this, &Form1::Check1_Click);
    OnClick(Option1, this, &Form1::Option1_Click);
    OnClick(Option2, this, &Form1::Option2_Click);
    OnClick(Option3, this, &Form1::Option3_Click);
    OnClick(Option4, this, &Form1::Option4_Click);
    OnChange(Text4, this, &Form1::Text4_Change);
    OnChange(Text6, this, &Form1::Text6_Change);
    OnClick(Command2, this, &Form1::Command2_Click);
    OnClick(Command3, this, &Form1::Command3_Click);
    OnClick(Command4, this, &Form1::Command4_Click);
    OnClick(Command5, this, &Form1::Command5_Click);
    OnClick(Label13, this, &Form1::Label13_Click);
    OnClick(Label14, this, &Form1::Label14_Click);
    OnClick(Label21, this, &Form1::Label21_Click);
    OnClick(Label22, this, &Form1::Label22_Click);
    OnClick(Command1, this, &Form1::Command1_Click);
    // Return in an input starts the calculation, as Старт does.
    // Results on screen belong to the inputs beside them: a changed input empties them.
    for (QLineEdit* input : {Text1, Text2, Text3, Text7, Text5}) {
        OnChange(input, this, &Form1::DropResults);
        toolkit::OnReturn(input, this, &Form1::Command1_Click);
    }
    // The loading window calculates with the deceleration and the rise time as they stand.
    for (QLineEdit* given : {Text3, Text5})
        OnChange(given, this, [this] {
            if (loading_) loading_->Give(GivenToLoading());
        });
    for (int k : kAnimationTimers)
        OnTimer(Timer(k), this, [this, k] { TimerK_Timer(k); });
}

toolkit::Timer* Form1::Timer(int n) const {
    return n > 0 && n < static_cast<int>(timers_.size()) ? timers_[static_cast<std::size_t>(n)]
                                                         : nullptr;
}

// The strip's frames are decoded on first use, all of them right after the first paint, and any
// still missing when a run is about to start: the window opens without decoding pictures it
// has not shown yet, and no 100 ms tick waits for a decoder. They are kept 8-bit indexed, as
// their files are; a step converts the one it shows.
const QImage& Form1::FrameImage(int number) const {
    auto it = frames_.find(number);
    if (it == frames_.end()) it = frames_.emplace(number, toolkit::LoadBitmapIndexed(number)).first;
    return it->second;
}

QPixmap Form1::Frame(int number) const {
    return QPixmap::fromImage(FrameImage(number));
}

void Form1::LoadFrames() const {
    for (const frames::Series& series : {frames::kStopping, frames::kCollision})
        for (int n = series.first; n <= series.last; ++n)
            FrameImage(n);
}

void Form1::paintEvent(QPaintEvent*) {
    // The marsh at the top-left corner, unscaled; beyond it the plain dialog colour.
    QPainter painter(this);
    painter.drawPixmap(0, 0, background_);
    // Once the window is on screen, the strip's frames are decoded while the user reads it.
    if (!framesQueued_) {
        framesQueued_ = true;
        QTimer::singleShot(0, this, [this] { LoadFrames(); });
    }
}

// Escape closes an open alert; it never ends the program.
void Form1::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        CloseOpenAlert(Alert::MissingValue);
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Form1::Form_Load() {
    toolkit::DisableXbutton(this);
    Loading(); // hidden, embedded in this window until its link shows it
    DisableTimers();
    Option2->setChecked(true);
    Label10->setText(QString());
    Label11->setText(QString());
    Frame1->hide();
    Option3->setChecked(true);
    Option2->setChecked(true);
    Command2->hide();
    Label19->hide();
    Label20->hide();
    Check1->setChecked(true);
    Frame3->hide();
    Text7->setFocus();
}

void Form1::Check1_Click() {
    if (Check1->isChecked()) {
        Option3->setChecked(true);
        toolkit::SetTextColour(Label17, QColor::fromRgb(toolkit::kWhite));
        toolkit::SetTextColour(Label18, toolkit::ButtonTextColour());
    } else {
        Option4->setChecked(true);
        toolkit::SetTextColour(Label17, toolkit::ButtonTextColour());
        toolkit::SetTextColour(Label18, QColor::fromRgb(toolkit::kWhite));
    }
}

void Form1::Option1_Click() {
    Text5->setText(shared::Integer(5));
}

void Form1::Option2_Click() {
    Text5->setText(shared::Q(core::FormatDouble(6.8)));
}

void Form1::Option3_Click() {
    EnterMode(kSkidCaption, kSpeedCaption, 1);
}

void Form1::Option4_Click() {
    EnterMode(kSpeedCaption, kSkidCaption, 2);
}

void Form1::EnterMode(const QString& inputCaption, const QString& resultCaption, int mode) {
    Text7->setText(QString());
    Label6->setText(inputCaption);
    Label5->setText(resultCaption);
    // The fields are named after their caption labels, for screen readers.
    for (QWidget* w : {static_cast<QWidget*>(Label6), static_cast<QWidget*>(Text7)})
        w->setAccessibleName(inputCaption);
    for (QWidget* w : {static_cast<QWidget*>(Label5), static_cast<QWidget*>(Text4)})
        w->setAccessibleName(resultCaption);
    ClearResults();
    Label19->setText(Integer(mode));
}

// Empties the four results and both readouts, puts the empty road back into the strip and
// drops the record; the distance field is the stopping distance's again.
void Form1::ClearResults() {
    Text4->setText(QString());
    Text6->setText(QString());
    Text8->setText(QString());
    Text9->setText(QString());
    Label10->setText(QString());
    Label11->setText(QString());
    // The strip the layout shows: the empty road, one pixmap shared with it.
    Image1->setPicture(toolkit::LoadPicture(toolkit::Picture::Strip));
    record_.Drop();
    NameDistanceField(false);
    Label20->setText(Integer(0));
}

// The distance field shows the stopping distance, or the braking distance of a loading
// calculation; its caption and its name for screen readers say which.
void Form1::NameDistanceField(bool braking) {
    const QString caption = braking ? shared::Q(core::kBrakingDistanceName) + QStringLiteral(", м")
                                    : stoppingDistanceCaption_;
    Label7->setText(caption);
    Text6->setAccessibleName(caption);
}

QLineEdit* Form1::InputField(int index) const {
    switch (index) {
    case core::IndexOf(core::StoppingInput::Reaction):
        return Text1;
    case core::IndexOf(core::StoppingInput::Delay):
        return Text2;
    case core::IndexOf(core::StoppingInput::Rise):
        return Text3;
    case core::IndexOf(core::StoppingInput::SkidOrSpeed):
        return Text7;
    case core::IndexOf(core::StoppingInput::Deceleration):
        return Text5;
    default:
        return nullptr;
    }
}

void Form1::DisableTimers() {
    for (int k : kAnimationTimers)
        Timer(k)->setEnabled(false);
}

void Form1::Text4_Change() {
    // Label10 always shows a speed: the computed one, or the one typed in the speed mode.
    const QString speed = Option3->isChecked() ? Text4->text() : Text7->text();
    Label10->setText(speed + QStringLiteral(" км/час"));
}

void Form1::Text6_Change() {
    Label11->setText(Text6->text() + QStringLiteral(" м"));
}

core::StoppingInputs Form1::Inputs() const {
    return {Mode(),
            shared::Std(Text1->text()),
            shared::Std(Text2->text()),
            shared::Std(Text3->text()),
            shared::Std(Text7->text()),
            shared::Std(Text5->text())};
}

core::StoppingMode Form1::Mode() const {
    return Option3->isChecked() ? core::StoppingMode::SkidKnown : core::StoppingMode::SpeedKnown;
}

void Form1::Command2_Click() {
    core::StoppingResults results;
    core::CalculationRecord record;
    try {
        results = core::ComputeStopping(Inputs(), &record);
    } catch (const core::NumericError& error) {
        ShowCalculationError(error); // every field keeps what it held
        calculated_ = false;
        return;
    }
    Text4->setText(shared::Q(results.speedOrSkid));
    Text9->setText(shared::Q(results.speedMs));
    Text6->setText(shared::Q(results.stoppingDistance));
    Text8->setText(shared::Q(results.brakingTime));
    record_.Keep(std::move(record));
    calculated_ = true;
}

void Form1::ShowCalculationError(const core::NumericError& error) {
    const QStringList texts = {Text1->text(), Text2->text(), Text3->text(), Text7->text(),
                               Text5->text()};
    // The keyboard waits in the field at fault when the message closes.
    if (QLineEdit* field = InputField(error.input())) field->setFocus(Qt::OtherFocusReason);
    toolkit::ShowMessage(this,
                         shared::CalculationRefusal(error, core::StoppingInputList(Mode()), texts));
}

// Opens the loading window over the strip and the inputs and hands it the rise time. This
// window changes only when the loading window gives an outcome or refuses; a run in progress
// ends here, its results never to come.
void Form1::Label21_Click() {
    if (AnimationRunning()) DropResults();
    Loading()->Open(GivenToLoading());
}

void Form1::Label22_Click() {
    toolkit::Show<DashcamWindow>();
}

// The loading window's results stand as this window's speed-known calculation: its speed as the
// input, its four results, the braking distance named as such, and the braking animation.
void Form1::ShowLoadingOutcome(const LoadingOutcome& outcome) {
    Check1->setChecked(false); // entering the speed-known mode empties the results
    Text7->setText(outcome.speed);
    DropResults(); // also when the speed and the mode are those shown already
    Text9->setText(outcome.speedMs);
    Text6->setText(outcome.braking);
    Text8->setText(outcome.time);
    Text4->setText(outcome.skid);
    NameDistanceField(true);
    record_.Keep(outcome.record);
    Label20->setText(Integer(1)); // the end of the run shows these results
    LoadFrames();
    Timer1->setEnabled(true);
}

// Empties the results and ends a run whose results would belong to other inputs.
void Form1::DropResults() {
    if (AnimationRunning()) StopAnimation();
    ClearResults();
}

void Form1::Command3_Click() {
    toolkit::EndApplication();
}

void Form1::Command4_Click() {
    ShowHelp(this);
}

// The standard is the user's own copy, put into the per-user folder; the message says where
// and which standard it is.
void Form1::Command5_Click() {
    static constexpr char kStandard[] =
        "текст ГОСТ 25478-91 «Автотранспортные средства. Требования к техническому состоянию по "
        "условиям безопасности движения. Методы проверки», на который ссылаются подписи к "
        "замедлениям (стандарт не действует: его заменил ГОСТ Р 51709-2001, а тот — "
        "ГОСТ 33997-2016)";
    toolkit::OpenDocument(this, QStringLiteral("gost.pdf"), QString::fromUtf8(kStandard));
}

void Form1::Label13_Click() {
    toolkit::ShellOpenMail(Label13->text(), QStringLiteral("Кварнет"));
}

void Form1::Label14_Click() {
    toolkit::ShellOpenAddress(Label14->text());
}
