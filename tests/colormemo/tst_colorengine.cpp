#include "GridView.h"
#include "RunTags.h"

#include "colormemo/ColorEngine.h"
#include "colormemo/ColorRule.h"
#include "colormemo/DrawRules.h"
#include "colormemo/EditorRules.h"
#include "colormemo/HotSpot.h"
#include "common/Helpers.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTest>

namespace {

constexpr TColor kComment = 0x00404080;
constexpr TColor kOperator = 0x000000FF;
constexpr TColor kJava = 0x00FF0000;

// Runs passes until the rules are prepared (the first pass prepares them).
TColorEngine::Look PlainLook() {
    return TColorEngine::Look();
}

struct Pass {
    TDrawRules rules;
    TColorEngine engine;
    THotSpot hotSpot;
    TColorMemoOptions options = cmoAllowCutCopy | cmoDragText;

    Pass() { SetEditorColorRules(rules); }
    bool Run(const TCMView &view, bool onlyFromCaretLine = false) {
        return engine.Colorize(rules, view, onlyFromCaretLine, &hotSpot, options, PlainLook());
    }
    QString Tagged(const TGridView &view, bool onlyFromCaretLine = false) {
        Run(view, onlyFromCaretLine);
        return TaggedRuns(view.Text, engine);
    }
};

// The keyword scan as a plain search per keyword: every occurrence from the start, going on
// after each, accepted at word boundaries. The engine must give exactly these spans.
std::vector<TKeyDescr> NaiveKeywordSpans(const TColorRule &rule, const QString &text) {
    std::vector<TKeyDescr> spans;
    const QString search = rule.KeyCase() ? text : UpperCaseChars(text);
    auto isWordChar = [&](qsizetype i) {
        if (i < 0 || i >= search.size())
            return false;
        return TColorEngine::IsBuiltInKeywordChar(search[i]);
    };
    for (const TPreparedKeyword &keyword : rule.PreparedKeywords()) {
        const qsizetype n = keyword.Text.size();
        for (qsizetype p = search.indexOf(keyword.Text); p >= 0;
             p = search.indexOf(keyword.Text, p + n)) {
            if (!rule.PartWord() && (isWordChar(p - 1) || isWordChar(p + n)))
                continue;
            TKeyDescr span;
            span.StartPos = int(p);
            span.EndPos = int(p + n - 1);
            span.Color = keyword.Color;
            spans.push_back(span);
        }
    }
    return spans;
}

QString RandomJavaish(QRandomGenerator &random, int length) {
    static const char *const pieces[] = {
        "if",        "elif",        "class",  "Box",
        "BoxLayout", "Box.Filler",  "JLabel", "JLabel.AccessibleJLabel",
        "=",         "==",          "{",      "}",
        "(",         ")",           " ",      " ",
        "  ",        "\n",          "\t",     "a",
        "_",         "1",           "int",    "INT",
        "println",   "setLocation", "Timer",  "//",
        "/",         "<",           ">",      "&&",
        "x",         "new",         "newer",  "ß",
        "ä"};
    QString text;
    while (text.size() < length)
        text += QString::fromUtf8(pieces[random.bounded(int(std::size(pieces)))]);
    return text;
}

} // namespace

class TestColorEngine : public QObject {
    Q_OBJECT
private slots:
    void caretLineSpan_data();
    void caretLineSpan();
    void editorRules_data();
    void editorRules();
    void partWordColoursInsideWords();
    void partlyVisibleBottomLineIsNotColoured();
    void selectionHighlight_data();
    void selectionHighlight();
    void laterSpanOfEqualZOrderWins();
    void hotSpotMarkers();
    void hotspotRuleAndEventDrawRule();
    void beginEndWithoutEndKey_data();
    void beginEndWithoutEndKey();
    void fullBegEndsSeesBlocksAbove();
    void keywordScanEqualsPlainSearch();
    void onlyFromCaretLineStartsAtCaretLine();
    void caretFarAboveCopiesOnlyScannedText();
    void keywordCharHook();
    void scrollingEqualsLoading();
    void crlfColoursLikeLf();
    void referenceFiles_data();
    void referenceFiles();
};

