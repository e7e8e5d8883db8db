// Marks on the lines of a document: they stay with their line through edits above, inside and
// below them, through undo and redo, and go with their line.

#include "editor/EditorDocument.h"

#include <QRandomGenerator>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

class PlainCaret : public DocumentCaret {
public:
    int position = 0;
    int caret() const override { return position; }
    void setCaret(int offset) override { position = offset; }
};

// A document whose marks each carry a text that stands in exactly one line: the mark is on
// its line when that line holds the text.
struct Fixture {
    EditorDocument document;
    PlainCaret caret;
    Fixture() { document.setCaretView(&caret); }
    ~Fixture() { document.setCaretView(nullptr); }

    QTextDocument &text() { return document.text(); }
    QString line(int number) { return text().findBlockByNumber(number).text(); }
    int lineStart(int number) { return text().findBlockByNumber(number).position(); }
    void replace(int position, int count, const QString &with) {
        QTextCursor cursor(&text());
        cursor.setPosition(position);
        cursor.setPosition(position + count, QTextCursor::KeepAnchor);
        cursor.insertText(with);
        caret.position = position + int(with.size());
    }
    // The lines the marks stand on, each as "line:text of the mark".
    QStringList marks() {
        QStringList found;
        for (const LineMarkAt &at : document.marks().All())
            found << QStringLiteral("%1:%2").arg(at.line).arg(at.mark.text);
        return found;
    }
    // Every mark on the line that holds its text.
    bool marksOnTheirLines() {
        for (const LineMarkAt &at : document.marks().All())
            if (!line(at.line).contains(at.mark.text)) {
                qWarning("mark %s on line %d: %s", qPrintable(at.mark.text), at.line,
                         qPrintable(line(at.line)));
                return false;
            }
        return true;
    }
};

} // namespace

class TestLineMarks : public QObject {
    Q_OBJECT

private slots:
    void setReplaceAndRemove();
    void marksFollowEditsUndoAndRedo();
    void markGoesWithItsLine();
    void randomEditsKeepMarksOnTheirLines();
    void historyAndSearchFollowTheOneText();
};

void TestLineMarks::setReplaceAndRemove() {
    Fixture f;
    f.text().setPlainText(QStringLiteral("a\nb\nc"));
    f.document.marks().Set(1, LineMarkKind::Warning, QStringLiteral("w"));
    f.document.marks().Set(1, LineMarkKind::Error, QStringLiteral("e1"));
    f.document.marks().Set(1, LineMarkKind::Error, QStringLiteral("e2")); // replaces e1
    f.document.marks().Set(2, LineMarkKind::CurrentLine, QString());
    f.document.marks().Set(3, LineMarkKind::Error, QStringLiteral("no line"));
    f.document.marks().Set(-1, LineMarkKind::Error, QStringLiteral("no line"));
    QCOMPARE(f.document.marks().On(1),
             QList<LineMark>({{LineMarkKind::Error, "e2"}, {LineMarkKind::Warning, "w"}}));
    QCOMPARE(f.marks(), QStringList({"1:e2", "1:w", "2:"}));
    QCOMPARE(f.document.marks().MarksBetween(2, 5),
             QList<LineMarkAt>({{2, {LineMarkKind::CurrentLine, {}}}}));
    f.document.marks().Remove(1, LineMarkKind::Error);
    QCOMPARE(f.marks(), QStringList({"1:w", "2:"}));
    f.document.marks().RemoveKind(LineMarkKind::CurrentLine);
    QCOMPARE(f.marks(), QStringList({"1:w"}));
    f.document.marks().RemoveAll();
    QVERIFY(f.document.marks().IsEmpty());
}

