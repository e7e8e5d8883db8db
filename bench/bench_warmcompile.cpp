// F8 and F9 on a hello-world program through the resident compiler and through the
// compiler process, in the same run. The F8 times run from the command to the moment
// "-- Fertig --" appears (the 300 ms pause comes after it); the F9 times are the whole
// command, both pauses included.

#include "QtBenchmarkMain.h"

#include "javarun/BuildCommands.h"
#include "javarun/WarmCompiler.h"
#include "settings/Settings.h"

#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

const QByteArray HalloSource = "public class Hallo {\n"
                               "    public static void main(String[] args) {\n"
                               "        System.out.println(\"Hallo Welt\");\n"
                               "    }\n"
                               "}\n";

class Window : public BuildTarget {
public:
    explicit Window(const QString &fileName) : m_fileName(fileName) {}
    QString FileName() const override { return m_fileName; }
    QString FileBase() const override { return QStringLiteral("Hallo"); }
    QString FileExt() const override { return QStringLiteral(".java"); }
    QString SourceEncoding() const override { return QStringLiteral("UTF-8"); }
    QPlainTextEdit *ActiveMemo() const override { return &m_memo; }
    bool WriteForBuild() override { return true; }
    void ShowBuildStatus(const QString &) override {}
    QObject *LifetimeObject() override { return nullptr; }

private:
    QString m_fileName;
    mutable QPlainTextEdit m_memo{QString::fromUtf8(HalloSource)};
};

struct Fixture {
    QTemporaryDir dir;
    QString source;
    QPlainTextEdit panel;
    Fixture() {
        Settings::Compiler = QStandardPaths::findExecutable(QStringLiteral("javac"));
        Settings::Run = QStandardPaths::findExecutable(QStringLiteral("java"));
        Settings::CompilerParameter.clear();
        Settings::RunParameter.clear();
        source = dir.filePath(QStringLiteral("Hallo.java"));
        QFile file(source);
        if (file.open(QIODevice::WriteOnly))
            file.write(HalloSource);
    }
    BuildFrame Frame(WarmCompiler *warm) {
        BuildFrame frame{&panel, nullptr, nullptr, nullptr, {}};
        frame.warmCompiler = warm;
        return frame;
    }
};

// Milliseconds from the command to "-- Fertig --" in the panel.
double TimeToFinished(QPlainTextEdit &panel, const std::function<void()> &command) {
    QElapsedTimer clock;
    double finished = -1;
    const auto connection = QObject::connect(&panel, &QPlainTextEdit::textChanged, [&] {
        if (finished < 0 && panel.toPlainText().endsWith(QStringLiteral("-- Fertig --")))
            finished = clock.nsecsElapsed() / 1e6;
    });
    clock.start();
    command();
    QObject::disconnect(connection);
    return finished;
}

bool WaitReady(WarmCompiler &warm) {
    if (warm.IsReady())
        return true;
    QSignalSpy ready(&warm, &WarmCompiler::Ready);
    return ready.wait(30000);
}

double ResidentMegabytes(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    }
    return 0;
}

// W1, process side: F8 as before.
void BM_F8_Process(benchmark::State &state) {
    Fixture fixture;
    Window window(fixture.source);
    MnCompilerClick(window, fixture.Frame(nullptr));
    for (auto _ : state) {
        state.SetIterationTime(
            TimeToFinished(fixture.panel,
                           [&] { MnCompilerClick(window, fixture.Frame(nullptr)); }) /
            1000);
    }
}

// W1: F8 after one earlier compile. Reports the resident compiler's memory at the end.
void BM_F8_Warm(benchmark::State &state) {
    Fixture fixture;
    WarmCompiler warm;
    Window window(fixture.source);
    MnCompilerClick(window, fixture.Frame(&warm));
    if (!WaitReady(warm))
        state.SkipWithError("no resident compiler");
    MnCompilerClick(window, fixture.Frame(&warm));
    const int before = warm.WarmCompiles();
    for (auto _ : state) {
        state.SetIterationTime(
            TimeToFinished(fixture.panel, [&] { MnCompilerClick(window, fixture.Frame(&warm)); }) /
            1000);
    }
    if (warm.WarmCompiles() - before != int(state.iterations()))
        state.SkipWithError("a compile went to the process");
    state.counters["server_rss_MB"] = ResidentMegabytes(warm.ProcessId());
}

// W3: the very first F8, pressed the moment the resident compiler is started (the worst
// case: it must start and be waited for).
void BM_F8_FirstAfterStart(benchmark::State &state) {
    Fixture fixture;
    Window window(fixture.source);
    for (auto _ : state) {
        WarmCompiler warm;
        warm.Prepare(Settings::Compiler, fixture.dir.path());
        state.SetIterationTime(
            TimeToFinished(fixture.panel, [&] { MnCompilerClick(window, fixture.Frame(&warm)); }) /
            1000);
    }
}

// W2: the runtime alone, and F9 both ways (whole command, both 300 ms pauses included).
void BM_JavaHalloAlone(benchmark::State &state) {
    Fixture fixture;
    Window window(fixture.source);
    MnCompilerClick(window, fixture.Frame(nullptr));
    for (auto _ : state) {
        QProcess java;
        java.setWorkingDirectory(fixture.dir.path());
        java.start(Settings::Run, {QStringLiteral("Hallo")});
        java.waitForFinished(-1);
    }
}

// The run half of F9 alone: the captured run of the compiled class, its pause included.
void BM_RunFileAlone(benchmark::State &state) {
    Fixture fixture;
    Window window(fixture.source);
    MnCompilerClick(window, fixture.Frame(nullptr));
    for (auto _ : state)
        RunFile(window, fixture.Frame(nullptr));
}

void F9(benchmark::State &state, bool resident) {
    Fixture fixture;
    WarmCompiler warm;
    WarmCompiler *used = resident ? &warm : nullptr;
    Window window(fixture.source);
    MnRunClick(window, fixture.Frame(used));
    if (resident && !WaitReady(warm))
        state.SkipWithError("no resident compiler");
    MnRunClick(window, fixture.Frame(used));
    for (auto _ : state) {
        MnRunClick(window, fixture.Frame(used));
        if (!fixture.panel.toPlainText().endsWith(QStringLiteral("Hallo Welt\n-- Fertig --")))
            state.SkipWithError("no output");
    }
}

void BM_F9_Process(benchmark::State &state) {
    F9(state, false);
}
void BM_F9_Warm(benchmark::State &state) {
    F9(state, true);
}

BENCHMARK(BM_F8_Process)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(8);
BENCHMARK(BM_F8_Warm)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(40);
BENCHMARK(BM_F8_FirstAfterStart)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(6);
BENCHMARK(BM_JavaHalloAlone)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(8);
BENCHMARK(BM_RunFileAlone)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(8);
BENCHMARK(BM_F9_Process)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(8);
BENCHMARK(BM_F9_Warm)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(8);

} // namespace

int main(int argc, char **argv) {
    return RunQtBenchmarks(argc, argv);
}
