// Speed of the typing helpers on a large file. Inputs are written by gen_java.py on first use
// into the build directory.
//
// C2: the partner of the outermost `{` of a 1,000,000-line file (the bounded search around
//     the caret, reading the window from the copy of the text that the editor window keeps
//     up to date with every edit).
// C3: Enter with indentation against the control's own Enter on a 1,000,000-line file.

#include "BenchJavaFile.h"
#include "QtBenchmarkMain.h"

#include "editor/BracketMatch.h"
#include "editor/DocumentEdits.h"
#include "editor/DocumentMirror.h"

#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <benchmark/benchmark.h>

namespace {

// A million lines of Java inside one outer class, so its `{` is partnered by the last line.
const QString &MillionLines() {
    static const QString text = [] {
        return QStringLiteral("class Alles {\n") + BenchJavaFileText(1000000) +
               QStringLiteral("}\n");
    }();
    return text;
}

void BM_C2_OuterBracePartner(benchmark::State &state) {
    QPlainTextEdit memo;
    memo.setPlainText(MillionLines());
    DocumentMirror mirror(*memo.document());
    mirror.Source();                       // made once, on the first request
    const int caret = int(state.range(0)); // after the outer `{` (13) or before it (12)
    BracketMatch::Result found;
    for (auto _ : state) {
        found = BracketMatch::Find(mirror.Source(), caret);
        benchmark::DoNotOptimize(found);
    }
    if (found.bracket != 12 || found.status != BracketMatch::Status::Unknown)
        state.SkipWithError("outer brace not found");
}
BENCHMARK(BM_C2_OuterBracePartner)->Arg(13)->Arg(12)->Unit(benchmark::kMillisecond);

void BM_C2_BracePartnerMidFile(benchmark::State &state) {
    QPlainTextEdit memo;
    memo.setPlainText(MillionLines());
    DocumentMirror mirror(*memo.document());
    mirror.Source();
    // After the `{` of a method head half way through the file.
    const QTextBlock head = memo.document()
                                ->find(QStringLiteral("public void methode"),
                                       memo.document()->findBlockByNumber(500000).position())
                                .block();
    const int caret = head.position() + head.length() - 1;
    BracketMatch::Result found;
    for (auto _ : state) {
        found = BracketMatch::Find(mirror.Source(), caret);
        benchmark::DoNotOptimize(found);
    }
    // The generated methods leave some braces open, so any answer but none will do.
    if (found.status == BracketMatch::Status::None)
        state.SkipWithError("no bracket");
}
BENCHMARK(BM_C2_BracePartnerMidFile)->Unit(benchmark::kMillisecond);

// The search alone on a plain string, the same window as the mid-file case.
void BM_C2_FindOnString(benchmark::State &state) {
    const QString &text = MillionLines();
    const int caret = int(text.indexOf(QStringLiteral("public void methode"), text.size() / 2));
    const BracketMatch::Window w = BracketMatch::WindowAround(caret, int(text.size()));
    for (auto _ : state) {
        BracketMatch::Result found = BracketMatch::Find(
            QStringView(text).mid(w.from, w.to - w.from), w.from, int(text.size()), caret);
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_C2_FindOnString)->Unit(benchmark::kMillisecond);

// The one copy of the text the first search makes.
void BM_C2_FirstCopy(benchmark::State &state) {
    QPlainTextEdit memo;
    memo.setPlainText(MillionLines());
    for (auto _ : state) {
        DocumentMirror mirror(*memo.document());
        benchmark::DoNotOptimize(&mirror.Source());
    }
}
BENCHMARK(BM_C2_FirstCopy)->Unit(benchmark::kMillisecond)->Iterations(3);

// Carries out Enter with indentation instead of the control, as the editor window does.
class IndentOnEnter : public QObject {
public:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() != QEvent::KeyPress ||
            static_cast<QKeyEvent *>(event)->key() != Qt::Key_Return)
            return false;
        auto *memo = static_cast<QPlainTextEdit *>(watched);
        QTextCursor cursor = memo->textCursor();
        ApplyEnter(cursor, PlanEnter(cursor, AutoIndent::Step(false)));
        memo->setTextCursor(cursor);
        return true;
    }
};

void BM_C3_Enter(benchmark::State &state) {
    const bool indent = state.range(0) != 0;
    QPlainTextEdit memo;
    memo.setUndoRedoEnabled(false);
    memo.setPlainText(MillionLines());
    memo.resize(800, 600);
    memo.show();
    IndentOnEnter filter;
    if (indent)
        memo.installEventFilter(&filter);
    // The end of a method head half way through the file.
    const QTextBlock head = memo.document()
                                ->find(QStringLiteral("public void methode"),
                                       memo.document()->findBlockByNumber(500000).position())
                                .block();
    const int caret = head.position() + head.length() - 1;
    for (auto _ : state) {
        QTextCursor cursor = memo.textCursor();
        cursor.setPosition(caret);
        memo.setTextCursor(cursor);
        QTest::keyClick(&memo, Qt::Key_Return);
        state.PauseTiming();
        cursor = memo.textCursor();
        cursor.setPosition(caret);
        cursor.setPosition(memo.textCursor().position(), QTextCursor::KeepAnchor);
        if (indent && cursor.selectedText() != QStringLiteral("\u2029      "))
            state.SkipWithError("not indented");
        cursor.removeSelectedText();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_C3_Enter)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv) {
    return RunQtBenchmarks(argc, argv);
}
