// The colour rule, its derived tables, the rule collection and the editor's rule set.
#include "colormemo/CMParamFile.h"
#include "colormemo/ColorRuleOwner.h"
#include "colormemo/DrawRules.h"
#include "colormemo/EditorRules.h"

#include "common/Helpers.h"
#include "common/QuillError.h"

#include <QTest>

namespace {

class CountingOwner : public IColorRuleOwner {
public:
    void ColorRulesChanged() override { ++changes; }
    int changes = 0;
};

QStringList Keys(const TColorRule &rule) {
    QStringList keys;
    for (const TPreparedKeyword &keyword : rule.PreparedKeywords())
        keys.append(keyword.Text);
    return keys;
}

QList<TColor> KeyColors(const TColorRule &rule) {
    QList<TColor> colors;
    for (const TPreparedKeyword &keyword : rule.PreparedKeywords())
        colors.append(keyword.Color);
    return colors;
}

QStringList BeginKeys(const TColorRule &rule) {
    QStringList keys;
    for (const TBegEndEntry &entry : rule.BegEndTable())
        keys.append(entry.BeginKeyView().toString());
    return keys;
}

// The entries of the editor's keyword rules (rule name, entry), read from the rule
// parameters the program loads them from.
QList<QPair<QString, QString>> ExpectedEditorEntries() {
    QList<QPair<QString, QString>> entries;
    const std::unique_ptr<TCMParamList> params = EditorRuleParams();
    for (int i = 0; i < params->Count(); ++i) {
        const TCMParamList &rule = *params->Items(i);
        TCMStringList lines;
        lines.SetText(rule.ReadString(QStringLiteral("Keywords"), QString()));
        for (const QString &line : std::as_const(lines))
            entries.append({rule.ReadString(QStringLiteral("Name"), QString()), line});
    }
    return entries;
}

} // namespace

class TestColorRules : public QObject {
    Q_OBJECT
private slots:
    void newRuleValues();
    void displayNames_data();
    void displayNames();

    void keywordEntries_data();
    void keywordEntries();
    void keywordCaseFollowsKeyCaseAtPreparation();
    void begEndEntries_data();
    void begEndEntries();
    void lineEndEntries();
    void oneTableForBothLists();
    void tableRecordsAreReused();
    void colorsAreTakenAtPreparation();
    void inPlaceEditsReachTablesOnPrepare();
    void prepareResult_data();
    void prepareResult();
    void versionsChangeOnlyWithContent();
    void preparationFollowsEveryInput();
    void scanBufferGrowsAndNeverShrinks();

    void assignCopiesAllButSelColorAndIntChar();
    void assignFromOtherClassChangesNothing();

    void collectionOwnerAndNotifications();
    void collectionAssign();
    void prepareRulesAlternates();
    void prepareRulesWithoutEntriesPreparesEveryPass();
    void attributeInterface();

    void editorRuleProperties_data();
    void editorRuleProperties();
    void editorRuleEntries_data();
    void editorRuleEntries();
    void editorRuleParamsRoundTrip();
    void editorRulesPreparedTables();
};

void TestColorRules::newRuleValues() {
    const TColorRule rule;
    QCOMPARE(rule.ZOrder(), quint8(0));
    QCOMPARE(rule.IntChar(), QString());
    QVERIFY(rule.Keywords().isEmpty());
    QVERIFY(rule.KeyBegEndLst().isEmpty());
    QVERIFY(rule.KeyLineEndLst().isEmpty());
    QCOMPARE(rule.KeyMaxHeight(), 1);
    QCOMPARE(rule.KeyDrawingType(), dtBeginEnd);
    QCOMPARE(rule.KeyCase(), false);
    QCOMPARE(rule.Enabled(), true);
    QCOMPARE(rule.Bold(), false);
    QCOMPARE(rule.Italic(), false);
    QCOMPARE(rule.Underline(), false);
    QCOMPARE(rule.PartWord(), false);
    QCOMPARE(rule.DefKeyColor(), TColor(0x000000FF));
    QCOMPARE(rule.KeySelColor(), TColor(0x0000FFFF));
    QCOMPARE(rule.KeyBrushColor(), TColor(0xFF000005));
    QCOMPARE(rule.IsHotspot(), false);
    QCOMPARE(rule.IgnoreOtherRules(), false);
    QCOMPARE(rule.Name(), QString());
    QVERIFY(rule.PreparedKeywords().IsEmpty());
    QVERIFY(rule.BegEndTable().IsEmpty());
    QCOMPARE(rule.ScanBufferCapacity(), 0);
    QCOMPARE(rule.Owner(), nullptr);
    QCOMPARE(rule.Collection(), nullptr);
}

void TestColorRules::displayNames_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("displayName");
    QTest::addColumn<QString>("ident");
    QTest::newRow("0") << 0 << "Key Show"
                       << "dtKeyShow";
    QTest::newRow("1") << 1 << "Event Draw"
                       << "dtEventDraw";
    QTest::newRow("2") << 2 << "Begin - End"
                       << "dtBeginEnd";
    QTest::newRow("3") << 3 << "Begin - Line End"
                       << "dtBeginLineEnd";
    QTest::newRow("4") << 4 << "<Other type>"
                       << "";
    QTest::newRow("255") << 255 << "<Other type>"
                         << "";
}

