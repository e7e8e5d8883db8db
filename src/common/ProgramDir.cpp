#include "ProgramDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString g_testProgramDir;

QString withSeparator(const QString &dir) {
    return dir.endsWith(QLatin1Char('/')) ? dir : dir + QLatin1Char('/');
}

} // namespace

QString ProgramDir() {
    if (!g_testProgramDir.isEmpty())
        return withSeparator(g_testProgramDir);
    return withSeparator(QCoreApplication::applicationDirPath());
}

QString WritableProgramDir() {
    const QString dir = ProgramDir();
    if (QFileInfo(dir).isWritable())
        return dir;
    return UserDataDir();
}

QString UserDataDir() {
    QString data = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    if (data.isEmpty())
        data = QDir::homePath() + QStringLiteral("/.local/share/quill");
    QDir().mkpath(data);
    return withSeparator(data);
}

void SetProgramDirForTesting(const QString &dir) { g_testProgramDir = dir; }
