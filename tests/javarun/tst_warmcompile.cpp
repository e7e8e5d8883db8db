// The resident compiler with the real JDK: it gives the panel text and class files of the
// compiler process, survives being killed and never outlives its input.

#include "FakeBuildHost.h"
#include "JavaFixture.h"
#include "RecordingUi.h"
#include "SavedFileTarget.h"
#include "TestEnv.h"

#include "javarun/BuildCommands.h"
#include "javarun/BuildSteps.h"
#include "javarun/WarmCompiler.h"
#include "javarun/WarmCompileRules.h"
#include "settings/Settings.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QSignalSpy>
#include <QTest>

#include <csignal>

namespace {

// Every class file below dir, by its path relative to dir.
QMap<QString, QByteArray> ClassFiles(const QString &dir) {
    QMap<QString, QByteArray> files;
    QDirIterator it(dir, {QStringLiteral("*.class")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (file.open(QIODevice::ReadOnly))
            files.insert(QDir(dir).relativeFilePath(file.fileName()), file.readAll());
    }
    return files;
}

void RemoveClassFiles(const QString &dir) {
    for (const QString &name : ClassFiles(dir).keys())
        QFile::remove(QDir(dir).filePath(name));
}

bool Alive(qint64 pid) {
    return pid > 0 && QFileInfo::exists(QStringLiteral("/proc/%1").arg(pid));
}

} // namespace

class TestWarmCompile : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void onlyAJdkOwnCompilerIsKeptWarm();
    void argumentsTheWarmPathTakes_data();
    void argumentsTheWarmPathTakes();
    void sameResultAsTheProcess_data();
    void sameResultAsTheProcess();
    void killedBetweenTwoCompiles();
    void hangingCompilerIsReplaced();
    void folderReplacedMeanwhile();
    void endsWhenItsInputCloses();

private:
    // Compiles fileName with CompileFile, through warm when given; the panel's text. The
    // result is kept in m_result.
    QString Compile(const QString &fileName, WarmCompiler *warm);

    TestEnv m_env;
    JavaFixture m_java;
    RecordingUi m_ui;
    FakeBuildHost m_host;
    CompileResult m_result;
};

void TestWarmCompile::initTestCase() {
    QVERIFY2(!JavaFixture::Javac().isEmpty(), "the tests need the JDK");
    QVERIFY2(
        QFileInfo::exists(QCoreApplication::applicationDirPath() + u'/' + CompileServerClassFile()),
        "the resident compiler is built beside the tests");
}

void TestWarmCompile::init() {
    Settings::Compiler = JavaFixture::Javac();
    Settings::CompilerParameter.clear();
    m_host.output.Clear();
}

QString TestWarmCompile::Compile(const QString &fileName, WarmCompiler *warm) {
    SavedFileTarget window(fileName);
    m_host.warm = warm;
    const CompileOutcome outcome = CompileFile(window, m_host);
    m_result = outcome.result.value_or(CompileResult());
    return m_host.output.text;
}

void TestWarmCompile::onlyAJdkOwnCompilerIsKeptWarm() {
    // /usr/bin/javac is usually a link into the JDK: it is followed.
    const QString javac = QFileInfo(JavaFixture::Javac()).canonicalFilePath();
    const QString java = QFileInfo(javac).absolutePath() + QStringLiteral("/java");
    QCOMPARE(JdkLauncherOf(JavaFixture::Javac()), java);
    QCOMPARE(JdkLauncherOf(javac), java);
    // A wrapper script named javac beside a java, in a folder that looks like a JDK.
    const QString script = m_env.writeFile("fake/bin/javac", "#!/bin/sh\nexec javac \"$@\"\n");
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(QFile::link(java, m_env.path("fake/bin/java")));
    m_env.writeFile("fake/release", "JAVA_VERSION=\"17\"\n");
    QCOMPARE(JdkLauncherOf(script), QString());
    QCOMPARE(JdkLauncherOf(java), QString());
    QCOMPARE(JdkLauncherOf(m_env.path("missing/javac")), QString());
    QCOMPARE(JdkLauncherOf(QString()), QString());

    // Such a compiler compiles as a process, and no resident one is started for it.
    const QString hallo = m_java.Write("Skript/Hallo.java", "public class Hallo { }\n");
    Settings::Compiler = script;
    WarmCompiler warm;
    warm.Prepare(script, QFileInfo(hallo).absolutePath());
    QCOMPARE(warm.ProcessId(), 0);
    Compile(hallo, &warm);
    QCOMPARE(warm.WarmCompiles(), 0);
    QVERIFY(QFileInfo::exists(m_java.Path("Skript/Hallo.class")));
}

