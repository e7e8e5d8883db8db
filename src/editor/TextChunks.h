#pragma once

#include <QString>

#include <algorithm>
#include <vector>

// A long text kept in pieces of a few thousand characters, so that replacing a short range
// costs the size of a piece, not of the whole text. Offsets are those of the whole text.
class TextChunks {
public:
    // Pieces are cut at this size; one that grows to twice of it is cut again.
    static constexpr int DefaultPieceSize = 4096;

    // `pieceSize` is meant for tests, which cut small pieces so that texts have many seams.
    explicit TextChunks(int pieceSize = DefaultPieceSize) : m_pieceSize(std::max(1, pieceSize)) {}

    int length() const { return m_length; }
    // The whole text as one string.
    QString toString() const { return mid(0, m_length); }
    // The characters [position, position + count), clipped to the text.
    QString mid(int position, int count) const;
    // Replaces the characters [position, position + count) with `text`; the range is clipped
    // to the text.
    void replace(int position, int count, const QString &text);
    void assign(const QString &text);
    // The pieces in order; together they are the text.
    int pieceCount() const { return int(m_pieces.size()); }
    const QString &piece(int index) const { return m_pieces[size_t(index)]; }
    // Bytes held by the pieces (their allocated capacity) and the piece table.
    qsizetype bytes() const;

private:
    // Index of the piece that holds `position` and the offset where that piece starts; a
    // position at the very end belongs to the last piece.
    int pieceAt(int position, int &pieceStart) const;
    void split(const QString &text, std::vector<QString> &out) const;

    int m_pieceSize;
    std::vector<QString> m_pieces;
    int m_length = 0;
    // The piece found last and where it starts.
    mutable int m_hint = 0;
    mutable int m_hintStart = 0;
};
