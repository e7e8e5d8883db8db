#include "RegistryStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonValue>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>
#include <memory>
#include <utility>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

// The file holds the root key as a node: {"keys": {name: node}, "values": {name: value}},
// each value {"type": "dword" | "string", "data": number | text}.

namespace {

const QString KeysField = QStringLiteral("keys");
const QString ValuesField = QStringLiteral("values");
const QString TypeField = QStringLiteral("type");
const QString DataField = QStringLiteral("data");
const QString DwordType = QStringLiteral("dword");
const QString StringType = QStringLiteral("string");

// Longest key name the registry accepts; longer names make the key fail to open.
constexpr int MaxKeyNameLength = 255;
// Longest value name the registry accepts.
constexpr int MaxValueNameLength = 16383;
constexpr int LockTimeoutMs = 10000;

RegistryStore::CommitHook &commitHook() {
    static RegistryStore::CommitHook hook;
    return hook;
}

// The stored spelling of a name that matches without regard to case; empty when none.
QString storedName(const QJsonObject &object, const QString &name) {
    if (object.contains(name))
        return name;
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (it.key().compare(name, Qt::CaseInsensitive) == 0)
            return it.key();
    }
    return QString();
}

bool findKey(const QJsonObject &root, const QStringList &parts, QJsonObject &node) {
    node = root;
    for (const QString &part : parts) {
        const QJsonObject children = node.value(KeysField).toObject();
        const QString stored = storedName(children, part);
        if (stored.isNull())
            return false;
        node = children.value(stored).toObject();
    }
    return true;
}

QJsonObject withValue(QJsonObject node, const QStringList &parts, int index,
                      const QString &valueName, const QJsonObject &value) {
    const QString field = index == parts.size() ? ValuesField : KeysField;
    QJsonObject children = node.value(field).toObject();
    QString stored = storedName(children, index == parts.size() ? valueName : parts.at(index));
    if (stored.isNull())
        stored = index == parts.size() ? valueName : parts.at(index);
    if (index == parts.size())
        children.insert(stored, value);
    else
        children.insert(stored, withValue(children.value(stored).toObject(), parts, index + 1,
                                          valueName, value));
    node.insert(field, children);
    return node;
}

QJsonObject dwordValue(quint32 value) {
    return QJsonObject{{TypeField, DwordType}, {DataField, qint64(value)}};
}

QJsonObject stringValue(const QString &text) {
    return QJsonObject{{TypeField, StringType}, {DataField, text}};
}

// Why a folder cannot be made: a file standing in the way is the usual case.
QString folderFailure(const QString &dir) {
    QFileInfo existing(dir);
    while (!existing.exists() && existing.absoluteFilePath() != existing.absolutePath())
        existing = QFileInfo(existing.absolutePath());
    if (existing.exists() && !existing.isDir())
        return QStringLiteral("%1 ist eine Datei, kein Ordner.")
            .arg(QDir::toNativeSeparators(existing.absoluteFilePath()));
    return QStringLiteral("Der Ordner %1 kann nicht angelegt werden.")
        .arg(QDir::toNativeSeparators(dir));
}

enum class ParseOutcome { Ok, Unreadable, Broken };

ParseOutcome parseFile(const QString &fileName, QJsonObject &root) {
    root = QJsonObject();
    QFile file(fileName);
    if (!file.exists())
        return ParseOutcome::Ok;
    if (!file.open(QIODevice::ReadOnly))
        return ParseOutcome::Unreadable;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return ParseOutcome::Unreadable;
    if (bytes.trimmed().isEmpty())
        return ParseOutcome::Ok; // nothing to lose
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return ParseOutcome::Broken;
    root = document.object();
    return ParseOutcome::Ok;
}

} // namespace

RegistryStore::RegistryStore(const QString &fileName) : m_fileName(fileName) {}

QString RegistryStore::defaultFileName() {
    const QByteArray fromEnvironment = qgetenv("QUILL_STORE_FILE");
    if (!fromEnvironment.isEmpty())
        return QFile::decodeName(fromEnvironment);
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/quendal/quill.json");
}

void RegistryStore::setBeforeCommitHookForTesting(CommitHook hook) {
    commitHook() = std::move(hook);
}

