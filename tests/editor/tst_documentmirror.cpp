// The search's copy of a document follows every kind of edit and finds what a search
// through the document's own blocks finds.

#include "editor/DocumentMirror.h"
#include "editor/DocumentTextSource.h"
#include "editor/SearchLogic.h"
#include "editor/TextSearch.h"
#include "SearchOracle.h"
#include "TextSourceText.h"

#include <QRandomGenerator>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

namespace {} // namespace

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

    void findsEveryMatchAcrossPieceCuts() {
        // The copy in small pieces, edited at random through the document: find both ways and
        // replace all must find what a plain scan of the whole text finds, wherever the
        // pieces are cut.
        const quint32 seed = qEnvironmentVariableIsSet("QUILL_TEST_SEED")
                                 ? quint32(qEnvironmentVariableIntValue("QUILL_TEST_SEED"))
                                 : 20260522u;
        QRandomGenerator random(seed);
        for (int run = 0; run < 8; ++run) {
            const bool lineBreaks = run % 2;
            const int pieceSize = 1 + run * 2;
            QTextDocument document;
            document.setPlainText(RandomText(random, 200, lineBreaks));
            DocumentMirror mirror(document, nullptr, pieceSize);
            for (int step = 0; step < 60; ++step) {
                const int length = document.characterCount() - 1;
                QTextCursor cursor(&document);
                if (random.bounded(3) != 0 || length < 20) {
                    cursor.setPosition(random.bounded(length + 1));
                    cursor.insertText(RandomText(random, random.bounded(1, 30), lineBreaks));
                } else {
                    const int from = random.bounded(length);
                    cursor.setPosition(from);
                    cursor.setPosition(std::min(length, from + random.bounded(1, 25)),
                                       QTextCursor::KeepAnchor);
                    cursor.removeSelectedText();
                }
                const QString text = DocumentText(document);
                const TextSource &source = mirror.Source();
                for (int search = 0; search < 4; ++search) {
                    const QString pattern = RandomPattern(random, text, lineBreaks);
                    const bool matchCase = search % 2;
                    const qsizetype from = random.bounded(text.size() + 1);
                    const SearchPattern prepared(pattern, matchCase);
                    const QString where = QStringLiteral("seed %1, run %2, step %3: \"%4\" in "
                                                         "\"%5\" from %6, match case %7")
                                              .arg(seed)
                                              .arg(run)
                                              .arg(step)
                                              .arg(pattern, text)
                                              .arg(from)
                                              .arg(matchCase);
                    QVERIFY2(FindForward(source, prepared, from) ==
                                 OracleFind(text, pattern, matchCase, from, true),
                             qPrintable(where + QStringLiteral(", down")));
                    QVERIFY2(FindBackward(source, prepared, from) ==
                                 OracleFind(text, pattern, matchCase, from, false),
                             qPrintable(where + QStringLiteral(", up")));
                    // Replace all from the start: each match found from one character after
                    // the end of the one before.
                    std::vector<qsizetype> expected;
                    for (qsizetype at = OracleFind(text, pattern, matchCase, 1, true); at >= 0;
                         at = OracleFind(text, pattern, matchCase, at + pattern.size() + 1, true))
                        expected.push_back(at);
                    const ReplaceOutcome replaced =
                        PlanReplace(source, 0, 0, pattern, QStringLiteral("x"), matchCase, true);
                    QVERIFY2(replaced.Positions == expected,
                             qPrintable(where + QStringLiteral(", replace all")));
                }
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
