// The process runner with the real JDK: what the panel shows, in which order, and how
// long the runner waits.

#include "JavaFixture.h"

#include "javarun/ProcessRunner.h"

#include "RecordingOutput.h"
#include <QCoreApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <sys/types.h>

namespace {

const QByteArray HalloSource = R"(public class Hallo {
    public static void main(String[] args) {
        System.out.println("Hallo Welt");
        for (String a : args) System.out.println("[" + a + "]");
        String g = System.getProperty("gruss");
        if (g != null) System.out.println("gruss=" + g);
    }
})";

const QByteArray LeserSource = R"(import java.io.*;
public class Leser {
    public static void main(String[] args) throws IOException {
        BufferedReader in = new BufferedReader(new InputStreamReader(System.in));
        System.out.println("gelesen:[" + in.readLine() + "]");
        System.out.println("dann:[" + in.readLine() + "]");
    }
})";

const QByteArray StummSource = R"(public class Stumm {
    public static void main(String[] args) {}
})";

// Exactly 10,000 bytes: 1,000 numbered lines of ten bytes, stdout and stderr interleaved.
const QByteArray VielSource = R"(public class Viel {
    public static void main(String[] args) {
        for (int i = 0; i < 1000; i++) {
            String line = String.format("Z%08d", i);
            if (i % 100 == 50) { System.out.flush(); System.err.println(line); System.err.flush(); }
            else System.out.println(line);
        }
    }
})";

// Output of exactly two full chunks and no line end: the reading must not wait for more.
const QByteArray GenauSource = R"(public class Genau {
    public static void main(String[] args) {
        System.out.print("x".repeat(5000));
    }
})";

// Runs five seconds; writes its marker file at the end.
const QByteArray LangSource = R"(public class Lang {
    public static void main(String[] args) throws Exception {
        System.out.println("Anfang");
        System.out.flush();
        Thread.sleep(5000);
        System.out.println("Ende");
        new java.io.File(System.getProperty("marker")).createNewFile();
    }
})";

const QByteArray EndlosSource = R"(public class Endlos {
    public static void main(String[] args) {
        while (true) System.out.println("Ich hoere nie auf, ich hoere nie auf");
    }
})";

QStringList Lines(const RecordingOutput &panel) {
    return panel.Lines();
}

} // namespace

class TestProcessRunner : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void compileErrorIsFramed();
    void capturedRunIsFramedExactly();
    void childThatReadsTheLineEndDoesNotShowIt();
    void silentChildShowsTheUnreadLineEnd();
    void tenThousandBytesArriveWholeAndInOrder();
    void outputOfWholeChunksDoesNotHang();
    void parametersAreSplitLikeShellWords();
    void directoryWithBlanks();
    void missingProgram();
    void longRunningProgramIsLeftRunning();
    void slowCompilerIsWaitedFor();
    void endlessOutputIsCapped();
    void quittingStopsTheWaiting();
    void nothingStartsOnceTheApplicationQuits();
    void programLeftRunningEndsWithTheApplication();

private:
    CapturedRunReport Run(const QString &source, const QString &program, const QString &params,
                          const QString &target, const CapturedRunOptions &options = {});
    static void Kill(qint64 pid) {
        if (pid > 0)
            ::kill(static_cast<pid_t>(pid), SIGKILL);
    }

    JavaFixture m_java;
    RecordingOutput m_panel;
    QString m_hallo;
};

void TestProcessRunner::initTestCase() {
    QVERIFY2(!JavaFixture::Javac().isEmpty(), "the tests need the JDK");
    m_hallo = m_java.Write("Hallo.java", HalloSource);
    QVERIFY(JavaFixture::Compile(
        {m_hallo, m_java.Write("Leser.java", LeserSource), m_java.Write("Stumm.java", StummSource),
         m_java.Write("Viel.java", VielSource), m_java.Write("Genau.java", GenauSource),
         m_java.Write("Lang.java", LangSource), m_java.Write("Endlos.java", EndlosSource)}));
}

CapturedRunReport TestProcessRunner::Run(const QString &source, const QString &program,
                                         const QString &params, const QString &target,
                                         const CapturedRunOptions &options) {
    m_panel.SetText("alter Inhalt");
    return RunCaptured(source, program, params, target, &m_panel, options);
}

