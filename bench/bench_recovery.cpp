// Recovery copies: what the GUI thread pays to hand one copy of a 10,000-line document to
// the writer thread (the writing itself happens there), and what a start with an empty
// recovery folder pays for the lock and the look for copies of a killed program.
// Inputs are written by gen_java.py on first use into the build directory.

#include "BenchJavaFile.h"
#include "QtBenchmarkMain.h"

#include "app/RecoveryStore.h"
#include "app/RecoveryWriter.h"
#include "app/SessionRecovery.h"
#include "app/TFMain.h"
#include "app/WindowRecovery.h"
#include "colormemo/ColorMemo.h"
#include "common/Memo.h"
#include "editor/MDIQuill.h"
#include "FakeEditorHost.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QString JavaSource(int lines) {
    return BenchJavaFileText(lines);
}

// R1: the keeper's work on the GUI thread when a copy is due: take the window's text, caret,
// name and encoding, and hand them to the writer.
void BM_HandOverCopy10kLines(benchmark::State &state) {
    QTemporaryDir dir;
    RecoveryStore store(dir.filePath(QStringLiteral("wh")));
    QString error;
    if (!store.open(error))
        qFatal("%s", qPrintable(error));
    RecoveryWriter writer(store);
    FakeEditorHost host;
    TFMDIQuill window(host);
    window.ActiveMemo()->setPlainText(JavaSource(10000));
    window.ActiveMemo()->SetModified(true);
    window.resize(800, 600);
    window.show();
    const WindowRecovery document(window);
    for (auto _ : state)
        writer.submit(1, document.takeCopy());
    writer.waitForIdle();
    state.counters["lines"] = window.ActiveMemo()->document()->blockCount();
}
BENCHMARK(BM_HandOverCopy10kLines)->Unit(benchmark::kMillisecond);

// R2: a start and a normal end with an empty folder: the folder and lock, the look for
// copies of ended programs and for old discarded ones, and the end's clean-up.
void BM_StartAndEndWithEmptyFolder(benchmark::State &state) {
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("wh"));
    TFMain frame;
    for (auto _ : state) {
        SessionRecovery recovery(frame, folder);
        recovery.offerRecovery();
    }
}
BENCHMARK(BM_StartAndEndWithEmptyFolder)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) {
    QTemporaryDir store;
    qputenv("QUILL_STORE_FILE", QFile::encodeName(store.filePath(QStringLiteral("store.json"))));
    return RunQtBenchmarks(argc, argv);
}
