#include "ExternalPrograms.h"

#include <QDir>
#include <QFileInfo>

QStringList CalculatorCandidates() {
    return {QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),
            QStringLiteral("galculator"),       QStringLiteral("mate-calc"),
            QStringLiteral("qalculate-gtk"),    QStringLiteral("xcalc")};
}

QStringList FileManagerCandidates() {
    return {QStringLiteral("xdg-open"), QStringLiteral("nautilus"), QStringLiteral("dolphin"),
            QStringLiteral("thunar"),   QStringLiteral("pcmanfm"),  QStringLiteral("nemo"),
            QStringLiteral("caja")};
}

QStringList TextEditorCandidates() {
    return {QStringLiteral("gnome-text-editor"),
            QStringLiteral("gedit"),
            QStringLiteral("kate"),
            QStringLiteral("kwrite"),
            QStringLiteral("mousepad"),
            QStringLiteral("xed"),
            QStringLiteral("pluma"),
            QStringLiteral("featherpad"),
            QStringLiteral("leafpad")};
}

namespace {

bool isExecutableFile(const QString &path) {
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

} // namespace

QString FindFirstProgram(const QStringList &candidates, const QString &pathList) {
    const QStringList dirs = pathList.split(QDir::listSeparator(), Qt::SkipEmptyParts);
    for (const QString &candidate : candidates) {
        if (candidate.isEmpty())
            continue;
        if (QFileInfo(candidate).isAbsolute()) {
            if (isExecutableFile(candidate))
                return candidate;
            continue;
        }
        for (const QString &dir : dirs) {
            const QString path = QDir(dir).filePath(candidate);
            if (isExecutableFile(path))
                return path;
        }
    }
    return QString();
}

QStringList ShellInTerminalArguments(const QString &terminalProgram,
                                     const QStringList &terminalArguments, const QString &shell) {
    // gnome-terminal takes the command after "--"; every other terminal understands "-e".
    const QString kind = QFileInfo(QFileInfo(terminalProgram).canonicalFilePath()).fileName();
    const bool gnome = kind.startsWith(QLatin1String("gnome-terminal")) ||
                       QFileInfo(terminalProgram).fileName() == QLatin1String("gnome-terminal");
    return terminalArguments +
           QStringList{gnome ? QStringLiteral("--") : QStringLiteral("-e"), shell};
}
