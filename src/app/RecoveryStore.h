#pragma once

#include "RecoveryCopy.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <memory>
#include <vector>

class QLockFile;

class RecoveryClaim;

// The recovery folder: copies of documents with unsaved changes, written so that a crash
// or a power cut loses at most the last moments of typing. Each running program holds a
// lock of its own there ("instance-<id>.lock") and names its copies "<id>-<key>.kopie";
// copies whose lock nobody holds belong to a program that ended without cleaning up and
// are offered at the next start. Discarded copies wait in "verworfen" for a week.
// The folder is readable by the user only (700, files 600).
//
// One store per running program. write() and remove() may run on another thread than the
// rest; they touch only this instance's own files.
class RecoveryStore {
public:
    // $XDG_STATE_HOME/quill/wiederherstellung when XDG_STATE_HOME is an absolute path,
    // else ~/.local/state/quill/wiederherstellung.
    static QString defaultFolder();
    // How long discarded copies are kept.
    static constexpr int KeepDiscardedDays = 7;

    explicit RecoveryStore(const QString &folder);
    // Releases the lock; copies stay (removeOwnCopies is the clean end).
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore &) = delete;
    RecoveryStore &operator=(const RecoveryStore &) = delete;

    // Creates the folder and takes this instance's lock. False with a German message when
    // the folder cannot be created or written; the store then writes nothing.
    bool open(QString &error);
    bool isOpen() const;
    QString folder() const { return m_folder; }
    QString discardFolder() const;
    // This instance's name in the folder, unique among running and earlier programs.
    QString instanceId() const { return m_instanceId; }
    // The file of document `key`'s copy.
    QString copyPath(int key) const;

    // Writes the copy of document `key` atomically (the old copy stays whole until the new
    // one is complete). False with a German message on failure.
    bool write(int key, const RecoveryCopy &copy, QString &error) const;
    // Removes the copy of document `key`, if there is one.
    void remove(int key) const;
    // Removes every copy this instance wrote (a normal end).
    void removeOwnCopies() const;

    // Reads a copy file. False with a German message when it is not a readable copy.
    static bool read(const QString &path, RecoveryCopy &copy, QString &error);

    // Takes over the copies of every program that is no longer running: their locks are
    // held by the returned claim, so a program started at the same time does not offer
    // them too. Unreadable copies go straight to "verworfen". Copies come in the order
    // their documents were opened.
    RecoveryClaim claimOrphans() const;

    // Moves a copy to "verworfen", stamped with the time of discarding. False when it
    // could not be moved (it then stays where it was).
    bool discard(const QString &path) const;
    // Deletes discarded copies older than KeepDiscardedDays at `now`.
    void pruneDiscarded(const QDateTime &now) const;

private:
    QString m_folder;
    QString m_instanceId;
    std::unique_ptr<QLockFile> m_lock;
};

// The copies of programs that ended without cleaning up, held until the learner has
// decided. Destroying the claim releases the ended programs' locks and their leftovers
// (half-written temporary files); copies not discarded by then are offered again.
class RecoveryClaim {
public:
    RecoveryClaim();
    RecoveryClaim(RecoveryClaim &&) noexcept;
    RecoveryClaim &operator=(RecoveryClaim &&) noexcept;
    ~RecoveryClaim();

    const QList<OrphanCopy> &copies() const { return m_copies; }
    bool isEmpty() const { return m_copies.isEmpty(); }
    // Moves every claimed copy to "verworfen"; they are not offered again.
    void discardAll();

private:
    friend class RecoveryStore;
    const RecoveryStore *m_store = nullptr;
    QList<OrphanCopy> m_copies;
    QStringList m_instances; // ids of the ended programs whose locks are held
    std::vector<std::unique_ptr<QLockFile>> m_locks;
};
