// The search's copy of a document follows every kind of edit and finds what a search
// through the document's own blocks finds.

#include "editor/DocumentMirror.h"
#include "editor/DocumentTextSource.h"
#include "editor/SearchLogic.h"

#include <QRandomGenerator>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

namespace {

QString Joined(const TextSource &source) {
    QString text;
    for (int i = 0; i < source.PieceCount(); ++i) {
        const TextSource::Piece piece = source.PieceAt(i);
        text += piece.Text;
        if (piece.BreakAfter)
            text += u'\n';
    }
    return text;
}

QString DocumentText(const QTextDocument &document) {
    QString text = document.toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    return text;
}

} // namespace

class TestDocumentMirror : public QObject {
    Q_OBJECT

private slots:
    void followsRandomEdits() {
        QTextDocument document;
        document.setPlainText(QStringLiteral("class A {\n  int x;\n}\n"));
        DocumentMirror mirror(document);
        QCOMPARE(Joined(mirror.Source()), DocumentText(document));
        QRandomGenerator random(20261208);
        const QStringList pieces{"a", "Ä", "\n", "  int y = 3;\n", "ß", "ende\n\n", "\t"};
        for (int step = 0; step < 3000; ++step) {
            const int length = document.characterCount() - 1;
            QTextCursor cursor(&document);
            const int kind = random.bounded(10);
            if (kind < 4) {
                cursor.setPosition(random.bounded(length + 1));
                cursor.insertText(pieces.at(random.bounded(pieces.size())));
            } else if (kind < 7 && length > 0) {
                const int from = random.bounded(length);
                cursor.setPosition(from);
                cursor.setPosition(std::min(length, from + random.bounded(1, 40)),
                                   QTextCursor::KeepAnchor);
                cursor.removeSelectedText();
            } else if (kind == 7) {
                document.undo();
            } else if (kind == 8) {
                document.redo();
            } else if (random.bounded(20) == 0) {
                document.setPlainText(QStringLiteral("neu\nText\n").repeated(random.bounded(5)));
            }
            // Ask only now and then, so that several edits pile up in between.
            if (step % 7 == 0 || step > 2990) {
                const TextSource &source = mirror.Source();
                QCOMPARE(Joined(source), DocumentText(document));
                QCOMPARE(source.Length(), qsizetype(document.characterCount() - 1));
            }
        }
    }

    void findsWhatTheDocumentSearchFinds() {
        QTextDocument document;
        QString text;
        for (int i = 0; i < 3000; ++i)
            text += QStringLiteral("Zeile %1 mit Straße und STRASSE\n").arg(i);
        document.setPlainText(text);
        DocumentMirror mirror(document);
        const DocumentTextSource blocks(document);
        for (const QString &needle :
             {QStringLiteral("straße"), QStringLiteral("e 29"), QStringLiteral("se\nZeile 1")}) {
            for (const bool down : {true, false}) {
                const qsizetype caret = down ? 0 : text.size();
                const SearchOutcome viaMirror =
                    SearchFromCaret(mirror.Source(), caret, {needle, false, down});
                const SearchOutcome viaBlocks =
                    SearchFromCaret(blocks, caret, {needle, false, down});
                QCOMPARE(viaMirror.Found, viaBlocks.Found);
                QCOMPARE(viaMirror.Position, viaBlocks.Position);
            }
        }
    }
};

QTEST_MAIN(TestDocumentMirror)
#include "tst_documentmirror.moc"
