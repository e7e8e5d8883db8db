#include "IniFile.h"

#include "FileHelpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

struct Line {
    qsizetype start = 0; // first byte
    qsizetype end = 0;   // one past the last byte before the line break
    qsizetype next = 0;  // first byte of the following line
};

QList<Line> splitLines(const QByteArray &bytes) {
    QList<Line> lines;
    qsizetype pos = 0;
    while (pos < bytes.size()) {
        Line line;
        line.start = pos;
        qsizetype end = pos;
        while (end < bytes.size() && bytes.at(end) != '\n' && bytes.at(end) != '\r')
            ++end;
        line.end = end;
        if (end < bytes.size() && bytes.at(end) == '\r') {
            ++end;
            if (end < bytes.size() && bytes.at(end) == '\n')
                ++end;
        } else if (end < bytes.size()) {
            ++end; // '\n'
        }
        line.next = end;
        lines.append(line);
        pos = end;
    }
    return lines;
}

QByteArray lineBreakOf(const QByteArray &bytes) {
    const qsizetype lf = bytes.indexOf('\n');
    if (lf > 0 && bytes.at(lf - 1) == '\r')
        return QByteArrayLiteral("\r\n");
    if (lf >= 0)
        return QByteArrayLiteral("\n");
#ifdef Q_OS_WIN
    return QByteArrayLiteral("\r\n");
#else
    return QByteArrayLiteral("\n");
#endif
}

QString sectionName(const QString &trimmedLine) {
    if (!trimmedLine.startsWith(QLatin1Char('[')))
        return QString();
    const qsizetype close = trimmedLine.indexOf(QLatin1Char(']'));
    return close < 0 ? QString() : trimmedLine.mid(1, close - 1).trimmed();
}

bool sameName(const QString &a, const QString &b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The content with the one entry set; every other byte stays as it was.
QByteArray withEntry(const QByteArray &bytes, const QString &section, const QString &key,
                     const QString &value) {
    const QByteArray lineBreak = lineBreakOf(bytes);
    const QByteArray entry = key.toUtf8() + '=' + value.toUtf8();
    const QList<Line> lines = splitLines(bytes);
    bool inSection = false;
    qsizetype insertAt = -1; // after the last non-blank line of the section
    for (const Line &line : lines) {
        const QByteArray raw = bytes.mid(line.start, line.end - line.start);
        const QString text = QString::fromUtf8(raw).trimmed();
        const QString name = sectionName(text);
        if (!name.isNull()) {
            if (inSection)
                break; // the key is not in our section
            inSection = sameName(name, section);
            if (inSection)
                insertAt = line.next;
            continue;
        }
        if (!inSection || text.isEmpty())
            continue;
        insertAt = line.next;
        if (text.startsWith(QLatin1Char(';')))
            continue;
        const qsizetype equals = raw.indexOf('=');
        if (equals >= 0 && sameName(QString::fromUtf8(raw.left(equals)).trimmed(), key)) {
            // Keep the key as it is written; replace only what follows the equals sign.
            return bytes.left(line.start + equals + 1) + value.toUtf8() + bytes.mid(line.end);
        }
    }
    if (insertAt >= 0) {
        QByteArray result = bytes.left(insertAt);
        if (insertAt > 0 && !result.endsWith('\n') && !result.endsWith('\r'))
            result += lineBreak;
        return result + entry + lineBreak + bytes.mid(insertAt);
    }
    QByteArray result = bytes;
    if (!result.isEmpty() && !result.endsWith('\n') && !result.endsWith('\r'))
        result += lineBreak;
    return result + '[' + section.toUtf8() + ']' + lineBreak + entry + lineBreak;
}

bool hasLineBreak(const QString &text) {
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
}

// Why the file cannot take the entry, in German.
QString failureReason(const QString &file, const QString &detail) {
    const QFileInfo info(file);
    QFileInfo dir(info.absolutePath());
    while (!dir.exists() && dir.absoluteFilePath() != dir.absolutePath())
        dir = QFileInfo(dir.absolutePath());
    if (dir.exists() && !dir.isDir())
        return QStringLiteral("%1 ist eine Datei, kein Ordner.")
            .arg(QDir::toNativeSeparators(dir.absoluteFilePath()));
    if (info.exists() && !info.isFile())
        return QStringLiteral("%1 ist keine Datei.").arg(QDir::toNativeSeparators(file));
    if (info.exists() && IsReadOnlyFile(file))
        return QStringLiteral("Die Datei %1 ist schreibgeschützt.")
            .arg(QDir::toNativeSeparators(file));
    return detail;
}

} // namespace

StoreProblem WriteIniString(const QString &file, const QString &section, const QString &key,
                            const QString &value) {
    const QString message = QStringLiteral("In %1 kann nicht geschrieben werden").arg(file);
    // An entry that would break the file's line structure cannot be written; nor can a key
    // whose line would read as a comment or a section.
    const QString trimmedKey = key.trimmed();
    if (file.isEmpty() || trimmedKey.isEmpty() || key.contains(QLatin1Char('=')) ||
        trimmedKey.startsWith(QLatin1Char(';')) || trimmedKey.startsWith(QLatin1Char('[')) ||
        section.contains(QLatin1Char(']')) || hasLineBreak(section) || hasLineBreak(key) ||
        hasLineBreak(value))
        return {message, QStringLiteral("Der Eintrag würde die Zeilen der Datei zerstören.")};

    QByteArray bytes;
    const QFileInfo info(file);
    if (info.exists()) {
        QFile existing(file);
        if (!info.isFile() || IsReadOnlyFile(file) || !existing.open(QIODevice::ReadOnly))
            return {message, failureReason(file, existing.errorString())};
        bytes = existing.readAll();
        if (existing.error() != QFileDevice::NoError)
            return {message, failureReason(file, existing.errorString())};
    }
    const QByteArray updated = withEntry(bytes, section.trimmed(), key.trimmed(), value);
    if (info.exists() && updated == bytes)
        return {};
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(updated) != updated.size() || !out.commit())
        return {message, failureReason(file, out.errorString())};
    return {};
}
