#pragma once

#include "TextSource.h"

#include <QString>

class QTextDocument;

// The text of a QTextDocument as the search reads it: in pieces of a fixed number of whole
// blocks, each followed by the line break of its last block. Only one piece is held at a
// time, so the text is never copied whole. Made for one search: the document must not
// change while the source is used.
class DocumentTextSource : public TextSource {
public:
    explicit DocumentTextSource(const QTextDocument &document);

    qsizetype Length() const override;
    int PieceCount() const override;
    int PieceIndexAt(qsizetype position) const override;
    Piece PieceAt(int index) const override;

    // Blocks per piece: large enough that the cost of fetching a piece is spread over many
    // characters, small enough to stay in the cache.
    static constexpr int BlocksPerPiece = 512;

private:
    const QTextDocument &m_document;
    int m_blockCount;
    qsizetype m_length;
    mutable int m_index = -1; // the piece held
    mutable qsizetype m_start = 0;
    mutable QString m_text;
};
