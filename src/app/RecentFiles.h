#pragma once

#include "common/StoreProblem.h"

#include <QString>
#include <QStringList>

// The list of recently closed files, shared by the frame and every editor window: at most
// nine full file names, the most recently closed first. Names are compared as the file
// system compares them (SameFileName), so one file is never listed twice.
class RecentFiles {
public:
    static constexpr int MaxCount = 9;

    // Reads "AnzFiles" and "File1".."FileN" below the key: trimmed, existing files only,
    // at most MaxCount of them. Replaces the current list.
    void Load(const QString &keyPath);
    // Writes "AnzFiles" and one "File<i>" value per entry, in list order, in one write of
    // the store; returns the problem when the store cannot take them.
    StoreProblem Save(const QString &keyPath) const;
    // Puts the name first; a name already listed keeps its place; the oldest entry drops
    // out when the list is full.
    void Add(const QString &name);
    // Removes every entry that names the same file; later entries move up.
    void Remove(const QString &name);
    // Empties the list.
    void Clear() { m_entries.clear(); }

    int Count() const { return static_cast<int>(m_entries.size()); }
    // Entry at position 1..Count(); the empty text outside that range.
    QString Entry(int position) const;
    const QStringList &Entries() const { return m_entries; }

private:
    QStringList m_entries;
};
