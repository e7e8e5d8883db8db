#include "EditorEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace EditorEnvironment {

bool AutoSave() {
    return false;
}

QString EditorPfad() {
    return {};
}

QString CompilerKey() {
    return QStringLiteral("F8");
}

QString RunKey() {
    return QStringLiteral("F9");
}

bool IsReadOnlyFile(const QString &fileName) {
    const QFileInfo info(fileName);
    return info.exists() && !info.isWritable();
}

qint64 FileSize(const QString &fileName) {
    const QFileInfo info(fileName);
    return info.isFile() ? info.size() : -1;
}

QString MakeBackupFile(const QString &fileName) {
    const NameParts parts = SplitFileName(fileName);
    const QString ext = parts.ext.isEmpty() ? QString() : parts.ext.mid(1);
    const QString backup = parts.dir + parts.base + QStringLiteral(".~") + ext;
    if (QFileInfo::exists(fileName)) {
        QFile::remove(backup);
        QFile::rename(fileName, backup);
    }
    return backup;
}

NameParts SplitFileName(const QString &name) {
    NameParts parts;
    const qsizetype slash = name.lastIndexOf(QDir::separator() == u'/' ? u'/' : u'\\');
    parts.dir = name.left(slash + 1);
    const QString rest = name.mid(slash + 1);
    const qsizetype dot = rest.lastIndexOf(u'.');
    parts.base = dot < 0 ? rest : rest.left(dot);
    parts.ext = dot < 0 ? QString() : rest.mid(dot);
    return parts;
}

} // namespace EditorEnvironment
