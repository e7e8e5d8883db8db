// The debugger with the real JDK and its resident helper.
// D1: from Listen to the stop at a breakpoint on the first line of main of hello world, the
// helper already resident, the program's JVM start included.
// D2: one step over in a method with 20 local variables, from the call to its variables.
// D3: a loop of 10,000,000 rounds with a breakpoint in a method never called: the program's
// run time under the debugger against plain java (both from the start of its JVM to its end).

#include "IterationTimes.h"
#include "QtBenchmarkMain.h"

#include "debugger/DebugAgent.h"
#include "debugger/DebugClient.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>
#include <optional>

namespace {

QString Java() {
    return QStandardPaths::findExecutable(QStringLiteral("java"));
}

QString TwentyLocals() {
    QString text = QStringLiteral("public class Zwanzig {\n"
                                  "    static void rechne() {\n");
    for (int i = 1; i <= 20; ++i)
        text += QStringLiteral("        int v%1 = %1;\n").arg(i);
    text += QStringLiteral("        while (true) {\n"
                           "            v1 = v1 + v20;\n"
                           "            v2 = v2 + v1;\n"
                           "        }\n"
                           "    }\n"
                           "    public static void main(String[] args) {\n"
                           "        rechne();\n"
                           "    }\n"
                           "}\n");
    return text;
}

// The programs, compiled for debugging once.
struct Programs {
    Programs() {
        write("Hallo.java", "public class Hallo {\n"
                            "    public static void main(String[] args) {\n"
                            "        System.out.println(\"Hallo Welt\");\n"
                            "    }\n"
                            "}\n");
        write("Zwanzig.java", TwentyLocals().toUtf8());
        write("Schleife.java", "public class Schleife {\n"
                               "    static void nie() {\n"
                               "        System.out.println(\"nie\");\n"
                               "    }\n"
                               "    public static void main(String[] args) {\n"
                               "        long summe = 0;\n"
                               "        for (int i = 0; i < 10000000; i++)\n"
                               "            summe += i % 7;\n"
                               "        System.out.println(summe);\n"
                               "    }\n"
                               "}\n");
        QProcess javac;
        javac.start(QStandardPaths::findExecutable(QStringLiteral("javac")),
                    {QStringLiteral("-g"), file("Hallo.java"), file("Zwanzig.java"),
                     file("Schleife.java")});
        ok = javac.waitForFinished(120000) && javac.exitCode() == 0;
    }
    QString file(const char *name) const { return dir.filePath(QLatin1String(name)); }
    void write(const char *name, const QByteArray &text) {
        QFile out(file(name));
        ok = out.open(QIODevice::WriteOnly) && out.write(text) == text.size();
    }
    QTemporaryDir dir;
    bool ok = false;
};

Programs &Shared() {
    static Programs programs;
    return programs;
}

// One debugging: the helper's client, the program started once it listens.
struct Debugging {
    explicit Debugging(DebugClient &client) : client(client) {}

    // Listens and starts the program; true once it stopped and its variables came.
    bool Start(const QString &mainClass) {
        QSignalSpy listening(&client, &DebugEngine::Listening);
        QSignalSpy variables(&client, &DebugEngine::Variables);
        client.Listen(mainClass);
        if (!listening.wait(60000))
            return false;
        program = std::make_unique<QProcess>();
        program->start(Java(), {DebugAgentOption(listening.at(0).at(0).toInt()),
                                QStringLiteral("-cp"), Shared().dir.path(), mainClass});
        return variables.wait(60000);
    }

    // Ends it and waits for the program's end.
    bool End() {
        QSignalSpy ended(&client, &DebugEngine::Ended);
        client.Finish();
        if (!ended.wait(60000))
            return false;
        return program->state() == QProcess::NotRunning || program->waitForFinished(60000);
    }

