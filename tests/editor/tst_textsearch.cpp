// The search, replace, incremental prompt and view switch decisions, without a window.

#include "editor/IncrementalSearch.h"
#include "editor/SearchLogic.h"
#include "editor/SwitchView.h"
#include "editor/TextSearch.h"
#include "SearchOracle.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

// The same text cut into pieces at its line breaks, as a document hands it out.
class LinePieces : public TextSource {
public:
    explicit LinePieces(const QString &text) : m_text(text) {
        qsizetype start = 0;
        for (;;) {
            const qsizetype end = text.indexOf(u'\n', start);
            m_starts.push_back(start);
            m_ends.push_back(end < 0 ? text.size() : end);
            if (end < 0)
                break;
            start = end + 1;
        }
    }
    qsizetype Length() const override { return m_text.size(); }
    int PieceCount() const override { return int(m_starts.size()); }
    int PieceIndexAt(qsizetype position) const override {
        int i = 0;
        while (i + 1 < PieceCount() && m_starts[size_t(i + 1)] <= position)
            ++i;
        return i;
    }
    Piece PieceAt(int index) const override {
        const qsizetype start = m_starts[size_t(index)];
        return {start, QStringView(m_text).mid(start, m_ends[size_t(index)] - start),
                index + 1 < PieceCount()};
    }

private:
    QString m_text;
    std::vector<qsizetype> m_starts;
    std::vector<qsizetype> m_ends;
};

// The same text cut at random places into pieces of one to `maxPiece` units, as the
// window's copy of a document may hold it after edits. A cut right before a line break
// leaves that break out of the piece, as a document's block does, now and then.
class CutPieces : public TextSource {
public:
    CutPieces(const QString &text, QRandomGenerator &random, int maxPiece) : m_text(text) {
        qsizetype start = 0;
        while (start < text.size() || m_pieces.empty()) {
            qsizetype end = std::min(text.size(), start + 1 + random.bounded(maxPiece));
            const bool breakAfter = end < text.size() && text[end] == u'\n' && random.bounded(2);
            m_pieces.push_back({start, end - start, breakAfter});
            start = end + (breakAfter ? 1 : 0);
        }
    }
    qsizetype Length() const override { return m_text.size(); }
    int PieceCount() const override { return int(m_pieces.size()); }
    int PieceIndexAt(qsizetype position) const override {
        int i = 0;
        while (i + 1 < PieceCount() && m_pieces[size_t(i + 1)].Start <= position)
            ++i;
        return i;
    }
    Piece PieceAt(int index) const override {
        const Cut &cut = m_pieces[size_t(index)];
        return {cut.Start, QStringView(m_text).mid(cut.Start, cut.Size), cut.BreakAfter};
    }

private:
    struct Cut {
        qsizetype Start;
        qsizetype Size;
        bool BreakAfter;
    };
    QString m_text;
    std::vector<Cut> m_pieces;
};

} // namespace

class TestTextSearch : public QObject {
    Q_OBJECT

private slots:
    void foldingTable();
    void searchMatchesOracle();
    void searchFindsMatchesOverAnyCut();
    void searchFromCaret_data();
    void searchFromCaret();
    void wordAtCaret();
    void replace_data();
    void replace();
    void emptySearchTextDoesNothing();
    void incrementalSearchKeys_data();
    void incrementalSearchKeys();
    void incrementalSearch();
    void switchView();
};

void TestTextSearch::foldingTable() {
    const SearchFolding ignore(false);
    const SearchFolding exact(true);
    for (int c = 0; c < 256; ++c)
        QCOMPARE(exact.Table()[size_t(c)], char16_t(c));
    QCOMPARE(ignore.Fold(u'a'), u'A');
    QCOMPARE(ignore.Fold(u'ä'), u'Ä');
    QCOMPARE(ignore.Fold(u'ö'), u'Ö');
    QCOMPARE(ignore.Fold(u'ü'), u'Ü');
    QCOMPARE(ignore.Fold(u'ß'), u'ß'); // one character stays one character
    QCOMPARE(ignore.Fold(u'ÿ'), char16_t(0x178));
    QCOMPARE(ignore.Fold(u'1'), u'1');
    // Beyond the 8-bit range: simple mapping, per character.
    QCOMPARE(ignore.Fold(u'ω'), u'Ω');
    QCOMPARE(ignore.Fold(u'ж'), u'Ж');
    QCOMPARE(ignore.Fold(u'ſ'), u'S');
    QCOMPARE(exact.Fold(u'ω'), u'ω');
    QCOMPARE(ignore.Fold(QStringLiteral("straße")), QStringLiteral("STRAßE"));
    const std::vector<char16_t> s = ignore.Preimage(u'S');
    QCOMPARE(s, (std::vector<char16_t>{u'S', u's', u'ſ'}));
}

