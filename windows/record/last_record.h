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
// its results and drops it whenever it empties them.
class LastRecord {
public:
    explicit LastRecord(QWidget* window);
    LastRecord(const LastRecord&) = delete; // its commands point at this one
    LastRecord& operator=(const LastRecord&) = delete;

    void Keep(core::CalculationRecord record);
    void Drop();
    // The record kept, or nullptr.
    const core::CalculationRecord* Get() const { return record_ ? &*record_ : nullptr; }

    // Results typed over by hand are no longer the calculation's: an edit of one of these
    // fields drops the record.
    void DropOnEdit(std::initializer_list<QLineEdit*> results);

    // The two commands, which do nothing while no record is kept.
    void Copy() const;
    void Save() const;

private:
    QPointer<QWidget> window_;
    std::optional<core::CalculationRecord> record_;
};