void TestColorRules::displayNames() {
    QFETCH(int, kind);
    QFETCH(QString, displayName);
    QFETCH(QString, ident);
    TColorRule rule;
    rule.SetKeyDrawingType(static_cast<TKeyDrawingType>(kind));
    QCOMPARE(rule.GetDisplayName(), displayName);
    QCOMPARE(KeyDrawingTypeIdent(rule.KeyDrawingType()), ident);
}

void TestColorRules::keywordEntries_data() {
    QTest::addColumn<bool>("keyCase");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QList<TColor>>("colors");
    const TColor def = 0x00123456;
    QTest::newRow("colour field") << false << QStringList{"class;clRed"} << QStringList{"CLASS"}
                                  << QList<TColor>{0x000000FF};
    QTest::newRow("no colour field")
        << false << QStringList{"class"} << QStringList{"CLASS"} << QList<TColor>{def};
    QTest::newRow("case kept") << true << QStringList{"Class;navy"} << QStringList{"Class"}
                               << QList<TColor>{0x00800000};
    QTest::newRow("empty and blank lines skipped, colours stay with their keyword")
        << false << QStringList{"if;red", "", "  ", ";", "else;lime", "while"}
        << QStringList{"IF", "ELSE", "WHILE"} << QList<TColor>{0x000000FF, 0x0000FF00, def};
    QTest::newRow("blanks trimmed, literal semicolon")
        << true << QStringList{"  println ", "a;;b ; blue"} << QStringList{"println", "a;b"}
        << QList<TColor>{def, 0x00FF0000};
    QTest::newRow("leading empty field dropped")
        << true << QStringList{" ; x"} << QStringList{"x"} << QList<TColor>{def};
    QTest::newRow("doubled entries stay doubled")
        << true << QStringList{"Timer", "Timer"} << QStringList{"Timer", "Timer"}
        << QList<TColor>{def, def};
    QTest::newRow("letters beyond ASCII upper-cased without changing the length")
        << false << QStringList{QString::fromUtf8("größe")}
        << QStringList{QString::fromUtf8("GRÖßE")} << QList<TColor>{def};
}

void TestColorRules::keywordEntries() {
    QFETCH(bool, keyCase);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, keys);
    QFETCH(QList<TColor>, colors);
    TColorRule rule;
    rule.SetKeyCase(keyCase);
    rule.SetDefKeyColor(0x00123456);
    rule.SetKeywords(lines);
    QCOMPARE(rule.Keywords(), lines);
    QCOMPARE(Keys(rule), keys);
    QCOMPARE(KeyColors(rule), colors);
}

void TestColorRules::keywordCaseFollowsKeyCaseAtPreparation() {
    TColorRule rule;
    rule.SetKeyDrawingType(dtKeyShow);
    rule.SetKeywords({"Foo"});
    QCOMPARE(Keys(rule), QStringList{"FOO"});
    rule.SetKeyCase(true); // a plain store
    QCOMPARE(Keys(rule), QStringList{"FOO"});
    rule.Prepare();
    QCOMPARE(Keys(rule), QStringList{"Foo"});
}

void TestColorRules::begEndEntries_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("beginKeys");
    QTest::addColumn<QStringList>("endKeys");
    QTest::addColumn<QList<TColor>>("colors");
    const TColor def = 0x00123456;
    QTest::newRow("third field colours") << QStringList{"begin;end;clGreen"} << QStringList{"begin"}
                                         << QStringList{"end"} << QList<TColor>{0x00008000};
    QTest::newRow("without colour: DefKeyColor")
        << QStringList{"/*;*/"} << QStringList{"/*"} << QStringList{"*/"} << QList<TColor>{def};
    QTest::newRow("one field yields no record") << QStringList{"//", "(*;*)"} << QStringList{"(*"}
                                                << QStringList{"*)"} << QList<TColor>{def};
    QTest::newRow("keys cut to 6 characters, case kept")
        << QStringList{"BeginBlock;EndOfBlock;#0000FF"} << QStringList{"BeginB"}
        << QStringList{"EndOfB"} << QList<TColor>{0x00FF0000};
    QTest::newRow("literal semicolons in keys")
        << QStringList{";;x;y;;"} << QStringList{";x"} << QStringList{"y;"} << QList<TColor>{def};
    QTest::newRow("empty fields do not count") << QStringList{"a;;;;b", "a; ;b"} << QStringList{"a"}
                                               << QStringList{"b"} << QList<TColor>{def};
}