void TestColorEngine::caretLineSpan_data() {
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("expected");
    QTest::newRow("at line start") << 5 << "abcd\nefgh";
    QTest::newRow("inside line") << 7 << "abcd\n<plain>ef</plain>gh";
    QTest::newRow("end of text") << 9 << "abcd\n<plain>efgh</plain>";
}

void TestColorEngine::caretLineSpan() {
    QFETCH(int, caret);
    QFETCH(QString, expected);
    Pass pass;
    pass.rules.Clear();
    pass.rules.Add()->SetKeyDrawingType(dtEventDraw);
    TGridView view(QStringLiteral("abcd\nefgh"));
    view.Select(caret);
    QCOMPARE(pass.Tagged(view), expected);
}

void TestColorEngine::editorRules_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("equals between blanks") << "a = b"
                                           << "a <op>=</op> b";
    QTest::newRow("equals between identifiers") << "a=b"
                                                << "a=b";
    QTest::newRow("comment after code wins over operators and keywords")
        << "x = 1; // if class Box"
        << "x <op>=</op> 1; <cmt>// if class Box</cmt>";
    QTest::newRow("keyword inside a word") << "elif if"
                                           << "elif <kw>if</kw>";
    QTest::newRow("tab inside a comment stays plain") << "// a\tb"
                                                      << "<cmt>// a</cmt>\t<cmt>b</cmt>";
    QTest::newRow("class names keep their case") << "JFrame jframe"
                                                 << "<cls>JFrame</cls> jframe";
    QTest::newRow("operators need non-word neighbours") << "( a+b )"
                                                        << "<op>(</op> a+b <op>)</op>";
    QTest::newRow("comment on the last line reaches the last character")
        << "int a;\n// end"
        << "<kw>int</kw> a;\n<cmt>// end</cmt>";
    QTest::newRow("comment ends before the line break") << "// a\nint"
                                                        << "<cmt>// a</cmt>\n<kw>int</kw>";
    QTest::newRow("dotted class name") << "Box.Filler f"
                                       << "<cls>Box.Filler</cls> f";
}

void TestColorEngine::editorRules() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    Pass pass;
    TGridView view(text);
    QCOMPARE(pass.Tagged(view), expected);
}

void TestColorEngine::partWordColoursInsideWords() {
    Pass pass;
    pass.rules.Items(2)->SetPartWord(true);
    TGridView view(QStringLiteral("elif"));
    QCOMPARE(pass.Tagged(view), QStringLiteral("el<kw>if</kw>"));
}

void TestColorEngine::partlyVisibleBottomLineIsNotColoured() {
    Pass pass;
    TGridView view(QStringLiteral("int a;\nint b;\nint c;"), 2);
    QCOMPARE(pass.Tagged(view), QStringLiteral("<kw>int</kw> a;\n<kw>int</kw> b;\nint c;"));
    view.FirstLine = 1;
    QCOMPARE(pass.Tagged(view), QStringLiteral("int a;\n<kw>int</kw> b;\n<kw>int</kw> c;"));
}

void TestColorEngine::selectionHighlight_data() {
    QTest::addColumn<bool>("focused");
    QTest::addColumn<bool>("hideSelection");
    QTest::addColumn<QString>("expected");
    QTest::newRow("focused") << true << true << "<op>=</op>\n<kw>i</kw><kw sel>nt</kw> x";
    QTest::newRow("unfocused, hidden") << false << true << "<op>=</op>\n<kw>i</kw><kw>nt</kw> x";
    QTest::newRow("unfocused, shown")
        << false << false << "<op>=</op>\n<kw>i</kw><kw sel>nt</kw> x";
}

void TestColorEngine::selectionHighlight() {
    QFETCH(bool, focused);
    QFETCH(bool, hideSelection);
    QFETCH(QString, expected);
    Pass pass;
    TGridView view(QStringLiteral("=\nint x"));
    view.Select(3, 3); // "nt "
    view.HasFocus = focused;
    view.HidesSelection = hideSelection;
    QCOMPARE(pass.Tagged(view), expected);
}

