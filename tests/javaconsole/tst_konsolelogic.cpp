// The console's logic without a window or Java: the transcript, the history and its file,
// the class-file snapshots, the request bytes, and the session against a fake engine.
#include "FakeKonsoleEngine.h"

#include "javaconsole/ClassFolderWatch.h"
#include "javaconsole/KonsoleHistory.h"
#include "javaconsole/KonsoleProtocol.h"
#include "javaconsole/KonsoleSession.h"
#include "javaconsole/KonsoleTranscript.h"
#include "javarun/WarmFrame.h"
#include "TestEnv.h"

#include <QFile>
#include <QSignalSpy>
#include <QtEndian>
#include <QtTest>

namespace {

void touch(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestKonsoleLogic : public QObject {
    Q_OBJECT

private slots:
    void init() { m_env = std::make_unique<TestEnv>(); }
    void cleanup() { m_env.reset(); }

    void transcriptJoinsTextOfOneKind() {
        KonsoleTranscript transcript;
        transcript.Append(KonsoleText::Out, QStringLiteral("a"));
        transcript.Append(KonsoleText::Out, QStringLiteral("b\n"));
        transcript.Append(KonsoleText::Err, QStringLiteral("c"));
        transcript.AppendLine(KonsoleText::Note, QStringLiteral("Angehalten."));
        QCOMPARE(transcript.Pieces().size(), 3);
        QCOMPARE(transcript.Text(), QStringLiteral("ab\nc\nAngehalten.\n"));
        QVERIFY(transcript.EndsLine());
        transcript.Clear();
        QCOMPARE(transcript.Text(), QString());
    }

    void historyWalksBackAndForth() {
        KonsoleHistory history;
        history.Add(QStringLiteral("1+1"));
        history.Add(QStringLiteral("int x = 5;"));
        history.Add(QStringLiteral("int x = 5;")); // a repeat of the newest is not added
        history.Add(QStringLiteral("  "));
        QCOMPARE(history.Entries(), QStringList({"1+1", "int x = 5;"}));
        QString shown;
        QVERIFY(history.Older(QStringLiteral("hal"), shown));
        QCOMPARE(shown, QStringLiteral("int x = 5;"));
        QVERIFY(history.Older(QStringLiteral("ignored"), shown));
        QCOMPARE(shown, QStringLiteral("1+1"));
        QVERIFY(!history.Older(shown, shown));
        QVERIFY(history.Newer(shown));
        QCOMPARE(shown, QStringLiteral("int x = 5;"));
        // Past the newest: what was typed before the walk.
        QVERIFY(history.Newer(shown));
        QCOMPARE(shown, QStringLiteral("hal"));
        QVERIFY(!history.Newer(shown));
    }

    void historyKeepsTheNewest500AcrossRuns() {
        const QString file = m_env->path("konsole/verlauf.json");
        {
            KonsoleHistory history(file);
            history.Load();
            for (int i = 0; i < 520; ++i)
                QVERIFY(history.Add(QStringLiteral("eintrag %1;\nzweite Zeile \"ä\"").arg(i)));
            QCOMPARE(history.Entries().size(), KonsoleHistory::MaxEntries);
        }
        KonsoleHistory again(file);
        again.Load();
        QCOMPARE(again.Entries().size(), KonsoleHistory::MaxEntries);
        QCOMPARE(again.Entries().first(), QStringLiteral("eintrag 20;\nzweite Zeile \"ä\""));
        QCOMPARE(again.Entries().last(), QStringLiteral("eintrag 519;\nzweite Zeile \"ä\""));
    }

    void aDamagedHistoryIsKeptAside() {
        const QString file = m_env->writeFile("verlauf.json", "[\"1+1\", kaputt");
        KonsoleHistory history(file);
        history.Load();
        QVERIFY(history.Entries().isEmpty());
        QVERIFY(history.Add(QStringLiteral("2+2")));
        QFile aside(file + QStringLiteral(".defekt"));
        QVERIFY(aside.open(QIODevice::ReadOnly));
        QCOMPARE(aside.readAll(), QByteArray("[\"1+1\", kaputt"));
        KonsoleHistory again(file);
        again.Load();
        QCOMPARE(again.Entries(), QStringList({"2+2"}));
    }

    void recompiledMeansNewOrChangedClassFiles() {
        ClassSnapshot before{{"Konto.class", {100, 10}}, {"Punkt.class", {100, 20}}};
        QVERIFY(!ClassesRecompiled(before, before));
        // A compile deletes the class file first; a failed one leaves none.
        QVERIFY(!ClassesRecompiled(before, {{"Punkt.class", {100, 20}}}));
        QVERIFY(
            ClassesRecompiled(before, {{"Konto.class", {200, 10}}, {"Punkt.class", {100, 20}}}));
        QVERIFY(ClassesRecompiled({}, {{"Neu.class", {1, 1}}}));
    }

    void theWatchSeesACompileOnce() {
        const QString folder = m_env->dir();
        touch(m_env->path("Konto.class"), "alt");
        ClassFolderWatch watch;
        watch.Watch(folder);
        watch.Watch(folder);
        QCOMPARE(watch.Folders(), QStringList({folder}));
        QSignalSpy recompiled(&watch, &ClassFolderWatch::Recompiled);
        watch.CheckNow();
        QCOMPARE(recompiled.count(), 0);
        QFile::remove(m_env->path("Konto.class"));
        touch(m_env->path("Konto.class"), "neu und länger");
        QVERIFY(recompiled.wait(10000));
        QCOMPARE(recompiled.first().first().toString(), folder);
        watch.CheckNow();
        QCOMPARE(recompiled.count(), 1);
    }

    void requestBytes() {
        const QByteArray bytes =
            KonsoleRequestBytes(KonsoleRequest::Evaluate, {QStringLiteral("ä")});
        QCOMPARE(bytes.toHex(), QByteArray("00000001"
                                           "00000001"
                                           "00000002"
                                           "c3a4"));
        QCOMPARE(KonsoleRequestBytes(KonsoleRequest::Stop).toHex(), QByteArray("0000000200000000"));
    }

    void theSessionSaysItStartsAndQueuesUntilReady() {
        FakeKonsoleEngine engine;
        KonsoleHistory history;
        KonsoleSession session(engine, history);
        session.Open();
        QCOMPARE(engine.starts, 1);
        QCOMPARE(session.StatusText(), QStringLiteral("Java wird gestartet ..."));
        QCOMPARE(session.Transcript().Text(), QStringLiteral("Java wird gestartet ...\n"));
        session.Submit(QStringLiteral("1+1"));
        QVERIFY(engine.calls.isEmpty());
        engine.BecomeReady();
        QCOMPARE(engine.calls, QStringList({"eval:1+1"}));
        QVERIFY(session.Evaluating());
        engine.Answer(KonsoleOutcome::Done, KonsoleText::Value, QStringLiteral("2\n"));
        QCOMPARE(session.Transcript().Text(),
                 QStringLiteral("Java wird gestartet ...\n> 1+1\n2\n"));
        QCOMPARE(history.Entries(), QStringList({"1+1"}));
        QVERIFY(!session.Busy());
    }

    void incompleteInputGoesOnOnTheNextLine() {
        FakeKonsoleEngine engine;
        engine.ready = true;
        KonsoleHistory history;
        KonsoleSession session(engine, history);
        session.Submit(QStringLiteral("for (int i = 0; i < 2; i++) {"));
        engine.Answer(KonsoleOutcome::Incomplete);
        QCOMPARE(session.CurrentPrompt(), KonsoleSession::MorePrompt);
        QVERIFY(history.Entries().isEmpty());
        session.Submit(QStringLiteral("System.out.println(i); }"));
        QCOMPARE(engine.calls.last(),
                 QStringLiteral("eval:for (int i = 0; i < 2; i++) {\nSystem.out.println(i); }"));
        engine.Answer(KonsoleOutcome::Done, KonsoleText::Out, QStringLiteral("0\n1\n"));
        QCOMPARE(session.CurrentPrompt(), KonsoleSession::Prompt);
        QCOMPARE(session.Transcript().Text(),
                 QStringLiteral("> for (int i = 0; i < 2; i++) {\n... System.out.println(i); }\n"
                                "0\n1\n"));
        QCOMPARE(history.Entries(),
                 QStringList({"for (int i = 0; i < 2; i++) {\nSystem.out.println(i); }"}));
    }

    void aLineTypedWhileJavaDecidesJoinsTheOpenInput() {
        FakeKonsoleEngine engine;
        engine.ready = true;
        KonsoleHistory history;
        KonsoleSession session(engine, history);
        session.Submit(QStringLiteral("int summe(int a, int b) {"));
        session.Submit(QStringLiteral("return a + b; }"));
        engine.Answer(KonsoleOutcome::Incomplete);
        QCOMPARE(engine.calls.last(),
                 QStringLiteral("eval:int summe(int a, int b) {\nreturn a + b; }"));
        engine.Answer(KonsoleOutcome::Done, KonsoleText::Info,
                      QStringLiteral("Methode summe(int,int) angelegt\n"));
        QCOMPARE(session.CurrentPrompt(), KonsoleSession::Prompt);
        QVERIFY(!session.Busy());
    }

    void stopEndsTheEvaluationAndDropsWaitingInput() {
        FakeKonsoleEngine engine;
        engine.ready = true;
        KonsoleHistory history;
        KonsoleSession session(engine, history);
        session.Submit(QStringLiteral("while (true) {}"));
        session.Submit(QStringLiteral("1+1"));
        QVERIFY(session.Evaluating());
        session.Stop();
        QCOMPARE(engine.calls, QStringList({"eval:while (true) {}", "stop"}));
        engine.Answer(KonsoleOutcome::Stopped);
        QVERIFY(session.Transcript().Text().endsWith(QStringLiteral("Angehalten.\n")));
        QCOMPARE(engine.calls.size(), 2);
        QVERIFY(!session.Busy());
        // Nothing runs: a stop does nothing.
        session.Stop();
        QCOMPARE(engine.calls.size(), 2);
    }

    void resetAndReloadGiveAFreshStateWithANote() {
        const QString folder = m_env->dir();
        FakeKonsoleEngine engine;
        engine.ready = true;
        KonsoleHistory history;
        KonsoleSession session(engine, history);
        session.SetClassFolderSource([folder] { return folder; });
        session.Submit(QStringLiteral("Konto k = new Konto(100);"));
        // The folder comes onto the class path before the input that may need it.
        QCOMPARE(engine.calls, QStringList({"classpath:" + folder}));
        engine.Answer(KonsoleOutcome::Done);
        QCOMPARE(engine.calls.last(), QStringLiteral("eval:Konto k = new Konto(100);"));
        engine.Answer(KonsoleOutcome::Done, KonsoleText::Value, QStringLiteral("k = Konto@1\n"));

        touch(m_env->path("Konto.class"), "neu");
        QSignalSpy idle(&session, &KonsoleSession::Idle);
        session.Watch().CheckNow();
        QCOMPARE(engine.calls.last(), QStringLiteral("reset"));
        engine.Answer(KonsoleOutcome::Done);
        QVERIFY(session.Transcript().Text().endsWith(QStringLiteral("Klassen neu geladen\n")));

        // A class file written over, which the folder watch may not report: the next input
        // meets a fresh state with the new classes.
        touch(m_env->path("Konto.class"), "noch neuer und länger");
        session.Submit(QStringLiteral("new Konto(1)"));
        QCOMPARE(engine.calls.last(), QStringLiteral("reset"));
        engine.Answer(KonsoleOutcome::Done);
        QCOMPARE(engine.calls.last(), QStringLiteral("eval:new Konto(1)"));
        engine.Answer(KonsoleOutcome::Done);
        QVERIFY(session.Transcript().Text().contains(
            QStringLiteral("> new Konto(1)\nKlassen neu geladen\n")));

        session.ResetState();
        QCOMPARE(engine.calls.last(), QStringLiteral("reset"));
        engine.Answer(KonsoleOutcome::Done);
        QVERIFY(session.Transcript().Text().endsWith(QStringLiteral("Konsole zurückgesetzt\n")));
        // The typed history stays; the class path is asked for once only.
        QCOMPARE(history.Entries(), QStringList({"Konto k = new Konto(100);", "new Konto(1)"}));
        QCOMPARE(engine.calls.filter(QStringLiteral("classpath:")).size(), 1);
    }

    void aFailedStartIsShownAndTriedAgain() {
        FakeKonsoleEngine engine;
        KonsoleHistory history;
        KonsoleSession session(engine, history);
        session.Open();
        session.Submit(QStringLiteral("1+1"));
        engine.Fail(QStringLiteral("Die Java-Konsole braucht ein JDK"));
        QVERIFY(session.Transcript().Text().contains(QStringLiteral("braucht ein JDK")));
        QVERIFY(!session.Busy());
        QCOMPARE(history.Entries(), QStringList({"1+1"}));
        session.Submit(QStringLiteral("2+2"));
        QCOMPARE(engine.starts, 2);
        engine.BecomeReady();
        QCOMPARE(engine.calls, QStringList({"eval:2+2"}));
    }

private:
    std::unique_ptr<TestEnv> m_env;
};

QTEST_GUILESS_MAIN(TestKonsoleLogic)
#include "tst_konsolelogic.moc"
