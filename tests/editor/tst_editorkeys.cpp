// Indentation on Enter, matching brackets and line comments on plain text.
#include "editor/AutoIndent.h"
#include "editor/BracketMatch.h"
#include "editor/LineComments.h"
#include "editor/TextSource.h"

#include <QTest>

#include <algorithm>

class TestEditorKeys : public QObject {
    Q_OBJECT

private slots:
    void enterIndents_data();
    void enterIndents();
    void closeBraceDedents_data();
    void closeBraceDedents();
    void bracketPartner_data();
    void bracketPartner();
    void bracketSearchIsBounded();
    void bracketSearchOnPiecesEqualsPlainText();
    void bracketWindowStartingInsideABlockComment();
    void commentToggle_data();
    void commentToggle();
    void commentCaretColumnAndLines();
};

// A line with the caret as '|'; the result is the text after Enter, caret as '|' again.
void TestEditorKeys::enterIndents_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("tabs");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain keeps indent") << "    int x;|" << false << "    int x;\n    |";
    QTest::newRow("after brace") << "  for (int i = 0; i < 10; i++) {|" << false
                                 << "  for (int i = 0; i < 10; i++) {\n    |";
    QTest::newRow("between braces") << "  void f() {|}" << false << "  void f() {\n    |\n  }";
    QTest::newRow("blanks before closing brace go")
        << "  if (a) {|   }" << false << "  if (a) {\n    |\n  }";
    QTest::newRow("brace then line comment")
        << "if (a) { // start|" << false << "if (a) { // start\n  |";
    QTest::newRow("comment ending in brace") << "  // wait {|" << false << "  // wait {\n  |";
    QTest::newRow("brace then block comment")
        << "  while (x) { /* loop */|" << false << "  while (x) { /* loop */\n    |";
    QTest::newRow("brace inside string") << "  s = \"{|" << false << "  s = \"{\n  |";
    QTest::newRow("brace in char") << "  c = '{';|" << false << "  c = '{';\n  |";
    QTest::newRow("tabs") << "\tclass A {|" << true << "\tclass A {\n\t\t|";
    QTest::newRow("tabs between") << "\t{|}" << true << "\t{\n\t\t|\n\t}";
    QTest::newRow("first line, no indent") << "|class A {" << false << "\n|class A {";
    QTest::newRow("caret inside the indent") << "  |  x" << false << "  \n  |x";
    QTest::newRow("empty line") << "|" << false << "\n|";
    QTest::newRow("last line with trailing blanks") << "  }  |" << false << "  }  \n  |";
}

void TestEditorKeys::enterIndents() {
    QFETCH(QString, line);
    QFETCH(bool, tabs);
    QFETCH(QString, expected);
    const int column = int(line.indexOf(u'|'));
    line.remove(column, 1);
    const AutoIndent::Enter enter = AutoIndent::OnEnter(line, column, AutoIndent::Step(tabs));
    QString inserted = enter.inserted;
    inserted.insert(enter.caret, u'|');
    const QString result = line.left(column) + inserted + line.mid(column + enter.removeAfter);
    QCOMPARE(result, expected);
}

void TestEditorKeys::closeBraceDedents_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("tabs");
    QTest::addColumn<int>("removed");
    QTest::newRow("one step of spaces") << "      |" << false << 2;
    QTest::newRow("one space") << " |" << false << 1;
    QTest::newRow("tab") << "\t\t|" << true << 1;
    QTest::newRow("tab with spaces setting") << "\t|" << false << 1;
    QTest::newRow("code before") << "  x|" << false << 0;
    QTest::newRow("start of line") << "|  " << false << 0;
    QTest::newRow("text after the caret") << "    |x" << false << 2;
}

void TestEditorKeys::closeBraceDedents() {
    QFETCH(QString, line);
    QFETCH(bool, tabs);
    QFETCH(int, removed);
    const int column = int(line.indexOf(u'|'));
    line.remove(column, 1);
    QCOMPARE(AutoIndent::DedentOnCloseBrace(line, column, AutoIndent::Step(tabs)), removed);
}