void TestProcessRunner::compileErrorIsFramed() {
    const QString source = m_java.Write("fehler/Kaputt.java", "public class Kaputt { int x = ; }");
    const CapturedRunReport report =
        Run(source, JavaFixture::Javac(), "", "Kaputt.java",
            CapturedRunOptions{true, {}, OutputCollector::DefaultLimit, {}});
    QVERIFY(report.ended);
    QVERIFY(!QFile::exists(m_java.Path("fehler/Kaputt.class")));
    const QStringList lines = Lines(m_panel);
    QCOMPARE(lines.first(), "Datei \"" + source + "\"");
    QCOMPARE(lines.at(1), QString());
    QCOMPARE(lines.at(2), QString()); // the line end written first; javac never reads it
    QVERIFY2(lines.at(3).startsWith("Kaputt.java:1: error:"), qPrintable(lines.at(3)));
    QVERIFY(lines.contains("1 error"));
    QCOMPARE(lines.last(), QString("-- Fertig --"));
}

void TestProcessRunner::capturedRunIsFramedExactly() {
    const CapturedRunReport report = Run(m_hallo, JavaFixture::Java(), "", "Hallo");
    QVERIFY(report.started);
    QVERIFY(report.ended);
    QCOMPARE(m_panel.text, "Datei \"" + m_hallo + "\"\n\n\nHallo Welt\n-- Fertig --");
}

void TestProcessRunner::childThatReadsTheLineEndDoesNotShowIt() {
    // After the line end the input ends: a second read sees end-of-file instead of waiting.
    const CapturedRunReport report =
        Run(m_java.Path("Leser.java"), JavaFixture::Java(), "", "Leser");
    QVERIFY(report.ended);
    QCOMPARE(m_panel.text, "Datei \"" + m_java.Path("Leser.java") +
                               "\"\n\ngelesen:[]\ndann:[null]\n-- Fertig --");
}

void TestProcessRunner::silentChildShowsTheUnreadLineEnd() {
    Run(m_java.Path("Stumm.java"), JavaFixture::Java(), "", "Stumm");
    QCOMPARE(m_panel.text, "Datei \"" + m_java.Path("Stumm.java") + "\"\n\n\n-- Fertig --");
}

void TestProcessRunner::tenThousandBytesArriveWholeAndInOrder() {
    Run(m_java.Path("Viel.java"), JavaFixture::Java(), "", "Viel");
    QStringList expected{"Datei \"" + m_java.Path("Viel.java") + "\"", "", ""};
    for (int i = 0; i < 1000; ++i)
        expected << QStringLiteral("Z%1").arg(i, 8, 10, QChar(u'0'));
    expected << "-- Fertig --";
    QCOMPARE(Lines(m_panel), expected);
}

void TestProcessRunner::outputOfWholeChunksDoesNotHang() {
    const CapturedRunReport report =
        Run(m_java.Path("Genau.java"), JavaFixture::Java(), "", "Genau");
    QVERIFY(report.ended);
    QCOMPARE(Lines(m_panel).at(3), QString(5000, u'x'));
    QCOMPARE(Lines(m_panel).size(), 5);
}

void TestProcessRunner::parametersAreSplitLikeShellWords() {
    // Captured: the parameters go to the runtime, before the class name.
    Run(m_hallo, JavaFixture::Java(), "-Dgruss='Guten Tag' -Xshare:auto", "Hallo");
    QCOMPARE(Lines(m_panel).mid(3), (QStringList{"Hallo Welt", "gruss=Guten Tag", "-- Fertig --"}));
}

void TestProcessRunner::directoryWithBlanks() {
    const QString source = m_java.Write("Mein Ordner; echo x/Hallo.java", HalloSource);
    Run(source, JavaFixture::Javac(), "", "Hallo.java", CapturedRunOptions{true, {}, 4 << 20, {}});
    QVERIFY(QFile::exists(m_java.Path("Mein Ordner; echo x/Hallo.class")));
    QCOMPARE(m_panel.text, "Datei \"" + source + "\"\n\n\n-- Fertig --");
    Run(source, JavaFixture::Java(), "", "Hallo");
    QCOMPARE(Lines(m_panel).mid(3), (QStringList{"Hallo Welt", "-- Fertig --"}));
}

void TestProcessRunner::missingProgram() {
    const CapturedRunReport report = Run(m_hallo, m_java.Path("fehlt/javac"), "", "Hallo.java");
    QVERIFY(!report.started);
    QCOMPARE(m_panel.text,
             "Datei \"" + m_hallo + "\"\n\nKonnte Kommando nicht starten, Fehler: #2");
    // An empty program setting fails the same way.
    Run(m_hallo, QString(), "", "Hallo.java");
    QCOMPARE(Lines(m_panel).last(), QString("Konnte Kommando nicht starten, Fehler: #2"));
}

