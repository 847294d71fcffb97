#include "windows/analysis/analysis_window.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cmath>
#include <utility>

#include "core/avoidance.h"
#include "core/impact.h"
#include "core/numeric_error.h"
#include "core/problem.h"
#include "core/range.h"
#include "core/video.h"
#include "windows/analysis/path_diagram_view.h"
#include "windows/analysis/presets.h"
#include "windows/shared/problem.h"
#include "windows/shared/text.h"
#include "windows/toolkit/events.h"
#include "windows/toolkit/fonts.h"
#include "windows/toolkit/pictures.h"
#include "windows/toolkit/window.h"
#include "windows/video/video_viewer.h"

using shared::Q;
using shared::Std;
namespace input = core::input;

namespace {

// The colour of a verdict, on the window's light background: the one place it is chosen.
QColor VerdictColour(core::Verdict verdict) {
    switch (verdict) {
    case core::Verdict::Holds:
        return QColor(0x1b, 0x5e, 0x20); // could: dark green
    case core::Verdict::Fails:
        return QColor(0xb7, 0x1c, 0x1c); // could not: dark red
    case core::Verdict::Open:
        return QColor(0x7a, 0x4f, 0x00); // depends on the values: dark amber
    case core::Verdict::None:
        break;
    }
    return QColor(Qt::black);
}

// The refused field's frame.
const QString kRefusedStyle = QStringLiteral("QLineEdit[refused=\"true\"] { border: 2px solid "
                                             "#b71c1c; }");

// "Скорость автомобиля, км/ч": an input's accessible name, from its descriptor.
QString NameWithUnit(const core::InputDescriptor& input) {
    return input.unit.empty() ? Q(input.name)
                              : Q(input.name) + QStringLiteral(", ") + Q(input.unit);
}

// "Скорость автомобиля V, км/ч:": the caption beside the field.
QString Caption(const core::InputDescriptor& input) {
    QString caption = Q(input.name) + u' ' + Q(input.symbol);
    if (!input.unit.empty()) caption += QStringLiteral(", ") + Q(input.unit);
    return caption + u':';
}

// The window's font: the embedded face at the system's size.
QFont SystemSizedFont() {
    QFont font = toolkit::WindowFont();
    const QFont system = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    if (system.pointSizeF() > 0)
        font.setPointSizeF(system.pointSizeF());
    else if (system.pixelSize() > 0)
        font.setPixelSize(system.pixelSize());
    return font;
}

// A preset list as wide as its first item, which says what it offers, however long the values
// after it are; open, as wide as its longest.
void FitCaption(QComboBox* list) {
    const QFontMetricsF metrics(list->font());
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(static_cast<int>(
        std::ceil(metrics.horizontalAdvance(list->itemText(0)) / metrics.horizontalAdvance(u'x'))));
    list->view()->setMinimumWidth(list->view()->sizeHintForColumn(0));
}

} // namespace

