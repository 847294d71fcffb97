#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

namespace toolkit {

// Shows a short warning in a modeless box over the window; the window stays usable.
// A second message to the same window replaces the text of a box still open.
void ShowMessage(QWidget* owner, const QString& text);

// Asks where to save: the desktop's save dialog with `suggested` as the proposed path and the
// filters ("PDF (*.pdf)"), the first one chosen. Returns the path, "" when the user cancels;
// `filter` gets the filter chosen.
QString AskSavePath(QWidget* owner, const QString& caption, const QString& suggested,
                    const QStringList& filters, QString* filter);

// What AskSavePath asks; tests put a function here that answers without a dialog.
using SaveDialog = QString (*)(QWidget* owner, const QString& caption, const QString& suggested,
                               const QStringList& filters, QString* filter);
// Replaces the dialog and returns the one it replaces.
SaveDialog SetSaveDialog(SaveDialog dialog);

} // namespace toolkit
