// The compiler message parser: any panel text, every line asked for its place in a source
// file. A place names an absolute, clean file, a line from 1 and a column under a marker;
// the messages read from the whole text at once lead to the same places.

#include "FuzzCheck.h"

#include "javarun/CompilerMessage.h"

#include <QDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList lines = text.split(u'\n');
    if (lines.size() > 400)
        return 0;
    FUZZ_CHECK(!SourcePlaceAt(lines, -1) && !SourcePlaceAt(lines, int(lines.size())));
    // The messages read once lead exactly where their lines lead when read one by one.
    const QList<Diagnostic> diagnostics = CompilerDiagnostics(lines);
    for (int i = 0; i < lines.size(); ++i) {
        const std::optional<SourcePlace> place = SourcePlaceAt(lines, i);
        const std::optional<SourcePlace> byValue = DiagnosticPlaceAt(diagnostics, i);
        FUZZ_CHECK(!byValue || (place && *place == *byValue));
        FUZZ_CHECK(!place || place->column < 0 || byValue);
        if (!place)
            continue;
        FUZZ_CHECK(place->line >= 1);
        FUZZ_CHECK(place->fileName.endsWith(QStringLiteral(".java")));
        FUZZ_CHECK(place->fileName.startsWith(u'/'));
        FUZZ_CHECK(QDir::cleanPath(place->fileName) == place->fileName);
        if (place->column >= 0) {
            FUZZ_CHECK(lines[i].trimmed() == QStringLiteral("^") && i >= 2);
            FUZZ_CHECK(lines[i][place->column] == u'^');
            // The marker belongs to the message two lines above.
            const std::optional<SourcePlace> message = SourcePlaceAt(lines, i - 2);
            FUZZ_CHECK(message && message->fileName == place->fileName &&
                       message->line == place->line && message->column == -1);
        } else {
            FUZZ_CHECK(lines[i].contains(QStringLiteral(".java:")));
        }
    }
    return 0;
}
