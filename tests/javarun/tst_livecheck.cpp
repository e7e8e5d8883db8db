// The check while typing below the window: the request and answer bytes, the options taken
// from F8's, the explanation table, and checks by the real resident compiler.

#include "JavaFixture.h"
#include "TestEnv.h"

#include "javarun/CheckExplanations.h"
#include "javarun/LiveCheckProtocol.h"
#include "javarun/LiveCheckServer.h"
#include "javarun/WarmCompileRules.h"
#include "javarun/WarmFrame.h"

#include <QCoreApplication>
#include <QDir>
#include <QSignalSpy>
#include <QTest>

namespace {

// A check answer's output as the resident compiler writes it.
QByteArray MessagesBytes(const QList<CheckedMessage> &messages) {
    QByteArray bytes;
    AppendFrameWord(bytes, qint32(messages.size()));
    for (const CheckedMessage &m : messages) {
        AppendFrameWord(bytes, m.kind == DiagnosticKind::Warning ? 1 : 0);
        AppendFrameWord(bytes, m.line);
        AppendFrameWord(bytes, m.column);
        AppendFrameWord(bytes, m.endLine);
        AppendFrameWord(bytes, m.endColumn);
        AppendFrameText(bytes, m.message);
        AppendFrameText(bytes, m.code);
    }
    return bytes;
}

// One message in a readable form: "E 3:10-3:13 text" (lines from 1, columns from 0).
QString Brief(const CheckedMessage &m) {
    return QStringLiteral("%1 %2:%3-%4:%5 %6")
        .arg(m.kind == DiagnosticKind::Warning ? QStringLiteral("W") : QStringLiteral("E"))
        .arg(m.line)
        .arg(m.column)
        .arg(m.endLine)
        .arg(m.endColumn)
        .arg(m.message.section(u'\n', 0, 0));
}

} // namespace

class TestLiveCheck : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void messagesDecode();
    void damagedMessagesAreRefused();
    void requestBytes();
    void optionsAreThoseOfF8();
    void otherWindowsOfTheFolder();
    void explanationTable();
    void shippedTableExplainsTheCommonMessages_data();
    void shippedTableExplainsTheCommonMessages();
    void checksGiveTheirRanges_data();
    void checksGiveTheirRanges();
    void warningsWithTheirParameters();
    void openWindowsStandInForTheirFiles();
    void onlyTheNewestWaitingCheckRuns();
    void anotherFolderGetsItsOwnCompiler();
    void unusableCompilerChecksNothing();

private:
    // The messages of one check of text as fileName (in the fixture's folder).
    QList<CheckedMessage> Check(const QString &fileName, const QString &text,
                                const QList<CheckText> &others = {});

    TestEnv m_env;
    JavaFixture m_java;
    LiveCheckServer m_server;
};

void TestLiveCheck::initTestCase() {
    QVERIFY2(!JavaFixture::Javac().isEmpty(), "the tests need the JDK");
    QVERIFY2(
        QFileInfo::exists(QCoreApplication::applicationDirPath() + u'/' + CompileServerClassFile()),
        "the resident compiler is built beside the tests");
    QVERIFY(m_server.Usable(JavaFixture::Javac()));
}

QList<CheckedMessage> TestLiveCheck::Check(const QString &fileName, const QString &text,
                                           const QList<CheckText> &others) {
    QSignalSpy answered(&m_server, &LiveCheckServer::Checked);
    CheckRequest request;
    request.folder = QFileInfo(fileName).absolutePath();
    request.options = *CheckOptions(QString(), QStringLiteral("UTF-8"), QString(), true);
    request.main = {fileName, text};
    request.others = others;
    m_server.Check(this, 1, JavaFixture::Javac(), request);
    if (!answered.wait(60000))
        return {{DiagnosticKind::Error, 0, 0, 0, 0, QStringLiteral("no answer"), QString()}};
    return answered.first().at(2).value<QList<CheckedMessage>>();
}

void TestLiveCheck::messagesDecode() {
    const QList<CheckedMessage> messages{
        {DiagnosticKind::Error, 3, 10, 3, 13, QStringLiteral("cannot find symbol\n  symbol: x"),
         QStringLiteral("compiler.err.cant.resolve")},
        {DiagnosticKind::Warning, 1, 0, 2, 4, QStringLiteral("Umlaut äöü"), QString()}};
    QCOMPARE(DecodeCheckMessages(MessagesBytes(messages)), messages);
    QCOMPARE(DecodeCheckMessages(MessagesBytes({})), QList<CheckedMessage>());
}

