// The class reference: reading the shipped "javaklassen.txt", filtering the largest class on
// a key stroke, and the same key stroke through the window.
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

} // namespace

int main(int argc, char **argv) {
    return RunQtBenchmarks(argc, argv);
}
