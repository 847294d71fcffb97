#include "windows/video/video_viewer.h"

#include <QBuffer>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>

#include "core/numeric.h"
#include "core/numeric_error.h"
#include "media/file_inputs.h"
#include "windows/shared/pole_spacing.h"
#include "windows/shared/problem.h"
#include "windows/shared/text.h"
#include "windows/toolkit/messages.h"
#include "windows/toolkit/pictures.h"
#include "windows/toolkit/window.h"
#include "windows/video/frame_view.h"

using shared::Q;
using shared::Std;

namespace {

constexpr int kThumbnailWidth = 240;

// A frame's time as the viewer shows it: to 0,001 s, every decimal written ("1,000 с").
QString ShownTime(const core::Exact& seconds) {
    QString text = Q(core::FormatFixed4(core::Round(seconds, 3)));
    const qsizetype comma = text.indexOf(u',');
    const qsizetype decimals = comma < 0 ? 0 : text.size() - comma - 1;
    if (comma < 0) text += u',';
    return text + QString(3 - decimals, u'0') + QStringLiteral(" с");
}

// "31 из 180"
QString FrameOf(int frame, int count) {
    return QStringLiteral("%1 из %2").arg(frame).arg(count);
}

// The file's size in bytes with its groups of digits apart, and in MB.
QString SizeText(std::uint64_t bytes) {
    QString digits = QString::number(bytes);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, u'\u00a0');
    return QStringLiteral("%1 байт").arg(digits);
}

// The label before a field, which gives the field its accessible name too.
QLabel* Caption(const QString& text, QWidget* field) {
    auto* label = new QLabel(text);
    label->setBuddy(field);
    field->setAccessibleName(QString(text).remove(u'&').remove(u':'));
    return label;
}

QLineEdit* ShownField(const char* role, int minimumChars) {
    auto* field = new QLineEdit;
    field->setObjectName(QLatin1String(role));
    field->setReadOnly(true);
    field->setMinimumWidth(field->fontMetrics().averageCharWidth() * minimumChars);
    return field;
}

QPushButton* Button(const char* role, const QString& text) {
    auto* button = new QPushButton(text);
    button->setObjectName(QLatin1String(role));
    button->setAutoDefault(false);
    return button;
}

// A label's text, which a screen reader also gets as the label's description: its name says
// what the label is for.
void Say(QLabel* label, const QString& text) {
    label->setText(text);
    label->setAccessibleDescription(text);
}

QByteArray Png(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG",
               80); // zlib's fastest level: the record is rebuilt as the guide moves
    return bytes;
}

} // namespace

