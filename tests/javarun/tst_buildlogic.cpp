// The decisions of compile and run, without any process or window.

#include "javarun/CompileResult.h"
#include "javarun/CompilerMessage.h"
#include "javarun/JavaToolSearch.h"
#include "javarun/OutputCollector.h"
#include "javarun/RunPlan.h"
#include "javarun/ShellWords.h"
#include "javarun/TerminalCommand.h"
#include "javarun/WarmFrame.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The panel after a compile with three messages: the file line, an error with its source
// line and marker, a warning in a subfolder and an error in an absolute path.
QStringList ThreeMessages() {
    return {
        "Datei \"/home/lea/p r/A.java\"",
        "",
        "",
        "A.java:3: error: incompatible types: String cannot be converted to int",
        "  int x = \"s\";",
        "          ^",
        "lib/B.java:12: warning: [deprecation] x: y",
        "/abs/C.java:7: error: ';' expected",
    };
}

} // namespace

class TestBuildLogic : public QObject {
    Q_OBJECT

private slots:
    void splitShellWords_data();
    void splitShellWords();
    void decideRun_data();
    void decideRun();
    void readsInput_data();
    void readsInput();
    void javaSourceByExtension_data();
    void javaSourceByExtension();
    void runtimeForRun_data();
    void runtimeForRun();
    void commandsKeepWordsApart();
    void compilerParametersName_data();
    void compilerParametersName();
    void derivedFileNames();
    void shippedClassPath();
    void sourcePlaceOfPanelLines_data();
    void sourcePlaceOfPanelLines();
    void sourcePlaceOfStackTraces_data();
    void sourcePlaceOfStackTraces();
    void sourcePlaceOfOddNames_data();
    void sourcePlaceOfOddNames();
    void diagnosticsOfACompile();
    void diagnosticsLeadWhereThePanelLineLeads_data();
    void diagnosticsLeadWhereThePanelLineLeads();
    void warmFrames_data();
    void warmFrames();
    void collectorKeepsOrderAndSplitCharacters();
    void collectorStopsAtLimit();
    void searchFindsNestedCompiler();
    void searchTakesTheFirstListedFolder();
    void searchIgnoresDirectoriesNamedLikeTheCompiler();
    void searchSurvivesDirectoryLinkLoop();
    void searchFallsBackToJavaHomeThenPath();
    void searchKeepsCompleteSettings();
    void findTerminalOrder();
    void composeTerminalCommand_data();
    void composeTerminalCommand();
    void composeFollowsTerminalLink();

private:
    static void MakeFile(const QString &path, bool executable = true);
    // The learner's files the stack trace rows refer to as "{dir}".
    QTemporaryDir m_traceDir;
};

void TestBuildLogic::MakeFile(const QString &path, bool executable) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\n");
    file.close();
    if (executable)
        file.setPermissions(file.permissions() | QFile::ExeOwner);
}

void TestBuildLogic::splitShellWords_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("words");
    QTest::newRow("empty") << "" << QStringList();
    QTest::newRow("blanks only") << "  \t " << QStringList();
    QTest::newRow("plain") << "-g  -Xlint" << QStringList{"-g", "-Xlint"};
    QTest::newRow("double quotes keep blanks")
        << "-cp \"mein ordner/lib\" -g" << QStringList{"-cp", "mein ordner/lib", "-g"};
    QTest::newRow("single quotes literal") << R"('a "b" \c')" << QStringList{R"(a "b" \c)"};
    QTest::newRow("quotes inside a word")
        << R"(-Dgruss='Guten Tag')" << QStringList{"-Dgruss=Guten Tag"};
    QTest::newRow("escapes in double quotes") << R"("a \"b\" \x")" << QStringList{R"(a "b" \x)"};
    QTest::newRow("empty quoted word") << R"(a "" '' b)" << QStringList{"a", "", "", "b"};
    QTest::newRow("unclosed quote runs to end") << R"(a "b c)" << QStringList{"a", "b c"};
#ifndef Q_OS_WIN
    QTest::newRow("backslash blank") << R"(mein\ ordner x)" << QStringList{"mein ordner", "x"};
#endif
    QTest::newRow("no expansion") << "$HOME *.java ;rm" << QStringList{"$HOME", "*.java", ";rm"};
}

void TestBuildLogic::splitShellWords() {
    QFETCH(QString, text);
    QFETCH(QStringList, words);
    QCOMPARE(SplitShellWords(text), words);
}

void TestBuildLogic::decideRun_data() {
    QTest::addColumn<bool>("umleitung");
    QTest::addColumn<QString>("source");
    QTest::addColumn<bool>("shell");
    QTest::addColumn<bool>("console");
    // With "Mit Umleitung" checked: every row of the table.
    QTest::newRow("System.in.read") << true << "int c = System.in.read();" << true << true;
    QTest::newRow("Scanner") << true << "Scanner s = new Scanner(System.in);" << true << true;
    QTest::newRow("System.in only in a comment") << true << "// System.in.read" << false << false;
    QTest::newRow("JFrame") << true << "class A extends JFrame {}" << true << false;
    QTest::newRow("JDialog") << true << "new JDialog();" << true << false;
    QTest::newRow("JFrame and Environment")
        << true << "class A extends JFrame {}\n// Environment" << true << true;
    QTest::newRow("extends Environment on one line")
        << true << "public class A\n  extends Environment {" << true << true;
    QTest::newRow("extends and Environment on different lines")
        << true << "class A extends B {\n Environment e; }" << false << true;
    QTest::newRow("Environment without extends") << true << "Environment.x();" << false << true;
    QTest::newRow("none of the words") << true << "System.out.println(1);" << false << false;
    QTest::newRow("CR line breaks split lines")
        << true << "class A extends B\rEnvironment e;" << false << true;
    QTest::newRow("case-sensitive")
        << true << "jframe environment system.in.read" << false << false;
    QTest::newRow("words in comments count") << true << "// uses a JFrame later" << true << false;
    // Unchecked: always a shell run with the runtime as configured.
    QTest::newRow("unchecked plain") << false << "System.out.println(1);" << true << false;
    QTest::newRow("unchecked console") << false << "System.in.read" << true << false;
}

