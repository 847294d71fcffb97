#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>
#include <optional>

#include "core/loading.h"
#include "windows/loading/loading_outcome.h"
#include "windows/toolkit/controls_fwd.h"

namespace core {
class NumericError;
}

// The loading window: the braking distance by vehicle category, load and road adhesion.
// Embedded in the window that owns it, over that window's strip and inputs. It gets the
// deceleration and the rise time from its owner (Open, Give) and answers with one signal: an
// outcome half a second after Старт, or a refusal; it calls nothing of its owner.
class LoadingWindow : public QWidget {
    Q_OBJECT
public:
    // Embedded in `owner`, hidden, in its start state.
    explicit LoadingWindow(QWidget* owner);

    // Shows the window over its owner with the keyboard in it, with what it needs from there.
    void Open(const LoadingGiven& given);
    // The deceleration or the rise time changed in the owner: the next calculation uses these.
    void Give(const LoadingGiven& given);

signals:
    // The calculation succeeded; the window has hidden itself.
    void calculated(const LoadingOutcome& outcome);
    // The calculation was refused or failed; the message is out and the window stays.
    void refused();
    // Закрыть or Escape: the window has hidden, and its owner discards it.
    void closed();
    // The window hid while it held the keyboard; the owner takes it back.
    void keyboardLeft();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    // The controls, found by tests as users find them, by name (objectName).
    // The vehicle group and its category.
    QGroupBox* vehicleGroup;
    toolkit::OptionButton *carsAndBuses, *trucks, *roadTrains;
    QListWidget* category;
    // The load state and the adhesion.
    toolkit::OptionButton *unloaded, *halfLoad, *fullLoad;
    QComboBox* adhesion;
    // The speed, the coefficient the table gave and its caption.
    QLineEdit* speed;
    toolkit::Label *coefficient, *coefficientCaption;
    QPushButton *startButton, *closeButton;
    // The half second between Старт and the outcome.
    toolkit::Timer* handOverTimer;

    void onGroupClicked(core::VehicleGroup group);
    void onCategoryClicked();
    void onLoadClicked();
    void onAdhesionClicked();
    void onStartClicked();
    void onHandOver();
    void onCloseClicked();

    core::VehicleGroup Group() const;
    core::LoadState Load() const;
    // The four results from the cell picked at Старт and the current inputs, with their record.
    core::LoadBrakingResults Compute(core::CalculationRecord* record = nullptr) const;
    // The refusal, then the message, with the keyboard in the field at fault.
    void ShowCalculationError(const core::NumericError& error);

    // The table's cell: the row of the category picked, the column of the adhesion picked, and
    // the coefficient of the cell when Старт looked it up.
    struct Cell {
        int row = 0, column = 0;
        std::string coefficient;
    };
    std::optional<int> row_;
    std::optional<int> column_;
    std::optional<Cell> cell_;
    LoadingGiven given_;
    QPixmap background_;
};
