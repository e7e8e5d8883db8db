// The check while typing, with the real resident compiler.
//
// L1: from the end of the pause to the marks painted: the check of a window's text, its
//     answer, the marks set and the colour view repainted; hello world and a 1,000-line
//     class, each with one error.
// L2: typing one character in the middle of a 1,000-line file in an editor window (the
//     change, the pass and the repaint, as P2 of the colouring benchmark), with checks on
//     and off in the same run.
// L3: the resident compiler's memory after the first check and after 1,000 checks.

#include "QtBenchmarkMain.h"
#include "ResidentMemory.h"

#include "colormemo/ColorMemo.h"
#include "common/Memo.h"
#include "editor/MDIQuill.h"
#include "editor/WindowLiveCheck.h"
#include "FakeEditorHost.h"
#include "javarun/CheckExplanations.h"
#include "javarun/LiveCheckServer.h"
#include "settings/Settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

class CheckingHost : public FakeEditorHost {
public:
    LiveCheckServer server;
    LiveCheckServer *LiveChecks() override { return &server; }
};

// A correct class of about `lines` lines with one error (an int given a string) in the
// middle; hello world for a few lines.
QByteArray ClassWithOneError(int lines) {
    if (lines < 20)
        return "public class Probe {\n    public static void main(String[] args) {\n"
               "        int x = \"a\";\n        System.out.println(\"Hallo Welt\");\n    }\n}\n";
    QByteArray text = "public class Probe {\n";
    int line = 1;
    for (int method = 0; line < lines - 2; ++method) {
        text += "    int methode" + QByteArray::number(method) + "(int wert) {\n";
        text += "        int summe = wert;\n";
        for (int i = 0; i < 6; ++i)
            text += "        summe = summe * 3 + " + QByteArray::number(i) + ";\n";
        if (method == lines / 20)
            text += "        int fehler = \"a\";\n";
        text += "        return summe;\n    }\n";
        line += 11;
    }
    return text + "}\n";
}

struct Session {
    QTemporaryDir dir;
    CheckingHost host;
    TFMDIQuill *window = nullptr;
    explicit Session(int lines) {
        Settings::Compiler = QStandardPaths::findExecutable(QStringLiteral("javac"));
        Settings::CompilerParameter.clear();
        Settings::FehlerBeimSchreibenMarkieren = true;
        Settings::AutoSave = false;
        const QString name = dir.filePath(QStringLiteral("Probe.java"));
        QFile file(name);
        if (!file.open(QIODevice::WriteOnly) || file.write(ClassWithOneError(lines)) < 0)
            qFatal("cannot write the input");
        file.close();
        window = new TFMDIQuill(host);
        host.windows << window;
        if (!window->InitDocument(name, TNewFile()))
            qFatal("cannot open the input");
        window->resize(800, 600);
        window->show();
        if (!QTest::qWaitForWindowExposed(window))
            qFatal("no window");
        window->ActiveMemo()->setFocus();
    }
    ~Session() { delete window; }
    // Checks now and waits for the marks; false when none came.
    bool Check() {
        QSignalSpy shown(&window->LiveCheck(), &WindowLiveCheck::MarksChanged);
        window->LiveCheck().CheckNow();
        return shown.wait(60000);
    }
};

void BM_MarksAfterPause(benchmark::State &state) {
    Session session(int(state.range(0)));
    TMemo *memo = session.window->ActiveMemo();
    // The first check starts the resident compiler; the learner's pauses come after it.
    for (int i = 0; i < 5; ++i)
        if (!session.Check())
            state.SkipWithError("no answer");
    for (auto _ : state) {
        state.PauseTiming();
        // A new text, so the answer counts (at the very end, nothing the compiler sees).
        QTextCursor end(memo->document());
        end.movePosition(QTextCursor::End);
        end.insertText(QStringLiteral(" "));
        session.window->LiveCheck().Timer()->stop();
        state.ResumeTiming();
        if (!session.Check()) {
            state.SkipWithError("no answer");
            break;
        }
        memo->viewport()->repaint();
        static_cast<TColorMemo *>(memo)->RepaintGutter();
        state.PauseTiming();
        if (session.window->LiveCheck().Marks().Marks().size() != 1)
            state.SkipWithError("not one mark");
        state.ResumeTiming();
    }
}
BENCHMARK(BM_MarksAfterPause)->Arg(6)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_TypeWithChecks(benchmark::State &state) {
    Settings::FehlerBeimSchreibenMarkieren = state.range(0) == 1;
    Session session(1000);
    TMemo *memo = session.window->ActiveMemo();
    Settings::FehlerBeimSchreibenMarkieren = state.range(0) == 1;
    session.window->ApplyLiveCheckSetting();
    QTextCursor middle(memo->document()->findBlockByNumber(500));
    memo->setTextCursor(middle);
    memo->centerCursor();
    memo->viewport()->repaint();
    for (auto _ : state) {
        QTextCursor cursor = memo->textCursor();
        cursor.insertText(QStringLiteral("x"));
        memo->viewport()->repaint();
        state.PauseTiming();
        cursor.deletePreviousChar();
        memo->viewport()->repaint();
        state.ResumeTiming();
    }
    state.SetLabel(state.range(0) == 1 ? "checks on" : "checks off");
    Settings::FehlerBeimSchreibenMarkieren = true;
}
BENCHMARK(BM_TypeWithChecks)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_MemoryAfterChecks(benchmark::State &state) {
    const int Checks = qEnvironmentVariableIntValue("QUILL_BENCH_CHECKS") > 0
                           ? qEnvironmentVariableIntValue("QUILL_BENCH_CHECKS")
                           : 1000;
    const QString javac = QStandardPaths::findExecutable(QStringLiteral("javac"));
    QTemporaryDir dir;
    LiveCheckServer server;
    QSignalSpy answered(&server, &LiveCheckServer::Checked);
    CheckRequest request;
    request.folder = dir.path();
    request.options = {QStringLiteral("-encoding"), QStringLiteral("UTF-8")};
    const QString text = QString::fromUtf8(ClassWithOneError(6));
    double first = 0;
    double last = 0;
    for (auto _ : state) {
        for (int i = 1; i <= Checks; ++i) {
            // A new text each time (another number in it), as while typing.
            request.main = {dir.filePath(QStringLiteral("Probe.java")),
                            QString(text).replace(QStringLiteral("Hallo Welt"),
                                                  QStringLiteral("Hallo %1").arg(i))};
            server.Check(&server, quint64(i), javac, request);
            if (!answered.wait(60000)) {
                state.SkipWithError("no answer");
                return;
            }
            if (i == 1)
                first = ResidentMegabytes(server.ProcessId());
            if (i % 100 == 0 && qEnvironmentVariableIsSet("QUILL_BENCH_TRACE"))
                qInfo("%d checks: %.1f MB", i, ResidentMegabytes(server.ProcessId()));
        }
        last = ResidentMegabytes(server.ProcessId());
    }
    state.counters["first_MB"] = first;
    state.counters["after1000_MB"] = last;
    state.counters["growth_pct"] = first > 0 ? (last - first) * 100.0 / first : -1;
}
BENCHMARK(BM_MemoryAfterChecks)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv) {
    return RunQtBenchmarks(argc, argv);
}
