#pragma once

#include <QWidget>

class QTextBrowser;
class QPushButton;
class QUrl;

// The help, shown by the program itself so that it opens on any system: the help file in a
// browser pane with its contents links working, a button that hands the same file to the
// desktop's browser, and one that closes the window. One instance; closing it discards it, so
// the next opening starts at the top.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kFile = "zelt.html";

    HelpWindow();
    void Form_Load();
    QString FilePath() const { return path_; }

    QTextBrowser* Browser1 = nullptr;
    QPushButton* Command1 = nullptr; // «Открыть в браузере»
    QPushButton* Command2 = nullptr; // «Закрыть»

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Browser1_AnchorClicked(const QUrl& link);
    void Command1_Click();
    void Command2_Click();

    QString path_;
};

// Opens the help window over the program, or says over `owner` where to put a missing help.
void ShowHelp(QWidget* owner);