void TestWarmCompile::argumentsTheWarmPathTakes_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("utf8");
    QTest::addColumn<bool>("allowed");
    const QString hallo = QStringLiteral("Hallo.java");
    QTest::newRow("file alone") << QStringList{hallo} << true << true;
    QTest::newRow("added by Quill")
        << QStringList{"-encoding", "UTF-8", "-cp", "lib/x.jar", hallo} << true << true;
    QTest::newRow("plain flags") << QStringList{"-g", "-Xlint:all", "-d", "out", hallo} << true
                                 << true;
    QTest::newRow("launcher option") << QStringList{"-J-Xmx1g", hallo} << true << false;
    QTest::newRow("argument file") << QStringList{"@args", hallo} << true << false;
    QTest::newRow("unknown option") << QStringList{"-processor", "P", hallo} << true << false;
    QTest::newRow("value missing") << QStringList{hallo, "-d"} << true << false;
    QTest::newRow("no source") << QStringList{"-version"} << true << false;
    QTest::newRow("class name") << QStringList{hallo, "Hallo"} << true << false;
    QTest::newRow("umlaut, UTF-8") << QStringList{"-d", "Übung", hallo} << true << true;
    QTest::newRow("umlaut, other locale") << QStringList{"-d", "Übung", hallo} << false << false;
}

void TestWarmCompile::argumentsTheWarmPathTakes() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, utf8);
    QFETCH(bool, allowed);
    QCOMPARE(WarmArgumentsAllowed(arguments, utf8), allowed);
}

void TestWarmCompile::sameResultAsTheProcess_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("parameters");
    QTest::addColumn<QStringList>("files"); // name, source, name, source...; the first compiles
    // The messages expected: file, line and kind of each ("Kaputt.java:3:E", "W" a warning).
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("correct") << "richtig"
                             << ""
                             << QStringList{"Hallo.java",
                                            "public class Hallo {\n  public static "
                                            "void main(String[] a) {\n    "
                                            "System.out.println(\"Hallo\");\n  }\n}\n"}
                             << QStringList();
    QTest::newRow("two errors")
        << "fehler"
        << ""
        << QStringList{"Kaputt.java", "public class Kaputt {\n  void f() {\n    int x = \"a\";\n"
                                      "    undefiniert();\n  }\n}\n"}
        << QStringList{"Kaputt.java:3:E", "Kaputt.java:4:E"};
    QTest::newRow("warning") << "warnung"
                             << ""
                             << QStringList{"Alt.java",
                                            "public class Alt {\n  Integer i = new Integer(5);\n"
                                            "  java.util.List l = new java.util.ArrayList();\n"
                                            "  { l.add(i); }\n}\n"}
                             << QStringList{"Alt.java:2:W"};
    QTest::newRow("blanks and umlauts")
        << "Mein Ordner mit Ümläuten"
        << ""
        << QStringList{"Gruss.java",
                       "public class Gruss {\n  String s = \"äöü\";\n  int x = s;\n}\n"}
        << QStringList{"Gruss.java:3:E"};
    QTest::newRow("second class")
        << "zwei"
        << ""
        << QStringList{"Haupt.java", "public class Haupt { Helfer h = new Helfer(); }\n",
                       "Helfer.java", "public class Helfer { int x = \"kaputt\"; }\n"}
        << QStringList{"Helfer.java:1:E"};
    QTest::newRow("errors in several files")
        << "mehrere"
        << ""
        << QStringList{"Haupt.java",
                       "public class Haupt {\n  Helfer h = new Helfer();\n  int x = \"a\";\n}\n",
                       "Helfer.java",
                       "public class Helfer {\n  Integer i = new Integer(1);\n  int y = true;\n}\n"}
        << QStringList{"Haupt.java:3:E", "Helfer.java:2:W", "Helfer.java:3:E"};
    QTest::newRow("-d in the parameters")
        << "ziel"
        << "-d klassen -g"
        << QStringList{"Hallo.java", "package p;\npublic class Hallo { }\n", "klassen/.keep", ""}
        << QStringList();
}

