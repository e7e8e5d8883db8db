#include "DebugTexts.h"

#include <QDir>
#include <QFileInfo>

QString DebugStatusText(const DebugStop &stop, int line) {
    if (!stop.exception.isEmpty())
        return QStringLiteral("Ausnahme: ") + stop.exception;
    return QStringLiteral("Angehalten in Zeile %1").arg(line);
}

QString DebugFrameText(const DebugFrame &frame) {
    if (frame.sourceName.isEmpty())
        return QStringLiteral("%1 (%2)").arg(frame.method, frame.className);
    if (frame.line <= 0)
        return QStringLiteral("%1 (%2)").arg(frame.method, frame.sourceName);
    return QStringLiteral("%1 (%2:%3)").arg(frame.method, frame.sourceName).arg(frame.line);
}

QString DebugSourceFile(const QString &folder, const QString &sourceName) {
    // Only a plain file name: the helper's name for a source never leads out of the folder.
    if (folder.isEmpty() || sourceName.isEmpty() || sourceName.contains(u'/') ||
        sourceName.contains(u'\\') || sourceName == u"." || sourceName == u"..")
        return QString();
    const QFileInfo info(QDir(folder).filePath(sourceName));
    return info.isFile() ? QDir::cleanPath(info.absoluteFilePath()) : QString();
}