void TestLiveCheck::damagedMessagesAreRefused() {
    const QByteArray whole = MessagesBytes(
        {{DiagnosticKind::Error, 1, 2, 1, 5, QStringLiteral("not a statement"), QString()}});
    // Every shortened answer, a longer one and a huge count are no list of messages.
    for (int size = 0; size < whole.size(); ++size)
        QVERIFY2(!DecodeCheckMessages(whole.left(size)), qPrintable(QString::number(size)));
    QVERIFY(!DecodeCheckMessages(whole + "x"));
    QByteArray huge;
    AppendFrameWord(huge, 0x7FFFFFFF);
    QVERIFY(!DecodeCheckMessages(huge));
    QByteArray badKind = whole;
    badKind[7] = 7; // the kind word of the first message
    QVERIFY(!DecodeCheckMessages(badKind));
}

void TestLiveCheck::requestBytes() {
    CheckRequest request{QStringLiteral("/d"),
                         {QStringLiteral("-g")},
                         {QStringLiteral("/d/A.java"), QStringLiteral("class A {}")},
                         {{QStringLiteral("/d/B.java"), QStringLiteral("ü")}}};
    QByteArray expected;
    AppendFrameWord(expected, CheckRequestWord);
    AppendFrameText(expected, QStringLiteral("/d"));
    AppendFrameWord(expected, 1);
    AppendFrameText(expected, QStringLiteral("-g"));
    AppendFrameText(expected, QStringLiteral("/d/A.java"));
    AppendFrameText(expected, QStringLiteral("class A {}"));
    AppendFrameWord(expected, 1);
    AppendFrameText(expected, QStringLiteral("/d/B.java"));
    AppendFrameText(expected, QStringLiteral("ü"));
    QCOMPARE(EncodeCheckRequest(request), expected);
    QVERIFY(FitsCheckRequest(request));
    request.others.first().text = QString(MaxCheckTextBytes / 2 + 1, QChar(0x00FC));
    QVERIFY(!FitsCheckRequest(request));
}

void TestLiveCheck::optionsAreThoseOfF8() {
    QCOMPARE(CheckOptions(QString(), QStringLiteral("UTF-8"), QString(), true),
             QStringList({QStringLiteral("-encoding"), QStringLiteral("UTF-8")}));
    QCOMPARE(CheckOptions(QStringLiteral("-g -cp lib"), QStringLiteral("windows-1252"),
                          QStringLiteral("/p/java:."), true),
             QStringList({QStringLiteral("-classpath"), QStringLiteral("/p/java:."),
                          QStringLiteral("-encoding"), QStringLiteral("windows-1252"),
                          QStringLiteral("-g"), QStringLiteral("-cp"), QStringLiteral("lib")}));
    // What the resident compiler would not do as the process does is not checked.
    QCOMPARE(CheckOptions(QStringLiteral("-J-Xmx1g"), QString(), QString(), true), std::nullopt);
    QCOMPARE(CheckOptions(QStringLiteral("@argumente"), QString(), QString(), true), std::nullopt);
    QCOMPARE(CheckOptions(QStringLiteral("Other.java"), QString(), QString(), true), std::nullopt);
    QCOMPARE(CheckOptions(QStringLiteral("-cp ä"), QString(), QString(), false), std::nullopt);
}

void TestLiveCheck::otherWindowsOfTheFolder() {
    const QList<CheckText> candidates{
        {QStringLiteral("/p/Konto.java"), QStringLiteral("k")},
        {QStringLiteral("/p/Bank.java"), QStringLiteral("itself")},
        {QStringLiteral("/p/sub/Other.java"), QStringLiteral("below")},
        {QStringLiteral("/q/Konto.java"), QStringLiteral("elsewhere")},
        {QStringLiteral("/p/notes.txt"), QStringLiteral("no source")},
        {QStringLiteral("/p/./Konto.java"), QStringLiteral("twice")}};
    QCOMPARE(CheckTextsOfFolder(QStringLiteral("/p/"), QStringLiteral("/p/Bank.java"), candidates),
             QList<CheckText>({{QStringLiteral("/p/Konto.java"), QStringLiteral("k")}}));
}

