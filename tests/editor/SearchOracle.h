#pragma once

// What the tests compare the search with: the search as plainly as it can be written, over
// the whole text at once, and random texts to feed both.

#include "editor/SearchFolding.h"

#include <QRandomGenerator>
#include <QString>
#include <QStringList>

// Every start position in turn from `from` (downwards or upwards), each character folded;
// the first that matches, or -1.
inline qsizetype OracleFind(const QString &text, const QString &pattern, bool matchCase,
                            qsizetype from, bool down) {
    const SearchFolding folding(matchCase);
    const QString folded = folding.Fold(pattern);
    auto matches = [&](qsizetype p) {
        if (p < 0 || p + folded.size() > text.size())
            return false;
        for (qsizetype k = 0; k < folded.size(); ++k) {
            if (folding.Fold(text[p + k].unicode()) != folded[k].unicode())
                return false;
        }
        return true;
    };
    for (qsizetype p = from; down ? p <= text.size() : p >= 0; p += down ? 1 : -1) {
        if (matches(p))
            return p;
    }
    return -1;
}

// A random text of `length` units at most: letters in both cases, umlauts, ß and ſ, Greek,
// characters outside the BMP (two units each, kept whole), blanks and, when asked for,
// line breaks. Few distinct letters, so that matches are frequent.
inline QString RandomText(QRandomGenerator &random, qsizetype length, bool lineBreaks) {
    static const QStringList units{
        QStringLiteral("a"),          QStringLiteral("A"),          QStringLiteral("b"),
        QStringLiteral("B"),          QStringLiteral("ä"),          QStringLiteral("Ä"),
        QStringLiteral("ö"),          QStringLiteral("ß"),          QStringLiteral("ſ"),
        QStringLiteral("s"),          QStringLiteral("ω"),          QStringLiteral("Ω"),
        QStringLiteral("\U0001D11E"), QStringLiteral("\U0001F600"), QStringLiteral(" "),
        QStringLiteral("\n")};
    const int choices = int(units.size()) - (lineBreaks ? 0 : 1);
    QString text;
    while (text.size() < length) {
        const QString &unit = units[int(random.bounded(choices))];
        if (text.size() + unit.size() > length)
            break;
        text += unit;
    }
    return text;
}

// A text to search for: mostly a piece of `text` itself in another letter case now and
// then, so that it is found, else a random one.
inline QString RandomPattern(QRandomGenerator &random, const QString &text, bool lineBreaks) {
    const qsizetype length = 1 + random.bounded(6);
    if (text.size() >= length && random.bounded(4) != 0) {
        QString piece = text.mid(random.bounded(text.size() - length + 1), length);
        if (random.bounded(2))
            piece = piece.toUpper();
        return piece;
    }
    const QString made = RandomText(random, length, lineBreaks);
    return made.isEmpty() ? QStringLiteral("a") : made;
}
