// A whole editor window on a 1,000,000-line file: the memory after opening it and typing one
// character, and the view switch there and back, each timed until the window is idle
// (events handled, the new view painted), with the memory after it. Inputs are written by
// gen_java.py on first use into the build directory.
//
// V1: open the file, type one character (key press and release, as a user types).
// V2: switch to the monochrome view and back to the colour view.

#include "BenchJavaFile.h"
#include "QtBenchmarkMain.h"
#include "ResidentMemory.h"

#include "colormemo/ColorMemo.h"
#include "common/Memo.h"
#include "editor/MDIQuill.h"
#include "FakeEditorHost.h"
#include "settings/Settings.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

QString JavaFile(int lines) {
    return BenchJavaFilePath(lines);
}

void Idle(TFMDIQuill &window) {
    QCoreApplication::processEvents();
    window.ActiveMemo()->viewport()->repaint();
    QCoreApplication::processEvents();
}

struct Session {
    FakeEditorHost host;
    TFMDIQuill *window = nullptr;
    double openedMB = 0;
    double typedMB = 0;
    double baseMB = 0;
    explicit Session(int lines) {
        const QString path = JavaFile(lines);
        Settings::UndoMitKeyUp = true;
        baseMB = ResidentMegabytes();
        window = new TFMDIQuill(host);
        window->resize(800, 600);
        if (!window->InitDocument(path, TNewFile()))
            qFatal("cannot open %s", qPrintable(path));
        Idle(*window);
        openedMB = ResidentMegabytes();
        QTest::keyClick(window->ActiveMemo(), Qt::Key_X);
        Idle(*window);
        typedMB = ResidentMegabytes();
    }
    ~Session() {
        window->ActiveMemo()->SetModified(false);
        delete window;
    }
};

void BM_V1_OpenAndTypeOneChar(benchmark::State &state) {
    for (auto _ : state) {
        Session session(int(state.range(0)));
        state.counters["base_MB"] = session.baseMB;
        state.counters["opened_MB"] = session.openedMB;
        state.counters["typed_MB"] = session.typedMB;
    }
}
BENCHMARK(BM_V1_OpenAndTypeOneChar)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_V2_SwitchViewThereAndBack(benchmark::State &state) {
    for (auto _ : state) {
        Session session(int(state.range(0)));
        TFMDIQuill &window = *session.window;
        QElapsedTimer timer;
        timer.start();
        window.MenuItem(QStringLiteral("MnSerMemoSW"))->trigger();
        Idle(window);
        const double toMono = double(timer.nsecsElapsed()) / 1e6;
        const double monoMB = ResidentMegabytes();
        timer.restart();
        window.MenuItem(QStringLiteral("MnSetMemoColor"))->trigger();
        Idle(window);
        const double toColor = double(timer.nsecsElapsed()) / 1e6;
        state.counters["typed_MB"] = session.typedMB;
        state.counters["to_mono_ms"] = toMono;
        state.counters["mono_MB"] = monoMB;
        state.counters["to_color_ms"] = toColor;
        state.counters["color_MB"] = ResidentMegabytes();
    }
}
BENCHMARK(BM_V2_SwitchViewThereAndBack)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace

int main(int argc, char **argv) {
    QTemporaryDir store;
    qputenv("QUILL_STORE_FILE", QFile::encodeName(store.filePath(QStringLiteral("store.json"))));
    return RunQtBenchmarks(argc, argv);
}