void TestLiveCheck::explanationTable() {
    const CheckExplanations table = CheckExplanations::FromText(
        QStringLiteral("# Kommentar\n"
                       "\n"
                       "cannot find symbol => Unbekannter Name.\r\n"
                       "incompatible types: possible lossy conversion from * => Verlust.\n"
                       "incompatible types: * => Typ passt nicht.\n"
                       "method * cannot be applied to given types* => Argumente.\n"
                       "kein Pfeil hier\n"
                       " => ohne Muster\n"
                       "ohne Satz =>\n"
                       "a*b*c => Sterne.\n"));
    QCOMPARE(table.Count(), 5);
    QCOMPARE(table.Explain(QStringLiteral("cannot find symbol\n  symbol:   variable x")),
             QStringLiteral("Unbekannter Name."));
    // The whole first line must match unless the pattern ends in "*".
    QCOMPARE(table.Explain(QStringLiteral("cannot find symbols")), QString());
    QCOMPARE(table.Explain(QStringLiteral("incompatible types: possible lossy conversion from "
                                          "double to int")),
             QStringLiteral("Verlust."));
    QCOMPARE(table.Explain(QStringLiteral("incompatible types: String cannot be converted to int")),
             QStringLiteral("Typ passt nicht."));
    QCOMPARE(table.Explain(QStringLiteral("method f in class A cannot be applied to given types;\n"
                                          "  required: int")),
             QStringLiteral("Argumente."));
    QCOMPARE(table.Explain(QStringLiteral("axxbyybzzc")), QStringLiteral("Sterne."));
    QCOMPARE(table.Explain(QStringLiteral("axxcyyb")), QString());
    QCOMPARE(table.Explain(QStringLiteral("ohne Satz")), QString());
    // A missing or unreadable table only has no sentences.
    QCOMPARE(CheckExplanations::FromFile(m_env.path("fehlt.txt")).Count(), 0);
    QCOMPARE(CheckExplanations::FromFile(m_env.path(".")).Count(), 0);
    const QString binary = m_env.writeFile("kaputt.txt", QByteArray("\xff\xfe\x00=>\x00\x01", 7));
    QCOMPARE(CheckExplanations::FromFile(binary).Explain(QStringLiteral("x")), QString());
}

void TestLiveCheck::shippedTableExplainsTheCommonMessages_data() {
    // Sources that give the messages learners meet most, each with the message's start.
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QString>("message");
    const auto row = [](const char *name, const char *body, const char *message) {
        QTest::newRow(name) << QByteArray("public class Probe {\n") + body + "\n}\n"
                            << QString::fromLatin1(message);
    };
    row("cannot find symbol", "void f() { y = 1; }", "cannot find symbol");
    row("';' expected", "void f() { int a = 1 }", "';' expected");
    row("incompatible types", "int a = \"s\";", "incompatible types");
    row("missing return", "int f() { }", "missing return statement");
    QTest::newRow("end of file") << QByteArray("public class Probe {\n void f() {}\n")
                                 << QStringLiteral("reached end of file while parsing");
    QTest::newRow("public class") << QByteArray("public class Andere {}\n")
                                  << QStringLiteral("class Andere is public, should be declared");
    row("not initialized", "void f() { int a; a++; }", "variable a might not have been");
    row("unreachable", "void f() { return; int a = 1; }", "unreachable statement");
    row("static context", "int b; static void f() { b = 1; }", "non-static variable b cannot");
    row("cannot be applied", "void g(int a) {} void f() { g(); }", "method g in class Probe");
    row("already defined", "void f() { int a = 1; int a = 2; }", "variable a is already defined");
    row("illegal start", "void f() { int a = ); }", "illegal start of expression");
    row("not a statement", "void f() { 5; }", "not a statement");
    row("lossy conversion", "int a = 2.5;", "incompatible types: possible lossy conversion");
    row("unclosed string", "String s = \"abc;", "unclosed string literal");
}

void TestLiveCheck::shippedTableExplainsTheCommonMessages() {
    QFETCH(QByteArray, source);
    QFETCH(QString, message);
    const CheckExplanations table = CheckExplanations::FromFile(QStringLiteral(QUILL_DATA_DIR "/") +
                                                                CheckExplanationsFileName());
    const QString file = m_java.Path(QStringLiteral("Probe.java"));
    const QList<CheckedMessage> found = Check(file, QString::fromUtf8(source));
    QVERIFY(!found.isEmpty());
    QVERIFY2(found.first().message.startsWith(message), qPrintable(found.first().message));
    QVERIFY2(!table.Explain(found.first().message).isEmpty(), qPrintable(found.first().message));
}

