#include "windows/dashcam/form4.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <algorithm>
#include <utility>
#include <vector>

#include "core/dashcam.h"
#include "core/numeric_error.h"
#include "windows/alerts/alert_window.h"
#include "windows/dashcam/form4_layout.h"
#include "windows/shared/problem.h"
#include "windows/shared/text.h"
#include "windows/toolkit/controls.h"
#include "windows/toolkit/events.h"
#include "windows/toolkit/forms.h"
#include "windows/toolkit/messages.h"
#include "windows/toolkit/pictures.h"
#include "windows/toolkit/window.h"

using shared::Q;
using shared::Std;

Form4::Form4() {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Кварнет. Расчет скорости по данным видеорегистратора"));
    setWindowIcon(toolkit::AppIcon());
    setFont(toolkit::WindowFont());
    resize(582, 290); // client area 8730 × 4350 twips
    background_ = toolkit::LoadPicture(toolkit::Picture::Marsh);

    const toolkit::Controls controls = toolkit::BuildLayout(this, Form4Layout());
#define BIND(name) controls.bind(name, #name)
    BIND(Combo1), BIND(Combo2), BIND(Combo3), BIND(Combo4), BIND(Combo5), BIND(Combo6);
    BIND(Text3), BIND(Text4), BIND(Text7), BIND(Text9), BIND(Text2);
    BIND(Frame1), BIND(Text1), BIND(Text5), BIND(Text6), BIND(Text8);
    BIND(Command1), BIND(Command3), BIND(Label21);
    BIND(Label1), BIND(Label2), BIND(Label3), BIND(Label4), BIND(Label5), BIND(Label7);
    BIND(Label9), BIND(Label11), BIND(Label12);
    BIND(Line1), BIND(Line2), BIND(Line3), BIND(Line4), BIND(Line5);
#undef BIND

    using toolkit::OnClick, toolkit::OnChange;
    OnClick(Command1, this, &Form4::Command1_Click);
    OnChange(Text1, this, &Form4::Text1_Change);
    OnChange(Text5, this, &Form4::Text5_Change);
    OnChange(Text6, this, &Form4::Text6_Change);
    OnChange(Text8, this, &Form4::Text8_Change);
    OnClick(Command3, this, &Form4::Command3_Click);
    OnClick(Label21, this, &Form4::Label21_Click);
    // Return in a reading or in the distance computes, as Старт does.
    for (QComboBox* reading : {Combo4, Combo5, Combo6, Combo1, Combo2, Combo3})
        toolkit::OnReturn(reading->lineEdit(), this, &Form4::Command1_Click);
    toolkit::OnReturn(Text3, this, &Form4::Command1_Click);
    toolkit::CenterOnScreen(this);
}

void Form4::paintEvent(QPaintEvent*) {
    // The marsh at the top-left corner, unscaled; a larger window shows the dialog colour.
    QPainter(this).drawPixmap(0, 0, background_);
}

void Form4::Form_Load() {
    toolkit::DisableXbutton(this);
    Frame1->hide();
    Combo4->setFocus(); // the lowest tab index of the controls that take the focus
}

void Form4::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (!CloseOpenAlert(Alert::IncompleteReadings)) Command3_Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

std::array<QWidget*, 7> Form4::Inputs() const {
    return {Combo4, Combo5, Combo6, Combo1, Combo2, Combo3, Text3};
}

// Nothing is shown unless time and speed are both known: a failure empties the results. A
// mistyped or empty reading opens the warning; readings that cannot be right are refused with
// a message naming the field. Either way the keyboard goes to the field at fault.
void Form4::Command1_Click() {
    QStringList texts;
    for (QWidget* input : Inputs()) {
        auto* combo = qobject_cast<QComboBox*>(input);
        texts << (combo ? combo->currentText() : static_cast<QLineEdit*>(input)->text());
    }
    core::DashcamSpeed result;
    core::CalculationRecord record;
    try {
        result = core::ComputeDashcamSpeed({.startHours = Std(texts[core::kStartHours]),
                                            .startMinutes = Std(texts[core::kStartMinutes]),
                                            .startSeconds = Std(texts[core::kStartSeconds]),
                                            .endHours = Std(texts[core::kEndHours]),
                                            .endMinutes = Std(texts[core::kEndMinutes]),
                                            .endSeconds = Std(texts[core::kEndSeconds]),
                                            .distance = Std(texts[core::kDistance])},
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
    toolkit::WriteText(Text1, Q(result.elapsedText)); // runs the split into Text4, Text7, Text9
    toolkit::WriteText(Text2, Q(result.speedText));
    record_.Keep(std::move(record));
}

// The elapsed seconds as shown: every decimal the readings gave.
void Form4::Text1_Change() {
    const QString text = Text1->text();
    if (text.isEmpty()) return;
    QString shown;
    try {
        shown = Q(core::ShownSeconds(Std(text)));
    } catch (const core::NumericError&) {
        return; // never reached with the numbers the chain writes; no exception may cross a signal
    }
    toolkit::WriteText(Text5, shown);
}

// Whole hours, and the seconds past them.
void Form4::Text5_Change() {
    SplitOff(Text5, core::kSecondsPerHour, Text4, Text6);
}

// Whole minutes, and the seconds past them.
void Form4::Text6_Change() {
    SplitOff(Text6, core::kSecondsPerMinute, Text7, Text8);
}

void Form4::Text8_Change() {
    toolkit::WriteText(Text9, Text8->text());
}

// Every write runs its handler, also when the text stays the same, so that every calculation
// writes every field of the split.
void Form4::SplitOff(QLineEdit* seconds, std::int16_t unit, QLineEdit* whole, QLineEdit* rest) {
    const QString text = seconds->text();
    if (text.isEmpty()) return;
    core::UnitSplit split;
    try {
        split = core::SplitSeconds(Std(text), unit);
    } catch (const core::NumericError&) {
        return; // never reached with the numbers the chain writes; no exception may cross a signal
    }
    toolkit::WriteText(whole, Q(split.whole));
    toolkit::WriteText(rest, Q(split.rest));
}

void Form4::ClearResults() {
    for (QLineEdit* field : {Text1, Text5, Text6, Text8, Text4, Text7, Text9, Text2})
        field->setText(QString());
    record_.Drop();
}

void Form4::FocusField(const core::NumericError& error) {
    const auto inputs = Inputs();
    if (error.input() >= 0 && error.input() < static_cast<int>(inputs.size()))
        inputs[static_cast<std::size_t>(error.input())]->setFocus(Qt::OtherFocusReason);
}

void Form4::ShowRefusal(const core::NumericError& error, const QStringList& texts) {
    toolkit::ShowMessage(this, shared::CalculationRefusal(error, core::DashcamInputList(), texts));
}

void Form4::Command3_Click() {
    hide();
    toolkit::Discard<Form4>(); // the next opening starts empty
}

void Form4::Label21_Click() {
    toolkit::OpenDocument(this, QStringLiteral("avto.avi"));
}
