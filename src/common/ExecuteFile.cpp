#include "Helpers.h"

#include "Desktop.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace {

enum ResultCode {
    FileNotFound = 2,
    PathNotFound = 3,
    AccessDenied = 5,
    BadFormat = 11,
    NoAssociation = 31,
    Started = 42,
};

// The file as the user means it: relative names are looked up in the working directory
// first, then in the current one.
QFileInfo locate(const QString &file, const QString &workingDir) {
    const QFileInfo given(file);
    if (given.isAbsolute() || workingDir.isEmpty())
        return QFileInfo(given.absoluteFilePath());
    const QFileInfo inWorkingDir(QDir(workingDir).absoluteFilePath(file));
    if (inWorkingDir.exists())
        return inWorkingDir;
    return QFileInfo(given.absoluteFilePath());
}

bool hasSeparator(const QString &file) {
    return file.contains(QLatin1Char('/')) || file.contains(QDir::separator());
}

int startProgram(const QString &program, const QString &arguments, const QString &workingDir) {
    QProcess process;
    process.setProgram(program);
    // Split like a shell would, but never run through one.
    process.setArguments(QProcess::splitCommand(arguments));
    if (!workingDir.isEmpty())
        process.setWorkingDirectory(workingDir);
    return process.startDetached() ? Started : BadFormat;
}

int openWithDesktop(const QString &path) {
    Desktop *platform = desktop();
    if (platform && platform->OpenUrl(QUrl::fromLocalFile(path)))
        return Started;
    return NoAssociation;
}

int performOpen(const QString &file, const QString &arguments, const QString &workingDir) {
    if (file.isEmpty())
        return FileNotFound;
    if (!workingDir.isEmpty() && !QFileInfo(workingDir).isDir())
        return PathNotFound;
    const QFileInfo info = locate(file, workingDir);
    if (!info.exists()) {
        if (!hasSeparator(file)) {
            const QString onPath = QStandardPaths::findExecutable(file);
            if (!onPath.isEmpty())
                return startProgram(onPath, arguments, workingDir);
        }
        return info.dir().exists() ? FileNotFound : PathNotFound;
    }
    const QString path = info.absoluteFilePath();
    if (info.isFile() && info.isExecutable())
        return startProgram(path, arguments, workingDir);
    if (!info.isReadable())
        return AccessDenied;
    return openWithDesktop(path);
}

} // namespace

QString ExecuteFileErrorText(int code, const QString &file) {
    if (code > 32)
        return QString();
    QString message;
    switch (code) {
    case 0:
    case 8:
        message = QStringLiteral("Zu wenig Speicher");
        break;
    case 2: {
        const QString ext = UpperCaseChars(SplitFileName(file).ext);
        if (ext != QLatin1String(".EXE") && ext != QLatin1String(".COM"))
            return QString();
        message = QStringLiteral("Das Programm existiert nicht");
        break;
    }
    case 3:
        message = QStringLiteral("Der Pfad wurde nicht gefunden");
        break;
    case 5:
        message = QStringLiteral(
            "Auf das Programm konnte nicht zugegriffen werden. Zugriffsverweigerung");
        break;
    case 11:
        message = QStringLiteral("Das Programm ist fehlerhaft");
        break;
    case 26:
        message = QStringLiteral("Zugriff verweigert. A sharing violation occurred.");
        break;
    case 27:
        message = QStringLiteral("Die Dateizuordnung ist fehlerhaft oder nicht vorhanden");
        break;
    case 28:
    case 29:
    case 30:
        message = QStringLiteral("DDE Fehler");
        break;
    case 31:
        message = QStringLiteral("Für diese Datei existiert keine Verknüpfung");
        break;
    case 32:
        message = QStringLiteral("Die DLL konnte nicht gefunden werden");
        break;
    default:
        break;
    }
    const QString head = QStringLiteral("Fehler beim Aufruf der Datei/des Programms\r\n") + file;
    return message.isEmpty() ? head : head + QStringLiteral("\r\n") + message;
}

int ExecuteFile(const QString &file, const QString &arguments, const QString &workingDir,
                int showState) {
    Q_UNUSED(showState);
    const int code = performOpen(file, arguments, workingDir);
    const QString text = ExecuteFileErrorText(code, file);
    if (!text.isEmpty())
        ShowErrorBox(QStringLiteral("Fehler"), text);
    return code;
}