void TestLiveCheck::checksGiveTheirRanges_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("unbalanced brace")
        << QStringLiteral("public class Probe {\n  void f() {\n    int a = 1;\n}\n")
        << QStringList{QStringLiteral("E 4:1-4:1 reached end of file while parsing")};
    QTest::newRow("unknown symbol")
        << QStringLiteral("public class Probe {\n  void f() {\n    zahl = 1;\n  }\n}\n")
        << QStringList{QStringLiteral("E 3:4-3:8 cannot find symbol")};
    QTest::newRow("type mismatch")
        << QStringLiteral("public class Probe {\n\tint x = \"a\";\n}\n")
        << QStringList{
               QStringLiteral("E 2:9-2:12 incompatible types: String cannot be converted to int")};
    QTest::newRow("missing return")
        << QStringLiteral("public class Probe {\n  int f() {\n  }\n}\n")
        << QStringList{QStringLiteral("E 3:2-3:2 missing return statement")};
    // A range over several lines gives way to the place the compiler names.
    QTest::newRow("public class in another file")
        << QStringLiteral("public class Andere {\n  int a;\n}\n")
        << QStringList{QStringLiteral("E 1:7-1:7 class Andere is public, should be declared in a "
                                      "file named Andere.java")};
    QTest::newRow("second class in the file")
        << QStringLiteral("public class Probe {\n}\nclass Zweite {\n  String s = 4;\n}\n")
        << QStringList{
               QStringLiteral("E 4:13-4:14 incompatible types: int cannot be converted to String")};
    QTest::newRow("no lint, no warning")
        << QStringLiteral("public class Probe {\n  int f() {\n    return (int) 3;\n  }\n}\n")
        << QStringList();
    QTest::newRow("correct") << QStringLiteral("public class Probe {\n}\n") << QStringList();
}

void TestLiveCheck::checksGiveTheirRanges() {
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    const QString file = m_java.Path(QStringLiteral("Probe.java"));
    QStringList found;
    for (const CheckedMessage &message : Check(file, text))
        found << Brief(message);
    QCOMPARE(found, expected);
    // Nothing is written: no class file, and the source file was never created.
    QCOMPARE(JavaFixture::ClassFilesBelow(QFileInfo(file).absolutePath()), QStringList());
    QVERIFY(!QFileInfo::exists(file));
}

void TestLiveCheck::warningsWithTheirParameters() {
    // F8's parameters hold for the check: -Xlint brings the warning, -Werror none more.
    const QString file = m_java.Path(QStringLiteral("Probe.java"));
    CheckRequest request;
    request.folder = QFileInfo(file).absolutePath();
    request.options =
        *CheckOptions(QStringLiteral("-Xlint"), QStringLiteral("UTF-8"), QString(), true);
    request.main = {file, QStringLiteral("public class Probe {\n  int f() {\n"
                                         "    return (int) 3;\n  }\n}\n")};
    QSignalSpy answered(&m_server, &LiveCheckServer::Checked);
    m_server.Check(this, 1, JavaFixture::Javac(), request);
    QVERIFY(answered.wait(60000));
    QStringList found;
    for (const CheckedMessage &message : answered.first().at(2).value<QList<CheckedMessage>>())
        found << Brief(message);
    QCOMPARE(found, QStringList{QStringLiteral("W 3:11-3:18 redundant cast to int")});
}

void TestLiveCheck::openWindowsStandInForTheirFiles() {
    // Konto.java on disk lacks the method Bank uses; the open window's text has it.
    const QString konto =
        m_java.Write(QStringLiteral("bank/Konto.java"), "class Konto {\n  int stand;\n}\n");
    const QString bank = m_java.Path(QStringLiteral("bank/Bank.java"));
    const QString bankText =
        QStringLiteral("public class Bank {\n  void f(Konto k) {\n    k.einzahlen(5);\n  }\n}\n");
    QStringList found;
    for (const CheckedMessage &message : Check(bank, bankText))
        found << Brief(message);
    QCOMPARE(found, QStringList{QStringLiteral("E 3:4-3:15 cannot find symbol")});
    const QString windowText = QStringLiteral("class Konto {\n  int stand;\n"
                                              "  void einzahlen(int b) { stand += b; }\n}\n");
    QCOMPARE(Check(bank, bankText, {{konto, windowText}}), QList<CheckedMessage>());
    // An error in the other window's text is that window's, not Bank's.
    QCOMPARE(Check(bank, bankText, {{konto, windowText + QStringLiteral("class Kaputt { x }")}}),
             QList<CheckedMessage>());
    QCOMPARE(JavaFixture::ClassFilesBelow(QFileInfo(bank).absolutePath()), QStringList());
}

