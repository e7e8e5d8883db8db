// The console's resident helper with the real JDK, driven as the window drives it: each kind
// of input, errors and exceptions, an endless loop stopped, input that goes on, a class from
// a folder on the class path and its reload after a new compile. Waits on signals only.
#include "javaconsole/KonsoleClient.h"
#include "javaconsole/KonsoleHistory.h"
#include "javaconsole/KonsoleProtocol.h"
#include "javaconsole/KonsoleSession.h"
#include "javarun/ResidentJava.h"
#include "javarun/WarmCompileRules.h"
#include "TestEnv.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>

#include <csignal>

namespace {

QString Javac() {
    return QStandardPaths::findExecutable(QStringLiteral("javac"));
}

bool Compile(const QString &file) {
    QProcess javac;
    javac.setProcessChannelMode(QProcess::MergedChannels);
    javac.start(Javac(), {file});
    if (!javac.waitForFinished(120000))
        return false;
    if (javac.exitCode() != 0)
        qWarning("%s", javac.readAll().constData());
    return javac.exitStatus() == QProcess::NormalExit && javac.exitCode() == 0;
}

// What one evaluation gave: the transcript text it added and how it ended.
struct Result {
    QString text;
    KonsoleOutcome outcome = KonsoleOutcome::Done;
};

} // namespace

