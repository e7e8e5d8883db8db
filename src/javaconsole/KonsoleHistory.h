#pragma once

#include <QString>
#include <QStringList>

// The entries typed into the console, oldest first, kept in a file beside the settings so
// they last from one run to the next, and the walk through them with Up and Down.
class KonsoleHistory {
public:
    static constexpr qsizetype MaxEntries = 500;

    // fileName "" keeps the entries in memory only.
    explicit KonsoleHistory(const QString &fileName = QString());

    // The file beside the settings store.
    static QString DefaultFileName();

    // Reads the file; a missing one gives no entries. A damaged one gives no entries and is
    // kept under another name (".defekt" appended), so writing never destroys it.
    void Load();
    // Adds an entry (a blank one or a repeat of the newest is not added), keeps the newest
    // MaxEntries and writes the file; false when it could not be written (the entries are
    // kept in memory). Ends a walk.
    bool Add(const QString &entry);
    const QStringList &Entries() const { return m_entries; }

    // One entry further back; current is what the input holds and is given back by Newer
    // at the end of the walk. Nothing at the oldest entry.
    bool Older(const QString &current, QString &shown);
    // One entry forward; past the newest, the text the walk started from.
    bool Newer(QString &shown);
    // Forgets where the walk is (after the input was sent or edited).
    void EndWalk();

private:
    bool save() const;

    QString m_fileName;
    QStringList m_entries;
    qsizetype m_walk = -1; // index of the entry shown, -1 when not walking
    QString m_draft;
};