void TestTextSearch::searchMatchesOracle() {
    // Random texts of a few letters in both cases, umlauts, Greek and line breaks, searched
    // in pieces and whole, both directions, against the plain description of the search.
    const QString alphabet = QStringLiteral("aAbBäÄsSſßωΩ \n");
    QRandomGenerator random(42);
    for (int round = 0; round < 300; ++round) {
        QString text;
        const int length = int(random.bounded(120));
        for (int i = 0; i < length; ++i)
            text.append(alphabet[int(random.bounded(alphabet.size()))]);
        QString pattern;
        const int patternLength = 1 + int(random.bounded(4));
        for (int i = 0; i < patternLength; ++i)
            pattern.append(alphabet[int(random.bounded(alphabet.size() - 1))]);
        if (round % 7 == 0)
            pattern.insert(int(random.bounded(pattern.size() + 1)), u'\n');
        const bool matchCase = round % 2;
        const SearchPattern prepared(pattern, matchCase);
        const StringTextSource whole(text);
        const LinePieces pieces(text);
        const qsizetype from = random.bounded(length + 2);
        const qsizetype down = OracleFind(text, pattern, matchCase, from, true);
        const qsizetype up = OracleFind(text, pattern, matchCase, from, false);
        QCOMPARE(FindForward(whole, prepared, from), down);
        QCOMPARE(FindForward(pieces, prepared, from), down);
        QCOMPARE(FindBackward(whole, prepared, from), up);
        QCOMPARE(FindBackward(pieces, prepared, from), up);
    }
}

void TestTextSearch::searchFindsMatchesOverAnyCut() {
    // Texts cut into pieces of a few characters, so that most matches run over a cut, often
    // over several: every search must find what a plain scan of the whole text finds.
    const quint32 seed = qEnvironmentVariableIsSet("QUILL_TEST_SEED")
                             ? quint32(qEnvironmentVariableIntValue("QUILL_TEST_SEED"))
                             : 20260521u;
    QRandomGenerator random(seed);
    for (int round = 0; round < 400; ++round) {
        const bool lineBreaks = round % 2;
        const QString text = RandomText(random, random.bounded(160), lineBreaks);
        const CutPieces pieces(text, random, 1 + int(random.bounded(8)));
        for (int search = 0; search < 6; ++search) {
            const QString pattern = RandomPattern(random, text, lineBreaks);
            const bool matchCase = search % 2;
            const SearchPattern prepared(pattern, matchCase);
            const qsizetype from = random.bounded(text.size() + 2) - 1;
            const qsizetype down = OracleFind(text, pattern, matchCase, from, true);
            const qsizetype up = OracleFind(text, pattern, matchCase, from, false);
            const qsizetype foundDown = FindForward(pieces, prepared, from);
            const qsizetype foundUp = FindBackward(pieces, prepared, from);
            QVERIFY2(foundDown == down && foundUp == up,
                     qPrintable(QStringLiteral("seed %1, round %2: \"%3\" in \"%4\" from %5, "
                                               "match case %6: down %7 (expected %8), up %9 "
                                               "(expected %10)")
                                    .arg(seed)
                                    .arg(round)
                                    .arg(pattern, text)
                                    .arg(from)
                                    .arg(matchCase)
                                    .arg(foundDown)
                                    .arg(down)
                                    .arg(foundUp)
                                    .arg(up)));
        }
    }
}