void TestColorRules::begEndEntries() {
    QFETCH(QStringList, lines);
    QFETCH(QStringList, beginKeys);
    QFETCH(QStringList, endKeys);
    QFETCH(QList<TColor>, colors);
    TColorRule rule;
    rule.SetDefKeyColor(0x00123456);
    rule.SetKeyBrushColor(0x00ABCDEF);
    rule.SetKeyBegEndLst(lines);
    QCOMPARE(rule.KeyBegEndLst(), lines);
    QCOMPARE(BeginKeys(rule), beginKeys);
    QStringList ends;
    QList<TColor> entryColors;
    for (const TBegEndEntry &entry : rule.BegEndTable()) {
        ends.append(entry.EndKeyView().toString());
        entryColors.append(entry.Color);
        QCOMPARE(entry.BrushColor, TColor(0x00ABCDEF));
        // Keys stay zero-terminated for scanners that walk them.
        QCOMPARE(entry.BeginKey[entry.BeginLength], QChar());
        QCOMPARE(entry.EndKey[entry.EndLength], QChar());
    }
    QCOMPARE(ends, endKeys);
    QCOMPARE(entryColors, colors);
}

void TestColorRules::lineEndEntries() {
    TColorRule rule;
    rule.SetDefKeyColor(0x00404080);
    rule.SetKeyLineEndLst({"//", "", "REM;;;x;navy", "#comment;purple;ignored"});
    QCOMPARE(BeginKeys(rule), (QStringList{"//", "REM;", "#comme"}));
    const TBegEndList &table = rule.BegEndTable();
    for (const TBegEndEntry &entry : table)
        QCOMPARE(entry.EndKeyView(), QStringView(u"\r\n"));
    QCOMPARE(table[0].Color, TColor(0x00404080));
    // "REM;;;x;navy": the fields are "REM;", "x", "navy": the second field is the colour.
    QCOMPARE(table[1].Color, clWhite);
    QCOMPARE(table[2].Color, TColor(0x00800080));
}

void TestColorRules::oneTableForBothLists() {
    TColorRule rule;
    rule.SetKeyBegEndLst({"{;}"});
    rule.SetKeyLineEndLst({"//"});
    QCOMPARE(BeginKeys(rule), QStringList{"//"});
    rule.SetKeyBegEndLst(rule.KeyBegEndLst()); // the rule's own list
    QCOMPARE(BeginKeys(rule), QStringList{"{"});
    QCOMPARE(rule.KeyBegEndLst(), QStringList{"{;}"});
    QCOMPARE(rule.KeyLineEndLst(), QStringList{"//"});
}

void TestColorRules::tableRecordsAreReused() {
    TColorRule rule;
    rule.SetKeyBegEndLst({"a;b", "c;d", "e;f"});
    QCOMPARE(rule.BegEndTable().Count(), 3);
    rule.SetKeyBegEndLst({"x;y"});
    QCOMPARE(rule.BegEndTable().Count(), 1);
    QCOMPARE(rule.BegEndTable().Capacity(), 3);
    QCOMPARE(BeginKeys(rule), QStringList{"x"});
    rule.SetKeyBegEndLst({});
    QVERIFY(rule.BegEndTable().IsEmpty());
    QCOMPARE(rule.BegEndTable().Capacity(), 3);
}

void TestColorRules::colorsAreTakenAtPreparation() {
    TColorRule rule;
    rule.SetKeyDrawingType(dtKeyShow);
    rule.Keywords() = QStringList{"if"};
    rule.KeyBegEndLst() = QStringList{"{;}"};
    rule.Prepare();
    rule.SetDefKeyColor(0x00010203);
    rule.SetKeyBrushColor(0x00040506);
    QCOMPARE(rule.PreparedKeywords()[0].Color, TColor(clRed));
    QCOMPARE(rule.BegEndTable()[0].BrushColor, clWindow);
    rule.Prepare();
    QCOMPARE(rule.PreparedKeywords()[0].Color, TColor(0x00010203));
    QCOMPARE(rule.BegEndTable()[0].Color, TColor(0x00010203));
    QCOMPARE(rule.BegEndTable()[0].BrushColor, TColor(0x00040506));
}

void TestColorRules::inPlaceEditsReachTablesOnPrepare() {
    TColorRule rule;
    rule.SetKeyDrawingType(dtKeyShow);
    rule.SetKeyCase(true);
    rule.SetKeywords({"if", "else"});
    rule.Keywords()[1] = QStringLiteral("while;red");
    rule.Keywords().append(QStringLiteral("for"));
    QCOMPARE(Keys(rule), (QStringList{"if", "else"}));
    rule.Prepare();
    QCOMPARE(Keys(rule), (QStringList{"if", "while", "for"}));
    QCOMPARE(KeyColors(rule), (QList<TColor>{clRed, clRed, clRed}));
    rule.Keywords().removeFirst();
    rule.Prepare();
    QCOMPARE(Keys(rule), (QStringList{"while", "for"}));
}

