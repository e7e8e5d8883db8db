#include "editor/UndoDocument.h"
#include "editor/UndoHistory.h"
#include "WholeCopies.h"

#include <QRandomGenerator>
#include <QTest>

#include <vector>

namespace {

// The random run must take well over 400 snapshots, so that old ones are dropped, whatever
// the build. Comparing every entry with the oracle is what costs: under the sanitizers,
// where each step takes tens of times as long, the entries are compared less often.
constexpr int RandomRounds = 8000;
#if defined(QUILL_SANITIZED) || defined(__SANITIZE_ADDRESS__)
constexpr int CompareAllEvery = 1999;
constexpr int CompareAllAtTheEnd = 2;
#else
constexpr int CompareAllEvery = 97;
constexpr int CompareAllAtTheEnd = 50;
#endif

// A text in a string that reports its changes the way a text document does.
class FakeDocument : public UndoDocument {
public:
    UndoHistory *history = nullptr;
    QString content;
    int cursor = 0;
    bool modified = false;
    // Reports every change as reaching this many characters further on both sides, as
    // documents do that report a formatting change with the text.
    int overReport = 0;

    int length() const override { return int(content.size()); }
    QString text(int position, int count) const override { return content.mid(position, count); }
    void replace(int position, int count, const QString &text) override {
        const int before = std::min(overReport, position);
        const int after = std::min(overReport, length() - position - count);
        const QString removed = content.mid(position - before, count + before + after);
        content.replace(position, count, text);
        if (history)
            history->contentsChange(position - before, count + before + after,
                                    int(text.size()) + before + after, removed);
    }
    int caret() const override { return cursor; }
    void setCaret(int offset) override { cursor = offset; }
    void setModified() override { modified = true; }

    // An edit by the user.
    void edit(int position, int count, const QString &text) {
        replace(position, count, text);
        cursor = position + int(text.size());
    }
};

struct Fixture {
    FakeDocument document;
    UndoHistory history{document};
    Fixture() { document.history = &history; }
    void type(const QString &text) { document.edit(document.cursor, 0, text); }
};

} // namespace

class TestUndoHistory : public QObject {
    Q_OBJECT

private slots:
    void randomEditsGiveBackEveryText_data();
    void randomEditsGiveBackEveryText();
    void ctrlZInKeyModeMovesBackEverySecondPress();
    void snapshot401DropsTheFirst();
    void undoAfterSnapshotOnlyMovesCaret();
    void textEqualToLastSnapshotElsewhereTakesNone();
    void largeTextKeepsOnlyDifferences();
};

void TestUndoHistory::randomEditsGiveBackEveryText_data() {
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("overReport");
    QTest::newRow("exact reports") << 1u << 0;
    QTest::newRow("wide reports") << 7u << 3;
    QTest::newRow("another seed") << 12345u << 0;
    QTest::newRow("wide, another seed") << 99u << 2;
}

void TestUndoHistory::randomEditsGiveBackEveryText() {
    QFETCH(quint32, seed);
    QFETCH(int, overReport);
    QRandomGenerator random(seed);
    Fixture f;
    f.document.overReport = overReport;
    f.document.edit(0, 0, QStringLiteral("class A {\n    int x;\n}\n"));
    WholeCopies oracle;
    const QString alphabet = QStringLiteral("ab \n{}xy\u00e4\u2028");

    for (int round = 0; round < RandomRounds; ++round) {
        FakeDocument &d = f.document;
        const int choice = int(random.bounded(100));
        if (choice < 40) {
            const int position = int(random.bounded(d.length() + 1));
            const int count = int(random.bounded(std::min(d.length() - position, 6) + 1));
            QString text;
            for (int n = int(random.bounded(choice < 5 ? 30 : 4)); n > 0; --n)
                text += alphabet[int(random.bounded(alphabet.size()))];
            if (d.length() > 400)
                text.clear();
            d.edit(position, count, text);
        } else if (choice < 45) {
            d.cursor = int(random.bounded(d.length() + 1));
        } else if (choice < 47) {
            // A change that gives back what it takes, as a formatting change is reported.
            const int position = int(random.bounded(d.length() + 1));
            const int count = int(random.bounded(std::min(d.length() - position, 6) + 1));
            d.replace(position, count, d.content.mid(position, count));
        } else if (choice < 80) {
            f.history.SaveUndoState();
            oracle.save(d.content, d.cursor);
        } else if (choice < 92) {
            f.history.Undo();
            if (const auto *state = oracle.undo()) {
                QCOMPARE(d.content, state->text);
                QCOMPARE(d.cursor, std::min(state->offset, d.length()));
            }
        } else {
            f.history.Redo();
            if (const auto *state = oracle.redo()) {
                QCOMPARE(d.content, state->text);
                QCOMPARE(d.cursor, std::min(state->offset, d.length()));
            }
        }
        QCOMPARE(f.history.UndoPos(), oracle.pos);
        QCOMPARE(f.history.UndoTop(), oracle.top);
        if (round % CompareAllEvery == 0 || round >= RandomRounds - CompareAllAtTheEnd) {
            QCOMPARE(f.history.LastUndoText(), oracle.last);
            for (int k = 1; k <= oracle.top; ++k) {
                QCOMPARE(f.history.UndoStates(k).text, oracle.states[size_t(k)].text);
                QCOMPARE(f.history.UndoStates(k).offset, oracle.states[size_t(k)].offset);
            }
        }
    }
    // Enough snapshots were taken to drop old ones.
    QCOMPARE(oracle.top, UndoHistory::stateCount);
}