AnalysisWindow::AnalysisWindow() {
    setObjectName(QStringLiteral("analysisWindow"));
    setWindowTitle(QStringLiteral("Кварнет. Техническая возможность предотвратить наезд"));
    setWindowIcon(toolkit::AppIcon());
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(SystemSizedFont());
    setStyleSheet(kRefusedStyle);

    // Everything but the buttons scrolls, for a large font or scale on a small screen.
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("content"));
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(BuildCar());

    calculations_ = new QTabWidget;
    calculations_->setObjectName(QStringLiteral("calculations"));
    calculations_->setAccessibleName(QStringLiteral("Расчёт"));
    calculations_->setUsesScrollButtons(false); // every calculation's name in full
    tabOrder_.push_back(calculations_);
    calculations_->addTab(BuildPedestrian(), QStringLiteral("Наезд на пешехода"));
    calculations_->addTab(BuildObstacle(), QStringLiteral("Неподвижное препятствие / видимость"));
    calculations_->addTab(BuildImpact(), QStringLiteral("Торможение до удара"));
    calculations_->addTab(BuildVideo(), QStringLiteral("Скорость по кадрам видеозаписи"));
    layout->addWidget(calculations_);

    diagram_ = new PathDiagramView;
    tabOrder_.push_back(diagram_);
    layout->addWidget(diagram_);

    status_ = new QLabel;
    status_->setObjectName(QStringLiteral("status"));
    status_->setWordWrap(true);
    status_->setAccessibleName(QStringLiteral("Сообщение"));
    layout->addWidget(status_);
    layout->addStretch();
    scroll_ = new QScrollArea;
    scroll_->setObjectName(QStringLiteral("scroll"));
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(true);
    scroll_->setFocusPolicy(Qt::NoFocus);
    scroll_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    scroll_->setWidget(content);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(scroll_, 1);

    auto* buttons = new QHBoxLayout;
    const auto button = [&](QPushButton*& member, const char* role, const QString& caption) {
        member = new QPushButton(caption);
        member->setObjectName(QString::fromLatin1(role));
        buttons->addWidget(member);
        tabOrder_.push_back(member);
    };
    button(computeButton_, "computeButton", QStringLiteral("Рассчитать"));
    button(copyButton_, "copyButton", QStringLiteral("Копировать расчёт"));
    button(saveButton_, "saveButton", QStringLiteral("Сохранить расчёт…"));
    button(caseButton_, "caseButton", QStringLiteral("Сведения о деле…"));
    buttons->addStretch();
    button(closeButton_, "closeButton", QStringLiteral("Закрыть"));
    outer->addLayout(buttons);

    using toolkit::OnClick;
    OnClick(computeButton_, this, &AnalysisWindow::Compute);
    OnClick(copyButton_, this, toolkit::Handler([this] { record_.Copy(); }));
    OnClick(saveButton_, this, toolkit::Handler([this] { record_.Save(); }));
    OnClick(caseButton_, this, toolkit::Handler([this] { record_.AskCaseDetails(); }));
    OnClick(closeButton_, this, toolkit::Handler([this] { close(); }));
    connect(calculations_, &QTabWidget::currentChanged, this, &AnalysisWindow::onCalculationShown);

    for (std::size_t i = 1; i < tabOrder_.size(); ++i)
        QWidget::setTabOrder(tabOrder_[i - 1], tabOrder_[i]);
    onCalculationShown();
    FitContents();
}

void AnalysisWindow::FitContents() {
    // Captions and verdicts wrap: the height they need depends on the width. The window grows
    // to show it all, up to the screen; beyond, its content scrolls.
    const QWidget* content = scroll_->widget();
    const QMargins margins = layout()->contentsMargins();
    const int aroundWidth =
        margins.left() + margins.right() + style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int aroundHeight = margins.top() + margins.bottom() + layout()->spacing() +
                             computeButton_->sizeHint().height();
    const QSize room = screen() ? screen()->availableGeometry().size() * 9 / 10 : QSize(4000, 4000);
    const int wide =
        std::min(std::max(width(), content->sizeHint().width() + aroundWidth), room.width());
    const int tall =
        std::min(std::max(height(), content->layout()->totalHeightForWidth(wide - aroundWidth) +
                                        aroundHeight),
                 room.height());
    if (wide != width() || tall != height()) resize(wide, tall);
}

void AnalysisWindow::Start(const AnalysisStart& start) {
    const std::pair<Field*, const QString*> given[] = {{&speed_, &start.speed},
                                                       {&reaction_, &start.reaction},
                                                       {&delay_, &start.delay},
                                                       {&rise_, &start.rise},
                                                       {&deceleration_, &start.deceleration}};
    for (const auto& [field, text] : given)
        field->edit->setText(*text);
}

