#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>

#include "core/loading.h"
#include "windows/loading/loading_host.h"
#include "windows/toolkit/controls_fwd.h"

namespace core {
class NumericError;
}

// The loading window: the braking distance by vehicle category, load and road adhesion.
// Embedded in the main window over its strip and inputs; it hands its outcome to the main
// window, which shows it and plays the braking animation, and hides itself.
class Form2 : public QWidget {
    Q_OBJECT
public:
    Form2();

    // Embeds the window in the main window and brings it into its start state; runs once,
    // before it is first shown (toolkit::Load).
    void Form_Load();

    // The main window's rise time, written when it opens this window.
    void HandOverRiseTime(const QString& riseTime);

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    // The controls, found by tests as users find them, by name (objectName).
    // Vehicle group, category list and the row it stores.
    QGroupBox* Frame1;
    toolkit::OptionButton *Option1, *Option2, *Option3;
    QListWidget* List1;
    toolkit::Label* Label8;
    // Load state, adhesion and the column it stores.
    toolkit::OptionButton *Option6, *Option5, *Option4;
    QComboBox* Combo1;
    toolkit::Label* Label10;
    // Speed, hidden rise time, the coefficient and its caption.
    QLineEdit *Text1, *Text2;
    toolkit::Label *Label9, *Label11;
    // Start, compute (hidden, pressed by the timer), close; the half-second delay.
    QPushButton *Command1, *Command2, *Command3;
    toolkit::Timer* Timer1;
    // Captions, the frame's copy of the background, the red frame.
    toolkit::Label *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label12;
    toolkit::Image* Image1;
    toolkit::Line *Line1, *Line2, *Line3, *Line4, *Line5, *Line6;

    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void FillCategories(core::VehicleGroup group);
    void List1_Click();
    void Option4_Click();
    void Option5_Click();
    void Option6_Click();
    void Combo1_Click();
    void Command1_Click();
    void Timer1_Timer();
    void Command2_Click();
    void Command3_Click();

    LoadingHost* Main() const;
    core::VehicleGroup Group() const;
    core::LoadState Load() const;
    // The four results from the coefficient text and the current inputs, with their record.
    core::LoadBrakingResults Compute(const QString& coefficient,
                                     core::CalculationRecord* record = nullptr) const;
    void ShowCalculationError(const core::NumericError& error);
    void AddChoices(core::CalculationRecord& record) const;

    QPixmap background_;
    bool computed_ = false; // set by Command2_Click when the results were written
};
