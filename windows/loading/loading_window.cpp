#include "windows/loading/loading_window.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <utility>

#include "core/numeric_error.h"
#include "windows/alerts/alert_window.h"
#include "windows/loading/loading_layout.h"
#include "windows/shared/problem.h"
#include "windows/shared/text.h"
#include "windows/toolkit/controls.h"
#include "windows/toolkit/events.h"
#include "windows/toolkit/messages.h"
#include "windows/toolkit/pictures.h"
#include "windows/toolkit/window.h"

using shared::Q;
using shared::Std;

LoadingWindow::LoadingWindow(QWidget* owner) {
    setObjectName(QStringLiteral("loadingWindow"));
    // No frame and no taskbar button even before it is embedded.
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    setFont(toolkit::WindowFont());
    resize(592, 219); // client area 8880 × 3285 twips
    background_ = toolkit::LoadPicture(toolkit::Picture::Marsh);

    const toolkit::Controls controls = toolkit::BuildLayout(this, LoadingLayout());
#define BIND(name) controls.bind(name, #name)
    BIND(vehicleGroup), BIND(carsAndBuses), BIND(trucks), BIND(roadTrains), BIND(category);
    BIND(unloaded), BIND(halfLoad), BIND(fullLoad), BIND(adhesion);
    BIND(speed), BIND(coefficient), BIND(coefficientCaption);
    BIND(startButton), BIND(closeButton), BIND(handOverTimer);
#undef BIND

    using toolkit::OnClick;
    OnClick(carsAndBuses, this, [this] { onGroupClicked(core::VehicleGroup::CarsAndBuses); });
    OnClick(trucks, this, [this] { onGroupClicked(core::VehicleGroup::Trucks); });
    OnClick(roadTrains, this, [this] { onGroupClicked(core::VehicleGroup::RoadTrains); });
    OnClick(category, this, &LoadingWindow::onCategoryClicked);
    for (toolkit::OptionButton* load : {fullLoad, halfLoad, unloaded})
        OnClick(load, this, &LoadingWindow::onLoadClicked);
    OnClick(adhesion, this, &LoadingWindow::onAdhesionClicked);
    OnClick(startButton, this, &LoadingWindow::onStartClicked);
    toolkit::OnTimer(handOverTimer, this, &LoadingWindow::onHandOver);
    OnClick(closeButton, this, &LoadingWindow::onCloseClicked);
    // Return in the speed starts, as Старт does.
    toolkit::OnReturn(speed, this, &LoadingWindow::onStartClicked);
    // Escape closes an open alert, else the window as Закрыть does; it never reaches the window
    // under it.
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    close->setContext(Qt::WidgetWithChildrenShortcut);
    connect(close, &QShortcut::activated, this, [this] {
        if (!CloseOpenAlert(Alert::MissingValue)) closeButton->click();
    });

    // The start state, embedded and hidden until Open.
    move(0, 0);
    toolkit::EmbedWindow(this, owner);
    for (std::string_view text : core::AdhesionTexts())
        adhesion->addItem(Q(text));
    adhesion->setCurrentIndex(-1); // adding items picks nothing
    carsAndBuses->setChecked(true);
    unloaded->setChecked(true);
    coefficientCaption->hide();
    coefficient->setText(QString());
    handOverTimer->setEnabled(false);
}

void LoadingWindow::paintEvent(QPaintEvent*) {
    QPainter(this).drawPixmap(0, 0, background_);
}

// The window covers its owner's inputs: the keyboard goes to it, starting with the first
// control of its tab order.
void LoadingWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!isAncestorOf(focusWidget())) carsAndBuses->setFocus();
}

// Hidden with the keyboard inside, the window hands it back to its owner, so that no hidden
// control takes a key; a minimised owner brings it back as it was.
void LoadingWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (toolkit::HidesKeyboard(this, event)) emit keyboardLeft();
}

// Tab and Shift+Tab go round this window's controls only, never to the covered ones.
bool LoadingWindow::focusNextPrevChild(bool next) {
    return toolkit::FocusNextWithin(this, next);
}

void LoadingWindow::Open(const LoadingGiven& given) {
    given_ = given;
    show();
    raise();
}

void LoadingWindow::Give(const LoadingGiven& given) {
    given_ = given;
}

void LoadingWindow::onGroupClicked(core::VehicleGroup group) {
    category->clear();
    for (std::string_view text : core::CategoriesOf(group))
        category->addItem(Q(text));
    category->setCurrentRow(0);
}

void LoadingWindow::onCategoryClicked() {
    if (auto row = core::RowForCategory(Group(), Std(category->currentItem()->text()))) row_ = row;
}

// A new load state wants the adhesion picked again; the column picked stays until then.
void LoadingWindow::onLoadClicked() {
    adhesion->setEditText(QString());
}

