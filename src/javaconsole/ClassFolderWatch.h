#pragma once

#include <QFileSystemWatcher>
#include <QHash>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTimer>

// The class files of a folder (and its package folders below) with their times and sizes,
// by path relative to the folder.
using ClassSnapshot = QMap<QString, QPair<qint64, qint64>>;
ClassSnapshot TakeClassSnapshot(const QString &folder);

// True when `after` holds a class file that `before` did not, or one that changed: what a
// compile leaves behind. Class files that only went away (a compile deletes them first, and a
// failed one leaves none) do not count.
bool ClassesRecompiled(const ClassSnapshot &before, const ClassSnapshot &after);

// Watches the class folders of the console and tells when classes in one of them were
// compiled anew, once the folder has been quiet for a moment (a compile writes several files).
class ClassFolderWatch : public QObject {
    Q_OBJECT
public:
    explicit ClassFolderWatch(QObject *parent = nullptr);

    // Starts watching a folder (nothing when already watched or missing).
    void Watch(const QString &folder);
    QStringList Folders() const { return m_folders; }
    // Looks at every folder now instead of waiting for the quiet moment.
    void CheckNow();

signals:
    void Recompiled(const QString &folder);

private:
    void onChanged(const QString &path);
    // Keeps the snapshot and watches its class files.
    void remember(const QString &folder, const ClassSnapshot &snapshot);

    QFileSystemWatcher m_watcher;
    QStringList m_folders;
    QHash<QString, ClassSnapshot> m_snapshots;
    QSet<QString> m_dirty;
    QTimer m_quiet;
};