void TestColorRules::prepareResult_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("keywords");
    QTest::addColumn<QStringList>("begEnd");
    QTest::addColumn<QStringList>("lineEnd");
    QTest::addColumn<bool>("hasEntries");
    QTest::addColumn<int>("keywordCount");
    QTest::addColumn<QStringList>("tableKeys");
    const QStringList none;
    QTest::newRow("empty rule") << int(dtBeginEnd) << none << none << none << false << 0 << none;
    QTest::newRow("key show with keywords")
        << int(dtKeyShow) << QStringList{"if"} << none << none << true << 1 << none;
    QTest::newRow("key show, begin/end lines fill the table too")
        << int(dtKeyShow) << QStringList{"if"} << QStringList{"{;}"} << none << true << 1
        << QStringList{"{"};
    QTest::newRow("key show without keywords but with begin/end lines")
        << int(dtKeyShow) << none << QStringList{"{;}"} << none << true << 0 << QStringList{"{"};
    QTest::newRow("key show ignores line-end lines")
        << int(dtKeyShow) << none << none << QStringList{"//"} << false << 0 << none;
    QTest::newRow("lines count, not usable entries")
        << int(dtKeyShow) << QStringList{"", " ; "} << none << none << true << 0 << none;
    QTest::newRow("begin-end") << int(dtBeginEnd) << QStringList{"if"} << QStringList{"{;}"}
                               << QStringList{"//"} << true << 0 << QStringList{"{"};
    QTest::newRow("begin-end with one-field line counts")
        << int(dtBeginEnd) << none << QStringList{"//"} << none << true << 0 << none;
    QTest::newRow("begin-end ignores keywords")
        << int(dtBeginEnd) << QStringList{"if"} << none << none << false << 0 << none;
    QTest::newRow("line end: the line-end entries replace the begin/end ones")
        << int(dtBeginLineEnd) << none << QStringList{"{;}"} << QStringList{"//"} << true << 0
        << QStringList{"//"};
    QTest::newRow("line end with begin/end lines only")
        << int(dtBeginLineEnd) << none << QStringList{"{;}"} << none << true << 0 << none;
    QTest::newRow("event draw") << int(dtEventDraw) << QStringList{"if"} << none
                                << QStringList{"//"} << false << 0 << none;
    QTest::newRow("event draw with begin/end lines")
        << int(dtEventDraw) << none << QStringList{"{;}"} << none << true << 0 << QStringList{"{"};
}

void TestColorRules::prepareResult() {
    QFETCH(int, kind);
    QFETCH(QStringList, keywords);
    QFETCH(QStringList, begEnd);
    QFETCH(QStringList, lineEnd);
    QFETCH(bool, hasEntries);
    QFETCH(int, keywordCount);
    QFETCH(QStringList, tableKeys);
    TColorRule rule;
    rule.SetKeyDrawingType(static_cast<TKeyDrawingType>(kind));
    rule.Keywords() = keywords;
    rule.KeyBegEndLst() = begEnd;
    rule.KeyLineEndLst() = lineEnd;
    QCOMPARE(rule.Prepare(), hasEntries);
    QCOMPARE(rule.PreparedKeywords().Count(), keywordCount);
    QCOMPARE(BeginKeys(rule), tableKeys);
}

void TestColorRules::versionsChangeOnlyWithContent() {
    TColorRule rule;
    rule.SetKeyDrawingType(dtKeyShow);
    rule.Keywords() = QStringList{"a", "b"};
    rule.Prepare();
    const quint32 keywordVersion = rule.PreparedKeywordsVersion();
    rule.Prepare();
    QCOMPARE(rule.PreparedKeywordsVersion(), keywordVersion);
    rule.Keywords()[1] = QStringLiteral("c");
    rule.Prepare();
    QVERIFY(rule.PreparedKeywordsVersion() != keywordVersion);
    const quint32 afterEdit = rule.PreparedKeywordsVersion();
    rule.Keywords().removeLast();
    rule.Prepare();
    QVERIFY(rule.PreparedKeywordsVersion() != afterEdit);
    const quint32 afterRemove = rule.PreparedKeywordsVersion();
    rule.Keywords().append(QStringLiteral("c"));
    rule.Prepare(); // a record that was kept for reuse holds "c" already: still a change
    QVERIFY(rule.PreparedKeywordsVersion() != afterRemove);
}

void TestColorRules::preparationFollowsEveryInput() {
    TColorRule rule;
    rule.SetKeyDrawingType(dtKeyShow);
    rule.Keywords() = QStringList{"Key"};
    rule.KeyBegEndLst() = QStringList{"{;}"};
    rule.KeyLineEndLst() = QStringList{"//"};
    rule.Prepare();
    QCOMPARE(Keys(rule), QStringList{"KEY"});
    QCOMPARE(BeginKeys(rule), QStringList{"{"});

    // A direct write of the shared table (from the rule's own, unchanged list) is undone by
    // the next preparation.
    rule.SetKeyLineEndLst(rule.KeyLineEndLst());
    QCOMPARE(BeginKeys(rule), QStringList{"//"});
    rule.Prepare();
    QCOMPARE(BeginKeys(rule), QStringList{"{"});

    rule.SetKeyCase(true);
    rule.Prepare();
    QCOMPARE(Keys(rule), QStringList{"Key"});

    rule.SetKeyBrushColor(0x00111111);
    rule.Prepare();
    QCOMPARE(rule.BegEndTable()[0].BrushColor, TColor(0x00111111));

    rule.SetDefKeyColor(0x00222222);
    rule.Prepare();
    QCOMPARE(rule.PreparedKeywords()[0].Color, TColor(0x00222222));
    QCOMPARE(rule.BegEndTable()[0].Color, TColor(0x00222222));

    rule.SetKeyDrawingType(dtBeginLineEnd);
    rule.Prepare();
    QCOMPARE(BeginKeys(rule), QStringList{"//"});

    rule.KeyLineEndLst()[0] = QStringLiteral("--");
    rule.Prepare();
    QCOMPARE(BeginKeys(rule), QStringList{"--"});

    rule.SetKeyDrawingType(dtBeginEnd);
    rule.KeyBegEndLst().append(QStringLiteral("(*;*)"));
    rule.Prepare();
    QCOMPARE(BeginKeys(rule), (QStringList{"{", "(*"}));

    rule.SetKeyDrawingType(dtKeyShow);
    QStringList copy = rule.Keywords(); // a copy elsewhere does not hide later edits
    rule.Keywords()[0] = QStringLiteral("Other");
    rule.Prepare();
    QCOMPARE(Keys(rule), QStringList{"Other"});
    QCOMPARE(copy, QStringList{"Key"});
}