void TestColorEngine::laterSpanOfEqualZOrderWins() {
    Pass pass;
    pass.rules.Clear();
    TColorRule *first = pass.rules.Add();
    first->SetKeyDrawingType(dtKeyShow);
    first->SetKeywords({QStringLiteral("abc;#010101"), QStringLiteral("bc;#020202")});
    TColorRule *second = pass.rules.Add();
    second->SetKeyDrawingType(dtKeyShow);
    second->SetKeywords({QStringLiteral("c;#030303")});
    TGridView view(QStringLiteral("abc"));
    // Within the first rule "bc" came later; the second rule's "c" later still.
    pass.rules.Items(0)->SetPartWord(true);
    pass.rules.Items(1)->SetPartWord(true);
    QCOMPARE(pass.Tagged(view), QStringLiteral("<c00010101>a</c00010101><c00020202>b</c00020202>"
                                               "<c00030303>c</c00030303>"));
    // A higher ZOrder keeps its characters against later spans.
    first->SetZOrder(5);
    QCOMPARE(pass.Tagged(view),
             QStringLiteral("<c00010101>a</c00010101><c00020202>bc</c00020202>"));
}

void TestColorEngine::hotSpotMarkers() {
    Pass pass;
    pass.hotSpot.Active = true;
    pass.hotSpot.MarkerColor = 0x00111111;
    // A colour of its own, so hot-spot text cannot pass for the keywords inside it.
    pass.hotSpot.Color = 0x00222222;
    const QString text = QStringLiteral("see \x1e"
                                        "if x\x1f and \x1eint\x1f");
    TGridView view(text);
    QCOMPARE(pass.Tagged(view),
             QStringLiteral("see <c00111111>\x1e</c00111111><c00222222>if x</c00222222>"
                            "<c00111111>\x1f</c00111111> and <c00111111>\x1e</c00111111>"
                            "<c00222222>int</c00222222><c00111111>\x1f</c00111111>"));
    const TcmHotKeywordList &hot = pass.engine.HotSpots();
    QCOMPARE(hot.Count(), 2);
    QCOMPARE(hot[0], (TcmHotKeywordList::Range{5, 8}));
    QCOMPARE(hot[1], (TcmHotKeywordList::Range{16, 18}));
    QCOMPARE(pass.engine.Run(1).ZOrder, quint8(252));
    pass.hotSpot.Active = false;
    pass.Run(view);
    QCOMPARE(pass.engine.HotSpots().Count(), 0);
}

void TestColorEngine::hotspotRuleAndEventDrawRule() {
    Pass pass;
    pass.rules.Clear();
    TColorRule *links = pass.rules.Add();
    links->SetKeyDrawingType(dtKeyShow);
    links->SetIsHotspot(true);
    links->SetKeywords({QStringLiteral("help;#070707")});
    TColorRule *nothing = pass.rules.Add();
    nothing->SetKeyDrawingType(dtEventDraw);
    nothing->SetKeyBegEndLst({QStringLiteral("a;b")});
    TGridView view(QStringLiteral("see help and help2 or a help b"));
    QCOMPARE(pass.Tagged(view), QStringLiteral("see <c00070707>help</c00070707> and help2 or a "
                                               "<c00070707>help</c00070707> b"));
    QCOMPARE(pass.engine.Run(0).ZOrder, quint8(252));
    const TcmHotKeywordList &hot = pass.engine.HotSpots();
    QCOMPARE(hot.Count(), 2);
    QCOMPARE(hot[0], (TcmHotKeywordList::Range{4, 7}));
    QCOMPARE(hot[1], (TcmHotKeywordList::Range{24, 27}));
}

void TestColorEngine::beginEndWithoutEndKey_data() {
    QTest::addColumn<int>("maxHeight");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no limit") << 10 << "a <c00020202>/* b</c00020202>\n<c00020202>c d</c00020202>";
    QTest::newRow("one line") << 1 << "a <c00020202>/* b</c00020202>\nc d";
}

void TestColorEngine::beginEndWithoutEndKey() {
    QFETCH(int, maxHeight);
    QFETCH(QString, expected);
    Pass pass;
    pass.rules.Clear();
    TColorRule *rule = pass.rules.Add();
    rule->SetKeyBegEndLst({QStringLiteral("/*;*/;#020202")});
    rule->SetKeyMaxHeight(maxHeight);
    TGridView view(QStringLiteral("a /* b\nc d"));
    QCOMPARE(pass.Tagged(view), expected);
}

