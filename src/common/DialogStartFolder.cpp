#include "DialogStartFolder.h"

#include <QDir>
#include <QFileInfo>

QString DialogStartFolder(const QStringList &candidates) {
    for (const QString &dir : candidates)
        if (!dir.isEmpty() && QFileInfo(dir).isDir())
            return dir;
    return QDir::homePath();
}