void TestColorRules::scanBufferGrowsAndNeverShrinks() {
    TColorRule rule;
    QChar *buffer = rule.ScanBuffer(100);
    QVERIFY(buffer);
    QCOMPARE(rule.ScanBufferCapacity(), 101);
    buffer[100] = u'x'; // the terminating position is usable
    QCOMPARE(rule.ScanBuffer(10), buffer);
    QCOMPARE(rule.ScanBufferCapacity(), 101);
    rule.ScanBuffer(500);
    QCOMPARE(rule.ScanBufferCapacity(), 501);
    rule.ScanBuffer(0);
    QCOMPARE(rule.ScanBufferCapacity(), 501);
}

void TestColorRules::assignCopiesAllButSelColorAndIntChar() {
    TColorRule source;
    source.SetName(QStringLiteral("java"));
    source.SetIsHotspot(true);
    source.SetKeyDrawingType(dtKeyShow);
    source.SetZOrder(7);
    source.SetKeyMaxHeight(12);
    source.SetKeyCase(true);
    source.SetEnabled(false);
    source.SetPartWord(true);
    source.SetDefKeyColor(0x00112233);
    source.SetKeyBrushColor(0x00445566);
    source.SetUnderline(true);
    source.SetBold(true);
    source.SetItalic(true);
    source.SetIgnoreOtherRules(true);
    source.SetKeySelColor(0x00010101);
    source.SetIntChar(QStringLiteral("abc"));
    source.Keywords() = QStringList{"Foo", "bar;red"};
    source.KeyBegEndLst() = QStringList{"{;}"};
    source.KeyLineEndLst() = QStringList{"//"};

    TColorRule target;
    target.SetKeySelColor(0x00020202);
    target.SetIntChar(QStringLiteral("own"));
    target.Assign(source);
    QCOMPARE(target.Name(), QStringLiteral("java"));
    QCOMPARE(target.IsHotspot(), true);
    QCOMPARE(target.KeyDrawingType(), dtKeyShow);
    QCOMPARE(target.ZOrder(), quint8(7));
    QCOMPARE(target.KeyMaxHeight(), 12);
    QCOMPARE(target.KeyCase(), true);
    QCOMPARE(target.Enabled(), false);
    QCOMPARE(target.PartWord(), true);
    QCOMPARE(target.DefKeyColor(), TColor(0x00112233));
    QCOMPARE(target.KeyBrushColor(), TColor(0x00445566));
    QCOMPARE(target.Underline(), true);
    QCOMPARE(target.Bold(), true);
    QCOMPARE(target.Italic(), true);
    QCOMPARE(target.IgnoreOtherRules(), true);
    QCOMPARE(target.Keywords(), source.Keywords());
    QCOMPARE(target.KeyBegEndLst(), source.KeyBegEndLst());
    QCOMPARE(target.KeyLineEndLst(), source.KeyLineEndLst());
    QCOMPARE(target.KeySelColor(), TColor(0x00020202));
    QCOMPARE(target.IntChar(), QStringLiteral("own"));
    // The lists went through their property writes after the flags and colours were copied:
    // keywords keep their case, and the begin/end list was written last.
    QCOMPARE(Keys(target), (QStringList{"Foo", "bar"}));
    QCOMPARE(KeyColors(target), (QList<TColor>{0x00112233, clRed}));
    QCOMPARE(BeginKeys(target), QStringList{"{"});
    QCOMPARE(target.BegEndTable()[0].BrushColor, TColor(0x00445566));

    target.Assign(target); // assigning a rule to itself changes nothing
    QCOMPARE(target.Keywords(), source.Keywords());
}

