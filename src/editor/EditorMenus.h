#pragma once

#include "settings/ShortkeyModel.h"

#include <QKeySequence>
#include <QList>
#include <QString>

class QAction;
class QMenu;
class QWidget;

// Builds the menus of an editor window on an owner widget: every item with its caption, key
// and hint, named after its component. The window keeps what was built; MenuKeys builds a
// throwaway set to tell which keys the items have before any window exists.
class EditorMenus {
public:
    explicit EditorMenus(QWidget *owner) : m_owner(owner) {}

    // Creates the menus in menu-bar order, owned by the owner widget.
    void CreateMenus();

    // The items that have a key by design, as shortcut text and caption ("Strg+S",
    // "&Speichern..."), in menu order; the compile and run items (whose keys are the user's)
    // are not among them.
    static QList<KeyInUse> MenuKeys();

    QList<QMenu *> m_menus;
    QList<QAction *> m_recentItems;
    QAction *m_recentSeparator = nullptr;

private:
    QMenu *AddMenu(const QString &name, const QString &title, const QString &hint = {});
    QAction *AddItem(QMenu *menu, const QString &name, const QString &caption,
                     const QKeySequence &key = {}, const QString &hint = {});
    void AddSeparator(QMenu *menu, const QString &name = {});

    QWidget *m_owner;
};
