#include "windows/toolkit/commands.h"

#include <QMenu>
#include <QShortcut>
#include <memory>

namespace toolkit {
namespace {

// The commands a window offers, in the order offered, each group with its own condition; one
// menu shows them all, a group after the one before it below a separator.
class CommandSet : public QObject {
public:
    struct Group {
        std::vector<Command> commands;
        std::function<bool()> available;
    };

    explicit CommandSet(QWidget* window) : QObject(window) {
        // Labels, pictures and buttons pass the request on to the window; text fields take it.
        window->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(window, &QWidget::customContextMenuRequested, this,
                [this, window](QPoint at) { Popup(window, at); });
    }

    // The window's set, made when it first offers commands.
    static CommandSet* Of(QWidget* window) {
        // Not findChild: without a meta-object of its own, any child would pass for a set.
        for (QObject* child : window->children())
            if (auto* set = dynamic_cast<CommandSet*>(child)) return set;
        return new CommandSet(window);
    }

    void Add(Group group) { groups_.push_back(std::move(group)); }

private:
    void Popup(QWidget* window, QPoint at) const {
        auto* menu = new QMenu(window);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        for (const Group& group : groups_) {
            const bool enabled = group.available();
            bool before = false; // whether the last command was offered always
            if (!menu->isEmpty()) menu->addSeparator();
            for (const Command& command : group.commands) {
                if (command.always && !before && !menu->isEmpty() &&
                    !menu->actions().constLast()->isSeparator())
                    menu->addSeparator();
                before = command.always;
                QAction* action = menu->addAction(command.caption, command.handler);
                action->setShortcut(command.keys); // shown beside the caption
                action->setEnabled(command.always || enabled);
            }
        }
        menu->popup(window->mapToGlobal(at));
    }

    std::vector<Group> groups_;
};

} // namespace

void OfferCommands(QWidget* window, std::vector<Command> commands,
                   std::function<bool()> available) {
    // Checked when the keys are pressed, not when they were bound: the window's state moves on.
    for (const Command& command : commands) {
        auto* shortcut = new QShortcut(command.keys, window);
        shortcut->setContext(Qt::WindowShortcut);
        QObject::connect(shortcut, &QShortcut::activated, window,
                         [available, handler = command.handler, always = command.always] {
                             if (always || available()) handler();
                         });
    }
    CommandSet::Of(window)->Add({std::move(commands), std::move(available)});
}

} // namespace toolkit
