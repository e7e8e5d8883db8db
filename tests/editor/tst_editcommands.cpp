#include "editor/EditCommands.h"

#include <QTest>

using namespace EditCommands;

class TestEditCommands : public QObject {
    Q_OBJECT

private slots:
    void blockLeftRemovesOneSpaceAndShrinksPerLine();
    void blockRightAddsOneSpacePerLine();
    void goToLine_data();
    void goToLine();
    void lineCommandsAndCaretText();
};

void TestEditCommands::blockLeftRemovesOneSpaceAndShrinksPerLine() {
    // One space, a letter, two spaces: two spaces go, the length shrinks by three.
    BlockResult r = BlockLeft({" a", "b", "  c"}, {0, 9});
    QCOMPARE(r.lines, QStringList({"a", "b", " c"}));
    QCOMPARE(r.selection.start, 0);
    QCOMPARE(r.selection.length, 6);
    // Lines shorter than the indent, empty lines and tabs stay.
    r = BlockLeft({"", " ", "\tx", "y"}, {4, 2});
    QCOMPARE(r.lines, QStringList({"", "", "\tx", "y"}));
    QCOMPARE(r.selection.length, -2);
    // No selection: one character before the old caret is selected afterwards.
    r = BlockLeft({"  z"}, {7, 0});
    QCOMPARE(r.lines, QStringList({" z"}));
    QCOMPARE(r.selection.start, 7);
    QCOMPARE(r.selection.length, -1);
}

void TestEditCommands::blockRightAddsOneSpacePerLine() {
    const BlockResult r = BlockRight({"a", "", "\tb"}, {3, 5});
    QCOMPARE(r.lines, QStringList({" a", " ", " \tb"}));
    QCOMPARE(r.selection.start, 3);
    QCOMPARE(r.selection.length, 8);
}

void TestEditCommands::goToLine_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("line"); // -1: nothing happens
    QTest::newRow("third of five") << "3" << 2;
    QTest::newRow("last") << "5" << 4;
    QTest::newRow("past the end") << "6" << -1;
    QTest::newRow("word") << "abc" << -1;
    QTest::newRow("empty") << "" << -1;
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("negative") << "-4" << 0;
    QTest::newRow("blanks around") << " 4 " << 3;
    QTest::newRow("too large for 32 bits") << "99999999999" << -1;
}

void TestEditCommands::goToLine() {
    QFETCH(QString, answer);
    QFETCH(int, line);
    QCOMPARE(GoToLine(answer, 5).value_or(-1), line);
}

void TestEditCommands::lineCommandsAndCaretText() {
    QCOMPARE(CaretText(0, 0), QStringLiteral("Zeile: 1  Spalte: 1"));
    QCOMPARE(CaretText(11, 4), QStringLiteral("Zeile: 12  Spalte: 5"));

    // "a\nb\n" has two lines, "a\nb" too, the empty text none.
    QCOMPARE(LineCount(3, 0), 2);
    QCOMPARE(LineCount(2, 1), 2);
    QCOMPARE(LineCount(1, 0), 0);

    // Delete line: with its break; the last line has none; after a final break no line.
    auto edit = DeleteLine(4, 3, true, true);
    QVERIFY(edit);
    QCOMPARE(edit->position, 4);
    QCOMPARE(edit->removed, 4);
    QCOMPARE(DeleteLine(4, 3, false, true)->removed, 3);
    QVERIFY(!DeleteLine(8, 0, false, false));

    // Delete to end of line: from the caret; nothing at offset 0 or at the line's end.
    edit = DeleteToLineEnd(3, 0, 10);
    QVERIFY(edit);
    QCOMPARE(edit->position, 3);
    QCOMPARE(edit->removed, 7);
    QVERIFY(!DeleteToLineEnd(0, 0, 10));
    QVERIFY(!DeleteToLineEnd(10, 0, 10));
    QCOMPARE(DeleteToLineEnd(11, 11, 5)->removed, 5);
}

QTEST_GUILESS_MAIN(TestEditCommands)
#include "tst_editcommands.moc"
