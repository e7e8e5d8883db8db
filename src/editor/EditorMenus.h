#pragma once

#include "common/CommandTable.h"
#include "settings/ShortkeyModel.h"

#include <QList>

#include <span>

class TFMDIQuill;

// The command table of an editor window: every menu and item in menu-bar order with its
// caption, key, hint and command, named after its component. The window builds its menus
// from it; the keys can be read before any window exists.
class EditorMenus {
public:
    static std::span<const CommandRow<TFMDIQuill>> Rows();

    // The items that have a key by design, as shortcut text and caption ("Strg+S",
    // "&Speichern..."), in menu order; the compile and run items (whose keys are the user's)
    // are not among them.
    static QList<KeyInUse> MenuKeys();

    // The row whose command the window runs for a key press of its own (the snippets'
    // Ctrl+Shift keys); nullptr if none. Only exactly the row's modifiers count.
    static const CommandRow<TFMDIQuill> *RowForWindowKey(int key, Qt::KeyboardModifiers modifiers);

    // The row a numbered window message runs (1038: "MnSpeichern"); nullptr for none.
    static const CommandRow<TFMDIQuill> *RowForMessage(int message);
    // Whether the message closes the window (with its close question).
    static bool IsCloseMessage(int message);
};
