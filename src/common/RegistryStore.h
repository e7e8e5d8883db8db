#pragma once

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <functional>

class QLockFile;

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
        ValueFailed, // the value name is not valid, or the file could not be locked, read
                     // or replaced
    };

    // One value of a batch write: a DWORD, or a string when isString.
    struct ValueWrite {
        QString keyPath;
        QString valueName;
        bool isString = false;
        quint32 dword = 0;
        QString text;

        static ValueWrite ofDword(const QString &keyPath, const QString &valueName, quint32 value) {
            return {keyPath, valueName, false, value, QString()};
        }
        static ValueWrite ofString(const QString &keyPath, const QString &valueName,
                                   const QString &text) {
            return {keyPath, valueName, true, 0, text};
        }
    };

    // The outcome of a batch write. On a failure, `failedValue` is the value at which the
    // batch stopped (the values before it are written, it and those after it are not) and
    // `reason` says in German why.
    struct BatchResult {
        WriteStatus status = WriteStatus::Written;
        QString failedValue;
        QString reason;
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
    // Writes the values in order with one lock and one replacement of the file. A value
    // whose key is not valid is skipped; the first value that cannot be written stops the
    // batch. When the file itself cannot be written, the batch stops at the first value
    // that differs from what the file holds, and the file stays as it was.
    BatchResult writeBatch(const QList<ValueWrite> &values);

    // A notice for the user that reading the store produced (a damaged file was moved
    // aside), taken once: the caller shows it. Empty when there is none.
    QString takeNotice();

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
    // Locks and loads the file for a write; false (with m_lastFailure set) when it cannot.
    bool loadForWrite(QJsonObject &root, QLockFile &lock);
    bool commit(const QJsonObject &root);
    bool moveAsideBroken();
    struct PreparedValue {
        QStringList parts;
        QString valueName;
        QJsonObject value;
    };
    // True when the tree holds exactly this value already.
    static bool holdsIn(const QJsonObject &root, const PreparedValue &value);
    WriteStatus write(const QString &keyPath, const QString &valueName, const QJsonObject &value);
    BatchResult writeValues(const QList<PreparedValue> &values);

    QString m_fileName;
    FileStamp m_cachedStamp;
    QJsonObject m_cachedRoot;
    bool m_cacheValid = false;
    QString m_notice;
    QString m_lastFailure; // why the last write failed, in German
};
