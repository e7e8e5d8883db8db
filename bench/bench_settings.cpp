// How long the settings store takes for what the program does with it: LoadSettings at
// start (about 27 reads), SaveSettings on every opened file, one read after another
// process changed the file.
#include "common/Registry.h"
#include "settings/Settings.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// Each benchmark gets its own store file, moved there through the environment.
class StoreDir {
public:
    StoreDir() { qputenv("QUILL_STORE_FILE", QFile::encodeName(m_dir.filePath("quill.json"))); }
    ~StoreDir() { qunsetenv("QUILL_STORE_FILE"); }

private:
    QTemporaryDir m_dir;
};

void BM_LoadSettings(benchmark::State &state) {
    StoreDir dir;
    SaveSettings();
    for (auto _ : state)
        LoadSettings();
}
BENCHMARK(BM_LoadSettings);

void BM_SaveSettings(benchmark::State &state) {
    StoreDir dir;
    for (auto _ : state)
        SaveSettings();
}
BENCHMARK(BM_SaveSettings)->Unit(benchmark::kMillisecond);

// Every value differs from the stored one, as on the very first save.
void BM_SaveSettingsAllChanged(benchmark::State &state) {
    StoreDir dir;
    bool flip = false;
    for (auto _ : state) {
        flip = !flip;
        Settings::InEditMitTabs = Settings::ErrorSchriftBold = Settings::EditorSchriftBold = flip;
        Settings::SucheAmAktuellenCursor = Settings::COMSPECINDI = Settings::AutoSave = flip;
        Settings::ParameterValue = Settings::UndoMitKeyUp = flip;
        Settings::ErrorSchriftGroesse = Settings::EditorSchriftGroesse = flip ? 12 : 10;
        Settings::ErrorSchriftFarbe = Settings::EditorSchriftFarbe = flip;
        Settings::ErrorSchriftName = Settings::EditorSchriftName = flip ? "A" : "B";
        Settings::COMSPEC = Settings::Compiler = Settings::CompilerParameter = flip ? "A" : "B";
        Settings::Run = Settings::RunParameter = flip ? "A" : "B";
        Settings::TastencodeCompiler = Settings::TastencodeRun = flip ? "A" : "B";
        Settings::TabBreite = Settings::UndoTimerIntervall = flip ? 3 : 4;
        Settings::Color0 = Settings::Color1 = Settings::Color2 = Settings::Color3 = flip;
        SaveSettings();
    }
}
BENCHMARK(BM_SaveSettingsAllChanged)->Unit(benchmark::kMillisecond);

// A read right after a write: the file changed, so it is parsed again.
void BM_ReadAfterChange(benchmark::State &state) {
    StoreDir dir;
    SaveSettings();
    int n = 0;
    for (auto _ : state) {
        WriteRegInteger(Settings::RootKey + QStringLiteral("\\Bench"), QStringLiteral("N"), ++n);
        benchmark::DoNotOptimize(
            ReadRegInteger(Settings::RootKey + QStringLiteral("\\Undo"), QStringLiteral("X"), 0));
    }
}
BENCHMARK(BM_ReadAfterChange)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