void TestBuildLogic::decideRun() {
    QFETCH(bool, umleitung);
    QFETCH(QString, source);
    QFETCH(bool, shell);
    QFETCH(bool, console);
    QCOMPARE(DecideRun(umleitung, source), (RunPlan{shell, console}));
}

void TestBuildLogic::readsInput_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<bool>("reads");
    // Every way a first program reads its input.
    QTest::newRow("Scanner") << "Scanner ein = new Scanner(System.in);" << true;
    QTest::newRow("InputStreamReader")
        << "var r = new BufferedReader(new InputStreamReader(System.in));" << true;
    QTest::newRow("System.in.read") << "int c = System.in.read();" << true;
    QTest::newRow("System.console") << "String s = System.console().readLine();" << true;
    QTest::newRow("blanks around the dot") << "new Scanner(System . in)" << true;
    QTest::newRow("line break and comment at the dot") << "System\n  ./* hier */in" << true;
    QTest::newRow("qualified") << "new java.util.Scanner(java.lang.System.in)" << true;
    QTest::newRow("after a character literal")
        << "char q = '\"'; var s = new Scanner(System.in);" << true;
    QTest::newRow("after a string with slashes")
        << "String u = \"http://x/*\"; new Scanner(System.in);" << true;
    QTest::newRow("after a division") << "int h = a / b; new Scanner(System.in);" << true;
    QTest::newRow("after a text block")
        << "String t = \"\"\"\n  a \\\"\"\" b\n  \"\"\";\nnew Scanner(System.in);" << true;
    // Mentions that are no use of the input.
    QTest::newRow("line comment") << "// System.in" << false;
    QTest::newRow("block comment") << "/* new Scanner(System.in) */ int x;" << false;
    QTest::newRow("doc comment over lines") << "/**\n * reads System.in\n */\nclass A {}" << false;
    QTest::newRow("unclosed comment") << "/* System.in" << false;
    QTest::newRow("string") << "System.out.println(\"System.in\");" << false;
    QTest::newRow("escaped quote in string") << "s = \"\\\" System.in\";" << false;
    QTest::newRow("text block") << "s = \"\"\"\n  System.console()\n  \"\"\";" << false;
    QTest::newRow("character literal") << "c = '\\''; // System.in" << false;
    QTest::newRow("output only") << "System.out.println(1); System.err.println(2);" << false;
    QTest::newRow("longer member") << "System.inheritedChannel();" << false;
    QTest::newRow("setIn") << "System.setIn(stream);" << false;
    QTest::newRow("other class") << "MySystem.in.read(); SystemX.console();" << false;
    QTest::newRow("letter case") << "system.in.read(); System.IN.read();" << false;
    QTest::newRow("field named in") << "p.in = 1; System.out.print(in);" << false;
    QTest::newRow("empty") << "" << false;
}

void TestBuildLogic::readsInput() {
    QFETCH(QString, source);
    QFETCH(bool, reads);
    QCOMPARE(ReadsInput(source), reads);
    // The run follows: a program reading its input runs in a window of its own.
    QCOMPARE(DecideRun(true, source), (RunPlan{reads, reads}));
}

void TestBuildLogic::javaSourceByExtension_data() {
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<bool>("java");
    QTest::newRow("java") << "/home/a/Hallo.java" << true;
    QTest::newRow("upper case") << "/home/a/Hallo.JAVA" << true;
    QTest::newRow("mixed case") << "/home/a/Hallo.Java" << true;
    QTest::newRow("dots in the name") << "/home/a/Hallo.Welt.java" << true;
    QTest::newRow("class file") << "/home/a/Rechner.class" << false;
    QTest::newRow("text file") << "/home/a/Notiz.txt" << false;
    QTest::newRow("backup copy") << "/home/a/Hallo.~java" << false;
    QTest::newRow("java before another extension") << "/home/a/Hallo.java.txt" << false;
    QTest::newRow("longer extension") << "/home/a/Hallo.javax" << false;
    QTest::newRow("no extension") << "/home/a/Hallo" << false;
    QTest::newRow("folder ending in .java") << "/home/a.java/Hallo" << false;
    QTest::newRow("no base name") << "/home/a/.java" << false;
    QTest::newRow("no-name document") << "noname" << false;
}

void TestBuildLogic::javaSourceByExtension() {
    QFETCH(QString, fileName);
    QFETCH(bool, java);
    QCOMPARE(IsJavaSource(fileName), java);
}