void TestColorRules::assignFromOtherClassChangesNothing() {
    TColorRule rule;
    rule.SetName(QStringLiteral("keep"));
    rule.SetKeywords({"if"});
    TDrawRules rules;
    try {
        rule.Assign(rules);
        QFAIL("assigning a collection to a rule must fail");
    } catch (const QuillError &error) {
        QVERIFY(error.message().contains(QStringLiteral("TDrawRules")));
        QVERIFY(error.message().contains(QStringLiteral("TColorRule")));
    }
    QCOMPARE(rule.Name(), QStringLiteral("keep"));
    QCOMPARE(Keys(rule), QStringList{"IF"});

    rules.Add()->SetName(QStringLiteral("first"));
    QVERIFY_THROWS_EXCEPTION(QuillError, rules.Assign(rule));
    QCOMPARE(rules.Count(), 1);
    QCOMPARE(rules.Items(0)->Name(), QStringLiteral("first"));
}

void TestColorRules::collectionOwnerAndNotifications() {
    CountingOwner owner;
    TDrawRules rules(&owner);
    QVERIFY(rules.PrepareFlag());
    TColorRule *rule = rules.Add();
    QCOMPARE(rule->Owner(), &owner);
    QCOMPARE(rule->Collection(), &rules);
    QCOMPARE(rules.IndexOf(rule), 0);
    QCOMPARE(owner.changes, 1);
    rules.Add();
    rules.Delete(0);
    QCOMPARE(rules.Count(), 1);
    rules.Delete(5); // an invalid position does nothing
    QCOMPARE(rules.Count(), 1);
    rules.Clear();
    QCOMPARE(rules.Count(), 0);
    QCOMPARE(owner.changes, 4);
}

void TestColorRules::collectionAssign() {
    CountingOwner owner;
    TDrawRules source;
    SetEditorColorRules(source);
    source.Items(1)->SetKeySelColor(0x00000001);
    TDrawRules rules(&owner);
    rules.Add()->SetName(QStringLiteral("old"));
    rules.Assign(source);
    QCOMPARE(rules.Count(), 4);
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(rules.Items(i)->Name(), source.Items(i)->Name());
        QCOMPARE(rules.Items(i)->Keywords(), source.Items(i)->Keywords());
        QCOMPARE(rules.Items(i)->Owner(), &owner);
        QCOMPARE(rules.Items(i)->Collection(), &rules);
        QVERIFY(rules.Items(i) != source.Items(i));
    }
    // The copies are new rules assigned from the originals: KeySelColor is not copied.
    QCOMPARE(rules.Items(1)->KeySelColor(), clYellow);
    // Copied through the property writes, so the tables are ready at once.
    QCOMPARE(rules.Items(2)->PreparedKeywords().Count(), 129);
    rules.Assign(rules);
    QCOMPARE(rules.Count(), 4);
}

void TestColorRules::prepareRulesAlternates() {
    TDrawRules rules;
    TColorRule *empty = rules.Add();
    TColorRule *keywords = rules.Add();
    keywords->SetKeyDrawingType(dtKeyShow);
    keywords->Keywords() = QStringList{"if"};
    keywords->SetEnabled(false);     // disabled rules are prepared too
    TColorRule *later = rules.Add(); // and rules after one with entries
    later->SetKeyDrawingType(dtBeginEnd);
    later->KeyBegEndLst() = QStringList{"{;}"};

    // Pass by pass: whether the pass prepared (observed through a colour change made
    // before it) and the flag after it.
    const QList<bool> prepared{true, false, true, false, true};
    for (int pass = 0; pass < prepared.size(); ++pass) {
        const TColor color = TColor(0x00100000 + pass);
        keywords->SetDefKeyColor(color);
        later->SetDefKeyColor(color);
        QCOMPARE(rules.PrepareFlag(), prepared[pass]);
        rules.PrepareRules();
        QCOMPARE(keywords->PreparedKeywords().At(0).Color == color, prepared[pass]);
        QCOMPARE(later->BegEndTable().At(0).Color == color, prepared[pass]);
        QCOMPARE(rules.PrepareFlag(), !prepared[pass]);
    }
    QVERIFY(empty->PreparedKeywords().IsEmpty());

    // Once the entries are gone, every pass prepares again after the next prepared pass.
    keywords->Keywords().clear();
    later->KeyBegEndLst().clear();
    rules.PrepareRules(); // flag was clear: nothing prepared, flag set
    QVERIFY(rules.PrepareFlag());
    QCOMPARE(keywords->PreparedKeywords().Count(), 1);
    rules.PrepareRules();
    QVERIFY(rules.PrepareFlag());
    QCOMPARE(keywords->PreparedKeywords().Count(), 0);
    rules.PrepareRules();
    QVERIFY(rules.PrepareFlag());
}

void TestColorRules::prepareRulesWithoutEntriesPreparesEveryPass() {
    TDrawRules rules;
    rules.PrepareRules();
    QVERIFY(rules.PrepareFlag());
    TColorRule *rule = rules.Add();
    rule->SetKeyDrawingType(dtKeyShow);
    rule->KeyLineEndLst() = QStringList{"//"}; // not counted for a keyword rule
    for (int pass = 0; pass < 3; ++pass) {
        rules.PrepareRules();
        QVERIFY(rules.PrepareFlag());
    }
    QCOMPARE(BeginKeys(*rule), QStringList());
    // A line appears: the next pass prepares it and the alternation begins.
    rule->Keywords().append(QStringLiteral("x"));
    rules.PrepareRules();
    QVERIFY(!rules.PrepareFlag());
    QCOMPARE(Keys(*rule), QStringList{"X"});
}