void TestColorEngine::fullBegEndsSeesBlocksAbove() {
    Pass pass;
    pass.rules.Clear();
    TColorRule *rule = pass.rules.Add();
    rule->SetKeyBegEndLst({QStringLiteral("/*;*/;#020202")});
    rule->SetKeyMaxHeight(100);
    TGridView view(QStringLiteral("/* a\nb\nc */ d"));
    view.FirstLine = 1;
    QCOMPARE(pass.Tagged(view), QStringLiteral("/* a\nb\nc */ d"));
    pass.options |= cmoCalcFullBegEnds;
    QCOMPARE(pass.Tagged(view),
             QStringLiteral("/* a\n<c00020202>b</c00020202>\n<c00020202>c */</c00020202> d"));
}

void TestColorEngine::keywordScanEqualsPlainSearch() {
    // The automaton must find exactly the spans, in exactly the order, of a search per keyword.
    QRandomGenerator random(4711);
    for (int round = 0; round < 200; ++round) {
        Pass pass;
        const bool keyCase = round % 2 == 0;
        const int ruleIndex = round % 3 == 0 ? 0 : (round % 3 == 1 ? 1 : 2);
        pass.rules.Items(ruleIndex)->SetKeyCase(keyCase);
        pass.rules.Items(ruleIndex)->SetPartWord(round % 5 == 0);
        for (int i = 0; i < pass.rules.Count(); ++i)
            pass.rules.Items(i)->SetEnabled(i == ruleIndex);
        const QString text = RandomJavaish(random, 400);
        TGridView view(text, 1000);
        pass.Run(view); // prepares
        const TColorRule &rule = *pass.rules.Items(ruleIndex);
        const std::vector<TKeyDescr> expected = NaiveKeywordSpans(rule, text);
        const TKeyDescrList &records = pass.engine.Records();
        std::vector<TKeyDescr> actual;
        for (int i = 0; i < records.Count() && actual.size() < expected.size() + 1; ++i) {
            if (records[i].IsKeyword)
                actual.push_back(records[i]);
        }
        // Keyword spans that cross no line break come first and in scan order; compare the
        // positions and colours of the spans before splitting.
        actual.resize(std::min(actual.size(), expected.size()));
        QCOMPARE(actual.size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            QCOMPARE(actual[i].StartPos, expected[i].StartPos);
            QCOMPARE(actual[i].EndPos, expected[i].EndPos);
            QCOMPARE(actual[i].Color, expected[i].Color);
        }
    }
}

void TestColorEngine::onlyFromCaretLineStartsAtCaretLine() {
    Pass pass;
    TGridView view(QStringLiteral("int a;\nint b;\nint c;"));
    view.Select(12);
    pass.Run(view, true);
    QCOMPARE(pass.engine.ScanStart(), 7);
    QCOMPARE(TaggedRuns(view.Text, pass.engine),
             QStringLiteral("int a;\n<kw>int</kw><plain> b</plain>;\n<kw>int</kw> c;"));
}

void TestColorEngine::caretFarAboveCopiesOnlyScannedText() {
    QString text;
    for (int i = 0; i < 5000; ++i)
        text += QStringLiteral("int value%1 = %1; // line\n").arg(i);
    Pass pass;
    TGridView view(text, 40);
    view.FirstLine = 4000;
    view.Select(view.LineIndex(10) + 5); // far above, not at a line start
    pass.Run(view);
    QCOMPARE(pass.engine.ScanStart(), view.LineIndex(4000));
    QCOMPARE(pass.engine.ScanEnd(), view.LineIndex(4040));
    QCOMPARE(view.CopiedChars, (long long)(view.LineIndex(4040) - view.LineIndex(4000)));
    for (int i = 0; i < pass.engine.Records().Count(); ++i) {
        QVERIFY(pass.engine.Records()[i].StartPos >= pass.engine.ScanStart());
        QVERIFY(pass.engine.Records()[i].EndPos < pass.engine.ScanEnd());
    }
}