void TestUndoHistory::ctrlZInKeyModeMovesBackEverySecondPress() {
    Fixture f;
    // Typing "abcd", one snapshot at every key release.
    for (const QString &key :
         {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")}) {
        f.type(key);
        f.history.SaveUndoState();
    }
    QCOMPARE(f.history.UndoPos(), 4);
    // Each Ctrl+Z: undo on the press, a snapshot on the release of Z.
    QStringList seen;
    for (int press = 0; press < 8; ++press) {
        f.history.Undo();
        f.history.SaveUndoState();
        seen << f.document.content;
    }
    QCOMPARE(seen, QStringList({"abcd", "abc", "abc", "ab", "ab", "a", "a", "a"}));
    QCOMPARE(f.history.UndoTop(), 4);
    QVERIFY(f.document.modified);
}

void TestUndoHistory::snapshot401DropsTheFirst() {
    Fixture f;
    for (int i = 1; i <= 401; ++i) {
        f.type(QStringLiteral("x"));
        f.history.SaveUndoState();
    }
    QCOMPARE(f.history.UndoPos(), 400);
    QCOMPARE(f.history.UndoTop(), 400);
    QCOMPARE(f.history.UndoStates(1).text, QString(2, QLatin1Char('x')));
    QCOMPARE(f.history.UndoStates(400).text, QString(401, QLatin1Char('x')));
    for (int i = 0; i < 401; ++i)
        f.history.Undo();
    QCOMPARE(f.document.content, QString(2, QLatin1Char('x')));
    QCOMPARE(f.history.UndoPos(), 0);
    f.history.Redo();
    f.history.Redo();
    QCOMPARE(f.document.content, QString(3, QLatin1Char('x')));
}

void TestUndoHistory::undoAfterSnapshotOnlyMovesCaret() {
    Fixture f;
    f.type(QStringLiteral("hello"));
    f.document.cursor = 2;
    f.history.SaveUndoState();
    f.document.cursor = 5;
    f.history.Undo();
    QCOMPARE(f.document.content, QStringLiteral("hello"));
    QCOMPARE(f.document.cursor, 2);
    QVERIFY(f.document.modified);
    f.history.Undo();
    QCOMPARE(f.history.UndoPos(), 0);
    f.history.Undo(); // at the oldest state: nothing
    QCOMPARE(f.document.content, QStringLiteral("hello"));
    // Redo right after an undo shows the same text again.
    f.history.Redo();
    QCOMPARE(f.document.content, QStringLiteral("hello"));
    QCOMPARE(f.history.UndoPos(), 1);
    f.history.Redo(); // at the newest state: nothing
    QCOMPARE(f.history.UndoPos(), 1);
}

// After an undo, the text is typed back to LastUndoText, but the character goes in at
// another place than the one the undo took away: no snapshot, as the texts are equal.
void TestUndoHistory::textEqualToLastSnapshotElsewhereTakesNone() {
    Fixture f;
    f.type(QStringLiteral("a"));
    f.history.SaveUndoState();
    f.type(QStringLiteral("a"));
    f.history.SaveUndoState();
    f.history.Undo();
    f.history.Undo();
    QCOMPARE(f.document.content, QStringLiteral("a"));
    QCOMPARE(f.history.UndoPos(), 0);
    f.document.edit(0, 0, QStringLiteral("a"));
    f.history.SaveUndoState();
    QCOMPARE(f.history.UndoPos(), 0);
    QCOMPARE(f.history.UndoTop(), 2);
    // Redo goes on where it was.
    f.history.Redo();
    QCOMPARE(f.document.content, QStringLiteral("a"));
    QCOMPARE(f.history.UndoPos(), 1);
}

void TestUndoHistory::largeTextKeepsOnlyDifferences() {
    Fixture f;
    QString text;
    for (int i = 0; i < 20000; ++i)
        text += QStringLiteral("    int value%1 = %1;\n").arg(i);
    f.document.edit(0, 0, text);
    f.history.SaveUndoState();
    for (int i = 0; i < 100; ++i) {
        f.document.edit(i * 500, 0, QStringLiteral("y"));
        f.history.SaveUndoState();
    }
    // Undo half of them, then edit far from all of them: the entries that redo can still
    // reach now differ from the new text in two distant places.
    for (int i = 0; i < 50; ++i)
        f.history.Undo();
    f.document.edit(f.document.length() - 3, 0, QStringLiteral("z"));
    f.history.SaveUndoState();
    f.document.edit(1, 0, QStringLiteral("z"));
    f.history.SaveUndoState();
    // Small steps only: the text itself is the document's, the history keeps no copy of it.
    const qsizetype copy = text.size() * qsizetype(sizeof(QChar));
    QVERIFY2(f.history.historyBytes() < copy / 4,
             qPrintable(QString::number(f.history.historyBytes())));
    QCOMPARE(f.history.UndoTop(), 101);
    f.history.Redo(); // entry 54, from before the undo
    QCOMPARE(f.document.content.count(QLatin1Char('y')), 53);
    QCOMPARE(f.document.content.count(QLatin1Char('z')), 0);
    f.history.Undo();
    f.history.Undo(); // entry 53, both far edits
    QCOMPARE(f.document.content.count(QLatin1Char('y')), 51);
    QCOMPARE(f.document.content.count(QLatin1Char('z')), 2);
    for (int i = 0; i < 101; ++i)
        f.history.Undo();
    QCOMPARE(f.document.content, text);
}

QTEST_GUILESS_MAIN(TestUndoHistory)
#include "tst_undohistory.moc"
