#include "EditorDocument.h"

#include "common/CommandGuard.h"
#include "common/FileHelpers.h"
#include "common/Helpers.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>

#include <vector>

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

EditorDocument::EditorDocument()
    : m_mirror(m_text, nullptr, TextChunks::DefaultPieceSize, DocumentMirror::Listener::Owner),
      m_marks(m_text), m_undo(*this), m_format(TextFile::DefaultFormat()) {
    m_text.setUndoRedoEnabled(false);
    m_listener = ConnectCommand(
        &m_text, &QTextDocument::contentsChange, &m_text,
        [this](int position, int removed, int added) { textChanged(position, removed, added); });
}

EditorDocument::~EditorDocument() {
    QObject::disconnect(m_listener);
}

void EditorDocument::textChanged(int position, int removed, int added) {
    // The copy still holds what the change took away: it goes to the history, which keeps
    // no copy of its own, and only then does the copy take the change.
    const DocumentMirror::Change change = m_mirror.follow(position, removed, added);
    m_undo.contentsChange(change.position, change.removed, change.added, change.removedText);
    m_marks.Follow();
}

int EditorDocument::length() const {
    return m_mirror.length();
}

QString EditorDocument::text(int position, int count) const {
    return m_mirror.text(position, count);
}

void EditorDocument::replace(int position, int count, const QString &text) {
    // The history hands over whole stretches of text; a mark on a line must stay where the
    // line stays and go where it goes. So the change is made line by line: lines equal
    // before and after are not touched; with as many lines before as after, each line is
    // changed where it differs; otherwise the differing lines are removed whole and the new
    // ones put in whole.
    QTextCursor cursor(&m_text);
    const auto put = [&cursor](int at, int length, QStringView with) {
        cursor.setPosition(at);
        cursor.setPosition(at + length, QTextCursor::KeepAnchor);
        cursor.insertText(with.toString());
    };
    const QTextBlock first = m_text.findBlock(position);
    if (position + count < first.position() + first.length() && !text.contains(u'\n')) {
        put(position, count, text); // inside one line
        return;
    }
    const QTextBlock last = m_text.findBlock(position + count);
    const int from = first.position();
    const int to = last.position() + last.length() - 1;
    const QString old = m_mirror.text(from, to - from);
    const QString now = old.left(position - from) + text + old.mid(position + count - from);
    const QList<QStringView> oldLines = QStringView(old).split(u'\n');
    const QList<QStringView> newLines = QStringView(now).split(u'\n');
    qsizetype head = 0;
    while (head < oldLines.size() && head < newLines.size() && oldLines[head] == newLines[head])
        ++head;
    qsizetype tail = 0;
    while (tail < oldLines.size() - head && tail < newLines.size() - head &&
           oldLines[oldLines.size() - 1 - tail] == newLines[newLines.size() - 1 - tail])
        ++tail;
    std::vector<int> starts; // of the old lines, and one past the last
    int start = from;
    for (const QStringView line : oldLines) {
        starts.push_back(start);
        start += int(line.size()) + 1;
    }
    starts.push_back(start);
    const qsizetype oldCount = oldLines.size() - head - tail;
    const qsizetype newCount = newLines.size() - head - tail;
    cursor.beginEditBlock();
    if (oldCount == newCount) {
        for (qsizetype i = head + oldCount - 1; i >= head; --i) {
            // Only the part of the line that differs.
            const QStringView was = oldLines[i];
            const QStringView is = newLines[i];
            qsizetype same = 0;
            while (same < was.size() && same < is.size() && was[same] == is[same])
                ++same;
            qsizetype end = 0;
            while (end < was.size() - same && end < is.size() - same &&
                   was[was.size() - 1 - end] == is[is.size() - 1 - end])
                ++end;
            if (same + end < was.size() || same + end < is.size())
                put(starts[size_t(i)] + int(same), int(was.size() - same - end),
                    is.mid(same, is.size() - same - end));
        }
    } else {
        QStringList lines;
        for (qsizetype i = head; i < head + newCount; ++i)
            lines << newLines[i].toString();
        const int begin = starts[size_t(head)];
        const int end = starts[size_t(head + oldCount)];
        const int textEnd = m_mirror.length();
        if (end <= textEnd) {
            // Whole lines with their breaks out, the new lines with theirs in.
            put(begin, end - begin, lines.isEmpty() ? QString() : lines.join(u'\n') + u'\n');
        } else if (begin > 0) {
            // Up to the end of the text: the break before the lines goes with them.
            put(begin - 1, textEnd - begin + 1,
                lines.isEmpty() ? QString() : QStringLiteral("\n") + lines.join(u'\n'));
        } else {
            put(0, textEnd, lines.join(u'\n'));
        }
    }
    cursor.endEditBlock();
}

int EditorDocument::caret() const {
    return m_caretView ? m_caretView->caret() : 0;
}

void EditorDocument::setCaret(int offset) {
    if (m_caretView)
        m_caretView->setCaret(offset);
}

void EditorDocument::setModified() {
    m_text.setModified(true);
}

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