void TestProcessRunner::longRunningProgramIsLeftRunning() {
    const QString marker = m_java.Path("lang-fertig");
    const CapturedRunReport report =
        Run(m_java.Path("Lang.java"), JavaFixture::Java(), "'-Dmarker=" + marker + "'", "Lang");
    QCOMPARE(report.waits, 31);
    QVERIFY(!report.ended);
    QCOMPARE(Lines(m_panel).mid(3), (QStringList{"Anfang", "-- Fertig --"}));
    QCOMPARE(::kill(static_cast<pid_t>(report.processId), 0), 0); // still there
    // It goes on to its own end, not blocked and not killed.
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(marker), 20000);
}

void TestProcessRunner::slowCompilerIsWaitedFor() {
    // A compiler that needs longer than the 31 slices: its result must still be seen.
    const QString compiler =
        m_java.Write("langsam/slowc", "#!/bin/sh\nsleep 4\necho \"$1 übersetzt\"\n");
    QFile::setPermissions(compiler, QFile::permissions(compiler) | QFile::ExeOwner);
    QStringList statuses;
    const CapturedRunReport report =
        Run(m_hallo, compiler, "", "Hallo.java",
            CapturedRunOptions{true, [&](const QString &s) { statuses << s; }, 4 << 20, {}});
    QVERIFY(report.ended);
    QVERIFY(report.waits > 31);
    QCOMPARE(Lines(m_panel).mid(3), (QStringList{"Hallo.java übersetzt", "-- Fertig --"}));
    QCOMPARE(statuses, (QStringList{"Kompiliere Hallo.java ...", ""}));
}

void TestProcessRunner::endlessOutputIsCapped() {
    // A limit lower than the usual 4 MB keeps the test independent of the machine's speed.
    const qint64 limit = 1024 * 1024;
    const CapturedRunReport report = Run(m_java.Path("Endlos.java"), JavaFixture::Java(), "",
                                         "Endlos", CapturedRunOptions{false, {}, limit, {}});
    Kill(report.processId);
    QVERIFY(report.truncated);
    const QStringList lines = Lines(m_panel);
    QCOMPARE(lines.last(), QString("-- Fertig --"));
    QVERIFY(lines.at(lines.size() - 2).startsWith("-- Die Ausgabe war länger als 1 MB"));
    QCOMPARE(lines.at(3), QString("Ich hoere nie auf, ich hoere nie auf"));
    QVERIFY(m_panel.text.size() <= limit + 1000);
}

void TestProcessRunner::quittingStopsTheWaiting() {
    CapturedRunReport report;
    bool returned = false;
    QTimer::singleShot(0, [&] {
        report = Run(m_java.Path("Lang.java"), JavaFixture::Java(),
                     "-Dmarker=" + m_java.Path("quit-marker"), "Lang");
        returned = true;
    });
    QTimer::singleShot(500, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
    Kill(report.processId);
    QVERIFY(returned);
    QVERIFY2(report.waits < 31, qPrintable(QString::number(report.waits)));
    QCOMPARE(Lines(m_panel).last(), QString("-- Fertig --"));
}

void TestProcessRunner::nothingStartsOnceTheApplicationQuits() {
    // The frame was closed while a compile waited; the run that the command goes on to
    // must not start a program that nobody sees any more.
    CapturedRunReport report;
    bool returned = false;
    QTimer::singleShot(0, [&] {
        QCoreApplication::exit(0);
        report = Run(m_hallo, JavaFixture::Java(), "", "Hallo");
        returned = true;
    });
    QCoreApplication::exec();
    Kill(report.processId);
    QVERIFY(returned);
    QVERIFY(!report.started);
    QCOMPARE(m_panel.text, QString("alter Inhalt"));
    // Afterwards, with the application running again, runs work as before.
    QVERIFY(Run(m_hallo, JavaFixture::Java(), "", "Hallo").started);
}

void TestProcessRunner::programLeftRunningEndsWithTheApplication() {
    CapturedRunReport report;
    QTimer::singleShot(0, [&] {
        report = Run(m_java.Path("Endlos.java"), JavaFixture::Java(), "", "Endlos",
                     CapturedRunOptions{false, {}, 1024 * 1024, {}});
        QCoreApplication::exit(0);
    });
    QCoreApplication::exec();
    // Ended and reaped as the application quit, and its process object gone with it.
    const bool stillThere = ::kill(static_cast<pid_t>(report.processId), 0) == 0;
    if (stillThere)
        Kill(report.processId);
    QVERIFY(report.started && !report.ended);
    QVERIFY(!stillThere);
    QTRY_VERIFY(QCoreApplication::instance()->findChildren<QProcess *>().isEmpty());
}

QTEST_MAIN(TestProcessRunner)
#include "tst_processrunner.moc"
