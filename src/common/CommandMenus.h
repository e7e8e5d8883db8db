#pragma once

#include "CommandGuard.h"
#include "CommandTable.h"
#include "ShortcutText.h"

#include <QAction>
#include <QKeySequence>
#include <QList>
#include <QMenu>
#include <QWidget>

#include <span>
#include <utility>

// The menus a window built from its command table, and the item of every command row.
template <typename Owner> struct CommandMenus {
    using Row = CommandRow<Owner>;

    QList<QMenu *> menus;                           // in table order
    QList<std::pair<const Row *, QAction *>> items; // every menu item row, in table order

    // The item of the command row with the given name; nullptr if none.
    QAction *item(QLatin1String name) const {
        for (const auto &[row, action] : items)
            if (name == QLatin1String(row->name))
                return action;
        return nullptr;
    }
    // The row of an item; nullptr for an action that is none of them.
    const Row *rowOf(const QAction *action) const {
        for (const auto &[row, item] : items)
            if (item == action)
                return row;
        return nullptr;
    }

    // Gives every item its key: the key of its setting where the row names one, otherwise
    // its key by design, unless a setting gave that key to another command (then the item
    // shows no key until the setting's key moves on).
    void applyKeys(std::span<const Row> rows) const {
        QList<QKeySequence> settingKeys;
        for (const Row &row : rows)
            if (row.keySetting)
                settingKeys << TextToShortCut(*row.keySetting);
        for (const auto &[row, action] : items) {
            if (row->keySetting) {
                action->setShortcut(TextToShortCut(*row->keySetting));
            } else if (row->hasKey()) {
                const QKeySequence key(row->key);
                action->setShortcut(settingKeys.contains(key) ? QKeySequence() : key);
            }
        }
    }

    // Enables or disables the items whose rows follow `rule`.
    void setEnabled(CommandEnabled rule, bool enabled) const {
        for (const auto &[row, action] : items)
            if (row->enabled == rule)
                action->setEnabled(enabled);
    }
};

// Builds the menus of every menu section of `rows` as children of `parent`: items named
// after their rows, with caption, key, hint, visibility and enabled state, each command
// connected to `owner` through ConnectCommand. `hintsInMenus` shows the hints as tool tips
// when the pointer rests on an item.
template <typename Owner>
CommandMenus<Owner> BuildCommandMenus(Owner *owner, QWidget *parent,
                                      std::span<const CommandRow<Owner>> rows, bool hintsInMenus) {
    CommandMenus<Owner> built;
    QMenu *menu = nullptr;
    for (const CommandRow<Owner> &row : rows) {
        const QString name = QString::fromLatin1(row.name);
        switch (row.kind) {
        case CommandRowKind::Menu:
            menu = new QMenu(row.captionText(), parent);
            menu->setObjectName(name);
            menu->setToolTipsVisible(hintsInMenus);
            menu->menuAction()->setObjectName(name);
            if (*row.hint)
                menu->menuAction()->setStatusTip(row.hintText());
            menu->menuAction()->setVisible(!row.hidden);
            built.menus << menu;
            break;
        case CommandRowKind::ToolBar:
            menu = nullptr;
            break;
        case CommandRowKind::Separator:
            if (menu) {
                QAction *separator = menu->addSeparator();
                separator->setObjectName(name);
                separator->setVisible(!row.hidden);
            }
            break;
        case CommandRowKind::Item:
            if (menu) {
                QAction *action = menu->addAction(row.captionText());
                action->setObjectName(name);
                if (row.hasKey())
                    action->setShortcut(QKeySequence(row.key));
                if (*row.hint) {
                    action->setToolTip(row.hintText());
                    action->setStatusTip(row.hintText());
                }
                action->setVisible(!row.hidden);
                action->setEnabled(row.enabled == CommandEnabled::Always);
                if (row.command)
                    ConnectCommand(action, &QAction::triggered, owner, row.command);
                built.items.append({&row, action});
            }
            break;
        }
    }
    return built;
}

// The keys the commands of `rows` have by design, as shortcut text and caption ("Strg+S",
// "&Speichern..."), in table order; keys that a setting gives are not among them.
template <typename Owner>
QList<std::pair<QString, QString>> DesignKeys(std::span<const CommandRow<Owner>> rows) {
    QList<std::pair<QString, QString>> keys;
    for (const CommandRow<Owner> &row : rows)
        if (row.isCommand() && row.hasKey() && !row.keySetting)
            keys.append({ShortCutToText(QKeySequence(row.key)), row.captionText()});
    return keys;
}
