#include "StackTrace.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

#ifdef Q_OS_WIN
constexpr Qt::CaseSensitivity FileNameCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity FileNameCase = Qt::CaseSensitive;
#endif

// One frame of a trace: the class (with its package) and the place in its source file.
struct Frame {
    QString className; // "de.schule.Rechner", "Rechner$Knopf"
    QString fileName;  // "Rechner.java", no folder
    int line = 0;
};

std::optional<Frame> FrameOf(const QString &text) {
    // "at [module/]class.method(File.java:line)"; frames without a line number
    // ("Native Method", "Unknown Source") lead nowhere.
    static const QRegularExpression frame(
        QStringLiteral("^\\s*at\\s+(\\S+)\\.[^.\\s(]+\\(([^()/\\\\:]+\\.java):(\\d+)\\)\\s*$"));
    const QRegularExpressionMatch match = frame.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    bool ok = false;
    const int line = match.captured(3).toInt(&ok);
    if (!ok || line < 1)
        return std::nullopt;
    QString className = match.captured(1);
    // A module or class loader in front: "java.base/java.util.Scanner", "app//Rechner".
    className = className.mid(className.lastIndexOf(u'/') + 1);
    if (className.isEmpty())
        return std::nullopt;
    return Frame{className, match.captured(2), line};
}

bool IsFrameLine(const QString &text) {
    static const QRegularExpression anyFrame(QStringLiteral("^\\s*at\\s+\\S+\\(.*\\)\\s*$"));
    return anyFrame.match(text).hasMatch();
}

// Lines inside a trace that are no frames: the elided common frames and nested traces.
bool IsTraceContinuation(const QString &text) {
    static const QRegularExpression more(QStringLiteral("^\\s*\\.\\.\\. \\d+ more\\s*$"));
    static const QRegularExpression nested(QStringLiteral("^\\s*(Caused by|Suppressed): "));
    return more.match(text).hasMatch() || nested.match(text).hasMatch();
}

// The learner's own file a frame names, or empty for a library frame.
QString OwnFile(const Frame &frame, const QString &folder, const QStringList &openFiles) {
    const qsizetype dot = frame.className.lastIndexOf(u'.');
    const QString packagePath = dot < 0 ? QString() : frame.className.left(dot).replace(u'.', u'/');
    QStringList candidates;
    if (!folder.isEmpty()) {
        const QDir dir(folder);
        // The compiled file's folder is the root of its packages, or the package folder.
        candidates << dir.filePath(packagePath.isEmpty() ? frame.fileName
                                                         : packagePath + u'/' + frame.fileName);
        if (!packagePath.isEmpty() &&
            QDir::cleanPath(folder).endsWith(u'/' + packagePath, FileNameCase))
            candidates << dir.filePath(frame.fileName);
    }
    for (const QString &candidate : std::as_const(candidates))
        if (QFileInfo(candidate).isFile())
            return QDir::cleanPath(QFileInfo(candidate).absoluteFilePath());
    const QString tail =
        packagePath.isEmpty() ? frame.fileName : packagePath + u'/' + frame.fileName;
    for (const QString &open : openFiles) {
        const QString clean = QDir::cleanPath(open);
        if (clean.compare(tail, FileNameCase) == 0 || clean.endsWith(u'/' + tail, FileNameCase))
            return clean;
    }
    return QString();
}

} // namespace

std::optional<SourcePlace> StackTracePlace(const QStringList &panelLines, int index,
                                           const QString &folder, const QStringList &openFiles) {
    if (index < 0 || index >= panelLines.size())
        return std::nullopt;
    int next = index;
    if (!IsFrameLine(panelLines.at(index))) {
        // The line that starts a trace: the frames follow it directly.
        if (index + 1 >= panelLines.size() || !IsFrameLine(panelLines.at(index + 1)))
            return std::nullopt;
        next = index + 1;
    }
    for (; next < panelLines.size(); ++next) {
        const QString &text = panelLines.at(next);
        if (const std::optional<Frame> frame = FrameOf(text)) {
            const QString file = OwnFile(*frame, folder, openFiles);
            if (!file.isEmpty())
                return SourcePlace{file, frame->line, -1};
        } else if (!IsFrameLine(text) && !IsTraceContinuation(text)) {
            break; // the trace has ended
        }
    }
    return std::nullopt;
}
