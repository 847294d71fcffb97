#include "windows/record/record_document.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFont>
#include <QMimeData>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>
#include <cerrno>

#include "windows/record/pdf_info.h"
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace record {

namespace {

QString Html(const std::string& text) {
    return QString::fromStdString(text).toHtmlEscaped();
}

QString WithUnit(const std::string& text, const std::string& unit) {
    return unit.empty() ? Html(text) : Html(text) + QStringLiteral("&#160;") + Html(unit);
}

QString Version() {
    return QCoreApplication::applicationVersion();
}

// Word processors and QTextDocument both read this much CSS; the headings' sizes are named,
// since QTextDocument takes only a named size for a heading.
const char kStyle[] = R"(
body { font-family: 'Liberation Serif', 'Times New Roman', serif; font-size: 12pt; }
h1 { font-size: large; font-weight: bold; text-align: center; margin-bottom: 4px; }
h2 { font-size: medium; font-weight: bold; margin-top: 18px; margin-bottom: 8px; }
table.header { margin-bottom: 6px; }
td.label { font-size: 11pt; font-weight: bold; }
td.header { font-size: 11pt; }
table { border-collapse: collapse; }
td { font-size: 12pt; }
th { font-size: 12pt; font-weight: bold; background-color: #eeeeee; text-align: left; }
td.number { text-align: right; }
li { margin-bottom: 6px; }
)";

QString ValueTable(const std::vector<core::RecordValue>& values) {
    QString out =
        QStringLiteral("<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"4\">\n"
                       "<tr><th width=\"64%\">Величина</th><th width=\"22%\">Значение</th>"
                       "<th width=\"14%\">Ед. изм.</th></tr>\n");
    for (const core::RecordValue& v : values)
        out += QStringLiteral("<tr><td>%1</td><td class=\"number\">%2</td><td>%3</td></tr>\n")
                   .arg(Html(v.name), Html(v.text), Html(v.unit));
    return out + QStringLiteral("</table>\n");
}

// The header's lines, a row each: label and value.
QString Header(const core::CalculationRecord& record) {
    QString out = QStringLiteral("<table class=\"header\" width=\"100%\" border=\"0\" "
                                 "cellspacing=\"0\" cellpadding=\"2\">\n");
    for (const core::HeaderLine& line : core::RecordHeader(record))
        out += QStringLiteral("<tr><td class=\"label\" width=\"26%\">%1:</td>"
                              "<td class=\"header\">%2</td></tr>\n")
                   .arg(Html(line.label), Html(line.value));
    return out + QStringLiteral("</table>\n");
}

// A case detail as given, or "" when none.
QString CaseField(const core::CalculationRecord& record, std::string core::CaseDetails::*member) {
    return QString::fromStdString(core::CaseText(record.origin.caseDetails.*member));
}

// "№ дела / материала: 5-12/2025", or "" when no number is given.
QString CaseLine(const core::CalculationRecord& record) {
    const core::CaseField& number = core::kCaseFields[0];
    const QString value = CaseField(record, number.member);
    return value.isEmpty() ? QString()
                           : QString::fromUtf8(number.label.data(), number.label.size()) +
                                 QStringLiteral(": ") + value;
}

QString Steps(const std::vector<core::RecordStep>& steps) {
    QString out = QStringLiteral("<ol>\n");
    for (const core::RecordStep& s : steps)
        out +=
            QStringLiteral("<li>%1:<br/>%2 = %3 = <b>%4</b></li>\n")
                .arg(Html(s.name), Html(s.formula), Html(s.substituted), WithUnit(s.value, s.unit));
    return out + QStringLiteral("</ol>\n");
}

// A failure as the system names it in `error` (errno).
SaveResult FailureOf(int error) {
    switch (error) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return {SaveFailure::NoSpace, {}};
    case EACCES:
    case EPERM:
    case EROFS:
        return {SaveFailure::NoPermission, {}};
    case ENOENT:
    case ENOTDIR:
        return {SaveFailure::NoFolder, {}};
    case EISDIR:
        return {SaveFailure::NotAFile, {}};
    case 0:
        return {SaveFailure::Other, {}};
    default:
        return {SaveFailure::Other, qt_error_string(error)};
    }
}

// Asks the system to put the file's data on the disk; Windows names it _commit.
int SyncToDisk(int fd) {
#ifdef _WIN32
    return ::_commit(fd);
#else
    return ::fsync(fd);
#endif
}

// Through a temporary file renamed over the old one at the end, so that a failure anywhere
// leaves the old file whole. The small HTML may sit in the buffer until the end, where only
// an explicit flush reports that the disk is full; and QSaveFile ignores what the final sync
// reports, which on some file systems is the first word of a full disk or a failed write.
SaveResult WriteFile(const QString& path, const QByteArray& bytes) {
    const QFileInfo target(path);
    if (target.exists() && !target.isFile()) return {SaveFailure::NotAFile, {}};
    if (!QFileInfo(target.absolutePath()).isDir()) return {SaveFailure::NoFolder, {}};
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly)) return FailureOf(errno);
    errno = 0;
    if (file.write(bytes) != bytes.size() || !file.flush() ||
        (SyncToDisk(file.handle()) != 0 && errno != EINVAL)) {
        const SaveResult failure = FailureOf(errno);
        file.cancelWriting();
        return failure;
    }
    errno = 0;
    if (!file.commit()) return FailureOf(errno);
    return {};
}

