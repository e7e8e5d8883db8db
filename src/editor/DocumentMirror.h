#pragma once

#include "editor/TextChunks.h"
#include "editor/TextSource.h"

#include <QObject>
#include <QPointer>

#include <vector>

class QTextDocument;

// A copy of a document's text in pieces, kept up to date through the document's change
// notifications, so that a search reads plain memory: reading a large document through its
// blocks costs far more than the search itself. The copy follows every edit at the cost of
// the edit.
class DocumentMirror : public QObject {
public:
    // Who tells the copy about the document's changes: the copy itself (it listens to the
    // document and is made on the first request), or the owner, which calls follow() for
    // every change (the copy is made at once).
    enum class Listener { Itself, Owner };

    // `pieceSize` is the size the copy is cut at (see TextChunks); tests make it small.
    explicit DocumentMirror(QTextDocument &document, QObject *parent = nullptr,
                            int pieceSize = TextChunks::DefaultPieceSize,
                            Listener listener = Listener::Itself);

    const QTextDocument *document() const { return m_document; }
    // The document's text as the search reads it (line breaks as '\n'); valid until the
    // document changes.
    const TextSource &Source();

    // A change as the copy followed it: counts that add up to the document's length, and
    // the characters the change took away.
    struct Change {
        int position = 0;
        int removed = 0;
        int added = 0;
        QString removedText;
    };
    // Brings the copy up to date with a change the document reported (QTextDocument's
    // contentsChange). Counts that reach past the text are clipped; counts that make no
    // sense are taken as a change of the whole text.
    Change follow(int position, int removed, int added);
    // Length of the copy and its characters [position, position + count), clipped.
    int length() const { return m_text.length(); }
    QString text(int position, int count) const { return m_text.mid(position, count); }
    // Bytes the copy holds.
    qsizetype bytes() const { return m_text.bytes(); }

private:
    class ChunksSource : public TextSource {
    public:
        void Reset(const TextChunks &text);
        qsizetype Length() const override { return m_length; }
        int PieceCount() const override { return std::max(1, int(m_starts.size())); }
        int PieceIndexAt(qsizetype position) const override;
        Piece PieceAt(int index) const override;

    private:
        const TextChunks *m_text = nullptr;
        std::vector<qsizetype> m_starts;
        qsizetype m_length = 0;
    };

    void OnChange(int position, int removed, int added);
    void Resync();

    QPointer<QTextDocument> m_document;
    TextChunks m_text;
    bool m_valid = false;
    bool m_sourceCurrent = false;
    ChunksSource m_source;
};
