// Completion candidates on plain text against the shipped class list.
#include "javahelp/Completion.h"

#include <QTest>

namespace {

QStringList names(const QList<CompletionCandidate> &candidates) {
    QStringList result;
    for (const CompletionCandidate &c : candidates)
        result << c.text;
    return result;
}

// The text with "|" marking the caret, taken out.
std::pair<QString, qsizetype> withCaret(const QString &marked) {
    const qsizetype caret = marked.indexOf(u'|');
    return {QString(marked).remove(caret, 1), caret};
}

} // namespace

class TestCompletion : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void memberLinesParse_data();
    void memberLinesParse();
    void membersOfAListedClass();
    void membersOfAVariableOfAListedType_data();
    void membersOfAVariableOfAListedType();
    void fieldChainFollowsFieldTypes();
    void unknownNameOffersKeywordsClassesAndWords();
    void wordAtTheStartOfTheFile();
    void exactPrefixComesFirst();
    void wordsInStringsAndCommentsAreLeftOut();
    void narrowingKeepsOrderAndExactFirst();
    void insertionOfMethodsAndFields();

private:
    CompletionResult at(const QString &marked) const {
        const auto [text, caret] = withCaret(marked);
        return Completion::candidatesAt(text, caret, m_index);
    }
    CompletionIndex m_index;
};

void TestCompletion::initTestCase() {
    JavaClassList list;
    QString error;
    QVERIFY2(
        JavaClassList::load(QStringLiteral(QUILL_SOURCE_DIR "/data/javaklassen.txt"), list, error),
        qPrintable(error));
    m_index = CompletionIndex::build(list);
    QCOMPARE(m_index.classes().size(), list.entries().size());
}

void TestCompletion::memberLinesParse_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("member");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("signature");
    QTest::addColumn<QString>("typeName");
    QTest::addColumn<bool>("method");
    QTest::addColumn<bool>("parameters");
    QTest::newRow("field") << "static final PrintStream System.out" << true << "out"
                           << "PrintStream out"
                           << "PrintStream" << false << false;
    QTest::newRow("method") << "static double Math.abs(double)" << true << "abs"
                            << "double abs(double)"
                            << "" << true << true;
    QTest::newRow("no parameters") << "final void Object.notify()" << true << "notify"
                                   << "void notify()"
                                   << "void" << true << false;
    QTest::newRow("generic type with blank")
        << "static Map<String, String> System.getenv()" << true << "getenv"
        << "Map<String, String> getenv()"
        << "Map" << true << false;
    QTest::newRow("type parameters") << "static <T> List<T> Arrays.asList(T...)" << true << "asList"
                                     << "List<T> asList(T...)"
                                     << "List" << true << true;
    QTest::newRow("nested owner") << "System.Logger System.LoggerFinder.getLogger(String, Module)"
                                  << true << "getLogger"
                                  << "System.Logger getLogger(String, Module)"
                                  << "Logger" << true << true;
    QTest::newRow("array type") << "StackTraceElement[] Throwable.getStackTrace()" << true
                                << "getStackTrace"
                                << "StackTraceElement[] getStackTrace()"
                                << "" << true << false;
    QTest::newRow("throws") << "final void Object.wait(long) throws InterruptedException" << true
                            << "wait"
                            << "void wait(long) throws InterruptedException"
                            << "void" << true << true;
    QTest::newRow("constructor") << "new java.lang.String(char[])" << false << ""
                                 << ""
                                 << "" << false << false;
    QTest::newRow("no owner") << "garbage" << false << ""
                              << ""
                              << "" << false << false;
}

