#pragma once

#include <QWidget>

class QTextBrowser;
class QPushButton;
class QUrl;

// The help, shown by the program itself so that it opens on any system: the help file in a
// browser pane with its contents links working, a button that hands the same file to the
// desktop's browser, and one that closes the window. Closing it tells its owner, which discards
// it, so that the next opening starts at the top.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kFile = "zelt.html";

    // The window showing the help file found (toolkit::FindDocument), centred, not shown.
    HelpWindow();
    QString FilePath() const { return path_; }

signals:
    // The window closed (Закрыть, Escape or the title bar).
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The controls, found by tests as users find them, by name (objectName).
    QTextBrowser* helpText;
    QPushButton* openInBrowserButton; // «Открыть в браузере»
    QPushButton* closeButton;         // «Закрыть»

    void onLinkClicked(const QUrl& link);
    void onOpenInBrowserClicked();

    QString path_;
};
