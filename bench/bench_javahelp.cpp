// The class reference: reading the shipped "javaklassen.txt", filtering the largest class on
// a key stroke, the same key stroke through the window, and completion on a large file.
#include "javahelp/Completion.h"
#include "javahelp/JavaClassList.h"
#include "javahelp/TFJavaHelp.h"

#include "common/Memo.h"
#include "common/ProgramDir.h"
#include "common/UiProvider.h"

#include "QtBenchmarkMain.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

const QString kDataDir = QStringLiteral(QUILL_BENCH_DATA_DIR);

JavaClassList ShippedClasses() {
    JavaClassList list;
    QString error;
    if (!JavaClassList::load(kDataDir + QStringLiteral("/javaklassen.txt"), list, error))
        qFatal("%s", qPrintable(error));
    return list;
}

const JavaClassEntry &LargestClass(const JavaClassList &list) {
    return *std::max_element(list.entries().begin(), list.entries().end(),
                             [](const JavaClassEntry &a, const JavaClassEntry &b) {
                                 return a.members.size() < b.members.size();
                             });
}

void BM_LoadShippedFile(benchmark::State &state) {
    qint64 lines = 0;
    for (auto _ : state) {
        const JavaClassList list = ShippedClasses();
        lines = list.entries().size();
        benchmark::DoNotOptimize(lines);
    }
    state.counters["classes"] = double(lines);
}
BENCHMARK(BM_LoadShippedFile)->Unit(benchmark::kMillisecond);

// One key stroke: the filter grows from "a" to "ad" and back, as typing and deleting do.
void BM_FilterLargestClass(benchmark::State &state) {
    const JavaClassList list = ShippedClasses();
    const JavaClassEntry &entry = LargestClass(list);
    const QString filters[] = {QStringLiteral("a"), QStringLiteral("ad")};
    int i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(JavaClassList::displayText(entry, filters[i++ & 1]));
    state.counters["members"] = double(entry.members.size());
}
BENCHMARK(BM_FilterLargestClass)->Unit(benchmark::kMicrosecond);

// The same key stroke in the window, with Memo1 refilled.
void BM_WindowKeyStrokeLargestClass(benchmark::State &state) {
    SetProgramDirForTesting(kDataDir);
    TFJavaHelp window;
    window.show();
    const JavaClassEntry &entry = LargestClass(window.Classes());
    window.cbKlasse()->setCurrentIndex(window.cbKlasse()->findText(entry.shortName));
    const QString filters[] = {QStringLiteral("a"), QStringLiteral("ad")};
    int i = 0;
    for (auto _ : state) {
        window.ESuche()->setText(filters[i++ & 1]);
        window.Memo1()->repaint(); // lay out and paint the new text now, as the screen would
    }
    SetProgramDirForTesting(QString());
}
BENCHMARK(BM_WindowKeyStrokeLargestClass)->Unit(benchmark::kMicrosecond);

// Opening a window: reading the file and filling the class list.
void BM_CreateWindow(benchmark::State &state) {
    SetProgramDirForTesting(kDataDir);
    for (auto _ : state) {
        TFJavaHelp window;
        benchmark::DoNotOptimize(window.cbKlasse()->count());
    }
    SetProgramDirForTesting(QString());
}
BENCHMARK(BM_CreateWindow)->Unit(benchmark::kMillisecond);

// A 10,000-line program of 250 classes with their own fields, methods and locals: about
// 2,000 distinct identifiers besides keywords and the class list's names.
QString LargeProgram() {
    QString text;
    for (int c = 0; c < 250; ++c) {
        const QString n = QString::number(c);
        text += QStringLiteral("public class Klasse%1 {\n").arg(n);
        text += QStringLiteral("  private String name%1 = \"wert\";\n").arg(n);
        text += QStringLiteral("  private int zaehler%1;\n").arg(n);
        for (int m = 0; m < 4; ++m) {
            const QString k = n + u'_' + QString::number(m);
            text += QStringLiteral("  // Rechnet den Schritt %1 aus.\n").arg(k);
            text += QStringLiteral("  public int rechne%1(int wert%1, String text%1) {\n").arg(k);
            text += QStringLiteral("    int summe%1 = wert%1 + zaehler%2;\n").arg(k, n);
            text += QStringLiteral("    for (int i = 0; i < 10; i++) {\n");
            text += QStringLiteral("      summe%1 += Math.max(i, text%1.length());\n").arg(k);
            text += QStringLiteral("    }\n");
            text += QStringLiteral("    System.out.println(name%1 + summe%2);\n").arg(n, k);
            text += QStringLiteral("    return summe%1;\n").arg(k);
            text += QStringLiteral("  }\n");
        }
        text += QStringLiteral("}\n");
    }
    return text;
}

// Ctrl+Space to the list: the candidates at the end of a 10,000-line file with the whole
// class list indexed (as the frame has it after start-up). Range 0: a member list after
// "System.out.pr"; 1: words starting with "s"; 2: nothing typed, every word of the file,
// every class and keyword.
void BM_CompletionLargeFile(benchmark::State &state) {
    const CompletionIndex index = CompletionIndex::build(ShippedClasses());
    const QString endings[] = {QStringLiteral("System.out.pr"), QStringLiteral("s"),
                               QStringLiteral(" ")};
    const QString text = LargeProgram() + endings[state.range(0)];
    qsizetype candidates = 0;
    for (auto _ : state) {
        const CompletionResult result = Completion::candidatesAt(text, text.size(), index);
        candidates = result.candidates.size();
        benchmark::DoNotOptimize(candidates);
    }
    state.counters["lines"] = double(text.count(u'\n'));
    state.counters["classes"] = double(index.classes().size());
    state.counters["candidates"] = double(candidates);
}
BENCHMARK(BM_CompletionLargeFile)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// Indexing the class list for completion (done once, off the GUI thread).
void BM_CompletionIndexBuild(benchmark::State &state) {
    const JavaClassList list = ShippedClasses();
    for (auto _ : state)
        benchmark::DoNotOptimize(CompletionIndex::build(list).classes().size());
}
BENCHMARK(BM_CompletionIndexBuild)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) {
    return RunQtBenchmarks(argc, argv);
}
