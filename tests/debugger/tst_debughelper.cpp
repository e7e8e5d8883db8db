// The debug helper with the real JDK, driven through DebugClient as Quill drives it: small
// programs compiled with -g, each started as F9 starts a program, with the agent told to
// connect to the helper's port. One helper serves every case; waits on signals only.
#include "debugger/DebugAgent.h"
#include "debugger/DebugClient.h"
#include "debugger/DebugProtocol.h"
#include "TestEnv.h"

#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>

#include <csignal>
#include <memory>

namespace {

QString Java() {
    return QStandardPaths::findExecutable(QStringLiteral("java"));
}

QString Javac() {
    return QStandardPaths::findExecutable(QStringLiteral("javac"));
}

// The programs, one per case, all in one folder; line numbers matter to the cases.
const char *const Programs[][2] = {
    {"Schleife.java", "public class Schleife {\n"
                      "    public static void main(String[] args) {\n"
                      "        int summe = 0;\n"
                      "        for (int i = 0; i < 4; i++) {\n"
                      "            summe = summe + i;\n"
                      "        }\n"
                      "        System.out.println(summe);\n"
                      "    }\n"
                      "}\n"},
    {"Rekursion.java", "public class Rekursion {\n"
                       "    static int fakultaet(int n) {\n"
                       "        if (n <= 1)\n"
                       "            return 1;\n"
                       "        return n * fakultaet(n - 1);\n"
                       "    }\n"
                       "    public static void main(String[] args) {\n"
                       "        System.out.println(fakultaet(3));\n"
                       "    }\n"
                       "}\n"},
    {"Person.java", "public class Person {\n"
                    "    static int anzahl = 2;\n"
                    "    String name = \"Anna\";\n"
                    "    int alter = 12;\n"
                    "    Person freund;\n"
                    "    char zeichen = 'x';\n"
                    "    void gruesse() {\n"
                    "        String gruss = \"Hallo\\t\\\"Welt\\\"\";\n"
                    "        System.out.println(gruss + name);\n"
                    "    }\n"
                    "    public static void main(String[] args) {\n"
                    "        Person p = new Person();\n"
                    "        p.gruesse();\n"
                    "    }\n"
                    "}\n"},
    {"Felder.java", "public class Felder {\n"
                    "    public static void main(String[] args) {\n"
                    "        int[] zahlen = new int[150];\n"
                    "        for (int i = 0; i < zahlen.length; i++)\n"
                    "            zahlen[i] = i * 2;\n"
                    "        String[] woerter = {\"a\", null};\n"
                    "        System.out.println(zahlen[149] + woerter[0]);\n"
                    "    }\n"
                    "}\n"},
    {"Ausnahme.java",
     "public class Ausnahme {\n"
     "    static int teile(int a, int b) {\n"
     "        return a / b;\n"
     "    }\n"
     "    public static void main(String[] args) {\n"
     "        try { Integer.parseInt(\"x\"); } catch (NumberFormatException e) { }\n"
     "        System.out.println(teile(6, 0));\n"
     "    }\n"
     "}\n"},
    {"Nichts.java", "public class Nichts {\n"
                    "    public static void main(String[] args) {\n"
                    "        String s = null;\n"
                    "        System.out.println(s.length());\n"
                    "    }\n"
                    "}\n"},
    {"Eingabe.java",
     "import java.io.*;\n"
     "public class Eingabe {\n"
     "    public static void main(String[] args) throws IOException {\n"
     "        BufferedReader in = new BufferedReader(new InputStreamReader(System.in));\n"
     "        System.out.println(\"Bitte eingeben:\");\n"
     "        System.out.println(in.readLine());\n"
     "    }\n"
     "}\n"},
    {"Bank.java", "public class Bank {\n"
                  "    public static void main(String[] args) {\n"
                  "        Konto k = new Konto();\n"
                  "        k.einzahlen(5);\n"
                  "        System.out.println(k.stand);\n"
                  "    }\n"
                  "}\n"},
    {"Konto.java", "public class Konto {\n"
                   "    int stand;\n"
                   "    void einzahlen(int betrag) {\n"
                   "        stand = stand + betrag;\n"
                   "    }\n"
                   "}\n"},
    {"Leer.java", "public class Leer {\n"
                  "    public static void main(String[] args) {\n"
                  "        int a = 1;\n"
                  "\n"
                  "        // nichts\n"
                  "        int b = a + 1;\n"
                  "        System.out.println(b);\n"
                  "    }\n"
                  "}\n"},
    {"Faeden.java",
     "public class Faeden {\n"
     "    static void arbeite(int n) {\n"
     "        System.out.println(n);\n"
     "    }\n"
     "    public static void main(String[] args) throws Exception {\n"
     "        java.util.concurrent.CyclicBarrier los = new java.util.concurrent.CyclicBarrier(2);\n"
     "        Thread a = new Thread(() -> {\n"
     "            try { los.await(); } catch (Exception e) { }\n"
     "            arbeite(1);\n"
     "        });\n"
     "        a.start();\n"
     "        los.await();\n"
     "        arbeite(2);\n"
     "        a.join();\n"
     "    }\n"
     "}\n"},
    {"Raus.java", "public class Raus {\n"
                  "    public static void main(String[] args) {\n"
                  "        System.out.println(\"eins\");\n"
                  "    }\n"
                  "}\n"},
};

// What one action led to: a stop with the variables of its innermost frame, or the end.
struct Outcome {
    bool stopped = false;
    bool ended = false;
    QString failure;
    DebugStop stop;
    QList<DebugVariable> variables;