void TestWarmCompile::sameResultAsTheProcess() {
    QFETCH(QString, folder);
    QFETCH(QString, parameters);
    QFETCH(QStringList, files);
    QFETCH(QStringList, messages);
    Settings::CompilerParameter = parameters;
    for (qsizetype i = 0; i + 1 < files.size(); i += 2)
        m_java.Write(folder + u'/' + files.at(i), files.at(i + 1).toUtf8());
    const QString dir = m_java.Path(folder);
    const QString source = dir + u'/' + files.first();

    const QString processPanel = Compile(source, nullptr);
    const CompileResult processResult = m_result;
    const QMap<QString, QByteArray> processClasses = ClassFiles(dir);
    RemoveClassFiles(dir);

    WarmCompiler warm;
    QSignalSpy ready(&warm, &WarmCompiler::Ready);
    warm.Prepare(Settings::Compiler, dir);
    QVERIFY(ready.wait(30000));
    const QString warmPanel = Compile(source, &warm);
    // A folder name that the locale cannot carry is left to the process.
    const bool plain = folder.toUtf8().size() == folder.size();
    if (plain || LocaleIsUtf8(QProcessEnvironment::systemEnvironment()))
        QCOMPARE(warm.WarmCompiles(), 1);
    QCOMPARE(warmPanel, processPanel);
    QCOMPARE(ClassFiles(dir), processClasses);
    QVERIFY(processPanel.endsWith(QStringLiteral("-- Fertig --")));

    // The same result as values: exit code, panel text and every message with its place.
    QVERIFY(processResult.ended && m_result.ended);
    QCOMPARE(m_result.exitCode, processResult.exitCode);
    QCOMPARE(m_result.panelText, processResult.panelText);
    QVERIFY(m_result.diagnostics == processResult.diagnostics);
    QCOMPARE(processResult.Succeeded(), messages.filter(QStringLiteral(":E")).isEmpty());
    QStringList found;
    for (const Diagnostic &message : std::as_const(m_result.diagnostics)) {
        QVERIFY(QFileInfo(message.fileName).isAbsolute());
        QCOMPARE(QFileInfo(message.fileName).absolutePath(), QFileInfo(dir).absoluteFilePath());
        QVERIFY(message.column >= 0);
        QVERIFY(!message.message.isEmpty());
        const QChar kind = message.kind == DiagnosticKind::Warning ? u'W'
                           : message.kind == DiagnosticKind::Note  ? u'N'
                                                                   : u'E';
        found << QStringLiteral("%1:%2:%3")
                     .arg(QFileInfo(message.fileName).fileName())
                     .arg(message.line)
                     .arg(kind);
    }
    found.sort();
    QCOMPARE(found, messages);
}