void TestBuildLogic::runtimeForRun_data() {
    QTest::addColumn<QString>("configured");
    QTest::addColumn<bool>("console");
    QTest::addColumn<QString>("runtime");
#ifdef Q_OS_WIN
    const QString java = "java.exe";
#else
    const QString java = "java";
#endif
    QTest::newRow("javaw") << "/opt/jdk/bin/javaw" << true << "/opt/jdk/bin/" + java;
    QTest::newRow("JAVAW.EXE") << "/opt/jdk/bin/JAVAW.EXE" << true << "/opt/jdk/bin/" + java;
    QTest::newRow("JavaW.exe") << "/opt/JDK w/bin/JavaW.exe" << true << "/opt/JDK w/bin/" + java;
    QTest::newRow("bare javaw") << "javaw" << true << java;
    QTest::newRow("no console run keeps javaw")
        << "/opt/jdk/bin/javaw" << false << "/opt/jdk/bin/javaw";
    QTest::newRow("java stays") << "/usr/bin/java" << true << "/usr/bin/java";
    QTest::newRow("javaws is not javaw") << "/opt/jdk/bin/javaws" << true << "/opt/jdk/bin/javaws";
    QTest::newRow("javaw only as directory") << "/opt/javaw/java" << true << "/opt/javaw/java";
}

void TestBuildLogic::runtimeForRun() {
    QFETCH(QString, configured);
    QFETCH(bool, console);
    QFETCH(QString, runtime);
    QCOMPARE(RuntimeForRun(configured, console), runtime);
}

void TestBuildLogic::commandsKeepWordsApart() {
    // Empty parameters add no empty argument.
    QCOMPARE(CapturedCommand("/usr/bin/javac", "", "Mein Programm.java"),
             (Command{"/usr/bin/javac", {"Mein Programm.java"}}));
    QCOMPARE(ShellCommand("/usr/bin/java", "", "Hallo"), (Command{"/usr/bin/java", {"Hallo"}}));
    // Parameters go before the target in a captured run and after it in a shell run.
    QCOMPARE(CapturedCommand("/usr/bin/java", "-Xmx64m -Da='b c'", "Hallo"),
             (Command{"/usr/bin/java", {"-Xmx64m", "-Da=b c", "Hallo"}}));
    QCOMPARE(ShellCommand("/usr/bin/java", "-Xmx64m", "Hallo"),
             (Command{"/usr/bin/java", {"Hallo", "-Xmx64m"}}));
    // A file name is one argument, whatever it holds.
    QCOMPARE(CapturedCommand("javac", "", "a; rm -rf x.java").arguments,
             QStringList{"a; rm -rf x.java"});
    // Options of our own (the debugger's agent) go to the runtime before the class either way.
    QCOMPARE(CapturedCommand("/usr/bin/java", "-Xmx64m", "Hallo", {"-agentlib:jdwp=x"}),
             (Command{"/usr/bin/java", {"-agentlib:jdwp=x", "-Xmx64m", "Hallo"}}));
    QCOMPARE(ShellCommand("/usr/bin/java", "eins", "Hallo", {"-agentlib:jdwp=x"}),
             (Command{"/usr/bin/java", {"-agentlib:jdwp=x", "Hallo", "eins"}}));
}

void TestBuildLogic::compilerParametersName_data() {
    QTest::addColumn<QString>("configured");
    QTest::addColumn<QString>("encoding");
    QTest::addColumn<QString>("parameters");
    QTest::newRow("nothing configured") << ""
                                        << "windows-1252"
                                        << "-encoding windows-1252";
    QTest::newRow("before the configured") << "-g -cp 'a b'"
                                           << "UTF-8"
                                           << "-encoding UTF-8 -g -cp 'a b'";
    QTest::newRow("configured encoding wins") << "-encoding latin1"
                                              << "UTF-8"
                                              << "-encoding latin1";
    QTest::newRow("unknown encoding") << "-g"
                                      << ""
                                      << "-g";
}

void TestBuildLogic::compilerParametersName() {
    QFETCH(QString, configured);
    QFETCH(QString, encoding);
    QFETCH(QString, parameters);
    QCOMPARE(CompilerParameters(configured, encoding), parameters);
}

void TestBuildLogic::derivedFileNames() {
    QCOMPARE(WorkingDirectoryOf("/home/a b/Hallo.java"), QString("/home/a b/"));
    QCOMPARE(ClassFileOf("/home/a b/Hallo.java"), QString("/home/a b/Hallo.class"));
    QCOMPARE(ClassFileOf("/home/x.y/Hallo"), QString("/home/x.y/Hallo.class"));
    QCOMPARE(ClassFileOf("/home/Hallo.Welt.java"), QString("/home/Hallo.Welt.class"));
#ifndef Q_OS_WIN
    // A colon is an ordinary character of a name here.
    QCOMPARE(WorkingDirectoryOf("/home/c:d/Hallo.java"), QString("/home/c:d/"));
#endif
}

void TestBuildLogic::collectorKeepsOrderAndSplitCharacters() {
    OutputCollector collector;
    const QByteArray text = QStringLiteral("Grüße, Übung\n").toUtf8();
    // Every split point, including inside the two-byte characters.
    for (qsizetype i = 0; i < text.size(); ++i)
        collector.Append(text.mid(i, 1));
    collector.Append("zweite Zeile\n");
    QCOMPARE(collector.Text(), QStringLiteral("Grüße, Übung\nzweite Zeile\n"));
    QVERIFY(!collector.Truncated());
}

