#include "CompilerMessage.h"

#include "StackTrace.h"

#include <QDir>
#include <QRegularExpression>

namespace {

// A NUL never stands in a file name: the file system would read the name only up to it.
bool NamesAFile(const QString &name) {
    return !name.contains(QChar(u'\0'));
}

// Whether a name is absolute in the file system. A leading colon is part of the name, not
// the mark of one of Qt's resources, as QFileInfo and QDir would take it.
bool IsAbsoluteName(const QString &name) {
    return !name.startsWith(u':') && QDir::isAbsolutePath(name);
}

// The folder relative message names start from: that of the compiled file, which the panel
// names absolutely; with its final separator.
QString CompiledFolder(const QStringList &panelLines) {
    static const QRegularExpression fileLine(QStringLiteral("^Datei \"(.+)\"$"));
    if (panelLines.isEmpty())
        return QString();
    const QRegularExpressionMatch match = fileLine.match(panelLines.first());
    if (!match.hasMatch() || !NamesAFile(match.captured(1)) || !IsAbsoluteName(match.captured(1)))
        return QString();
    const QString file = QDir::cleanPath(match.captured(1));
    return file.left(file.lastIndexOf(u'/') + 1);
}

// The place a message line names; `rest` gets the text after it.
std::optional<SourcePlace> MessagePlace(const QString &line, const QString &folder,
                                        QString *rest = nullptr) {
    // The shortest name ending in ".java" followed by the line number: a folder may hold
    // a colon, the message text often does.
    static const QRegularExpression message(QStringLiteral("^(.+?\\.java):(\\d+): "));
    const QRegularExpressionMatch match = message.match(line);
    if (!match.hasMatch())
        return std::nullopt;
    bool ok = false;
    const int number = match.captured(2).toInt(&ok);
    if (!ok || number < 1)
        return std::nullopt;
    QString name = match.captured(1);
    if (!NamesAFile(name))
        return std::nullopt;
    if (!IsAbsoluteName(name)) {
        if (folder.isEmpty())
            return std::nullopt;
        name = folder + name;
    }
    if (rest)
        *rest = line.mid(match.capturedEnd());
    return SourcePlace{QDir::cleanPath(name), number, -1};
}

// Whether the line stands under a message as its column marker.
bool IsMarkerLine(const QString &line) {
    return line.trimmed() == QStringLiteral("^");
}

// The kind word the compiler writes after the place, in its English and German messages.
DiagnosticKind TakeKind(QString &text) {
    struct Word {
        const char16_t *text;
        DiagnosticKind kind;
    };
    static const Word words[] = {
        {u"error: ", DiagnosticKind::Error},     {u"Fehler: ", DiagnosticKind::Error},
        {u"warning: ", DiagnosticKind::Warning}, {u"Warnung: ", DiagnosticKind::Warning},
        {u"Note: ", DiagnosticKind::Note},       {u"Hinweis: ", DiagnosticKind::Note}};
    for (const Word &word : words) {
        const QString prefix = QString::fromUtf16(word.text);
        if (text.startsWith(prefix, Qt::CaseInsensitive)) {
            text.remove(0, prefix.size());
            return word.kind;
        }
    }
    return DiagnosticKind::Error;
}

} // namespace

QList<Diagnostic> CompilerDiagnostics(const QStringList &panelLines) {
    QList<Diagnostic> diagnostics;
    const QString folder = CompiledFolder(panelLines);
    for (int i = 0; i < panelLines.size(); ++i) {
        QString rest;
        const std::optional<SourcePlace> place = MessagePlace(panelLines.at(i), folder, &rest);
        if (!place)
            continue;
        Diagnostic diagnostic;
        diagnostic.fileName = place->fileName;
        diagnostic.line = place->line;
        diagnostic.kind = TakeKind(rest);
        diagnostic.message = rest;
        diagnostic.messageLine = i;
        // The marker stands two lines below its message, under the quoted source line.
        if (i + 2 < panelLines.size() && IsMarkerLine(panelLines.at(i + 2))) {
            diagnostic.markerLine = i + 2;
            diagnostic.column = int(panelLines.at(i + 2).indexOf(u'^'));
        }
        diagnostics << diagnostic;
    }
    return diagnostics;
}

const Diagnostic *DiagnosticAt(const QList<Diagnostic> &diagnostics, int index) {
    if (index < 0)
        return nullptr;
    // A message line wins over a marker line, as a marker never is a message.
    for (const Diagnostic &diagnostic : diagnostics)
        if (diagnostic.messageLine == index)
            return &diagnostic;
    for (const Diagnostic &diagnostic : diagnostics)
        if (diagnostic.markerLine == index)
            return &diagnostic;
    return nullptr;
}

std::optional<SourcePlace> DiagnosticPlaceAt(const QList<Diagnostic> &diagnostics, int index) {
    const Diagnostic *diagnostic = DiagnosticAt(diagnostics, index);
    if (!diagnostic)
        return std::nullopt;
    const int column = diagnostic->messageLine == index ? -1 : diagnostic->column;
    return SourcePlace{diagnostic->fileName, diagnostic->line, column};
}

std::optional<SourcePlace> SourcePlaceAt(const QStringList &panelLines, int index,
                                         const QStringList &openFiles) {
    if (index < 0 || index >= panelLines.size())
        return std::nullopt;
    const QString folder = CompiledFolder(panelLines);
    const QString &line = panelLines.at(index);
    if (std::optional<SourcePlace> place = MessagePlace(line, folder))
        return place;
    // The marker stands two lines below its message, under the quoted source line.
    if (!IsMarkerLine(line) || index < 2)
        return StackTracePlace(panelLines, index, folder, openFiles);
    std::optional<SourcePlace> place = MessagePlace(panelLines.at(index - 2), folder);
    if (place)
        place->column = int(line.indexOf(u'^'));
    return place;
}
