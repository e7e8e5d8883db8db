// Compile, run, main file, build-all and tool discovery with the real JDK, on fake
// editor windows and a fake frame.

#include "FakeBuildHost.h"
#include "JavaFixture.h"
#include "RecordingDesktop.h"
#include "RecordingUi.h"
#include "TestEnv.h"

#include "common/ProgramDir.h"
#include "javarun/BuildCommands.h"
#include "javarun/BuildSteps.h"
#include "javarun/JavaToolSearch.h"
#include "javarun/RunningPrograms.h"
#include "javarun/TerminalCommand.h"
#include "settings/Settings.h"

#include <QCoreApplication>
#include <QTest>

namespace {

// An editor window as the build commands see it.
class FakeWindow : public QObject, public BuildTarget {
public:
    FakeWindow(const QString &fileName, const QString &text) : m_fileName(fileName) {
        const QFileInfo info(fileName);
        m_base = info.completeBaseName();
        m_ext = info.suffix().isEmpty() ? QString() : "." + info.suffix();
        m_text = text;
    }
    bool HasFile() const override { return m_fileName != QLatin1String("noname"); }
    QString FileName() const override { return m_fileName; }
    QString FileBase() const override { return m_base; }
    QString FileExt() const override { return m_ext; }
    QString SourceEncoding() const override { return QStringLiteral("UTF-8"); }
    QString SourceText() const override { return m_text; }
    bool Modified() const override { return m_modified; }
    bool IsModified() const { return m_modified; }
    bool WriteForBuild() override {
        ++writes;
        QFile file(m_fileName);
        if (!file.open(QIODevice::WriteOnly))
            return false;
        file.write(m_text.toUtf8());
        m_modified = false;
        return true;
    }
    void ShowBuildStatus(const QString &text) override {
        statuses << text;
        if (onStatus)
            onStatus();
    }
    QObject *LifetimeObject() override { return this; }

    // Replaces the text as a user edit would: the document becomes modified.
    void Edit(const QString &text) {
        m_text = text;
        m_modified = true;
    }

    int writes = 0;
    QStringList statuses;
    std::function<void()> onStatus; // runs inside the compile's waiting

private:
    QString m_fileName, m_base, m_ext;
    QString m_text;
    bool m_modified = false;
};

const char *HalloText = R"(public class Hallo {
    public static void main(String[] args) {
        System.out.println("Hallo Welt");
        for (String a : args) System.out.println("[" + a + "]");
    }
})";

QByteArray ClassText(const QString &name, const QString &says) {
    return QStringLiteral("public class %1 { public static void main(String[] a) { "
                          "System.out.println(\"%2\"); } }")
        .arg(name, says)
        .toUtf8();
}

} // namespace

class TestBuildCommands : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void compileErrorRunsNothingAndFocusesPanel();
    void compileGivesItsResultAsValues();
    void successIsTheCompilersExitCode();
    void stepsReturnProblemsWithoutABox();
    void runCompilesAndShowsOutput();
    void unsavedChangesAreWrittenBeforeCompiling();
    void neverSavedDocumentIsRefused();
    void undeletableClassFileStopsTheCompile();
    void decisionTable_data();
    void decisionTable();
    void scannerProgramAsksInATerminal();
    void otherFilesAreNeitherCompiledNorDeleted();
    void shellRunWithoutTerminalNamesAPackage();
    void shellRunOfMissingRuntime();
    void mainFileRunsTheChosenWindow();
    void setMainJavaChoosesTheWindow();
    void buildAllLeavesTheLastOutputAndSkipsUnsaved();
    void consoleProgramFindsTheShippedEnvironment();
    void chosenMainFileWithoutAWindowIsReported();
    void aSecondBuildWaitsForNone();
    void stopEndsAProgramLeftRunning();
    void discoveryInNestedFolder();
    void discoveryThroughPath();
    void discoveryFindsNothing();

