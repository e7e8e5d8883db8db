#pragma once

#include "TextSource.h"

#include <QString>
#include <Qt>

#include <vector>

// The incremental search of an editor window, apart from the window. While it runs, typed
// characters build the search text instead of reaching the document; each one selects the
// first match, ignoring case, from where the search stands; Backspace takes the last step
// back; F3 or Ctrl+I go to the next match; Esc, Enter and the caret keys end it and leave the
// selection. The window hands in the keys and the text and carries out the reaction.
class IncrementalSearch {
public:
    // A selection of the text control: `Length` characters from `Start`.
    struct Selection {
        qsizetype Start = 0;
        qsizetype Length = 0;
        bool operator==(const Selection &) const = default;
    };

    // What a key does while the search runs.
    enum class Key {
        Type,   // its text joins the search text
        Back,   // Backspace: one step back
        Next,   // F3 or Ctrl+I: the next match
        Finish, // Esc, Enter or a caret key: the search ends, the key does nothing else
        Leave,  // a command key (Ctrl, Alt or a function key): the search ends, the key acts
        Ignore, // a key that only modifies others: nothing happens, it goes on as usual
        Swallow // any other key (Delete, Insert, ...): nothing happens, it never reaches the text
    };

    // What the window does after an input.
    struct Reaction {
        bool Consumed = false; // the key (or text) must not reach the text control
        bool Ended = false;    // the search is over: panel 2 is emptied, the caret text shown
        bool Beep = false;     // nothing (more) found
        bool Select = false;   // Range is to be selected
        Selection Range;
    };

    // The texts of status panels 0 and 2 while the search runs.
    static QString PromptText(const QString &searchText);
    static QString EndHint() { return QStringLiteral("Ende mit ESC"); }

    // Sorts a key press: its key, modifiers and the text it types.
    static Key Classify(int key, Qt::KeyboardModifiers modifiers, const QString &text);

    // Starts from the selection of the text control (the caret when nothing is selected).
    void Start(Selection current);
    bool IsActive() const { return m_active; }
    // The search text as typed so far.
    QString Text() const;
    // Panel 0 while the search runs: "Suchen nach: " and the search text.
    QString Prompt() const { return PromptText(Text()); }

    // A key press while the search runs.
    Reaction KeyPressed(const TextSource &text, int key, Qt::KeyboardModifiers modifiers,
                        const QString &typed);
    // Characters typed otherwise (an input method): they join the search text.
    Reaction Type(const TextSource &text, const QString &typed);
    Reaction Back();
    // The next match after the current one; with nothing typed yet, the text of the search
    // before is taken up again.
    Reaction Next(const TextSource &text);
    // Ends the search (a click, a command, the text changing); the selection stays.
    Reaction End();

private:
    // One step of the search: the text typed so far, where it matched (or, when it did not,
    // the selection that stays), and where the next character's search starts.
    struct Step {
        QString Text;
        Selection Shown;
        qsizetype From = 0;
        bool Found = true;
    };

    Reaction Show(const Step &step, bool beep) const;

    bool m_active = false;
    std::vector<Step> m_steps;
    QString m_lastText; // the text of the last search, taken up by Next with nothing typed
};
