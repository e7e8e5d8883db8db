#pragma once

#include "KonsoleEngine.h"

#include <QList>
#include <QString>

// The console's transcript as text of kinds: what was typed with its prompt, the program's
// output, values, messages. Neighbouring text of one kind is one piece.
class KonsoleTranscript {
public:
    struct Piece {
        KonsoleText kind;
        QString text;
        bool operator==(const Piece &) const = default;
    };

    // Appends text as it comes (output may end in the middle of a line).
    void Append(KonsoleText kind, const QString &text);
    // Appends text that starts on a line of its own and ends its line.
    void AppendLine(KonsoleText kind, const QString &text);
    void Clear();

    const QList<Piece> &Pieces() const { return m_pieces; }
    // All of it as plain text.
    QString Text() const;
    bool EndsLine() const;

private:
    QList<Piece> m_pieces;
};