// '|' marks the caret, '^' the expected partner (removed before the search); no '^' means
// unmatched when the text has a bracket at the caret, and no bracket at all with "none".
void TestEditorKeys::bracketPartner_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("status");
    QTest::newRow("after open") << "f(|a, b^)"
                                << "matched";
    QTest::newRow("before open") << "f|(a, b^)"
                                 << "matched";
    QTest::newRow("after close") << "^{ x; }|"
                                 << "matched";
    QTest::newRow("nested") << "^{ a(b[1]); { } }|"
                            << "matched";
    QTest::newRow("across lines") << "class A {|\n  void f() {\n  }\n^}\n"
                                  << "matched";
    QTest::newRow("string between") << "(|\")\"^)"
                                    << "matched";
    QTest::newRow("escaped quote in string") << "(|\"\\\")\"^)"
                                             << "matched";
    QTest::newRow("char between") << "(|')' ^)"
                                  << "matched";
    QTest::newRow("line comment between") << "{|// }\n^}"
                                          << "matched";
    QTest::newRow("block comment between") << "{|/* }\n } */^}"
                                           << "matched";
    QTest::newRow("text block between") << "(|\"\"\"\n)\n\"\"\"^)"
                                        << "matched";
    QTest::newRow("unbalanced open") << "{|{ }"
                                     << "unmatched";
    QTest::newRow("unbalanced close") << "( ))|"
                                      << "unmatched";
    QTest::newRow("wrong kind") << "(| ]"
                                << "unmatched";
    QTest::newRow("bracket in string") << "\"(|\" )"
                                       << "none";
    QTest::newRow("bracket in comment") << "// (| )"
                                        << "none";
    QTest::newRow("no bracket") << "ab|c"
                                << "none";
    QTest::newRow("empty") << "|"
                           << "none";
}

void TestEditorKeys::bracketPartner() {
    QFETCH(QString, text);
    QFETCH(QString, status);
    int partner = int(text.indexOf(u'^'));
    if (partner >= 0)
        text.remove(partner, 1);
    const int caret = int(text.indexOf(u'|'));
    text.remove(caret, 1);
    if (partner > caret)
        --partner;
    const BracketMatch::Result r = BracketMatch::Find(text, 0, int(text.size()), caret);
    const QString got = r.status == BracketMatch::Status::Matched     ? "matched"
                        : r.status == BracketMatch::Status::Unmatched ? "unmatched"
                        : r.status == BracketMatch::Status::None      ? "none"
                                                                      : "unknown";
    QCOMPARE(got, status);
    if (r.status == BracketMatch::Status::Matched) {
        QCOMPARE(r.partner, partner);
        QVERIFY(r.bracket == caret - 1 || r.bracket == caret);
        QCOMPARE(BracketMatch::CaretAfterJump(r), partner + 1);
        // From the partner the jump comes back.
        const BracketMatch::Result back =
            BracketMatch::Find(text, 0, int(text.size()), BracketMatch::CaretAfterJump(r));
        QCOMPARE(back.partner, r.bracket);
    } else {
        QCOMPARE(BracketMatch::CaretAfterJump(r), -1);
    }
}

void TestEditorKeys::bracketSearchIsBounded() {
    // The partner lies just past the limit: not reported as missing, but as unknown.
    const int limit = BracketMatch::SearchLimit;
    const QString far = QStringLiteral("{") + QString(limit + 10, u'x') + QStringLiteral("}");
    const int length = int(far.size());
    BracketMatch::Window w = BracketMatch::WindowAround(1, length);
    QVERIFY(w.to - w.from <= limit + 2);
    BracketMatch::Result r =
        BracketMatch::Find(QStringView(far).mid(w.from, w.to - w.from), w.from, length, 1);
    QCOMPARE(r.status, BracketMatch::Status::Unknown);
    QCOMPARE(r.bracket, 0);
    // Backwards the same.
    w = BracketMatch::WindowAround(length, length);
    r = BracketMatch::Find(QStringView(far).mid(w.from, w.to - w.from), w.from, length, length);
    QCOMPARE(r.status, BracketMatch::Status::Unknown);
    // Within the limit the whole text is searched.
    const QString near = QStringLiteral("{") + QString(1000, u'\n') + QStringLiteral("}");
    w = BracketMatch::WindowAround(1, int(near.size()));
    r = BracketMatch::Find(near, 0, int(near.size()), 1);
    QCOMPARE(r.status, BracketMatch::Status::Matched);
    QCOMPARE(r.partner, 1001);
}

