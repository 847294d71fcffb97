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
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <optional>
#include <vector>

#include "core/file_error.h"
#include "windows/record/path_diagram.h"
#include "windows/record/pdf_info.h"
#include "windows/shared/text.h"
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
// since QTextDocument takes only a named size for a heading. The page-break rules are for a
// browser or word processor that prints the HTML (QTextDocument ignores them; the PDF keeps
// the same rules through KeepTogether).
const char kStyle[] = R"(
body { font-family: 'Liberation Serif', 'Times New Roman', serif; font-size: 12pt; }
h1 { font-size: large; font-weight: bold; text-align: center; margin-bottom: 4px; }
h2 { font-size: medium; font-weight: bold; margin-top: 12px; margin-bottom: 6px; }
table.header { margin-bottom: 6px; }
td.label { font-size: 11pt; font-weight: bold; }
td.header { font-size: 11pt; }
table { border-collapse: collapse; }
td { font-size: 12pt; vertical-align: top; }
th { font-size: 12pt; font-weight: bold; background-color: #eeeeee; text-align: left; }
td.number { text-align: right; }
li { margin-bottom: 3px; }
thead { display: table-header-group; }
table, tr, li { page-break-inside: avoid; break-inside: avoid; }
h1, h2 { page-break-after: avoid; break-after: avoid; }
)";

// Where the PDF parts its value tables, the inputs' and the results', in this order: for each,
// the rows (counted from 0 after the header row) that begin a part on a new page.
using TableParts = std::array<std::vector<int>, 2>;

// A table of values; each part after the first, which the PDF starts on a new page, repeats
// the header row. A number stands right-aligned in its column; words (a verdict's sentence)
// read as a paragraph under their name, the table's whole width.
QString ValueTable(const std::vector<core::RecordValue>& values,
                   const std::vector<int>& partStarts = {}) {
    const QString head =
        QStringLiteral("<thead><tr><th width=\"64%\">Величина</th><th width=\"22%\">Значение</th>"
                       "<th width=\"14%\">Ед. изм.</th></tr></thead>\n<tbody>\n");
    const QString open =
        QStringLiteral("<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n");
    QString out = open + head;
    for (std::size_t row = 0; row < values.size(); ++row) {
        if (std::find(partStarts.begin(), partStarts.end(), static_cast<int>(row)) !=
            partStarts.end())
            out += QStringLiteral("</tbody>\n</table>\n") + open + head;
        const core::RecordValue& v = values[row];
        if (core::ReadsAsText(v))
            out += QStringLiteral("<tr><td colspan=\"3\">%1:<br/>%2</td></tr>\n")
                       .arg(Html(v.name), WithUnit(v.text, v.unit));
        else
            out += QStringLiteral("<tr><td>%1</td><td class=\"number\">%2</td><td>%3</td></tr>\n")
                       .arg(Html(v.name), Html(v.text), Html(v.unit));
    }
    return out + QStringLiteral("</tbody>\n</table>\n");
}

