#pragma once

#include <QDialog>

class QLineEdit;

// «Сведения о деле»: the case or file number, the expert's name, the organisation and a free
// note, which the records of this run carry in their header. ОК keeps them (Return from any
// field), Отмена and Escape leave them as they were.
class CaseDialog : public QDialog {
    Q_OBJECT
public:
    explicit CaseDialog(QWidget* owner);

    // Opens the dialog over `owner`, which it blocks until closed; a dialog already open is
    // brought up instead of a second one.
    static CaseDialog* Open(QWidget* owner);

    void accept() override;

private:
    QLineEdit* field(int index) const;
    QWidget* owner_;
};