QWidget* AnalysisWindow::BuildCar() {
    auto* box = new QGroupBox(QStringLiteral("Автомобиль и водитель"));
    auto* grid = new QGridLayout(box);
    AddField(grid, speed_, input::kVehicleSpeed, "speed");
    AddField(grid, reaction_, input::kReaction, "reaction");
    AddField(grid, delay_, input::kDelay, "delay");
    AddField(grid, rise_, input::kRise, "rise");

    decelerationPreset_ = new QComboBox;
    decelerationPreset_->setObjectName(QStringLiteral("decelerationPreset"));
    decelerationPreset_->setAccessibleName(QStringLiteral("Замедление по таблице"));
    // On Linux a screen reader names a list by the item it shows: the first says what it is.
    decelerationPreset_->addItem(QStringLiteral("Замедление по таблице…"));
    for (const analysis::DecelerationPreset& preset : analysis::DecelerationPresets()) {
        decelerationPreset_->addItem(preset.caption + QStringLiteral(" — ") + preset.value);
        decelerationPreset_->setItemData(decelerationPreset_->count() - 1,
                                         QStringLiteral("Источник: ") + preset.source,
                                         Qt::ToolTipRole);
    }
    decelerationPreset_->setToolTip(
        QStringLiteral("Установившееся замедление по нормативам проверки тормозов (ПДД РФ, "
                       "Перечень неисправностей, п. 1.1) и значения главного окна; источник "
                       "каждого значения — в подсказке к нему"));
    FitCaption(decelerationPreset_);
    AddField(grid, deceleration_, input::kDeceleration, "deceleration", decelerationPreset_);
    toolkit::OnClick(decelerationPreset_, this, &AnalysisWindow::onDecelerationPreset);

    // The adhesion coefficient only hints: no field here takes it.
    surfacePreset_ = new QComboBox;
    surfacePreset_->setObjectName(QStringLiteral("surfacePreset"));
    surfacePreset_->setAccessibleName(QStringLiteral("Покрытие: подсказка коэффициента сцепления"));
    surfacePreset_->addItem(QStringLiteral("Покрытие (подсказка φ)…"));
    for (const analysis::AdhesionHint& hint : analysis::AdhesionHints())
        surfacePreset_->addItem(hint.surface);
    surfacePreset_->setToolTip(QStringLiteral("Источник: ") + analysis::kAdhesionSource);
    adhesionHint_ = new QLabel;
    adhesionHint_->setObjectName(QStringLiteral("adhesionHint"));
    adhesionHint_->setWordWrap(true);
    adhesionHint_->setToolTip(QStringLiteral("Источник: ") + analysis::kAdhesionSource);
    const int row = grid->rowCount();
    auto* caption = new QLabel(QStringLiteral("Коэффициент сцепления φ (подсказка):"));
    caption->setBuddy(surfacePreset_);
    grid->addWidget(caption, row, 0);
    grid->addWidget(surfacePreset_, row, 1);
    grid->addWidget(adhesionHint_, row, 2);
    tabOrder_.push_back(surfacePreset_);
    toolkit::OnClick(surfacePreset_, this, &AnalysisWindow::onSurfacePreset);
    grid->setColumnStretch(2, 1);
    return box;
}