VideoViewer::VideoViewer() {
    setObjectName(QStringLiteral("videoViewer"));
    setWindowTitle(QStringLiteral("Кварнет. Скорость по кадрам видеозаписи"));
    setWindowIcon(toolkit::AppIcon());
    setAccessibleName(windowTitle());

    openButton = Button("openButton", QStringLiteral("&Открыть видеозапись…"));
    openButton->setAccessibleName(QStringLiteral("Открыть видеозапись"));
    fileDetails = new QLabel;
    Say(fileDetails, QStringLiteral("Файл не открыт"));
    fileDetails->setObjectName(QStringLiteral("fileDetails"));
    fileDetails->setAccessibleName(QStringLiteral("Сведения о файле"));
    fileDetails->setWordWrap(true);
    fileDetails->setTextInteractionFlags(Qt::TextSelectableByMouse);

    progressCaption = new QLabel;
    progressCaption->setObjectName(QStringLiteral("progressCaption"));
    openProgress = new QProgressBar;
    openProgress->setObjectName(QStringLiteral("openProgress"));
    openProgress->setRange(0, 100);
    openProgress->setAccessibleName(QStringLiteral("Ход чтения файла"));
    cancelButton = Button("cancelButton", QStringLiteral("Отмена"));
    cancelButton->setAccessibleName(QStringLiteral("Отменить чтение файла"));

    frameView = new FrameView;
    frameView->setObjectName(QStringLiteral("frameView"));
    frameView->setAccessibleName(QStringLiteral("Кадр видеозаписи"));
    frameView->setAccessibleDescription(QStringLiteral(
        "Стрелки влево и вправо — кадр назад и вперёд, Page Up и Page Down — секунда "
        "назад и вперёд, Shift со стрелками — направляющая линия, плюс и минус — "
        "масштаб"));
    frameSlider = new QSlider(Qt::Horizontal);
    frameSlider->setObjectName(QStringLiteral("frameSlider"));
    frameSlider->setAccessibleName(QStringLiteral("Положение в видеозаписи, кадр"));
    frameSlider->setRange(1, 1);
    frameSlider->installEventFilter(this);
    frameNumber = ShownField("frameNumber", 12);
    frameTime = ShownField("frameTime", 10);

    markStartButton = Button("markStartButton", QStringLiteral("Начальный кадр (I)"));
    markStartButton->setAccessibleName(QStringLiteral("Отметить начальный кадр"));
    markEndButton = Button("markEndButton", QStringLiteral("Конечный кадр (O)"));
    markEndButton->setAccessibleName(QStringLiteral("Отметить конечный кадр"));
    startFrame = ShownField("startFrame", 16);
    endFrame = ShownField("endFrame", 16);
    distance = new QLineEdit;
    distance->setObjectName(QStringLiteral("distance"));
    poleSpacingNote = new QLabel(QString::fromUtf8(shared::kPoleSpacingNote).simplified());
    poleSpacingNote->setObjectName(QStringLiteral("poleSpacingNote"));
    poleSpacingNote->setWordWrap(true);
    elapsed = ShownField("elapsed", 10);
    speed = ShownField("speed", 10);
    speedRange = ShownField("speedRange", 14);
    QFont bold = speed->font();
    bold.setBold(true);
    speed->setFont(bold);

    startThumbnail = new QLabel;
    startThumbnail->setObjectName(QStringLiteral("startThumbnail"));
    startThumbnail->setAccessibleName(QStringLiteral("Начальный кадр"));
    endThumbnail = new QLabel;
    endThumbnail->setObjectName(QStringLiteral("endThumbnail"));
    endThumbnail->setAccessibleName(QStringLiteral("Конечный кадр"));
    for (QLabel* thumbnail : {startThumbnail, endThumbnail}) {
        thumbnail->setFixedSize(kThumbnailWidth, kThumbnailWidth * 9 / 16);
        thumbnail->setAlignment(Qt::AlignCenter);
        thumbnail->setFrameShape(QFrame::StyledPanel);
    }
    problem = new QLabel;
    problem->setObjectName(QStringLiteral("problem"));
    problem->setWordWrap(true);
    problem->setTextInteractionFlags(Qt::TextSelectableByMouse);
    problem->setAccessibleName(QStringLiteral("Сообщение"));
    closeButton = Button("closeButton", QStringLiteral("Закрыть"));

    // The file, the reading, the frame, where it is; below, the marks, the distance and the
    // results beside the two marked frames.
    auto* top = new QHBoxLayout;
    top->addWidget(openButton);
    top->addWidget(fileDetails, 1);
    auto* progress = new QHBoxLayout;
    progress->addWidget(progressCaption);
    progress->addWidget(openProgress, 1);
    progress->addWidget(cancelButton);
    auto* position = new QHBoxLayout;
    position->addWidget(frameSlider, 1);
    position->addWidget(Caption(QStringLiteral("Кадр"), frameNumber));
    position->addWidget(frameNumber);
    position->addWidget(Caption(QStringLiteral("Время кадра"), frameTime));
    position->addWidget(frameTime);
    frameTime->setAccessibleName(QStringLiteral("Время кадра в файле"));
    frameNumber->setAccessibleName(QStringLiteral("Номер кадра"));

    auto* form = new QGridLayout;
    form->addWidget(markStartButton, 0, 0);
    form->addWidget(startFrame, 0, 1);
    startFrame->setAccessibleName(QStringLiteral("Начальный кадр и его время"));
    form->addWidget(markEndButton, 1, 0);
    form->addWidget(endFrame, 1, 1);
    endFrame->setAccessibleName(QStringLiteral("Конечный кадр и его время"));
    form->addWidget(Caption(QStringLiteral("&Расстояние, м"), distance), 2, 0);
    form->addWidget(distance, 2, 1);
    form->addWidget(poleSpacingNote, 3, 0, 1, 2);
    form->addWidget(Caption(QStringLiteral("Время между кадрами, с"), elapsed), 4, 0);
    form->addWidget(elapsed, 4, 1);
    form->addWidget(Caption(QStringLiteral("Скорость, км/ч"), speed), 5, 0);
    form->addWidget(speed, 5, 1);
    form->addWidget(Caption(QStringLiteral("Пределы скорости, км/ч"), speedRange), 6, 0);
    form->addWidget(speedRange, 6, 1);
    form->setColumnStretch(1, 1);

    auto* thumbnails = new QGridLayout;
    thumbnails->addWidget(new QLabel(QStringLiteral("Начальный кадр")), 0, 0);
    thumbnails->addWidget(new QLabel(QStringLiteral("Конечный кадр")), 0, 1);
    thumbnails->addWidget(startThumbnail, 1, 0);
    thumbnails->addWidget(endThumbnail, 1, 1);
    thumbnails->setRowStretch(2, 1);

    auto* lower = new QHBoxLayout;
    lower->addLayout(form, 1);
    lower->addLayout(thumbnails);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(problem, 1);
    bottom->addWidget(closeButton, 0, Qt::AlignBottom);

    auto* page = new QVBoxLayout(this);
    page->addLayout(top);
    page->addLayout(progress);
    page->addWidget(frameView, 1);
    page->addLayout(position);
    page->addLayout(lower);
    page->addLayout(bottom);

    QWidget* const order[] = {openButton, cancelButton,    frameView,  frameSlider,   frameNumber,
                              frameTime,  markStartButton, startFrame, markEndButton, endFrame,
                              distance,   elapsed,         speed,      speedRange,    closeButton};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(openButton, &QPushButton::clicked, this, &VideoViewer::onOpenClicked);
    connect(cancelButton, &QPushButton::clicked, this, [this] { source_.Cancel(); });
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    connect(markStartButton, &QPushButton::clicked, this, &VideoViewer::MarkStart);
    connect(markEndButton, &QPushButton::clicked, this, &VideoViewer::MarkEnd);
    connect(frameSlider, &QSlider::valueChanged, this, &VideoViewer::Go);
    connect(distance, &QLineEdit::textChanged, this, &VideoViewer::Recalculate);
    connect(frameView, &FrameView::guideMoved, this, [this] {
        ShowMark(start_, startFrame, startThumbnail);
        ShowMark(end_, endFrame, endThumbnail);
        Recalculate();
    });
    // The marks' keys, as letters wherever the keyboard's layout puts them; not while typing.
    for (auto [key, mark] : {std::pair{Qt::Key_I, &VideoViewer::MarkStart},
                             std::pair{Qt::Key_O, &VideoViewer::MarkEnd}}) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, mark);
    }

    connect(&source_, &FrameSource::progress, this, &VideoViewer::onProgress);
    connect(&source_, &FrameSource::opened, this, &VideoViewer::onOpened);
    connect(&source_, &FrameSource::hashed, this, &VideoViewer::onHashed);
    connect(&source_, &FrameSource::failed, this, &VideoViewer::onFailed);
    connect(&source_, &FrameSource::frameReady, this, &VideoViewer::onFrameReady);
    connect(&source_, &FrameSource::frameFailed, this, &VideoViewer::onFrameFailed);

    Reset();
    ShowBusy(false);
    // Large enough to read a frame, yet within the screen at any scale.
    QSize size(1000, 760);
    if (const QScreen* screen = this->screen())
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    resize(size.expandedTo(minimumSizeHint()));
}

