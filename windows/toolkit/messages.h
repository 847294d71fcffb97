#pragma once

#include <QString>
#include <QWidget>

namespace toolkit {

// Shows a short warning in a modeless box over the window; the window stays usable.
// A second message to the same window replaces the text of a box still open.
void ShowMessage(QWidget* owner, const QString& text);

} // namespace toolkit
