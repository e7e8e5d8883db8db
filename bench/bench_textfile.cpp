// Reading and writing a large source file: decoding, line-break handling and encoding.
#include "editor/CodePages.h"
#include "editor/TextFile.h"

#include <benchmark/benchmark.h>

namespace {

// About 1 MB of Java-like source; `ansi` puts Windows-1252 umlauts in the comments.
QByteArray SourceText(bool ansi, const char *lineBreak) {
    const QByteArray umlaut = ansi ? QByteArray("\xE4\xF6\xFC") : QByteArray("\xC3\xA4\xC3\xB6");
    QByteArray line = "    // Kommentar " + umlaut + " mit Text" + lineBreak +
                      "    System.out.println(\"Hallo Welt\"); int x = 42;" + lineBreak;
    QByteArray text;
    while (text.size() < 1024 * 1024)
        text += line;
    return text;
}

void BM_DecodeUtf8Lf(benchmark::State &state) {
    const QByteArray bytes = SourceText(false, "\n");
    for (auto _ : state)
        benchmark::DoNotOptimize(TextFile::Decode(bytes));
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_DecodeUtf8Lf);

void BM_DecodeWindows1252CrLf(benchmark::State &state) {
    const QByteArray bytes = SourceText(true, "\r\n");
    for (auto _ : state)
        benchmark::DoNotOptimize(TextFile::Decode(bytes));
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_DecodeWindows1252CrLf);

void BM_EncodeWindows1252CrLf(benchmark::State &state) {
    const DecodedText decoded = TextFile::Decode(SourceText(true, "\r\n"));
    for (auto _ : state) {
        TextFileFormat format = decoded.format;
        benchmark::DoNotOptimize(TextFile::Encode(decoded.text, format));
    }
    state.SetBytesProcessed(state.iterations() * decoded.text.size());
}
BENCHMARK(BM_EncodeWindows1252CrLf);

void BM_DosToWindows(benchmark::State &state) {
    const DecodedText decoded = TextFile::Decode(SourceText(true, "\n"));
    for (auto _ : state)
        benchmark::DoNotOptimize(CodePages::DosToWindows(decoded.text));
    state.SetBytesProcessed(state.iterations() * decoded.text.size());
}
BENCHMARK(BM_DosToWindows);

} // namespace

BENCHMARK_MAIN();
