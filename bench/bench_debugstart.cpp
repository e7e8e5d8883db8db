// D1 in the frame: "Debuggen starten" on hello world with a breakpoint on the first line of
// main, the resident compiler warm and the debug helper resident: from the command to the
// current-line mark in the window (compile with -g, the program's JVM start, the stop).

#include "IterationTimes.h"
#include "QtBenchmarkMain.h"
#include "RecordingUi.h"

#include "app/TFMain.h"
#include "common/Memo.h"
#include "debugger/DebugClient.h"
#include "editor/LineMarks.h"
#include "editor/MDIQuill.h"
#include "javarun/WarmCompileRules.h"
#include "settings/Settings.h"

#include <QAction>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

#include <memory>

namespace {

struct Frame {
    QTemporaryDir dir;
    RecordingUi ui;
    std::unique_ptr<TFMain> frame;
    TFMDIQuill *window = nullptr;

    Frame() {
        // A settings store of its own, never the user's.
        QStandardPaths::setTestModeEnabled(true);
        qputenv("QUILL_STORE_FILE", QFile::encodeName(dir.filePath("store/quill-store.json")));
        setUi(&ui);
        frame = std::make_unique<TFMain>();
        Settings::Compiler = QStandardPaths::findExecutable(QStringLiteral("javac"));
        Settings::Run = QStandardPaths::findExecutable(QStringLiteral("java"));
        Settings::CompilerParameter.clear();
        Settings::RunParameter.clear();
        frame->SetDebugEngine(
            new DebugClient([] { return JdkLauncherFor(Settings::Compiler, Settings::Run); }));
        frame->resize(1100, 800);
        frame->show();
        if (!QTest::qWaitForWindowExposed(frame.get()))
            qFatal("no frame");
        const QString name = dir.filePath(QStringLiteral("Hallo.java"));
        QFile file(name);
        if (!file.open(QIODevice::WriteOnly) ||
            file.write("public class Hallo {\n"
                       "    public static void main(String[] args) {\n"
                       "        System.out.println(\"Hallo Welt\");\n"
                       "    }\n"
                       "}\n") < 0)
            qFatal("cannot write the program");
        file.close();
        frame->OpenFileByName(name);
        window = frame->EditorWindows().value(0);
        if (!window)
            qFatal("no window");
        window->ActiveMemo()->setTextCursor(
            QTextCursor(window->ActiveMemo()->document()->findBlockByNumber(2)));
        window->MenuItem(QStringLiteral("MnHaltepunkt"))->trigger();
    }
    ~Frame() {
        frame.reset();
        setUi(nullptr);
    }

    bool stopped() const {
        for (const LineMarkAt &at : window->Marks().All())
            if (at.mark.kind == LineMarkKind::CurrentLine)
                return true;
        return false;
    }

    // One debugging to its end; the time to the mark in ms, or a negative number. A captured
    // program is waited for in a loop of its own until it ends, so the mark is watched by a
    // timer, which runs inside that loop too.
    double debugOnce() {
        double ms = -1;
        bool ended = false;
        QElapsedTimer timer;
        QTimer watch;
        watch.setInterval(1);
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (ms < 0 && stopped()) {
                ms = double(timer.nsecsElapsed()) / 1e6;
                window->MenuItem(QStringLiteral("MnFortsetzen"))->trigger();
            } else if (ms >= 0 &&
                       window->MenuItem(QStringLiteral("MnDebuggenStarten"))->isEnabled()) {
                ended = true;
            }
        });
        watch.start();
        timer.start();
        window->MenuItem(QStringLiteral("MnDebuggenStarten"))->trigger();
        if (!QTest::qWaitFor([&] { return ended; }, 60000))
            return -1;
        return ms;
    }
};

void BM_DebugStartToMark(benchmark::State &state) {
    Frame frame;
    // The first one starts the resident compiler and the debug helper.
    if (frame.debugOnce() < 0) {
        state.SkipWithError("no stop");
        return;
    }
    IterationTimes times(state);
    for (auto _ : state) {
        const double ms = frame.debugOnce();
        if (ms < 0) {
            state.SkipWithError("no stop");
            return;
        }
        times.Record(ms / 1000);
    }
}
BENCHMARK(BM_DebugStartToMark)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) {
    return RunQtBenchmarks(argc, argv);
}
