#include "DocumentTextSource.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

DocumentTextSource::DocumentTextSource(const QTextDocument &document)
    : m_document(document), m_blockCount(document.blockCount()),
      m_length(document.characterCount() - 1) {}

qsizetype DocumentTextSource::Length() const {
    return m_length;
}

int DocumentTextSource::PieceCount() const {
    return std::max(1, (m_blockCount + BlocksPerPiece - 1) / BlocksPerPiece);
}

int DocumentTextSource::PieceIndexAt(qsizetype position) const {
    const QTextBlock block =
        m_document.findBlock(int(std::clamp<qsizetype>(position, 0, m_length)));
    const int number = block.isValid() ? block.blockNumber() : m_blockCount - 1;
    return std::clamp(number / BlocksPerPiece, 0, PieceCount() - 1);
}

TextSource::Piece DocumentTextSource::PieceAt(int index) const {
    const bool last = index + 1 >= PieceCount();
    if (index != m_index) {
        const QTextBlock first = m_document.findBlockByNumber(index * BlocksPerPiece);
        const QTextBlock final =
            m_document.findBlockByNumber(std::min((index + 1) * BlocksPerPiece, m_blockCount) - 1);
        m_index = index;
        m_text.clear();
        if (first.isValid() && final.isValid()) {
            m_start = first.position();
            // The cursor copies straight from the document's fragments, far faster than
            // asking each block for its text; it marks block ends as paragraph separators.
            QTextCursor cursor(const_cast<QTextDocument *>(&m_document));
            cursor.setPosition(int(m_start));
            cursor.setPosition(final.position() + final.length() - 1, QTextCursor::KeepAnchor);
            m_text = cursor.selectedText();
            m_text.replace(QChar::ParagraphSeparator, u'\n');
        } else {
            m_start = m_length;
        }
    }
    return {m_start, m_text, !last};
}