void TestBuildLogic::collectorStopsAtLimit() {
    OutputCollector collector(10);
    collector.Append("12345");
    collector.Append("6789abcdef");
    collector.Append("more");
    QCOMPARE(collector.Text(), QString("123456789a"));
    QCOMPARE(collector.KeptBytes(), 10);
    QCOMPARE(collector.DroppedBytes(), 9);
    QVERIFY(collector.Truncated());
    QCOMPARE(OutputCollector::DefaultLimit, 4 * 1024 * 1024);
    QVERIFY(OutputCollector().TruncationLine().contains("4 MB"));
}

void TestBuildLogic::searchFindsNestedCompiler() {
    QTemporaryDir dir;
    const QString javac = JavaToolSearch::CompilerName();
    MakeFile(dir.filePath("prog/aaa/readme.txt"));
    MakeFile(dir.filePath("prog/tools/jdk 17/bin/") + javac);
    QString compiler, run;
    JavaToolSearch(compiler, run).SearchJavaTools(dir.filePath("prog") + '/');
    QCOMPARE(compiler, dir.filePath("prog/tools/jdk 17/bin/") + javac);
    QCOMPARE(run, dir.filePath("prog/tools/jdk 17/bin/") + JavaToolSearch::RuntimeName());
}

void TestBuildLogic::searchTakesTheFirstListedFolder() {
    QTemporaryDir dir;
    const QString javac = JavaToolSearch::CompilerName();
    const QStringList names{"eins", "zwei", "drei", "vier"};
    for (const QString &name : names)
        MakeFile(dir.filePath("prog/" + name + "/bin/") + javac);
    // The file system's own order, whatever it is, decides: the first folder it lists wins.
    QDirIterator listing(dir.filePath("prog"), QDir::Dirs | QDir::NoDotAndDotDot);
    QVERIFY(listing.hasNext());
    const QString first = listing.next();
    QString compiler, run;
    JavaToolSearch(compiler, run).SearchJavaTools(dir.filePath("prog"));
    QCOMPARE(compiler, first + "/bin/" + javac);
}

void TestBuildLogic::searchIgnoresDirectoriesNamedLikeTheCompiler() {
    QTemporaryDir dir;
    // A directory with the compiler's name does not count; hidden directories are entered.
    QDir().mkpath(dir.filePath("prog/") + JavaToolSearch::CompilerName());
    MakeFile(dir.filePath("prog/.jdk/") + JavaToolSearch::CompilerName());
    QString compiler, run;
    JavaToolSearch(compiler, run).SearchJavaTools(dir.filePath("prog"));
    QCOMPARE(compiler, dir.filePath("prog/.jdk/") + JavaToolSearch::CompilerName());
}

void TestBuildLogic::searchSurvivesDirectoryLinkLoop() {
#ifdef Q_OS_WIN
    QSKIP("directory links need rights on Windows");
#endif
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath("prog/a/b"));
    QVERIFY(QFile::link(dir.filePath("prog"), dir.filePath("prog/a/b/zurueck")));
    QVERIFY(QFile::link(dir.filePath("prog/a"), dir.filePath("prog/a/b/schleife")));
    // A compiler reachable only through a link is not used either.
    MakeFile(dir.filePath("elsewhere/") + JavaToolSearch::CompilerName());
    QVERIFY(QFile::link(dir.filePath("elsewhere"), dir.filePath("prog/a/jdk")));
    QString compiler, run;
    JavaToolSearch(compiler, run).SearchJavaTools(dir.filePath("prog"));
    QVERIFY(compiler.isEmpty());
    QVERIFY(run.isEmpty());
    // Then the search goes on outside the tree.
    MakeFile(dir.filePath("path2/") + JavaToolSearch::CompilerName());
    JavaToolSearch(compiler, run)
        .SearchEverywhere(dir.filePath("prog"), QString(),
                          dir.filePath("leer") + QDir::listSeparator() + dir.filePath("path2"));
    QCOMPARE(compiler, dir.filePath("path2/") + JavaToolSearch::CompilerName());
}

void TestBuildLogic::searchFallsBackToJavaHomeThenPath() {
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath("prog"));
    MakeFile(dir.filePath("home/bin/") + JavaToolSearch::CompilerName());
    MakeFile(dir.filePath("p1/") + JavaToolSearch::CompilerName());
    MakeFile(dir.filePath("p2/") + JavaToolSearch::CompilerName());
    const QString path = dir.filePath("p0") + QDir::listSeparator() + dir.filePath("p1") +
                         QDir::listSeparator() + dir.filePath("p2");
    QString compiler, run;
    JavaToolSearch(compiler, run)
        .SearchEverywhere(dir.filePath("prog"), dir.filePath("home"), path);
    QCOMPARE(compiler, dir.filePath("home/bin/") + JavaToolSearch::CompilerName());
    compiler.clear();
    run.clear();
    JavaToolSearch(compiler, run).SearchEverywhere(dir.filePath("prog"), QString(), path);
    QCOMPARE(compiler, dir.filePath("p1/") + JavaToolSearch::CompilerName());
    QCOMPARE(run, dir.filePath("p1/") + JavaToolSearch::RuntimeName());
    // The program directory tree comes first.
    MakeFile(dir.filePath("prog/jdk/bin/") + JavaToolSearch::CompilerName());
    compiler.clear();
    run.clear();
    JavaToolSearch(compiler, run)
        .SearchEverywhere(dir.filePath("prog"), dir.filePath("home"), path);
    QCOMPARE(compiler, dir.filePath("prog/jdk/bin/") + JavaToolSearch::CompilerName());
}

