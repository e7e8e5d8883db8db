#include "RecentFiles.h"

#include "common/Helpers.h"
#include "common/RegistryBatch.h"

#include <QFileInfo>

void RecentFiles::Load(const QString &keyPath) {
    m_entries.clear();
    const int stored = ReadRegInteger(keyPath, QStringLiteral("AnzFiles"), 0);
    for (int i = 1; i <= stored; ++i) {
        const QString name = TrimBlanksAndControls(
            ReadRegString(keyPath, QStringLiteral("File%1").arg(i), QString()));
        if (!name.isEmpty() && QFileInfo::exists(name) && Count() < MaxCount)
            m_entries << name;
    }
}

StoreProblem RecentFiles::Save(const QString &keyPath) const {
    QList<RegistryStore::ValueWrite> writes = {
        RegistryStore::ValueWrite::ofDword(keyPath, QStringLiteral("AnzFiles"), quint32(Count()))};
    for (int i = 1; i <= Count(); ++i)
        writes << RegistryStore::ValueWrite::ofString(keyPath, QStringLiteral("File%1").arg(i),
                                                      m_entries.at(i - 1));
    return WriteRegValues(writes);
}

void RecentFiles::Add(const QString &name) {
    for (const QString &entry : m_entries)
        if (SameFileName(entry, name))
            return;
    while (Count() >= MaxCount)
        m_entries.removeLast();
    m_entries.prepend(name);
}

void RecentFiles::Remove(const QString &name) {
    m_entries.removeIf([&](const QString &entry) { return SameFileName(entry, name); });
}

QString RecentFiles::Entry(int position) const {
    if (position < 1 || position > Count())
        return QString();
    return m_entries.at(position - 1);
}