// One A4 page after another, each with the case number and its own number at the foot.
bool WritePdf(const QString& html, const QString& title, const QString& foot, QIODevice* out) {
    QPdfWriter writer(out);
    writer.setResolution(300);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(25, 20, 15, 15), QPageLayout::Millimeter);
    writer.setTitle(title);
    writer.setCreator((QString::fromUtf8(core::kProgramName.data(), core::kProgramName.size()) +
                       QLatin1Char(' ') + Version())
                          .trimmed());

    QTextDocument document;
    // In points, not the windows' pixel-sized font, so that headings scale from it on paper.
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPointSize(12);
    document.setDefaultFont(font);
    document.documentLayout()->setPaintDevice(&writer); // fonts measured as they will print
    document.setDocumentMargin(0);                      // the page has its own margins
    document.setHtml(html);
    const qreal footHeight = writer.resolution() * 10 / 25.4; // 10 mm for the foot
    const QSizeF body(writer.width(), writer.height() - footHeight);
    document.setPageSize(body);

    QPainter painter;
    if (!painter.begin(&writer)) return false;
    QFont footFont = font;
    footFont.setPointSize(9);
    const int pages = document.pageCount();
    for (int page = 0; page < pages; ++page) {
        if (page > 0) writer.newPage();
        painter.save();
        painter.translate(0, -page * body.height());
        document.drawContents(&painter, QRectF(QPointF(0, page * body.height()), body));
        painter.restore();
        painter.setFont(footFont);
        const QRectF footArea(0, body.height(), body.width(), footHeight);
        painter.drawText(footArea, Qt::AlignLeft | Qt::AlignBottom, foot);
        painter.drawText(footArea, Qt::AlignRight | Qt::AlignBottom,
                         QStringLiteral("Страница %1 из %2").arg(page + 1).arg(pages));
    }
    return painter.end();
}

} // namespace

QString RecordHtml(const core::CalculationRecord& record) {
    const QString expert = CaseField(record, &core::CaseDetails::expert);
    const QString author = expert.isEmpty()
                               ? QString()
                               : QStringLiteral("<meta name=\"author\" content=\"%1\"/>\n")
                                     .arg(expert.toHtmlEscaped());
    QString out = QStringLiteral("<!DOCTYPE html>\n<html lang=\"ru\">\n<head>\n"
                                 "<meta charset=\"utf-8\"/>\n<title>%1</title>\n%3"
                                 "<style>%2</style>\n</head>\n<body>\n<h1>%1</h1>\n")
                      .arg(Html(record.title), QString::fromLatin1(kStyle), author);
    out += Header(record);
    out += QStringLiteral("<h2>Исходные данные</h2>\n") + ValueTable(record.inputs);
    out += QStringLiteral("<h2>Расчёт</h2>\n") + Steps(record.steps);
    out += QStringLiteral("<h2>Результаты</h2>\n") + ValueTable(record.results);
    if (!record.notes.empty()) {
        out += QStringLiteral("<h2>Примечания</h2>\n<ul>\n");
        for (const std::string& note : record.notes)
            out += QStringLiteral("<li>%1</li>\n").arg(Html(note));
        out += QStringLiteral("</ul>\n");
    }
    return out + QStringLiteral("</body>\n</html>\n");
}

QMimeData* RecordMimeData(const core::CalculationRecord& record) {
    auto* data = new QMimeData;
    data->setText(QString::fromStdString(core::RecordText(record)));
    data->setHtml(RecordHtml(record));
    return data;
}

QString SaveResult::Reason() const {
    switch (failure) {
    case SaveFailure::None:
        break;
    case SaveFailure::NoSpace:
        return QStringLiteral("нет места на диске");
    case SaveFailure::NoPermission:
        return QStringLiteral("нет прав на запись");
    case SaveFailure::NoFolder:
        return QStringLiteral("папка не существует");
    case SaveFailure::NotAFile:
        return QStringLiteral("это папка или устройство, а не файл");
    case SaveFailure::Other:
        if (system.isEmpty()) return QStringLiteral("система не дала записать файл");
        // Mid-sentence after the colon: "Слишком длинное имя файла" as "слишком …", but an
        // abbreviation stays as it is.
        if (system.size() > 1 && system.at(1).isLower())
            return system.at(0).toLower() + system.mid(1);
        return system;
    }
    return QString();
}

SaveResult WriteRecord(const core::CalculationRecord& record, const QString& path) {
    const QString html = RecordHtml(record);
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        return WriteFile(path, html.toUtf8());
    // Made in memory first, so that a failed write leaves no half a file behind.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    const QString title = QString::fromStdString(record.title);
    const QString caseLine = CaseLine(record);
    if (!WritePdf(html, title, caseLine, &pdf)) return {SaveFailure::Other, {}};
    return WriteFile(
        path,
        WithInfo(pdf.data(), {title, CaseField(record, &core::CaseDetails::expert), caseLine}));
}

} // namespace record