private:
    FakeBuildHost &Frame();
    QStringList PanelLines() const { return m_host.output.Lines(); }
    QString WriteTerminalRecorder();
    QStringList RecordedCommand() const;

    TestEnv m_env;
    JavaFixture m_java;
    RecordingUi *m_ui = nullptr;
    FakeBuildHost m_host;
    QList<FakeWindow *> m_windows;
    QString m_hallo;
    QString m_jdkBin;
};

void TestBuildCommands::initTestCase() {
    QVERIFY2(!JavaFixture::Javac().isEmpty(), "the tests need the JDK");
    m_host.targets = [this] {
        QList<std::shared_ptr<BuildTarget>> list;
        for (FakeWindow *window : std::as_const(m_windows))
            list << std::shared_ptr<BuildTarget>(window, [](BuildTarget *) {});
        return list;
    };

    m_hallo = m_java.Write("Hallo.java", HalloText);
    QVERIFY(JavaFixture::Compile({m_hallo}));
    // A JDK directory with a windowless runtime name, as on Windows, to see the substitution.
    m_jdkBin = m_java.Path("jdk/bin/");
    QDir().mkpath(m_jdkBin);
    QVERIFY(QFile::link(JavaFixture::Java(), m_jdkBin + JavaToolSearch::RuntimeName()));
    QVERIFY(QFile::link(JavaFixture::Java(), m_jdkBin + "JavaW.Exe"));
}

void TestBuildCommands::init() {
    m_ui = new RecordingUi;
    Settings::Compiler = JavaFixture::Javac();
    Settings::CompilerParameter.clear();
    Settings::Run = JavaFixture::Java();
    Settings::RunParameter.clear();
    m_host.umleitung = true;
    m_host.output = RecordingOutput();
    m_host.compilesShown = 0;
    m_host.mainFiles.clear();
    m_host.chosen = -1;
    qputenv(TerminalOverrideVariable, WriteTerminalRecorder().toLocal8Bit());
}

void TestBuildCommands::cleanup() {
    qDeleteAll(m_windows);
    m_windows.clear();
    delete m_ui;
    m_ui = nullptr;
    qunsetenv(TerminalOverrideVariable);
}

FakeBuildHost &TestBuildCommands::Frame() {
    return m_host;
}

// A stand-in terminal that writes the command it was given into a file, one word a line.
QString TestBuildCommands::WriteTerminalRecorder() {
    const QString script = m_env.path("terminal/record");
    const QString output = m_env.path("terminal/command.txt");
    QFile::remove(output);
    QDir().mkpath(m_env.path("terminal"));
    QFile file(script);
    if (file.open(QIODevice::WriteOnly))
        file.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$@\" > '%1.tmp'\n"
                                  "mv '%1.tmp' '%1'\n")
                       .arg(output)
                       .toLocal8Bit());
    file.close();
    file.setPermissions(file.permissions() | QFile::ExeOwner);
    return script;
}