void TestTextSearch::searchFromCaret_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("search");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<bool>("down");
    QTest::addColumn<int>("found"); // -1: the box

    const QString hallo = QStringLiteral("Hallo HALLO hallo");
    QTest::newRow("match at the caret is skipped") << hallo << 0 << "Hallo" << false << true << 6;
    QTest::newRow("from the caret, not the start") << hallo << 7 << "hallo" << false << true << 12;
    QTest::newRow("match case") << hallo << 0 << "hallo" << true << true << 12;
    QTest::newRow("after the last match") << hallo << 12 << "hallo" << false << true << -1;
    QTest::newRow("upwards: nearest before the caret")
        << hallo << 12 << "HALLO" << false << false << 6;
    QTest::newRow("upwards at the start") << hallo << 0 << "hallo" << false << false << -1;
    QTest::newRow("umlauts ignoring case")
        << QStringLiteral("Maße: ÄPFEL äpfel") << 0 << "äpfel" << false << true << 6;
    QTest::newRow("ß is not SS") << QStringLiteral("STRASSE Straße") << 0 << "straße" << false
                                 << true << 8;
    QTest::newRow("Greek ignoring case") << QStringLiteral("x ΑΛΦΑ") << 0 << "άλφα" << false << true
                                         << -1; // accented alpha is another letter
    QTest::newRow("Cyrillic ignoring case")
        << QStringLiteral("x ПРИВЕТ") << 0 << "привет" << false << true << 2;
    QTest::newRow("across a line break")
        << QStringLiteral("ab\ncd") << 0 << "b\nc" << false << true << 1;
}

void TestTextSearch::searchFromCaret() {
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(QString, search);
    QFETCH(bool, matchCase);
    QFETCH(bool, down);
    QFETCH(int, found);
    const LinePieces source(text);
    const SearchOutcome outcome = SearchFromCaret(source, caret, {search, matchCase, down});
    QVERIFY(outcome.Searched);
    QCOMPARE(outcome.Found, found >= 0);
    QCOMPARE(outcome.Position, qsizetype(found));
    if (found >= 0) {
        QCOMPARE(outcome.Length, search.size());
        QVERIFY(outcome.Messages.empty());
    } else {
        // The box names the text as compared: upper case when case does not matter.
        const QString compared = matchCase ? search : SearchFolding(false).Fold(search);
        QCOMPARE(outcome.Messages,
                 (std::vector<SearchMessage>{{"Suchen", "Der Suchstring\r\n" + compared +
                                                            "\r\nkonnte nicht gefunden werden"}}));
    }
}

void TestTextSearch::wordAtCaret() {
    const LinePieces source(QStringLiteral("x = Hallo.Welt(a);\nzwei\tdrei"));
    QCOMPARE(WordAtCaret(source, 4), QStringLiteral("Hallo"));
    QCOMPARE(WordAtCaret(source, 6), QStringLiteral("llo"));
    QCOMPARE(WordAtCaret(source, 3), QString()); // before a space: the old text stays
    QCOMPARE(WordAtCaret(source, 9), QString()); // before a dot
    QCOMPARE(WordAtCaret(source, 10), QStringLiteral("Welt"));
    QCOMPARE(WordAtCaret(source, 19), QStringLiteral("zwei")); // stops at the tab
    QCOMPARE(WordAtCaret(source, 24), QStringLiteral("drei"));
    QCOMPARE(WordAtCaret(source, 28), QString()); // at the end
    // Codes above 47 belong to the word: digits, colon, angle brackets.
    QCOMPARE(WordAtCaret(StringTextSource(u"a1:b<c> d"), 0), QStringLiteral("a1:b<c>"));
}

void TestTextSearch::replace_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<bool>("all");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("selectStart"); // -1: stays
    QTest::addColumn<int>("selectLength");
    QTest::addColumn<QStringList>("captions"); // boxes shown

    const QStringList search{"Suchen"};
    const QStringList both{"Suchen", "Suchen/Ersetzen"};
    // The search text is "ab" throughout, match case off.
    QTest::newRow("replace all, touching matches")
        << "xababab ab" << 0 << 0 << "Q" << true << "xQabQ Q" << 7 << 0 << search;
    QTest::newRow("replace all with the first selected")
        << "AB ab ab" << 0 << 2 << "ZZZ" << true << "ZZZ ZZZ ZZZ" << 11 << 0 << search;
    QTest::newRow("replace all, nothing there")
        << "xyz" << 0 << 0 << "Q" << true << "xyz" << -1 << 0 << search;
    QTest::newRow("replace: selected match, next selected")
        << "ab ab" << 0 << 2 << "Q" << false << "Q ab" << 2 << 2 << QStringList();
    QTest::newRow("replace: no selection selects the first")
        << "x ab ab" << 0 << 0 << "Q" << false << "x ab ab" << 2 << 2 << QStringList();
    QTest::newRow("replace: last match, both boxes")
        << "x ab" << 2 << 2 << "Q" << false << "x Q" << 3 << 0 << both;
    QTest::newRow("replace: nothing selected, nothing found")
        << "x ab" << 3 << 0 << "Q" << false << "x ab" << -1 << 0 << both;
    QTest::newRow("replacement holding the text")
        << "ab ab" << 0 << 0 << "abab" << true << "ab abab" << 7 << 0 << search;
}