void TestColorRules::attributeInterface() {
    TDrawRules rules;
    SetEditorColorRules(rules);
    TColorRule *unnamed = rules.Add();
    unnamed->SetEnabled(false);
    unnamed->SetZOrder(200);
    TColorRule *other = rules.Add();
    other->SetKeyDrawingType(dtEventDraw);

    QCOMPARE(rules.GetAttrCount(), 4);
    QCOMPARE(rules.GetAttr(0), QStringLiteral("Name"));
    QCOMPARE(rules.GetAttr(1), QStringLiteral("Type"));
    QCOMPARE(rules.GetAttr(2), QStringLiteral("Enabled"));
    QCOMPARE(rules.GetAttr(3), QStringLiteral("Z-Order"));
    QCOMPARE(rules.GetAttr(4), QString());
    QCOMPARE(rules.GetAttr(-1), QString());

    QCOMPARE(rules.GetItemAttr(0, 0), QStringLiteral("Operatoren"));
    QCOMPARE(rules.GetItemAttr(1, 0), QStringLiteral("dtKeyShow"));
    QCOMPARE(rules.GetItemAttr(1, 3), QStringLiteral("dtBeginLineEnd"));
    QCOMPARE(rules.GetItemAttr(1, 4), QStringLiteral("dtBeginEnd"));
    QCOMPARE(rules.GetItemAttr(1, 5), QStringLiteral("dtEventDraw"));
    QCOMPARE(rules.GetItemAttr(2, 0), QStringLiteral("True"));
    QCOMPARE(rules.GetItemAttr(3, 3), QStringLiteral("3"));
    QCOMPARE(rules.GetItemAttr(0, 4), QStringLiteral("Unnamed"));
    QCOMPARE(rules.GetItemAttr(2, 4), QStringLiteral("False"));
    QCOMPARE(rules.GetItemAttr(3, 4), QStringLiteral("200"));
    QCOMPARE(rules.GetItemAttr(4, 0), QString());
    QCOMPARE(rules.GetItemAttr(0, 6), QString()); // no such rule
    QCOMPARE(rules.GetItemAttr(0, -1), QString());
}

void TestColorRules::editorRuleProperties_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("zOrder");
    QTest::addColumn<bool>("keyCase");
    QTest::addColumn<TColor>("defKeyColor");
    QTest::addColumn<bool>("ignoreOtherRules");
    QTest::addColumn<int>("maxHeight");
    QTest::addColumn<int>("keywordCount");
    QTest::addColumn<QStringList>("begEnd");
    QTest::addColumn<QStringList>("lineEnd");
    QTest::newRow("Operatoren") << 0 << "Operatoren" << int(dtKeyShow) << 0 << false
                                << TColor(0x000000FF) << true << 1 << 13 << QStringList()
                                << QStringList();
    QTest::newRow("klassen") << 1 << "klassen" << int(dtKeyShow) << 1 << true << TColor(16711808)
                             << false << 1 << 209 << QStringList() << QStringList();
    QTest::newRow("java") << 2 << "java" << int(dtKeyShow) << 2 << true << TColor(0x00FF0000)
                          << false << 1 << 129 << QStringList() << QStringList();
    QTest::newRow("Kommentar") << 3 << "Kommentar" << int(dtBeginLineEnd) << 3 << false
                               << TColor(4210816) << true << 500 << 0 << QStringList{"//"}
                               << QStringList{"//"};
}

void TestColorRules::editorRuleProperties() {
    QFETCH(int, position);
    TDrawRules rules;
    rules.Add()->SetName(QStringLiteral("replaced"));
    SetEditorColorRules(rules);
    QCOMPARE(rules.Count(), 4);
    const TColorRule *rule = rules.Items(position);
    QTEST(rule->Name(), "name");
    QTEST(int(rule->KeyDrawingType()), "kind");
    QTEST(int(rule->ZOrder()), "zOrder");
    QTEST(rule->KeyCase(), "keyCase");
    QTEST(rule->DefKeyColor(), "defKeyColor");
    QTEST(rule->IgnoreOtherRules(), "ignoreOtherRules");
    QTEST(rule->KeyMaxHeight(), "maxHeight");
    QTEST(int(rule->Keywords().size()), "keywordCount");
    QTEST(QStringList(rule->KeyBegEndLst()), "begEnd");
    QTEST(QStringList(rule->KeyLineEndLst()), "lineEnd");
    QCOMPARE(rule->Enabled(), true);
    QCOMPARE(rule->IsHotspot(), false);
    QCOMPARE(rule->PartWord(), false);
    QCOMPARE(rule->Bold(), false);
    QCOMPARE(rule->Italic(), false);
    QCOMPARE(rule->Underline(), false);
    QCOMPARE(rule->KeyBrushColor(), clWindow);
    QCOMPARE(rule->KeySelColor(), TColor(0x0000FFFF));
    QCOMPARE(rule->IntChar(), QString());
    // Filled in place: the tables wait for the first colouring pass.
    QVERIFY(rule->PreparedKeywords().IsEmpty());
    QVERIFY(rule->BegEndTable().IsEmpty());
}