void TestLineMarks::marksFollowEditsUndoAndRedo() {
    Fixture f;
    QStringList lines;
    for (int i = 0; i < 10; ++i)
        lines << QStringLiteral("zeile %1;").arg(i);
    f.text().setPlainText(lines.join(u'\n'));
    f.document.undo().SaveUndoState();
    LineMarks &marks = f.document.marks();
    marks.Set(3, LineMarkKind::Error, QStringLiteral("zeile 3;"));
    marks.Set(5, LineMarkKind::Warning, QStringLiteral("zeile 5;"));
    marks.Set(7, LineMarkKind::Breakpoint, QStringLiteral("zeile 7;"));
    marks.Set(8, LineMarkKind::CurrentLine, QStringLiteral("zeile 8;"));
    const QStringList at0 = f.marks();
    QCOMPARE(at0, QStringList({"3:zeile 3;", "5:zeile 5;", "7:zeile 7;", "8:zeile 8;"}));

    // One snapshot per edit, as on every key release.
    const auto step = [&] {
        f.document.undo().SaveUndoState();
        QVERIFY(f.marksOnTheirLines());
        QCOMPARE(f.marks().size(), 4);
    };
    // Above them: a new line at the start of a line, one at the end of a line.
    f.replace(f.lineStart(1), 0, QStringLiteral("zeile neu;\n"));
    step();
    f.replace(f.lineStart(0) + 8, 0, QStringLiteral("\nzeile 0b;"));
    step();
    QCOMPARE(f.marks(), QStringList({"5:zeile 3;", "7:zeile 5;", "9:zeile 7;", "10:zeile 8;"}));
    // Inside them: typed at the start and the end of a marked line, Enter at the start of a
    // marked line and at the end of one.
    f.replace(f.lineStart(5), 0, QStringLiteral("yy"));
    step();
    f.replace(f.lineStart(5) + 10, 0, QStringLiteral("xx"));
    step();
    f.replace(f.lineStart(7), 0, QStringLiteral("\n"));
    step();
    f.replace(f.lineStart(10) + 8, 0, QStringLiteral("\n"));
    step();
    // Below them: a line removed whole, a character of the last line.
    f.replace(f.lineStart(11), f.lineStart(12) - f.lineStart(11), QString());
    step();
    f.replace(f.text().characterCount() - 2, 1, QString());
    step();
    const QStringList atEnd({"5:zeile 3;", "8:zeile 5;", "10:zeile 7;", "11:zeile 8;"});
    QCOMPARE(f.marks(), atEnd);
    QCOMPARE(f.line(5), QStringLiteral("yyzeile 3;xx"));
    QCOMPARE(f.line(12), QStringLiteral("zeile 9"));

    // Undo by menu, back to the first snapshot, and redo to the last: every mark stays.
    const int top = f.document.undo().UndoTop();
    QCOMPARE(top, 9);
    f.document.undo().Undo(); // the newest snapshot shows the same text
    for (int k = top - 1; k >= 1; --k) {
        f.document.undo().Undo();
        QVERIFY(f.marksOnTheirLines());
        QCOMPARE(f.marks().size(), 4);
    }
    QCOMPARE(f.text().toPlainText(), lines.join(u'\n'));
    QCOMPARE(f.marks(), at0);
    while (f.document.undo().UndoPos() < top) {
        f.document.undo().Redo();
        QVERIFY(f.marksOnTheirLines());
        QCOMPARE(f.marks().size(), 4);
    }
    QCOMPARE(f.marks(), atEnd);
}

void TestLineMarks::markGoesWithItsLine() {
    Fixture f;
    f.text().setPlainText(QStringLiteral("eins\nzwei\ndrei\n\nfünf"));
    f.document.undo().SaveUndoState();
    LineMarks &marks = f.document.marks();
    marks.Set(1, LineMarkKind::Error, QStringLiteral("zwei"));
    marks.Set(2, LineMarkKind::Breakpoint, QStringLiteral("drei"));
    marks.Set(3, LineMarkKind::Warning, QString());
    // The whole line with its break: the mark goes, and an undo brings the line back only.
    f.replace(f.lineStart(1), f.lineStart(2) - f.lineStart(1), QString());
    f.document.undo().SaveUndoState();
    QCOMPARE(f.marks(), QStringList({"1:drei", "2:"}));
    f.document.undo().Undo();
    f.document.undo().Undo();
    QCOMPARE(f.line(1), QStringLiteral("zwei"));
    QCOMPARE(f.marks(), QStringList({"2:drei", "3:"}));
    marks.Set(1, LineMarkKind::Error, QStringLiteral("zwei"));
    // The empty line removed: its mark goes, not onto the next line.
    f.replace(f.lineStart(3), 1, QString());
    QCOMPARE(f.marks(), QStringList({"1:zwei", "2:drei"}));
    QCOMPARE(f.line(3), QStringLiteral("fünf"));
    // A line joined to the one above: its mark goes along.
    f.replace(f.lineStart(3) - 1, 1, QString());
    QCOMPARE(f.line(2), QStringLiteral("dreifünf"));
    QCOMPARE(f.marks(), QStringList({"1:zwei", "2:drei"}));
    f.replace(f.lineStart(2) - 1, 1, QString());
    QCOMPARE(f.marks(), QStringList({"1:zwei", "1:drei"}));
    // Its text only: the line, now empty, keeps its marks.
    f.replace(f.lineStart(1), int(f.line(1).size()), QString());
    QCOMPARE(f.marks(), QStringList({"1:zwei", "1:drei"}));
    // A new text for the whole document: every mark goes.
    f.text().setPlainText(QStringLiteral("neu"));
    QVERIFY(f.document.marks().IsEmpty());
}