void TestTextSearch::replace() {
    QFETCH(QString, text);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(QString, replacement);
    QFETCH(bool, all);
    QFETCH(QString, result);
    QFETCH(int, selectStart);
    QFETCH(int, selectLength);
    QFETCH(QStringList, captions);
    const QString searchText = QStringLiteral("ab");
    const ReplaceOutcome outcome = PlanReplace(StringTextSource(text), selStart, selLength,
                                               searchText, replacement, false, all);
    QString edited = text;
    for (auto it = outcome.Positions.rbegin(); it != outcome.Positions.rend(); ++it)
        edited.replace(*it, outcome.Length, replacement);
    QCOMPARE(edited, result);
    QCOMPARE(outcome.SelectStart, qsizetype(selectStart));
    QCOMPARE(outcome.SelectLength, qsizetype(selectLength));
    QStringList shown;
    for (const SearchMessage &message : outcome.Messages)
        shown << message.Caption;
    QCOMPARE(shown, captions);
    if (captions.size() == 2) {
        // The first box names the text as compared, the second as typed.
        QVERIFY(outcome.Messages[0].Text.contains(u"\r\nAB\r\n"));
        QVERIFY(outcome.Messages[1].Text.contains(u"\r\nab\r\n"));
    }
}

void TestTextSearch::emptySearchTextDoesNothing() {
    const StringTextSource text(u"abc");
    const SearchOutcome found = SearchFromCaret(text, 0, {QString(), false, true});
    QVERIFY(!found.Searched && !found.Found && found.Messages.empty());
    const ReplaceOutcome replaced =
        PlanReplace(text, 0, 0, QString(), QStringLiteral("x"), false, true);
    QVERIFY(!replaced.Searched && replaced.Positions.empty() && replaced.Messages.empty());
    QCOMPARE(replaced.SelectStart, qsizetype(-1));
}

void TestTextSearch::incrementalSearchKeys_data() {
    using Key = IncrementalSearch::Key;
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("kind");
    const int none = Qt::NoModifier;
    const int ctrl = Qt::ControlModifier;
    const int shift = Qt::ShiftModifier;
    QTest::newRow("letter") << int(Qt::Key_A) << none << "a" << int(Key::Type);
    QTest::newRow("capital") << int(Qt::Key_A) << shift << "A" << int(Key::Type);
    QTest::newRow("umlaut") << int(Qt::Key_Odiaeresis) << none << "ö" << int(Key::Type);
    QTest::newRow("blank") << int(Qt::Key_Space) << none << " " << int(Key::Type);
    QTest::newRow("tab") << int(Qt::Key_Tab) << none << "\t" << int(Key::Type);
    QTest::newRow("AltGr as Ctrl+Alt")
        << int(Qt::Key_Q) << int(Qt::ControlModifier | Qt::AltModifier) << "@" << int(Key::Type);
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << none << "\b" << int(Key::Back);
    QTest::newRow("F3") << int(Qt::Key_F3) << none << "" << int(Key::Next);
    QTest::newRow("Ctrl+I") << int(Qt::Key_I) << ctrl << "\t" << int(Key::Next);
    QTest::newRow("Ctrl+Shift+I is a snippet")
        << int(Qt::Key_I) << int(Qt::ControlModifier | Qt::ShiftModifier) << "" << int(Key::Leave);
    QTest::newRow("Esc") << int(Qt::Key_Escape) << none << "\x1b" << int(Key::Finish);
    QTest::newRow("Enter") << int(Qt::Key_Return) << none << "\r" << int(Key::Finish);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << "\r"
                                  << int(Key::Finish);
    QTest::newRow("caret right") << int(Qt::Key_Right) << none << "" << int(Key::Finish);
    QTest::newRow("Ctrl+Home") << int(Qt::Key_Home) << ctrl << "" << int(Key::Finish);
    QTest::newRow("page down") << int(Qt::Key_PageDown) << none << "" << int(Key::Finish);
    QTest::newRow("Ctrl+S") << int(Qt::Key_S) << ctrl << "\x13" << int(Key::Leave);
    QTest::newRow("Ctrl+V") << int(Qt::Key_V) << ctrl << "\x16" << int(Key::Leave);
    QTest::newRow("F8") << int(Qt::Key_F8) << none << "" << int(Key::Leave);
    QTest::newRow("Shift alone") << int(Qt::Key_Shift) << shift << "" << int(Key::Ignore);
    QTest::newRow("Ctrl alone") << int(Qt::Key_Control) << ctrl << "" << int(Key::Ignore);
    QTest::newRow("Delete") << int(Qt::Key_Delete) << none << "\x7f" << int(Key::Swallow);
    QTest::newRow("Insert") << int(Qt::Key_Insert) << none << "" << int(Key::Swallow);
}

