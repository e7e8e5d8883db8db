#pragma once

#include <QJsonObject>
#include <QString>
#include <QtGlobal>

#include <functional>

// A per-user key tree of typed values (DWORD or string) kept in one JSON file, with the
// lookup rules of the registry: key and value names compare without regard to case and
// keep the case they were first written with.
//
// Reads are cheap: the parsed file is cached until its identity (inode, size, time)
// changes. Every write is a read-modify-write under a lock file and replaces the file
// atomically, so a crash never leaves a damaged file and values written by another
// process at the same time are kept.
class RegistryStore {
public:
    enum class ReadStatus {
        KeyMissing,   // the key (or one of its parents) does not exist
        ValueMissing, // the key exists, the value does not
        Dword,
        String,
        OtherType, // a value of a type this program does not write
    };

    struct ReadResult {
        ReadStatus status = ReadStatus::KeyMissing;
        quint32 dword = 0;
        QString text;
    };

    enum class WriteStatus {
        Written,
        KeyFailed,   // the key path is not a valid key name; nothing was written
        ValueFailed, // the file could not be locked, read or replaced
    };

    explicit RegistryStore(const QString &fileName);

    // The store file of this user: $QUILL_STORE_FILE when set, else
    // <generic config location>/quendal/quill.json.
    static QString defaultFileName();

    QString fileName() const { return m_fileName; }

    // Looks up one value; keyPath is a backslash-separated path such as
    // "\SOFTWARE\QUENDAL\QUILL\Editor".
    ReadResult read(const QString &keyPath, const QString &valueName);
    // True when the key exists.
    bool keyExists(const QString &keyPath);

    // Write one value, creating the key and its parents when missing.
    WriteStatus writeDword(const QString &keyPath, const QString &valueName, quint32 value);
    WriteStatus writeString(const QString &keyPath, const QString &valueName, const QString &value);

    // Called after the new content has been written to the temporary file and before it
    // replaces the store file; returning false abandons the save as if the disk refused
    // it. Tests use it to fail or interrupt a save at the worst moment. {} removes it.
    using CommitHook = std::function<bool()>;
    static void setBeforeCommitHookForTesting(CommitHook hook);

private:
    struct FileStamp {
        bool exists = false;
        qint64 size = -1;
        qint64 modified = 0; // nanoseconds
        quint64 inode = 0;
        bool operator==(const FileStamp &) const = default;
    };

    static FileStamp stampOf(const QString &fileName);
    static QStringList keyParts(const QString &keyPath);

    // The parsed tree, from the cache when the file is unchanged. A file that cannot be
    // parsed is moved aside (one warning) and the empty tree is returned. False when the
    // file cannot be read, or is unparsable and cannot be moved aside (it must then not be
    // overwritten). `locked`: the caller holds the lock file.
    bool load(QJsonObject &root, bool locked);
    bool moveAsideBroken();
    // True when the file holds exactly this value already.
    bool holds(const QStringList &parts, const QString &valueName, const QJsonObject &value);
    WriteStatus write(const QString &keyPath, const QString &valueName, const QJsonObject &value);

    QString m_fileName;
    FileStamp m_cachedStamp;
    QJsonObject m_cachedRoot;
    bool m_cacheValid = false;
};