QWidget* AnalysisWindow::BuildPedestrian() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("pedestrianPage"));
    auto* grid = new QGridLayout(page);
    AddField(grid, pedestrianPath_, input::kPedestrianPath, "pedestrianPath");

    auto* presets = new QWidget;
    auto* row = new QHBoxLayout(presets);
    row->setContentsMargins(0, 0, 0, 0);
    pedestrianPreset_ = new QComboBox;
    pedestrianPreset_->setObjectName(QStringLiteral("pedestrianPreset"));
    pedestrianPreset_->setAccessibleName(QStringLiteral("Скорость пешехода по таблице"));
    pedestrianPreset_->addItem(QStringLiteral("Скорость пешехода по таблице…"));
    for (const analysis::PedestrianPreset& preset : analysis::PedestrianPresets())
        pedestrianPreset_->addItem(preset.Caption());
    pedestrianPreset_->setToolTip(QStringLiteral("Источник: ") + analysis::kPedestrianSource);
    FitCaption(pedestrianPreset_);
    pedestrianMean_ = new QCheckBox(QStringLiteral("среднее"));
    pedestrianMean_->setObjectName(QStringLiteral("pedestrianMean"));
    pedestrianMean_->setAccessibleName(
        QStringLiteral("Среднее значение из таблицы вместо пределов"));
    pedestrianMean_->setToolTip(pedestrianMean_->accessibleName());
    row->addWidget(pedestrianPreset_, 1);
    row->addWidget(pedestrianMean_);
    AddField(grid, pedestrianSpeed_, input::kPedestrianSpeed, "pedestrianSpeed", presets);
    tabOrder_.push_back(pedestrianPreset_);
    tabOrder_.push_back(pedestrianMean_);
    toolkit::OnClick(pedestrianPreset_, this, &AnalysisWindow::onPedestrianPreset);
    toolkit::OnClick(pedestrianMean_, this, &AnalysisWindow::onPedestrianPreset);
    AddField(grid, speedLimit_, input::kSpeedLimit, "speedLimit");
    speedLimit_.edit->setPlaceholderText(QStringLiteral("не обязательно"));

    Page& p = PageOf(Calculation::Pedestrian);
    p.inputs = {&speed_,        &reaction_,       &delay_,           &rise_,
                &deceleration_, &pedestrianPath_, &pedestrianSpeed_, &speedLimit_};
    pedestrianTime_ = AddResult(grid, "pedestrianTime",
                                QStringLiteral("Время движения пешехода до места наезда Tп"),
                                QStringLiteral("с"));
    distanceAtDanger_ =
        AddResult(grid, "distanceAtDanger",
                  QStringLiteral("Удаление автомобиля от места наезда в момент возникновения "
                                 "опасности Sa"),
                  QStringLiteral("м"));
    pedestrianStoppingDistance_ =
        AddResult(grid, "pedestrianStoppingDistance", QStringLiteral("Остановочный путь Sо"),
                  QStringLiteral("м"));
    criticalSpeed_ = AddResult(grid, "criticalSpeed", QStringLiteral("Критическая скорость Vкр"),
                               QStringLiteral("км/ч"));
    pedestrianVerdict_ = AddVerdict(grid, "pedestrianVerdict",
                                    QStringLiteral("Техническая возможность предотвратить наезд"));
    limitStoppingDistance_ = AddResult(
        grid, "limitStoppingDistance",
        QStringLiteral("Остановочный путь при допустимой скорости Sо.доп"), QStringLiteral("м"));
    // Computed only with a permitted speed: the row stands, for the eye and a screen reader, only
    // while it has a value.
    QWidget* limitCaption = grid->itemAtPosition(grid->rowCount() - 1, 0)->widget();
    const auto showLimit = [edit = limitStoppingDistance_, limitCaption] {
        edit->setVisible(!edit->text().isEmpty());
        limitCaption->setVisible(edit->isVisibleTo(edit->parentWidget()));
    };
    connect(limitStoppingDistance_, &QLineEdit::textChanged, this, showLimit);
    showLimit();
    limitVerdict_ =
        AddVerdict(grid, "limitVerdict",
                   QStringLiteral("Техническая возможность при движении с допустимой скоростью"));
    p.results = {pedestrianTime_, distanceAtDanger_, pedestrianStoppingDistance_, criticalSpeed_,
                 limitStoppingDistance_};
    p.verdicts = {pedestrianVerdict_, limitVerdict_};
    grid->setRowStretch(grid->rowCount(), 1);
    return page;
}

QWidget* AnalysisWindow::BuildObstacle() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("obstaclePage"));
    auto* grid = new QGridLayout(page);
    AddField(grid, visibility_, input::kVisibility, "visibility");
    Page& p = PageOf(Calculation::Obstacle);
    p.inputs = {&speed_, &reaction_, &delay_, &rise_, &deceleration_, &visibility_};
    obstacleStoppingDistance_ =
        AddResult(grid, "obstacleStoppingDistance", QStringLiteral("Остановочный путь Sо"),
                  QStringLiteral("м"));
    safeSpeed_ = AddResult(grid, "safeSpeed", QStringLiteral("Безопасная скорость Vбез"),
                           QStringLiteral("км/ч"));
    obstacleVerdict_ = AddVerdict(grid, "obstacleVerdict",
                                  QStringLiteral("Техническая возможность предотвратить наезд"));
    p.results = {obstacleStoppingDistance_, safeSpeed_};
    p.verdicts = {obstacleVerdict_};
    grid->setRowStretch(grid->rowCount(), 1);
    return page;
}