void TestTextSearch::incrementalSearchKeys() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(int, kind);
    QCOMPARE(int(IncrementalSearch::Classify(key, Qt::KeyboardModifiers(modifiers), text)), kind);
}

void TestTextSearch::incrementalSearch() {
    using Selection = IncrementalSearch::Selection;
    const QString text =
        QStringLiteral("import java.util.Scanner;\nScanner sc; PRINT print Prima Größe GRÖSSE "
                       "größe a\U0001F600b");
    const StringTextSource source(text);
    IncrementalSearch search;
    QCOMPARE(IncrementalSearch::EndHint(), QStringLiteral("Ende mit ESC"));
    // Not running: keys are none of its business.
    QVERIFY(!search.IsActive());
    QVERIFY(!search.KeyPressed(source, Qt::Key_A, {}, QStringLiteral("a")).Consumed);

    search.Start({5, 0});
    QVERIFY(search.IsActive());
    QCOMPARE(search.Prompt(), QStringLiteral("Suchen nach: "));
    auto press = [&](int key, const QString &typed = QString(),
                     Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        return search.KeyPressed(source, key, modifiers, typed);
    };
    auto selects = [](const IncrementalSearch::Reaction &reaction, Selection selection) {
        return reaction.Consumed && reaction.Select && reaction.Range == selection &&
               !reaction.Ended;
    };
    // From where the search began, ignoring case; the match grows where it stands.
    QVERIFY(selects(press(Qt::Key_P, QStringLiteral("p")), {38, 1}));
    QVERIFY(selects(press(Qt::Key_R, QStringLiteral("r")), {38, 2}));
    QVERIFY(selects(press(Qt::Key_I, QStringLiteral("i")), {38, 3}));
    IncrementalSearch::Reaction reaction = press(Qt::Key_M, QStringLiteral("m"));
    QVERIFY(selects(reaction, {50, 4}));
    QVERIFY(!reaction.Beep);
    QCOMPARE(search.Prompt(), QStringLiteral("Suchen nach: prim"));
    QCOMPARE(search.Text(), QStringLiteral("prim"));
    // Backspace goes back to where the shorter text stood.
    QVERIFY(selects(press(Qt::Key_Backspace, QStringLiteral("\b")), {38, 3}));
    QVERIFY(selects(press(Qt::Key_Backspace, QStringLiteral("\b")), {38, 2}));
    // F3 and Ctrl+I: the next match; at the last one a beep and no move.
    QVERIFY(selects(press(Qt::Key_F3), {44, 2}));
    QVERIFY(selects(press(Qt::Key_I, QStringLiteral("\t"), Qt::ControlModifier), {50, 2}));
    reaction = press(Qt::Key_F3);
    QVERIFY(reaction.Beep && selects(reaction, {50, 2}));
    // A text that is not there: a beep, the selection stays, the text is shown.
    reaction = press(Qt::Key_X, QStringLiteral("x"));
    QVERIFY(reaction.Beep && selects(reaction, {50, 2}));
    QCOMPARE(search.Prompt(), QStringLiteral("Suchen nach: prx"));
    QVERIFY(selects(press(Qt::Key_Backspace, QStringLiteral("\b")), {50, 2}));
    QVERIFY(selects(press(Qt::Key_Backspace, QStringLiteral("\b")), {44, 2}));
    // Keys that would change the text do nothing; modifiers go by.
    QVERIFY(press(Qt::Key_Delete, QStringLiteral("\x7f")).Consumed);
    QVERIFY(!press(Qt::Key_Shift).Consumed);
    QVERIFY(search.IsActive());
    QCOMPARE(search.Text(), QStringLiteral("pr"));
    // Esc ends it; the key does nothing else and the selection stays as it is.
    reaction = press(Qt::Key_Escape, QStringLiteral("\x1b"));
    QVERIFY(reaction.Consumed && reaction.Ended && !reaction.Select);
    QVERIFY(!search.IsActive());

    // The editor's folding: ö finds Ö, ß is not SS.
    search.Start({0, 0});
    QVERIFY(selects(search.Type(source, QStringLiteral("GRÖß")), {56, 4}));
    QVERIFY(selects(search.Next(source), {69, 4}));
    // A character outside the BMP is one step.
    QVERIFY(selects(search.Back(), {56, 4}));
    search.End();
    search.Start({0, 0});
    QVERIFY(selects(search.Type(source, QStringLiteral("\U0001F600")), {76, 2}));
    QVERIFY(selects(search.Type(source, QStringLiteral("B")), {76, 3}));
    QVERIFY(selects(search.Back(), {76, 2}));
    QVERIFY(selects(search.Back(), {0, 0}));
    // A command key ends it and goes on to do its work.
    reaction = press(Qt::Key_S, QStringLiteral("\x13"), Qt::ControlModifier);
    QVERIFY(reaction.Ended && !reaction.Consumed);

    // Ctrl+I with nothing typed takes up the text of the last search that had one, from the
    // selection on.
    search.Start({40, 2});
    QVERIFY(selects(search.Next(source), {56, 4}));
    QCOMPARE(search.Prompt(), QStringLiteral("Suchen nach: GRÖß"));
    QVERIFY(selects(search.Back(), {40, 2}));
}