void TestLiveCheck::onlyTheNewestWaitingCheckRuns() {
    const QString file = m_java.Path(QStringLiteral("Probe.java"));
    CheckRequest request;
    request.folder = QFileInfo(file).absolutePath();
    request.options = *CheckOptions(QString(), QStringLiteral("UTF-8"), QString(), true);
    // A resident compiler ready in the folder first.
    QCOMPARE(Check(file, QStringLiteral("class Probe {}")), QList<CheckedMessage>());
    QSignalSpy answered(&m_server, &LiveCheckServer::Checked);
    // The first goes out at once; of those that wait behind it only the last one is sent.
    for (quint64 ticket = 1; ticket <= 4; ++ticket) {
        request.main = {file, QStringLiteral("class Probe { int x = %1; }").arg(ticket)};
        m_server.Check(this, ticket, JavaFixture::Javac(), request);
    }
    // Another owner's check keeps its place.
    QObject other;
    m_server.Check(&other, 9, JavaFixture::Javac(), request);
    while (answered.size() < 3)
        QVERIFY2(answered.wait(60000), qPrintable(QString::number(answered.size())));
    QList<quint64> tickets;
    for (const QList<QVariant> &signal : answered)
        tickets << signal.at(1).toULongLong();
    QCOMPARE(tickets, QList<quint64>({1, 4, 9}));
    // A forgotten owner gets no answer.
    m_server.Check(&other, 10, JavaFixture::Javac(), request);
    m_server.Forget(&other);
    m_server.Check(this, 11, JavaFixture::Javac(), request);
    QVERIFY(answered.wait(60000));
    QCOMPARE(answered.last().at(1).toULongLong(), quint64(11));
    QCOMPARE(answered.size(), 4);
}

void TestLiveCheck::anotherFolderGetsItsOwnCompiler() {
    const QString first = m_java.Write(QStringLiteral("eins/Helfer.java"), "class Helfer {}\n");
    const QString second = m_java.Path(QStringLiteral("zwei/Nutzer.java"));
    QDir().mkpath(QFileInfo(second).absolutePath());
    const QString text = QStringLiteral("class Nutzer { Helfer h; }");
    // The class path "." is the checked file's folder, as for F8.
    QCOMPARE(Check(QFileInfo(first).absolutePath() + QStringLiteral("/Nutzer.java"), text),
             QList<CheckedMessage>());
    const qint64 firstProcess = m_server.ProcessId();
    QStringList found;
    for (const CheckedMessage &message : Check(second, text))
        found << Brief(message);
    QCOMPARE(found, QStringList{QStringLiteral("E 1:15-1:21 cannot find symbol")});
    QVERIFY(m_server.ProcessId() != firstProcess);
}

void TestLiveCheck::unusableCompilerChecksNothing() {
    LiveCheckServer server;
    QVERIFY(!server.Usable(QString()));
    QVERIFY(!server.Usable(m_env.path("nirgends/javac")));
    const QString script = m_env.writeFile("bin/javac", "#!/bin/sh\nexec javac \"$@\"\n");
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(!server.Usable(script));
    // Without the resident compiler's class nothing is usable either.
    LiveCheckServer elsewhere(m_env.path("leer"));
    QVERIFY(!elsewhere.Usable(JavaFixture::Javac()));
    CheckRequest request{m_env.path("."), {}, {m_env.path("A.java"), QStringLiteral("x")}, {}};
    elsewhere.Check(this, 1, JavaFixture::Javac(), request);
    server.Check(this, 1, script, request);
    QCOMPARE(server.ProcessId(), 0);
    QCOMPARE(elsewhere.ProcessId(), 0);
}

QTEST_GUILESS_MAIN(TestLiveCheck)
#include "tst_livecheck.moc"
