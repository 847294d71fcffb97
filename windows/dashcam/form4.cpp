#include "dashcam/form4.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include "alerts/alert_window.h"
#include "core/dashcam.h"
#include "core/numeric.h"
#include "core/numeric_error.h"
#include "dashcam/form4_layout.h"
#include "toolkit/controls.h"
#include "toolkit/events.h"
#include "toolkit/forms.h"
#include "toolkit/pictures.h"
#include "toolkit/text.h"
#include "toolkit/window.h"

using toolkit::Q;
using toolkit::Std;

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
    record_.DropOnEdit({Text4, Text7, Text9, Text2});
    toolkit::CenterOnScreen(this);
}

void Form4::paintEvent(QPaintEvent*) {
    // The marsh at the top-left corner, unscaled; a larger window shows the dialog colour.
    QPainter(this).drawPixmap(0, 0, background_);
}

void Form4::Form_Load() {
    toolkit::DisableXbutton(this);
    Frame1->hide();
    Combo1->setFocus(); // the lowest tab index of the controls that take the focus
}

// Nothing is written unless time and speed are both known; a mistyped or empty reading says
// so, any other failure (equal readings, values too large) passes in silence.
void Form4::Command1_Click() {
    core::DashcamSpeed result;
    core::CalculationRecord record;
    try {
        result = core::ComputeDashcamSpeed({Std(Combo1->currentText()), Std(Combo2->currentText()),
                                            Std(Combo3->currentText()), Std(Combo4->currentText()),
                                            Std(Combo5->currentText()), Std(Combo6->currentText()),
                                            Std(Text3->text())},
                                           &record);
    } catch (const core::NumericError& error) {
        if (error.kind() == core::NumericErrorKind::TypeMismatch) toolkit::Show<Form5>();
        return;
    }
    toolkit::WriteText(Text1, Q(result.hoursText)); // runs the split into Text4, Text7, Text9
    toolkit::WriteText(Text2, Q(result.speedText));
    record_.Keep(std::move(record));
}

void Form4::Text1_Change() {
    SplitAtComma(Text1, Text4, Text5);
}

void Form4::Text5_Change() {
    TimesSixty(Text5, Text6);
}

void Form4::Text6_Change() {
    SplitAtComma(Text6, Text7, Text8);
}

void Form4::Text8_Change() {
    TimesSixty(Text8, Text9);
}

// The digits before the comma go to `whole`, "0," and the digits after it to `fraction`. A
// whole number has no digits after the comma: its fraction is "0", so that the next fields
// still follow the new time. Every write runs its handler, also when the text stays the same.
void Form4::SplitAtComma(QLineEdit* number, QLineEdit* whole, QLineEdit* fraction) {
    const QString text = number->text();
    if (text.isEmpty()) return;
    const core::TimeParts parts = core::SplitAtComma(Std(text));
    toolkit::WriteText(whole, Q(parts.whole));
    toolkit::WriteText(fraction, Q(parts.fraction));
}

// A fraction of an hour (or of a minute) in minutes (or seconds).
void Form4::TimesSixty(QLineEdit* fraction, QLineEdit* result) {
    const QString text = fraction->text();
    if (text.isEmpty()) return;
    QString sixtieths;
    try {
        sixtieths = Q(core::TimesSixty(Std(text)));
    } catch (const core::NumericError&) {
        return; // never reached with the numbers the split writes; no exception may cross a signal
    }
    toolkit::WriteText(result, sixtieths);
}

void Form4::Command3_Click() {
    hide();
    toolkit::Discard<Form4>(); // the next opening starts empty
}

void Form4::Label21_Click() {
    toolkit::OpenDocument(this, QStringLiteral("avto.avi"));
}
