#include "ClassFolderWatch.h"

#include "common/CommandGuard.h"
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace {

// Enough for any learner's folder; a huge tree is not scanned to its end.
constexpr int MaxClassFiles = 5000;
constexpr int QuietMs = 400;
// Class files watched one by one, of the folder itself (not its package folders).
constexpr qsizetype MaxWatchedFiles = 500;

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
    // The watcher's signals carry a private argument after the path.
    ConnectCommand(&m_watcher, &QFileSystemWatcher::directoryChanged, this,
                   [this](const QString &path, auto &&...) { onChanged(path); });
    // A compiler that writes over a class file changes the file, not the folder (where the
    // file system reports that at all; the session also looks before each evaluation).
    ConnectCommand(
        &m_watcher, &QFileSystemWatcher::fileChanged, this,
        [this](const QString &path, auto &&...) { onChanged(QFileInfo(path).absolutePath()); });
    ConnectCommand(&m_quiet, &QTimer::timeout, this, &ClassFolderWatch::CheckNow);
}

void ClassFolderWatch::Watch(const QString &folder) {
    if (folder.isEmpty() || m_folders.contains(folder) || !QFileInfo(folder).isDir())
        return;
    m_folders.append(folder);
    m_watcher.addPath(folder);
    remember(folder, TakeClassSnapshot(folder));
}

void ClassFolderWatch::remember(const QString &folder, const ClassSnapshot &snapshot) {
    m_snapshots.insert(folder, snapshot);
    const QDir root(folder);
    QStringList files;
    for (auto it = snapshot.cbegin(); it != snapshot.cend() && files.size() < MaxWatchedFiles; ++it)
        if (!it.key().contains(u'/'))
            files << root.filePath(it.key());
    const QStringList watched = m_watcher.files();
    for (const QString &file : std::as_const(files))
        if (!watched.contains(file))
            m_watcher.addPath(file);
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
        remember(folder, now);
        if (recompiled)
            emit Recompiled(folder);
    }
}