QWidget* AnalysisWindow::BuildImpact() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("impactPage"));
    auto* grid = new QGridLayout(page);
    auto* note = new QLabel(QStringLiteral(
        "Скорость автомобиля — в начале торможения; след торможения — до места удара."));
    note->setWordWrap(true);
    grid->addWidget(note, 0, 0, 1, 3);
    AddField(grid, skid_, input::kSkid, "skid");
    Page& p = PageOf(Calculation::Impact);
    p.inputs = {&speed_, &rise_, &deceleration_, &skid_};
    impactSpeed_ = AddResult(grid, "impactSpeed", QStringLiteral("Скорость в момент удара Vу"),
                             QStringLiteral("км/ч"));
    p.results = {impactSpeed_};
    grid->setRowStretch(grid->rowCount(), 1);
    return page;
}

QWidget* AnalysisWindow::BuildVideo() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("videoPage"));
    auto* grid = new QGridLayout(page);
    // The frame count and rate are typed here; the frame viewer, beside them, times the frames
    // by the video file's own timestamps instead.
    openVideoButton_ = new QPushButton(QStringLiteral("Открыть видеозапись…"));
    openVideoButton_->setObjectName(QStringLiteral("openVideoButton"));
    openVideoButton_->setAccessibleName(QStringLiteral("Открыть видеозапись в окне кадров"));
    openVideoButton_->setAutoDefault(false);
    connect(openVideoButton_, &QPushButton::clicked, this,
            [this] { OpenVideoViewer(videoViewer_); });
    AddField(grid, frames_, input::kFrames, "frames", openVideoButton_);
    grid->setAlignment(openVideoButton_, Qt::AlignLeft); // as wide as its words, not the column
    AddField(grid, fps_, input::kFrameRate, "fps");
    AddField(grid, videoDistance_, input::kDistance, "videoDistance");
    Page& p = PageOf(Calculation::Video);
    p.inputs = {&frames_, &fps_, &videoDistance_};
    elapsed_ =
        AddResult(grid, "elapsed", QStringLiteral("Время между кадрами t"), QStringLiteral("с"));
    videoSpeed_ =
        AddResult(grid, "videoSpeed", QStringLiteral("Скорость V"), QStringLiteral("км/ч"));
    videoSpeedRange_ = AddResult(grid, "videoSpeedRange",
                                 QStringLiteral("Скорость с точностью до кадра на каждом конце"),
                                 QStringLiteral("км/ч"));
    p.results = {elapsed_, videoSpeed_, videoSpeedRange_};
    grid->setRowStretch(grid->rowCount(), 1);
    return page;
}

QLineEdit* AnalysisWindow::AddField(QGridLayout* grid, Field& field,
                                    const core::InputDescriptor& input, const char* role,
                                    QWidget* preset) {
    field.input = &input;
    field.edit = new QLineEdit;
    field.edit->setObjectName(QString::fromLatin1(role));
    field.edit->setAccessibleName(NameWithUnit(input));
    field.edit->setToolTip(QStringLiteral("Число или пределы: 0,6–1,4, 0,6…1,4 или 0,6..1,4"));
    field.edit->setMinimumWidth(field.edit->fontMetrics().averageCharWidth() * 14);
    field.problem = new QLabel;
    field.problem->setObjectName(QString::fromLatin1(role) + QStringLiteral("Problem"));
    field.problem->setWordWrap(true);
    field.problem->setStyleSheet(QStringLiteral("color: #b71c1c;"));
    field.problem->hide();
    auto* caption = new QLabel(Caption(input));
    caption->setBuddy(field.edit);
    caption->setWordWrap(true);
    const int row = grid->rowCount();
    grid->setColumnStretch(2, 1); // the fields keep their width; the presets take the rest
    grid->addWidget(caption, row, 0);
    grid->addWidget(field.edit, row, 1);
    tabOrder_.push_back(field.edit);
    if (preset) {
        grid->addWidget(preset, row, 2);
        if (preset->focusPolicy() != Qt::NoFocus) tabOrder_.push_back(preset);
    }
    grid->addWidget(field.problem, row + 1, 1, 1, 2);
    Field* kept = &field;
    toolkit::OnChange(field.edit, this, toolkit::Handler([this, kept] { onFieldEdited(*kept); }));
    return field.edit;
}

