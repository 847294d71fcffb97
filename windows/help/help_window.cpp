#include "windows/help/help_window.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "windows/toolkit/controls.h"
#include "windows/toolkit/fonts.h"
#include "windows/toolkit/pictures.h"
#include "windows/toolkit/window.h"

// The one window of the program that the user sizes: a text to read wants the room, so its
// controls are laid out by Qt's layouts instead of a table of fixed places.
HelpWindow::HelpWindow() {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Кварнет — справка"));
    setWindowIcon(toolkit::AppIcon());
    setFont(toolkit::WindowFont());
    setAttribute(Qt::WA_DeleteOnClose, false); // discarded through the toolkit on close

    helpText = new QTextBrowser(this);
    helpText->setObjectName(QStringLiteral("helpText"));
    helpText->setAccessibleName(QStringLiteral("Текст справки"));
    helpText->setOpenLinks(false);
    openInBrowserButton = new toolkit::PushButton(QStringLiteral("Открыть в браузере"), this);
    openInBrowserButton->setObjectName(QStringLiteral("openInBrowserButton"));
    openInBrowserButton->setAccessibleName(QStringLiteral("Открыть справку в браузере"));
    closeButton = new toolkit::PushButton(QStringLiteral("Закрыть"), this);
    closeButton->setObjectName(QStringLiteral("closeButton"));
    closeButton->setAccessibleName(QStringLiteral("Закрыть справку"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(openInBrowserButton);
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(helpText, 1);
    layout->addLayout(buttons);
    setTabOrder(helpText, openInBrowserButton);
    setTabOrder(openInBrowserButton, closeButton);

    connect(helpText, &QTextBrowser::anchorClicked, this, &HelpWindow::onLinkClicked);
    connect(openInBrowserButton, &QPushButton::clicked, this, &HelpWindow::onOpenInBrowserClicked);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);

    path_ = toolkit::FindDocument(QString::fromLatin1(kFile));
    helpText->setSource(QUrl::fromLocalFile(path_));
    resize(800, 640);
    toolkit::CenterOnScreen(this);
    helpText->setFocus();
}

// A contents link moves within the help; a link to another file or a web address goes to the
// desktop, as a browser would send it on.
void HelpWindow::onLinkClicked(const QUrl& link) {
    const QUrl here = QUrl::fromLocalFile(path_);
    const QUrl target = here.resolved(link);
    if (target.adjusted(QUrl::RemoveFragment) == here) {
        helpText->scrollToAnchor(target.fragment());
    } else if (target.isLocalFile()) {
        toolkit::OpenWithDesktop(this, target.toLocalFile());
    } else {
        QDesktopServices::openUrl(target);
    }
}

void HelpWindow::onOpenInBrowserClicked() {
    toolkit::OpenWithDesktop(this, path_);
}

void HelpWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closed();
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
