#pragma once

#include "editor/TextSource.h"

#include <QString>
#include <QTextDocument>

// What the search would read: a source's pieces joined with their line breaks.
inline QString Joined(const TextSource &source) {
    QString text;
    for (int i = 0; i < source.PieceCount(); ++i) {
        const TextSource::Piece piece = source.PieceAt(i);
        text += piece.Text;
        if (piece.BreakAfter)
            text += u'\n';
    }
    return text;
}

// A document's text with plain line breaks.
inline QString DocumentText(const QTextDocument &document) {
    QString text = document.toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    return text;
}
