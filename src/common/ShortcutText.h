#pragma once

#include <QKeySequence>
#include <QString>

// Shortcut texts as the user sees and stores them: optional "Umsch+", "Strg+" and "Alt+"
// prefixes (in that order) followed by a key name such as "A", "F8" or "Entf".

// The key combination of a shortcut text; an empty sequence when the text cannot be read.
// The German prefixes are expected, Qt's English ones ("Shift+", "Ctrl+") are accepted.
QKeySequence TextToShortCut(const QString &text);
// The German text of the first key combination of a sequence; empty for an empty sequence.
QString ShortCutToText(const QKeySequence &shortcut);
