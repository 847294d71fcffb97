#include "windows/toolkit/messages.h"

#include <QFileDialog>
#include <QMessageBox>
#include <utility>

namespace toolkit {

namespace {

QString DesktopSaveDialog(QWidget* owner, const QString& caption, const QString& suggested,
                          const QStringList& filters, QString* filter) {
    *filter = filters.value(0);
    return QFileDialog::getSaveFileName(owner, caption, suggested,
                                        filters.join(QStringLiteral(";;")), filter);
}

SaveDialog saveDialog = &DesktopSaveDialog;

} // namespace

void ShowMessage(QWidget* owner, const QString& text) {
    const QString name = QStringLiteral("Message");
    auto* box = owner->findChild<QMessageBox*>(name, Qt::FindDirectChildrenOnly);
    if (!box) {
        // An embedded window's messages carry the title of the window around it.
        box = new QMessageBox(QMessageBox::Warning, owner->window()->windowTitle().trimmed(),
                              QString(), QMessageBox::Ok, owner);
        box->setObjectName(name);
        box->setWindowModality(Qt::NonModal);
        box->setAttribute(Qt::WA_DeleteOnClose);
        // A closed box waits for deletion; the next message must open a box of its own.
        QObject::connect(box, &QMessageBox::finished, box,
                         [box] { box->setObjectName(QString()); });
    }
    box->setText(text);
    box->show();
    box->raise();
    box->activateWindow();
}

QString AskSavePath(QWidget* owner, const QString& caption, const QString& suggested,
                    const QStringList& filters, QString* filter) {
    return saveDialog(owner, caption, suggested, filters, filter);
}

SaveDialog SetSaveDialog(SaveDialog dialog) {
    return std::exchange(saveDialog, dialog);
}

} // namespace toolkit