void TestBuildLogic::searchKeepsCompleteSettings() {
    QTemporaryDir dir;
    MakeFile(dir.filePath("prog/") + JavaToolSearch::CompilerName());
    QString compiler = "/mein/javac", run = "/mein/java";
    JavaToolSearch(compiler, run).SearchEverywhere(dir.filePath("prog"), QString(), QString());
    QCOMPARE(compiler, QString("/mein/javac"));
    QCOMPARE(run, QString("/mein/java"));
    // With one of them missing both are set from the place found.
    run.clear();
    JavaToolSearch(compiler, run).SearchJavaTools(dir.filePath("prog"));
    QCOMPARE(compiler, dir.filePath("prog/") + JavaToolSearch::CompilerName());
    QCOMPARE(run, dir.filePath("prog/") + JavaToolSearch::RuntimeName());
}

void TestBuildLogic::findTerminalOrder() {
    QHash<QString, QString> env;
    QStringList installed;
    const auto find = [&](const QString &name) {
        return installed.contains(name) ? "/usr/bin/" + name : QString();
    };
    const auto lookup = [&](const QString &name) { return env.value(name); };

    QVERIFY(!FindTerminal(lookup, find));
    installed = {"xterm", "konsole"};
    QCOMPARE(FindTerminal(lookup, find)->program, QString("/usr/bin/konsole"));
    installed << "x-terminal-emulator";
    QCOMPARE(FindTerminal(lookup, find)->program, QString("/usr/bin/x-terminal-emulator"));
    env["TERMINAL"] = "xterm -fa Mono";
    QCOMPARE(*FindTerminal(lookup, find), (Command{"/usr/bin/xterm", {"-fa", "Mono"}}));
    env["TERMINAL"] = "fehlt";
    QCOMPARE(FindTerminal(lookup, find)->program, QString("/usr/bin/x-terminal-emulator"));
    installed << "recorder";
    env[TerminalOverrideVariable] = "recorder 'a b'";
    QCOMPARE(*FindTerminal(lookup, find), (Command{"/usr/bin/recorder", {"a b"}}));
    QVERIFY(NoTerminalMessage().contains(TerminalPackage));
}

void TestBuildLogic::composeTerminalCommand_data() {
    QTest::addColumn<QString>("terminal");
    QTest::addColumn<QStringList>("options");
    const QString dir = "/home/a b/";
    QTest::newRow("xterm") << "/usr/bin/xterm" << QStringList{"-hold", "-e"};
    QTest::newRow("gnome-terminal")
        << "/usr/bin/gnome-terminal" << QStringList{"--working-directory=" + dir, "--"};
    QTest::newRow("konsole") << "/usr/bin/konsole" << QStringList{"--hold", "--workdir", dir, "-e"};
    QTest::newRow("xfce4 wrapper") << "/usr/bin/xfce4-terminal.wrapper"
                                   << QStringList{"--hold", "--working-directory=" + dir, "-x"};
    QTest::newRow("kitty") << "/usr/bin/kitty" << QStringList{"--hold", "--directory", dir};
    QTest::newRow("unknown") << "/opt/bin/myterm" << QStringList{"-e"};
}

void TestBuildLogic::composeTerminalCommand() {
    QFETCH(QString, terminal);
    QFETCH(QStringList, options);
    const Command inner{"/usr/bin/java", {"Hallo Welt", "-x"}};
    const Command composed =
        ComposeTerminalCommand({terminal, {"-T", "Quill"}}, inner, "/home/a b/");
    QCOMPARE(composed.program, terminal);
    const QStringList expected =
        QStringList{"-T", "Quill"} + options + QStringList{"/usr/bin/java", "Hallo Welt", "-x"};
    QCOMPARE(composed.arguments, expected);
}

void TestBuildLogic::composeFollowsTerminalLink() {
#ifdef Q_OS_WIN
    QSKIP("no links to terminals on Windows");
#endif
    QTemporaryDir dir;
    MakeFile(dir.filePath("real/konsole"));
    QVERIFY(QFile::link(dir.filePath("real/konsole"), dir.filePath("x-terminal-emulator")));
    const Command composed =
        ComposeTerminalCommand({dir.filePath("x-terminal-emulator"), {}}, {"java", {"A"}}, "/w/");
    QCOMPARE(composed.program, dir.filePath("x-terminal-emulator"));
    const QStringList expected{"--hold", "--workdir", "/w/", "-e", "java", "A"};
    QCOMPARE(composed.arguments, expected);
}

void TestBuildLogic::shippedClassPath() {
    QTemporaryDir dir;
    const QString shipped = dir.filePath("java");
    QVERIFY(QDir().mkpath(shipped));
    const QString sep = QString(QDir::listSeparator());
    QCOMPARE(ShippedClassPath("", shipped, ""), QStringLiteral(".") + sep + shipped);
    QCOMPARE(ShippedClassPath("-g -encoding UTF-8", shipped, "/a.jar"),
             QStringLiteral("/a.jar") + sep + shipped);
    // A class path of the user's own wins, in any of its spellings.
    for (const char *own : {"-cp lib", "-classpath lib", "--class-path lib", "--class-path=lib"})
        QCOMPARE(ShippedClassPath(own, shipped, ""), QString());
    // "-cp" inside a quoted word is no option.
    QCOMPARE(ShippedClassPath("'-cp lib'", shipped, ""), QStringLiteral(".") + sep + shipped);
    QCOMPARE(ShippedClassPath("", dir.filePath("fehlt"), ""), QString());
    QCOMPARE(ShippedClassPath("", "", ""), QString());
}