void TestWarmCompile::killedBetweenTwoCompiles() {
    const QString hallo = m_java.Write(
        "tot/Hallo.java", "public class Hallo { public static void main(String[] a) { } }\n");
    const QString dir = QFileInfo(hallo).absolutePath();
    WarmCompiler warm;
    QSignalSpy ready(&warm, &WarmCompiler::Ready);
    warm.Prepare(Settings::Compiler, dir);
    QVERIFY(ready.wait(30000));
    const QString first = Compile(hallo, &warm);
    QCOMPARE(warm.WarmCompiles(), 1);
    const qint64 killed = warm.ProcessId();
    QVERIFY(::kill(pid_t(killed), SIGKILL) == 0);

    // Whether the death is noticed before or during the compile, the process steps in.
    QCOMPARE(Compile(hallo, &warm), first);
    QVERIFY(QFileInfo::exists(m_java.Path("tot/Hallo.class")));
    // ...and a new resident compiler answers the next one.
    if (!warm.IsReady())
        QVERIFY(ready.wait(30000));
    QVERIFY(warm.ProcessId() != killed);
    QCOMPARE(Compile(hallo, &warm), first);
    QCOMPARE(warm.WarmCompiles(), 2);
}

void TestWarmCompile::hangingCompilerIsReplaced() {
    const QString hallo = m_java.Write("steht/Hallo.java", "public class Hallo { }\n");
    const QString dir = QFileInfo(hallo).absolutePath();
    WarmCompiler warm;
    warm.SetAnswerTimeout(500);
    QSignalSpy ready(&warm, &WarmCompiler::Ready);
    warm.Prepare(Settings::Compiler, dir);
    QVERIFY(ready.wait(30000));
    const qint64 stopped = warm.ProcessId();
    QVERIFY(::kill(pid_t(stopped), SIGSTOP) == 0);
    const QString panel = Compile(hallo, &warm);
    QCOMPARE(warm.WarmCompiles(), 0);
    QVERIFY(panel.endsWith(QStringLiteral("-- Fertig --")));
    QVERIFY(QFileInfo::exists(m_java.Path("steht/Hallo.class")));
    QVERIFY(warm.ProcessId() != stopped);
    QTRY_VERIFY_WITH_TIMEOUT(!Alive(stopped), 30000);
}

void TestWarmCompile::folderReplacedMeanwhile() {
    // The resident compiler works in the folder it was started in, which is no longer the
    // one of that name: the process compiles in the new one.
    const QString hallo = m_java.Write("alt/Hallo.java", "public class Hallo { }\n");
    const QString dir = QFileInfo(hallo).absolutePath();
    WarmCompiler warm;
    QSignalSpy ready(&warm, &WarmCompiler::Ready);
    warm.Prepare(Settings::Compiler, dir);
    QVERIFY(ready.wait(30000));
    QVERIFY(QDir().rename(dir, m_java.Path("umbenannt")));
    m_java.Write("alt/Hallo.java", "public class Hallo { }\n");
    QVERIFY(Compile(hallo, &warm).endsWith(QStringLiteral("-- Fertig --")));
    QCOMPARE(warm.WarmCompiles(), 0);
    QVERIFY(QFileInfo::exists(m_java.Path("alt/Hallo.class")));
    QVERIFY(!QFileInfo::exists(m_java.Path("umbenannt/Hallo.class")));
}

void TestWarmCompile::endsWhenItsInputCloses() {
    const QString dir = m_java.Path(".");
    qint64 pid = 0;
    {
        WarmCompiler warm;
        QSignalSpy ready(&warm, &WarmCompiler::Ready);
        warm.Prepare(Settings::Compiler, dir);
        QVERIFY(ready.wait(30000));
        pid = warm.ProcessId();
        QVERIFY(Alive(pid));
    }
    QVERIFY(!Alive(pid));

    // A Quill that dies leaves only a closed input behind: that alone ends it.
    QProcess server;
    const Command command = CompileServerCommand(JdkLauncherOf(Settings::Compiler),
                                                 QCoreApplication::applicationDirPath());
    server.setWorkingDirectory(dir);
    server.start(command.program, command.arguments);
    QVERIFY(server.waitForReadyRead(30000));
    server.closeWriteChannel();
    QVERIFY(server.waitForFinished(30000));
    QCOMPARE(server.exitStatus(), QProcess::NormalExit);
    QCOMPARE(server.exitCode(), 0);
}

QTEST_MAIN(TestWarmCompile)
#include "tst_warmcompile.moc"
