#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <array>
#include <optional>
#include <vector>

#include "core/inputs.h"
#include "core/record.h"
#include "windows/analysis/analysis_start.h"
#include "windows/record/last_record.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QTabWidget;
class PathDiagramView;
class VideoViewer;

namespace core {
class NumericError;
struct Conclusion;
} // namespace core

// «Техническая возможность»: whether the driver could have avoided the collision by braking in
// time, for a pedestrian or a fixed obstacle, with the speed at the impact after a skid and the
// speed by video frames beside them. It shows the core's calculations (core/avoidance.h,
// impact.h, video.h) and adds no formula. Every field takes a number or a range («0,6–1,4»,
// «0,6…1,4», «0,6..1,4»); a field the core would refuse is marked at once with the reason
// beside it, and nothing is computed while one is. A window of Qt layouts, sized by the system's
// font.
//
// The keyboard goes through the fields and their presets from the top, the calculations' tabs,
// the fields and results of the one shown, its diagram, and the buttons. Return computes the
// calculation shown, Escape closes the window.
class AnalysisWindow : public QWidget {
    Q_OBJECT
public:
    enum class Calculation { Pedestrian, Obstacle, Impact, Video };

    AnalysisWindow();

    // Fills the five fields from `start`, replacing what they held.
    void Start(const AnalysisStart& start);
    void ShowCalculation(Calculation calculation);
    Calculation Shown() const;

    // The record of the calculation shown, when it has results; nullptr otherwise.
    const core::CalculationRecord* Record() const { return record_.Get(); }

    // Computes the calculation shown, as Return and «Рассчитать» do.
    void Compute();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // A field of the window with the input it gives and the place for its reason when refused.
    struct Field {
        QLineEdit* edit = nullptr;
        QLabel* problem = nullptr;
        const core::InputDescriptor* input = nullptr;
    };
    // A preset the user chose for a field: the text it put there and what the record says of it.
    struct PresetUse {
        QString text, note;
    };
    struct Page {
        std::vector<Field*> inputs; // in the order the core reads them
        std::vector<QLineEdit*> results;
        std::vector<QLabel*> verdicts;
        std::optional<core::CalculationRecord> record; // as kept, while the results stand
    };

    Field speed_, reaction_, delay_, rise_, deceleration_;
    Field pedestrianPath_, pedestrianSpeed_, speedLimit_, visibility_, skid_;
    Field frames_, fps_, videoDistance_;
    QComboBox *decelerationPreset_, *pedestrianPreset_, *surfacePreset_;
    QCheckBox* pedestrianMean_;
    QLabel* adhesionHint_;
    QTabWidget* calculations_;
    QScrollArea* scroll_;
    // Results, by calculation.
    QLineEdit *pedestrianTime_, *distanceAtDanger_, *pedestrianStoppingDistance_, *criticalSpeed_,
        *limitStoppingDistance_;
    QLabel *pedestrianVerdict_, *limitVerdict_;
    QLineEdit *obstacleStoppingDistance_, *safeSpeed_;
    QLabel* obstacleVerdict_;
    QLineEdit* impactSpeed_;
    QLineEdit *elapsed_, *videoSpeed_, *videoSpeedRange_;
    PathDiagramView* diagram_;
    QLabel* status_;
    QPushButton *computeButton_, *copyButton_, *saveButton_, *caseButton_, *closeButton_;
    // Beside the frame count: the frame viewer, which times the frames by the file itself.
    QPushButton* openVideoButton_;
    QPointer<VideoViewer> videoViewer_;
    std::array<Page, 4> pages_;
    std::optional<PresetUse> pedestrianPresetUse_, decelerationPresetUse_;
    std::vector<QWidget*> tabOrder_; // every control the keyboard reaches, as the eye goes
    LastRecord record_{this};

    Page& PageOf(Calculation calculation) { return pages_[static_cast<std::size_t>(calculation)]; }
    core::InputList InputsOf(Calculation calculation) const;

    QWidget* BuildCar();
    QWidget* BuildPedestrian();
    QWidget* BuildObstacle();
    QWidget* BuildImpact();
    QWidget* BuildVideo();
    QLineEdit* AddField(class QGridLayout* grid, Field& field, const core::InputDescriptor& input,
                        const char* role, QWidget* preset = nullptr);
    QLineEdit* AddResult(class QGridLayout* grid, const char* role, const QString& caption,
                         const QString& unit);
    QLabel* AddVerdict(class QGridLayout* grid, const char* role, const QString& name);

    // Marks the field with the reason the core gives for its text, or clears the mark; true when
    // the text is read. An empty field is only marked when `required`.
    bool Check(Field& field, const core::InputDescriptor& input, bool required);
    void Mark(Field& field, const QString& reason);
    void onFieldEdited(Field& field);
    void onDecelerationPreset();
    void onPedestrianPreset();
    void onSurfacePreset();
    void onCalculationShown();

    void ShowPedestrian(const core::CalculationRecord& record);
    void ShowVerdict(QLabel* label, const core::Conclusion* conclusion);
    void Keep(Calculation calculation, core::CalculationRecord record);
    // Empties the page's results and drops its record: no result stands beside inputs it was
    // not computed from.
    void ClearResults(Calculation calculation);
    // Grows the window to the height its wrapped texts need at its width.
    void FitContents();
    void Refuse(Calculation calculation, const core::NumericError& error);
};

// Opens the window with `start`, or brings up the one `window` already holds with `start` in
// its fields. The caller, who owns the windows, keeps the pointer; the window is deleted when it
// closes, which empties it.
AnalysisWindow* OpenAnalysis(QPointer<AnalysisWindow>& window, const AnalysisStart& start);
