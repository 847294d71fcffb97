#include "windows/record/last_record.h"

#include <QApplication>
#include <QClipboard>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QStandardPaths>

#include "windows/record/case_details.h"
#include "windows/record/case_dialog.h"
#include "windows/record/record_document.h"
#include "windows/toolkit/commands.h"
#include "windows/toolkit/messages.h"

namespace {

const QString kPdf = QStringLiteral("PDF (*.pdf)");
const QString kHtml = QStringLiteral("HTML (*.html)");

} // namespace

LastRecord::LastRecord(QWidget* window) : window_(window) {
    toolkit::OfferCommands(
        window,
        {{QStringLiteral("Копировать расчёт"), QKeySequence(QStringLiteral("Ctrl+Shift+C")),
          [this] { Copy(); }},
         {QStringLiteral("Сохранить расчёт…"), QKeySequence(QStringLiteral("Ctrl+Shift+S")),
          [this] { Save(); }},
         {QStringLiteral("Сведения о деле…"), QKeySequence(QStringLiteral("Ctrl+Shift+D")),
          [this] { AskCaseDetails(); }, true}},
        [this] { return record_.has_value(); });
    const record::CaseDetailsStore& store = record::CaseDetailsStore::Current();
    QObject::connect(&store, &record::CaseDetailsStore::changed, window, [this, &store] {
        if (record_) record_->origin.caseDetails = store.Details();
    });
}

void LastRecord::Keep(core::CalculationRecord record) {
    record.origin = record::OriginNow();
    record_ = std::move(record);
}

void LastRecord::Restore(core::CalculationRecord kept) {
    kept.origin.caseDetails = record::CaseDetailsStore::Current().Details();
    record_ = std::move(kept);
}

void LastRecord::Drop() {
    record_.reset();
}

void LastRecord::DropOnEdit(std::initializer_list<QLineEdit*> results) {
    for (QLineEdit* field : results)
        QObject::connect(field, &QLineEdit::textEdited, window_, [this] { Drop(); });
}

void LastRecord::Copy() const {
    if (record_) QApplication::clipboard()->setMimeData(record::RecordMimeData(*record_));
}

void LastRecord::AskCaseDetails() const {
    CaseDialog::Open(window_);
}

void LastRecord::Save() const {
    if (!record_) return;
    // The dialog runs an event loop of its own: keep what was asked for, whatever happens
    // meanwhile.
    const core::CalculationRecord record = *record_;
    const QDate day = record.origin.computedAt
                          ? QDate(record.origin.computedAt->year, record.origin.computedAt->month,
                                  record.origin.computedAt->day)
                          : QDate::currentDate();
    // The documents folder where there is one, else home; never the program's working folder.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QFileInfo(folder).isDir()) folder = QDir::homePath();
    const QString suggested =
        QDir(folder).filePath(QStringLiteral("расчёт-%1.pdf").arg(day.toString(Qt::ISODate)));
    QString filter;
    QString path = toolkit::AskSavePath(window_, QStringLiteral("Сохранить расчёт"), suggested,
                                        {kPdf, kHtml}, &filter);
    if (path.isEmpty()) return;
    // A name typed without an ending gets the chosen format's; not the name of a device or a
    // folder, which the save then refuses instead of writing a file beside it.
    const QFileInfo typed(path);
    if (typed.suffix().isEmpty() && (typed.isFile() || !typed.exists()))
        path += filter == kHtml ? QStringLiteral(".html") : QStringLiteral(".pdf");
    const record::SaveResult saved = record::WriteRecord(record, path);
    if (!saved.Saved())
        toolkit::ShowMessage(window_, QStringLiteral("Не удалось сохранить расчёт в файл «%1»: %2.")
                                          .arg(QDir::toNativeSeparators(path), saved.Reason()));
}
