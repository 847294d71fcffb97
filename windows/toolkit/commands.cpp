#include "windows/toolkit/commands.h"

#include <QMenu>
#include <QShortcut>
#include <memory>

namespace toolkit {

void OfferCommands(QWidget* window, std::vector<Command> commands,
                   std::function<bool()> available) {
    auto shared = std::make_shared<const std::vector<Command>>(std::move(commands));
    // Checked when the keys are pressed, not when they were bound: the window's state moves on.
    for (const Command& command : *shared) {
        auto* shortcut = new QShortcut(command.keys, window);
        shortcut->setContext(Qt::WindowShortcut);
        QObject::connect(shortcut, &QShortcut::activated, window,
                         [available, handler = command.handler, always = command.always] {
                             if (always || available()) handler();
                         });
    }
    // Labels, pictures and buttons pass the request on to the window; text fields take it.
    window->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(window, &QWidget::customContextMenuRequested, window,
                     [window, shared, available](QPoint at) {
                         auto* menu = new QMenu(window);
                         menu->setAttribute(Qt::WA_DeleteOnClose);
                         const bool enabled = available();
                         bool before = false; // whether the last command was offered always
                         for (const Command& command : *shared) {
                             if (command.always && !before && !menu->isEmpty())
                                 menu->addSeparator();
                             before = command.always;
                             QAction* action = menu->addAction(command.caption, command.handler);
                             action->setShortcut(command.keys); // shown beside the caption
                             action->setEnabled(command.always || enabled);
                         }
                         menu->popup(window->mapToGlobal(at));
                     });
}

} // namespace toolkit
