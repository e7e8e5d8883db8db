// Cost of rule preparation, which a colouring pass pays on every second pass, and of the
// entry parsing it is built from.
#include "colormemo/ColorText.h"
#include "colormemo/DrawRules.h"
#include "colormemo/EditorRules.h"

#include <benchmark/benchmark.h>

// Preparing the editor's four rules (13 + 209 + 129 keywords, one comment entry) after a
// colour change, so every table is rebuilt.
static void BM_PrepareEditorRulesAfterChange(benchmark::State &state) {
    TDrawRules rules;
    SetEditorColorRules(rules);
    TColor color = 0;
    for (auto _ : state) {
        ++color;
        for (int i = 0; i < rules.Count(); ++i) {
            rules.Items(i)->SetDefKeyColor(color);
            benchmark::DoNotOptimize(rules.Items(i)->Prepare());
        }
    }
}
BENCHMARK(BM_PrepareEditorRulesAfterChange);

// Preparing them again with nothing changed.
static void BM_PrepareEditorRulesUnchanged(benchmark::State &state) {
    TDrawRules rules;
    SetEditorColorRules(rules);
    for (auto _ : state) {
        for (int i = 0; i < rules.Count(); ++i)
            benchmark::DoNotOptimize(rules.Items(i)->Prepare());
    }
}
BENCHMARK(BM_PrepareEditorRulesUnchanged);

// What PrepareRules costs per colouring pass in the steady state (prepared every second pass).
static void BM_PrepareRulesPerPass(benchmark::State &state) {
    TDrawRules rules;
    SetEditorColorRules(rules);
    for (auto _ : state)
        rules.PrepareRules();
}
BENCHMARK(BM_PrepareRulesPerPass);

static void BM_SplitFields(benchmark::State &state) {
    TFieldSplitter splitter;
    for (auto _ : state)
        benchmark::DoNotOptimize(splitter.Split(u"  begin ;; key ; end;clGreen  "));
}
BENCHMARK(BM_SplitFields);

static void BM_ParseColorText(benchmark::State &state) {
    const char16_t *texts[] = {u"clRed", u" navy ", u"#123456", u"$00FF00", u"255", u"$XYZ"};
    for (auto _ : state) {
        for (const char16_t *text : texts)
            benchmark::DoNotOptimize(ParseColorText(QStringView(text)));
    }
}
BENCHMARK(BM_ParseColorText);

BENCHMARK_MAIN();
