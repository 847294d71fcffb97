#include "windows/main/main_window.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include "core/loading.h"
#include "core/numeric.h"
#include "core/numeric_error.h"
#include "windows/alerts/alert_window.h"
#include "windows/main/braking_animation.h"
#include "windows/main/main_layout.h"
#include "windows/shared/problem.h"
#include "windows/shared/text.h"
#include "windows/toolkit/commands.h"
#include "windows/toolkit/controls.h"
#include "windows/toolkit/events.h"
#include "windows/toolkit/messages.h"
#include "windows/toolkit/pictures.h"
#include "windows/toolkit/window.h"

using shared::Q;
using shared::Std;

namespace {

const QString kSkidCaption = QStringLiteral("Длина тормозного следа (юз),м");
const QString kSpeedCaption = QStringLiteral("Скорость, км/час");

// Beyond these the car runs into the car ahead: a skid mark in m, a speed in km/h.
constexpr double kLongestStoppingSkid = 18;
constexpr double kFastestStoppingSpeed = 60;

const QString kAnalysisCommand =
    QStringLiteral("Оценить техническую возможность предотвратить наезд…");

} // namespace

MainWindow::MainWindow(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QStringLiteral("Кварнет "));
    setWindowIcon(toolkit::AppIcon());
    setFont(toolkit::WindowFont());
    setFixedSize(600, 364); // client area 9000 × 5460 twips; nothing lies beyond it
    background_ = toolkit::LoadPicture(toolkit::Picture::Marsh);

    const toolkit::Controls controls = toolkit::BuildLayout(this, MainLayout());
#define BIND(name) controls.bind(name, #name)
    BIND(reactionTime), BIND(brakeDelay), BIND(riseTime), BIND(skidOrSpeed), BIND(deceleration);
    BIND(speedOrSkidResult), BIND(speedMsResult), BIND(stoppingDistanceResult);
    BIND(brakingTimeResult), BIND(skidKnown), BIND(wetRoad), BIND(dryRoad);
    BIND(startButton), BIND(exitButton), BIND(helpButton), BIND(standardButton);
    BIND(skidOrSpeedCaption), BIND(speedOrSkidCaption), BIND(stoppingDistanceCaption);
    BIND(skidKnownCaption), BIND(speedKnownCaption);
    BIND(loadingLink), BIND(dashcamLink), BIND(analysisLink), BIND(mailAddress), BIND(webAddress);
    BIND(strip), BIND(stripSpeedReadout), BIND(stripDistanceReadout);
#undef BIND
    stoppingDistanceCaption_ = stoppingDistanceCaption->text();
    animation_ = new BrakingAnimation(strip, stripSpeedReadout, stripDistanceReadout, this);
    connect(animation_, &BrakingAnimation::finished, this, &MainWindow::onAnimationFinished);
    BindHandlers();
    toolkit::CenterOnScreen(this);
    // The start state.
    toolkit::DisableXbutton(this);
    dryRoad->setChecked(true);
    EnterMode(core::StoppingMode::SkidKnown);
    skidKnown->setChecked(true);
    skidOrSpeed->setFocus();
}