QLineEdit* AnalysisWindow::AddResult(QGridLayout* grid, const char* role, const QString& caption,
                                     const QString& unit) {
    auto* result = new QLineEdit;
    result->setObjectName(QString::fromLatin1(role));
    result->setReadOnly(true);
    result->setAccessibleName(caption + QStringLiteral(", ") + unit);
    auto* label = new QLabel(caption + QStringLiteral(", ") + unit + u':');
    label->setBuddy(result);
    label->setWordWrap(true);
    const int row = grid->rowCount();
    grid->addWidget(label, row, 0);
    grid->addWidget(result, row, 1);
    tabOrder_.push_back(result);
    return result;
}

QLabel* AnalysisWindow::AddVerdict(QGridLayout* grid, const char* role, const QString& name) {
    auto* verdict = new QLabel;
    verdict->setObjectName(QString::fromLatin1(role));
    verdict->setWordWrap(true);
    verdict->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    verdict->setFocusPolicy(Qt::TabFocus);
    verdict->setAccessibleDescription(name);
    QFont bold = verdict->font();
    bold.setBold(true);
    verdict->setFont(bold);
    verdict->hide();
    grid->addWidget(verdict, grid->rowCount(), 0, 1, 3);
    tabOrder_.push_back(verdict);
    return verdict;
}

core::InputList AnalysisWindow::InputsOf(Calculation calculation) const {
    switch (calculation) {
    case Calculation::Pedestrian:
        return core::PedestrianInputList(!speedLimit_.edit->text().isEmpty());
    case Calculation::Obstacle:
        return core::ObstacleInputList();
    case Calculation::Impact:
        return core::ImpactInputList();
    case Calculation::Video:
        break;
    }
    return core::VideoInputList();
}

void AnalysisWindow::ShowCalculation(Calculation calculation) {
    calculations_->setCurrentIndex(static_cast<int>(calculation));
}

AnalysisWindow::Calculation AnalysisWindow::Shown() const {
    return static_cast<Calculation>(calculations_->currentIndex());
}

