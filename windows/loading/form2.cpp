#include "windows/loading/form2.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <utility>

#include "core/numeric.h"
#include "core/numeric_error.h"
#include "windows/alerts/alert_window.h"
#include "windows/loading/form2_layout.h"
#include "windows/shared/problem.h"
#include "windows/shared/text.h"
#include "windows/toolkit/controls.h"
#include "windows/toolkit/events.h"
#include "windows/toolkit/forms.h"
#include "windows/toolkit/messages.h"
#include "windows/toolkit/pictures.h"
#include "windows/toolkit/window.h"

using shared::Integer;
using shared::Q;
using shared::Std;

Form2::Form2() {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Form2"));
    // No frame and no taskbar button even before it is embedded.
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    setFont(toolkit::WindowFont());
    resize(592, 219); // client area 8880 × 3285 twips
    background_ = toolkit::LoadPicture(toolkit::Picture::Marsh);

    const toolkit::Controls controls = toolkit::BuildLayout(this, Form2Layout());
#define BIND(name) controls.bind(name, #name)
    BIND(Frame1), BIND(Option1), BIND(Option2), BIND(Option3), BIND(List1), BIND(Label8);
    BIND(Option6), BIND(Option5), BIND(Option4), BIND(Combo1), BIND(Label10);
    BIND(Text1), BIND(Text2), BIND(Label9), BIND(Label11);
    BIND(Command1), BIND(Command2), BIND(Command3), BIND(Timer1);
    BIND(Label1), BIND(Label2), BIND(Label3), BIND(Label4), BIND(Label5), BIND(Label6);
    BIND(Label7), BIND(Label12), BIND(Image1);
    BIND(Line1), BIND(Line2), BIND(Line3), BIND(Line4), BIND(Line5), BIND(Line6);
#undef BIND

    using toolkit::OnClick, toolkit::OnReturn, toolkit::OnTimer;
    OnClick(Option1, this, &Form2::Option1_Click);
    OnClick(Option2, this, &Form2::Option2_Click);
    OnClick(Option3, this, &Form2::Option3_Click);
    OnClick(List1, this, &Form2::List1_Click);
    OnClick(Option4, this, &Form2::Option4_Click);
    OnClick(Option5, this, &Form2::Option5_Click);
    OnClick(Option6, this, &Form2::Option6_Click);
    OnClick(Combo1, this, &Form2::Combo1_Click);
    OnClick(Command1, this, &Form2::Command1_Click);
    OnTimer(Timer1, this, &Form2::Timer1_Timer);
    OnClick(Command2, this, &Form2::Command2_Click);
    OnClick(Command3, this, &Form2::Command3_Click);
    OnReturn(Text1, this, &Form2::Command1_Click); // Return in the speed starts, as Старт does
    // Escape closes an open alert, else the window as Закрыть does; it never reaches the main
    // window under it.
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    close->setContext(Qt::WidgetWithChildrenShortcut);
    connect(close, &QShortcut::activated, this, [this] {
        if (!CloseOpenAlert(Alert::MissingValue)) Command3->click();
    });
}

void Form2::paintEvent(QPaintEvent*) {
    QPainter(this).drawPixmap(0, 0, background_);
}

// The window covers the main window's inputs: the keyboard goes to it, starting with the
// first control of its tab order.
void Form2::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!isAncestorOf(focusWidget())) Option1->setFocus();
}

// Hidden by the program with the keyboard inside, the window hands it back to the main window,
// so that no hidden control takes a key; a minimised main window brings it back as it was.
void Form2::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    LoadingHost* host = Main(); // none while the host itself goes
    if (host && toolkit::HidesKeyboard(this, event)) host->TakeKeyboard();
}

// Tab and Shift+Tab go round this window's controls only, never to the covered ones.
bool Form2::focusNextPrevChild(bool next) {
    return toolkit::FocusNextWithin(this, next);
}

LoadingHost* Form2::Main() const {
    return LoadingHost::Current();
}

void Form2::Form_Load() {
    move(0, 0);
    toolkit::EmbedWindow(this, Main()->HostWindow());
    Combo1->clear();
    for (std::string_view adhesion : core::AdhesionTexts())
        Combo1->addItem(QString::fromUtf8(adhesion.data(), adhesion.size()));
    Combo1->setCurrentIndex(-1); // adding items picks nothing
    Option1->setChecked(true);
    Option6->setChecked(true);
    Label8->hide();
    Label10->hide();
    Label11->hide();
    Label9->setText(QString());
    Timer1->setEnabled(false);
    Command2->hide();
    Text2->hide();
}

void Form2::HandOverRiseTime(const QString& riseTime) {
    Text2->setText(riseTime);
}

void Form2::Option1_Click() {
    FillCategories(core::VehicleGroup::CarsAndBuses);
}

void Form2::Option2_Click() {
    FillCategories(core::VehicleGroup::Trucks);
}

void Form2::Option3_Click() {
    FillCategories(core::VehicleGroup::RoadTrains);
}

void Form2::FillCategories(core::VehicleGroup group) {
    List1->clear();
    for (std::string_view category : core::CategoriesOf(group))
        List1->addItem(QString::fromUtf8(category.data(), category.size()));
    List1->setCurrentRow(0);
}

void Form2::List1_Click() {
    if (auto row = core::RowForCategory(Group(), Std(List1->currentItem()->text())))
        Label8->setText(Integer(*row));
}

