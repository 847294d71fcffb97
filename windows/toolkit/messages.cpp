#include "toolkit/messages.h"

#include <QMessageBox>

namespace toolkit {

void ShowMessage(QWidget* owner, const QString& text) {
    const QString name = QStringLiteral("Message");
    auto* box = owner->findChild<QMessageBox*>(name, Qt::FindDirectChildrenOnly);
    if (!box) {
        box = new QMessageBox(QMessageBox::Warning, owner->windowTitle().trimmed(), QString(),
                              QMessageBox::Ok, owner);
        box->setObjectName(name);
        box->setWindowModality(Qt::NonModal);
        box->setAttribute(Qt::WA_DeleteOnClose);
    }
    box->setText(text);
    box->show();
    box->raise();
    box->activateWindow();
}

} // namespace toolkit