// The header's lines, a row each: label and value.
QString Header(const core::CalculationRecord& record) {
    QString out = QStringLiteral("<table class=\"header\" width=\"100%\" border=\"0\" "
                                 "cellspacing=\"0\" cellpadding=\"1\">\n");
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

// A picture within the page, so that the file stands alone: its encoding ("png") and bytes, its
// width in CSS pixels, its height too when given, and its words for a reader who cannot see it.
QString DataImage(const QString& format, const QByteArray& bytes, int width, int height,
                  const QString& words) {
    return QStringLiteral("<img src=\"data:image/%1;base64,%2\" width=\"%3\"%4 alt=\"%5\"/>")
        .arg(format.toHtmlEscaped(), QString::fromLatin1(bytes.toBase64()))
        .arg(width)
        .arg(height > 0 ? QStringLiteral(" height=\"%1\"").arg(height) : QString())
        .arg(words.toHtmlEscaped());
}

// The path diagram as a picture in the page, twice as fine as it is shown, its distances in
// words as its alternative text. The PDF draws it again in vectors (PathDiagramObject).
QString DiagramImage(const core::PathDiagram& diagram) {
    constexpr int kShownWidth = 640;
    const QImage image = PathDiagramImage(diagram, 2 * kShownWidth);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return QStringLiteral("<p>") +
           DataImage(QStringLiteral("png"), png, kShownWidth, image.height() / 2,
                     PathDiagramDescription(diagram)) +
           QStringLiteral("</p>\n");
}

// The record's pictures side by side, each with its caption under it and as its words. The PDF
// lays them out from the same HTML.
QString Images(const std::vector<core::RecordImage>& images) {
    constexpr int kRowWidth = 640; // the text's width on A4, in CSS pixels
    const int width = (kRowWidth - 16) / static_cast<int>(images.size());
    QString out = QStringLiteral(
        "<table width=\"100%\" border=\"0\" cellspacing=\"0\" cellpadding=\"4\">\n<tr>");
    for (const core::RecordImage& image : images) {
        const QString caption = QString::fromStdString(image.caption);
        out += QStringLiteral("<td>") +
               DataImage(QString::fromStdString(image.format),
                         QByteArray::fromStdString(image.bytes), width, 0, caption) +
               QStringLiteral("<br/>%1</td>").arg(caption.toHtmlEscaped());
    }
    return out + QStringLiteral("</tr>\n</table>\n");
}

// The whole document, with the value tables parted as given.
QString Document(const core::CalculationRecord& record, const TableParts& parts) {
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
    out += QStringLiteral("<h2>Исходные данные</h2>\n") + ValueTable(record.inputs, parts[0]);
    out += QStringLiteral("<h2>Расчёт</h2>\n") + Steps(record.steps);
    out += QStringLiteral("<h2>Результаты</h2>\n") + ValueTable(record.results, parts[1]);
    if (record.diagram) out += QStringLiteral("<h2>Схема</h2>\n") + DiagramImage(*record.diagram);
    if (!record.images.empty()) out += QStringLiteral("<h2>Кадры</h2>\n") + Images(record.images);
    if (const std::vector<std::string> notes = core::RecordNotes(record); !notes.empty()) {
        out += QStringLiteral("<h2>Примечания</h2>\n<ul>\n");
        for (const std::string& note : notes)
            out += QStringLiteral("<li>%1</li>\n").arg(Html(note));
        out += QStringLiteral("</ul>\n");
    }
    return out + QStringLiteral("</body>\n</html>\n");
}

// A failure as the system names it in `error` (errno).
SaveResult FailureOf(int error) {
    const bool worded = error == 0 || core::WriteFailureReason(error);
    return {false, error, worded ? QString() : qt_error_string(error)};
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
    if (target.exists() && !target.isFile()) return FailureOf(EISDIR);
    if (!QFileInfo(target.absolutePath()).isDir()) return FailureOf(ENOENT);
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

// A piece of the record's flow: a block (a heading, a step, a note) or a table, where it
// stands in the document laid out in pages.
struct Piece {
    QTextBlock block;            // when it is a block
    QTextTable* table = nullptr; // when it is a table
    bool heading = false;
    qreal top = 0;
    qreal bottom = 0;
    qreal leadBottom = 0; // of what a page must show of it when it starts there: a table's
                          // header row and first row, or the whole block
};

// The page that a height down the document falls on.
int PageOf(qreal y, qreal pageHeight) {
    return static_cast<int>(std::floor(y / pageHeight));
}

// Whether a piece from `top` to `bottom` runs over a page's end; within half a pixel, as the
// layout rounds, so that a piece moved to a new page starts at its top.
bool Parted(qreal top, qreal bottom, qreal pageHeight) {
    return PageOf(top + 0.5, pageHeight) != PageOf(bottom - 0.5, pageHeight);
}

// Where a table's row ends as laid out: below the lowest of its cells' text, their padding and
// the border under them (a row that Qt moves on is drawn down to the page's end instead).
qreal RowBottom(const QAbstractTextDocumentLayout& layout, const QTextTable& table, int row) {
    const QTextTableFormat format = table.format();
    qreal bottom = 0;
    for (int column = 0; column < table.columns(); ++column) {
        const QTextBlock last = table.cellAt(row, column).lastCursorPosition().block();
        bottom = std::max(bottom, layout.blockBoundingRect(last).bottom());
    }
    return bottom + format.cellPadding() + format.border();
}

// The room a table takes below its last row (its margin): Qt's page layout moves on a row
// that would leave no room for it above the page's end.
qreal TableTail(const QAbstractTextDocumentLayout& layout, QTextTable& table) {
    return layout.frameBoundingRect(&table).bottom() - RowBottom(layout, table, table.rows() - 1);
}

// The pieces of the document's body, in order; the empty blocks the layout keeps after each
// table are left out.
std::vector<Piece> Pieces(const QTextDocument& document) {
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    std::vector<Piece> pieces;
    for (auto it = document.rootFrame()->begin(); !it.atEnd(); ++it) {
        Piece piece;
        if (auto* table = qobject_cast<QTextTable*>(it.currentFrame())) {
            const QRectF box = layout->frameBoundingRect(table);
            piece.table = table;
            piece.top = box.top();
            piece.bottom = box.bottom();
            piece.leadBottom =
                RowBottom(*layout, *table,
                          std::min(table->format().headerRowCount(), table->rows() - 1)) +
                TableTail(*layout, *table);
        } else if (!it.currentFrame()) {
            piece.block = it.currentBlock();
            if (piece.block.text().isEmpty()) continue;
            const QRectF box = layout->blockBoundingRect(piece.block);
            piece.heading = piece.block.blockFormat().headingLevel() > 0;
            piece.top = box.top();
            piece.bottom = piece.leadBottom = box.bottom();
        } else {
            continue;
        }
        pieces.push_back(piece);
    }
    return pieces;
}

bool BreaksBefore(const Piece& piece) {
    const QTextFormat format =
        piece.table ? QTextFormat(piece.table->format()) : QTextFormat(piece.block.blockFormat());
    return format.intProperty(QTextFormat::PageBreakPolicy) & QTextFormat::PageBreak_AlwaysBefore;
}

// Starts the piece on a new page.
void BreakBefore(const Piece& piece) {
    if (piece.table) {
        QTextTableFormat format = piece.table->format();
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        piece.table->setFormat(format);
        return;
    }
    QTextBlockFormat format;
    format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    format.setTopMargin(0); // the page's own margin stands above it
    QTextCursor(piece.block).mergeBlockFormat(format);
}

// Moves to a new page what would run over a page's end and fits on one: a table, a step, a
// note, and a heading with the start of what it heads (of a table longer than the page, its
// header row and first row). Whether it fits is measured in the document laid out as one long
// page, since Qt's page layout moves a table that starts near a page's end down to the next.
// One piece at a time, since each moves everything after it; a piece moved once is not moved
// again.
void KeepTogether(QTextDocument& document, const QSizeF& page) {
    // A long page for any record, and short enough for the layout's fixed-point numbers.
    document.setPageSize(QSizeF(page.width(), 1e6));
    const std::vector<Piece> flat = Pieces(document);
    document.setPageSize(page);
    if (flat.empty() || flat.back().bottom <= page.height()) return; // one page
    for (bool moved = true; moved;) {
        moved = false;
        const std::vector<Piece> pieces = Pieces(document);
        for (std::size_t first = 0; first < pieces.size() && !moved;) {
            std::size_t last = first;
            while (pieces[last].heading && last + 1 < pieces.size())
                ++last;
            const bool whole = flat[last].bottom - flat[first].top <= page.height();
            const bool lead = flat[last].leadBottom - flat[first].top <= page.height();
            const qreal top = pieces[first].top;
            const qreal bottom = whole ? pieces[last].bottom : pieces[last].leadBottom;
            // A piece at a page's top would stand no better on the next.
            const bool pageTop = top - PageOf(top + 0.5, page.height()) * page.height() < 1;
            if ((whole || lead) && !pageTop && Parted(top, bottom, page.height()) &&
                !BreaksBefore(pieces[first])) {
                BreakBefore(pieces[first]);
                moved = true;
            }
            first = last + 1;
        }
    }
}

// A table longer than a page, which Qt's layout parts as it goes: the value table (0 the
// inputs, 1 the results) and its first row that would end below the page's end, counted as in
// TableParts. Qt repeats the header row on the next page, but leaves the part above open at the
// page's foot, its last row drawn down to the page's end; so the PDF parts such a table itself.
std::optional<std::pair<std::size_t, int>> QtPartedTable(const QTextDocument& document,
                                                         const TableParts& parts) {
    const QAbstractTextDocumentLayout& layout = *document.documentLayout();
    const qreal pageHeight = document.pageSize().height();
    std::size_t table = 0; // the value table, and the part of it, of the next bordered table
    std::size_t part = 0;
    for (auto it = document.rootFrame()->begin(); !it.atEnd() && table < parts.size(); ++it) {
        auto* frame = qobject_cast<QTextTable*>(it.currentFrame());
        if (!frame || frame->format().border() <= 0) continue; // the header's has no border
        const QRectF box = layout.frameBoundingRect(frame);
        if (Parted(box.top(), box.bottom(), pageHeight)) {
            const int head = frame->format().headerRowCount();
            const int before = part == 0 ? 0 : parts[table][part - 1];
            const qreal pageEnd = (PageOf(box.top() + 0.5, pageHeight) + 1) * pageHeight;
            const qreal tail = TableTail(layout, *frame);
            // The first row of the next part; the header row and one row stay in this one.
            for (int row = head + 1; row < frame->rows(); ++row)
                if (RowBottom(layout, *frame, row) + tail > pageEnd)
                    return std::pair{table, before + row - head};
        }
        if (++part > parts[table].size()) {
            ++table;
            part = 0;
        }
    }
    return std::nullopt;
}

// One A4 page after another, each with the case number and its own number at the foot.
bool WritePdf(const core::CalculationRecord& record, const QString& title, const QString& foot,
              QIODevice* out) {
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
    // The diagram in vectors, where the HTML has its picture.
    std::optional<PathDiagramObject> diagram;
    if (record.diagram) {
        QFont labels(QStringLiteral("Liberation Sans"));
        labels.setPointSize(9);
        diagram.emplace(*record.diagram, labels);
        document.documentLayout()->registerHandler(QTextFormat::ImageObject, &*diagram);
    }
    const qreal footHeight = writer.resolution() * 10 / 25.4; // 10 mm for the foot
    const QSizeF body(writer.width(), writer.height() - footHeight);
    // Laid out again with each table part that a page's end asks for, until none does.
    TableParts parts;
    for (;;) {
        document.setHtml(Document(record, parts));
        KeepTogether(document, body);
        const auto parted = QtPartedTable(document, parts);
        if (!parted) break;
        std::vector<int>& starts = parts[parted->first];
        if (std::find(starts.begin(), starts.end(), parted->second) != starts.end()) break;
        starts.insert(std::upper_bound(starts.begin(), starts.end(), parted->second),
                      parted->second);
    }

    QPainter painter;
    if (!painter.begin(&writer)) return false;
    QFont footFont = font;
    footFont.setPointSize(9);
    const int pages = document.pageCount();
    for (int page = 0; page < pages; ++page) {
        if (page > 0) writer.newPage();
        painter.save();
        painter.translate(0, -page * body.height());
        // Half a pixel up, as the layout rounds: a piece moved to this page may start a
        // hundredth of a pixel above it, and would be drawn on the page before too, clipped
        // away but still in the PDF's text.
        document.drawContents(&painter, QRectF(QPointF(0, page * body.height() - 0.5), body));
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
    return Document(record, {});
}

QMimeData* RecordMimeData(const core::CalculationRecord& record) {
    auto* data = new QMimeData;
    data->setText(QString::fromStdString(core::RecordText(record)));
    data->setHtml(RecordHtml(record));
    return data;
}

QString SaveResult::Reason() const {
    if (saved) return QString();
    if (const auto reason = core::WriteFailureReason(error)) return shared::Q(*reason);
    if (system.isEmpty()) return QStringLiteral("система не дала записать файл");
    // Mid-sentence after the colon: "Слишком длинное имя файла" as "слишком …", but an
    // abbreviation stays as it is.
    if (system.size() > 1 && system.at(1).isLower()) return system.at(0).toLower() + system.mid(1);
    return system;
}

SaveResult WriteRecord(const core::CalculationRecord& record, const QString& path) {
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        return WriteFile(path, RecordHtml(record).toUtf8());
    // Made in memory first, so that a failed write leaves no half a file behind.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    const QString title = QString::fromStdString(record.title);
    const QString caseLine = CaseLine(record);
    if (!WritePdf(record, title, caseLine, &pdf)) return FailureOf(0);
    return WriteFile(
        path,
        WithInfo(pdf.data(), {title, CaseField(record, &core::CaseDetails::expert), caseLine}));
}

} // namespace record