    DebugClient &client;
    std::unique_ptr<QProcess> program;
};

// The helper, started and warmed by one debugging before any measurement.
DebugClient &Helper() {
    static DebugClient client(Java);
    static bool warm = false;
    if (!warm) {
        Debugging first(client);
        warm = first.Start(QStringLiteral("Hallo")) && first.End();
    }
    return client;
}

void BM_D1_ListenToStop(benchmark::State &state) {
    if (!Shared().ok) {
        state.SkipWithError("no JDK");
        return;
    }
    DebugClient &client = Helper();
    client.SetBreakpoints(Shared().file("Hallo.java"), {3});
    IterationTimes times(state);
    for (auto _ : state) {
        Debugging run(client);
        times.Start();
        if (!run.Start(QStringLiteral("Hallo"))) {
            state.SkipWithError("no stop");
            return;
        }
        times.Stop();
        if (!run.End()) {
            state.SkipWithError("no end");
            return;
        }
    }
    client.SetBreakpoints(Shared().file("Hallo.java"), {});
}
BENCHMARK(BM_D1_ListenToStop)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

void BM_D2_StepOverTwentyLocals(benchmark::State &state) {
    if (!Shared().ok) {
        state.SkipWithError("no JDK");
        return;
    }
    DebugClient &client = Helper();
    client.SetBreakpoints(Shared().file("Zwanzig.java"), {24});
    Debugging run(client);
    if (!run.Start(QStringLiteral("Zwanzig"))) {
        state.SkipWithError("no stop");
        return;
    }
    IterationTimes times(state);
    for (auto _ : state) {
        QSignalSpy variables(&client, &DebugEngine::Variables);
        times.Start();
        client.StepOver();
        if (!variables.wait(60000) ||
            variables.at(0).at(1).value<QList<DebugVariable>>().size() != 20) {
            state.SkipWithError("no variables");
            return;
        }
        times.Stop();
    }
    run.End();
    client.SetBreakpoints(Shared().file("Zwanzig.java"), {});
}
BENCHMARK(BM_D2_StepOverTwentyLocals)
    ->UseManualTime()
    ->Iterations(200)
    ->Unit(benchmark::kMillisecond);

// The program's time from its start to its end, under the debugger or plain.
double LoopSeconds(DebugClient *client) {
    QProcess program;
    QStringList arguments{QStringLiteral("-cp"), Shared().dir.path(), QStringLiteral("Schleife")};
    std::optional<QSignalSpy> ended;
    if (client) {
        ended.emplace(client, &DebugEngine::Ended);
        QSignalSpy listening(client, &DebugEngine::Listening);
        client->Listen(QStringLiteral("Schleife"));
        if (!listening.wait(60000))
            return -1;
        arguments.prepend(DebugAgentOption(listening.at(0).at(0).toInt()));
    }
    QElapsedTimer timer;
    timer.start();
    program.start(Java(), arguments);
    if (!program.waitForFinished(120000) || program.exitCode() != 0)
        return -1;
    const double seconds = timer.nsecsElapsed() / 1e9;
    if (ended && ended->isEmpty() && !ended->wait(60000))
        return -1;
    return seconds;
}

void BM_D3_LoopUnderTheDebugger(benchmark::State &state) {
    if (!Shared().ok) {
        state.SkipWithError("no JDK");
        return;
    }
    DebugClient &client = Helper();
    client.SetBreakpoints(Shared().file("Schleife.java"), {3});
    double debugged = 0;
    double plain = 0;
    int rounds = 0;
    for (auto _ : state) {
        const double underDebugger = LoopSeconds(&client);
        const double withoutDebugger = LoopSeconds(nullptr);
        if (underDebugger < 0 || withoutDebugger < 0) {
            state.SkipWithError("the loop did not run");
            return;
        }
        debugged += underDebugger;
        plain += withoutDebugger;
        ++rounds;
        state.SetIterationTime(underDebugger);
    }
    client.SetBreakpoints(Shared().file("Schleife.java"), {});
    state.counters["debugged_ms"] = debugged / rounds * 1000;
    state.counters["plain_ms"] = plain / rounds * 1000;
    state.counters["ratio"] = debugged / plain;
}
BENCHMARK(BM_D3_LoopUnderTheDebugger)
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) {
    return RunQtBenchmarks(argc, argv);
}
