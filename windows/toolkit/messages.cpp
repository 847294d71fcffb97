#include "toolkit/messages.h"

#include <QMessageBox>

namespace toolkit {

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

} // namespace toolkit