QStringList TestBuildCommands::RecordedCommand() const {
    QFile file(m_env.path("terminal/command.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList words = QString::fromLocal8Bit(file.readAll()).split(u'\n');
    words.removeLast();
    return words;
}

void TestBuildCommands::compileErrorRunsNothingAndFocusesPanel() {
    const QString source = m_java.Write("fehler/Kaputt.java", "class Kaputt { int x = ; }");
    m_windows << new FakeWindow(source, "class Kaputt { int x = ; }");
    MnRunClick(*m_windows.first(), Frame());
    QVERIFY(!QFile::exists(m_java.Path("fehler/Kaputt.class")));
    const QStringList lines = PanelLines();
    QCOMPARE(lines.first(), "Datei \"" + source + "\"");
    QVERIFY(lines.at(3).startsWith("Kaputt.java:1: error:"));
    QCOMPARE(lines.last(), QString("-- Fertig --"));
    QCOMPARE(m_host.output.focusRequests, 1);
    QVERIFY(m_ui->boxes.isEmpty());
    QCOMPARE(m_windows.first()->statuses, (QStringList{"Kompiliere Kaputt.java ...", ""}));
}

void TestBuildCommands::compileGivesItsResultAsValues() {
    const QByteArray text = "public class Zwei {\n  int a = \"x\";\n  int b = y;\n}\n";
    const QString source = m_java.Write("werte/Zwei.java", text);
    FakeWindow window(source, text);
    const CompileOutcome outcome = CompileFile(window, Frame());
    QVERIFY(outcome.problems.isEmpty());
    QVERIFY(outcome.result);
    const CompileResult &result = *outcome.result;
    QVERIFY(result.ended);
    QCOMPARE(result.exitCode, 1);
    QVERIFY(!outcome.Succeeded());
    // The panel shows the result's text; the messages are read from it, in order.
    QCOMPARE(m_host.output.text, result.panelText + "\n-- Fertig --");
    QCOMPARE(m_host.compilesShown, 1);
    QCOMPARE(result.diagnostics.size(), 2);
    const QStringList lines = PanelLines();
    for (int i = 0; i < 2; ++i) {
        const Diagnostic &message = result.diagnostics.at(i);
        QCOMPARE(message.fileName, source);
        QCOMPARE(message.line, i + 2);
        QCOMPARE(message.kind, DiagnosticKind::Error);
        QVERIFY(lines.at(message.messageLine)
                    .startsWith(QStringLiteral("Zwei.java:%1: error: ").arg(i + 2)));
        QVERIFY(lines.at(message.messageLine).endsWith(": " + message.message));
        QCOMPARE(message.markerLine, message.messageLine + 2);
        QCOMPARE(message.column, int(lines.at(message.markerLine).indexOf(u'^')));
        QCOMPARE(message.column, 10);
    }
}

// The compile succeeds when the compiler says so, wherever it puts the class file.
void TestBuildCommands::successIsTheCompilersExitCode() {
    const QString source = m_java.Write("ziel/Ziel.java", ClassText("Ziel", "z"));
    QDir().mkpath(m_java.Path("ziel/klassen"));
    Settings::CompilerParameter = "-d klassen";
    m_windows << new FakeWindow(source, ClassText("Ziel", "z"));
    MnCompilerClick(*m_windows.first(), Frame());
    Settings::CompilerParameter.clear();
    QVERIFY(QFile::exists(m_java.Path("ziel/klassen/Ziel.class")));
    QVERIFY(!QFile::exists(m_java.Path("ziel/Ziel.class")));
    QCOMPARE(m_host.output.focusRequests, 0);
    QCOMPARE(m_host.compilesShown, 1);
}

void TestBuildCommands::stepsReturnProblemsWithoutABox() {
    FakeWindow unsaved("noname", HalloText);
    const std::optional<BuildProblem> refusal = BuildRefusal(unsaved);
    QVERIFY(refusal);
    QCOMPARE(refusal->text, QString("Bitte die Datei erst speichern"));
    QCOMPARE(refusal->caption, QString("Hinweis"));
    QCOMPARE(refusal->icon, MsgIcon::Warning);
    QVERIFY(NotJavaSource(m_java.Path("a.txt")) == OnlyJavaProblem());
    QVERIFY(!NotJavaSource(m_hallo));

    const QString source = m_java.Write("fest2/Fest.java", ClassText("Fest", "x"));
    QVERIFY(QDir().mkpath(m_java.Path("fest2/Fest.class/inhalt")));
    FakeWindow window(source, ClassText("Fest", "x"));
    const CompileOutcome outcome = CompileFile(window, Frame());
    QVERIFY(!outcome.result);
    QCOMPARE(outcome.problems.size(), 1);
    QCOMPARE(outcome.problems.first().text,
             QString("Die class-Datei konnte nicht gelöscht werden"));
    QCOMPARE(MainFileNotOpenProblem("/x/A.java").text,
             QString("Die Maindatei\r\n/x/A.java\r\nist in keinem Fenster geöffnet."));
    QVERIFY(m_ui->boxes.isEmpty());
}

void TestBuildCommands::runCompilesAndShowsOutput() {
    m_windows << new FakeWindow(m_hallo, HalloText);
    QFile::remove(m_java.Path("Hallo.class"));
    Settings::RunParameter = "'ein Wort' zwei";
    MnRunClick(*m_windows.first(), Frame());
    QVERIFY(QFile::exists(m_java.Path("Hallo.class")));
    // Captured: the parameters go to the runtime, which takes "ein Wort" as the class name.
    QVERIFY(m_host.output.text.contains("ein Wort"));
    Settings::RunParameter.clear();
    MnRunClick(*m_windows.first(), Frame());
    QCOMPARE(m_host.output.text, "Datei \"" + m_hallo + "\"\n\n\nHallo Welt\n-- Fertig --");
    QCOMPARE(m_windows.first()->writes, 0);
}

void TestBuildCommands::unsavedChangesAreWrittenBeforeCompiling() {
    const QString source = m_java.Write("neu/Neu.java", ClassText("Neu", "alt"));
    m_windows << new FakeWindow(source, ClassText("Neu", "alt"));
    m_windows.first()->Edit(ClassText("Neu", "neu"));
    MnRunClick(*m_windows.first(), Frame());
    QCOMPARE(m_windows.first()->writes, 1);
    QVERIFY(!m_windows.first()->IsModified());
    QCOMPARE(PanelLines().mid(3), (QStringList{"neu", "-- Fertig --"}));
}

void TestBuildCommands::neverSavedDocumentIsRefused() {
    m_windows << new FakeWindow("noname", HalloText);
    m_windows.first()->Edit("geändert");
    m_host.output.SetText("bleibt");
    MnCompilerClick(*m_windows.first(), Frame());
    MnRunClick(*m_windows.first(), Frame());
    QCOMPARE(m_ui->texts(),
             (QStringList{"Bitte die Datei erst speichern", "Bitte die Datei erst speichern"}));
    QCOMPARE(m_ui->boxes.first().caption, QString("Hinweis"));
    QCOMPARE(m_ui->boxes.first().icon, MsgIcon::Warning);
    QCOMPARE(m_windows.first()->writes, 0);
    QCOMPARE(m_host.output.text, QString("bleibt"));
}

void TestBuildCommands::undeletableClassFileStopsTheCompile() {
    const QString source = m_java.Write("fest/Fest.java", ClassText("Fest", "x"));
    // A directory in the class file's place cannot be deleted as a file.
    QVERIFY(QDir().mkpath(m_java.Path("fest/Fest.class/inhalt")));
    m_windows << new FakeWindow(source, ClassText("Fest", "x"));
    m_host.output.SetText("bleibt");
    MnCompilerClick(*m_windows.first(), Frame());
    QCOMPARE(m_ui->texts(), QStringList{"Die class-Datei konnte nicht gelöscht werden"});
    QCOMPARE(m_ui->boxes.first().caption, QString("Hinweis"));
    QCOMPARE(m_host.output.text, QString("bleibt"));
}

void TestBuildCommands::decisionTable_data() {
    QTest::addColumn<bool>("umleitung");
    QTest::addColumn<QString>("words");
    QTest::addColumn<bool>("shell");
    QTest::addColumn<QString>("runtime"); // name in the JDK directory
    QTest::newRow("System.in.read") << true << "System.in.read" << true << "java";
    QTest::newRow("Scanner") << true << "new Scanner(System.in)" << true << "java";
    QTest::newRow("System.in in a comment") << true << "// System.in" << false << "JavaW.Exe";
    QTest::newRow("JFrame") << true << "JFrame" << true << "JavaW.Exe";
    QTest::newRow("JDialog and Environment") << true << "JDialog Environment" << true << "java";
    QTest::newRow("extends Environment") << true << "extends Environment" << true << "java";
    QTest::newRow("Environment alone") << true << "Environment\nextends" << false << "java";
    QTest::newRow("none") << true << "nichts" << false << "JavaW.Exe";
    QTest::newRow("unchecked") << false << "System.in.read" << true << "JavaW.Exe";
}

void TestBuildCommands::decisionTable() {
    QFETCH(bool, umleitung);
    QFETCH(QString, words);
    QFETCH(bool, shell);
    QFETCH(QString, runtime);
    Settings::Run = m_jdkBin + "JavaW.Exe";
    Settings::RunParameter = "-x 'y z'";
    m_host.umleitung = umleitung;
    // The class is compiled already; the window's text alone decides the run.
    m_windows << new FakeWindow(m_hallo, QString(HalloText) + "\n" + words);
    m_host.output.SetText("vorher");
    RunFile(*m_windows.first(), Frame());
    if (shell) {
        QTRY_VERIFY(!RecordedCommand().isEmpty());
        QCOMPARE(RecordedCommand(), (QStringList{"-e", m_jdkBin + runtime, "Hallo", "-x", "y z"}));
        QCOMPARE(m_host.output.text, QString("vorher"));
    } else {
        // Captured: the runtime takes the parameters itself, so give it harmless ones.
        QVERIFY(RecordedCommand().isEmpty());
        QVERIFY2(m_host.output.text.startsWith("Datei \"" + m_hallo + "\""),
                 qPrintable(m_host.output.text));
        QCOMPARE(PanelLines().last(), QString("-- Fertig --"));
        Settings::RunParameter = "-Xshare:auto";
        RunFile(*m_windows.first(), Frame());
        QCOMPARE(PanelLines().mid(3), (QStringList{"Hallo Welt", "-- Fertig --"}));
    }
    QVERIFY(m_ui->boxes.isEmpty());
    QCOMPARE(Settings::Run, m_jdkBin + "JavaW.Exe"); // the substitution holds for one run
}

void TestBuildCommands::scannerProgramAsksInATerminal() {
    // A first program as a learner writes it: with "Mit Umleitung" (the default) it must not
    // meet the end of its input in the panel, but run where the learner can type.
    const QByteArray text = "import java.util.Scanner;\n"
                            "public class Rechner {\n"
                            "  public static void main(String[] args) {\n"
                            "    Scanner ein = new Scanner(System.in);\n"
                            "    int a = ein.nextInt();\n"
                            "    System.out.println(a * 2);\n"
                            "  }\n"
                            "}\n";
    const QString source = m_java.Write("scanner/Rechner.java", text);
    m_windows << new FakeWindow(source, text);
    MnRunClick(*m_windows.first(), Frame());
    QVERIFY2(QFile::exists(m_java.Path("scanner/Rechner.class")), qPrintable(m_host.output.text));
    QTRY_VERIFY(!RecordedCommand().isEmpty());
    QCOMPARE(RecordedCommand(), (QStringList{"-e", Settings::Run, "Rechner"}));
    QCOMPARE(PanelLines().first(), "Datei \"" + source + "\""); // the compile's output only
    QVERIFY(m_ui->boxes.isEmpty());
}

void TestBuildCommands::otherFilesAreNeitherCompiledNorDeleted() {
    // Beside a text file lies a class file of the same base name that no compile made.
    const QString notes = m_java.Write("andere/Notiz.txt", "Notizen");
    const QString classFile = m_java.Write("andere/Notiz.class", "fremd");
    const QString one = m_java.Write("andere/Eins.java", ClassText("Eins", "1"));
    const QString notice = "Nur Java-Quelltexte (*.java) können kompiliert werden.";
    auto *window = new FakeWindow(notes, "Notizen");
    window->Edit("Notizen, geändert");
    m_windows << window;
    m_host.output.SetText("vorher");
    MnCompilerClick(*window, Frame());
    MnRunClick(*window, Frame());
    QCOMPARE(m_ui->texts(), QStringList(2, notice));
    QCOMPARE(m_ui->boxes.first().caption, QString("Hinweis"));
    QCOMPARE(window->writes, 0);
    QVERIFY(window->IsModified());
    QVERIFY(QFile::exists(classFile));
    QCOMPARE(m_host.output.text, QString("vorher"));

    // Build-all compiles the Java file and says once that the others are left alone.
    m_windows << new FakeWindow(one, ClassText("Eins", "1"));
    m_host.mainFiles = {notes, one};
    m_ui->clear();
    BuildAll(Frame());
    QCOMPARE(m_ui->texts(), QStringList{notice});
    QCOMPARE(window->writes, 0);
    QVERIFY(QFile::exists(classFile));
    QVERIFY(QFile::exists(m_java.Path("andere/Eins.class")));
    QCOMPARE(PanelLines().first(), "Datei \"" + one + "\"");

    // A main file that is no Java source stops F9 before the Java window is compiled.
    QFile::remove(m_java.Path("andere/Eins.class"));
    m_host.chosen = 0;
    m_host.output.SetText("vorher");
    m_ui->clear();
    MnRunClick(*m_windows.at(1), Frame());
    QCOMPARE(m_ui->texts(), QStringList{notice});
    QVERIFY(!QFile::exists(m_java.Path("andere/Eins.class")));
    QVERIFY(QFile::exists(classFile));
    QCOMPARE(m_host.output.text, QString("vorher"));
    RunMainFile(Frame());
    QCOMPARE(m_ui->texts(), QStringList(2, notice));
    QCOMPARE(m_host.output.text, QString("vorher"));
}

void TestBuildCommands::shellRunWithoutTerminalNamesAPackage() {
    qunsetenv(TerminalOverrideVariable);
    const QByteArray terminal = qgetenv("TERMINAL");
    const QByteArray path = qgetenv("PATH");
    qunsetenv("TERMINAL");
    qputenv("PATH", QFile::encodeName(m_env.path("leer")));
    m_windows << new FakeWindow(m_hallo, QString(HalloText) + "// JFrame");
    RunFile(*m_windows.first(), Frame());
    qputenv("PATH", path);
    if (!terminal.isEmpty())
        qputenv("TERMINAL", terminal);
    QCOMPARE(m_ui->texts(),
             (QStringList{NoTerminalMessage(), "Fehler beim Aufruf des externen Programms"}));
    QVERIFY(m_ui->texts().first().contains("apt-get install xterm"));
    QCOMPARE(m_ui->boxes.first().icon, MsgIcon::Error);
}

void TestBuildCommands::shellRunOfMissingRuntime() {
    Settings::Run = m_java.Path("fehlt/java");
    m_windows << new FakeWindow(m_hallo, QString(HalloText) + "// JFrame");
    RunFile(*m_windows.first(), Frame());
    QCOMPARE(m_ui->texts(), (QStringList{"Fehler beim Aufruf der Datei/des Programms\r\n" +
                                             Settings::Run + "\r\nDas Programm existiert nicht",
                                         "Fehler beim Aufruf des externen Programms"}));
    QVERIFY(RecordedCommand().isEmpty());
}

void TestBuildCommands::mainFileRunsTheChosenWindow() {
    const QString a = m_java.Write("haupt/A.java", ClassText("A", "ich bin A"));
    const QString b = m_java.Write("haupt/B.java", ClassText("B", "ich bin B"));
    QVERIFY(JavaFixture::Compile({b}));
    m_windows << new FakeWindow(a, ClassText("A", "ich bin A"))
              << new FakeWindow(b, ClassText("B", "ich bin B"));
    m_host.mainFiles = {a, b};
    m_host.chosen = 1;
    MnRunClick(*m_windows.first(), Frame());
    QVERIFY(QFile::exists(m_java.Path("haupt/A.class"))); // the current window is compiled
    QCOMPARE(m_host.output.text, "Datei \"" + b + "\"\n\n\nich bin B\n-- Fertig --");
}

void TestBuildCommands::setMainJavaChoosesTheWindow() {
    m_windows << new FakeWindow(m_java.Path("x/A.java"), "")
              << new FakeWindow(m_java.Path("x/B.java"), "");
    m_host.mainFiles = {m_java.Path("x/A.java"), m_java.Path("x/B.java")};
    MnSetMainJava(*m_windows.at(1), Frame());
    QCOMPARE(m_host.chosen, 1);
}

void TestBuildCommands::buildAllLeavesTheLastOutputAndSkipsUnsaved() {
    const QString one = m_java.Write("alle/Eins.java", ClassText("Eins", "1"));
    const QString two = m_java.Write("alle/Zwei.java", ClassText("Zwei", "2"));
    const QString three = m_java.Write("alle/Drei.java", "class Drei { x }");
    m_windows << new FakeWindow(one, ClassText("Eins", "1")) << new FakeWindow("noname", "")
              << new FakeWindow(two, ClassText("Zwei", "2"))
              << new FakeWindow(three, "class Drei { x }");
    m_windows.at(1)->Edit("ungespeichert");
    m_host.mainFiles = {one, "", two, three};
    BuildAll(Frame());
    QVERIFY(QFile::exists(m_java.Path("alle/Eins.class")));
    QVERIFY(QFile::exists(m_java.Path("alle/Zwei.class")));
    QCOMPARE(PanelLines().first(), "Datei \"" + three + "\"");
    QVERIFY(PanelLines().at(3).startsWith("Drei.java:1: error:"));
    QCOMPARE(m_windows.at(1)->writes, 0);
    QVERIFY(!QFile::exists("noname"));
    QVERIFY(m_ui->boxes.isEmpty());
}

void TestBuildCommands::consoleProgramFindsTheShippedEnvironment() {
    const QString bin = QCoreApplication::applicationDirPath();
    QVERIFY2(QFile::exists(bin + "/java/Environment.class"), "the build ships the class");
    SetProgramDirForTesting(bin);
    const QByteArray text = "public class Brenn extends Environment {\n"
                            "  public static void main(String[] a) { int x = stdin.readInt(); }\n"
                            "}\n";
    m_windows << new FakeWindow(m_java.Write("brenn/Brenn.java", text), text);
    MnCompilerClick(*m_windows.first(), Frame());
    SetProgramDirForTesting(m_env.path("prog"));
    QVERIFY2(QFile::exists(m_java.Path("brenn/Brenn.class")), qPrintable(m_host.output.text));
    // Nothing of the shipped class is written into the learner's folder.
    QVERIFY(!QFile::exists(m_java.Path("brenn/Environment.class")));
}

void TestBuildCommands::chosenMainFileWithoutAWindowIsReported() {
    m_windows << new FakeWindow(m_hallo, HalloText);
    m_host.mainFiles = {m_java.Path("weg/Weg.java")};
    m_host.chosen = 0;
    MnRunClick(*m_windows.first(), Frame());
    QCOMPARE(m_ui->boxes.size(), 1);
    QVERIFY(m_ui->boxes.first().text.contains(m_java.Path("weg/Weg.java")));
}

void TestBuildCommands::aSecondBuildWaitsForNone() {
    // While one build command runs (its waiting lets queued commands through), another
    // one starts nothing and beeps.
    RecordingDesktop desktop;
    m_windows << new FakeWindow(m_hallo, HalloText);
    int nested = 0;
    m_windows.first()->onStatus = [&] {
        if (nested++ == 0) {
            MnCompilerClick(*m_windows.first(), Frame());
            MnRunClick(*m_windows.first(), Frame());
            BuildAll(Frame());
        }
    };
    MnCompilerClick(*m_windows.first(), Frame());
    QCOMPARE(desktop.beeps, 3);
    QCOMPARE(m_windows.first()->statuses.size(), 2); // one compile only
    // Afterwards the next command runs again.
    MnCompilerClick(*m_windows.first(), Frame());
    QCOMPARE(desktop.beeps, 3);
    QCOMPARE(m_windows.first()->statuses.size(), 4);
}

void TestBuildCommands::stopEndsAProgramLeftRunning() {
    RunningPrograms programs;
    m_host.programs = &programs;
    const QByteArray endless = "public class Endlos { public static void main(String[] a) "
                               "throws Exception { while (true) Thread.sleep(20); } }";
    const QString source = m_java.Write("stop/Endlos.java", endless);
    QVERIFY(JavaFixture::Compile({source}));
    m_windows << new FakeWindow(source, endless);
    RunFile(*m_windows.first(), Frame()); // returns while the program goes on
    QVERIFY(programs.AnyRunning());
    StopProgram(Frame());
    QCOMPARE(PanelLines().last(), QString("-- Programm beendet --"));
    QTRY_VERIFY(!programs.AnyRunning());

    // A program that ended by itself leaves nothing to stop.
    m_windows << new FakeWindow(m_hallo, HalloText);
    RunFile(*m_windows.last(), Frame());
    QVERIFY(!programs.AnyRunning());
    StopProgram(Frame());
    QCOMPARE(PanelLines().last(), QString("-- Fertig --"));
    m_host.programs = nullptr;
}

void TestBuildCommands::discoveryInNestedFolder() {
    const QString bin = m_env.path("prog/tools/jdk/bin/");
    QDir().mkpath(bin);
    QVERIFY(QFile::link(JavaFixture::Javac(), bin + JavaToolSearch::CompilerName()));
    QVERIFY(QFile::link(m_env.path("prog"), m_env.path("prog/tools/schleife")));
    Settings::Compiler.clear();
    Settings::Run.clear();
    int settingsOpened = 0;
    FindJavaTools([&] { ++settingsOpened; });
    QCOMPARE(Settings::Compiler, bin + JavaToolSearch::CompilerName());
    QCOMPARE(Settings::Run, bin + JavaToolSearch::RuntimeName());
    QCOMPARE(m_ui->texts(), QStringList{"Die Pfade der Java-Programme wurden gesetzt\r\n\r\n"
                                        "Kompiler: " +
                                        Settings::Compiler + "\r\nProgramm: " + Settings::Run});
    QCOMPARE(m_ui->boxes.first().caption, QString("Hinweis"));
    QCOMPARE(settingsOpened, 0);
    // Saved at once.
    Settings::Compiler.clear();
    LoadSettings();
    QCOMPARE(Settings::Compiler, bin + JavaToolSearch::CompilerName());
    QDir(m_env.path("prog/tools")).removeRecursively();
}

void TestBuildCommands::discoveryThroughPath() {
    const QByteArray path = qgetenv("PATH");
    const QByteArray javaHome = qgetenv("JAVA_HOME");
    qunsetenv("JAVA_HOME");
    qputenv("PATH", QFile::encodeName(m_env.path("leer") + ":" +
                                      QFileInfo(JavaFixture::Javac()).absolutePath()));
    Settings::Compiler.clear();
    FindJavaTools({});
    qputenv("PATH", path);
    if (!javaHome.isEmpty())
        qputenv("JAVA_HOME", javaHome);
    QCOMPARE(Settings::Compiler, JavaFixture::Javac());
    QCOMPARE(Settings::Run, QFileInfo(JavaFixture::Javac()).absolutePath() + "/java");
}

void TestBuildCommands::discoveryFindsNothing() {
    const QByteArray path = qgetenv("PATH");
    const QByteArray javaHome = qgetenv("JAVA_HOME");
    qunsetenv("JAVA_HOME");
    qputenv("PATH", QFile::encodeName(m_env.path("leer")));
    Settings::Compiler.clear();
    Settings::Run.clear();
    int settingsOpened = 0;
    FindJavaTools([&] { ++settingsOpened; });
    qputenv("PATH", path);
    if (!javaHome.isEmpty())
        qputenv("JAVA_HOME", javaHome);
    QCOMPARE(m_ui->texts(),
             QStringList{"Bitte tragen Sie den Compiler und die Laufzeitumgebung ein"});
    QCOMPARE(settingsOpened, 1);
    QVERIFY(Settings::Compiler.isEmpty());
}

QTEST_GUILESS_MAIN(TestBuildCommands)
#include "tst_buildcommands.moc"