void TestTextSearch::switchView() {
    // Towards colour: tabs become two spaces, and the caret goes to the start.
    ViewSwitch s = SwitchView(EditorView::Monochrome, EditorView::Color, true, false);
    QVERIFY(s.Switch && s.ReplaceTabs && s.CaretToStart);
    // Back to monochrome: the text stays; the view that still shows its text keeps its caret.
    s = SwitchView(EditorView::Color, EditorView::Monochrome, true, false);
    QVERIFY(s.Switch && !s.ReplaceTabs && !s.CaretToStart);
    s = SwitchView(EditorView::Color, EditorView::Monochrome, true, true);
    QVERIFY(s.Switch && !s.ReplaceTabs && s.CaretToStart);
    // A text without tabs goes to the colour view unchanged.
    s = SwitchView(EditorView::Monochrome, EditorView::Color, false, false);
    QVERIFY(s.Switch && !s.ReplaceTabs && !s.CaretToStart);
    s = SwitchView(EditorView::Monochrome, EditorView::Color, false, true);
    QVERIFY(s.Switch && !s.ReplaceTabs && s.CaretToStart);
    // The view already shown: nothing.
    s = SwitchView(EditorView::Color, EditorView::Color, true, true);
    QVERIFY(!s.Switch && !s.ReplaceTabs && !s.CaretToStart);

    // The tabs are found in every piece of a text, at their positions in the whole text.
    const QString text = QStringLiteral("\ta\tb\n\t\tc\t");
    std::vector<qsizetype> expected;
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] == u'\t')
            expected.push_back(i);
    QCOMPARE(TabPositions(StringTextSource(text)), expected);
    QCOMPARE(TabPositions(LinePieces(text)), expected);
    QVERIFY(TabPositions(StringTextSource(QStringLiteral("ohne"))).empty());
}

QTEST_GUILESS_MAIN(TestTextSearch)
#include "tst_textsearch.moc"
