#include "FileHelpers.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

fs::path toPath(const QString &fileName) {
#ifdef Q_OS_WIN
    return fs::path(fileName.toStdWString());
#else
    return fs::path(QFile::encodeName(fileName).toStdString());
#endif
}

bool lacksOwnerWrite(const fs::file_status &status) {
    return (status.permissions() & fs::perms::owner_write) == fs::perms::none;
}

// Gives a plain file (never the target of a link) its owner's write permission; true when
// the permissions were changed and should be restored if the operation then fails.
bool makeWritable(const fs::path &path, const fs::file_status &status) {
    if (!fs::is_regular_file(status) || !lacksOwnerWrite(status))
        return false;
    std::error_code error;
    fs::permissions(path, fs::perms::owner_write, fs::perm_options::add, error);
    return !error;
}

void restorePermissions(const fs::path &path, const fs::file_status &status) {
    std::error_code error;
    fs::permissions(path, status.permissions(), fs::perm_options::replace, error);
}

QRegularExpression wildcardPattern(const QString &pattern) {
    QString expression;
    for (const QChar c : pattern) {
        if (c == QLatin1Char('*'))
            expression += QStringLiteral(".*");
        else if (c == QLatin1Char('?'))
            expression += QLatin1Char('.');
        else
            expression += QRegularExpression::escape(QString(c));
    }
#ifdef Q_OS_WIN
    const auto options = QRegularExpression::CaseInsensitiveOption;
#else
    const auto options = QRegularExpression::NoPatternOption;
#endif
    return QRegularExpression(QRegularExpression::anchoredPattern(expression), options);
}

bool isPlainVisibleFile(const QFileInfo &info) {
    return info.isFile() && !info.isHidden();
}

} // namespace

bool IsReadOnlyFile(const QString &fileName) {
    const QFileInfo info(fileName);
    if (fileName.isEmpty() || !info.exists())
        return false;
    // The owner's write bit is the read-only attribute; it counts even for a user (such as
    // root) who could write anyway.
    return !info.isWritable() || !info.permissions().testFlag(QFileDevice::WriteOwner);
}

bool DeleteFileForced(const QString &fileName) {
    if (fileName.isEmpty())
        return false;
    const fs::path path = toPath(fileName);
    std::error_code error;
    const fs::file_status status = fs::symlink_status(path, error);
    if (error || !fs::exists(status) || fs::is_directory(status))
        return false;
    const bool changed = makeWritable(path, status);
    // remove() unlinks a symbolic link itself, never its target.
    if (fs::remove(path, error) && !error)
        return true;
    if (changed)
        restorePermissions(path, status);
    return false;
}

QString BackupFileName(const QString &fileName) {
    const SplitName parts = SplitFileName(fileName);
    return parts.dir + parts.base + QStringLiteral(".~") + parts.ext.mid(1);
}

void MakeBackupFile(const QString &fileName) {
    if (fileName.isEmpty())
        return;
    const fs::path path = toPath(fileName);
    std::error_code error;
    const fs::file_status status = fs::symlink_status(path, error);
    if (error || !fs::exists(status) || fs::is_directory(status))
        return;
    const QString backup = BackupFileName(fileName);
    const fs::path backupPath = toPath(backup);
    if (fs::exists(fs::symlink_status(backupPath, error)))
        DeleteFileForced(backup);
    const bool changed = makeWritable(path, status);
    // rename() moves the directory entry: a link stays a link, its target is not touched.
    fs::rename(path, backupPath, error);
    if (error && changed)
        restorePermissions(path, status);
}

qint64 GetFileSize64(const QString &fileName) {
    if (fileName.isEmpty())
        return -1;
    const SplitName parts = SplitFileName(fileName);
    const QString pattern = parts.base + parts.ext;
    if (!pattern.contains(QLatin1Char('*')) && !pattern.contains(QLatin1Char('?'))) {
        const QFileInfo info(fileName);
        return isPlainVisibleFile(info) ? info.size() : -1;
    }
    const QRegularExpression matcher = wildcardPattern(pattern);
    QDirIterator it(parts.dir.isEmpty() ? QStringLiteral(".") : parts.dir, QDir::Files);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        if (matcher.match(info.fileName()).hasMatch() && isPlainVisibleFile(info))
            return info.size();
    }
    return -1;
}

bool IsValidFileName(const QString &text) {
    static const QString forbidden = QStringLiteral("<>:\"/\\|?*");
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (forbidden.contains(c))
            return false;
    }
    return true;
}

SplitName SplitFileName(const QString &fullName) {
#ifdef Q_OS_WIN
    const qsizetype cut =
        std::max({fullName.lastIndexOf(QLatin1Char('\\')), fullName.lastIndexOf(QLatin1Char('/')),
                  fullName.lastIndexOf(QLatin1Char(':'))});
#else
    const qsizetype cut = fullName.lastIndexOf(QLatin1Char('/'));
#endif
    SplitName result;
    result.dir = fullName.left(cut + 1);
    const QString name = fullName.mid(cut + 1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    result.base = dot < 0 ? name : name.left(dot);
    result.ext = dot < 0 ? QString() : name.mid(dot);
    return result;
}

QString AddBackslash(const QString &text) {
    const QChar separator = QDir::separator();
    return text.endsWith(separator) ? text : text + separator;
}
