// F8 and F9 on a hello-world program through the resident compiler and through the
// compiler process, in the same run. The F8 times run from the command to the moment
// "-- Fertig --" appears (the 300 ms pause comes after it); the F9 times are the whole
// command, both pauses included.

#include "QtBenchmarkMain.h"
#include "ResidentMemory.h"

#include "javarun/BuildCommands.h"
#include "javarun/WarmCompiler.h"
#include "settings/Settings.h"

#include <QElapsedTimer>
#include <QFile>
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
    bool HasFile() const override { return true; }
    QString FileName() const override { return m_fileName; }
    QString FileBase() const override { return QStringLiteral("Hallo"); }
    QString FileExt() const override { return QStringLiteral(".java"); }
    QString SourceEncoding() const override { return QStringLiteral("UTF-8"); }
    QString SourceText() const override { return QString::fromUtf8(HalloSource); }
    bool Modified() const override { return false; }
    bool WriteForBuild() override { return true; }
    void ShowBuildStatus(const QString &) override {}
    QObject *LifetimeObject() override { return nullptr; }

private:
    QString m_fileName;
};

// The frame with its panel as plain text; tells when "-- Fertig --" arrives.
class Frame : public BuildHost, public RunOutput {
public:
    RunOutput &Output() override { return *this; }
    bool MitUmleitung() const override { return true; }
    QString ChosenMainFile() const override { return QString(); }
    void ChooseMainFile(const QString &) override {}
    WarmCompiler *ResidentCompiler() override { return warm; }
    QList<std::shared_ptr<BuildTarget>> BuildTargets() override { return {}; }
    void Clear() override { text.clear(); }
    void AppendLine(const QString &line) override {
        text = text.isEmpty() ? line : text + u'\n' + line;
        if (line == QStringLiteral("-- Fertig --") && finished)
            finished();
    }
    void SetText(const QString &replacement) override { text = replacement; }
    void FocusStart() override {}
    QString text;
    WarmCompiler *warm = nullptr;
    std::function<void()> finished;
};

struct Fixture {
    QTemporaryDir dir;
    QString source;
    Frame panel;
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
    Frame &Host(WarmCompiler *warm) {
        panel.warm = warm;
        return panel;
    }
};

// Milliseconds from the command to "-- Fertig --" in the panel.
double TimeToFinished(Frame &panel, const std::function<void()> &command) {
    QElapsedTimer clock;
    double finished = -1;
    panel.finished = [&] {
        if (finished < 0)
            finished = clock.nsecsElapsed() / 1e6;
    };
    clock.start();
    command();
    panel.finished = nullptr;
    return finished;
}

bool WaitReady(WarmCompiler &warm) {
    if (warm.IsReady())
        return true;
    QSignalSpy ready(&warm, &WarmCompiler::Ready);
    return ready.wait(30000);
}

// W1, process side: F8 as before.
void BM_F8_Process(benchmark::State &state) {
    Fixture fixture;
    Window window(fixture.source);
    MnCompilerClick(window, fixture.Host(nullptr));
    for (auto _ : state) {
        state.SetIterationTime(
            TimeToFinished(fixture.panel, [&] { MnCompilerClick(window, fixture.Host(nullptr)); }) /
            1000);
    }
}

// W1: F8 after one earlier compile. Reports the resident compiler's memory at the end.
void BM_F8_Warm(benchmark::State &state) {
    Fixture fixture;
    WarmCompiler warm;
    Window window(fixture.source);
    MnCompilerClick(window, fixture.Host(&warm));
    if (!WaitReady(warm))
        state.SkipWithError("no resident compiler");
    MnCompilerClick(window, fixture.Host(&warm));
    const int before = warm.WarmCompiles();
    for (auto _ : state) {
        state.SetIterationTime(
            TimeToFinished(fixture.panel, [&] { MnCompilerClick(window, fixture.Host(&warm)); }) /
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
            TimeToFinished(fixture.panel, [&] { MnCompilerClick(window, fixture.Host(&warm)); }) /
            1000);
    }
}

// W2: the runtime alone, and F9 both ways (whole command, both 300 ms pauses included).
void BM_JavaHalloAlone(benchmark::State &state) {
    Fixture fixture;
    Window window(fixture.source);
    MnCompilerClick(window, fixture.Host(nullptr));
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
    MnCompilerClick(window, fixture.Host(nullptr));
    for (auto _ : state)
        RunFile(window, fixture.Host(nullptr));
}

void F9(benchmark::State &state, bool resident) {
    Fixture fixture;
    WarmCompiler warm;
    WarmCompiler *used = resident ? &warm : nullptr;
    Window window(fixture.source);
    MnRunClick(window, fixture.Host(used));
    if (resident && !WaitReady(warm))
        state.SkipWithError("no resident compiler");
    MnRunClick(window, fixture.Host(used));
    for (auto _ : state) {
        MnRunClick(window, fixture.Host(used));
        if (!fixture.panel.text.endsWith(QStringLiteral("Hallo Welt\n-- Fertig --")))
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