void TestLineMarks::randomEditsKeepMarksOnTheirLines() {
    // Every line starts with a tag of its own that edits never split; a mark carries the tag
    // of its line. Whatever the edits, undos and redos, a mark stands on the line that
    // holds its tag, or is gone; and most marks live on.
    Fixture f;
    QRandomGenerator random(20261208);
    int next = 0;
    const auto tag = [&next] { return QStringLiteral("<%1>").arg(next++); };
    QStringList lines;
    for (int i = 0; i < 30; ++i)
        lines << tag() + QStringLiteral(" x");
    f.text().setPlainText(lines.join(u'\n'));
    // Edits inside a line stay behind its last tag (joined lines hold several).
    const auto tagEnd = [&f](int line) { return int(f.line(line).lastIndexOf(u'>')) + 1; };
    qsizetype marksSeen = 0;
    for (int round = 0; round < 3000; ++round) {
        const int count = f.text().blockCount();
        const int line = int(random.bounded(count));
        const int start = f.lineStart(line);
        const int length = int(f.line(line).size());
        const int choice = int(random.bounded(100));
        if (choice < 15) {
            f.replace(start, 0, tag() + QStringLiteral(" neu\n"));
        } else if (choice < 25 && count > 2) {
            const bool last = line == count - 1;
            f.replace(last ? start - 1 : start, length + 1, QString());
        } else if (choice < 45) {
            const int at = start + tagEnd(line) + int(random.bounded(length - tagEnd(line) + 1));
            f.replace(at, 0, QStringLiteral(" ab").left(int(random.bounded(1, 4))));
        } else if (choice < 50 && length > tagEnd(line)) {
            const int at = start + tagEnd(line) + int(random.bounded(length - tagEnd(line)));
            f.replace(at, 1, QString());
        } else if (choice < 53 && line + 1 < count) {
            f.replace(start + length, 1, QString()); // joins the next line to this one
        } else if (choice < 56) {
            f.replace(start + tagEnd(line) + int(random.bounded(length - tagEnd(line) + 1)), 0,
                      QStringLiteral("\n") + tag());
        } else if (choice < 75) {
            const LineMarkKind kind = LineMarkKind(random.bounded(4));
            const QString own = f.line(line).left(f.line(line).indexOf(u'>') + 1);
            f.document.marks().Set(line, kind, own);
        } else if (choice < 88) {
            f.document.undo().Undo();
        } else {
            f.document.undo().Redo();
        }
        // A snapshot after every edit, as on every key release: each step of the history is
        // one edit, whose lines are known.
        if (choice < 56)
            f.document.undo().SaveUndoState();
        if (!f.marksOnTheirLines())
            QFAIL(qPrintable(QStringLiteral("round %1").arg(round)));
        marksSeen += f.document.marks().All().size();
    }
    QVERIFY2(marksSeen > 3000, qPrintable(QString::number(marksSeen)));
}

void TestLineMarks::historyAndSearchFollowTheOneText() {
    // The history keeps no copy of the text, the search copy is the text: after edits,
    // undo and redo give back every snapshot and the search copy equals the text.
    Fixture f;
    QString text;
    for (int i = 0; i < 2000; ++i)
        text += QStringLiteral("    int wert%1 = %1;\n").arg(i);
    f.text().setPlainText(text);
    f.document.undo().SaveUndoState();
    std::vector<QString> snapshots{f.text().toPlainText()};
    QRandomGenerator random(7);
    for (int i = 0; i < 50; ++i) {
        const int length = f.text().characterCount() - 1;
        const int at = int(random.bounded(length));
        f.replace(at, int(random.bounded(std::min(30, length - at))),
                  i % 3 == 0 ? QStringLiteral("neu\nzeile") : QStringLiteral("x"));
        f.document.undo().SaveUndoState();
        snapshots.push_back(f.text().toPlainText());
    }
    const qsizetype copy = text.size() * qsizetype(sizeof(QChar));
    QVERIFY2(f.document.undo().historyBytes() < copy / 10,
             qPrintable(QString::number(f.document.undo().historyBytes())));
    f.document.undo().Undo();
    for (qsizetype k = qsizetype(snapshots.size()) - 2; k >= 0; --k) {
        f.document.undo().Undo();
        QCOMPARE(f.text().toPlainText(), snapshots[size_t(k)]);
        const TextSource &source = f.document.searchSource();
        QString seen;
        for (int p = 0; p < source.PieceCount(); ++p)
            seen += source.PieceAt(p).Text.toString() +
                    (source.PieceAt(p).BreakAfter ? QStringLiteral("\n") : QString());
        QCOMPARE(seen, snapshots[size_t(k)]);
    }
}

QTEST_MAIN(TestLineMarks)
#include "tst_linemarks.moc"