// The lines of a text as pieces, each followed by its break, as a document's blocks are.
class LinePieces : public TextSource {
public:
    explicit LinePieces(const QString &text) : m_lines(text.split(u'\n')) {
        qsizetype start = 0;
        for (const QString &line : m_lines) {
            m_starts.push_back(start);
            start += line.size() + 1;
        }
        m_length = start - 1;
    }
    qsizetype Length() const override { return m_length; }
    int PieceCount() const override { return int(m_lines.size()); }
    int PieceIndexAt(qsizetype position) const override {
        const auto it = std::upper_bound(m_starts.begin(), m_starts.end(), position);
        return std::max(0, int(it - m_starts.begin()) - 1);
    }
    Piece PieceAt(int index) const override {
        return {m_starts[size_t(index)], m_lines[index], index + 1 < m_lines.size()};
    }

private:
    QStringList m_lines;
    std::vector<qsizetype> m_starts;
    qsizetype m_length = 0;
};

void TestEditorKeys::bracketSearchOnPiecesEqualsPlainText() {
    const QString text = QStringLiteral("class A {\n  void f(int[] a) {\n    s = \"}\";\n"
                                        "    /* ( */ g(a[0]);\n  }\n}\n");
    const LinePieces pieces(text);
    for (int caret = 0; caret <= text.size(); ++caret) {
        const BracketMatch::Result plain = BracketMatch::Find(text, 0, int(text.size()), caret);
        const BracketMatch::Result split = BracketMatch::Find(pieces, caret);
        QCOMPARE(split.status, plain.status);
        QCOMPARE(split.bracket, plain.bracket);
        QCOMPARE(split.partner, plain.partner);
    }
}

void TestEditorKeys::bracketWindowStartingInsideABlockComment() {
    // The window starts inside a block comment whose brackets must not count: they are
    // dropped at the comment's end.
    const QString text = QStringLiteral("/*\n ( ( (\n*/ (a)");
    const int offset = 2;               // window begins after "/*"
    const int caret = int(text.size()); // after ')'
    const BracketMatch::Result r =
        BracketMatch::Find(QStringView(text).mid(offset), offset, int(text.size()) + 5, caret);
    QCOMPARE(r.status, BracketMatch::Status::Matched);
    QCOMPARE(r.partner, int(text.indexOf(u"(a")));
    // From the first `(` in the comment the dropped brackets are not found at all.
    QCOMPARE(
        BracketMatch::Find(QStringView(text).mid(offset), offset, int(text.size()) + 5, 5).status,
        BracketMatch::Status::None);
    // A bracket before the end of such a comment, the caret next to it, is no bracket of code.
    const QString late = QStringLiteral("x\n (") + QString(5000, u' ') + QStringLiteral("*/ )");
    QCOMPARE(BracketMatch::Find(QStringView(late).mid(1), 1, int(late.size()) + 5, 4).status,
             BracketMatch::Status::None);
}

void TestEditorKeys::commentToggle_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("none commented")
        << QStringList{"a();", "  b();"} << QStringList{"// a();", "//   b();"};
    QTest::newRow("all commented") << QStringList{"// a();", "  //b();", "//   c();"}
                                   << QStringList{"a();", "  b();", "  c();"};
    QTest::newRow("mixed adds") << QStringList{"// a();", "b();"}
                                << QStringList{"// // a();", "// b();"};
    QTest::newRow("blank line") << QStringList{""} << QStringList{"// "};
    QTest::newRow("blank line back") << QStringList{"// "} << QStringList{""};
}

void TestEditorKeys::commentToggle() {
    QFETCH(QStringList, lines);
    QFETCH(QStringList, expected);
    QCOMPARE(LineComments::Toggle(lines), expected);
    // Commenting out and in again gives the lines back.
    if (!std::all_of(lines.begin(), lines.end(), LineComments::IsCommented))
        QCOMPARE(LineComments::Toggle(LineComments::Toggle(lines)), lines);
}

void TestEditorKeys::commentCaretColumnAndLines() {
    QCOMPARE(LineComments::ColumnAfter("  x = 1;", "//   x = 1;", 4), 7);
    QCOMPARE(LineComments::ColumnAfter("  // x", "  x", 6), 3);
    QCOMPARE(LineComments::ColumnAfter("  // x", "  x", 3), 2);
    QCOMPARE(LineComments::ColumnAfter("  // x", "  x", 1), 1);
    const LineComments::LineRange full = LineComments::LinesOf(2, 5, 0);
    QCOMPARE(full.first, 2);
    QCOMPARE(full.last, 4);
    QCOMPARE(LineComments::LinesOf(2, 2, 0).last, 2);
    QCOMPARE(LineComments::LinesOf(2, 5, 1).last, 5);
}

QTEST_GUILESS_MAIN(TestEditorKeys)
#include "tst_editorkeys.moc"
