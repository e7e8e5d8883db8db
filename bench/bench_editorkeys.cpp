// Speed of the typing helpers on a large file. Inputs are written by gen_java.py on first use
// into the build directory.
//
// C2: the partner of the outermost `{` of a 1,000,000-line file (the bounded search around
//     the caret, reading the window from the document).
// C3: Enter with indentation against the control's own Enter on a 1,000,000-line file.

#include "QtBenchmarkMain.h"

#include "editor/DocumentEdits.h"

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
        const QString path = QDir(QStringLiteral(QUILL_BENCH_DATA_DIR))
                                 .filePath(QStringLiteral("java_1000000.java"));
        if (!QFile::exists(path)) {
            QDir().mkpath(QStringLiteral(QUILL_BENCH_DATA_DIR));
            QProcess::execute(QStringLiteral("python3"), {QStringLiteral(QUILL_BENCH_SCRIPT), path,
                                                          QStringLiteral("1000000")});
        }
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            qFatal("cannot read %s", qPrintable(path));
        return QStringLiteral("class Alles {\n") + QString::fromUtf8(file.readAll()) +
               QStringLiteral("}\n");
    }();
    return text;
}

void BM_C2_OuterBracePartner(benchmark::State &state) {
    QPlainTextEdit memo;
    memo.setPlainText(MillionLines());
    const int caret = int(state.range(0)); // after the outer `{` (12) or before it (11)
    BracketMatch::Result found;
    for (auto _ : state) {
        found = FindBracket(*memo.document(), caret);
        benchmark::DoNotOptimize(found);
    }
    if (found.bracket != 11 || found.status != BracketMatch::Status::Unknown)
        state.SkipWithError("outer brace not found");
}
BENCHMARK(BM_C2_OuterBracePartner)->Arg(12)->Arg(11)->Unit(benchmark::kMillisecond);

void BM_C2_BracePartnerMidFile(benchmark::State &state) {
    QPlainTextEdit memo;
    memo.setPlainText(MillionLines());
    // The `{` of a method half way through the file.
    const QTextBlock block = memo.document()->findBlockByNumber(500000);
    QTextCursor at = memo.document()->find(QStringLiteral("{"), block.position());
    const int caret = at.position();
    BracketMatch::Result found;
    for (auto _ : state) {
        found = FindBracket(*memo.document(), caret);
        benchmark::DoNotOptimize(found);
    }
    if (found.status != BracketMatch::Status::Matched)
        state.SkipWithError("no partner");
}
BENCHMARK(BM_C2_BracePartnerMidFile)->Unit(benchmark::kMillisecond);

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
