#pragma once

#include <QKeySequence>
#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

#include "windows/toolkit/events.h"

// Commands a window offers beside its fixed layout: in a context menu on the window's
// background, labels, pictures and buttons, and through keys anywhere in the window.
namespace toolkit {

struct Command {
    QString caption; // as the menu shows it
    QKeySequence keys;
    Handler handler;
    bool always = false; // offered whatever `available` says, below a separator
};

// Offers the commands on `window`. While `available` returns false the menu shows them
// disabled and their keys do nothing, except those offered always. Text fields and lists keep their
// own menus. A window embedded in this one (EmbedWindow) shares its menu and keys. A window may
// offer several groups, each with its own condition: one menu shows them, in the order offered,
// parted by separators.
void OfferCommands(QWidget* window, std::vector<Command> commands, std::function<bool()> available);

} // namespace toolkit
