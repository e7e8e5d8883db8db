#pragma once

#include "editor/TextChunks.h"
#include "editor/TextSource.h"

#include <QObject>
#include <QPointer>

#include <vector>

class QTextDocument;

// A copy of a document's text in pieces, kept up to date through the document's change
// notifications, so that a search reads plain memory: reading a large document through its
// blocks costs far more than the search itself. The copy is made on the first request and
// then follows every edit at the cost of the edit.
class DocumentMirror : public QObject {
public:
    // `pieceSize` is the size the copy is cut at (see TextChunks); tests make it small.
    explicit DocumentMirror(QTextDocument &document, QObject *parent = nullptr,
                            int pieceSize = TextChunks::DefaultPieceSize);

    const QTextDocument *document() const { return m_document; }
    // The document's text as the search reads it (line breaks as '\n'); valid until the
    // document changes.
    const TextSource &Source();

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
