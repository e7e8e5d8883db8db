#include "EditorDocument.h"

#include "common/FileHelpers.h"
#include "common/Helpers.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

namespace {

QByteArray TextDigest(const QString &text) {
    return QCryptographicHash::hash(QByteArrayView(reinterpret_cast<const char *>(text.constData()),
                                                   text.size() * qsizetype(sizeof(QChar))),
                                    QCryptographicHash::Sha256);
}

// Keeps the old content of fileName under its backup name just before the new one takes
// its place. Returns the name the old file was moved to, "" when it stayed (or was copied).
QString BackUp(const QString &fileName) {
    if (!QFileInfo::exists(fileName))
        return QString();
    const QString copy = BackupFileName(fileName);
    if (QFileInfo(fileName).isSymLink()) {
        // The new text goes to the link's target: moving the link away would leave no
        // backup and no file of that name. Keep the link and copy what it points to.
        if (QFileInfo(copy).exists() || QFileInfo(copy).isSymLink())
            DeleteFileForced(copy);
        QFile::copy(fileName, copy);
        return QString();
    }
    MakeBackupFile(fileName);
    return copy;
}

} // namespace

const QString &EditorDocument::NoName() {
    static const QString name = QStringLiteral("noname");
    return name;
}

EditorDocument::EditorDocument() : m_format(TextFile::DefaultFormat()) {}

void EditorDocument::setRequestedName(const QString &name) {
    const SplitName parts = SplitFileName(name);
    m_fileDir = parts.dir;
    m_fileBase = parts.base;
    m_fileExt = parts.ext;
}

void EditorDocument::proposeName(const QString &base, const QString &ext) {
    m_fileBase = base;
    m_fileExt = ext;
}

void EditorDocument::setFile(const QString &name) {
    m_fileName = QFileInfo(name).absoluteFilePath();
    m_hasFile = true;
    setRequestedName(m_fileName);
}

bool EditorDocument::holdsFile(const QString &name) const {
    return m_hasFile && SameFileName(m_fileName, name);
}

bool EditorDocument::read(const QString &name, QString &text, QString &error) {
    error = TextFile::CheckReadable(name);
    if (!error.isEmpty())
        return false;
    DecodedText content;
    if (!TextFile::Read(name, content, error))
        return false;
    setFile(name);
    m_format = content.format;
    m_fileBytes = content.original;
    m_textDigest = TextDigest(content.text);
    m_readNotText = content.notText;
    text = content.text;
    return true;
}

void EditorDocument::setLoadedText(const QString &text) {
    m_textDigest = TextDigest(text);
}

bool EditorDocument::write(const QString &text, bool backup, QString &error) {
    if (!m_hasFile) {
        error = QStringLiteral("Das Dokument hat noch keinen Dateinamen.");
        return false;
    }
    TextFileFormat format = m_format;
    const QByteArray digest = TextDigest(text);
    const QByteArray bytes = digest == m_textDigest ? m_fileBytes : TextFile::Encode(text, format);
    QString movedTo;
    const auto makeBackup = [&] {
        if (backup)
            movedTo = BackUp(m_fileName);
    };
    if (!TextFile::Write(m_fileName, bytes, error, makeBackup)) {
        // The old content went to the backup just before the rename failed: put it back.
        if (!movedTo.isEmpty() && !QFileInfo::exists(m_fileName) && QFileInfo::exists(movedTo))
            QFile::rename(movedTo, m_fileName);
        return false;
    }
    m_format = format;
    m_fileBytes = bytes;
    m_textDigest = digest;
    return true;
}

bool EditorDocument::writeForBuild(const QString &text, QString &error) {
    if (!m_hasFile) {
        error = QStringLiteral("Das Dokument hat noch keinen Dateinamen.");
        return false;
    }
    TextFileFormat format = m_format;
    if (!TextFile::Write(m_fileName, TextFile::Encode(text, format), error))
        return false;
    m_format = format;
    return true;
}

qint64 EditorDocument::fileSize() const {
    if (!m_hasFile)
        return -1;
    const QFileInfo info(m_fileName);
    return info.isFile() ? info.size() : -1;
}