void MainWindow::BindHandlers() {
    using toolkit::OnClick, toolkit::OnChange;
    OnClick(skidKnown, this, &MainWindow::onSkidKnownClicked);
    OnClick(wetRoad, this, [this] { deceleration->setText(shared::Integer(5)); });
    OnClick(dryRoad, this, [this] { deceleration->setText(Q(core::FormatDouble(6.8))); });
    // The strip's readouts follow the results: the speed (the one typed, in the speed-known
    // mode) and the distance.
    OnChange(speedOrSkidResult, this, [this] {
        const QString speed = mode_ == core::StoppingMode::SkidKnown ? speedOrSkidResult->text()
                                                                     : skidOrSpeed->text();
        stripSpeedReadout->setText(speed + QStringLiteral(" км/час"));
    });
    OnChange(stoppingDistanceResult, this, [this] {
        stripDistanceReadout->setText(stoppingDistanceResult->text() + QStringLiteral(" м"));
    });
    OnClick(exitButton, this, [] { toolkit::EndApplication(); });
    OnClick(helpButton, this, [this] { emit helpRequested(); });
    OnClick(standardButton, this, &MainWindow::onStandardClicked);
    OnClick(mailAddress, this,
            [this] { toolkit::ShellOpenMail(mailAddress->text(), QStringLiteral("Кварнет")); });
    OnClick(webAddress, this, [this] { toolkit::ShellOpenAddress(webAddress->text()); });
    OnClick(loadingLink, this, &MainWindow::onLoadingLinkClicked);
    OnClick(dashcamLink, this, [this] { emit dashcamRequested(); });
    OnClick(analysisLink, this, [this] { emit analysisRequested(StartForAnalysis()); });
    toolkit::OfferCommands(this,
                           {{kAnalysisCommand, QKeySequence(QStringLiteral("Ctrl+Shift+T")),
                             [this] { emit analysisRequested(StartForAnalysis()); }, true}},
                           [] { return true; });
    OnClick(startButton, this, &MainWindow::onStartClicked);
    // Return in an input starts the calculation, as Старт does.
    // Results on screen belong to the inputs beside them: a changed input empties them.
    for (QLineEdit* input : {reactionTime, brakeDelay, riseTime, skidOrSpeed, deceleration}) {
        OnChange(input, this, &MainWindow::DropResults);
        toolkit::OnReturn(input, this, &MainWindow::onStartClicked);
    }
    // The loading window calculates with the deceleration and the rise time as they stand.
    for (QLineEdit* given : {riseTime, deceleration})
        OnChange(given, this, [this] { emit loadingGivenChanged(GivenToLoading()); });
}

void MainWindow::paintEvent(QPaintEvent*) {
    // The marsh at the top-left corner, unscaled; beyond it the plain dialog colour.
    QPainter painter(this);
    painter.drawPixmap(0, 0, background_);
    // Once the window is on screen, the strip's frames are decoded while the user reads it.
    if (!framesQueued_) {
        framesQueued_ = true;
        QTimer::singleShot(0, this, [this] { animation_->LoadFrames(); });
    }
}

// Escape closes an open alert; it never ends the program.
void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        CloseOpenAlert(Alert::MissingValue);
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void MainWindow::onSkidKnownClicked() {
    const bool skid = skidKnown->isChecked();
    const auto mode = skid ? core::StoppingMode::SkidKnown : core::StoppingMode::SpeedKnown;
    if (mode != mode_) EnterMode(mode);
    const QColor white = QColor::fromRgb(toolkit::kWhite);
    toolkit::SetTextColour(skidKnownCaption, skid ? white : toolkit::ButtonTextColour());
    toolkit::SetTextColour(speedKnownCaption, skid ? toolkit::ButtonTextColour() : white);
}

void MainWindow::EnterMode(core::StoppingMode mode) {
    mode_ = mode;
    const bool skid = mode == core::StoppingMode::SkidKnown;
    const QString& inputCaption = skid ? kSkidCaption : kSpeedCaption;
    const QString& resultCaption = skid ? kSpeedCaption : kSkidCaption;
    skidOrSpeed->setText(QString());
    skidOrSpeedCaption->setText(inputCaption);
    speedOrSkidCaption->setText(resultCaption);
    // The fields are named after their caption labels, for screen readers.
    for (QWidget* w :
         {static_cast<QWidget*>(skidOrSpeedCaption), static_cast<QWidget*>(skidOrSpeed)})
        w->setAccessibleName(inputCaption);
    for (QWidget* w :
         {static_cast<QWidget*>(speedOrSkidCaption), static_cast<QWidget*>(speedOrSkidResult)})
        w->setAccessibleName(resultCaption);
    ClearResults();
}

