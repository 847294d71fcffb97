#include "windows/record/case_dialog.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include "windows/record/case_details.h"
#include "windows/record/case_dialog_layout.h"
#include "windows/shared/text.h"
#include "windows/toolkit/fonts.h"
#include "windows/toolkit/layout.h"
#include "windows/toolkit/messages.h"

namespace {

// The fields and their captions, in the order of the record's case details.
constexpr const char* kFields[] = {"CaseNumber", "Expert", "Organisation", "Note"};
static_assert(std::size(kFields) == core::kCaseFields.size());

} // namespace

CaseDialog::CaseDialog(QWidget* owner) : QDialog(owner), owner_(owner) {
    setObjectName(QStringLiteral("CaseDialog"));
    setWindowTitle(QStringLiteral("Сведения о деле"));
    setFont(toolkit::WindowFont());
    setFixedSize(toolkit::TwipsToPixels(kCaseDialogWidth),
                 toolkit::TwipsToPixels(kCaseDialogHeight));

    const toolkit::Controls controls = toolkit::BuildLayout(this, CaseDialogLayout());
    for (const char* name : kFields) {
        const QString field = QString::fromLatin1(name);
        controls.get<QLabel>(field + QStringLiteral("Label"))
            ->setBuddy(controls.get<QLineEdit>(field));
    }
    auto* ok = controls.get<QPushButton>(QStringLiteral("Ok"));
    ok->setDefault(true); // Return in a field
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(controls.get<QPushButton>(QStringLiteral("Cancel")), &QPushButton::clicked, this,
            &QDialog::reject);

    const core::CaseDetails& details = record::CaseDetailsStore::Current().Details();
    for (std::size_t i = 0; i < core::kCaseFields.size(); ++i)
        field(static_cast<int>(i))->setText(shared::Q(details.*core::kCaseFields[i].member));
    field(0)->setFocus();
}

QLineEdit* CaseDialog::field(int index) const {
    return findChild<QLineEdit*>(QString::fromLatin1(kFields[index]));
}

void CaseDialog::accept() {
    core::CaseDetails details;
    for (std::size_t i = 0; i < core::kCaseFields.size(); ++i)
        details.*core::kCaseFields[i].member = shared::Std(field(static_cast<int>(i))->text());
    QDialog::accept();
    if (!record::CaseDetailsStore::Current().Set(details))
        toolkit::ShowMessage(
            owner_,
            QStringLiteral("Не удалось сохранить имя эксперта и организацию в настройках «%1»: "
                           "они будут подставляться в записи расчётов только до закрытия "
                           "программы.")
                .arg(QDir::toNativeSeparators(record::CaseDetailsStore::SettingsPlace())));
}

CaseDialog* CaseDialog::Open(QWidget* owner) {
    static QPointer<CaseDialog> open;
    if (!open || !open->isVisible()) { // a closed one goes at the next turn of the event loop
        open = new CaseDialog(owner);
        open->setAttribute(Qt::WA_DeleteOnClose);
        open->setWindowModality(Qt::WindowModal);
    }
    open->show();
    open->raise();
    open->activateWindow();
    return open;
}
