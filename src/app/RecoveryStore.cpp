#include "RecoveryStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QRandomGenerator>
#include <QSaveFile>

#include <algorithm>

namespace {

constexpr auto kOwnerOnlyFile = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
constexpr auto kOwnerOnlyFolder =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
constexpr int kFormatVersion = 1;

QString copySuffix() {
    return QStringLiteral(".kopie");
}

QString lockName(const QString &instanceId) {
    return QStringLiteral("instance-") + instanceId + QStringLiteral(".lock");
}

// The instance id and key of a copy's file name "<id>-<key>.kopie"; false for other names.
bool splitCopyName(const QString &name, QString &instanceId, int &key) {
    if (!name.endsWith(copySuffix()))
        return false;
    const QString stem = name.chopped(copySuffix().size());
    const qsizetype dash = stem.lastIndexOf(u'-');
    if (dash <= 0)
        return false;
    bool ok = false;
    key = stem.mid(dash + 1).toInt(&ok);
    instanceId = stem.left(dash);
    return ok;
}

// A folder that exists and is the user's alone. Tightens the mode of an existing one.
bool makePrivateFolder(const QString &path) {
    if (!QFileInfo(path).isDir()) {
        QDir dir;
        // Made with its final mode, so it is never readable by others for a moment.
        dir.mkpath(QFileInfo(path).absolutePath());
        dir.mkdir(path, kOwnerOnlyFolder);
    }
    if (!QFileInfo(path).isDir())
        return false;
    QFile::setPermissions(path, kOwnerOnlyFolder);
    return true;
}

// A lock that counts as stale only when its program is gone, however long it has been held.
std::unique_ptr<QLockFile> makeLock(const QString &path) {
    auto lock = std::make_unique<QLockFile>(path);
    lock->setStaleLockTime(0);
    return lock;
}

// A lock file without the program's id in it (its program was killed while writing it)
// would never count as stale: one older than a minute is removed. True when it was.
bool takeUnreadableLock(const QLockFile &lock) {
    qint64 pid = 0;
    QString host;
    QString application;
    if (lock.getLockInfo(&pid, &host, &application))
        return false;
    const QFileInfo info(lock.fileName());
    return info.exists() && info.lastModified().secsTo(QDateTime::currentDateTime()) > 60 &&
           QFile::remove(lock.fileName());
}

QString folderError(const QString &folder) {
    return QStringLiteral("Der Ordner für Wiederherstellungskopien kann nicht beschrieben "
                          "werden:\r\n%1\r\nUngesicherte Änderungen werden bei einem Absturz "
                          "nicht gerettet.")
        .arg(QDir::toNativeSeparators(folder));
}

} // namespace

QString RecoveryStore::defaultFolder() {
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    // XDG base directories ignore relative paths.
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/state");
    return QDir::cleanPath(base + QStringLiteral("/quill/wiederherstellung"));
}

RecoveryStore::RecoveryStore(const QString &folder)
    : m_folder(QDir::cleanPath(QFileInfo(folder).absoluteFilePath())),
      m_instanceId(QStringLiteral("%1_%2")
                       .arg(QCoreApplication::applicationPid())
                       .arg(QString::number(QRandomGenerator::system()->generate64(), 36))) {}

RecoveryStore::~RecoveryStore() = default;

bool RecoveryStore::open(QString &error) {
    if (isOpen())
        return true;
    auto lock = makeLock(m_folder + u'/' + lockName(m_instanceId));
    if (!makePrivateFolder(m_folder) || !lock->tryLock(0)) {
        error = folderError(m_folder);
        return false;
    }
    QFile::setPermissions(lock->fileName(), kOwnerOnlyFile);
    m_lock = std::move(lock);
    return true;
}

bool RecoveryStore::isOpen() const {
    return m_lock && m_lock->isLocked();
}

QString RecoveryStore::discardFolder() const {
    return m_folder + QStringLiteral("/verworfen");
}

QString RecoveryStore::copyPath(int key) const {
    return QStringLiteral("%1/%2-%3%4").arg(m_folder, m_instanceId).arg(key).arg(copySuffix());
}

bool RecoveryStore::write(int key, const RecoveryCopy &copy, QString &error) const {
    if (!isOpen()) {
        error = folderError(m_folder);
        return false;
    }
    QJsonObject header;
    header.insert(QStringLiteral("version"), kFormatVersion);
    header.insert(QStringLiteral("file"), copy.fileName);
    header.insert(QStringLiteral("encoding"), copy.encoding);
    header.insert(QStringLiteral("caret"), qint64(copy.caret));
    QString text = copy.text;
    // A text control's own paragraph separator is a line break of the text.
    text.replace(QChar::ParagraphSeparator, u'\n');

    QSaveFile file(copyPath(key));
    if (!file.open(QIODevice::WriteOnly)) {
        error = folderError(m_folder);
        return false;
    }
    file.setPermissions(kOwnerOnlyFile);
    file.write(QJsonDocument(header).toJson(QJsonDocument::Compact));
    file.write("\n");
    file.write(text.toUtf8());
    if (!file.commit()) {
        error = folderError(m_folder) + QStringLiteral("\r\n") + file.errorString();
        return false;
    }
    return true;
}

void RecoveryStore::remove(int key) const {
    QFile::remove(copyPath(key));
}

void RecoveryStore::removeOwnCopies() const {
    const QString prefix = m_instanceId + u'-';
    const QStringList names = QDir(m_folder).entryList({prefix + u'*'}, QDir::Files | QDir::Hidden);
    for (const QString &name : names)
        QFile::remove(m_folder + u'/' + name);
}

