#include "KonsoleHistory.h"

#include "common/RegistryStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>

KonsoleHistory::KonsoleHistory(const QString &fileName) : m_fileName(fileName) {}

QString KonsoleHistory::DefaultFileName() {
    return QFileInfo(RegistryStore::defaultFileName())
        .absoluteDir()
        .filePath(QStringLiteral("konsole-verlauf.json"));
}

void KonsoleHistory::Load() {
    m_entries.clear();
    EndWalk();
    if (m_fileName.isEmpty())
        return;
    QFile file(m_fileName);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = file.readAll();
    file.close();
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isArray()) {
        const QString aside = m_fileName + QStringLiteral(".defekt");
        QFile::remove(aside);
        QFile::rename(m_fileName, aside);
        return;
    }
    for (const QJsonValue &value : document.array())
        if (value.isString() && !value.toString().trimmed().isEmpty())
            m_entries.append(value.toString());
    if (m_entries.size() > MaxEntries)
        m_entries.remove(0, m_entries.size() - MaxEntries);
}

bool KonsoleHistory::Add(const QString &entry) {
    EndWalk();
    if (entry.trimmed().isEmpty() || (!m_entries.isEmpty() && m_entries.last() == entry))
        return true;
    m_entries.append(entry);
    if (m_entries.size() > MaxEntries)
        m_entries.remove(0, m_entries.size() - MaxEntries);
    return save();
}

bool KonsoleHistory::save() const {
    if (m_fileName.isEmpty())
        return true;
    QDir().mkpath(QFileInfo(m_fileName).absolutePath());
    QSaveFile file(m_fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(
        QJsonDocument(QJsonArray::fromStringList(m_entries)).toJson(QJsonDocument::Indented));
    return file.commit();
}

bool KonsoleHistory::Older(const QString &current, QString &shown) {
    if (m_entries.isEmpty() || m_walk == 0)
        return false;
    if (m_walk < 0) {
        m_draft = current;
        m_walk = m_entries.size();
    }
    --m_walk;
    shown = m_entries.at(m_walk);
    return true;
}

bool KonsoleHistory::Newer(QString &shown) {
    if (m_walk < 0)
        return false;
    ++m_walk;
    if (m_walk >= m_entries.size()) {
        shown = m_draft;
        EndWalk();
        return true;
    }
    shown = m_entries.at(m_walk);
    return true;
}

void KonsoleHistory::EndWalk() {
    m_walk = -1;
    m_draft.clear();
}