    int Line() const { return stop.frames.isEmpty() ? -1 : stop.frames.first().line; }
};

QStringList Names(const QList<DebugVariable> &variables) {
    QStringList names;
    for (const DebugVariable &variable : variables)
        names << variable.name;
    return names;
}

DebugVariable Find(const QList<DebugVariable> &variables, const QString &name) {
    for (const DebugVariable &variable : variables)
        if (variable.name == name)
            return variable;
    return {};
}

} // namespace

class TestDebugHelper : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY2(!Javac().isEmpty() && !Java().isEmpty(), "a JDK is needed");
        m_env = std::make_unique<TestEnv>();
        m_folder = QDir(m_env->path(QStringLiteral("programme"))).absolutePath();
        QStringList sources;
        for (const auto &program : Programs)
            sources << m_env->writeFile(QStringLiteral("programme/") + program[0], program[1]);
        QProcess javac;
        javac.setProcessChannelMode(QProcess::MergedChannels);
        javac.start(Javac(), QStringList{QStringLiteral("-g")} + sources);
        QVERIFY(javac.waitForFinished(120000));
        QVERIFY2(javac.exitCode() == 0, javac.readAll().constData());
        m_client = std::make_unique<DebugClient>(Java);
    }

    void cleanup() {
        // No program outlives its case; one that a failed case left stopped is ended.
        if (m_program) {
            if (m_program->state() != QProcess::NotRunning) {
                QSignalSpy finished(m_program.get(), &QProcess::finished);
                m_client->Finish();
                if (!finished.wait(30000)) {
                    m_program->kill();
                    m_program->waitForFinished();
                    QFAIL("the program still ran");
                }
            }
            m_program.reset();
        }
        for (const auto &program : Programs)
            m_client->SetBreakpoints(file(program[0]), {});
        for (const QString &other : std::as_const(m_otherFiles))
            m_client->SetBreakpoints(other, {});
    }

    void cleanupTestCase() {
        const qint64 pid = m_client ? m_client->ProcessId() : 0;
        m_client.reset();
        if (pid > 0)
            QVERIFY2(::kill(pid_t(pid), 0) != 0, "the helper still runs");
    }

    void aLoopStopsAndItsVariableChanges() {
        m_client->SetBreakpoints(file("Schleife.java"), {5});
        Outcome at = start(QStringLiteral("Schleife"));
        QVERIFY(at.stopped);
        QCOMPARE(at.Line(), 5);
        QCOMPARE(at.stop.exception, QString());
        QCOMPARE(Names(at.variables), QStringList({"args", "summe", "i"}));
        QCOMPARE(Find(at.variables, "i"), (DebugVariable{"i", "0", "int", 0}));
        QCOMPARE(Find(at.variables, "args").value.left(10), QStringLiteral("String[0] "));
        QCOMPARE(Find(at.variables, "args").type, QStringLiteral("String[]"));
        QCOMPARE(Find(at.variables, "args").objectId, 0); // nothing to expand

        at = act([this] { m_client->Resume(); });
        QCOMPARE(at.Line(), 5);
        QCOMPARE(Find(at.variables, "i").value, QStringLiteral("1"));
        QCOMPARE(Find(at.variables, "summe").value, QStringLiteral("0"));
        at = act([this] { m_client->StepOver(); });
        QCOMPARE(at.Line(), 4);
        QCOMPARE(Find(at.variables, "summe").value, QStringLiteral("1"));
        at = act([this] { m_client->StepOver(); });
        QCOMPARE(at.Line(), 5);
        QCOMPARE(Find(at.variables, "i").value, QStringLiteral("2"));

        // Breakpoints change while the program stands.
        m_client->SetBreakpoints(file("Schleife.java"), {7});
        at = act([this] { m_client->Resume(); });
        QCOMPARE(at.Line(), 7);
        QCOMPARE(Find(at.variables, "summe").value, QStringLiteral("6"));
        QVERIFY(!Names(at.variables).contains("i"));
        // Into the JDK's own println it steps over.
        at = act([this] { m_client->StepInto(); });
        QCOMPARE(at.Line(), 8);
        QCOMPARE(at.stop.frames.size(), 1);
        at = act([this] { m_client->Resume(); });
        QVERIFY(at.ended);
        QVERIFY(programEnded());
        QCOMPARE(m_program->exitCode(), 0);
        QCOMPARE(m_program->readAllStandardOutput().trimmed(), QByteArray("6"));
    }

    void recursionShowsEveryFrame() {
        m_client->SetBreakpoints(file("Rekursion.java"), {4});
        Outcome at = start(QStringLiteral("Rekursion"));
        QVERIFY(at.stopped);
        QCOMPARE(at.stop.frames.size(), 4);
        QCOMPARE(at.stop.frames.at(0), (DebugFrame{"fakultaet", "Rekursion", "Rekursion.java", 4}));
        QCOMPARE(at.stop.frames.at(1), (DebugFrame{"fakultaet", "Rekursion", "Rekursion.java", 5}));
        QCOMPARE(at.stop.frames.at(3), (DebugFrame{"main", "Rekursion", "Rekursion.java", 8}));
        QCOMPARE(at.variables, (QList<DebugVariable>{{"n", "1", "int", 0}}));

        QSignalSpy variables(m_client.get(), &DebugEngine::Variables);
        m_client->SelectFrame(2);
        QVERIFY(variables.wait(30000));
        QCOMPARE(variables.at(0).at(0).toInt(), 2);
        QCOMPARE(variables.at(0).at(1).value<QList<DebugVariable>>(),
                 (QList<DebugVariable>{{"n", "3", "int", 0}}));

        at = act([this] { m_client->StepOut(); });
        QCOMPARE(at.stop.frames.size(), 3);
        QCOMPARE(at.Line(), 5);
        QCOMPARE(Find(at.variables, "n").value, QStringLiteral("2"));

        QSignalSpy ended(m_client.get(), &DebugEngine::Ended);
        m_client->Finish();
        QVERIFY(ended.wait(30000));
        QVERIFY(programEnded());
    }

    void anObjectExpandsIntoItsFields() {
        m_client->SetBreakpoints(file("Person.java"), {13});
        Outcome at = start(QStringLiteral("Person"));
        QCOMPARE(at.Line(), 13);
        at = act([this] { m_client->StepInto(); });
        QCOMPARE(at.Line(), 8);
        QCOMPARE(at.stop.frames.at(0).method, QStringLiteral("gruesse"));
        at = act([this] { m_client->StepOver(); });
        QCOMPARE(at.Line(), 9);
        QCOMPARE(Names(at.variables), QStringList({"gruss", "this", "Person.anzahl"}));
        // A string in double quotes, written as in Java.
        QCOMPARE(Find(at.variables, "gruss"),
                 (DebugVariable{"gruss", "\"Hallo\\t\\\"Welt\\\"\"", "String", 0}));
        QCOMPARE(Find(at.variables, "Person.anzahl"),
                 (DebugVariable{"Person.anzahl", "2", "int", 0}));
        const DebugVariable self = Find(at.variables, "this");
        QCOMPARE(self.type, QStringLiteral("Person"));
        QVERIFY(self.objectId != 0);
        QCOMPARE(self.value, QStringLiteral("Person (id=%1)").arg(self.objectId));

        const QList<DebugVariable> fields = expand(self.objectId);
        QCOMPARE(fields, (QList<DebugVariable>{{"name", "\"Anna\"", "String", 0},
                                               {"alter", "12", "int", 0},
                                               {"freund", "null", "Person", 0},
                                               {"zeichen", "'x'", "char", 0}}));
        at = act([this] { m_client->Resume(); });
        QVERIFY(at.ended);
        QVERIFY(programEnded());
    }

    void anArrayShowsItsFirstHundredElements() {
        m_client->SetBreakpoints(file("Felder.java"), {7});
        const Outcome at = start(QStringLiteral("Felder"));
        QCOMPARE(at.Line(), 7);
        const DebugVariable zahlen = Find(at.variables, "zahlen");
        QCOMPARE(zahlen.type, QStringLiteral("int[]"));
        QCOMPARE(zahlen.value, QStringLiteral("int[150] (id=%1)").arg(zahlen.objectId));
        const QList<DebugVariable> elements = expand(zahlen.objectId);
        QCOMPARE(elements.size(), 101);
        QCOMPARE(elements.at(0), (DebugVariable{"[0]", "0", "int", 0}));
        QCOMPARE(elements.at(99), (DebugVariable{"[99]", "198", "int", 0}));
        QCOMPARE(elements.at(100), (DebugVariable{"…", "", "", 0}));

        const DebugVariable woerter = Find(at.variables, "woerter");
        QCOMPARE(woerter.type, QStringLiteral("String[]"));
        QCOMPARE(expand(woerter.objectId), (QList<DebugVariable>{{"[0]", "\"a\"", "String", 0},
                                                                 {"[1]", "null", "String", 0}}));
        QSignalSpy ended(m_client.get(), &DebugEngine::Ended);
        m_client->Finish();
        QVERIFY(ended.wait(30000));
        QVERIFY(programEnded());
    }

    void anUncaughtExceptionStopsWhereItWasThrown() {
        // Without a breakpoint the program stops at the first line of main; the exception
        // caught there does not stop it.
        Outcome at = start(QStringLiteral("Ausnahme"));
        QCOMPARE(at.Line(), 6);
        QCOMPARE(at.stop.exception, QString());
        at = act([this] { m_client->Resume(); });
        QVERIFY(at.stopped);
        QCOMPARE(at.stop.exception, QStringLiteral("java.lang.ArithmeticException: / by zero"));
        QCOMPARE(at.stop.frames.at(0), (DebugFrame{"teile", "Ausnahme", "Ausnahme.java", 3}));
        QCOMPARE(Names(at.variables), QStringList({"a", "b"}));
        at = act([this] { m_client->Resume(); });
        QVERIFY(at.ended);
        QVERIFY(programEnded());
        QCOMPARE(m_program->exitCode(), 1);
    }

    void aNullPointerSaysWhatWasNull() {
        Outcome at = start(QStringLiteral("Nichts"));
        QCOMPARE(at.Line(), 3);
        at = act([this] { m_client->Resume(); });
        QCOMPARE(at.Line(), 4);
        QCOMPARE(at.stop.exception,
                 QStringLiteral("java.lang.NullPointerException: Cannot invoke \"String.length()\" "
                                "because \"s\" is null"));
        QCOMPARE(Find(at.variables, "s"), (DebugVariable{"s", "null", "String", 0}));
        at = act([this] { m_client->Resume(); });
        QVERIFY(at.ended);
        QVERIFY(programEnded());
    }

    void finishEndsAProgramThatWaitsForInput() {
        const Outcome at = start(QStringLiteral("Eingabe"));
        QCOMPARE(at.Line(), 4);
        QSignalSpy output(m_program.get(), &QProcess::readyReadStandardOutput);
        m_client->Resume();
        // It has asked for input: it waits in readLine.
        QVERIFY(output.wait(30000));
        QSignalSpy ended(m_client.get(), &DebugEngine::Ended);
        m_client->Finish();
        QVERIFY(ended.wait(30000));
        QVERIFY(programEnded());
    }

    void aBreakpointInTheSecondClassOfAFolder() {
        m_client->SetBreakpoints(file("Konto.java"), {4});
        Outcome at = start(QStringLiteral("Bank"));
        QVERIFY(at.stopped);
        QCOMPARE(at.stop.frames.size(), 2);
        QCOMPARE(at.stop.frames.at(0), (DebugFrame{"einzahlen", "Konto", "Konto.java", 4}));
        QCOMPARE(at.stop.frames.at(1), (DebugFrame{"main", "Bank", "Bank.java", 4}));
        QCOMPARE(Names(at.variables), QStringList({"betrag", "this"}));
        QCOMPARE(Find(at.variables, "betrag").value, QStringLiteral("5"));
        at = act([this] { m_client->Resume(); });
        QVERIFY(at.ended);
        QVERIFY(programEnded());
    }

    void aBreakpointWithoutCodeMovesToTheNextLine() {
        m_client->SetBreakpoints(file("Leer.java"), {4, 5});
        // A file of the same name in another folder is another program's.
        m_client->SetBreakpoints(otherFile("Leer.java"), {7});
        QSignalSpy moved(m_client.get(), &DebugEngine::BreakpointMoved);
        Outcome at = start(QStringLiteral("Leer"));
        QCOMPARE(at.Line(), 6);
        QCOMPARE(moved.size(), 2);
        QList<QList<QVariant>> moves{moved.at(0), moved.at(1)};
        std::sort(moves.begin(), moves.end(),
                  [](const auto &a, const auto &b) { return a.at(1).toInt() < b.at(1).toInt(); });
        QCOMPARE(moves.at(0), (QList<QVariant>{file("Leer.java"), 4, 6}));
        QCOMPARE(moves.at(1), (QList<QVariant>{file("Leer.java"), 5, 6}));
        // Both take effect on one line: it stops there once.
        at = act([this] { m_client->Resume(); });
        QVERIFY(at.ended);
        QVERIFY(programEnded());
    }

    void twoThreadsAtOneBreakpointStopInTurn() {
        m_client->SetBreakpoints(file("Faeden.java"), {3});
        Outcome at = start(QStringLiteral("Faeden"));
        QCOMPARE(at.Line(), 3);
        QStringList values{Find(at.variables, "n").value};
        at = act([this] { m_client->Resume(); });
        QCOMPARE(at.Line(), 3);
        values << Find(at.variables, "n").value;
        values.sort();
        QCOMPARE(values, QStringList({"1", "2"}));
        at = act([this] { m_client->Resume(); });
        QVERIFY(at.ended);
        QVERIFY(programEnded());
    }

    void steppingOutOfMainRunsToTheEnd() {
        // Another program's breakpoint does not keep this one from stopping in main.
        m_client->SetBreakpoints(otherFile("Schleife.java"), {5});
        Outcome at = start(QStringLiteral("Raus"));
        QCOMPARE(at.Line(), 3);
        at = act([this] { m_client->StepOut(); });
        QVERIFY(at.ended);
        QVERIFY(programEnded());
        QCOMPARE(m_program->exitCode(), 0);
        QCOMPARE(m_program->readAllStandardOutput().trimmed(), QByteArray("eins"));
    }

    void finishBeforeTheProgramConnects() {
        QSignalSpy listening(m_client.get(), &DebugEngine::Listening);
        QSignalSpy ended(m_client.get(), &DebugEngine::Ended);
        m_client->Listen(QStringLiteral("Raus"));
        QVERIFY(listening.wait(30000));
        m_client->Finish();
        QVERIFY(ended.wait(30000));
        // The port is closed: the helper takes the next program on a new one.
        const Outcome at = start(QStringLiteral("Raus"));
        QCOMPARE(at.Line(), 3);
        QVERIFY(listening.at(0).at(0).toInt() != 0);
        QSignalSpy endedAgain(m_client.get(), &DebugEngine::Ended);
        m_client->Finish();
        QVERIFY(endedAgain.wait(30000));
        QVERIFY(programEnded());
        QCOMPARE(endedAgain.size(), 1); // once per debugging
    }

    void aDeadHelperFailsAndTheNextListenStartsAnother() {
        Outcome at = start(QStringLiteral("Raus"));
        QCOMPARE(at.Line(), 3);
        const qint64 pid = m_client->ProcessId();
        QVERIFY(pid > 0);
        QSignalSpy failed(m_client.get(), &DebugEngine::Failed);
        ::kill(pid_t(pid), SIGKILL);
        QVERIFY(failed.wait(30000));
        QCOMPARE(failed.at(0).at(0).toString(),
                 QStringLiteral("Der Debugger wurde unerwartet beendet."));
        // Without its debugger the program runs on to its end.
        QVERIFY(programEnded());

        at = start(QStringLiteral("Raus"));
        QCOMPARE(at.Line(), 3);
        QVERIFY(m_client->ProcessId() != pid);
        at = act([this] { m_client->Resume(); });
        QVERIFY(at.ended);
        QVERIFY(programEnded());
    }

    void aBrokenAnswerCountsAsADeadHelper() {
        // A helper of the right name that answers what cannot be read.
        const QString fake = m_env->writeFile(
            QStringLiteral("kaputt/QuillDebugger.java"),
            "public class QuillDebugger {\n"
            "    public static void main(String[] args) throws Exception {\n"
            "        java.io.DataOutputStream out = new java.io.DataOutputStream(System.out);\n"
            "        out.writeInt(0x51434C31);\n"
            "        out.writeInt(2); out.writeInt(8); out.writeInt(100); out.writeInt(0);\n"
            "        out.flush();\n"
            "        while (System.in.read() >= 0) { }\n"
            "    }\n"
            "}\n");
        QProcess javac;
        javac.start(Javac(), {fake});
        QVERIFY(javac.waitForFinished(120000));
        QCOMPARE(javac.exitCode(), 0);
        DebugClient client(Java, QFileInfo(fake).absolutePath());
        QSignalSpy failed(&client, &DebugEngine::Failed);
        client.Listen(QStringLiteral("Raus"));
        QVERIFY(failed.wait(30000));
        QCOMPARE(failed.at(0).at(0).toString(),
                 QStringLiteral("Der Debugger hat unverständlich geantwortet und wurde beendet."));
        QCOMPARE(client.ProcessId(), 0);
    }

    void aProgramThatNeverConnectsFails() {
        DebugClient client(Java);
        client.SetConnectTimeout(200);
        QSignalSpy listening(&client, &DebugEngine::Listening);
        QSignalSpy failed(&client, &DebugEngine::Failed);
        client.Listen(QStringLiteral("Raus"));
        QVERIFY(failed.wait(30000));
        QCOMPARE(listening.size(), 1);
        QCOMPARE(failed.at(0).at(0).toString(),
                 QStringLiteral("Das Programm hat sich nicht mit dem Debugger verbunden."));
    }

    void aMissingHelperSaysWhere() {
        DebugClient client(Java, m_env->path(QStringLiteral("fehlt")));
        QSignalSpy failed(&client, &DebugEngine::Failed);
        client.Listen(QStringLiteral("Raus"));
        QCOMPARE(failed.size(), 1);
        QVERIFY(failed.at(0).at(0).toString().startsWith(QStringLiteral("Der Debugger fehlt: ")));
        QCOMPARE(client.ProcessId(), 0);
    }

