// The Java console with the real JDK.
// J1: from opening the window to the first result of "1+1" (a cold JVM with the shell
// engine), and then a simple expression from Enter to its value in the transcript.
// J2: the helper's resident memory after 1,000 evaluations against after the first, and
// after 2,000 against after 1,000.

#include "IterationTimes.h"
#include "QtBenchmarkMain.h"
#include "ResidentMemory.h"

#include "javaconsole/KonsoleClient.h"
#include "javaconsole/KonsoleProtocol.h"
#include "javaconsole/TFKonsole.h"
#include "javarun/WarmCompileRules.h"

#include "colormemo/ColorMemo.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QStandardPaths>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

QString Launcher() {
    return JdkLauncherFor(QStandardPaths::findExecutable(QStringLiteral("javac")), QString());
}

// The console window as the frame makes it, with its own engine.
struct Console {
    Console() : client(Launcher), window(client, QString()) {}
    KonsoleClient client;
    TFKonsole window;

    // Types the input and presses Enter; waits until it was answered.
    bool Enter(const QString &input) {
        QSignalSpy idle(&window.Session(), &KonsoleSession::Idle);
        window.MemoEingabe()->setPlainText(input);
        window.EingabeSenden();
        return idle.wait(60000);
    }
};

void BM_KonsoleFirstResult(benchmark::State &state) {
    IterationTimes times(state);
    for (auto _ : state) {
        Console console;
        times.Start();
        console.window.ShowKonsole();
        if (!console.Enter(QStringLiteral("1+1")) ||
            !console.window.MemoAusgabe()->toPlainText().endsWith(QStringLiteral("\n2"))) {
            state.SkipWithError("no result");
            return;
        }
        times.Stop();
    }
}
BENCHMARK(BM_KonsoleFirstResult)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

void BM_KonsoleSimpleExpression(benchmark::State &state) {
    Console console;
    console.window.ShowKonsole();
    console.Enter(QStringLiteral("int basis = 3;"));
    IterationTimes times(state);
    int i = 0;
    for (auto _ : state) {
        times.Start();
        if (!console.Enter(QStringLiteral("basis * %1 + 1").arg(++i))) {
            state.SkipWithError("no result");
            return;
        }
        times.Stop();
    }
}
BENCHMARK(BM_KonsoleSimpleExpression)
    ->UseManualTime()
    ->Iterations(200)
    ->Unit(benchmark::kMillisecond);

void BM_KonsoleMemory(benchmark::State &state) {
    for (auto _ : state) {
        Console console;
        console.window.ShowKonsole();
        console.Enter(QStringLiteral("1+1"));
        const double first = ResidentMegabytes(console.client.ProcessId());
        for (int i = 0; i < 1000; ++i)
            if (!console.Enter(QStringLiteral("%1 * 2 + 1").arg(i))) {
                state.SkipWithError("no result");
                return;
            }
        const double after = ResidentMegabytes(console.client.ProcessId());
        // A second thousand tells warming up (the JIT's code, the heap reaching its working
        // size) from a leak: a leak goes on growing.
        for (int i = 0; i < 1000; ++i)
            if (!console.Enter(QStringLiteral("%1 * 3 + 1").arg(i))) {
                state.SkipWithError("no result");
                return;
            }
        const double after2000 = ResidentMegabytes(console.client.ProcessId());
        state.counters["rss_first_MB"] = first;
        state.counters["rss_after_1000_MB"] = after;
        state.counters["rss_after_2000_MB"] = after2000;
        state.counters["ratio"] = first > 0 ? after / first : 0;
        state.counters["ratio_2000_to_1000"] = after > 0 ? after2000 / after : 0;
    }
}
BENCHMARK(BM_KonsoleMemory)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char **argv) {
    return RunQtBenchmarks(argc, argv);
}
