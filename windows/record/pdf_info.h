#pragma once

#include <QByteArray>
#include <QString>

// What a PDF says about itself in its document information: the fields a file manager, a
// reader's properties and `pdfinfo` show.
namespace record {

struct PdfInfo {
    QString title;
    QString author;  // "" leaves it out
    QString subject; // "" leaves it out
};

// The PDF with its information dictionary replaced by one that has `info` besides what it held
// (creator, producer, dates), appended as an incremental update, the way PDF editors change a
// file without rewriting it. A PDF whose trailer is not the plain kind Qt writes comes back
// unchanged.
QByteArray WithInfo(const QByteArray& pdf, const PdfInfo& info);

} // namespace record