RegistryStore::FileStamp RegistryStore::stampOf(const QString &fileName) {
    FileStamp stamp;
#ifdef Q_OS_UNIX
    struct stat info;
    if (::stat(QFile::encodeName(fileName).constData(), &info) != 0)
        return stamp;
    stamp.exists = true;
    stamp.size = info.st_size;
    stamp.modified = qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    stamp.inode = quint64(info.st_ino);
#else
    const QFileInfo info(fileName);
    if (!info.exists())
        return stamp;
    stamp.exists = true;
    stamp.size = info.size();
    stamp.modified = info.lastModified().toMSecsSinceEpoch() * 1000000;
#endif
    return stamp;
}

QStringList RegistryStore::keyParts(const QString &keyPath) {
    return keyPath.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
}

bool RegistryStore::load(QJsonObject &root, bool locked) {
    const FileStamp stamp = stampOf(m_fileName);
    if (m_cacheValid && stamp == m_cachedStamp) {
        root = m_cachedRoot;
        return true;
    }
    m_cacheValid = false;
    switch (parseFile(m_fileName, root)) {
    case ParseOutcome::Unreadable:
        return false;
    case ParseOutcome::Broken:
        root = QJsonObject();
        if (!locked) {
            // Decide under the lock: another process may be replacing the file right now.
            QLockFile lock(m_fileName + QStringLiteral(".lock"));
            if (!lock.tryLock(LockTimeoutMs))
                return false;
            return load(root, true);
        }
        // A file that cannot be moved aside must not be overwritten either: reads take the
        // defaults, writes fail, and the next access tries again.
        if (!moveAsideBroken())
            return false;
        m_cachedStamp = stampOf(m_fileName);
        break;
    case ParseOutcome::Ok:
        m_cachedStamp = stamp;
        break;
    }
    m_cachedRoot = root;
    m_cacheValid = true;
    return true;
}

bool RegistryStore::moveAsideBroken() {
    QString aside = m_fileName + QStringLiteral(".defekt");
    for (int n = 2; QFileInfo::exists(aside); ++n)
        aside = m_fileName + QStringLiteral(".defekt%1").arg(n);
    if (!QFile::rename(m_fileName, aside))
        return false;
    m_notice = QStringLiteral("Die Einstellungsdatei %1 ist beschädigt und wurde in %2 "
                              "umbenannt.\r\nEs gelten die Standardeinstellungen.")
                   .arg(QDir::toNativeSeparators(m_fileName), QDir::toNativeSeparators(aside));
    return true;
}

QString RegistryStore::takeNotice() {
    return std::exchange(m_notice, QString());
}

RegistryStore::ReadResult RegistryStore::read(const QString &keyPath, const QString &valueName) {
    ReadResult result;
    QJsonObject root;
    if (!load(root, false))
        return result; // an unreadable store is a key that cannot be opened
    QJsonObject key;
    if (!findKey(root, keyParts(keyPath), key))
        return result;
    const QJsonObject values = key.value(ValuesField).toObject();
    const QString stored = storedName(values, valueName);
    if (stored.isNull()) {
        result.status = ReadStatus::ValueMissing;
        return result;
    }
    const QJsonObject value = values.value(stored).toObject();
    const QString type = value.value(TypeField).toString();
    const QJsonValue data = value.value(DataField);
    result.status = ReadStatus::OtherType;
    if (type == DwordType && data.isDouble()) {
        const double number = data.toDouble();
        if (number >= 0 && number <= 4294967295.0 && number == qint64(number)) {
            result.status = ReadStatus::Dword;
            result.dword = quint32(qint64(number));
        }
    } else if (type == StringType && data.isString()) {
        result.status = ReadStatus::String;
        result.text = data.toString();
    }
    return result;
}

bool RegistryStore::holdsIn(const QJsonObject &root, const PreparedValue &value) {
    QJsonObject key;
    if (!findKey(root, value.parts, key))
        return false;
    const QJsonObject values = key.value(ValuesField).toObject();
    const QString stored = storedName(values, value.valueName);
    return !stored.isNull() && values.value(stored).toObject() == value.value;
}

bool RegistryStore::keyExists(const QString &keyPath) {
    QJsonObject root;
    QJsonObject key;
    return load(root, false) && findKey(root, keyParts(keyPath), key);
}

RegistryStore::WriteStatus RegistryStore::writeDword(const QString &keyPath,
                                                     const QString &valueName, quint32 value) {
    return write(keyPath, valueName, dwordValue(value));
}

RegistryStore::WriteStatus
RegistryStore::writeString(const QString &keyPath, const QString &valueName, const QString &value) {
    return write(keyPath, valueName, stringValue(value));
}

