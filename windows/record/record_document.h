#pragma once

#include <QString>

#include "core/record.h"

class QMimeData;

// A calculation's record as a document an expert attaches to an opinion: HTML for word
// processors and files, PDF on A4. Shared by every window that keeps a record.
namespace record {

// A whole HTML document: the title, the header (case details, date and time, program and
// version, method), the inputs, the numbered steps (formula = values = result), the results
// and the notes. The expert is its author. Printed from a browser, it keeps the PDF's rules
// for page ends as far as the browser follows them.
QString RecordHtml(const core::CalculationRecord& record);

// For the clipboard: the record as plain text and as HTML.
QMimeData* RecordMimeData(const core::CalculationRecord& record);

// What became of a save.
struct SaveResult {
    bool saved = true;
    int error = 0;  // why not, as the system numbers it (errno); 0 when it gave no number
    QString system; // the system's own words for an error the program does not word itself

    bool Saved() const { return saved; }
    // The reason in words, completing «Не удалось сохранить расчёт в файл «…»: …»; the same
    // words as the command line's for the same error (core/file_error.h).
    QString Reason() const;
};

// Writes the record to `path`: a PDF when the name ends in ".pdf", HTML otherwise. A file is
// written whole or not at all: when saving fails, an existing file is left as it was. The PDF's
// pages read as one document: a table that fits on a page is never parted, a longer one is
// parted between rows and repeats its header row, each step and note stands whole on a page,
// and a heading stands with the start of what it heads. They have the case number and the page
// number at their foot; the PDF's properties name the record's title, the expert as author and
// the case as subject.
SaveResult WriteRecord(const core::CalculationRecord& record, const QString& path);

} // namespace record