private:
    QString file(const char *name) const { return QDir(m_folder).filePath(QLatin1String(name)); }

    // A file of the name in a folder that is not the program's.
    QString otherFile(const char *name) {
        m_otherFiles << m_env->path(QStringLiteral("anderswo/") + QLatin1String(name));
        return m_otherFiles.last();
    }

    // Listens, starts the program as F9 would with the agent, and waits for its first stop.
    Outcome start(const QString &mainClass) {
        return act([&] { m_client->Listen(mainClass); }, mainClass);
    }

    // Does what the action asks and waits for the stop and its variables, or the end. With
    // a main class given, its program is started once the helper listens.
    Outcome act(const std::function<void()> &action, const QString &mainClass = QString()) {
        QSignalSpy listening(m_client.get(), &DebugEngine::Listening);
        QSignalSpy stopped(m_client.get(), &DebugEngine::Stopped);
        QSignalSpy variables(m_client.get(), &DebugEngine::Variables);
        QSignalSpy ended(m_client.get(), &DebugEngine::Ended);
        QSignalSpy failed(m_client.get(), &DebugEngine::Failed);
        action();
        Outcome outcome;
        if (!mainClass.isEmpty()) {
            (void)QTest::qWaitFor([&] { return !listening.isEmpty() || !failed.isEmpty(); }, 60000);
            if (listening.isEmpty()) {
                outcome.failure =
                    failed.isEmpty() ? QStringLiteral("no port") : failed.at(0).at(0).toString();
                return outcome;
            }
            m_program = std::make_unique<QProcess>();
            m_program->start(Java(), {DebugAgentOption(listening.at(0).at(0).toInt()),
                                      QStringLiteral("-cp"), m_folder, mainClass});
        }
        (void)QTest::qWaitFor(
            [&] { return !variables.isEmpty() || !ended.isEmpty() || !failed.isEmpty(); }, 60000);
        if (!stopped.isEmpty()) {
            outcome.stopped = true;
            outcome.stop = stopped.at(0).at(0).value<DebugStop>();
        }
        if (!variables.isEmpty())
            outcome.variables = variables.at(0).at(1).value<QList<DebugVariable>>();
        outcome.ended = !ended.isEmpty();
        if (!failed.isEmpty())
            outcome.failure = failed.at(0).at(0).toString();
        return outcome;
    }

    QList<DebugVariable> expand(qint64 objectId) {
        QSignalSpy children(m_client.get(), &DebugEngine::Children);
        m_client->Expand(objectId);
        if (!children.wait(30000) || children.at(0).at(0).toLongLong() != objectId)
            return {};
        return children.at(0).at(1).value<QList<DebugVariable>>();
    }

    // Waits for the program's end (it ends by itself once its debugging is over).
    bool programEnded() {
        if (!m_program)
            return false;
        if (m_program->state() == QProcess::NotRunning)
            return true;
        QSignalSpy finished(m_program.get(), &QProcess::finished);
        return finished.wait(30000);
    }

    std::unique_ptr<TestEnv> m_env;
    QString m_folder;
    std::unique_ptr<DebugClient> m_client;
    std::unique_ptr<QProcess> m_program;
    QStringList m_otherFiles;
};

QTEST_GUILESS_MAIN(TestDebugHelper)
#include "tst_debughelper.moc"
