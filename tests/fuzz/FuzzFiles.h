#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// A folder of the fuzz target's own for the files an input is written to, emptied before
// each input.
inline QDir FreshFolder() {
    static QTemporaryDir folder;
    QDir dir(folder.path());
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
        dir.remove(name);
    return dir;
}

inline void WriteBytes(const QString &fileName, const QByteArray &bytes) {
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::abort();
}

inline QByteArray ReadBytes(const QString &fileName) {
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}
