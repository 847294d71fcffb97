#pragma once

#include <QDate>
#include <QString>

#include "core/record.h"

class QMimeData;

// A calculation's record as a document an expert attaches to an opinion: HTML for word
// processors and files, PDF on A4. Shared by every window that keeps a record.
namespace record {

// A whole HTML document: the title, the program with its version and the date, the inputs,
// the numbered steps (formula = values = result), the results and the notes.
QString RecordHtml(const core::CalculationRecord& record, const QDate& date);

// For the clipboard: the record as plain text and as HTML.
QMimeData* RecordMimeData(const core::CalculationRecord& record, const QDate& date);

// Writes the record to `path`: a PDF when the name ends in ".pdf", HTML otherwise. Returns
// false when the file could not be written; an existing file is then left as it was.
bool WriteRecord(const core::CalculationRecord& record, const QDate& date, const QString& path);

} // namespace record