void TestCompletion::memberLinesParse() {
    QFETCH(QString, line);
    QFETCH(bool, member);
    CompletionMember parsed;
    QCOMPARE(CompletionIndex::parseMember(line, parsed), member);
    if (!member)
        return;
    QTEST(parsed.name, "name");
    QTEST(parsed.signature, "signature");
    QFETCH(QString, typeName);
    // A method's type matters only for chains of fields; "double" is no class either way.
    if (!typeName.isEmpty())
        QCOMPARE(parsed.typeName, typeName);
    QTEST(parsed.isMethod, "method");
    QTEST(parsed.takesParameters, "parameters");
}

void TestCompletion::membersOfAListedClass() {
    const CompletionResult result = at(QStringLiteral("double d = Math.sq|"));
    QVERIFY(result.members);
    QCOMPARE(result.className, QStringLiteral("Math"));
    QCOMPARE(result.prefix, QStringLiteral("sq"));
    QCOMPARE(result.wordStart, 16);
    QCOMPARE(names(result.candidates), QStringList{QStringLiteral("sqrt")});
    QCOMPARE(result.candidates.first().signature, QStringLiteral("double sqrt(double)"));

    // Nothing typed after the dot: every member, fields and methods, sorted.
    const CompletionResult all = at(QStringLiteral("Math.|"));
    QVERIFY(all.members);
    const QStringList allNames = names(all.candidates);
    QVERIFY(allNames.contains(QStringLiteral("PI")));
    QVERIFY(allNames.contains(QStringLiteral("max")));
    QVERIFY(!allNames.contains(QStringLiteral("Math"))); // constructors are no members
    QVERIFY(!allNames.contains(QStringLiteral("class")));
}

void TestCompletion::membersOfAVariableOfAListedType_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("className");
    QTest::newRow("local") << "String s;\ns.le|"
                           << "String";
    QTest::newRow("parameter") << "void f(final String s, int n) {\n  s.le|\n}"
                               << "String";
    QTest::newRow("field declared after use")
        << "class A {\n  void f() { s.le| }\n  private String s = \"x\";\n}"
        << "String";
    QTest::newRow("generic type") << "ArrayList<Integer> s = new ArrayList<>();\ns.si|"
                                  << "ArrayList";
    QTest::newRow("nearest declaration before the caret")
        << "StringBuilder s;\nvoid g() { String s; s.le| }"
        << "String";
}

void TestCompletion::membersOfAVariableOfAListedType() {
    QFETCH(QString, text);
    QFETCH(QString, className);
    const CompletionResult result = at(text);
    QVERIFY(result.members);
    QCOMPARE(result.className, className);
    QVERIFY(!result.candidates.isEmpty());
    for (const CompletionCandidate &c : result.candidates)
        QVERIFY2(c.text.startsWith(result.prefix, Qt::CaseInsensitive), qPrintable(c.text));
}

void TestCompletion::fieldChainFollowsFieldTypes() {
    const CompletionResult result = at(QStringLiteral("System.out.pr|"));
    QVERIFY(result.members);
    QCOMPARE(result.className, QStringLiteral("PrintStream"));
    const QStringList found = names(result.candidates);
    QVERIFY(found.contains(QStringLiteral("println")));
    QVERIFY(found.contains(QStringLiteral("printf")));
    QVERIFY(found.contains(QStringLiteral("print")));
    for (const QString &name : found)
        QVERIFY2(name.startsWith(QStringLiteral("pr")), qPrintable(name));
    bool withString = false;
    for (const CompletionCandidate &c : result.candidates)
        withString |= c.signature == QStringLiteral("void println(String)");
    QVERIFY(withString);

    // A field of a variable's class goes on from its type as well; a method does not.
    QVERIFY(!at(QStringLiteral("System.out.println.x|")).members);
    QCOMPARE(at(QStringLiteral("System.err.|")).className, QStringLiteral("PrintStream"));
}