void TestBuildLogic::sourcePlaceOfPanelLines_data() {
    QTest::addColumn<QStringList>("panel");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("file"); // "" for no place
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("column");
    const QStringList panel = ThreeMessages() + QStringList{"2 errors", "-- Fertig --"};
    QTest::newRow("relative to the compiled file")
        << panel << 3 << "/home/lea/p r/A.java" << 3 << -1;
    QTest::newRow("column marker") << panel << 5 << "/home/lea/p r/A.java" << 3 << 10;
    QTest::newRow("quoted source line") << panel << 4 << "" << 0 << 0;
    QTest::newRow("in a subfolder") << panel << 6 << "/home/lea/p r/lib/B.java" << 12 << -1;
    QTest::newRow("absolute") << panel << 7 << "/abs/C.java" << 7 << -1;
    QTest::newRow("summary") << panel << 8 << "" << 0 << 0;
    QTest::newRow("file line") << panel << 0 << "" << 0 << 0;
    QTest::newRow("outside") << panel << 10 << "" << 0 << 0;
    QTest::newRow("no compiled file") << QStringList{"A.java:3: error: x"} << 0 << "" << 0 << 0;
    QTest::newRow("program output")
        << QStringList{"Datei \"/p/A.java\"", "", "", "Wert: 3: ok"} << 3 << "" << 0 << 0;
}

void TestBuildLogic::sourcePlaceOfPanelLines() {
    QFETCH(QStringList, panel);
    QFETCH(int, index);
    QFETCH(QString, file);
    QFETCH(int, line);
    QFETCH(int, column);
    const std::optional<SourcePlace> place = SourcePlaceAt(panel, index);
    if (file.isEmpty()) {
        QVERIFY(!place);
        return;
    }
    QVERIFY(place);
    QCOMPARE(*place, (SourcePlace{file, line, column}));
}

void TestBuildLogic::sourcePlaceOfStackTraces_data() {
    QTest::addColumn<QStringList>("panel");
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("openFiles");
    QTest::addColumn<QString>("file"); // "" for no place
    QTest::addColumn<int>("line");
    for (const char *own :
         {"Rechner.java", "Hilfe.java", "Scanner.java", "Integer.java", "de/schule/Konto.java"})
        MakeFile(m_traceDir.filePath(QString::fromLatin1(own)), false);
    const QStringList simple{
        "Datei \"{dir}/Rechner.java\"",
        "",
        "",
        "Exception in thread \"main\" java.lang.NumberFormatException: For input string: \"x\"",
        "\tat java.base/java.lang.NumberFormatException.forInputString("
        "NumberFormatException.java:67)",
        "\tat java.base/java.lang.Integer.parseInt(Integer.java:662)",
        "\tat Hilfe.lies(Hilfe.java:9)",
        "\tat Rechner.main(Rechner.java:6)",
        "-- Fertig --"};
    QTest::newRow("first line of the trace")
        << simple << 3 << QStringList() << "{dir}/Hilfe.java" << 9;
    // Integer.java of the learner is no java.lang.Integer.
    QTest::newRow("library frame") << simple << 5 << QStringList() << "{dir}/Hilfe.java" << 9;
    QTest::newRow("own frame") << simple << 7 << QStringList() << "{dir}/Rechner.java" << 6;
    QTest::newRow("after the trace") << simple << 8 << QStringList() << "" << 0;
    QTest::newRow("file line") << simple << 0 << QStringList() << "" << 0;

    const QStringList nested{"Datei \"{dir}/Rechner.java\"",
                             "Eingabe:",
                             "Exception in thread \"main\" java.lang.RuntimeException: kaputt",
                             "\tat de.schule.Konto.abheben(Konto.java:14)",
                             "\tat Rechner.lambda$main$0(Rechner.java:11)",
                             "\tat Fenster.<init>(Fenster.java:3)",
                             "Caused by: java.util.InputMismatchException",
                             "\tat java.base/java.util.Scanner.throwFor(Scanner.java:939)",
                             "\tat java.base/java.util.Scanner.next(Scanner.java:1594)",
                             "\tat app//Rechner$Eingabe.lies(Rechner.java:20)",
                             "\t... 2 more",
                             "Ende"};
    const QStringList fenster{"/anderswo/Fenster.java"};
    QTest::newRow("package below the folder")
        << nested << 3 << QStringList() << "{dir}/de/schule/Konto.java" << 14;
    QTest::newRow("lambda") << nested << 4 << QStringList() << "{dir}/Rechner.java" << 11;
    QTest::newRow("open window elsewhere")
        << nested << 5 << fenster << "/anderswo/Fenster.java" << 3;
    QTest::newRow("not open: the next own frame")
        << nested << 5 << QStringList() << "{dir}/Rechner.java" << 20;
    QTest::newRow("cause, class loader in front")
        << nested << 6 << fenster << "{dir}/Rechner.java" << 20;
    QTest::newRow("elided frames") << nested << 10 << fenster << "" << 0;
    QTest::newRow("output before the trace") << nested << 1 << fenster << "" << 0;
    QTest::newRow("output after it") << nested << 11 << fenster << "" << 0;

    QTest::newRow("compiled file in its package folder")
        << QStringList{"Datei \"{dir}/de/schule/Konto.java\"",
                       "Exception in thread \"main\" java.lang.Error",
                       "\tat de.schule.Konto.main(Konto.java:5)"}
        << 1 << QStringList() << "{dir}/de/schule/Konto.java" << 5;
    QTest::newRow("printed by the program")
        << QStringList{"Datei \"{dir}/Rechner.java\"", "java.lang.ArithmeticException: / by zero",
                       "    at Rechner.teile(Rechner.java:4)"}
        << 1 << QStringList() << "{dir}/Rechner.java" << 4;
    QTest::newRow("no line number")
        << QStringList{"Datei \"{dir}/Rechner.java\"", "Exception in thread \"main\" X",
                       "\tat Rechner.main(Unknown Source)",
                       "\tat jdk.internal.reflect.NativeMethodAccessorImpl.invoke0(Native Method)"}
        << 1 << QStringList() << "" << 0;
    QTest::newRow("only library frames")
        << QStringList{"Datei \"{dir}/Rechner.java\"", "Exception in thread \"main\" X",
                       "\tat java.base/java.util.Objects.requireNonNull(Objects.java:209)"}
        << 1 << QStringList() << "" << 0;
    QTest::newRow("without the compiled file, an open window")
        << QStringList{"Exception in thread \"main\" X", "\tat Rechner.main(Rechner.java:2)"} << 0
        << QStringList{"/p/Rechner.java"} << "/p/Rechner.java" << 2;
}

