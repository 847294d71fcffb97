#pragma once

#include <QPointer>
#include <QWidget>
#include <initializer_list>
#include <optional>

#include "core/record.h"

class QLineEdit;

// The record of a window's last successful calculation, which the user may copy ("Копировать
// расчёт", Ctrl+Shift+C) and save as PDF or HTML ("Сохранить расчёт…", Ctrl+Shift+S) through
// the window's context menu and keys. Offered only while one is kept: the window keeps it with
// its results and drops it whenever it empties them. The same menu and Ctrl+Shift+D open
// "Сведения о деле…" at any time; the record's header carries the details as they are when it
// is copied or saved, and the time it was kept at.
class LastRecord {
public:
    explicit LastRecord(QWidget* window);
    LastRecord(const LastRecord&) = delete; // its commands point at this one
    LastRecord& operator=(const LastRecord&) = delete;

    // Keeps the record, stamped with the time and the program.
    void Keep(core::CalculationRecord record);
    void Drop();
    // Keeps again a record this one kept before, with the time it was kept at: a window that
    // shows one of several calculations shows an earlier one again.
    void Restore(core::CalculationRecord kept);
    // The record kept, with the case details as they are now; or nullptr.
    const core::CalculationRecord* Get() const { return record_ ? &*record_ : nullptr; }

    // Results typed over by hand are no longer the calculation's: an edit of one of these
    // fields drops the record.
    void DropOnEdit(std::initializer_list<QLineEdit*> results);

    // The two commands, which do nothing while no record is kept.
    void Copy() const;
    void Save() const;
    // Opens the case dialog over the window.
    void AskCaseDetails() const;

private:
    QPointer<QWidget> window_;
    std::optional<core::CalculationRecord> record_;
};