RegistryStore::WriteStatus RegistryStore::write(const QString &keyPath, const QString &valueName,
                                                const QJsonObject &value) {
    const BatchResult result = writeValues({{keyParts(keyPath), valueName, value}});
    return result.status;
}

RegistryStore::BatchResult RegistryStore::writeBatch(const QList<ValueWrite> &values) {
    QList<PreparedValue> prepared;
    prepared.reserve(values.size());
    for (const ValueWrite &value : values) {
        prepared.append({keyParts(value.keyPath), value.valueName,
                         value.isString ? stringValue(value.text) : dwordValue(value.dword)});
    }
    return writeValues(prepared);
}

RegistryStore::BatchResult RegistryStore::writeValues(const QList<PreparedValue> &values) {
    m_lastFailure.clear();
    BatchResult result;
    QJsonObject root;
    bool loaded = false;
    const bool cached = load(root, false);
    QString firstChanged;
    std::unique_ptr<QLockFile> lock;
    for (const PreparedValue &value : values) {
        const bool keyValid =
            std::none_of(value.parts.begin(), value.parts.end(),
                         [](const QString &part) { return part.size() > MaxKeyNameLength; });
        if (!keyValid) {
            // Skipped without a message, like a registry key that cannot be created.
            if (values.size() == 1)
                result.status = WriteStatus::KeyFailed;
            continue;
        }
        if (value.valueName.size() > MaxValueNameLength) {
            result = {WriteStatus::ValueFailed, value.valueName,
                      QStringLiteral("Der Name des Wertes ist zu lang.")};
            break;
        }
        // Saving all settings mostly writes what is there already: then the file stays as
        // it is. (Another process writing afterwards is the same as its write coming later.)
        if (!loaded && cached && holdsIn(root, value))
            continue;
        if (!loaded) {
            lock = std::make_unique<QLockFile>(m_fileName + QStringLiteral(".lock"));
            if (!loadForWrite(root, *lock)) {
                result = {WriteStatus::ValueFailed, value.valueName, m_lastFailure};
                return result; // nothing was changed
            }
            loaded = true;
        }
        if (holdsIn(root, value))
            continue;
        root = withValue(root, value.parts, 0, value.valueName, value.value);
        if (firstChanged.isNull())
            firstChanged = value.valueName;
    }
    // Written one by one, the first changed value would have been the first to fail: the
    // values before it are in the file already, and none after it gets there.
    if (!firstChanged.isNull() && !commit(root))
        result = {WriteStatus::ValueFailed, firstChanged, m_lastFailure};
    if (result.status == WriteStatus::ValueFailed)
        m_lastFailure = result.reason;
    return result;
}

bool RegistryStore::loadForWrite(QJsonObject &root, QLockFile &lock) {
    const QFileInfo info(m_fileName);
    if (!QDir().mkpath(info.absolutePath())) {
        m_lastFailure = folderFailure(info.absolutePath());
        return false;
    }
    if (!lock.tryLock(LockTimeoutMs)) {
        m_lastFailure =
            lock.error() == QLockFile::LockFailedError
                ? QStringLiteral("Die Einstellungsdatei %1 ist von einem anderen Programm "
                                 "gesperrt.")
                      .arg(QDir::toNativeSeparators(m_fileName))
                : QStringLiteral("Im Ordner %1 kann nicht geschrieben werden.")
                      .arg(QDir::toNativeSeparators(info.absolutePath()));
        return false;
    }
    if (!load(root, true)) {
        m_lastFailure = QStringLiteral("Die Einstellungsdatei %1 kann nicht gelesen werden.")
                            .arg(QDir::toNativeSeparators(m_fileName));
        return false;
    }
    return true;
}

bool RegistryStore::commit(const QJsonObject &root) {
    const QByteArray bytes = QJsonDocument(root).toJson(QJsonDocument::Indented);
    QSaveFile file(m_fileName);
    const auto fail = [&](const QString &why) {
        m_lastFailure = QStringLiteral("Die Einstellungsdatei %1 kann nicht geschrieben werden: %2")
                            .arg(QDir::toNativeSeparators(m_fileName), why);
        return false;
    };
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return fail(file.errorString());
    if (commitHook() && !commitHook()()) {
        file.cancelWriting();
        return fail(QStringLiteral("Schreiben abgebrochen"));
    }
    if (!file.commit())
        return fail(file.errorString());

    m_cachedStamp = stampOf(m_fileName);
    m_cachedRoot = root;
    m_cacheValid = true;
    return true;
}