bool RecoveryStore::read(const QString &path, RecoveryCopy &copy, QString &error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("Die Wiederherstellungskopie kann nicht gelesen werden:\r\n%1")
                    .arg(QDir::toNativeSeparators(path));
        return false;
    }
    const QByteArray bytes = file.readAll();
    const qsizetype end = bytes.indexOf('\n');
    QJsonParseError parseError;
    const QJsonDocument header =
        QJsonDocument::fromJson(bytes.left(std::max<qsizetype>(end, 0)), &parseError);
    const QJsonObject fields = header.object();
    if (end < 0 || parseError.error != QJsonParseError::NoError || !header.isObject() ||
        fields.value(QStringLiteral("version")).toInt() != kFormatVersion ||
        !fields.value(QStringLiteral("file")).isString() ||
        fields.value(QStringLiteral("file")).toString().isEmpty()) {
        error = QStringLiteral("Die Wiederherstellungskopie ist beschädigt:\r\n%1")
                    .arg(QDir::toNativeSeparators(path));
        return false;
    }
    copy.fileName = fields.value(QStringLiteral("file")).toString();
    copy.encoding = fields.value(QStringLiteral("encoding")).toString();
    copy.caret = std::max<qint64>(0, fields.value(QStringLiteral("caret")).toInteger());
    copy.text = QString::fromUtf8(bytes.mid(end + 1));
    return true;
}

RecoveryClaim RecoveryStore::claimOrphans() const {
    RecoveryClaim claim;
    claim.m_store = this;
    if (!isOpen())
        return claim;
    const QDir dir(m_folder);
    struct Found {
        QString instance;
        int key;
        QString path;
    };
    std::vector<Found> found;
    QStringList instances;
    for (const QFileInfo &entry : dir.entryInfoList(QDir::Files | QDir::Hidden)) {
        const QString name = entry.fileName();
        QString instance;
        int key = 0;
        if (splitCopyName(name, instance, key))
            found.push_back({instance, key, entry.filePath()});
        else if (name.startsWith(QStringLiteral("instance-")) &&
                 name.endsWith(QStringLiteral(".lock")))
            instance = name.mid(9).chopped(5);
        if (!instance.isEmpty() && instance != m_instanceId && !instances.contains(instance))
            instances << instance;
    }
    for (const QString &instance : std::as_const(instances)) {
        auto lock = makeLock(m_folder + u'/' + lockName(instance));
        // Held by a running program (or by one starting just now that claimed it first).
        if (!lock->tryLock(0) && !(takeUnreadableLock(*lock) && lock->tryLock(0)))
            continue;
        QFile::setPermissions(lock->fileName(), kOwnerOnlyFile);
        claim.m_locks.push_back(std::move(lock));
        claim.m_instances << instance;
    }
    std::sort(found.begin(), found.end(), [](const Found &a, const Found &b) {
        return a.instance != b.instance ? a.instance < b.instance : a.key < b.key;
    });
    for (const Found &entry : found) {
        if (!claim.m_instances.contains(entry.instance))
            continue;
        OrphanCopy orphan;
        orphan.path = entry.path;
        orphan.written = QFileInfo(entry.path).lastModified();
        QString error;
        if (read(entry.path, orphan.copy, error))
            claim.m_copies << orphan;
        else
            discard(entry.path); // kept a week, but never offered as a document
    }
    return claim;
}

bool RecoveryStore::discard(const QString &path) const {
    const QString folder = discardFolder();
    if (!makePrivateFolder(folder))
        return false;
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString target = folder + u'/' + stamp + u'-' + QFileInfo(path).fileName();
    for (int n = 2; QFileInfo::exists(target); ++n)
        target =
            folder + u'/' + stamp + u'-' + QString::number(n) + u'-' + QFileInfo(path).fileName();
    if (!QFile::rename(path, target))
        return false;
    // The week counts from now, not from when the copy was written.
    QFile moved(target);
    if (moved.open(QIODevice::ReadOnly))
        moved.setFileTime(QDateTime::currentDateTime(), QFileDevice::FileModificationTime);
    return true;
}

void RecoveryStore::pruneDiscarded(const QDateTime &now) const {
    const QDir dir(discardFolder());
    const QDateTime limit = now.addDays(-KeepDiscardedDays);
    for (const QFileInfo &entry : dir.entryInfoList(QDir::Files | QDir::Hidden))
        if (entry.lastModified() < limit)
            QFile::remove(entry.filePath());
}

RecoveryClaim::RecoveryClaim() = default;
RecoveryClaim::RecoveryClaim(RecoveryClaim &&) noexcept = default;
RecoveryClaim &RecoveryClaim::operator=(RecoveryClaim &&) noexcept = default;

RecoveryClaim::~RecoveryClaim() {
    if (!m_store)
        return;
    // What an ended program left half-written is of no use to anyone.
    const QDir dir(m_store->folder());
    for (const QString &instance : std::as_const(m_instances)) {
        const QStringList names =
            dir.entryList({instance + QStringLiteral("-*")}, QDir::Files | QDir::Hidden);
        for (const QString &name : names)
            if (!name.endsWith(copySuffix()))
                QFile::remove(dir.filePath(name));
    }
    for (auto &lock : m_locks)
        lock->unlock();
}

void RecoveryClaim::discardAll() {
    if (!m_store)
        return;
    QList<OrphanCopy> kept;
    for (const OrphanCopy &orphan : std::as_const(m_copies))
        if (!m_store->discard(orphan.path))
            kept << orphan;
    m_copies = kept;
}
