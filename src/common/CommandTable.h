#pragma once

#include <QKeyCombination>
#include <QList>
#include <QString>
#include <QStringList>

#include <span>

// The commands of a window as one table: each row is a menu, a tool bar, a command in the
// menu or tool bar above it, or a separator. A window builds its menus and tool buttons
// from its table and connects every command row in one place, through ConnectCommand
// (CommandGuard.h); its keys, tool tips and enabled states all come from the rows.

enum class CommandRowKind {
    Menu,      // starts a menu; the rows up to the next menu or tool bar are its items
    ToolBar,   // starts the tool buttons
    Item,      // a command: a menu item or a tool button
    Separator, // a line in a menu, a gap in a tool bar
};

// When a command can be used.
enum class CommandEnabled {
    Always,
    WhileProgramRuns,  // only while a program that F9 started still runs
    WhileNotDebugging, // only while no program is being debugged
    WhileDebugStopped, // only while the debugged program is stopped
};

// Whether a combination is a key at all: an empty QKeyCombination is Qt::Key_unknown.
inline bool IsCommandKey(QKeyCombination combination) {
    return combination.toCombined() != 0 && combination.key() != Qt::Key_unknown;
}

template <typename Owner> struct CommandRow {
    using Command = void (Owner::*)();

    CommandRowKind kind = CommandRowKind::Item;
    // The component name, also the object name of what is built ("MnSpeichern").
    const char *name = "";
    // The caption in UTF-8 with its mnemonic; a tab and a key text after it show a key that
    // the window reads itself (windowKey).
    const char *caption = "";
    // What the row runs; nullptr for an item that does nothing yet.
    Command command = nullptr;
    // The key the command has by design.
    QKeyCombination key{};
    // Tool tip and status tip in UTF-8.
    const char *hint = "";
    // The setting whose shortcut text is the command's key, instead of a key by design.
    const QString *keySetting = nullptr;
    // A key the window's own key handler runs the command for (not a shortcut of the item).
    QKeyCombination windowKey{};
    bool hidden = false;
    CommandEnabled enabled = CommandEnabled::Always;
    // Tool buttons: the owner's picture number.
    int picture = -1;

    bool isCommand() const { return kind == CommandRowKind::Item; }
    bool hasKey() const { return IsCommandKey(key); }
    bool hasWindowKey() const { return IsCommandKey(windowKey); }
    QString captionText() const { return QString::fromUtf8(caption); }
    QString hintText() const { return QString::fromUtf8(hint); }

    // Modifiers for writing tables.
    CommandRow withKeySetting(const QString &setting) const {
        CommandRow row = *this;
        row.keySetting = &setting;
        return row;
    }
    CommandRow withWindowKey(QKeyCombination combination) const {
        CommandRow row = *this;
        row.windowKey = combination;
        return row;
    }
    CommandRow asHidden() const {
        CommandRow row = *this;
        row.hidden = true;
        return row;
    }
    CommandRow enabledWhile(CommandEnabled rule) const {
        CommandRow row = *this;
        row.enabled = rule;
        return row;
    }
    CommandRow withPicture(int number) const {
        CommandRow row = *this;
        row.picture = number;
        return row;
    }
};

// Row makers, so a table reads as a list of menus and items.
template <typename Owner> struct CommandRows {
    using Row = CommandRow<Owner>;

    static Row menu(const char *name, const char *caption, const char *hint = "") {
        return Row{CommandRowKind::Menu, name, caption, nullptr, {}, hint};
    }
    static Row toolBar(const char *name) {
        return Row{CommandRowKind::ToolBar, name, "", nullptr, {}, ""};
    }
    static Row item(const char *name, const char *caption, typename Row::Command command,
                    QKeyCombination key = {}, const char *hint = "") {
        return Row{CommandRowKind::Item, name, caption, command, key, hint};
    }
    static Row separator(const char *name = "") {
        return Row{CommandRowKind::Separator, name, "", nullptr, {}, ""};
    }
};

// The row of a table with the given name; nullptr if none.
template <typename Owner>
const CommandRow<Owner> *FindCommandRow(std::span<const CommandRow<Owner>> rows,
                                        QLatin1String name) {
    for (const CommandRow<Owner> &row : rows)
        if (name == QLatin1String(row.name))
            return &row;
    return nullptr;
}

// What is wrong with a table: a menu or command without a caption (a tool bar needs none;
// a tool button's caption names it where its picture cannot), a command without a name,
// and two rows with the same key (by design or read by the window). Empty when all is well.
template <typename Owner>
QStringList CommandTableProblems(std::span<const CommandRow<Owner>> rows) {
    QStringList problems;
    QList<int> keys;
    QStringList keyOwners;
    const auto claim = [&](QKeyCombination key, const QString &name) {
        if (!IsCommandKey(key))
            return;
        const qsizetype earlier = keys.indexOf(key.toCombined());
        if (earlier >= 0)
            problems << QStringLiteral("%1 and %2 have the same key").arg(keyOwners[earlier], name);
        keys << key.toCombined();
        keyOwners << name;
    };
    for (const CommandRow<Owner> &row : rows) {
        const QString name = QString::fromLatin1(row.name);
        const bool captioned = row.kind == CommandRowKind::Menu || row.isCommand();
        if (captioned && QString::fromUtf8(row.caption).section(u'\t', 0, 0).isEmpty())
            problems << QStringLiteral("%1 has no caption")
                            .arg(name.isEmpty() ? QStringLiteral("?") : name);
        if (row.isCommand() && name.isEmpty())
            problems << QStringLiteral("a command without a name: %1").arg(row.captionText());
        claim(row.key, name);
        claim(row.windowKey, name);
    }
    return problems;
}