void TestBuildLogic::sourcePlaceOfStackTraces() {
    QFETCH(QStringList, panel);
    QFETCH(int, index);
    QFETCH(QStringList, openFiles);
    QFETCH(QString, file);
    QFETCH(int, line);
    const QString dir = m_traceDir.path();
    panel.replaceInStrings(QStringLiteral("{dir}"), dir);
    file.replace(QStringLiteral("{dir}"), dir);
    const std::optional<SourcePlace> place = SourcePlaceAt(panel, index, openFiles);
    if (file.isEmpty()) {
        QVERIFY2(!place, place ? qPrintable(place->fileName) : "");
        return;
    }
    QVERIFY(place);
    QCOMPARE(*place, (SourcePlace{file, line, -1}));
}

// Panels whose names the file system reads otherwise than Qt's file classes: a NUL ends a
// name there (another file, or no folder at all), a leading colon is an ordinary character
// (not one of Qt's resources), and a compiled file that is not absolute gives no folder.
void TestBuildLogic::sourcePlaceOfOddNames_data() {
    QTest::addColumn<QString>("panelFile");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("file"); // "" for no place
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("column");
    QTest::newRow("NUL in a relative compiled file")
        << "panel-nul-in-names.txt" << 1 << "" << 0 << 0;
    QTest::newRow("NUL in a message") << "panel-nul-in-names.txt" << 2 << "" << 0 << 0;
    QTest::newRow("leading colon")
        << "panel-colon-names.txt" << 1 << "/home/lea/p r/:B.java" << 3 << -1;
    QTest::newRow("leading colon, marker")
        << "panel-colon-names.txt" << 3 << "/home/lea/p r/:B.java" << 3 << 2;
    QTest::newRow("relative compiled file")
        << "panel-relative-compiled-file.txt" << 1 << "" << 0 << 0;
    QTest::newRow("leading colon without folder")
        << "panel-relative-compiled-file.txt" << 2 << "" << 0 << 0;
}

void TestBuildLogic::sourcePlaceOfOddNames() {
    QFETCH(QString, panelFile);
    QFETCH(int, index);
    QFETCH(QString, file);
    QFETCH(int, line);
    QFETCH(int, column);
    QFile input(QStringLiteral(QUILL_TEST_DATA "/") + panelFile);
    QVERIFY(input.open(QIODevice::ReadOnly));
    const QStringList panel = QString::fromUtf8(input.readAll()).split(u'\n');
    const std::optional<SourcePlace> place = SourcePlaceAt(panel, index);
    if (file.isEmpty()) {
        if (place)
            QFAIL(qPrintable(QStringLiteral("names %1").arg(place->fileName)));
        return;
    }
    QVERIFY(place);
    QCOMPARE(*place, (SourcePlace{file, line, column}));
}