void TestCompletion::unknownNameOffersKeywordsClassesAndWords() {
    const QString text = QStringLiteral("int wert = 1;\nwuppdi.w|");
    const CompletionResult result = at(text);
    QVERIFY(!result.members);
    QCOMPARE(result.prefix, QStringLiteral("w"));
    const QStringList found = names(result.candidates);
    QVERIFY(found.contains(QStringLiteral("while")));  // keyword
    QVERIFY(found.contains(QStringLiteral("wert")));   // word of the text
    QVERIFY(found.contains(QStringLiteral("wuppdi"))); // the unknown name is a word too
    QVERIFY(found.contains(QStringLiteral("Writer"))); // class, first letter ignoring case
    QVERIFY(!found.contains(QStringLiteral("int")));
    QVERIFY(!found.contains(QStringLiteral("w"))); // the typed word itself
    for (const CompletionCandidate &c : result.candidates)
        if (c.text == QStringLiteral("while"))
            QCOMPARE(c.signature, QStringLiteral("Schlüsselwort"));
    QCOMPARE(found.size(), QSet<QString>(found.cbegin(), found.cend()).size());
}

void TestCompletion::wordAtTheStartOfTheFile() {
    const CompletionResult result = at(QStringLiteral("cla|\n"));
    QVERIFY(!result.members);
    QCOMPARE(result.wordStart, 0);
    QCOMPARE(result.prefix, QStringLiteral("cla"));
    QCOMPARE(names(result.candidates).first(), QStringLiteral("class"));

    // The caret at the very start: nothing typed, so every keyword and class is offered.
    const CompletionResult empty = at(QStringLiteral("|x"));
    QCOMPARE(empty.prefix, QString());
    QVERIFY(empty.candidates.size() > m_index.classes().size());
}

void TestCompletion::exactPrefixComesFirst() {
    const QStringList found = names(at(QStringLiteral("int stringCount;\nStri|")).candidates);
    const qsizetype exact = found.indexOf(QStringLiteral("String"));
    const qsizetype folded = found.indexOf(QStringLiteral("stringCount"));
    QVERIFY(exact >= 0 && folded >= 0);
    QVERIFY(exact < folded);
    for (qsizetype i = 0; i < folded; ++i)
        QVERIFY2(found.at(i).startsWith(QStringLiteral("Stri")), qPrintable(found.at(i)));
}

void TestCompletion::wordsInStringsAndCommentsAreLeftOut() {
    const QStringList found = names(
        at(QStringLiteral("// zaehlerA\n/* zaehlerB */ String t = \"zaehlerC\";\nchar c = 'z';\n"
                          "int zaehlerD;\nzaeh|"))
            .candidates);
    QCOMPARE(found, QStringList{QStringLiteral("zaehlerD")});
}

void TestCompletion::narrowingKeepsOrderAndExactFirst() {
    const QList<CompletionCandidate> all = at(QStringLiteral("System.out.|")).candidates;
    const QStringList found = names(Completion::narrowed(all, QStringLiteral("printl")));
    QVERIFY(!found.isEmpty());
    for (const QString &name : found)
        QCOMPARE(name, QStringLiteral("println"));
    QVERIFY(Completion::narrowed(all, QStringLiteral("xyz")).isEmpty());
}

void TestCompletion::insertionOfMethodsAndFields() {
    const Completion::Insertion withParameters =
        Completion::insertionFor({QStringLiteral("println"), QString(), true, true});
    QCOMPARE(withParameters.text, QStringLiteral("println()"));
    QCOMPARE(withParameters.caretOffset, 8);
    const Completion::Insertion without =
        Completion::insertionFor({QStringLiteral("nanoTime"), QString(), true, false});
    QCOMPARE(without.text, QStringLiteral("nanoTime()"));
    QCOMPARE(without.caretOffset, 10);
    const Completion::Insertion field =
        Completion::insertionFor({QStringLiteral("out"), QString(), false, false});
    QCOMPARE(field.text, QStringLiteral("out"));
    QCOMPARE(field.caretOffset, 3);
}

QTEST_GUILESS_MAIN(TestCompletion)
#include "tst_completion.moc"
