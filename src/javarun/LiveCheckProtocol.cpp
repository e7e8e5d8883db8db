#include "LiveCheckProtocol.h"

#include "RunPlan.h"
#include "ShellWords.h"
#include "WarmCompileRules.h"
#include "WarmFrame.h"

#include "common/Helpers.h"

#include <QDir>
#include <QFileInfo>
#include <QtEndian>

#include <algorithm>

namespace {

// Reads the answer's words and texts front to back; any shortfall spoils the whole read.
class Reader {
public:
    explicit Reader(QByteArrayView bytes) : m_bytes(bytes) {}
    bool ok() const { return m_ok; }
    bool atEnd() const { return m_at == m_bytes.size(); }

    qint32 word() {
        if (!m_ok || m_bytes.size() - m_at < 4) {
            m_ok = false;
            return 0;
        }
        const qint32 value = qFromBigEndian<qint32>(m_bytes.data() + m_at);
        m_at += 4;
        return value;
    }

    QString text() {
        const qint32 size = word();
        if (!m_ok || size < 0 || m_bytes.size() - m_at < size) {
            m_ok = false;
            return QString();
        }
        const QString value = QString::fromUtf8(m_bytes.sliced(m_at, size));
        m_at += size;
        return value;
    }

private:
    QByteArrayView m_bytes;
    qsizetype m_at = 0;
    bool m_ok = true;
};

void appendText(QByteArray &bytes, const CheckText &text) {
    AppendFrameText(bytes, text.fileName);
    AppendFrameText(bytes, text.text);
}

} // namespace

bool FitsCheckRequest(const CheckRequest &request) {
    const auto fits = [](const QString &text) {
        // Three bytes per UTF-16 unit at most; only long texts are measured.
        return text.size() * 3 <= MaxCheckTextBytes || text.toUtf8().size() <= MaxCheckTextBytes;
    };
    if (!fits(request.folder) || !fits(request.main.fileName) || !fits(request.main.text))
        return false;
    return std::all_of(request.others.begin(), request.others.end(), [&](const CheckText &other) {
        return fits(other.fileName) && fits(other.text);
    });
}

QByteArray EncodeCheckRequest(const CheckRequest &request) {
    QByteArray bytes;
    AppendFrameWord(bytes, CheckRequestWord);
    AppendFrameText(bytes, request.folder);
    AppendFrameWord(bytes, qint32(request.options.size()));
    for (const QString &option : request.options)
        AppendFrameText(bytes, option);
    appendText(bytes, request.main);
    AppendFrameWord(bytes, qint32(request.others.size()));
    for (const CheckText &other : request.others)
        appendText(bytes, other);
    return bytes;
}

std::optional<QList<CheckedMessage>> DecodeCheckMessages(QByteArrayView bytes) {
    Reader reader(bytes);
    const qint32 count = reader.word();
    // Each message takes at least 28 bytes: a bigger count is a damaged one.
    if (!reader.ok() || count < 0 || count > bytes.size() / 28)
        return std::nullopt;
    QList<CheckedMessage> messages;
    messages.reserve(count);
    for (qint32 i = 0; i < count; ++i) {
        CheckedMessage message;
        const qint32 kind = reader.word();
        message.kind = kind == 1 ? DiagnosticKind::Warning : DiagnosticKind::Error;
        message.line = reader.word();
        message.column = reader.word();
        message.endLine = reader.word();
        message.endColumn = reader.word();
        message.message = reader.text();
        message.code = reader.text();
        if (!reader.ok() || (kind != 0 && kind != 1))
            return std::nullopt;
        messages.append(message);
    }
    if (!reader.atEnd())
        return std::nullopt;
    return messages;
}

std::optional<QStringList> CheckOptions(const QString &parameters, const QString &sourceEncoding,
                                        const QString &classPath, bool localeIsUtf8) {
    QStringList options = SplitShellWords(CompilerParameters(parameters, sourceEncoding));
    if (!classPath.isEmpty())
        options = QStringList{QStringLiteral("-classpath"), classPath} + options;
    // The rules of the resident compiler want a source file among the arguments; any name
    // of a Java file stands for the one checked.
    if (!WarmArgumentsAllowed(options + QStringList{QStringLiteral("A.java")}, localeIsUtf8))
        return std::nullopt;
    // Source files among the parameters would be compiled with the text: not checked.
    if (WarmArgumentsAllowed(options, true))
        return std::nullopt;
    return options;
}

bool IsCheckedSource(const QString &fileName) {
    return fileName.endsWith(QStringLiteral(".java"), Qt::CaseInsensitive);
}

QList<CheckText> CheckTextsOfFolder(const QString &folder, const QString &mainFile,
                                    const QList<CheckText> &candidates) {
    QList<CheckText> texts;
    const QString dir = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    for (const CheckText &candidate : candidates) {
        const QFileInfo file(candidate.fileName);
        if (!IsCheckedSource(candidate.fileName) || SameFileName(candidate.fileName, mainFile) ||
            !SameFileName(QDir::cleanPath(file.absolutePath()), dir))
            continue;
        if (std::any_of(texts.begin(), texts.end(), [&](const CheckText &taken) {
                return SameFileName(taken.fileName, candidate.fileName);
            }))
            continue;
        texts.append(candidate);
    }
    return texts;
}
