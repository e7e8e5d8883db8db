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

TerminalCommand FindTerminal(const QString &pathList) {
    const QString named = qEnvironmentVariable("QUILL_TERMINAL");
    if (!named.isEmpty()) {
        const QString found = FindFirstProgram({named}, pathList);
        return {found, found.isEmpty() ? QStringList() : QStringList{QStringLiteral("-e")}};
    }
    QStringList candidates;
    const QString user = qEnvironmentVariable("TERMINAL");
    if (!user.isEmpty())
        candidates << user;
    candidates << QStringLiteral("x-terminal-emulator") << QStringLiteral("gnome-terminal")
               << QStringLiteral("konsole") << QStringLiteral("xfce4-terminal")
               << QStringLiteral("mate-terminal") << QStringLiteral("lxterminal")
               << QStringLiteral("qterminal") << QStringLiteral("xterm");
    const QString found = FindFirstProgram(candidates, pathList);
    if (found.isEmpty())
        return {};
    // gnome-terminal takes the command after "--"; the others understand "-e".
    if (QFileInfo(found).fileName() == QLatin1String("gnome-terminal"))
        return {found, {QStringLiteral("--")}};
    return {found, {QStringLiteral("-e")}};
}