// Empties the four results and both readouts, puts the empty road back into the strip and
// drops the record; the distance field is the stopping distance's again.
void MainWindow::ClearResults() {
    speedOrSkidResult->setText(QString());
    stoppingDistanceResult->setText(QString());
    brakingTimeResult->setText(QString());
    speedMsResult->setText(QString());
    stripSpeedReadout->setText(QString());
    stripDistanceReadout->setText(QString());
    // The strip the layout shows: the empty road, one pixmap shared with it.
    strip->setPicture(toolkit::LoadPicture(toolkit::Picture::Strip));
    record_.Drop();
    NameDistanceField(false);
    fromLoading_ = false;
}

// The distance field shows the stopping distance, or the braking distance of a loading
// calculation; its caption and its name for screen readers say which.
void MainWindow::NameDistanceField(bool braking) {
    const QString caption =
        braking ? Q(core::kBrakingDistanceName) + QStringLiteral(", м") : stoppingDistanceCaption_;
    stoppingDistanceCaption->setText(caption);
    stoppingDistanceResult->setAccessibleName(caption);
}

QLineEdit* MainWindow::InputField(int index) const {
    switch (index) {
    case core::IndexOf(core::StoppingInput::Reaction):
        return reactionTime;
    case core::IndexOf(core::StoppingInput::Delay):
        return brakeDelay;
    case core::IndexOf(core::StoppingInput::Rise):
        return riseTime;
    case core::IndexOf(core::StoppingInput::SkidOrSpeed):
        return skidOrSpeed;
    case core::IndexOf(core::StoppingInput::Deceleration):
        return deceleration;
    default:
        return nullptr;
    }
}

core::StoppingInputs MainWindow::Inputs() const {
    return {mode_,
            Std(reactionTime->text()),
            Std(brakeDelay->text()),
            Std(riseTime->text()),
            Std(skidOrSpeed->text()),
            Std(deceleration->text())};
}

BrakingAnimation::Series MainWindow::SeriesFor(double known) const {
    const double limit =
        mode_ == core::StoppingMode::SkidKnown ? kLongestStoppingSkid : kFastestStoppingSpeed;
    return known <= limit ? BrakingAnimation::Series::Stopping
                          : BrakingAnimation::Series::Collision;
}

bool MainWindow::Calculate() {
    core::StoppingResults results;
    core::CalculationRecord record;
    try {
        results = core::ComputeStopping(Inputs(), &record);
    } catch (const core::NumericError& error) {
        ShowCalculationError(error); // every field keeps what it held
        return false;
    }
    speedOrSkidResult->setText(Q(results.speedOrSkid));
    speedMsResult->setText(Q(results.speedMs));
    stoppingDistanceResult->setText(Q(results.stoppingDistance));
    brakingTimeResult->setText(Q(results.brakingTime));
    record_.Keep(std::move(record));
    return true;
}

void MainWindow::ShowCalculationError(const core::NumericError& error) {
    const QStringList texts = {reactionTime->text(), brakeDelay->text(), riseTime->text(),
                               skidOrSpeed->text(), deceleration->text()};
    // The keyboard waits in the field at fault when the message closes.
    if (QLineEdit* field = InputField(error.input())) field->setFocus(Qt::OtherFocusReason);
    toolkit::ShowMessage(this,
                         shared::CalculationRefusal(error, core::StoppingInputList(mode_), texts));
}