void AnalysisWindow::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            Compute();
            return;
        }
        if (event->key() == Qt::Key_Escape) {
            close();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

bool AnalysisWindow::Check(Field& field, const core::InputDescriptor& input, bool required) {
    const QString text = field.edit->text();
    if (text.isEmpty() && !required) {
        Mark(field, QString());
        return true;
    }
    try {
        core::ReadInputValue(Std(text), 0, input);
    } catch (const core::NumericError& error) {
        const core::InputDescriptor* const one[] = {&input};
        const std::string given[] = {Std(text)};
        Mark(field, Q(core::ProblemText(error, one, given)));
        return false;
    }
    Mark(field, QString());
    return true;
}

void AnalysisWindow::Mark(Field& field, const QString& reason) {
    // A sentence beside the field: «Значение «…» не может быть отрицательным.»
    const QString shown = reason.isEmpty() ? reason : reason.at(0).toUpper() + reason.mid(1);
    field.problem->setText(shown);
    field.problem->setVisible(!reason.isEmpty());
    field.edit->setAccessibleDescription(shown);
    if (field.edit->property("refused").toBool() != !reason.isEmpty()) {
        field.edit->setProperty("refused", !reason.isEmpty());
        field.edit->style()->unpolish(field.edit);
        field.edit->style()->polish(field.edit);
    }
}

// Checked at once, as typed; and every result computed from the field goes.
void AnalysisWindow::onFieldEdited(Field& field) {
    Check(field, *field.input, false);
    for (Calculation calculation : {Calculation::Pedestrian, Calculation::Obstacle,
                                    Calculation::Impact, Calculation::Video}) {
        const std::vector<Field*>& inputs = PageOf(calculation).inputs;
        if (std::find(inputs.begin(), inputs.end(), &field) != inputs.end())
            ClearResults(calculation);
    }
    status_->clear();
}

void AnalysisWindow::onDecelerationPreset() {
    const int index = decelerationPreset_->currentIndex() - 1;
    const auto& presets = analysis::DecelerationPresets();
    if (index < 0 || index >= static_cast<int>(presets.size())) return;
    const analysis::DecelerationPreset& preset = presets[static_cast<std::size_t>(index)];
    deceleration_.edit->setText(preset.value);
    decelerationPresetUse_ = PresetUse{
        preset.value, QStringLiteral("Замедление j = %1 м/с² взято по таблице программы: %2; "
                                     "источник: %3.")
                          .arg(preset.value, preset.caption, preset.source)};
}

void AnalysisWindow::onPedestrianPreset() {
    const int index = pedestrianPreset_->currentIndex() - 1;
    const auto& presets = analysis::PedestrianPresets();
    if (index < 0 || index >= static_cast<int>(presets.size())) return;
    const analysis::PedestrianPreset& preset = presets[static_cast<std::size_t>(index)];
    const QString text = pedestrianMean_->isChecked()
                             ? preset.mean
                             : Q(core::RangeText(Std(preset.low), Std(preset.high)));
    pedestrianSpeed_.edit->setText(text);
    pedestrianPresetUse_ =
        PresetUse{text, QStringLiteral("Скорость пешехода Vп = %1 км/ч взята по таблице "
                                       "программы (%2: %3 лет, %4, %5); источник: %6.")
                            .arg(text,
                                 pedestrianMean_->isChecked() ? QStringLiteral("среднее")
                                                              : QStringLiteral("пределы"),
                                 preset.age, preset.sex, preset.pace, analysis::kPedestrianSource)};
}

void AnalysisWindow::onSurfacePreset() {
    const int index = surfacePreset_->currentIndex() - 1;
    const auto& hints = analysis::AdhesionHints();
    if (index < 0 || index >= static_cast<int>(hints.size())) {
        adhesionHint_->clear();
        return;
    }
    const analysis::AdhesionHint& hint = hints[static_cast<std::size_t>(index)];
    adhesionHint_->setText(
        hint.wet.isEmpty() ? QStringLiteral("φ = %1 (сухое)").arg(hint.dry)
                           : QStringLiteral("φ = %1 (сухое), %2 (мокрое)").arg(hint.dry, hint.wet));
}

void AnalysisWindow::onCalculationShown() {
    const Calculation shown = Shown();
    // The car's fields are not read by frames.
    for (Field* field : {&speed_, &reaction_, &delay_, &rise_, &deceleration_}) {
        const std::vector<Field*>& inputs = PageOf(shown).inputs;
        field->edit->setEnabled(std::find(inputs.begin(), inputs.end(), field) != inputs.end());
    }
    decelerationPreset_->setEnabled(deceleration_.edit->isEnabled());
    surfacePreset_->setEnabled(deceleration_.edit->isEnabled());
    Page& page = PageOf(shown);
    diagram_->SetDiagram(page.record ? page.record->diagram : std::nullopt);
    if (page.record)
        record_.Restore(*page.record);
    else
        record_.Drop();
    status_->clear();
}

// Nothing is computed from a refused value: every field the calculation reads is checked first,
// each refused one marked, and the keyboard goes to the first.
void AnalysisWindow::Compute() {
    const Calculation calculation = Shown();
    Page& page = PageOf(calculation);
    const core::InputList inputs = InputsOf(calculation);
    QStringList texts;
    Field* firstRefused = nullptr;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        Field& field = *page.inputs[i];
        texts << field.edit->text();
        if (!Check(field, *inputs[i], true) && !firstRefused) firstRefused = &field;
    }
    if (firstRefused) {
        ClearResults(calculation);
        firstRefused->edit->setFocus(Qt::OtherFocusReason);
        const QString reason = firstRefused->problem->text();
        status_->setText(shared::Refusal(reason.at(0).toLower() + reason.mid(1)));
        FitContents();
        return;
    }
    const auto text = [&](std::size_t i) { return Std(texts[static_cast<qsizetype>(i)]); };
    core::CalculationRecord record;
    std::optional<core::PathDiagram> path; // the braking calculations' own, for the diagram
    try {
        switch (calculation) {
        case Calculation::Pedestrian: {
            const core::PedestrianResults r =
                core::ComputePedestrian({text(0), text(1), text(2), text(3), text(4), text(5),
                                         text(6), inputs.size() > 7 ? text(7) : std::string()},
                                        &record);
            pedestrianTime_->setText(Q(r.pedestrianTime));
            distanceAtDanger_->setText(Q(r.distanceAtDanger));
            pedestrianStoppingDistance_->setText(Q(r.stoppingDistance));
            criticalSpeed_->setText(Q(r.criticalSpeed));
            limitStoppingDistance_->setText(Q(r.stoppingDistanceAtLimit));
            ShowVerdict(pedestrianVerdict_, &r.avoidable);
            ShowVerdict(limitVerdict_, r.avoidableAtLimit ? &*r.avoidableAtLimit : nullptr);
            path = r.path;
            break;
        }
        case Calculation::Obstacle: {
            const core::ObstacleResults r = core::ComputeObstacle(
                {text(0), text(1), text(2), text(3), text(4), text(5)}, &record);
            obstacleStoppingDistance_->setText(Q(r.stoppingDistance));
            safeSpeed_->setText(Q(r.safeSpeed));
            ShowVerdict(obstacleVerdict_, &r.avoidable);
            path = r.path;
            break;
        }
        case Calculation::Impact:
            impactSpeed_->setText(
                Q(core::ComputeImpact({text(0), text(1), text(2), text(3)}, &record).impactSpeed));
            break;
        case Calculation::Video: {
            const core::VideoResults r = core::ComputeVideo({text(0), text(1), text(2)}, &record);
            elapsed_->setText(Q(r.elapsed));
            videoSpeed_->setText(Q(r.speed));
            videoSpeedRange_->setText(Q(r.speedRange));
            break;
        }
        }
    } catch (const core::NumericError& error) {
        Refuse(calculation, error);
        return;
    }
    // The sources of the presets still in their fields.
    const std::pair<const Field*, const std::optional<PresetUse>*> presets[] = {
        {&pedestrianSpeed_, &pedestrianPresetUse_}, {&deceleration_, &decelerationPresetUse_}};
    for (const auto& [field, use] : presets)
        if (*use && std::find(page.inputs.begin(), page.inputs.end(), field) != page.inputs.end() &&
            field->edit->text() == (*use)->text)
            record.notes.push_back(Std((*use)->note));
    record.diagram = std::move(path);
    Keep(calculation, std::move(record));
    status_->clear();
    FitContents();
}