// A new load state wants the adhesion picked again; the stored column stays until then.
void Form2::Option4_Click() {
    Combo1->setEditText(QString());
}

void Form2::Option5_Click() {
    Combo1->setEditText(QString());
}

void Form2::Option6_Click() {
    Combo1->setEditText(QString());
}

void Form2::Combo1_Click() {
    if (auto column = core::ColumnForAdhesion(Load(), Std(Combo1->currentText())))
        Label10->setText(Integer(*column));
}

// An empty or refused value changes nothing here but the message; the main window's results,
// which stand beside these inputs, go.
void Form2::Command1_Click() {
    const std::pair<QWidget*, QString> required[] = {{Combo1, Combo1->currentText()},
                                                     {Text1, Text1->text()}};
    for (const auto& [field, text] : required) {
        if (text.isEmpty()) {
            Main()->DropResults();
            ShowAlert(Alert::MissingValue);
            field->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    // A typed adhesion is read as a pick: one of the list takes its own column of the table,
    // any other is refused. The look-up and a trial of the calculation come first, so that a
    // failure starts no timer.
    const std::optional<int> column = core::ColumnForAdhesion(Load(), Std(Combo1->currentText()));
    if (!column) {
        Main()->DropResults();
        QStringList listed;
        for (std::string_view adhesion : core::AdhesionTexts())
            listed << Q(adhesion);
        Combo1->setFocus(Qt::OtherFocusReason);
        toolkit::ShowMessage(
            this, shared::Refusal(QStringLiteral("коэффициент сцепления выбирается из списка: %1.")
                                      .arg(listed.join(QStringLiteral("; ")))));
        return;
    }
    Label10->setText(Integer(*column));
    QString coefficient = Label9->text();
    try {
        const double row = core::ParseDouble(Std(Label8->text()));
        if (auto found = core::LookUpEfficiency(row, *column)) coefficient = Q(*found);
        Compute(coefficient);
    } catch (const core::NumericError& error) {
        ShowCalculationError(error);
        return;
    }
    Label9->setText(coefficient);
    Label9->show();
    Label11->show();
    Timer1->setEnabled(true);
}

// Half a second after Старт the results go to the main window, which plays the animation.
void Form2::Timer1_Timer() {
    computed_ = false;
    Command2->click();
    Timer1->setEnabled(false);
    if (!computed_) return; // the message is out; the window stays for a correction
    hide();
}

void Form2::Command2_Click() {
    LoadingOutcome outcome;
    core::LoadBrakingResults results;
    try {
        results = Compute(Label9->text(), &outcome.record);
    } catch (const core::NumericError& error) {
        ShowCalculationError(error);
        return;
    }
    AddChoices(outcome.record);
    outcome.speed = Text1->text();
    outcome.speedMs = Q(results.speedMs);
    outcome.braking = Q(results.brakingDistance);
    outcome.time = Q(results.brakingTime);
    outcome.skid = Q(results.skid);
    Main()->ShowLoadingOutcome(outcome);
    computed_ = true;
}

// The record starts from the table cell the coefficient came from: the vehicle group,
// category and load of that cell, and the look-up.
void Form2::AddChoices(core::CalculationRecord& record) const {
    try {
        const double row = core::ParseDouble(Std(Label8->text()));
        const double column = core::ParseDouble(Std(Label10->text()));
        const std::optional<std::string> cell = core::LookUpEfficiency(row, column);
        if (cell && *cell == Std(Label9->text()))
            core::StartFromTable(record, static_cast<int>(row), static_cast<int>(column), *cell);
    } catch (const core::NumericError&) {
        // No cell was ever picked; the coefficient stands in the inputs as it is.
    }
}

// Closing without a calculation leaves the main window as it was.
void Form2::Command3_Click() {
    hide();
    toolkit::Discard<Form2>(); // a pending half-second step goes with the window
}

core::VehicleGroup Form2::Group() const {
    if (Option2->isChecked()) return core::VehicleGroup::Trucks;
    if (Option3->isChecked()) return core::VehicleGroup::RoadTrains;
    return core::VehicleGroup::CarsAndBuses;
}

core::LoadState Form2::Load() const {
    if (Option5->isChecked()) return core::LoadState::HalfLoad;
    if (Option4->isChecked()) return core::LoadState::FullLoad;
    return core::LoadState::Unloaded;
}

core::LoadBrakingResults Form2::Compute(const QString& coefficient,
                                        core::CalculationRecord* record) const {
    return core::ComputeLoadBraking({Std(coefficient), Std(Text1->text()),
                                     Std(Combo1->currentText()), Std(Main()->Deceleration()),
                                     Std(Text2->text())},
                                    record);
}

// The main window's results go, and the keyboard waits in the field at fault, where the
// window has one: the deceleration and the rise time are the main window's.
void Form2::ShowCalculationError(const core::NumericError& error) {
    Main()->DropResults();
    if (error.input() == core::IndexOf(core::LoadBrakingInput::Speed))
        Text1->setFocus(Qt::OtherFocusReason);
    if (error.input() == core::IndexOf(core::LoadBrakingInput::Adhesion))
        Combo1->setFocus(Qt::OtherFocusReason);
    const QStringList texts = {Label9->text(), Text1->text(), Combo1->currentText(),
                               Main()->Deceleration(), Text2->text()};
    toolkit::ShowMessage(this,
                         shared::CalculationRefusal(error, core::LoadBrakingInputList(), texts));
}
