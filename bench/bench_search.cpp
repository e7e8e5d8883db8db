// Speed of search, replace all and printing. Inputs are written by gen_java.py on first use
// into the build directory.
//
// S1: the last occurrence of a 10-character text in 1,000,000 lines, ignoring case.
// S2: replace all of a 3-character text with 100,000 matches in 100,000 lines.
// P4: printing 1,000 lines to a PDF file.

#include "BenchJavaFile.h"
#include "QtBenchmarkMain.h"

#include "colormemo/ColorMemo.h"
#include "colormemo/EditorMemoSetup.h"
#include "editor/DocumentEdits.h"
#include "editor/DocumentMirror.h"
#include "editor/DocumentTextSource.h"
#include "editor/PrintRenderer.h"
#include "editor/SearchLogic.h"
#include "editor/TextSearch.h"

#include <QDir>
#include <QFile>
#include <QPdfWriter>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>

#include <benchmark/benchmark.h>

#include <map>

namespace {

QString JavaText(int lines) {
    static std::map<int, QString> cache;
    if (auto it = cache.find(lines); it != cache.end())
        return it->second;
    QString text = BenchJavaFileText(lines);
    if (text.endsWith(u'\n'))
        text.chop(1);
    return cache[lines] = text;
}

// A million lines with the sought text once, ten lines before the end.
const QString &MillionLines() {
    static const QString text = [] {
        QString t = JavaText(1000000);
        qsizetype at = t.size();
        for (int i = 0; i < 10; ++i)
            at = t.lastIndexOf(u'\n', at - 1);
        t.insert(at + 1, QStringLiteral("    // Markierung des Endes\n"));
        return t;
    }();
    return text;
}

const QString Sought = QStringLiteral("MARKIERUNG");

void BM_S1_SearchText(benchmark::State &state) {
    const QString &text = MillionLines();
    const StringTextSource source(text);
    qsizetype found = -1;
    for (auto _ : state) {
        const SearchOutcome outcome = SearchFromCaret(source, 0, {Sought, false, true});
        found = outcome.Position;
        benchmark::DoNotOptimize(found);
    }
    if (found != text.indexOf(Sought, 0, Qt::CaseInsensitive))
        state.SkipWithError("wrong match");
    state.counters["MB"] = double(text.size()) / 1e6;
}
BENCHMARK(BM_S1_SearchText)->Unit(benchmark::kMillisecond);

void BM_S1_QStringIndexOf(benchmark::State &state) {
    const QString &text = MillionLines();
    for (auto _ : state)
        benchmark::DoNotOptimize(text.indexOf(Sought, 1, Qt::CaseInsensitive));
}
BENCHMARK(BM_S1_QStringIndexOf)->Unit(benchmark::kMillisecond);

void BM_S1_SearchDocument(benchmark::State &state) {
    QTextDocument document;
    document.setPlainText(MillionLines());
    const DocumentTextSource source(document);
    for (auto _ : state) {
        const SearchOutcome outcome = SearchFromCaret(source, 0, {Sought, false, true});
        benchmark::DoNotOptimize(outcome.Position);
    }
}
BENCHMARK(BM_S1_SearchDocument)->Unit(benchmark::kMillisecond)->Iterations(5);

// What the window searches: its copy of the document, after a one-character edit between
// two searches (the copy follows the edit; the first search made the copy).
void BM_S1_SearchWindowText(benchmark::State &state) {
    QTextDocument document;
    document.setDocumentLayout(new QPlainTextDocumentLayout(&document)); // as in the window
    document.setPlainText(MillionLines());
    DocumentMirror mirror(document);
    mirror.Source();
    for (auto _ : state) {
        QTextCursor cursor(&document);
        cursor.setPosition(10);
        cursor.insertText(QStringLiteral("x"));
        const SearchOutcome outcome = SearchFromCaret(mirror.Source(), 0, {Sought, false, true});
        benchmark::DoNotOptimize(outcome.Position);
    }
}
BENCHMARK(BM_S1_SearchWindowText)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_S2_ReplaceAll(benchmark::State &state) {
    // 100,000 lines, each with one "abc" in it.
    QString text;
    const QStringList lines = JavaText(100000).split(u'\n');
    for (const QString &line : lines)
        text += line.left(20) + QStringLiteral(" abc ") + line.mid(20) + u'\n';
    for (auto _ : state) {
        state.PauseTiming();
        TColorMemo memo;
        SetupEditorColorMemo(memo);
        memo.resize(800, 600);
        memo.show();
        memo.setPlainText(text);
        state.ResumeTiming();
        const DocumentTextSource source(*memo.document());
        const ReplaceOutcome outcome =
            PlanReplace(source, 0, 0, QStringLiteral("ABC"), QStringLiteral("xyzw"), false, true);
        ReplaceRanges(*memo.document(), outcome.Positions, outcome.Length, QStringLiteral("xyzw"));
        QTextCursor cursor = memo.textCursor();
        cursor.setPosition(int(outcome.SelectStart));
        memo.setTextCursor(cursor);
        memo.repaint();
        if (outcome.Positions.size() != 100000)
            state.SkipWithError("wrong number of matches");
    }
}
BENCHMARK(BM_S2_ReplaceAll)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_P4_PrintToPdf(benchmark::State &state) {
    TColorMemo memo;
    SetupEditorColorMemo(memo);
    PrintDocument document;
    document.Title = QStringLiteral("Fenster.java");
    document.Lines = JavaText(1000).split(u'\n');
    document.Font = memo.font();
    document.Rules = &memo.ColorRules();
    document.Options = memo.Options();
    document.Palette = memo.palette();
    document.Print.Assign(memo.PrintOptions());
    QTemporaryDir dir;
    for (auto _ : state) {
        QPdfWriter writer(dir.filePath(QStringLiteral("out.pdf")));
        writer.setResolution(1200);
        if (!PrintPages(document, writer))
            state.SkipWithError("printing failed");
    }
}
BENCHMARK(BM_P4_PrintToPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv) {
    return RunQtBenchmarks(argc, argv);
}
