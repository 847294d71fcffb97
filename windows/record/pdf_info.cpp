#include "windows/record/pdf_info.h"

#include <QRegularExpression>

namespace record {

namespace {

// A PDF text string: UTF-16BE with its byte-order mark, in hex.
QByteArray PdfText(const QString& text) {
    QByteArray out = "<FEFF";
    for (QChar unit : text)
        out += QByteArray::number(unit.unicode(), 16).rightJustified(4, '0').toUpper();
    return out + ">";
}

} // namespace

QByteArray WithInfo(const QByteArray& pdf, const PdfInfo& info) {
    // The last trailer: /Size, /Root, /Info and perhaps /ID; then where its cross-reference
    // table starts.
    const qsizetype trailerAt = pdf.lastIndexOf("trailer");
    if (trailerAt < 0) return pdf;
    static const QRegularExpression trailerPattern(
        QStringLiteral(R"(^trailer\s*<<(.*)>>\s*startxref\s+(\d+)\s+%%EOF\s*$)"),
        QRegularExpression::DotMatchesEverythingOption);
    const QString trailerText = QString::fromLatin1(pdf.mid(trailerAt));
    const QRegularExpressionMatch trailer = trailerPattern.match(trailerText);
    if (!trailer.hasMatch()) return pdf;
    const QString dictionary = trailer.captured(1);
    const QString previousTable = trailer.captured(2);
    static const QRegularExpression size(QStringLiteral(R"(/Size\s+(\d+))"));
    static const QRegularExpression root(QStringLiteral(R"(/Root\s+(\d+\s+\d+\s+R))"));
    static const QRegularExpression infoRef(QStringLiteral(R"(/Info\s+(\d+)\s+0\s+R)"));
    static const QRegularExpression id(QStringLiteral(R"(/ID\s*(\[[^\]]*\]))"));
    const QRegularExpressionMatch sizeMatch = size.match(dictionary);
    const QRegularExpressionMatch rootMatch = root.match(dictionary);
    const QRegularExpressionMatch infoMatch = infoRef.match(dictionary);
    if (!sizeMatch.hasMatch() || !rootMatch.hasMatch() || !infoMatch.hasMatch()) return pdf;

    // The old information dictionary, whose entries other than ours stay.
    const QByteArray number = infoMatch.captured(1).toLatin1();
    const qsizetype objectAt = pdf.indexOf("\n" + number + " 0 obj");
    if (objectAt < 0) return pdf;
    const qsizetype open = pdf.indexOf("<<", objectAt);
    const qsizetype end = pdf.indexOf("endobj", objectAt);
    const qsizetype close = pdf.lastIndexOf(">>", end);
    if (open < 0 || end < 0 || close < open) return pdf;
    QByteArray entries = pdf.mid(open + 2, close - open - 2);
    // Qt's own title is replaced; it writes no author or subject.
    static const QRegularExpression oldTitle(
        QStringLiteral(R"(/Title\s*(\((?:\\[\s\S]|[^\\)])*\)|<[^>]*>))"));
    entries = QString::fromLatin1(entries).remove(oldTitle).toLatin1();
    QByteArray ours = "\n/Title " + PdfText(info.title);
    if (!info.author.isEmpty()) ours += "\n/Author " + PdfText(info.author);
    if (!info.subject.isEmpty()) ours += "\n/Subject " + PdfText(info.subject);

    QByteArray out = pdf;
    if (!out.endsWith('\n')) out += '\n';
    const qsizetype newObjectAt = out.size();
    out += number + " 0 obj\n<<" + ours + entries + ">>\nendobj\n";
    const qsizetype tableAt = out.size();
    out += "xref\n" + number + " 1\n" + QByteArray::number(newObjectAt).rightJustified(10, '0') +
           " 00000 n \n";
    out += "trailer\n<<\n/Size " + sizeMatch.captured(1).toLatin1() + "\n/Root " +
           rootMatch.captured(1).toLatin1() + "\n/Info " + number + " 0 R\n";
    if (const QRegularExpressionMatch idMatch = id.match(dictionary); idMatch.hasMatch())
        out += "/ID " + idMatch.captured(1).toLatin1() + "\n";
    out += "/Prev " + previousTable.toLatin1() + "\n>>\nstartxref\n" + QByteArray::number(tableAt) +
           "\n%%EOF\n";
    return out;
}

} // namespace record
