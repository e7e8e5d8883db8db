// The typed parameter list, its text form, and the transfer of colour rules through it.
#include "colormemo/CMParamFile.h"
#include "colormemo/ColorRule.h"
#include "colormemo/DrawRules.h"
#include "colormemo/EditorRules.h"

#include "common/QuillError.h"

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QTest>

#include <functional>

namespace {

QStringList TextForm(const TCMParamList &node, const QString &indent = QString()) {
    QStringList lines;
    node.SaveToStrings(lines, indent);
    return lines;
}

QStringList ReadReference(const QString &name) {
    QFile file(QStringLiteral(QUILL_TEST_DATA "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return {QStringLiteral("<missing reference %1>").arg(file.fileName())};
    QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// Compares with a reference file; on a mismatch the actual text is written beside the test
// program for review, and the first differing line is reported. With QUILL_UPDATE_REFERENCES
// set, the reference itself is rewritten instead (review the diff before committing).
void CompareWithReference(const QStringList &actual, const QString &name) {
    const QStringList expected = ReadReference(name);
    if (actual == expected)
        return;
    if (qEnvironmentVariableIsSet("QUILL_UPDATE_REFERENCES")) {
        QFile reference(QStringLiteral(QUILL_TEST_DATA "/") + name);
        QVERIFY(reference.open(QIODevice::WriteOnly));
        reference.write((actual.join(u'\n') + u'\n').toUtf8());
        return;
    }
    QFile out(QCoreApplication::applicationDirPath() + u'/' + name + QStringLiteral(".actual"));
    if (out.open(QIODevice::WriteOnly))
        out.write((actual.join(u'\n') + u'\n').toUtf8());
    for (qsizetype i = 0; i < qMax(actual.size(), expected.size()); ++i) {
        const QString a = i < actual.size() ? actual[i] : QStringLiteral("<none>");
        const QString e = i < expected.size() ? expected[i] : QStringLiteral("<none>");
        if (a != e)
            QFAIL(qPrintable(QStringLiteral("line %1 differs (written to %2)\n   actual: [%3]\n"
                                            " expected: [%4]")
                                 .arg(i + 1)
                                 .arg(out.fileName(), a, e)));
    }
}

// A rule with every property drawn at random; lines may hold quotes, semicolons, blanks and
// letters beyond ASCII, but no line breaks.
void RandomRule(QRandomGenerator &random, TColorRule &rule) {
    const QString alphabet = QString::fromUtf8("abcXYZ09 ;'\",<>=$#äß\t");
    auto text = [&](int maxLength) {
        QString s;
        const int n = int(random.bounded(maxLength + 1));
        for (int i = 0; i < n; ++i)
            s += alphabet[random.bounded(int(alphabet.size()))];
        return s;
    };
    auto lines = [&] {
        QStringList result;
        const int n = int(random.bounded(5));
        for (int i = 0; i < n; ++i)
            result.append(text(8));
        return result;
    };
    auto flag = [&] { return random.bounded(2) == 1; };
    // Colours: often the new-rule value, else anything, system colours included.
    auto color = [&](TColor usual) {
        switch (random.bounded(3)) {
        case 0:
            return usual;
        case 1:
            return TColor(0xFF000000u | random.bounded(32));
        default:
            return TColor(random.generate());
        }
    };
    rule.SetKeyDrawingType(static_cast<TKeyDrawingType>(random.bounded(4)));
    rule.SetName(text(6));
    rule.SetZOrder(random.bounded(2) ? 0 : quint8(random.bounded(256)));
    rule.SetKeyMaxHeight(random.bounded(2) ? 1 : int(random.generate()));
    rule.SetDefKeyColor(color(clRed));
    rule.SetKeySelColor(color(clYellow));
    rule.SetKeyBrushColor(color(clWindow));
    rule.Keywords() = lines();
    rule.KeyBegEndLst() = lines();
    rule.KeyLineEndLst() = lines();
    rule.SetEnabled(flag());
    rule.SetKeyCase(flag());
    rule.SetPartWord(flag());
    rule.SetBold(flag());
    rule.SetItalic(flag());
    rule.SetUnderline(flag());
    rule.SetIgnoreOtherRules(flag());
    rule.SetIsHotspot(flag());
    rule.SetIntChar(text(3));
}

struct RuleProperty {
    const char *param; // the parameter that carries it
    std::function<QVariant(const TColorRule &)> value;
};

const QList<RuleProperty> &TransferredProperties() {
    static const QList<RuleProperty> properties{
        {"KeyDrawingType", [](const TColorRule &r) { return int(r.KeyDrawingType()); }},
        {"Name", [](const TColorRule &r) { return r.Name(); }},
        {"ZOrder", [](const TColorRule &r) { return int(r.ZOrder()); }},
        {"MaxHeight", [](const TColorRule &r) { return r.KeyMaxHeight(); }},
        {"DefKeyColor", [](const TColorRule &r) { return r.DefKeyColor(); }},
        {"KeySelColor", [](const TColorRule &r) { return r.KeySelColor(); }},
        {"KeyBrushColor", [](const TColorRule &r) { return r.KeyBrushColor(); }},
        {"Keywords", [](const TColorRule &r) { return QStringList(r.Keywords()); }},
        {"KeyBegEndLst", [](const TColorRule &r) { return QStringList(r.KeyBegEndLst()); }},
        {"KeyLineEndLst", [](const TColorRule &r) { return QStringList(r.KeyLineEndLst()); }},
        {"Enabled", [](const TColorRule &r) { return r.Enabled(); }},
        {"KeyCase", [](const TColorRule &r) { return r.KeyCase(); }},
        {"PartWord", [](const TColorRule &r) { return r.PartWord(); }},
        {"Bold", [](const TColorRule &r) { return r.Bold(); }},
        {"Italic", [](const TColorRule &r) { return r.Italic(); }},
        {"Underline", [](const TColorRule &r) { return r.Underline(); }},
        {"Ignore", [](const TColorRule &r) { return r.IgnoreOtherRules(); }},
    };
    return properties;
}

} // namespace

class TestCMParamFile : public QObject {
    Q_OBJECT
private slots:
    void namesMatchWithoutCase();
    void firstChildWins();
    void writeReplacesOtherKind();
    void paramOfClassAcceptsDerivedClasses();
    void readsOfOtherKindGiveDefault();
    void deleteAndClear();
    void valueText();
    void textForm_data();
    void textForm();
    void nestedListMatchesReference();

    void defaultRuleWritesOnlyItsKind();
    void saveWritesOnlyDifferences();
    void roundTripOverGeneratedRules();
    void loadKind_data();
    void loadKind();
    void loadZOrderOutOfRange_data();
    void loadZOrderOutOfRange();
    void loadReplacesListsInPlace();
    void loadIgnoresParametersOfOtherKinds();
};

void TestCMParamFile::namesMatchWithoutCase() {
    TCMParamList list;
    list.WriteInteger(QStringLiteral("ZOrder"), 2);
    QVERIFY(list.FindParam(QStringLiteral("zorder")));
    QCOMPARE(list.ReadInteger(QStringLiteral("ZORDER"), 0), 2);
    list.WriteInteger(QStringLiteral("zorder"), 3);
    QCOMPARE(list.Count(), 1);
    QCOMPARE(list.Items(0)->Name(), QStringLiteral("ZOrder"));
    QCOMPARE(list.ReadInteger(QStringLiteral("ZOrder"), 0), 3);
    // Only a to z are folded.
    list.WriteBool(QString::fromUtf8("ä"), true);
    QVERIFY(!list.FindParam(QString::fromUtf8("Ä")));
    QVERIFY(!list.FindParam(QStringLiteral("ZOrde")));
    QVERIFY(!list.FindParam(QStringLiteral("ZOrders")));
}

void TestCMParamFile::firstChildWins() {
    TCMParamList list;
    list.Add<TCMIntegerParam>(QStringLiteral("n"))->SetValue(1);
    list.Add<TCMIntegerParam>(QStringLiteral("N"))->SetValue(2);
    QCOMPARE(list.ReadInteger(QStringLiteral("n"), 0), 1);
    list.WriteInteger(QStringLiteral("N"), 5);
    QCOMPARE(static_cast<TCMIntegerParam *>(list.Items(0))->Value(), 5);
    QCOMPARE(static_cast<TCMIntegerParam *>(list.Items(1))->Value(), 2);
}

void TestCMParamFile::writeReplacesOtherKind() {
    TCMParamList list;
    list.WriteString(QStringLiteral("Name"), QStringLiteral("java"));
    list.WriteInteger(QStringLiteral("Name"), 7);
    QCOMPARE(list.Count(), 1);
    QVERIFY(dynamic_cast<TCMIntegerParam *>(list.Items(0)));
    QCOMPARE(list.ReadString(QStringLiteral("Name"), QStringLiteral("default")),
             QStringLiteral("default"));
    QCOMPARE(list.ReadInteger(QStringLiteral("Name"), 0), 7);

    // Every child of another kind under the name goes; one of the asked kind further on stays.
    TCMParamList mixed;
    mixed.Add<TCMStringParam>(QStringLiteral("a"));
    mixed.Add<TCMBoolParam>(QStringLiteral("b"));
    mixed.Add<TCMBoolParam>(QStringLiteral("A"));
    mixed.Add<TCMIntegerParam>(QStringLiteral("a"))->SetValue(9);
    mixed.WriteInteger(QStringLiteral("a"), 10);
    QCOMPARE(mixed.Count(), 2);
    QCOMPARE(mixed.Items(0)->Name(), QStringLiteral("b"));
    QCOMPARE(static_cast<TCMIntegerParam *>(mixed.Items(1))->Value(), 10);

    // With none left, the new child is appended at the end.
    TCMParamList order;
    order.WriteBool(QStringLiteral("x"), true);
    order.WriteBool(QStringLiteral("y"), true);
    order.WriteIdent(QStringLiteral("x"), QStringLiteral("id"));
    QCOMPARE(order.Items(0)->Name(), QStringLiteral("y"));
    QCOMPARE(order.Items(1)->ValueText(), QStringLiteral("id"));
}

void TestCMParamFile::paramOfClassAcceptsDerivedClasses() {
    TCMParamList list;
    list.WriteBool(QStringLiteral("x"), true);
    TCMParamList *any = list.ParamOfClass<TCMParamList>(QStringLiteral("X"));
    QCOMPARE(any, list.Items(0));
    QCOMPARE(list.Count(), 1);
    TCMParamList *sub = list.ParamOfClass<TCMParamList>(QStringLiteral("sub"));
    QCOMPARE(list.Count(), 2);
    sub->WriteInteger(QStringLiteral("deep"), 4);
    QCOMPARE(list.Items(1)->Count(), 1);
}

void TestCMParamFile::readsOfOtherKindGiveDefault() {
    TCMParamList list;
    list.WriteIdent(QStringLiteral("ident"), QStringLiteral("dtKeyShow"));
    list.WriteString(QStringLiteral("string"), QStringLiteral("text"));
    list.WriteInteger(QStringLiteral("int"), 5);
    list.WriteBool(QStringLiteral("bool"), true);
    list.ParamOfClass<TCMParamList>(QStringLiteral("list"));
    const QString def = QStringLiteral("def");
    QCOMPARE(list.ReadString(QStringLiteral("ident"), def), def);
    QCOMPARE(list.ReadIdent(QStringLiteral("string"), def), def);
    QCOMPARE(list.ReadIdent(QStringLiteral("list"), def), def);
    QCOMPARE(list.ReadInteger(QStringLiteral("bool"), -1), -1);
    QCOMPARE(list.ReadBool(QStringLiteral("int"), false), false);
    QCOMPARE(list.ReadBool(QStringLiteral("missing"), true), true);
    QCOMPARE(list.ReadIdent(QStringLiteral("ident"), def), QStringLiteral("dtKeyShow"));
    QCOMPARE(list.ReadString(QStringLiteral("string"), def), QStringLiteral("text"));
    QCOMPARE(list.ReadBool(QStringLiteral("bool"), false), true);
}

void TestCMParamFile::deleteAndClear() {
    TCMParamList list;
    list.WriteInteger(QStringLiteral("a"), 1);
    list.WriteInteger(QStringLiteral("b"), 2);
    list.WriteInteger(QStringLiteral("c"), 3);
    list.DeleteParam(1);
    QCOMPARE(list.Count(), 2);
    QCOMPARE(list.Items(1)->Name(), QStringLiteral("c"));
    list.DeleteParam(2);
    list.DeleteParam(-1);
    QCOMPARE(list.Count(), 2);
    list.ParamOfClass<TCMParamList>(QStringLiteral("sub"))->WriteBool(QStringLiteral("x"), true);
    list.Clear();
    QCOMPARE(list.Count(), 0);
    QVERIFY(!list.FindParam(QStringLiteral("a")));
}

void TestCMParamFile::valueText() {
    TCMParamList list;
    list.WriteIdent(QStringLiteral("i"), QStringLiteral("dtBeginEnd"));
    list.WriteString(QStringLiteral("s"), QStringLiteral("if\r\nelse if\r\n"));
    list.WriteInteger(QStringLiteral("n"), -12);
    list.WriteBool(QStringLiteral("t"), true);
    list.WriteBool(QStringLiteral("f"), false);
    QCOMPARE(list.Items(0)->ValueText(), QStringLiteral("dtBeginEnd"));
    QCOMPARE(list.Items(1)->ValueText(), QStringLiteral("if,\"else if\""));
    QCOMPARE(list.Items(2)->ValueText(), QStringLiteral("-12"));
    QCOMPARE(list.Items(3)->ValueText(), QStringLiteral("True"));
    QCOMPARE(list.Items(4)->ValueText(), QStringLiteral("False"));
    QCOMPARE(list.ValueText(), QString());
}

void TestCMParamFile::textForm_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("indent");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("identifier") << "ident"
                                << "KeyDrawingType"
                                << "dtKeyShow"
                                << "  " << QStringList{"  KeyDrawingType = dtKeyShow"};
    QTest::newRow("integer") << "int"
                             << "ZOrder"
                             << "-7"
                             << "" << QStringList{"ZOrder = -7"};
    QTest::newRow("true") << "bool"
                          << "Bold"
                          << "1"
                          << " " << QStringList{" Bold = True"};
    QTest::newRow("false") << "bool"
                           << "Bold"
                           << "0"
                           << "" << QStringList{"Bold = False"};
    QTest::newRow("string") << "string"
                            << "Name"
                            << "java"
                            << "" << QStringList{"Name = 'java'"};
    QTest::newRow("single quote doubled") << "string"
                                          << "Name"
                                          << "it's 'x'"
                                          << "" << QStringList{"Name = 'it''s ''x'''"};
    QTest::newRow("empty string") << "string"
                                  << "Name"
                                  << ""
                                  << "  " << QStringList{"  Name = ''"};
    QTest::newRow("lone break is one empty line") << "string"
                                                  << "Name"
                                                  << "\r\n"
                                                  << "" << QStringList{"Name = ''"};
    QTest::newRow("lines aligned")
        << "string"
        << "Keywords"
        << "if\r\nelse\r\n"
        << "  " << QStringList{"  Keywords = 'if'", "             'else'"};
    QTest::newRow("LF, CR and empty lines")
        << "string"
        << "K"
        << "a\nb\rc\r\n\r\nd"
        << "" << QStringList{"K = 'a'", "    'b'", "    'c'", "    ''", "    'd'"};
}

void TestCMParamFile::textForm() {
    QFETCH(QString, kind);
    QFETCH(QString, name);
    QFETCH(QString, value);
    QFETCH(QString, indent);
    QFETCH(QStringList, lines);
    TCMParamList list;
    if (kind == u"ident")
        list.WriteIdent(name, value);
    else if (kind == u"int")
        list.WriteInteger(name, value.toInt());
    else if (kind == u"bool")
        list.WriteBool(name, value == u"1");
    else
        list.WriteString(name, value);
    QCOMPARE(TextForm(*list.Items(0), indent), lines);
    // Inside a list: between "<" and ">", two blanks deeper, then a line of one blank more.
    QStringList inList{indent + u'<'};
    for (const QString &line : TextForm(*list.Items(0), indent + QStringLiteral("  ")))
        inList.append(line);
    inList << indent + u'>' << indent + u' ';
    QCOMPARE(TextForm(list, indent), inList);
}

void TestCMParamFile::nestedListMatchesReference() {
    TCMParamList root(QStringLiteral("root")); // a list's own name is not written
    root.WriteIdent(QStringLiteral("Kind"), QStringLiteral("dtKeyShow"));
    root.WriteString(QStringLiteral("Name"), QStringLiteral("it's"));
    root.WriteString(QStringLiteral("Empty"), QString());
    root.WriteInteger(QStringLiteral("Count"), -42);
    root.WriteBool(QStringLiteral("Flag"), true);
    TCMParamList *ruleList = root.ParamOfClass<TCMParamList>(QStringLiteral("Rule"));
    TDrawRules rules;
    SetEditorColorRules(rules);
    rules.Items(3)->SaveToParams(*ruleList);
    TCMParamList *inner = ruleList->ParamOfClass<TCMParamList>(QStringLiteral("Inner"));
    inner->WriteString(QStringLiteral("Keywords"), QStringLiteral("if\r\nelse;red\r\nit's"));
    inner->WriteBool(QStringLiteral("Bold"), false);
    root.WriteBool(QStringLiteral("Last"), false);

    // The example of a list with two values, then the whole tree.
    TCMParamList example;
    example.WriteInteger(QStringLiteral("ZOrder"), 2);
    example.WriteString(QStringLiteral("Keywords"), QStringLiteral("if\r\nelse"));
    QCOMPARE(TextForm(example), (QStringList{"<", "  ZOrder = 2", "  Keywords = 'if'",
                                             "             'else'", ">", " "}));
    CompareWithReference(TextForm(root), QStringLiteral("nested-params.txt"));
}

void TestCMParamFile::defaultRuleWritesOnlyItsKind() {
    const TColorRule rule;
    TCMParamList list;
    rule.SaveToParams(list);
    QCOMPARE(TextForm(list), (QStringList{"<", "  KeyDrawingType = dtBeginEnd", ">", " "}));
    // A kind outside the four is not written at all.
    TColorRule other;
    other.SetKeyDrawingType(static_cast<TKeyDrawingType>(4));
    TCMParamList none;
    other.SaveToParams(none);
    QCOMPARE(none.Count(), 0);
}

void TestCMParamFile::saveWritesOnlyDifferences() {
    TColorRule rule;
    rule.SetIsHotspot(true); // never written
    rule.SetIntChar(QStringLiteral("x"));
    rule.SetKeyBrushColor(clWindowText);
    rule.SetEnabled(false);
    rule.SetIgnoreOtherRules(true);
    rule.Keywords() = QStringList{"a", ""};
    TCMParamList list;
    rule.SaveToParams(list);
    QCOMPARE(TextForm(list),
             (QStringList{"<", "  KeyDrawingType = dtBeginEnd",
                          QStringLiteral("  KeyBrushColor = %1").arg(qint32(clWindowText)),
                          "  Keywords = 'a'", "             ''", "  Enabled = False",
                          "  Ignore = True", ">", " "}));
}

void TestCMParamFile::roundTripOverGeneratedRules() {
    QRandomGenerator random(20260127);
    for (int round = 0; round < 400; ++round) {
        TColorRule source;
        RandomRule(random, source);
        TCMParamList list;
        source.SaveToParams(list);
        QVERIFY(!TextForm(list).isEmpty());

        // Into a new rule: every transferred property arrives.
        TColorRule fresh;
        fresh.LoadFromParams(list);
        for (const RuleProperty &property : TransferredProperties())
            QVERIFY2(property.value(fresh) == property.value(source),
                     qPrintable(QStringLiteral("round %1: %2").arg(round).arg(property.param)));

        // Into a rule that holds other values: what was written arrives; what was not
        // written keeps the target's value (except the kind, which is always written).
        TColorRule target;
        RandomRule(random, target);
        QList<QVariant> before;
        for (const RuleProperty &property : TransferredProperties())
            before.append(property.value(target));
        target.LoadFromParams(list);
        for (qsizetype i = 0; i < TransferredProperties().size(); ++i) {
            const RuleProperty &property = TransferredProperties()[i];
            const bool written = list.FindParam(QString::fromLatin1(property.param));
            const QVariant expected = written ? property.value(source) : before[i];
            QVERIFY2(property.value(target) == expected,
                     qPrintable(QStringLiteral("round %1: %2").arg(round).arg(property.param)));
        }
    }
}

void TestCMParamFile::loadKind_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("ident");
    QTest::addColumn<int>("kind");
    QTest::newRow("missing gives begin-end") << "none"
                                             << "" << int(dtBeginEnd);
    QTest::newRow("case does not matter") << "ident"
                                          << "DTbeginlineEND" << int(dtBeginLineEnd);
    QTest::newRow("event draw") << "ident"
                                << "dtEventDraw" << int(dtEventDraw);
    QTest::newRow("unknown keeps the kind") << "ident"
                                            << "dtSomething" << int(dtKeyShow);
    QTest::newRow("empty keeps the kind") << "ident"
                                          << "" << int(dtKeyShow);
    QTest::newRow("a string is no identifier") << "string"
                                               << "dtEventDraw" << int(dtBeginEnd);
}

void TestCMParamFile::loadKind() {
    QFETCH(QString, how);
    QFETCH(QString, ident);
    QFETCH(int, kind);
    TColorRule rule;
    rule.SetKeyDrawingType(dtKeyShow);
    TCMParamList list;
    if (how == u"ident")
        list.WriteIdent(QStringLiteral("keydrawingtype"), ident);
    else if (how == u"string")
        list.WriteString(QStringLiteral("KeyDrawingType"), ident);
    rule.LoadFromParams(list);
    QCOMPARE(int(rule.KeyDrawingType()), kind);
}

void TestCMParamFile::loadZOrderOutOfRange_data() {
    QTest::addColumn<int>("zOrder");
    QTest::newRow("256") << 256;
    QTest::newRow("-1") << -1;
    QTest::newRow("large") << 0x7FFFFFFF;
}

void TestCMParamFile::loadZOrderOutOfRange() {
    QFETCH(int, zOrder);
    TColorRule rule;
    rule.SetName(QStringLiteral("old"));
    rule.SetZOrder(4);
    rule.SetKeyDrawingType(dtKeyShow);
    TCMParamList list;
    list.WriteIdent(QStringLiteral("KeyDrawingType"), QStringLiteral("dtEventDraw"));
    list.WriteString(QStringLiteral("Name"), QStringLiteral("new"));
    list.WriteInteger(QStringLiteral("ZOrder"), zOrder);
    list.WriteBool(QStringLiteral("Bold"), true);
    try {
        rule.LoadFromParams(list);
        QFAIL("a ZOrder outside 0..255 must be refused");
    } catch (const QuillError &error) {
        QVERIFY(error.message().contains(QString::number(zOrder)));
    }
    // Nothing was taken over.
    QCOMPARE(rule.Name(), QStringLiteral("old"));
    QCOMPARE(rule.ZOrder(), quint8(4));
    QCOMPARE(rule.KeyDrawingType(), dtKeyShow);
    QCOMPARE(rule.Bold(), false);

    list.WriteInteger(QStringLiteral("ZOrder"), 255);
    rule.LoadFromParams(list);
    QCOMPARE(rule.ZOrder(), quint8(255));
    QCOMPARE(rule.Name(), QStringLiteral("new"));
}

void TestCMParamFile::loadReplacesListsInPlace() {
    TColorRule rule;
    rule.SetKeyDrawingType(dtKeyShow);
    rule.SetKeywords({"old"});
    rule.SetKeyLineEndLst({"//"});
    const TCMStringList *keywords = &rule.Keywords();
    TCMParamList list;
    list.WriteIdent(QStringLiteral("KeyDrawingType"), QStringLiteral("dtKeyShow"));
    list.WriteString(QStringLiteral("Keywords"), QStringLiteral("if\nelse\r\n"));
    rule.LoadFromParams(list);
    QCOMPARE(&rule.Keywords(), keywords);
    QCOMPARE(rule.Keywords(), (QStringList{"if", "else"}));
    QCOMPARE(rule.KeyLineEndLst(), QStringList{"//"}); // missing: unchanged
    // The tables follow at the next preparation, not at loading.
    QCOMPARE(rule.PreparedKeywords().Count(), 1);
    QCOMPARE(rule.PreparedKeywords()[0].Text, QStringLiteral("OLD"));
    rule.Prepare();
    QCOMPARE(rule.PreparedKeywords().Count(), 2);

    list.WriteString(QStringLiteral("Keywords"), QString());
    rule.LoadFromParams(list);
    QVERIFY(rule.Keywords().isEmpty());
}

void TestCMParamFile::loadIgnoresParametersOfOtherKinds() {
    TColorRule rule;
    rule.SetName(QStringLiteral("keep"));
    rule.SetKeyMaxHeight(3);
    rule.SetBold(true);
    rule.SetKeywords({"x"});
    TCMParamList list;
    list.WriteIdent(QStringLiteral("KeyDrawingType"), QStringLiteral("dtBeginEnd"));
    list.WriteInteger(QStringLiteral("Name"), 5);
    list.WriteString(QStringLiteral("MaxHeight"), QStringLiteral("7"));
    list.WriteInteger(QStringLiteral("Bold"), 0);
    list.WriteIdent(QStringLiteral("Keywords"), QStringLiteral("y"));
    list.WriteBool(QStringLiteral("IgnoreOtherRules"), true); // the parameter is "Ignore"
    rule.LoadFromParams(list);
    QCOMPARE(rule.Name(), QStringLiteral("keep"));
    QCOMPARE(rule.KeyMaxHeight(), 3);
    QCOMPARE(rule.Bold(), true);
    QCOMPARE(rule.Keywords(), QStringList{"x"});
    QCOMPARE(rule.IgnoreOtherRules(), false);
}

QTEST_GUILESS_MAIN(TestCMParamFile)
#include "tst_cmparamfile.moc"