int VideoViewer::FrameCount() const {
    return static_cast<int>(times_.size());
}

void VideoViewer::Reset() {
    index_.reset();
    times_.clear();
    sha256_.clear();
    wanted_ = shown_ = 0;
    start_ = end_ = Mark{};
    frameView->SetFrame(QImage());
    frameSlider->blockSignals(true);
    frameSlider->setRange(1, 1);
    frameSlider->blockSignals(false);
    for (QLineEdit* field : {frameNumber, frameTime, startFrame, endFrame})
        field->clear();
    ShowMark(start_, startFrame, startThumbnail);
    ShowMark(end_, endFrame, endThumbnail);
    for (QWidget* control :
         std::initializer_list<QWidget*>{frameSlider, markStartButton, markEndButton})
        control->setEnabled(false);
    ClearResults();
}

void VideoViewer::ShowBusy(bool busy) {
    for (QWidget* part :
         std::initializer_list<QWidget*>{progressCaption, openProgress, cancelButton})
        part->setVisible(busy);
    openButton->setEnabled(!busy);
}

void VideoViewer::Open(const QString& path) {
    Reset();
    path_ = path;
    fileNote_.clear();
    Say(fileDetails, QDir::toNativeSeparators(path));
    Say(problem, {});
    openProgress->setValue(0);
    progressCaption->setText(QStringLiteral("Чтение файла…"));
    ShowBusy(true);
    source_.Open(path);
}