void TestColorRules::editorRuleEntries_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("entry");
    const QStringList names{"Operatoren", "klassen", "java"};
    QList<int> counts(3, 0);
    for (const auto &[name, entry] : ExpectedEditorEntries()) {
        const int position = int(names.indexOf(name));
        QVERIFY(position >= 0);
        const int index = counts[position]++;
        QTest::addRow("%s %d %s", qPrintable(name), index, qPrintable(entry))
            << position << index << entry;
    }
    // The lists are complete: no entry more and none less than the rule set has.
    QCOMPARE(counts, (QList<int>{13, 209, 129}));
}

void TestColorRules::editorRuleEntries() {
    QFETCH(int, position);
    QFETCH(int, index);
    QFETCH(QString, entry);
    TDrawRules rules;
    SetEditorColorRules(rules);
    const TCMStringList &keywords = rules.Items(position)->Keywords();
    QVERIFY(index < keywords.size());
    QCOMPARE(keywords[index], entry);
}

void TestColorRules::editorRuleParamsRoundTrip() {
    // The rule set is stored as a rule writes itself: loading and saving again gives the
    // same parameters.
    const std::unique_ptr<TCMParamList> params = EditorRuleParams();
    QCOMPARE(params->Count(), 4);
    for (int i = 0; i < params->Count(); ++i) {
        TColorRule rule;
        rule.LoadFromParams(*params->Items(i));
        TCMParamList saved;
        rule.SaveToParams(saved);
        QStringList expected;
        QStringList actual;
        params->Items(i)->SaveToStrings(expected, QString());
        saved.SaveToStrings(actual, QString());
        QCOMPARE(actual, expected);
    }
    // Blanks at the ends of entries are kept as stored.
    TDrawRules rules;
    SetEditorColorRules(rules);
    for (const char *entry : {"TableColumn ", "TitledBorder ", "VariableHeightLayoutCache ",
                              "ViewportLayout ", "WeakHashMap ", "ZoneView "})
        QVERIFY2(rules.Items(1)->Keywords().contains(QLatin1String(entry)), entry);
    QVERIFY(rules.Items(2)->Keywords().contains(QStringLiteral(" println")));
    QCOMPARE(rules.Items(0)->Keywords().first(), QStringLiteral("="));
    QCOMPARE(rules.Items(2)->Keywords().last(), QStringLiteral("writeShort"));
}

void TestColorRules::editorRulesPreparedTables() {
    TDrawRules rules;
    SetEditorColorRules(rules);
    const QList<QPair<QString, QString>> expected = ExpectedEditorEntries();
    rules.PrepareRules();
    QVERIFY(!rules.PrepareFlag());
    const QStringList names{"Operatoren", "klassen", "java"};
    for (int position = 0; position < 3; ++position) {
        const TColorRule *rule = rules.Items(position);
        QStringList keys;
        for (const auto &[name, entry] : expected) {
            if (name == names[position])
                keys.append(rule->KeyCase() ? entry.trimmed() : UpperCaseChars(entry.trimmed()));
        }
        QCOMPARE(Keys(*rule), keys);
        QCOMPARE(KeyColors(*rule), QList<TColor>(keys.size(), rule->DefKeyColor()));
        QVERIFY(rule->BegEndTable().IsEmpty());
    }
    // Entries with blanks inside the quotes are trimmed by splitting; doubled ones stay.
    QCOMPARE(Keys(*rules.Items(2)).count(QStringLiteral("println")), 1);
    QCOMPARE(Keys(*rules.Items(2)).count(QStringLiteral("setLocation")), 2);
    QCOMPARE(Keys(*rules.Items(1)).count(QStringLiteral("TableColumn")), 1);
    QCOMPARE(Keys(*rules.Items(1)).count(QStringLiteral("Timer")), 2);

    const TColorRule *comment = rules.Items(3);
    QCOMPARE(comment->BegEndTable().Count(), 1);
    const TBegEndEntry &entry = comment->BegEndTable()[0];
    QCOMPARE(entry.BeginKeyView(), QStringView(u"//"));
    QCOMPARE(entry.EndKeyView(), QStringView(u"\r\n"));
    QCOMPARE(entry.Color, TColor(0x00404080));
    QCOMPARE(entry.BrushColor, clWindow);

    // The host writes its colours directly; they arrive with the next prepared pass.
    rules.Items(3)->SetDefKeyColor(0x00008000);
    rules.PrepareRules();
    QCOMPARE(comment->BegEndTable()[0].Color, TColor(0x00404080));
    rules.PrepareRules();
    QCOMPARE(comment->BegEndTable()[0].Color, TColor(0x00008000));
}

QTEST_GUILESS_MAIN(TestColorRules)
#include "tst_colorrules.moc"
