#pragma once

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Java sources in a temporary directory, compiled with the real JDK.
class JavaFixture {
public:
    static QString Javac() { return QStandardPaths::findExecutable("javac"); }
    static QString Java() { return QStandardPaths::findExecutable("java"); }

    // Full path of a file below the fixture's directory.
    QString Path(const QString &name) const { return m_dir.filePath(name); }

    // Writes a source file (creating its directory) and returns its full path.
    QString Write(const QString &name, const QByteArray &source) const {
        const QString full = Path(name);
        QDir().mkpath(QFileInfo(full).absolutePath());
        QFile file(full);
        if (file.open(QIODevice::WriteOnly))
            file.write(source);
        return full;
    }

    // Compiles the given files (full paths) in one go; true when javac succeeded.
    static bool Compile(const QStringList &files) {
        QProcess javac;
        javac.setProcessChannelMode(QProcess::MergedChannels);
        javac.start(Javac(), files);
        if (!javac.waitForFinished(120000))
            return false;
        if (javac.exitCode() != 0)
            qWarning("%s", javac.readAll().constData());
        return javac.exitStatus() == QProcess::NormalExit && javac.exitCode() == 0;
    }

    // The class files below a folder, by their full paths.
    static QStringList ClassFilesBelow(const QString &folder) {
        QStringList found;
        QDirIterator it(folder, {QStringLiteral("*.class")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            found << it.next();
        return found;
    }

private:
    QTemporaryDir m_dir;
};
