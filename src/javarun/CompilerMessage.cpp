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

std::optional<SourcePlace> MessagePlace(const QString &line, const QString &folder) {
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
    return SourcePlace{QDir::cleanPath(name), number, -1};
}

} // namespace

std::optional<SourcePlace> SourcePlaceAt(const QStringList &panelLines, int index,
                                         const QStringList &openFiles) {
    if (index < 0 || index >= panelLines.size())
        return std::nullopt;
    const QString folder = CompiledFolder(panelLines);
    const QString &line = panelLines.at(index);
    if (std::optional<SourcePlace> place = MessagePlace(line, folder))
        return place;
    // The marker stands two lines below its message, under the quoted source line.
    if (line.trimmed() != QStringLiteral("^") || index < 2)
        return StackTracePlace(panelLines, index, folder, openFiles);
    std::optional<SourcePlace> place = MessagePlace(panelLines.at(index - 2), folder);
    if (place)
        place->column = int(line.indexOf(u'^'));
    return place;
}
