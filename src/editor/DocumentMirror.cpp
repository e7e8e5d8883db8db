#include "DocumentMirror.h"

#include "common/CommandGuard.h"
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace {

// The characters [from, to) of a document with its block ends as '\n'.
QString DocumentRange(QTextDocument &document, int from, int to) {
    if (to <= from)
        return QString();
    QTextCursor cursor(&document);
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    QString text = cursor.selectedText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    return text;
}

int TextLength(const QTextDocument &document) {
    return document.characterCount() - 1;
}

} // namespace

DocumentMirror::DocumentMirror(QTextDocument &document, QObject *parent, int pieceSize,
                               Listener listener)
    : QObject(parent), m_document(&document), m_text(pieceSize) {
    // A document tells its changes only once it has a layout (a text control gives it one).
    document.documentLayout();
    if (listener == Listener::Itself)
        ConnectCommand(&document, &QTextDocument::contentsChange, this, &DocumentMirror::OnChange);
    else
        Resync();
}

const TextSource &DocumentMirror::Source() {
    if (!m_valid)
        Resync();
    if (!m_sourceCurrent) {
        m_source.Reset(m_text);
        m_sourceCurrent = true;
    }
    return m_source;
}

void DocumentMirror::Resync() {
    m_text.assign(m_document ? DocumentRange(*m_document, 0, TextLength(*m_document)) : QString());
    m_valid = true;
    m_sourceCurrent = false;
}

void DocumentMirror::OnChange(int position, int removed, int added) {
    m_sourceCurrent = false;
    if (m_valid)
        follow(position, removed, added);
}

DocumentMirror::Change DocumentMirror::follow(int position, int removed, int added) {
    m_sourceCurrent = false;
    Change change;
    if (!m_document)
        return change;
    const int before = m_text.length();
    const int length = TextLength(*m_document);
    // The counts may reach past the end (the final block end is counted on a reset): what
    // lies past the end is taken off both.
    change.position = std::clamp(position, 0, before);
    change.removed = std::clamp(removed, 0, before - change.position);
    change.added = length - before + change.removed;
    if (position < 0 || added < 0 || change.added < 0 || change.added > added ||
        change.position + change.added > length) {
        change.position = 0;
        change.removed = before;
        change.added = length;
    }
    change.removedText = m_text.mid(change.position, change.removed);
    m_text.replace(change.position, change.removed,
                   DocumentRange(*m_document, change.position, change.position + change.added));
    m_valid = true;
    return change;
}

void DocumentMirror::ChunksSource::Reset(const TextChunks &text) {
    m_text = &text;
    m_length = text.length();
    m_starts.clear();
    qsizetype start = 0;
    for (int i = 0; i < text.pieceCount(); ++i) {
        m_starts.push_back(start);
        start += text.piece(i).size();
    }
}

int DocumentMirror::ChunksSource::PieceIndexAt(qsizetype position) const {
    if (m_starts.empty())
        return 0;
    const auto after = std::upper_bound(m_starts.begin(), m_starts.end(), position);
    return std::max(0, int(after - m_starts.begin()) - 1);
}

TextSource::Piece DocumentMirror::ChunksSource::PieceAt(int index) const {
    if (m_starts.empty() || !m_text)
        return {0, QStringView(), false};
    index = std::clamp(index, 0, int(m_starts.size()) - 1);
    return {m_starts[size_t(index)], QStringView(m_text->piece(index)), false};
}
