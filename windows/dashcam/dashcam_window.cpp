#include "windows/dashcam/dashcam_window.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <utility>

#include "core/dashcam.h"
#include "core/numeric_error.h"
#include "windows/alerts/alert_window.h"
#include "windows/dashcam/dashcam_layout.h"
#include "windows/shared/problem.h"
#include "windows/shared/text.h"
#include "windows/toolkit/controls.h"
#include "windows/toolkit/events.h"
#include "windows/toolkit/messages.h"
#include "windows/toolkit/pictures.h"
#include "windows/toolkit/window.h"

using shared::Q;
using shared::Std;

DashcamWindow::DashcamWindow() {
    setObjectName(QStringLiteral("dashcamWindow"));
    setWindowTitle(QStringLiteral("Кварнет. Расчет скорости по данным видеорегистратора"));
    setWindowIcon(toolkit::AppIcon());
    setFont(toolkit::WindowFont());
    resize(582, 290); // client area 8730 × 4350 twips
    background_ = toolkit::LoadPicture(toolkit::Picture::Marsh);

    const toolkit::Controls controls = toolkit::BuildLayout(this, DashcamLayout());
#define BIND(name) controls.bind(name, #name)
    BIND(startHours), BIND(startMinutes), BIND(startSeconds);
    BIND(endHours), BIND(endMinutes), BIND(endSeconds), BIND(distance);
    BIND(elapsedHours), BIND(elapsedMinutes), BIND(elapsedSeconds), BIND(speed);
    BIND(startButton), BIND(closeButton), BIND(exampleVideoLink), BIND(videoFramesLink);
#undef BIND

    using toolkit::OnClick;
    OnClick(startButton, this, &DashcamWindow::onStartClicked);
    OnClick(closeButton, this, &DashcamWindow::onCloseClicked);
    OnClick(exampleVideoLink, this, &DashcamWindow::onExampleVideoClicked);
    OnClick(videoFramesLink, this, &DashcamWindow::videoFramesRequested);
    // Return in a reading or in the distance computes, as Старт does.
    for (QComboBox* reading :
         {startHours, startMinutes, startSeconds, endHours, endMinutes, endSeconds})
        toolkit::OnReturn(reading->lineEdit(), this, &DashcamWindow::onStartClicked);
    toolkit::OnReturn(distance, this, &DashcamWindow::onStartClicked);
    toolkit::CenterOnScreen(this);
    toolkit::DisableXbutton(this);
    startHours->setFocus(); // the lowest tab index of the controls that take the focus
}

void DashcamWindow::paintEvent(QPaintEvent*) {
    // The marsh at the top-left corner, unscaled; a larger window shows the dialog colour.
    QPainter(this).drawPixmap(0, 0, background_);
}

void DashcamWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (!CloseOpenAlert(Alert::IncompleteReadings)) onCloseClicked();
        return;
    }
    QWidget::keyPressEvent(event);
}

std::array<QWidget*, 7> DashcamWindow::Inputs() const {
    return {startHours, startMinutes, startSeconds, endHours, endMinutes, endSeconds, distance};
}

// Nothing is shown unless time and speed are both known: a failure empties the results. A
// mistyped or empty reading opens the warning; readings that cannot be right are refused with
// a message naming the field. Either way the keyboard goes to the field at fault.
void DashcamWindow::onStartClicked() {
    QStringList texts;
    for (QWidget* input : Inputs()) {
        auto* combo = qobject_cast<QComboBox*>(input);
        texts << (combo ? combo->currentText() : static_cast<QLineEdit*>(input)->text());
    }
    core::DashcamResults result;
    core::CalculationRecord record;
    try {
        result = core::ComputeDashcam(
            {.startHours = Std(texts[core::IndexOf(core::DashcamInput::StartHours)]),
             .startMinutes = Std(texts[core::IndexOf(core::DashcamInput::StartMinutes)]),
             .startSeconds = Std(texts[core::IndexOf(core::DashcamInput::StartSeconds)]),
             .endHours = Std(texts[core::IndexOf(core::DashcamInput::EndHours)]),
             .endMinutes = Std(texts[core::IndexOf(core::DashcamInput::EndMinutes)]),
             .endSeconds = Std(texts[core::IndexOf(core::DashcamInput::EndSeconds)]),
             .distance = Std(texts[core::IndexOf(core::DashcamInput::Distance)])},
            &record);
    } catch (const core::NumericError& error) {
        ClearResults();
        FocusField(error);
        if (error.kind() == core::NumericErrorKind::TypeMismatch)
            ShowAlert(Alert::IncompleteReadings);
        else
            ShowRefusal(error, texts);
        return;
    }
    ShowResults(result);
    record_.Keep(std::move(record));
}

// Every field is written, also when its text stays the same, hours first and the speed last.
void DashcamWindow::ShowResults(const core::DashcamResults& result) {
    toolkit::WriteText(elapsedHours, Q(result.hoursText));
    toolkit::WriteText(elapsedMinutes, Q(result.minutesText));
    toolkit::WriteText(elapsedSeconds, Q(result.secondsText));
    toolkit::WriteText(speed, Q(result.speedText));
}

void DashcamWindow::ClearResults() {
    for (QLineEdit* field : {elapsedHours, elapsedMinutes, elapsedSeconds, speed})
        field->setText(QString());
    record_.Drop();
}

void DashcamWindow::FocusField(const core::NumericError& error) {
    const auto inputs = Inputs();
    if (error.input() >= 0 && error.input() < static_cast<int>(inputs.size()))
        inputs[static_cast<std::size_t>(error.input())]->setFocus(Qt::OtherFocusReason);
}

void DashcamWindow::ShowRefusal(const core::NumericError& error, const QStringList& texts) {
    toolkit::ShowMessage(this, shared::CalculationRefusal(error, core::DashcamInputList(), texts));
}

void DashcamWindow::onCloseClicked() {
    hide();
    emit closed();
}

void DashcamWindow::onExampleVideoClicked() {
    toolkit::OpenDocument(this, QStringLiteral("avto.avi"));
}
