#include "DebugProtocol.h"

#include "javarun/ResidentJava.h"
#include "javarun/WarmFrame.h"

#include <QtEndian>

#include <limits>

namespace {

// The texts of an answer's bytes; nothing when a count runs past the end.
std::optional<QStringList> Texts(QByteArrayView bytes) {
    QStringList texts;
    qsizetype at = 0;
    while (at < bytes.size()) {
        if (bytes.size() - at < 4)
            return std::nullopt;
        const qint32 size = qFromBigEndian<qint32>(bytes.data() + at);
        at += 4;
        if (size < 0 || size > bytes.size() - at)
            return std::nullopt;
        texts << QString::fromUtf8(bytes.sliced(at, size));
        at += size;
    }
    return texts;
}

std::optional<qint64> Number(const QString &text, qint64 least, qint64 most) {
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    if (!ok || value < least || value > most)
        return std::nullopt;
    return value;
}

constexpr qint64 MaxLine = std::numeric_limits<qint32>::max();

// name, value, type, id for each variable from texts[from]; nothing when they do not fit.
std::optional<QList<DebugVariable>> Variables(const QStringList &texts, qsizetype from) {
    if ((texts.size() - from) % 4 != 0)
        return std::nullopt;
    QList<DebugVariable> variables;
    variables.reserve((texts.size() - from) / 4);
    for (qsizetype i = from; i < texts.size(); i += 4) {
        const std::optional<qint64> id =
            Number(texts.at(i + 3), 0, std::numeric_limits<qint64>::max());
        if (!id)
            return std::nullopt;
        variables.append({texts.at(i), texts.at(i + 1), texts.at(i + 2), *id});
    }
    return variables;
}

void AppendVariables(QStringList &texts, const QList<DebugVariable> &variables) {
    for (const DebugVariable &variable : variables)
        texts << variable.name << variable.value << variable.type
              << QString::number(variable.objectId);
}

} // namespace

QByteArray DebugRequestBytes(DebugRequest kind, const QStringList &texts) {
    QByteArray bytes;
    AppendFrameWord(bytes, qint32(kind));
    AppendFrameWord(bytes, qint32(texts.size()));
    for (const QString &text : texts)
        AppendFrameText(bytes, text);
    return bytes;
}

bool IsKnownDebugAnswer(qint32 kind) {
    return kind >= qint32(DebugAnswerKind::Listening) && kind <= qint32(DebugAnswerKind::Failed);
}

std::optional<DebugAnswer> DecodeDebugAnswer(qint32 kind, QByteArrayView bytes) {
    if (!IsKnownDebugAnswer(kind))
        return std::nullopt;
    const std::optional<QStringList> decoded = Texts(bytes);
    if (!decoded)
        return std::nullopt;
    const QStringList &texts = *decoded;
    DebugAnswer answer;
    answer.kind = DebugAnswerKind(kind);
    switch (answer.kind) {
    case DebugAnswerKind::Listening: {
        const auto port = texts.size() == 1 ? Number(texts.at(0), 1, 65535) : std::nullopt;
        if (!port)
            return std::nullopt;
        answer.port = int(*port);
        return answer;
    }
    case DebugAnswerKind::Stopped: {
        // A stop has at least one frame.
        if (texts.size() < 5 || (texts.size() - 1) % 4 != 0)
            return std::nullopt;
        answer.stop.exception = texts.at(0);
        for (qsizetype i = 1; i < texts.size(); i += 4) {
            const auto line = Number(texts.at(i + 3), 0, MaxLine);
            if (!line)
                return std::nullopt;
            answer.stop.frames.append({texts.at(i), texts.at(i + 1), texts.at(i + 2), int(*line)});
        }
        return answer;
    }
    case DebugAnswerKind::Variables:
    case DebugAnswerKind::Children: {
        if (texts.isEmpty())
            return std::nullopt;
        const auto number = answer.kind == DebugAnswerKind::Variables
                                ? Number(texts.at(0), 0, MaxLine)
                                : Number(texts.at(0), 0, std::numeric_limits<qint64>::max());
        auto variables = Variables(texts, 1);
        if (!number || !variables)
            return std::nullopt;
        if (answer.kind == DebugAnswerKind::Variables)
            answer.frameIndex = int(*number);
        else
            answer.objectId = *number;
        answer.variables = std::move(*variables);
        return answer;
    }
    case DebugAnswerKind::Moved: {
        if (texts.size() != 3)
            return std::nullopt;
        const auto from = Number(texts.at(1), 1, MaxLine);
        const auto to = Number(texts.at(2), 1, MaxLine);
        if (!from || !to)
            return std::nullopt;
        answer.fileName = texts.at(0);
        answer.fromLine = int(*from);
        answer.toLine = int(*to);
        return answer;
    }
    case DebugAnswerKind::Ended:
        if (!texts.isEmpty())
            return std::nullopt;
        return answer;
    case DebugAnswerKind::Failed:
        if (texts.size() != 1)
            return std::nullopt;
        answer.message = texts.at(0);
        return answer;
    }
    return std::nullopt;
}

QByteArray DebugAnswerBytes(const DebugAnswer &answer) {
    QStringList texts;
    switch (answer.kind) {
    case DebugAnswerKind::Listening:
        texts << QString::number(answer.port);
        break;
    case DebugAnswerKind::Stopped:
        texts << answer.stop.exception;
        for (const DebugFrame &frame : answer.stop.frames)
            texts << frame.method << frame.className << frame.sourceName
                  << QString::number(frame.line);
        break;
    case DebugAnswerKind::Variables:
        texts << QString::number(answer.frameIndex);
        AppendVariables(texts, answer.variables);
        break;
    case DebugAnswerKind::Children:
        texts << QString::number(answer.objectId);
        AppendVariables(texts, answer.variables);
        break;
    case DebugAnswerKind::Moved:
        texts << answer.fileName << QString::number(answer.fromLine)
              << QString::number(answer.toLine);
        break;
    case DebugAnswerKind::Ended:
        break;
    case DebugAnswerKind::Failed:
        texts << answer.message;
        break;
    }
    QByteArray body;
    for (const QString &text : texts)
        AppendFrameText(body, text);
    QByteArray bytes;
    AppendFrameWord(bytes, qint32(answer.kind));
    AppendFrameWord(bytes, qint32(body.size()));
    return bytes + body;
}

QString DebugHelperClass() {
    return QStringLiteral("QuillDebugger");
}

QString DebugHelperClassFile() {
    return DebugHelperClass() + QStringLiteral(".class");
}

Command DebugHelperCommand(const QString &launcher, const QString &helperDir) {
    // The helper does little work of its own: a client compiler only and a small heap start
    // it fast and keep it small; the JVM's own notes stay off the protocol.
    return ResidentJavaCommand(
        launcher,
        {QStringLiteral("-Xshare:auto"), QStringLiteral("-Xms16m"), QStringLiteral("-Xmx128m"),
         QStringLiteral("-XX:+UseSerialGC"), QStringLiteral("-XX:TieredStopAtLevel=1"),
         QStringLiteral("-XX:-UsePerfData"), QStringLiteral("-XX:+DisplayVMOutputToStderr")},
        helperDir, DebugHelperClass());
}
