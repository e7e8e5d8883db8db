#pragma once

#include <QString>
#include <QStringView>

// A text as the search reads it: in pieces, where the text lies, without copying it whole.
// Positions count every line break as one character. A piece may be followed by a line break
// that it does not hold itself (a block of a document); that break is the character '\n'
// at position Start + Text.size().
class TextSource {
public:
    struct Piece {
        qsizetype Start = 0;
        QStringView Text; // valid until the next call on the source
        bool BreakAfter = false;
    };

    virtual ~TextSource() = default;

    // Number of characters of the whole text.
    virtual qsizetype Length() const = 0;
    // Number of pieces (at least one; an empty text has one empty piece).
    virtual int PieceCount() const = 0;
    // The index of the piece that holds a position; a position at or past the end gives the
    // last piece, a negative one the first.
    virtual int PieceIndexAt(qsizetype position) const = 0;
    virtual Piece PieceAt(int index) const = 0;
};

// A QString seen as one piece.
class StringTextSource : public TextSource {
public:
    explicit StringTextSource(QStringView text) : m_text(text) {}

    qsizetype Length() const override { return m_text.size(); }
    int PieceCount() const override { return 1; }
    int PieceIndexAt(qsizetype) const override { return 0; }
    Piece PieceAt(int) const override { return {0, m_text, false}; }

private:
    QStringView m_text;
};