void AnalysisWindow::ShowVerdict(QLabel* label, const core::Conclusion* conclusion) {
    if (!conclusion) {
        label->clear();
        label->hide();
        return;
    }
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, VerdictColour(conclusion->verdict));
    label->setPalette(palette);
    label->setText(Q(conclusion->text));
    label->setAccessibleName(Q(conclusion->text));
    label->show();
}

void AnalysisWindow::Keep(Calculation calculation, core::CalculationRecord record) {
    record_.Keep(std::move(record));
    Page& page = PageOf(calculation);
    page.record = *record_.Get();
    if (calculation == Shown()) diagram_->SetDiagram(page.record->diagram);
}

void AnalysisWindow::ClearResults(Calculation calculation) {
    Page& page = PageOf(calculation);
    for (QLineEdit* result : page.results)
        result->clear();
    for (QLabel* verdict : page.verdicts)
        ShowVerdict(verdict, nullptr);
    page.record.reset();
    if (calculation == Shown()) {
        record_.Drop();
        diagram_->SetDiagram(std::nullopt);
    }
}

// A value the core refused once it computed (the speed too low for the skid, a value too large):
// the reason beside the field it names, or below the calculation when it names none.
void AnalysisWindow::Refuse(Calculation calculation, const core::NumericError& error) {
    ClearResults(calculation);
    Page& page = PageOf(calculation);
    const core::InputList inputs = InputsOf(calculation);
    QStringList texts;
    std::vector<std::string> given;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        texts << page.inputs[i]->edit->text();
        given.push_back(Std(texts.back()));
    }
    const QString reason = Q(core::ProblemText(error, inputs, given));
    const int index = error.input();
    if (index >= 0 && index < static_cast<int>(inputs.size())) {
        Field& field = *page.inputs[static_cast<std::size_t>(index)];
        Mark(field, reason);
        field.edit->setFocus(Qt::OtherFocusReason);
    }
    status_->setText(shared::Refusal(reason));
    FitContents();
}

AnalysisWindow* OpenAnalysis(QPointer<AnalysisWindow>& window, const AnalysisStart& start) {
    if (!window) window = new AnalysisWindow;
    window->Start(start);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}