void VideoViewer::onOpenClicked() {
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Открыть видеозапись"),
        path_.isEmpty() ? QString() : QFileInfo(path_).absolutePath(),
        QStringLiteral("Видеозаписи (*.mp4 *.mov *.avi *.mkv *.ts *.m2ts *.mts *.3gp);;"
                       "Все файлы (*)"));
    if (!path.isEmpty()) Open(path);
}

void VideoViewer::onProgress(int percent, bool hashing) {
    progressCaption->setText(hashing ? QStringLiteral("SHA-256 файла…")
                                     : QStringLiteral("Чтение файла…"));
    openProgress->setValue(percent);
}

void VideoViewer::onOpened(std::shared_ptr<const FrameSource::Index> index) {
    index_ = std::move(index);
    times_ = media::ExactTimes(index_->times);
    const media::FileInfo& info = index_->info;
    QString details =
        QStringLiteral("%1 — %2; %3, %4; %5×%6; %7 кадров, частота %8")
            .arg(Q(info.name), SizeText(info.size), Q(info.container), Q(info.codecId))
            .arg(info.width)
            .arg(info.height)
            .arg(FrameCount())
            .arg(info.variableRate ? QStringLiteral("переменная") : QStringLiteral("постоянная"));
    Say(fileDetails, details);
    if (info.truncated)
        fileNote_ = QStringLiteral("Файл прочитан не до конца: %1.").arg(Q(info.truncation));
    Say(problem, fileNote_);
    // The hash follows; the frames may be stepped through meanwhile.
    openProgress->setValue(0);
    progressCaption->setText(QStringLiteral("SHA-256 файла…"));
    frameSlider->blockSignals(true);
    frameSlider->setRange(1, FrameCount());
    frameSlider->setPageStep(std::max(1, FrameCount() / 20));
    frameSlider->blockSignals(false);
    for (QWidget* control :
         std::initializer_list<QWidget*>{frameSlider, markStartButton, markEndButton})
        control->setEnabled(true);
    Go(1);
    frameView->setFocus(Qt::OtherFocusReason);
}

void VideoViewer::onHashed(const QString& sha256) {
    sha256_ = sha256;
    ShowBusy(false);
    Recalculate(); // the record waited for the hash
}

// A cancel gives up the whole file, its hash included: without the hash there is no record.
void VideoViewer::onFailed(const QString& message, bool cancelled) {
    ShowBusy(false);
    Reset();
    fileNote_.clear();
    Say(fileDetails, QStringLiteral("Файл не открыт"));
    Say(problem, cancelled ? QStringLiteral("Чтение файла отменено.") : message);
    if (!cancelled) toolkit::ShowMessage(this, message);
}

void VideoViewer::Go(int frame) {
    if (FrameCount() == 0) return;
    wanted_ = std::clamp(frame, 1, FrameCount());
    frameSlider->blockSignals(true);
    frameSlider->setValue(wanted_);
    frameSlider->blockSignals(false);
    source_.Request(wanted_);
}

void VideoViewer::StepSeconds(int direction) {
    if (FrameCount() == 0) return;
    const core::Exact target = times_[wanted_ - 1] + core::Exact::Whole(direction);
    // On: the first frame at least a second later; back: the last at least a second earlier.
    if (direction > 0) {
        const auto at = std::lower_bound(times_.begin(), times_.end(), target);
        Go(at == times_.end() ? FrameCount() : static_cast<int>(at - times_.begin()) + 1);
    } else {
        const auto at = std::upper_bound(times_.begin(), times_.end(), target);
        Go(at == times_.begin() ? 1 : static_cast<int>(at - times_.begin()));
    }
}

void VideoViewer::onFrameReady(int frame, const QImage& image) {
    // The number and the time always name the picture in the view, which may lag the slider
    // while a key is held down.
    shown_ = frame;
    frameView->SetFrame(image);
    frameNumber->setText(FrameOf(frame, FrameCount()));
    frameTime->setText(ShownTime(times_[frame - 1]));
}

void VideoViewer::onFrameFailed(int frame, const QString& message) {
    shown_ = 0;
    frameView->SetFrame(QImage());
    frameNumber->setText(FrameOf(frame, FrameCount()));
    frameTime->setText(ShownTime(times_[frame - 1]));
    Say(problem, message);
}

void VideoViewer::MarkStart() {
    if (shown_ == 0) return;
    start_ = {shown_, frameView->Frame()};
    ShowMark(start_, startFrame, startThumbnail);
    Recalculate();
}