void TestColorEngine::keywordCharHook() {
    Pass pass;
    QString asked;
    pass.engine.OnIsKeywordChar = [&](QChar c, bool &isKeywordChar) {
        asked += c;
        QVERIFY(isKeywordChar);
        isKeywordChar = TColorEngine::IsBuiltInKeywordChar(c) || c == u'-';
    };
    TGridView view(QStringLiteral("a-if if"));
    QCOMPARE(pass.Tagged(view), QStringLiteral("a-if <kw>if</kw>"));
    QVERIFY(asked.contains(u'-'));
}

void TestColorEngine::scrollingEqualsLoading() {
    QString text;
    QRandomGenerator random(17);
    for (int i = 0; i < 120; ++i)
        text += RandomJavaish(random, 30).remove(u'\n') + u'\n';
    Pass loaded;
    Pass scrolled;
    TGridView view(text, 30);
    for (int line = 0; line <= 60; ++line) {
        view.FirstLine = line;
        scrolled.Run(view);
    }
    loaded.Run(view); // first pass prepares
    loaded.Run(view);
    QCOMPARE(TaggedRuns(text, scrolled.engine), TaggedRuns(text, loaded.engine));
    QVERIFY(scrolled.engine.RunCount() > 30);
}

void TestColorEngine::crlfColoursLikeLf() {
    QRandomGenerator random(99);
    QString lf;
    for (int i = 0; i < 40; ++i)
        lf += RandomJavaish(random, 30).remove(u'\n') + u'\n';
    QString crlf = lf;
    crlf.replace(u'\n', QStringLiteral("\r\n"));
    Pass a;
    Pass b;
    TGridView lfView(lf, 60);
    TGridView crlfView(crlf, 60);
    a.Run(lfView);
    b.Run(crlfView);
    QString lfTagged = TaggedRuns(lf, a.engine);
    QString crlfTagged = TaggedRuns(crlf, b.engine);
    crlfTagged.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QCOMPARE(crlfTagged, lfTagged);
}

void TestColorEngine::referenceFiles_data() {
    QTest::addColumn<QString>("input");
    const QDir dir(QStringLiteral(QUILL_ENGINE_DATA));
    const QStringList inputs = dir.entryList({QStringLiteral("*.java")}, QDir::Files, QDir::Name);
    QVERIFY(!inputs.isEmpty());
    for (const QString &name : inputs)
        QTest::newRow(qPrintable(name)) << dir.filePath(name);
}

// Each Java input beside its expected runs in tagged form (<kw>class</kw>). On a mismatch the
// actual output is written next to the reference as .tagged.new and the differing lines are
// printed; with QUILL_REGENERATE_REFERENCES set the references are rewritten instead.
void TestColorEngine::referenceFiles() {
    QFETCH(QString, input);
    QFile file(input);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    Pass pass;
    TGridView view(text, int(text.count(u'\n')) + 2);
    pass.Run(view); // prepares the rules
    const QString actual = pass.Tagged(view);
    QString referencePath = input;
    referencePath.replace(QStringLiteral(".java"), QStringLiteral(".tagged"));
    if (qEnvironmentVariableIsSet("QUILL_REGENERATE_REFERENCES")) {
        QFile out(referencePath);
        QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(actual.toUtf8());
        return;
    }
    QFile reference(referencePath);
    QVERIFY2(reference.open(QIODevice::ReadOnly), qPrintable(referencePath));
    const QString expected = QString::fromUtf8(reference.readAll());
    if (actual != expected) {
        QFile out(referencePath + QStringLiteral(".new"));
        if (out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            out.write(actual.toUtf8());
        const QStringList a = actual.split(u'\n');
        const QStringList e = expected.split(u'\n');
        for (qsizetype i = 0; i < std::max(a.size(), e.size()); ++i) {
            if (a.value(i) != e.value(i))
                qWarning().noquote()
                    << "line" << i + 1 << "\n- " << e.value(i) << "\n+ " << a.value(i);
        }
    }
    QCOMPARE(actual, expected);
}

QTEST_GUILESS_MAIN(TestColorEngine)
#include "tst_colorengine.moc"
