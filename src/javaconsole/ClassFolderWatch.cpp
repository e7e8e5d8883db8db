#include "ClassFolderWatch.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace {

// Enough for any learner's folder; a huge tree is not scanned to its end.
constexpr int MaxClassFiles = 5000;
constexpr int QuietMs = 400;

} // namespace

ClassSnapshot TakeClassSnapshot(const QString &folder) {
    ClassSnapshot snapshot;
    const QDir root(folder);
    QDirIterator it(folder, {QStringLiteral("*.class")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext() && snapshot.size() < MaxClassFiles) {
        const QFileInfo info = it.nextFileInfo();
        snapshot.insert(root.relativeFilePath(info.filePath()),
                        {info.lastModified().toMSecsSinceEpoch(), info.size()});
    }
    return snapshot;
}

bool ClassesRecompiled(const ClassSnapshot &before, const ClassSnapshot &after) {
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        const auto old = before.constFind(it.key());
        if (old == before.cend() || *old != it.value())
            return true;
    }
    return false;
}

ClassFolderWatch::ClassFolderWatch(QObject *parent) : QObject(parent) {
    m_quiet.setSingleShot(true);
    m_quiet.setInterval(QuietMs);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &ClassFolderWatch::onChanged);
    connect(&m_quiet, &QTimer::timeout, this, &ClassFolderWatch::CheckNow);
}

void ClassFolderWatch::Watch(const QString &folder) {
    if (folder.isEmpty() || m_folders.contains(folder) || !QFileInfo(folder).isDir())
        return;
    m_folders.append(folder);
    m_snapshots.insert(folder, TakeClassSnapshot(folder));
    m_watcher.addPath(folder);
}

void ClassFolderWatch::onChanged(const QString &path) {
    for (const QString &folder : std::as_const(m_folders))
        if (path == folder || path.startsWith(folder + u'/'))
            m_dirty.insert(folder);
    m_quiet.start();
}

void ClassFolderWatch::CheckNow() {
    m_quiet.stop();
    const QSet<QString> dirty = std::exchange(m_dirty, {});
    for (const QString &folder : std::as_const(m_folders)) {
        if (!dirty.isEmpty() && !dirty.contains(folder))
            continue;
        const ClassSnapshot now = TakeClassSnapshot(folder);
        const bool recompiled = ClassesRecompiled(m_snapshots.value(folder), now);
        m_snapshots.insert(folder, now);
        if (recompiled)
            emit Recompiled(folder);
    }
}