void LoadingWindow::onAdhesionClicked() {
    if (auto column = core::ColumnForAdhesion(Load(), Std(adhesion->currentText())))
        column_ = column;
}

// An empty or refused value changes nothing here but the message; the owner's results, which
// stand beside these inputs, go. The table's cell is looked up once, here: the calculation
// half a second later and its record start from it.
void LoadingWindow::onStartClicked() {
    const std::pair<QWidget*, QString> required[] = {{adhesion, adhesion->currentText()},
                                                     {speed, speed->text()}};
    for (const auto& [field, text] : required) {
        if (text.isEmpty()) {
            emit refused();
            ShowAlert(Alert::MissingValue);
            field->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    // A typed adhesion is read as a pick: one of the list takes its own column of the table,
    // any other is refused. The look-up and a trial of the calculation come first, so that a
    // failure starts no timer.
    const std::optional<int> column = core::ColumnForAdhesion(Load(), Std(adhesion->currentText()));
    if (!column) {
        emit refused();
        QStringList listed;
        for (std::string_view text : core::AdhesionTexts())
            listed << Q(text);
        adhesion->setFocus(Qt::OtherFocusReason);
        toolkit::ShowMessage(
            this, shared::Refusal(QStringLiteral("коэффициент сцепления выбирается из списка: %1.")
                                      .arg(listed.join(QStringLiteral("; ")))));
        return;
    }
    column_ = column;
    std::optional<Cell> picked = cell_;
    if (row_)
        if (std::optional<std::string> found = core::LookUpEfficiency(*row_, *column_))
            picked = Cell{*row_, *column_, *found};
    const std::optional<Cell> before = std::exchange(cell_, picked);
    try {
        Compute();
    } catch (const core::NumericError& error) {
        ShowCalculationError(error);
        cell_ = before; // the readout keeps the coefficient it shows
        return;
    }
    coefficient->setText(Q(cell_->coefficient));
    coefficient->show();
    coefficientCaption->show();
    handOverTimer->setEnabled(true);
}

// Half a second after Старт the outcome goes to the owner, and the window hides; a failure
// leaves the message and the window for a correction.
void LoadingWindow::onHandOver() {
    handOverTimer->setEnabled(false);
    LoadingOutcome outcome;
    core::LoadBrakingResults results;
    try {
        results = Compute(&outcome.record);
    } catch (const core::NumericError& error) {
        ShowCalculationError(error);
        return;
    }
    core::StartFromTable(outcome.record, cell_->row, cell_->column, cell_->coefficient);
    outcome.speed = speed->text();
    outcome.speedMs = Q(results.speedMs);
    outcome.braking = Q(results.brakingDistance);
    outcome.time = Q(results.brakingTime);
    outcome.skid = Q(results.skid);
    emit calculated(outcome);
    hide();
}

// Closing without a calculation leaves the owner as it was; a pending half second goes too.
void LoadingWindow::onCloseClicked() {
    handOverTimer->setEnabled(false);
    hide();
    emit closed();
}

core::VehicleGroup LoadingWindow::Group() const {
    if (trucks->isChecked()) return core::VehicleGroup::Trucks;
    if (roadTrains->isChecked()) return core::VehicleGroup::RoadTrains;
    return core::VehicleGroup::CarsAndBuses;
}

core::LoadState LoadingWindow::Load() const {
    if (halfLoad->isChecked()) return core::LoadState::HalfLoad;
    if (fullLoad->isChecked()) return core::LoadState::FullLoad;
    return core::LoadState::Unloaded;
}

core::LoadBrakingResults LoadingWindow::Compute(core::CalculationRecord* record) const {
    return core::ComputeLoadBraking({cell_ ? cell_->coefficient : std::string(), Std(speed->text()),
                                     Std(adhesion->currentText()), Std(given_.deceleration),
                                     Std(given_.riseTime)},
                                    record);
}

// The owner's results go, and the keyboard waits in the field at fault, where the window has
// one: the deceleration and the rise time are the owner's.
void LoadingWindow::ShowCalculationError(const core::NumericError& error) {
    emit refused();
    if (error.input() == core::IndexOf(core::LoadBrakingInput::Speed))
        speed->setFocus(Qt::OtherFocusReason);
    if (error.input() == core::IndexOf(core::LoadBrakingInput::Adhesion))
        adhesion->setFocus(Qt::OtherFocusReason);
    const QStringList texts = {cell_ ? Q(cell_->coefficient) : QString(), speed->text(),
                               adhesion->currentText(), given_.deceleration, given_.riseTime};
    toolkit::ShowMessage(this,
                         shared::CalculationRefusal(error, core::LoadBrakingInputList(), texts));
}