void TestBuildLogic::diagnosticsOfACompile() {
    const QStringList panel{
        "Datei \"/home/lea/p r/A.java\"",
        "",
        "",
        "A.java:3: error: incompatible types: String cannot be converted to int",
        "  int x = \"s\";",
        "          ^",
        "./lib/B.java:12: warning: [removal] Integer(int) in Integer has been deprecated",
        "  Integer i = new Integer(1);",
        "              ^",
        "/abs/C.java:7: Fehler: ';' erwartet",
        "A.java:9: Warnung: [unchecked] ungeprüfter Aufruf",
        "A.java:10: Note: a: b",
        "A.java:11: Hinweis: Meldung",
        "A.java:12: something else: text",
        "Note: A.java uses unchecked or unsafe operations.",
        "2 errors",
        "-- Fertig --"};
    const QString dir = QStringLiteral("/home/lea/p r/");
    const QList<Diagnostic> expected{
        {dir + "A.java", 3, 10, DiagnosticKind::Error,
         "incompatible types: String cannot be converted to int", 3, 5},
        {dir + "lib/B.java", 12, 14, DiagnosticKind::Warning,
         "[removal] Integer(int) in Integer has been deprecated", 6, 8},
        {"/abs/C.java", 7, -1, DiagnosticKind::Error, "';' erwartet", 9, -1},
        {dir + "A.java", 9, -1, DiagnosticKind::Warning, "[unchecked] ungeprüfter Aufruf", 10, -1},
        {dir + "A.java", 10, -1, DiagnosticKind::Note, "a: b", 11, -1},
        {dir + "A.java", 11, -1, DiagnosticKind::Note, "Meldung", 12, -1},
        {dir + "A.java", 12, -1, DiagnosticKind::Error, "something else: text", 13, -1}};
    const QList<Diagnostic> diagnostics = CompilerDiagnostics(panel);
    QCOMPARE(diagnostics.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QCOMPARE(diagnostics.at(i).fileName, expected.at(i).fileName);
        QCOMPARE(diagnostics.at(i).line, expected.at(i).line);
        QCOMPARE(diagnostics.at(i).column, expected.at(i).column);
        QCOMPARE(diagnostics.at(i).kind, expected.at(i).kind);
        QCOMPARE(diagnostics.at(i).message, expected.at(i).message);
        QCOMPARE(diagnostics.at(i).messageLine, expected.at(i).messageLine);
        QCOMPARE(diagnostics.at(i).markerLine, expected.at(i).markerLine);
    }
    // The result of a compile reads them from its panel text.
    const CompileResult result = MakeCompileResult(true, 1, panel.join(u'\n'), QString());
    QVERIFY(result.diagnostics == diagnostics);
    QVERIFY(!result.Succeeded());
    QVERIFY(MakeCompileResult(true, 0, QString(), QString()).Succeeded());
    QVERIFY(!MakeCompileResult(false, 0, QString(), QString()).Succeeded());
}

// A diagnostic's lines lead exactly where the panel line itself leads (SourcePlaceAt), and
// every compiler message line or marker of one does lead somewhere through them.
void TestBuildLogic::diagnosticsLeadWhereThePanelLineLeads_data() {
    QTest::addColumn<QStringList>("panel");
    QTest::newRow("messages") << ThreeMessages() +
                                     QStringList{
                                         "   ^", "  ^", "A.java:1: error: a", "A.java:2: error: b",
                                         "  ^",  "  ^", "2 errors",           "-- Fertig --"};
    for (const char *name :
         {"panel-nul-in-names.txt", "panel-colon-names.txt", "panel-relative-compiled-file.txt"}) {
        QFile input(QStringLiteral(QUILL_TEST_DATA "/") + QString::fromLatin1(name));
        QVERIFY(input.open(QIODevice::ReadOnly));
        QTest::newRow(name) << QString::fromUtf8(input.readAll()).split(u'\n');
    }
}

void TestBuildLogic::diagnosticsLeadWhereThePanelLineLeads() {
    QFETCH(QStringList, panel);
    const QList<Diagnostic> diagnostics = CompilerDiagnostics(panel);
    for (int i = -1; i <= panel.size(); ++i) {
        const std::optional<SourcePlace> byPanel = SourcePlaceAt(panel, i);
        const std::optional<SourcePlace> byValue = DiagnosticPlaceAt(diagnostics, i);
        if (byValue) {
            QVERIFY(byPanel);
            QCOMPARE(*byValue, *byPanel);
        } else {
            QVERIFY2(!byPanel, qPrintable(QString::number(i)));
        }
    }
}

void TestBuildLogic::warmFrames_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("output");
    const auto frame = [](const char *hex) { return QByteArray::fromHex(hex); };
    const int incomplete = int(FrameState::Incomplete);
    const int complete = int(FrameState::Complete);
    const int broken = int(FrameState::Broken);
    QTest::newRow("empty") << QByteArray() << incomplete << 0 << QByteArray();
    QTest::newRow("head only") << frame("0000000100000002") << incomplete << 0 << QByteArray();
    QTest::newRow("complete, more behind")
        << frame("0000000100000002414243") << complete << 1 << QByteArray("AB");
    QTest::newRow("refused") << frame("8000000000000000") << complete << int(0x80000000)
                             << QByteArray();
    // A length that can never arrive ends the wait at once instead of at the time limit.
    QTest::newRow("negative length") << frame("00000000ffffffff") << broken << 0 << QByteArray();
    QTest::newRow("too long") << frame("0000000004000001") << broken << 0 << QByteArray();
}

void TestBuildLogic::warmFrames() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, state);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, output);
    const AnswerFrame frame = DecodeAnswerFrame(bytes);
    QCOMPARE(int(frame.state), state);
    if (frame.state != FrameState::Complete)
        return;
    QCOMPARE(frame.exitCode, exitCode);
    QCOMPARE(bytes.mid(AnswerHeadBytes, frame.outputBytes), output);
    QCOMPARE(frame.Bytes(), AnswerHeadBytes + output.size());
}

QTEST_GUILESS_MAIN(TestBuildLogic)
#include "tst_buildlogic.moc"
