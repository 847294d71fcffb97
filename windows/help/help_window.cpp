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
#include "windows/toolkit/forms.h"
#include "windows/toolkit/messages.h"
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

    Browser1 = new QTextBrowser(this);
    Browser1->setObjectName(QStringLiteral("Browser1"));
    Browser1->setAccessibleName(QStringLiteral("Текст справки"));
    Browser1->setOpenLinks(false);
    Command1 = new toolkit::PushButton(QStringLiteral("Открыть в браузере"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setAccessibleName(QStringLiteral("Открыть справку в браузере"));
    Command2 = new toolkit::PushButton(QStringLiteral("Закрыть"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setAccessibleName(QStringLiteral("Закрыть справку"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Browser1, 1);
    layout->addLayout(buttons);
    setTabOrder(Browser1, Command1);
    setTabOrder(Command1, Command2);

    connect(Browser1, &QTextBrowser::anchorClicked, this, &HelpWindow::Browser1_AnchorClicked);
    connect(Command1, &QPushButton::clicked, this, &HelpWindow::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &HelpWindow::Command2_Click);
}

void HelpWindow::Form_Load() {
    path_ = toolkit::FindDocument(QString::fromLatin1(kFile));
    Browser1->setSource(QUrl::fromLocalFile(path_));
    resize(800, 640);
    toolkit::CenterOnScreen(this);
    Browser1->setFocus();
}

// A contents link moves within the help; a link to another file or a web address goes to the
// desktop, as a browser would send it on.
void HelpWindow::Browser1_AnchorClicked(const QUrl& link) {
    const QUrl here = QUrl::fromLocalFile(path_);
    const QUrl target = here.resolved(link);
    if (target.adjusted(QUrl::RemoveFragment) == here) {
        Browser1->scrollToAnchor(target.fragment());
    } else if (target.isLocalFile()) {
        toolkit::OpenWithDesktop(this, target.toLocalFile());
    } else {
        QDesktopServices::openUrl(target);
    }
}

void HelpWindow::Command1_Click() {
    toolkit::OpenWithDesktop(this, path_);
}

void HelpWindow::Command2_Click() {
    close();
}

void HelpWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    toolkit::Discard<HelpWindow>();
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void ShowHelp(QWidget* owner) {
    if (toolkit::FindDocument(QString::fromLatin1(HelpWindow::kFile)).isEmpty()) {
        toolkit::ShowMessage(owner,
                             toolkit::MissingDocumentText(QString::fromLatin1(HelpWindow::kFile),
                                                          QStringLiteral("справка программы")));
        return;
    }
    toolkit::Show<HelpWindow>();
}