void VideoViewer::MarkEnd() {
    if (shown_ == 0) return;
    end_ = {shown_, frameView->Frame()};
    ShowMark(end_, endFrame, endThumbnail);
    Recalculate();
}

void VideoViewer::ShowMark(const Mark& mark, QLineEdit* field, QLabel* thumbnail) {
    if (mark.frame == 0) {
        field->clear();
        thumbnail->setPixmap(QPixmap());
        thumbnail->setText(QStringLiteral("не отмечен"));
        return;
    }
    field->setText(
        QStringLiteral("%1 — %2").arg(mark.frame).arg(ShownTime(times_[mark.frame - 1])));
    // Scaled first and the guide drawn over it, so that it stays a sharp line however small.
    const qreal ratio = thumbnail->devicePixelRatioF();
    const QImage scaled =
        mark.image.scaled(thumbnail->size() * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    const double scale = double(scaled.width()) / mark.image.width();
    QPixmap picture = QPixmap::fromImage(FrameView::WithGuide(scaled, frameView->Guide() * scale));
    picture.setDevicePixelRatio(ratio);
    thumbnail->setPixmap(picture);
}

void VideoViewer::ClearResults() {
    for (QLineEdit* field : {elapsed, speed, speedRange})
        field->clear();
    record_.Drop();
}

// Whenever a mark, the distance or the guide changes: results and record from one call, or
// none. The record waits for the file's hash.
void VideoViewer::Recalculate() {
    ClearResults();
    if (!index_ || start_.frame == 0 || end_.frame == 0 || distance->text().trimmed().isEmpty()) {
        if (index_) Say(problem, fileNote_);
        return;
    }
    const media::FileInfo& info = index_->info;
    const QStringList texts = {QString::number(start_.frame), QString::number(end_.frame),
                               distance->text()};
    core::VideoFileInputs in{Std(texts[0]), Std(texts[1]), Std(texts[2]), times_,
                             media::DetailsOf(info, Std(sha256_))};
    core::CalculationRecord record;
    core::VideoFileResults results;
    try {
        results = core::ComputeVideoFile(in, &record);
    } catch (const core::NumericError& error) {
        Say(problem, shared::CalculationRefusal(error, core::VideoFileInputList(), texts));
        return;
    }
    elapsed->setText(Q(results.elapsed));
    speed->setText(Q(results.speed));
    speedRange->setText(Q(results.speedRange));
    if (sha256_.isEmpty()) {
        Say(problem, QStringLiteral("Вычисляется SHA-256 файла: расчёт можно будет "
                                    "скопировать и сохранить, когда он будет готов."));
        return;
    }
    Say(problem, fileNote_);
    for (const Mark* mark : {&start_, &end_}) {
        const char* symbol = mark == &start_ ? "A" : "B";
        record.images.push_back(
            {Std(QStringLiteral("Кадр %1 = %2, t(%1) = %3 с")
                     .arg(QLatin1String(symbol))
                     .arg(mark->frame)
                     .arg(Q(core::SecondsText(times_[mark->frame - 1])))),
             "png", Png(FrameView::WithGuide(mark->image, frameView->Guide())).toStdString()});
    }
    record_.Keep(std::move(record));
}

void VideoViewer::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        switch (event->key()) {
        case Qt::Key_Left:
            return Go(wanted_ - 1);
        case Qt::Key_Right:
            return Go(wanted_ + 1);
        case Qt::Key_PageUp:
            return StepSeconds(-1);
        case Qt::Key_PageDown:
            return StepSeconds(1);
        case Qt::Key_Home:
            return Go(1);
        case Qt::Key_End:
            return Go(FrameCount());
        case Qt::Key_Escape:
            if (cancelButton->isVisible()) return source_.Cancel();
            close();
            return;
        default:
            break;
        }
    }
    QWidget::keyPressEvent(event);
}

// The slider pages by a second of the file's time, as the window does, not by a count of frames.
bool VideoViewer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == frameSlider && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::NoModifier &&
            (key->key() == Qt::Key_PageUp || key->key() == Qt::Key_PageDown)) {
            StepSeconds(key->key() == Qt::Key_PageUp ? -1 : 1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

VideoViewer* OpenVideoViewer(QPointer<VideoViewer>& viewer, const QString& path) {
    if (!viewer) {
        viewer = new VideoViewer;
        viewer->setAttribute(Qt::WA_DeleteOnClose);
        toolkit::CenterOnScreen(viewer);
    }
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
    if (!path.isEmpty()) viewer->Open(path);
    return viewer;
}