class TestKonsoleHelper : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        m_env = std::make_unique<TestEnv>();
        QVERIFY2(!Javac().isEmpty(), "javac is needed");
        QVERIFY(!JdkLauncherFor(Javac(), QString()).isEmpty());
        m_client =
            std::make_unique<KonsoleClient>([] { return JdkLauncherFor(Javac(), QString()); });
        m_session = std::make_unique<KonsoleSession>(*m_client, m_history);
        m_session->SetClassFolderSource([this] { return m_folder; });
        QSignalSpy ready(m_client.get(), &KonsoleEngine::Ready);
        m_session->Open();
        QVERIFY(ready.wait(60000));
    }

    void cleanupTestCase() {
        m_session.reset();
        m_client.reset();
    }

    void eachKindOfInput_data() {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("shown");
        QTest::newRow("expression") << "3 * 4"
                                    << "12\n";
        QTest::newRow("method call") << "\"Hallo\".length()"
                                     << "5\n";
        QTest::newRow("array") << "new int[]{1,2}"
                               << "[1, 2]\n";
        QTest::newRow("nested array") << "new String[][]{{\"a\"}, {}}"
                                      << "[[\"a\"], []]\n";
        QTest::newRow("square root") << "Math.sqrt(2)"
                                     << "1.4142135623730951\n";
        QTest::newRow("declaration") << "int x = 5;"
                                     << "x = 5\n";
        QTest::newRow("statement") << "for (int i = 0; i < 3; i++) System.out.println(i);"
                                   << "0\n1\n2\n";
        QTest::newRow("method") << "int summe(int a, int b) { return a + b; }"
                                << "Methode summe(int,int) angelegt\n";
        QTest::newRow("uses both") << "summe(x, 2)"
                                   << "7\n";
        QTest::newRow("class") << "class Punkt { int x; }"
                               << "Klasse Punkt angelegt\n";
        QTest::newRow("import") << "import java.util.*;"
                                << "";
        QTest::newRow("imported") << "new ArrayList<>(List.of(1, 2))"
                                  << "[1, 2]\n";
        QTest::newRow("void call") << "System.out.print(\"ohne Zeilenende\")"
                                   << "ohne Zeilenende";
        QTest::newRow("two statements") << "x = 7; x * 2"
                                        << "x = 7\n14\n";
        QTest::newRow("input has ended") << "System.in.read()"
                                         << "-1\n";
        QTest::newRow("scanner") << "new java.util.Scanner(System.in).hasNextLine()"
                                 << "false\n";
    }

    void eachKindOfInput() {
        QFETCH(QString, input);
        QFETCH(QString, shown);
        const Result result = evaluate(input);
        QCOMPARE(result.text, shown);
        QCOMPARE(result.outcome, KonsoleOutcome::Done);
    }

    void outAndErrInOrder() {
        const qsizetype from = m_session->Transcript().Pieces().size();
        const Result result =
            evaluate(QStringLiteral("System.out.println(\"a\"); System.err.println(\"b\"); "
                                    "System.out.println(\"c\");"));
        QCOMPARE(result.text, QStringLiteral("a\nb\nc\n"));
        QList<KonsoleText> kinds;
        for (qsizetype i = from + 1; i < m_session->Transcript().Pieces().size(); ++i)
            kinds << m_session->Transcript().Pieces().at(i).kind;
        QCOMPARE(kinds, QList<KonsoleText>({KonsoleText::Out, KonsoleText::Err, KonsoleText::Out}));
    }

    void aCompileErrorPointsAtItsColumn() {
        const Result result = evaluate(QStringLiteral("int y = \"Text\";"));
        const QStringList lines = result.text.split(u'\n');
        QVERIFY2(lines.first().startsWith(QStringLiteral("Fehler: ")), qPrintable(result.text));
        const qsizetype source = lines.indexOf(QStringLiteral("int y = \"Text\";"));
        QVERIFY2(source > 0, qPrintable(result.text));
        QCOMPARE(lines.at(source + 1), QStringLiteral("        ^"));
        QCOMPARE(lastKind(), KonsoleText::Error);
    }

    void anExceptionShowsTheLearnersOwnStackLines() {
        evaluate(QStringLiteral("int teile(int a) { return 10 / a; }"));
        const Result result = evaluate(QStringLiteral("teile(0)"));
        const QStringList lines = result.text.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.first(),
                 QStringLiteral("Ausnahme: java.lang.ArithmeticException: / by zero"));
        QCOMPARE(lines.size(), 3);
        QVERIFY2(lines.at(1).startsWith(QStringLiteral("\tat teile(")), qPrintable(result.text));
        QVERIFY2(lines.at(2).startsWith(QStringLiteral("\tat Eingabe(")), qPrintable(result.text));
        QCOMPARE(lastKind(), KonsoleText::Exception);
        // The state is kept.
        QCOMPARE(evaluate(QStringLiteral("teile(5)")).text, QStringLiteral("2\n"));
    }

    void inputWithAnOpenBraceGoesOn() {
        QSignalSpy idle(m_session.get(), &KonsoleSession::Idle);
        m_session->Submit(QStringLiteral("int quadrat(int n) {"));
        QVERIFY(idle.wait(30000));
        QCOMPARE(m_session->CurrentPrompt(), KonsoleSession::MorePrompt);
        const Result result = evaluate(QStringLiteral("return n * n; }"));
        QCOMPARE(result.text, QStringLiteral("Methode quadrat(int) angelegt\n"));
        QCOMPARE(m_session->CurrentPrompt(), KonsoleSession::Prompt);
        QCOMPARE(evaluate(QStringLiteral("quadrat(9)")).text, QStringLiteral("81\n"));
        QCOMPARE(m_history.Entries().last(), QStringLiteral("quadrat(9)"));
        QVERIFY(
            m_history.Entries().contains(QStringLiteral("int quadrat(int n) {\nreturn n * n; }")));
    }

    void anEndlessLoopIsStoppedAndTheStateKept() {
        evaluate(QStringLiteral("int zaehler = 41;"));
        QSignalSpy output(m_client.get(), &KonsoleEngine::Output);
        QSignalSpy idle(m_session.get(), &KonsoleSession::Idle);
        m_session->Submit(QStringLiteral("while (true) { System.out.println(\"immer\"); }"));
        // Output shows while it runs.
        QVERIFY(output.wait(30000));
        QVERIFY(m_session->Evaluating());
        m_session->Stop();
        QVERIFY(idle.wait(30000));
        QVERIFY(m_session->Transcript().Text().endsWith(QStringLiteral("Angehalten.\n")));
        QCOMPARE(evaluate(QStringLiteral("zaehler + 1")).text, QStringLiteral("42\n"));
    }

    void outputBeyondTheLimitIsCut() {
        const Result result = evaluate(QStringLiteral(
            "for (int i = 0; i < 5000; i++) System.out.print(\"x\".repeat(1023) + \"\\n\");"));
        QVERIFY(result.text.size() <= 4 * 1024 * 1024 + 200);
        QVERIFY(result.text.size() >= 4 * 1024 * 1024 - 1024);
        QVERIFY(result.text.endsWith(QStringLiteral(
            "-- Die Ausgabe war länger als 4 MB und wurde hier abgeschnitten --\n")));
        QCOMPARE(evaluate(QStringLiteral("1 + 1")).text, QStringLiteral("2\n"));
    }

    void aClassFromTheFolderAndItsReload() {
        QDir().mkpath(m_env->path("projekt"));
        m_folder = QDir(m_env->path("projekt")).canonicalPath();
        const QString konto = m_env->writeFile(
            "projekt/Konto.java",
            "public class Konto {\n"
            "    private int stand;\n"
            "    public Konto(int stand) { this.stand = stand; }\n"
            "    public void einzahlen(int betrag) { stand += betrag; }\n"
            "    public int getStand() { return stand; }\n"
            "    public void abheben(int betrag) {\n"
            "        if (betrag > stand) throw new IllegalStateException(\"zu wenig\");\n"
            "        stand -= betrag;\n"
            "    }\n"
            "}\n");
        QVERIFY(Compile(konto));
        QCOMPARE(evaluate(QStringLiteral("Konto k = new Konto(100);")).text.left(10),
                 QStringLiteral("k = Konto@"));
        QCOMPARE(evaluate(QStringLiteral("k.einzahlen(50); k.getStand()")).text,
                 QStringLiteral("150\n"));
        // Its stack lines name its file and line.
        const Result thrown = evaluate(QStringLiteral("k.abheben(1000)"));
        QVERIFY2(thrown.text.contains(QStringLiteral("\tat Konto.abheben(Konto.java:7)")),
                 qPrintable(thrown.text));

        // A new compile of the folder: a fresh state with the new class.
        m_env->writeFile("projekt/Konto.java", "public class Konto {\n"
                                               "    public int getStand() { return 7; }\n"
                                               "}\n");
        QVERIFY(Compile(konto));
        const Result gone = evaluate(QStringLiteral("k"));
        QVERIFY2(gone.text.startsWith(QStringLiteral("Klassen neu geladen\nFehler: ")),
                 qPrintable(gone.text));
        QCOMPARE(evaluate(QStringLiteral("new Konto().getStand()")).text, QStringLiteral("7\n"));
        m_folder.clear();
    }

    void aLearnersExitRestartsJava() {
        const qint64 before = m_client->ProcessId();
        const Result result = evaluate(QStringLiteral("System.exit(0)"));
        QCOMPARE(result.outcome, KonsoleOutcome::Restarted);
        QVERIFY(result.text.contains(QStringLiteral("neu gestartet")));
        QVERIFY(m_client->ProcessId() != before);
        QCOMPARE(evaluate(QStringLiteral("2 * 21")).text, QStringLiteral("42\n"));
    }

    // The helper moves a long session's state into a fresh engine now and then (a state
    // keeps every input it took): declarations and the very objects of variables must come
    // across, and a class's static fields must not be lost, so with a class nothing moves.
    void aLongSessionKeepsItsState() {
        const auto fillUp = [this] {
            for (int i = 0; i < 260; ++i)
                if (evaluate(QStringLiteral("x + %1").arg(i)).text !=
                    QString::number(41 + i) + '\n')
                    return false;
            return true;
        };
        QSignalSpy idle(m_session.get(), &KonsoleSession::Idle);
        m_session->ResetState();
        QVERIFY(idle.wait(30000));
        evaluate(QStringLiteral("import java.time.LocalDate;"));
        evaluate(QStringLiteral("int x = 41;"));
        evaluate(QStringLiteral("String leer = null;"));
        evaluate(QStringLiteral("java.util.List<String> liste = new java.util.ArrayList<>();"));
        evaluate(QStringLiteral("liste.add(\"a\");"));
        evaluate(QStringLiteral("java.util.List<String> selbe = liste;"));
        evaluate(QStringLiteral("int doppelt(int a) { return 2 * a; }"));
        QVERIFY(fillUp());
        evaluate(QStringLiteral("liste.add(\"b\");"));
        QCOMPARE(
            evaluate(QStringLiteral("doppelt(x) + selbe.size() + (leer == null ? 1 : 0)")).text,
            QStringLiteral("85\n"));
        QCOMPARE(evaluate(QStringLiteral("LocalDate.of(2000, 1, 1).getYear()")).text,
                 QStringLiteral("2000\n"));

        evaluate(QStringLiteral("class Zaehler { static int n; }"));
        evaluate(QStringLiteral("Zaehler.n = 7;"));
        QVERIFY(fillUp());
        QCOMPARE(evaluate(QStringLiteral("Zaehler.n")).text, QStringLiteral("7\n"));
    }

    void resetForgetsVariables() {
        evaluate(QStringLiteral("int weg = 1;"));
        QSignalSpy idle(m_session.get(), &KonsoleSession::Idle);
        m_session->ResetState();
        QVERIFY(idle.wait(30000));
        QVERIFY(m_session->Transcript().Text().endsWith(QStringLiteral("Konsole zurückgesetzt\n")));
        QVERIFY(evaluate(QStringLiteral("weg")).text.startsWith(QStringLiteral("Fehler: ")));
    }

    void theHelperEndsWhenItsInputCloses() {
        ResidentJava helper;
        QSignalSpy ready(&helper, &ResidentJava::Ready);
        QSignalSpy ended(&helper, &ResidentJava::Ended);
        helper.Start(KonsoleHelperCommand(JdkLauncherFor(Javac(), QString()),
                                          QCoreApplication::applicationDirPath() +
                                              QStringLiteral("/konsole")),
                     QDir::tempPath(), QProcessEnvironment::systemEnvironment());
        QVERIFY(ready.wait(60000));
        // Even while it evaluates without end.
        helper.Send(
            KonsoleRequestBytes(KonsoleRequest::Evaluate, {QStringLiteral("while (true) {}")}));
        const qint64 pid = helper.ProcessId();
        QVERIFY(pid > 0);
        QProcess *process = helper.findChild<QProcess *>();
        QVERIFY(process);
        process->closeWriteChannel();
        QVERIFY(ended.wait(30000));
        QCOMPARE(ended.first().first().toBool(), true);
    }

private:
    Result evaluate(const QString &input) {
        const QString before = m_session->Transcript().Text();
        QSignalSpy finished(m_client.get(), &KonsoleEngine::Finished);
        QSignalSpy idle(m_session.get(), &KonsoleSession::Idle);
        m_session->Submit(input);
        Result result;
        if (!idle.wait(60000)) {
            qWarning("no answer to %s", qPrintable(input));
            return result;
        }
        if (!finished.isEmpty())
            result.outcome = finished.last().first().value<KonsoleOutcome>();
        // Drop the echo of the input.
        QString added = m_session->Transcript().Text().mid(before.size());
        const qsizetype echoEnd = added.indexOf(input) + input.size() + 1;
        result.text = added.mid(echoEnd);
        return result;
    }

    KonsoleText lastKind() const { return m_session->Transcript().Pieces().last().kind; }

    std::unique_ptr<TestEnv> m_env;
    KonsoleHistory m_history;
    std::unique_ptr<KonsoleClient> m_client;
    std::unique_ptr<KonsoleSession> m_session;
    QString m_folder;
};

QTEST_GUILESS_MAIN(TestKonsoleHelper)
#include "tst_konsolehelper.moc"
