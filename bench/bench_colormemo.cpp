// Speed of the colouring control: the engine's pass over one dense screen, typing in a huge
// file, and opening a large file until the first coloured screen. Inputs are written by
// gen_java.py on first use into the build directory.

#include "BenchJavaFile.h"
#include "QtBenchmarkMain.h"

#include "GridView.h"

#include "colormemo/ColorEngine.h"
#include "colormemo/ColorMemo.h"
#include "colormemo/ColorRule.h"
#include "colormemo/DrawRules.h"
#include "colormemo/EditorMemoSetup.h"
#include "colormemo/EditorRules.h"
#include "colormemo/HotSpot.h"
#include "common/Helpers.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTest>
#include <QTextBlock>

#include <benchmark/benchmark.h>

#include <cstring>
#include <map>
#include <memory>

namespace {

// The generated file with that many lines (dense: every line filled to 80 columns).
QString JavaText(int lines, bool dense = false) {
    static std::map<std::pair<int, bool>, QString> cache;
    auto it = cache.find({lines, dense});
    if (it != cache.end())
        return it->second;
    QString text = BenchJavaFileText(lines, dense);
    if (text.endsWith(u'\n'))
        text.chop(1);
    return cache[{lines, dense}] = text;
}

// P1: the engine's pass over a dense 50-line, 80-column screen with the editor's rules.
void BM_EnginePassDenseScreen(benchmark::State &state) {
    TDrawRules rules;
    SetEditorColorRules(rules);
    TColorEngine engine;
    THotSpot hotSpot;
    TGridView view(JavaText(60, true), 50);
    view.Select(view.LineIndex(20) + 30);
    const TColorEngine::Look look;
    for (int i = 0; i < 3; ++i)
        engine.Colorize(rules, view, false, &hotSpot, cmoAllowCutCopy | cmoDragText, look);
    for (auto _ : state) {
        engine.Colorize(rules, view, false, &hotSpot, cmoAllowCutCopy | cmoDragText, look);
        benchmark::DoNotOptimize(engine.RunCount());
    }
    state.counters["runs"] = engine.RunCount();
}
BENCHMARK(BM_EnginePassDenseScreen)->Unit(benchmark::kMicrosecond);

// For comparison: one substring search per keyword over the same screen (the keyword part
// of a straightforward pass, without its spans, owner map and runs).
void BM_SearchPerKeywordDenseScreen(benchmark::State &state) {
    TDrawRules rules;
    SetEditorColorRules(rules);
    rules.PrepareRules();
    TGridView view(JavaText(60, true), 50);
    const QString screen = view.Text.left(view.LineIndex(50));
    const QString upper = UpperCaseChars(screen);
    for (auto _ : state) {
        int hits = 0;
        for (int r = 0; r < 3; ++r) {
            const TColorRule &rule = *rules.Items(r);
            const QString &text = rule.KeyCase() ? screen : upper;
            for (const TPreparedKeyword &keyword : rule.PreparedKeywords()) {
                for (qsizetype p = text.indexOf(keyword.Text); p >= 0;
                     p = text.indexOf(keyword.Text, p + keyword.Text.size()))
                    ++hits;
            }
        }
        benchmark::DoNotOptimize(hits);
    }
}
BENCHMARK(BM_SearchPerKeywordDenseScreen)->Unit(benchmark::kMicrosecond);

// For comparison: plain strstr over the same screen (8-bit) for all keywords.
void BM_StrstrAllKeywordsDenseScreen(benchmark::State &state) {
    TDrawRules rules;
    SetEditorColorRules(rules);
    rules.PrepareRules();
    TGridView view(JavaText(60, true), 50);
    const QByteArray screen = view.Text.left(view.LineIndex(50)).toLatin1();
    std::vector<QByteArray> keywords;
    for (int r = 0; r < 3; ++r) {
        for (const TPreparedKeyword &keyword : rules.Items(r)->PreparedKeywords())
            keywords.push_back(keyword.Text.toLatin1());
    }
    for (auto _ : state) {
        int hits = 0;
        for (const QByteArray &keyword : keywords) {
            for (const char *p = std::strstr(screen.constData(), keyword.constData()); p;
                 p = std::strstr(p + keyword.size(), keyword.constData()))
                ++hits;
        }
        benchmark::DoNotOptimize(hits);
    }
}
BENCHMARK(BM_StrstrAllKeywordsDenseScreen)->Unit(benchmark::kMicrosecond);

// An editor control holding a file of `lines` lines, kept across benchmark runs.
TColorMemo &EditorWithLines(int lines) {
    static std::map<int, std::unique_ptr<TColorMemo>> memos;
    auto &memo = memos[lines];
    if (!memo) {
        memo = std::make_unique<TColorMemo>();
        SetupEditorColorMemo(*memo);
        memo->resize(800, 900);
        memo->setPlainText(JavaText(lines));
        memo->show();
        if (!QTest::qWaitForWindowExposed(memo.get()))
            qFatal("the control was never shown");
        QTextCursor cursor(memo->document()->findBlockByNumber(lines / 2));
        cursor.movePosition(QTextCursor::EndOfBlock);
        memo->setTextCursor(cursor);
        memo->centerCursor();
        memo->setFocus();
        memo->viewport()->repaint();
        memo->viewport()->repaint();
    }
    return *memo;
}

// P2: typing one character in the middle of the file: the change, the pass and the repaint.
void BM_TypeOneCharacter(benchmark::State &state) {
    TColorMemo &memo = EditorWithLines(int(state.range(0)));
    int passes = 0;
    memo.OnDrawEx = [&passes](TColorMemo *, QStringView, int, int) { ++passes; };
    for (auto _ : state) {
        QTextCursor cursor = memo.textCursor();
        cursor.insertText(QStringLiteral("x"));
        memo.viewport()->repaint();
        state.PauseTiming();
        cursor.deletePreviousChar();
        memo.viewport()->repaint();
        state.ResumeTiming();
    }
    memo.OnDrawEx = nullptr;
    if (passes < 2 * int(state.iterations()))
        state.SkipWithError("the repaint ran no colouring pass");
}
BENCHMARK(BM_TypeOneCharacter)->Arg(2000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// P3: opening a 100,000-line file until the first coloured screen is painted, against a
// bare text control loading and painting the same text in the same run.
void BM_OpenFile(benchmark::State &state) {
    const bool coloured = state.range(0) == 1;
    const QString text = JavaText(100000);
    for (auto _ : state) {
        std::unique_ptr<QPlainTextEdit> edit;
        if (coloured) {
            auto memo = std::make_unique<TColorMemo>();
            SetupEditorColorMemo(*memo);
            edit = std::move(memo);
        } else {
            edit = std::make_unique<QPlainTextEdit>();
            edit->setLineWrapMode(QPlainTextEdit::NoWrap);
            QFont font(QStringLiteral("Courier New"));
            font.setPixelSize(13);
            edit->setFont(font);
        }
        edit->resize(800, 900);
        edit->setPlainText(text);
        int passes = 0;
        if (coloured)
            static_cast<TColorMemo &>(*edit).OnDrawEx = [&passes](TColorMemo *, QStringView, int,
                                                                  int) { ++passes; };
        edit->show();
        if (!QTest::qWaitForWindowExposed(edit.get()))
            qFatal("the control was never shown");
        edit->viewport()->repaint();
        state.PauseTiming();
        if (coloured && passes == 0)
            state.SkipWithError("no colouring pass ran");
        edit.reset();
        state.ResumeTiming();
    }
    state.SetLabel(coloured ? "colour control" : "bare text control");
}
// Alternating, so both see the same state of the allocator and the font caches.
BENCHMARK(BM_OpenFile)
    ->Arg(1)
    ->Arg(0)
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

} // namespace

int main(int argc, char **argv) {
    return RunQtBenchmarks(argc, argv);
}