// The inputs are checked before anything moves: a refusal leaves the strip, the readouts and
// the results as they were and puts the keyboard into the first field at fault. The whole
// calculation runs at the end of the animation.
void MainWindow::onStartClicked() {
    for (int i = core::IndexOf(core::StoppingInput::Reaction);
         i <= core::IndexOf(core::StoppingInput::Deceleration); ++i) {
        if (InputField(i)->text().isEmpty()) {
            ShowAlert(Alert::MissingValue);
            InputField(i)->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    double known = 0;
    try {
        core::ComputeStopping(Inputs());
        known = core::ParseDouble(Std(skidOrSpeed->text()));
    } catch (const core::NumericError& error) {
        ShowCalculationError(error);
        return;
    }
    ClearResults();
    animation_->LoadFrames();
    animation_->Start(SeriesFor(known));
}

// The last step shows the results: calculated now, or those the loading window gave.
void MainWindow::onAnimationFinished() {
    if (fromLoading_) {
        stripSpeedReadout->setText(skidOrSpeed->text());
        stripDistanceReadout->setText(stoppingDistanceResult->text());
        fromLoading_ = false;
    } else if (!Calculate()) {
        // A failed calculation leaves no results: the readouts lose the step counters too.
        stripSpeedReadout->setText(QString());
        stripDistanceReadout->setText(QString());
    }
}

void MainWindow::TakeKeyboard() {
    startButton->setFocus(Qt::OtherFocusReason);
}

bool MainWindow::AnimationRunning() const {
    return animation_->Running();
}

// Empties the results and ends a run whose results would belong to other inputs.
void MainWindow::DropResults() {
    if (AnimationRunning()) animation_->Stop();
    ClearResults();
}

// What the loading window needs of this window: the deceleration, and the rise time, 0,3 s
// when its field is empty.
LoadingGiven MainWindow::GivenToLoading() const {
    return {deceleration->text(),
            riseTime->text().isEmpty() ? Q(core::FormatDouble(0.3)) : riseTime->text()};
}

// Opens the loading window over the strip and the inputs. This window changes only when the
// loading window gives an outcome or refuses; a run in progress ends here, its results never
// to come.
void MainWindow::onLoadingLinkClicked() {
    if (AnimationRunning()) DropResults();
    emit loadingRequested(GivenToLoading());
}

// The loading window's results stand as this window's speed-known calculation: its speed as the
// input, its four results, the braking distance named as such, and the braking animation.
void MainWindow::ShowLoadingOutcome(const LoadingOutcome& outcome) {
    skidKnown->setChecked(false); // entering the speed-known mode empties the results
    skidOrSpeed->setText(outcome.speed);
    DropResults(); // also when the speed and the mode are those shown already
    speedMsResult->setText(outcome.speedMs);
    stoppingDistanceResult->setText(outcome.braking);
    brakingTimeResult->setText(outcome.time);
    speedOrSkidResult->setText(outcome.skid);
    NameDistanceField(true);
    record_.Keep(outcome.record);
    fromLoading_ = true; // the end of the run shows these results
    animation_->LoadFrames();
    try {
        const double speed = core::ParseDouble(Std(outcome.speed));
        animation_->Start(SeriesFor(speed));
    } catch (const core::NumericError& error) {
        // The speed the loading window took is no number here: no run, no counters.
        stripSpeedReadout->setText(QString());
        stripDistanceReadout->setText(QString());
        ShowCalculationError(
            core::NumericError(error.kind(), core::IndexOf(core::StoppingInput::SkidOrSpeed)));
    }
}

// The standard is the user's own copy, put into the per-user folder; the message says where
// and which standard it is.
void MainWindow::onStandardClicked() {
    static constexpr char kStandard[] =
        "текст ГОСТ 25478-91 «Автотранспортные средства. Требования к техническому состоянию по "
        "условиям безопасности движения. Методы проверки», на который ссылаются подписи к "
        "замедлениям (стандарт не действует: его заменил ГОСТ Р 51709-2001, а тот — "
        "ГОСТ 33997-2016)";
    toolkit::OpenDocument(this, QStringLiteral("gost.pdf"), QString::fromUtf8(kStandard));
}

AnalysisStart MainWindow::StartForAnalysis() const {
    const QString speed =
        mode_ == core::StoppingMode::SpeedKnown ? skidOrSpeed->text() : speedOrSkidResult->text();
    return {reactionTime->text(), brakeDelay->text(), riseTime->text(), deceleration->text(),
            speed};
}
